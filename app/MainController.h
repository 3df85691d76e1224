#pragma once
// The main window's logic, with no toolkit: start-up and the settings, the layout and the splitter,
// the skin tree and what a click on a node shows, the routing of the preview's mouse input to the
// selected skin's manager, and the menu commands with the messages they show. A desktop program
// creates its controls, forwards their events here and shows what this decides (MainView).

#include <chrono>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "BackgroundJobs.h"
#include "FolderWatch.h"
#include "Layout.h"
#include "MainView.h"
#include "Menus.h"
#include "SettingsFolder.h"
#include "SkinTree.h"
#include "ZoomedPane.h"

namespace morvish {

class MainController {
  public:
    MainController(MainView& view, SettingsFolder settings, std::string version);
    MainController(const MainController&) = delete;
    MainController& operator=(const MainController&) = delete;

    // Start-up: the surface layer first (bound to the window, which exists but is not shown);
    // when it cannot be set up the user is told and false is returned, and the program is to end
    // without showing its window. Otherwise the window is shown and the settings are loaded.
    bool StartUp(const std::function<bool()>& startSurfaceLayer);

    // Restores the skin roots, the game folder, the window's size and state and the splitter.
    void LoadSetting();
    // Writes them back (once, when the window closes). A file that could not be read at start is
    // left as it is. Failures are named in one message box.
    void SaveSetting();

    // ---- Layout --------------------------------------------------------------------------------
    // Lays the controls out for the client area and draws the selected node again.
    void Form_Resize();
    void cntForResize_MouseMove(int Button, int X, int Y);

    // ---- Skin tree -----------------------------------------------------------------------------
    void ScanSkinRoot(std::filesystem::path& Path, NodeId Node);
    void tvwSelectSkin_MouseDown(int Button);
    // A click on a node (press and release on it); a right click selects it and opens its menu.
    void tvwSelectSkin_NodeClick(NodeId Node);
    // The selection moved by a key: shown as a left click on the node would show it.
    void tvwSelectSkin_KeyboardSelect(NodeId Node);
    // The menu key or Shift+F10 on the tree: the context menu of the selected node.
    void tvwSelectSkin_ContextMenuKey();
    // Enter on a node: a skin node opens to show its window kinds.
    void tvwSelectSkin_Enter(NodeId Node);

    // ---- Preview input, in pixels of the pane's drawing area -----------------------------------
    void picShowSkin_MouseDown(int Button, int X, int Y);
    void picShowSkin_MouseMove(int Button, int X, int Y);
    void picShowSkin_MouseUp(int Button, int X, int Y);
    void picShowSkin_DblClick();

    // ---- Commands ------------------------------------------------------------------------------
    void Run(Command command);
    void mnuAddSkinDirectory_Click();
    void mnuRemoveRootDir_Click();
    void mnuSubDirRefres_Click();
    void mnuSetting_Click();
    void mnuAddSkinToRO_Click();
    void mnuAbout_Click();
    void mnuExit_Click();
    // Saves the window picture on show as PNG, named SKIN-KIND.png unless the user says other.
    void mnuExportPicture_Click();
    void mnuCopyPicture_Click();
    // The preview's zoom, 1 to 4; a change draws the selected node again.
    void SetZoom(int zoom);
    int Zoom() const { return zoomedPane_.Zoom(); }
    // The skin check of the selected skin (or of the skin of the selected window kind) in its
    // window; the skin's node is marked when a file is missing or unreadable.
    void mnuCheckSkin_Click();

    // ---- Watching the files of what is shown ------------------------------------------------
    // How long reports are gathered before the preview is drawn again: a half-written file is not
    // read, and a burst of saves gives one redraw. Every report starts the delay again, but no
    // redraw waits longer than kLongestGathering after the first report.
    static constexpr std::chrono::milliseconds kGatheringDelay{150};
    static constexpr std::chrono::milliseconds kLongestGathering{300};
    // How long a skin's mark waits, after its picture is drawn, before its files are checked (a
    // new report puts it off again). The check draws every window of the skin: run at once, it
    // would hold back the picture where the system puts a window's drawing on the screen only
    // once the program waits for input (Wine does), and a burst of saves would pay for it at
    // every save.
    static constexpr std::chrono::milliseconds kMarkDelay{500};

    // Binds the desktop program's watch (or none); it is told at once what to watch.
    void SetFolderWatch(FolderWatch* watch);
    // A watched folder, named as WatchFolders gave it, reported a change.
    void FolderChanged(const std::filesystem::path& folder);
    // The gathering delay ran out: skins made or removed under a root show in the tree, and
    // what the preview shows is drawn again from the files as they are now (a window kind in its
    // current state, with the look the pointer's last position gives it; a screenshot; the colour
    // chip). The shown skin's mark follows its files kMarkDelay later, when the delay runs out
    // once more with nothing gathered; so does the mark of a skin shown for the first time.
    void GatheringElapsed();
    // What is watched now: every root (for skins made or removed), and for what the preview
    // shows the skin's folder, its "basic_interface" folder and the sample pictures' folder.
    std::vector<WatchedFolder> WatchedFolders() const;

