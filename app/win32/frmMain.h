#pragma once
// The main window of the Win32 program: the skin tree on the left, the preview pane on the right,
// the splitter between them, the etched line under the menu bar, the menus and the status bar. It
// creates the controls, forwards their events to the main window's logic (MainController) and
// shows what the logic decides; it decides nothing.

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "Dialogs.h"
#include "FolderWatcher.h"
#include "PreviewPaneWindow.h"
#include "app/MainController.h"
#include "app/MainView.h"
#include "app/SettingsFolder.h"
#include "platform/WindowsApi.h"

#include <commctrl.h>

namespace morvish::win32 {

class frmMain : public MainView {
  public:
    explicit frmMain(SettingsFolder settings);
    ~frmMain() override;
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    MainController& Logic() { return *logic_; }
    HWND Handle() const { return window_; }
    // Runs the keyboard shortcuts of the menus; true when `message` was one.
    bool TranslateShortcut(MSG& message);

    // ---- MainView ------------------------------------------------------------------------------
    void ShowWindow() override;
    void CloseWindow() override;
    WindowSize ClientSize() const override;
    void ApplyLayout(const ControlLayout& layout) override;
    WindowPlacement Placement() const override;
    void Place(const WindowPlacement& placement) override;
    WindowSize AvailableScreen() const override;
    void AddTreeNode(NodeId id, const SkinTree::Node& node) override;
    void RemoveTreeNode(NodeId id) override;
    NodeId SelectedNode() const override;
    void SelectTreeNode(NodeId id) override;
    void SetTreeNodeText(NodeId id, const std::string& text) override;
    void ExpandTreeNode(NodeId id) override;
    PreviewPane& Pane() override;
    Result<void> ShowPictureFile(const std::filesystem::path& file) override;
    void ClearPreview() override;
    void ShowStatus(const std::string& text) override;
    void ShowStatusFields(const std::string& shown, const std::string& gameFolder) override;
    void ApplyLanguage(Language language) override;
    void ShowMessage(const Message& message) override;
    bool AskYesNo(const Message& message) override;
    std::string BrowseForFolder(std::string_view prompt,
                                const std::filesystem::path& start) override;
    void OpenContextMenu(const MenuDefinition& menu, MenuPlace place) override;
    void RunWithProgress(const std::string& title, InstallProgress& progress,
                         const std::function<void()>& work) override;
    std::filesystem::path AskSavePath(std::string_view title, const std::string& name) override;
    bool CopyPicture(const Bitmap& picture) override;
    void ShowReport(std::string_view title, const std::string& text) override;
    void MarkTreeNode(NodeId id, bool problem) override;

  private:
    // A caption to set again when the language changes: a menu-bar entry by position, or a
    // command's entry by its identifier.
    struct Caption {
        HMENU menu;
        UINT item;
        bool byPosition;
        Text text;
        std::string_view shortcut;
    };

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SplitterProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam);
    static LRESULT CALLBACK TreeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR self);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT TreeMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Notify(const NMHDR& header);

    void CreateControls();
    void CreateMenus();
    HMENU BuildMenu(const MenuDefinition& definition);
    void SetFonts(UINT dpi);
    // The tree's state images at the size for `dpi`: the warning mark of a skin with problems.
    void SetTreeMarks(UINT dpi);
    void ResizeClientArea(int width, int height);
    void LayOutStatusBar();
    void Paint();
    // Unbinds and ends the watch on the folders, before the window or the logic goes.
    void StopWatching();

    HTREEITEM Item(NodeId node) const;
    NodeId NodeOf(HTREEITEM item) const;
    // The node under a point of the tree's client area; null over empty space and expand buttons.
    HTREEITEM ItemAt(POINT point) const;
    HTREEITEM ItemUnderPointer() const;

    HWND window_ = nullptr;
    HWND tree_ = nullptr;
    HWND splitter_ = nullptr;
    HWND status_ = nullptr;
    std::unique_ptr<PreviewPaneWindow> pane_;
    HMENU menuBar_ = nullptr;
    std::unordered_map<std::string_view, HMENU> menus_;
    std::vector<Caption> captions_;
    HACCEL shortcuts_ = nullptr;
    HFONT font_ = nullptr;
    HIMAGELIST treeMarks_ = nullptr;
    // The window of the skin check, made when first shown.
    std::unique_ptr<ReportWindow> report_;
    int linSplitEnd_ = 0;
    std::unordered_map<NodeId, HTREEITEM> items_;
    HTREEITEM pressed_ = nullptr;
    std::string shownField_;
    std::string gameFolderField_;
    bool closed_ = false;
    // Made last: its tree's managers present into the pane.
    std::unique_ptr<MainController> logic_;
    // Watches the folders of what the preview shows and tells the logic.
    std::unique_ptr<FolderWatcher> folderWatcher_;
};

// The program: start-up, then the message loop until the main window closes.
int Main();

}  // namespace morvish::win32
