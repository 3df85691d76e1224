#pragma once
// A main window without a toolkit for the tests of the main window's logic: it keeps the tree the
// logic builds, the layout it applies and the pictures and messages it shows, and answers the
// dialogs from queues. Temporary folders for the program, its settings and skins.

#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/MainController.h"
#include "app/MainView.h"
#include "app/SettingsFolder.h"
#include "render/PreviewPane.h"

namespace morvish::test {

// A folder of its own for the duration of a test.
class TemporaryFolder {
  public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The path of an entry, given with "/" between its names.
    std::filesystem::path PathOf(const std::string& name) const;
    void Write(const std::string& name, const std::string& contents) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    void MakeFolder(const std::string& name) const;
    void Remove(const std::string& name) const;

  private:
    std::filesystem::path path_;
};

// The program's folder, the user's settings folder and the installed share folder.
struct ProgramFolders {
    TemporaryFolder program;
    TemporaryFolder config;
    TemporaryFolder share;
    bool programWritable = true;

    SettingsFolder Settings() const;
    // A setting of the file beside the program, as text.
    std::optional<std::string> Setting(const char* section, const char* key) const;
};

class FakeView : public MainView {
  public:
    // The frame around the client area, in pixels: what the outer size has more.
    static constexpr WindowSize kFrame{16, 60};

    FakeView();

    // The window.
    bool shown = false;
    bool closed = false;
    WindowPlacement placement{
        WindowState::Normal,
        {kDesignClientWidth + kFrame.width, kDesignClientHeight + kFrame.height}};
    WindowSize screen{1920, 1040};
    ControlLayout layout;
    int layoutsApplied = 0;

    // The tree: every node shown, its parent and text.
    struct Item {
        NodeId parent = kNoNode;
        std::string text;
        std::vector<NodeId> children;
    };
    std::map<NodeId, Item> items;
    std::vector<NodeId> roots;
    NodeId selected = kNoNode;
    std::vector<NodeId> expanded;

    // The preview, and what it was told.
    MemoryPreviewPane pane{313, 273};
    std::vector<std::filesystem::path> picturesShown;
    std::string status;
    std::string showing;  // the lasting parts of the status line
    std::string gameFolder;
    int previewsCleared = 0;
    Language language = Language::Japanese;

    // Dialogs: answers given from the front of the queues (a folder dialog with none left is
    // cancelled, a question answered Yes, a menu closed without a choice), and what was asked.
    std::deque<std::string> folderAnswers;
    std::deque<bool> yesNoAnswers;
    std::deque<std::string> menuChoices;  // captions, without their mnemonics
    std::vector<std::string> folderPrompts;
    std::vector<std::filesystem::path> folderStarts;
    std::vector<Message> messages;
    std::vector<Message> questions;
    std::vector<std::string> menusOpened;  // names
    std::vector<MenuPlace> menuPlaces;
    MainController* logic = nullptr;  // runs the menu choices
    // Work run with progress: its titles, and the number of files after which the user cancels
    // (none: never).
    std::vector<std::string> progressTitles;
    std::optional<std::size_t> cancelAfter;

    // The node of a root by position and of a child by its text; kNoNode when there is none.
    NodeId Root(std::size_t index) const;
    NodeId Child(NodeId parent, const std::string& text) const;
    std::vector<std::string> ChildTexts(NodeId parent) const;

    // MainView.
    void ShowWindow() override { shown = true; }
    void CloseWindow() override;
    WindowSize ClientSize() const override;
    void ApplyLayout(const ControlLayout& applied) override;
    WindowPlacement Placement() const override { return placement; }
    void Place(const WindowPlacement& given) override { placement = given; }
    WindowSize AvailableScreen() const override { return screen; }
    void AddTreeNode(NodeId id, const SkinTree::Node& node) override;
    void RemoveTreeNode(NodeId id) override;
    NodeId SelectedNode() const override { return selected; }
    void SelectTreeNode(NodeId id) override { selected = id; }
    void SetTreeNodeText(NodeId id, const std::string& text) override { items.at(id).text = text; }
    void ExpandTreeNode(NodeId id) override { expanded.push_back(id); }
    PreviewPane& Pane() override { return pane; }
    Result<void> ShowPictureFile(const std::filesystem::path& file) override;
    void ClearPreview() override {
        pane.ShowPicture(Bitmap{});
        ++previewsCleared;
    }
    void ShowStatus(const std::string& text) override { status = text; }
    // The tools for skin artists: the save dialog answers with `savePath` and keeps the name it
    // was offered; copies, reports and marks are kept.
    std::filesystem::path savePath;
    std::string proposedName;
    std::optional<Bitmap> copied;
    bool clipboardTakes = true;
    std::vector<std::pair<std::string, std::string>> reports;
    std::map<NodeId, bool> marks;
    std::filesystem::path AskSavePath(std::string_view, const std::string& name) override {
        proposedName = name;
        return savePath;
    }
    bool CopyPicture(const Bitmap& picture) override {
        if (!clipboardTakes) return false;
        copied = picture;
        return true;
    }
    void ShowReport(std::string_view title, const std::string& text) override {
        reports.emplace_back(std::string(title), text);
    }
    void MarkTreeNode(NodeId id, bool problem) override { marks[id] = problem; }
    void ShowStatusFields(const std::string& shownText,
                          const std::string& gameFolderText) override {
        showing = shownText;
        gameFolder = gameFolderText;
    }
    void ApplyLanguage(Language applied) override { language = applied; }
    void ShowMessage(const Message& message) override { messages.push_back(message); }
    bool AskYesNo(const Message& message) override;
    std::string BrowseForFolder(std::string_view prompt,
                                const std::filesystem::path& start) override;
    void OpenContextMenu(const MenuDefinition& menu, MenuPlace place) override;
    void RunWithProgress(const std::string& title, InstallProgress& progress,
                         const std::function<void()>& work) override;
};

// A program on the given folders, started as the desktop programs start it.
struct Program {
    explicit Program(const ProgramFolders& folders);
    ~Program();

    FakeView view;
    std::unique_ptr<MainController> logic;

    // Selects a node and clicks it with the left button.
    void Click(NodeId node);
    // Closes the window as the user does: the settings are saved.
    void Close();
};

// Writes a solid 24-bit BMP (0x00RRGGBB), creating its folders.
void WriteSolidBmp(const std::filesystem::path& path, int width, int height, std::uint32_t rgb);

}  // namespace morvish::test