    // Shows a problem in the status line; the program goes on.
    void ReportProblem(const std::string& message);

    Language CurrentLanguage() const { return language_; }
    // The caption of a menu or entry in the current language, and whether an entry is checked.
    std::string_view Caption(Text text) const { return Tr(text, language_); }
    bool IsChecked(Command command) const;

    const SkinTree& Tree() const { return tree_; }
    const ControlLayout& Layout() const { return layout_; }
    const std::filesystem::path& RODir() const { return roDir_; }
    int TreeButton() const { return treeButton_; }

    // Called with every event handed to a skin manager ("MouseDown", "MouseMove", "MouseUp"),
    // before the manager runs; for tests and diagnostics.
    using InputObserver = std::function<void(std::string_view operation, int Button, int X, int Y)>;
    void SetInputObserver(InputObserver observer) { inputObserver_ = std::move(observer); }

  private:
    // What a left click on the node shows.
    void ShowNode(NodeId node);
    void ShowScreenshot(NodeId skin);
    void OpenContextMenu(NodeId node, MenuPlace place);
    // The manager of the selected window-kind node, or null.
    clsSkinMng* TargetManager() const;
    // Hands an event to the target manager; false when there is none.
    bool Route(std::string_view operation, Result<void> (clsSkinMng::*call)(int, int, int),
               int Button, int X, int Y);
    // Shows a drawing failure, or clears the last one after a drawing that worked.
    void Report(const Result<void>& drawn);
    void ReadRootList();
    void ReadWindowSettings();
    void SetLanguage(Language language);
    // What the preview shows, for the status line; kNoNode when nothing of the tree.
    void Showing(NodeId skin, int slot, const std::filesystem::path& screenshot);
    void UpdateStatusFields();
    void NodeRemoving(NodeId node);
    // The skin node of a skin or window-kind node, or kNoNode.
    NodeId SkinOf(NodeId node) const;
    // Checks the skin once and marks its node when it has problems. With a watch the check runs
    // on a thread of its own (it looks at every file of the skin, which under Wine takes a second
    // or more) and the mark follows when it is done; a report on the way stops it, and it runs
    // again kMarkDelay after the reports. Without a watch, at once.
    void MarkSkin(NodeId skin);
    // The manager of a skin node in the tree; null for a node that is not (or no longer) a skin.
    const clsSkinMng* SkinManager(NodeId skin) const;
    // The check of the skin in `dir` found problems or none; a skin gone from the tree since, or
    // now in another folder, is not marked.
    void Marked(NodeId skin, const std::filesystem::path& dir, bool problems);
    // Marks the skin once its picture is on the screen: kMarkDelay from now, or at once without
    // a watch. With `again`, a skin marked before is checked anew.
    void OweMark(NodeId skin, bool again);
    // Tells the watch what to watch now.
    void UpdateWatch();
    std::vector<WatchedFolder> ShownFolders() const;
    void RedrawShown();
    // Remembers where the pointer is over a shown window and what it holds.
    void Point(int Button, int X, int Y);

    MainView& view_;
    SettingsFolder settings_;
    std::string version_;
    // The skin managers present into the view's pane through the zoom.
    ZoomedPane zoomedPane_;
    SkinTree tree_;
    ControlLayout layout_;
    std::filesystem::path roDir_;
    int treeButton_ = 0;
    // The last press handed to a manager, for the double click.
    int lastButton_ = 0;
    int lastX_ = 0;
    int lastY_ = 0;
    // Files that existed at start but could not be read: never written back.
    bool keepRootList_ = false;
    bool keepSettings_ = false;
    bool settingsSaved_ = false;
    bool showingDrawFailure_ = false;
    InputObserver inputObserver_;
    Language language_ = Language::Japanese;
    // The skin whose picture the preview shows, and which: a window kind's slot, or its
    // screenshot.
    NodeId shownSkin_ = kNoNode;
    int shownSlot_ = 0;
    std::filesystem::path shownScreenshot_;
    // Skins checked for the tree's marks, so that each is checked once.
    std::set<NodeId> checkedSkins_;
    // The pointer's last position over the shown window and the buttons held there; unknown once
    // the tree shows something else.
    struct Pointer {
        bool known = false;
        int Button = 0;
        int X = 0;
        int Y = 0;
    };
    Pointer pointer_;
    FolderWatch* watch_ = nullptr;
    std::vector<std::filesystem::path> changedFolders_;
    bool gathering_ = false;
    std::chrono::steady_clock::time_point gatheringSince_;
    // Skins whose marks are still to be checked: shown for the first time, or drawn again from
    // changed files.
    std::vector<NodeId> marksOwed_;
    // Skins whose checks run on `checks_` or wait there, once for each check.
    std::vector<NodeId> marksUnderWay_;
    // Last, so that its thread has stopped before anything it hands back to goes.
    BackgroundJobs checks_;
};

}  // namespace morvish
