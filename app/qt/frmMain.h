#pragma once
// The main window: the skin tree on the left, the preview pane on the right, the splitter between
// them, the menus, and the settings that are restored at start and saved at exit. Controls sit at
// absolute positions in the client area and are laid out by Form_Resize.

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ClientArea.h"
#include "Dialogs.h"
#include "PreviewPaneWidget.h"
#include "SkinTreeWidget.h"
#include "SplitterBar.h"
#include "app/SettingsFolder.h"
#include "render/Types.h"
#include "render/clsSkinMng.h"

class QAction;
class QLabel;
class QMenu;
class QTreeWidgetItem;

namespace morvish {

class frmMain : public QMainWindow {
  public:
    // Design size of the client area and the design position of the splitter, in pixels.
    static constexpr int kDesignClientWidth = 510;
    static constexpr int kDesignClientHeight = 441;
    static constexpr int kDesignSplitterLeft = 128;
    // The outer size is stored in twips: 15 per pixel at 96 dots per inch.
    static constexpr int kTwipsPerPixel = 15;

    frmMain(Dialogs& dialogs, SettingsFolder settings);
    ~frmMain() override;

    // Restores the skin roots, the game folder, the window size and state and the splitter.
    void LoadSetting();
    // Writes them back; a file that cannot be written is named in a message box.
    void SaveSetting();

    // Lays the controls out for the client area's size and redraws the selected node.
    void Form_Resize();
    int ScaleWidth() const;
    int ScaleHeight() const;

    // The skin tree.
    void ScanSkinRoot(std::filesystem::path& Path, QTreeWidgetItem* Node);
    // The folder a root or skin node stands for.
    static std::filesystem::path NodePath(const QTreeWidgetItem* Node);
    void tvwSelectSkin_MouseDown(int Button);
    void tvwSelectSkin_NodeClick(QTreeWidgetItem* Node);

    // Input on the preview pane, in pane pixels.
    void picShowSkin_MouseDown(int Button, int X, int Y);
    void picShowSkin_MouseMove(int Button, int X, int Y);
    void picShowSkin_MouseUp(int Button, int X, int Y);
    void picShowSkin_DblClick();

    void cntForResize_MouseMove(int Button, int X, int Y);

    // Menu commands.
    void mnuAddSkinDirectory_Click();
    void mnuRemoveRootDir_Click();
    void mnuSubDirRefres_Click();
    void mnuSetting_Click();
    void mnuAddSkinToRO_Click();
    void mnuAbout_Click();
    void mnuExit_Click();

    // Shows a problem in the status bar; the program goes on.
    void ReportProblem(const std::string& message);

    // Called with every event handed to a skin manager ("MouseDown", "MouseMove", "MouseUp"),
    // before the manager runs; for tests and diagnostics.
    using InputObserver = std::function<void(std::string_view operation, int Button, int X, int Y)>;
    void SetInputObserver(InputObserver observer) { inputObserver_ = std::move(observer); }

    // Node kinds by their tags: a root's tag is empty, a skin's parent is a root.
    static bool IsRootNode(const QTreeWidgetItem* Node);
    static bool IsSkinNode(const QTreeWidgetItem* Node);
    static bool IsWindowKindNode(const QTreeWidgetItem* Node);
    static QString NodeTag(const QTreeWidgetItem* Node);

    // Controls.
    ClientArea* client = nullptr;
    SkinTreeWidget* tvwSelectSkin = nullptr;
    SplitterBar* cntForResize = nullptr;
    PreviewPaneWidget* picShowSkin = nullptr;
    QLabel* lblJapaneseFont = nullptr;
    QLabel* lblEnglishFont = nullptr;

    // Menus.
    QMenu* mnuFile = nullptr;
    QAction* mnuAddSkinDirectory = nullptr;
    QAction* mnuDownloadSkin = nullptr;
    QAction* mnuAddSkinSite = nullptr;
    QAction* mnuSetting = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;
    QMenu* mnuPopup = nullptr;
    QMenu* mnuPopupForRootNode = nullptr;
    QAction* mnuSubDirRefres = nullptr;
    QAction* mnuRemoveRootDir = nullptr;
    QMenu* mnuPopupForSkinRoot = nullptr;
    QAction* mnuAddSkinToRO = nullptr;
    QAction* mnuSetToROSkin = nullptr;

    // The game client's folder; empty when not set.
    std::string RODir;
    // One manager per skin node ever made; index 0 is never used, and the array only grows.
    std::vector<std::unique_ptr<clsSkinMng>> SkinManagers;
    // Button mask of the last press on the tree.
    int TreeButton = 0;
    // The last press handed to a manager.
    int LastButton = 0;
    int LastX = 0;
    int LastY = 0;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateControls();
    void CreateMenus();
    // What a left click on the node shows.
    void ShowNode(QTreeWidgetItem* Node);
    void ShowScreenshot(const clsSkinMng& manager);
    void OpenContextMenu(QTreeWidgetItem* Node, QPoint screenPosition);
    // The manager of the selected window-kind node, or null.
    clsSkinMng* TargetManager() const;
    clsSkinMng* ManagerOf(const QTreeWidgetItem* SkinNode) const;
    // Hands an event to the target manager; false when there is none.
    bool Route(const char* operation, Result<void> (clsSkinMng::*call)(int, int, int), int Button,
               int X, int Y);
    // Shows a drawing failure, or clears the last one after a drawing that worked.
    void Report(const Result<void>& drawn);
    void ResizeClientArea(int width, int height);

    Dialogs& dialogs_;
    SettingsFolder settings_;
    InputObserver inputObserver_;
    bool settingsSaved_ = false;
    bool showingDrawFailure_ = false;
};

}  // namespace morvish
