#pragma once
// The main window of the Qt program: the skin tree on the left, the preview pane on the right,
// the splitter between them and the menus. It creates the controls, forwards their events to the
// main window's logic (MainController) and shows what the logic decides; it decides nothing.

#include <QMainWindow>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "ClientArea.h"
#include "Dialogs.h"
#include "FolderWatcher.h"
#include "PreviewPaneWidget.h"
#include "SkinTreeWidget.h"
#include "SplitterBar.h"
#include "app/MainController.h"
#include "app/MainView.h"
#include "app/SettingsFolder.h"

class QDialog;
class QPlainTextEdit;

class QAction;
class QTranslator;
class QLabel;
class QMenu;
class QTreeWidgetItem;

namespace morvish {

class frmMain : public QMainWindow, public MainView {
  public:
    frmMain(Dialogs& dialogs, SettingsFolder settings);
    ~frmMain() override;

    MainController& Logic() { return *logic_; }
    const MainController& Logic() const { return *logic_; }

    // The tree item of a node and the node of a tree item (kNoNode for none).
    QTreeWidgetItem* Item(NodeId node) const;
    static NodeId NodeOf(const QTreeWidgetItem* item);
    // The action of a command and a menu by its name ("mnuFile", "mnuPopupForRootNode").
    QAction* Action(Command command) const;
    QMenu* Menu(std::string_view name) const;

    // ---- MainView
    // --------------------------------------------------------------------------------
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

    // Controls.
    ClientArea* client = nullptr;
    SkinTreeWidget* tvwSelectSkin = nullptr;
    SplitterBar* cntForResize = nullptr;
    PreviewPaneWidget* picShowSkin = nullptr;
    QLabel* lblJapaneseFont = nullptr;
    QLabel* lblEnglishFont = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateControls();
    void CreateMenus();
    QMenu* BuildMenu(QMenu* menu, const MenuDefinition& definition);
    void ResizeClientArea(int width, int height);

    Dialogs& dialogs_;
    std::unordered_map<NodeId, QTreeWidgetItem*> items_;
    std::map<Command, QAction*> actions_;
    std::map<std::string_view, QMenu*> menus_;
    // The captions to give the menus and actions when the language changes.
    std::vector<std::pair<QMenu*, Text>> menuCaptions_;
    std::vector<std::pair<QAction*, Text>> actionCaptions_;
    QLabel* shownField_ = nullptr;
    // The window of the skin check, made when first shown.
    QDialog* report_ = nullptr;
    QPlainTextEdit* reportText_ = nullptr;
    QLabel* gameFolderField_ = nullptr;
    std::unique_ptr<class QTranslator> qtTexts_;
    // Made last: its tree's managers present into the pane.
    std::unique_ptr<MainController> logic_;
    // Watches the folders of what the preview shows and tells the logic.
    std::unique_ptr<FolderWatcher> folderWatcher_;
};

}  // namespace morvish
