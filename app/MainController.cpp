#include "MainController.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <utility>

#include "SkinFolder.h"
#include "SkinInstall.h"
#include "SkinRootList.h"
#include "Text.h"
#include "platform/Platform.h"
#include "render/FileLookup.h"
#include "render/PngFile.h"
#include "render/ProgramPaths.h"
#include "render/SkinCheck.h"
#include "render/SkinFont.h"
#include "windows/WindowSlots.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;

// A folder as watches name it: without a trailing separator.
fs::path Bare(const fs::path& folder) {
    return folder.has_filename() ? folder : folder.parent_path();
}

}  // namespace

MainController::MainController(MainView& view, SettingsFolder settings, std::string version)
    : view_(view),
      settings_(std::move(settings)),
      version_(std::move(version)),
      zoomedPane_(view.Pane()),
      tree_(zoomedPane_, kWindowSlots) {
    tree_.NodeAdded = [this](NodeId node) { view_.AddTreeNode(node, *tree_.Find(node)); };
    tree_.NodeRemoving = [this](NodeId node) { NodeRemoving(node); };
}

bool MainController::StartUp(const std::function<bool()>& startSurfaceLayer) {
    // Even the first message speaks the language the user chose.
    if (const fs::path ini = settings_.ReadPath(kSettingsFileName); !ini.empty()) {
        if (const Result<StoredSettings> stored = ReadSettings(ini, {})) {
            language_ = stored->language;
        }
    }
    view_.ApplyLanguage(language_);
    if (!startSurfaceLayer()) {
        view_.ShowMessage(messages::SurfaceLayerFailed(language_));
        return false;
    }
    view_.ShowWindow();
    LoadSetting();
    // Texts without their faces are left out; the user hears what to install.
    std::string missing;
    for (const auto& [face, text] : {std::pair{FontFace::Japanese, Text::MissingJapaneseFont},
                                     std::pair{FontFace::English, Text::MissingEnglishFont}}) {
        if (FindSkinFont(face, 9) != nullptr) continue;
        if (!missing.empty()) missing += ' ';
        missing += Tr(text, language_);
    }
    if (!missing.empty()) ReportProblem(missing);
    return true;
}

// ---- Settings -------------------------------------------------------------------------------

void MainController::LoadSetting() {
    ReadRootList();
    ReadWindowSettings();
    Form_Resize();
}

void MainController::ReadRootList() {
    fs::path list = settings_.ReadPath(kSkinRootListName);
    if (list.empty()) list = settings_.InstalledPath(kSkinRootListName);
    if (list.empty()) return;
    const Result<std::string> text = platform::ReadRegularFile(list);
    if (!text) {
        // The user's own list stays as it is for a later start that can read it.
        keepRootList_ = list == settings_.ReadPath(kSkinRootListName);
        ReportProblem(Describe(text.error(), language_));
        return;
    }
    // Relative entries name folders beside the list itself.
    for (const fs::path& line : ParseSkinRootList(*text)) {
        fs::path root = NormaliseRootPath(line, list.parent_path());
        ScanSkinRoot(root, kNoNode);
    }
}

void MainController::ReadWindowSettings() {
    const WindowPlacement current = view_.Placement();
    const StoredSettings defaults{.gameDir = {},
                                  .state = WindowState::Normal,
                                  .widthTwips = current.restored.width * kTwipsPerPixel,
                                  .heightTwips = current.restored.height * kTwipsPerPixel,
                                  .splitterLeft = layout_.cntForResize.Left,
                                  .language = language_,
                                  .zoom = zoomedPane_.Zoom()};
    const fs::path ini = settings_.ReadPath(kSettingsFileName);
    Result<StoredSettings> stored = ini.empty() ? defaults : ReadSettings(ini, defaults);
    if (!stored) {
        keepSettings_ = true;
        ReportProblem(Describe(stored.error(), language_));
        stored = defaults;
    }
    roDir_ = stored->gameDir;
    // Before the language, whose menus show the zoom checked.
    zoomedPane_.SetZoom(stored->zoom);
    SetLanguage(stored->language);

    // Sizes are rounded to whole pixels; a window larger than the screen would have its title
    // bar's buttons out of reach.
    const auto pixels = [](int twips) {
        return int(std::lround(double(twips) / double(kTwipsPerPixel)));
    };
    const WindowSize restored = FitWindow({pixels(stored->widthTwips), pixels(stored->heightTwips)},
                                          view_.AvailableScreen());
    view_.Place({stored->state, restored});

    // A splitter beyond the client area would be lost for good: it is saved as it stands. A
    // minimised window has no client area; its restored size is the nearest measure.
    const int client = view_.ClientSize().width;
    const int width = client > 0 ? client : restored.width;
    layout_.cntForResize.Left = FitSplitter(stored->splitterLeft, width);
}

void MainController::SaveSetting() {
    if (settingsSaved_) return;
    settingsSaved_ = true;
    std::vector<Error> failures;

    if (!keepRootList_) {
        std::vector<fs::path> roots;
        for (NodeId root : tree_.Roots()) roots.push_back(tree_.Find(root)->folder);
        const Result<fs::path> list = settings_.WritePath(kSkinRootListName);
        const Result<void> written =
            list ? platform::WriteFileAtomically(*list,
                                                 FormatSkinRootList(roots, list->parent_path()))
                 : Result<void>(std::unexpected(list.error()));
        if (!written) failures.push_back(written.error());
    }

    if (!keepSettings_) {
        const WindowPlacement placement = view_.Placement();
        const StoredSettings settings{.gameDir = roDir_,
                                      .state = placement.state,
                                      .widthTwips = placement.restored.width * kTwipsPerPixel,
                                      .heightTwips = placement.restored.height * kTwipsPerPixel,
                                      .splitterLeft = layout_.cntForResize.Left,
                                      .language = language_,
                                      .zoom = zoomedPane_.Zoom()};
        const Result<fs::path> ini = settings_.WritePath(kSettingsFileName);
        const Result<void> written =
            ini ? WriteSettings(*ini, settings) : Result<void>(std::unexpected(ini.error()));
        if (!written) failures.push_back(written.error());
    }

    if (!failures.empty()) view_.ShowMessage(messages::SaveFailed(failures, language_));
}

// ---- Layout ---------------------------------------------------------------------------------

void MainController::Form_Resize() {
    const WindowSize client = view_.ClientSize();
    const bool redraw = morvish::Form_Resize(layout_, client.width, client.height);
    view_.ApplyLayout(layout_);
    if (redraw) ShowNode(view_.SelectedNode());
}

void MainController::cntForResize_MouseMove(int Button, int X, int /*Y*/) {
    DragSplitter(layout_, Button, X);
    Form_Resize();
}

// ---- Skin tree ------------------------------------------------------------------------------

void MainController::ScanSkinRoot(fs::path& Path, NodeId Node) {
    tree_.ScanSkinRoot(Path, Node);
    UpdateWatch();
}

void MainController::tvwSelectSkin_MouseDown(int Button) {
    treeButton_ = Button;
}

void MainController::tvwSelectSkin_NodeClick(NodeId Node) {
    if (tree_.Find(Node) == nullptr) return;
    if (treeButton_ == kRightButton) {
        view_.SelectTreeNode(Node);
        OpenContextMenu(Node, MenuPlace::AtPointer);
        return;
    }
    ShowNode(Node);
}

void MainController::tvwSelectSkin_KeyboardSelect(NodeId Node) {
    ShowNode(Node);
}

void MainController::tvwSelectSkin_ContextMenuKey() {
    OpenContextMenu(view_.SelectedNode(), MenuPlace::AtSelectedNode);
}

void MainController::tvwSelectSkin_Enter(NodeId Node) {
    if (tree_.IsSkin(Node)) view_.ExpandTreeNode(Node);
}

void MainController::OpenContextMenu(NodeId node, MenuPlace place) {
    if (tree_.IsRoot(node)) {
        view_.OpenContextMenu(RootNodeMenu(), place);
    } else if (tree_.IsSkin(node)) {
        view_.OpenContextMenu(SkinNodeMenu(), place);
    }
}

void MainController::ShowNode(NodeId node) {
    OweMark(SkinOf(node), false);
    // A picture from the tree: the pointer is over the tree, not over the window.
    pointer_.known = false;
    if (tree_.IsSkin(node)) {
        ShowScreenshot(node);
    } else if (tree_.IsWindowKind(node)) {
        const int slot = tree_.Find(node)->slot;
        const Result<void> drawn = tree_.ManagerOf(node)->Refresh(slot);
        if (drawn) Showing(tree_.Find(node)->parent, slot, {});
        Report(drawn);
    }
}

void MainController::ShowScreenshot(NodeId skin) {
    const std::optional<fs::path> screenshot = FindScreenshot(tree_.ManagerOf(skin)->DirName());
    if (!screenshot) return;
    const Result<void> shown = view_.ShowPictureFile(*screenshot);
    if (shown) Showing(skin, 0, *screenshot);
    Report(shown);
}

void MainController::Showing(NodeId skin, int slot, const fs::path& screenshot) {
    shownSkin_ = skin;
    shownSlot_ = slot;
    shownScreenshot_ = screenshot;
    UpdateStatusFields();
    UpdateWatch();
}

void MainController::UpdateStatusFields() {
    std::string shown;
    if (const SkinTree::Node* skin = tree_.Find(shownSkin_)) {
        shown = shownSlot_ != 0
                    ? Format(Text::StatusShowing, language_,
                             {skin->text, WindowKindLabel(shownSlot_, language_)})
                    : Format(Text::StatusScreenshot, language_,
                             {skin->text, platform::DisplayText(shownScreenshot_.filename())});
    }
    const std::string gameFolder =
        roDir_.empty() ? std::string(Tr(Text::StatusNoGameFolder, language_))
                       : Format(Text::StatusGameFolder, language_, {platform::DisplayText(roDir_)});
    view_.ShowStatusFields(shown, gameFolder);
}

void MainController::NodeRemoving(NodeId node) {
    view_.RemoveTreeNode(node);
    // A picture of a skin that is no longer in the tree would pass for the selected one's.
    if (node == shownSkin_) {
        view_.ClearPreview();
        Showing(kNoNode, 0, {});
    }
}

// ---- Preview input --------------------------------------------------------------------------

clsSkinMng* MainController::TargetManager() const {
    const NodeId node = view_.SelectedNode();
    return tree_.IsWindowKind(node) ? tree_.ManagerOf(node) : nullptr;
}

bool MainController::Route(std::string_view operation,
                           Result<void> (clsSkinMng::*call)(int, int, int), int Button, int X,
                           int Y) {
    clsSkinMng* target = TargetManager();
    if (target == nullptr) return false;
    // The pane's positions at the zoom's scale, which the manager then translates as at ×1.
    X = zoomedPane_.Unzoom(X);
    Y = zoomedPane_.Unzoom(Y);
    if (inputObserver_) inputObserver_(operation, Button, X, Y);
    Report((target->*call)(Button, X, Y));
    return true;
}

void MainController::Point(int Button, int X, int Y) {
    // Kept at the manager's scale, as Route hands positions on, so that a redraw puts the hover
    // on the same pixel at every zoom. A new zoom shows the node again and forgets the pointer.
    pointer_ = Pointer{true, Button, zoomedPane_.Unzoom(X), zoomedPane_.Unzoom(Y)};
}

void MainController::picShowSkin_MouseDown(int Button, int X, int Y) {
    if (!Route("MouseDown", &clsSkinMng::MouseDown, Button, X, Y)) return;
    Point(Button, X, Y);
    lastX_ = X;
    lastY_ = Y;
    lastButton_ = Button;
}

void MainController::picShowSkin_MouseMove(int Button, int X, int Y) {
    if (Route("MouseMove", &clsSkinMng::MouseMove, Button, X, Y)) Point(Button, X, Y);
}

void MainController::picShowSkin_MouseUp(int Button, int X, int Y) {
    // After the release the pointer holds nothing.
    if (Route("MouseUp", &clsSkinMng::MouseUp, Button, X, Y)) Point(0, X, Y);
}

void MainController::picShowSkin_DblClick() {
    // The second press of a double click reaches the window as a release at the first press.
    Route("MouseUp", &clsSkinMng::MouseUp, lastButton_, lastX_, lastY_);
}

void MainController::Report(const Result<void>& drawn) {
    if (!drawn) {
        ReportProblem(Describe(drawn.error(), language_));
        showingDrawFailure_ = true;
    } else if (showingDrawFailure_) {
        view_.ShowStatus({});
        showingDrawFailure_ = false;
    }
}

void MainController::ReportProblem(const std::string& message) {
    view_.ShowStatus(message);
}

// ---- Commands -------------------------------------------------------------------------------

void MainController::Run(Command command) {
    switch (command) {
        case Command::AddSkinDirectory:
            return mnuAddSkinDirectory_Click();
        case Command::Setting:
            return mnuSetting_Click();
        case Command::Exit:
            return mnuExit_Click();
        case Command::LanguageJapanese:
            return SetLanguage(Language::Japanese);
        case Command::LanguageEnglish:
            return SetLanguage(Language::English);
        case Command::About:
            return mnuAbout_Click();
        case Command::SubDirRefresh:
            return mnuSubDirRefres_Click();
        case Command::RemoveRootDir:
            return mnuRemoveRootDir_Click();
        case Command::AddSkinToRO:
            return mnuAddSkinToRO_Click();
        case Command::ExportPicture:
            return mnuExportPicture_Click();
        case Command::CopyPicture:
            return mnuCopyPicture_Click();
        case Command::ZoomIn:
            return SetZoom(Zoom() + 1);
        case Command::ZoomOut:
            return SetZoom(Zoom() - 1);
        case Command::Zoom1:
        case Command::Zoom2:
        case Command::Zoom3:
        case Command::Zoom4:
            return SetZoom(int(command) - int(Command::Zoom1) + 1);
        case Command::CheckSkin:
            return mnuCheckSkin_Click();
        case Command::DownloadSkin:
        case Command::AddSkinSite:
        case Command::SetToROSkin:
            return;  // offered disabled: they do nothing
    }
}

bool MainController::IsChecked(Command command) const {
    if (command >= Command::Zoom1 && command <= Command::Zoom4) {
        return int(command) - int(Command::Zoom1) + 1 == Zoom();
    }
    return (command == Command::LanguageJapanese && language_ == Language::Japanese) ||
           (command == Command::LanguageEnglish && language_ == Language::English);
}

// ---- Tools for skin artists -----------------------------------------------------------------

NodeId MainController::SkinOf(NodeId node) const {
    if (tree_.IsSkin(node)) return node;
    if (tree_.IsWindowKind(node)) return tree_.Find(node)->parent;
    return kNoNode;
}

void MainController::MarkSkin(NodeId skin) {
    // A skin gone from the tree since its mark was owed has nothing to mark.
    const clsSkinMng* manager = SkinManager(skin);
    if (manager == nullptr || !checkedSkins_.insert(skin).second) return;
    const fs::path dir = manager->DirName();
    if (watch_ == nullptr) {
        Marked(skin, dir, CheckSkin(dir, kWindowSlots).HasProblems());
        return;
    }
    // The watch outlives the job: it is replaced only once the jobs have stopped.
    FolderWatch* watch = watch_;
    marksUnderWay_.push_back(skin);
    checks_.Post([this, watch, skin, dir](std::stop_token stop) {
        const bool problems = CheckSkin(dir, kWindowSlots, stop).HasProblems();
        if (stop.stop_requested()) return;
        watch->Deliver([this, skin, dir, problems] {
            const auto underWay = std::ranges::find(marksUnderWay_, skin);
            if (underWay != marksUnderWay_.end()) marksUnderWay_.erase(underWay);
            Marked(skin, dir, problems);
        });
    });
}

const clsSkinMng* MainController::SkinManager(NodeId skin) const {
    return tree_.IsSkin(skin) ? tree_.ManagerOf(skin) : nullptr;
}

void MainController::Marked(NodeId skin, const fs::path& dir, bool problems) {
    const clsSkinMng* manager = SkinManager(skin);
    if (manager == nullptr || manager->DirName() != dir) return;
    view_.MarkTreeNode(skin, problems);
}

void MainController::OweMark(NodeId skin, bool again) {
    // A first showing owes a mark only to a skin never checked; a change only to one checked.
    if (skin == kNoNode || checkedSkins_.contains(skin) != again) return;
    if (watch_ == nullptr) {
        checkedSkins_.erase(skin);
        MarkSkin(skin);
        return;
    }
    if (std::ranges::find(marksOwed_, skin) == marksOwed_.end()) marksOwed_.push_back(skin);
    // While reports are gathered, the mark waits for the redraw they bring.
    if (!gathering_) watch_->StartGathering(kMarkDelay);
}

void MainController::SetZoom(int zoom) {
    zoomedPane_.SetZoom(zoom);
    const NodeId node = view_.SelectedNode();
    if (tree_.IsWindowKind(node)) ShowNode(node);
    view_.ApplyLanguage(language_);  // the menus show the zoom checked
}

void MainController::mnuExportPicture_Click() {
    const NodeId node = view_.SelectedNode();
    clsSkinMng* manager = TargetManager();
    const DirectDrawSurface7* picture = manager ? manager->LastPicture() : nullptr;
    if (picture == nullptr || !tree_.IsWindowKind(node)) {
        ReportProblem(std::string(Tr(Text::NothingToExport, language_)));
        return;
    }
    // The skin folder's name and the kind as the renderer names it: "parchment-basic.png".
    const fs::path skinFolder = tree_.Find(SkinOf(node))->folder.parent_path();
    const std::string name =
        platform::DisplayText(skinFolder.filename()) + "-" +
        std::string(kWindowSlots[std::size_t(manager->CurrentMode() - 1)].kind) + ".png";
    const fs::path file = view_.AskSavePath(Tr(Text::ExportTitle, language_), name);
    if (file.empty()) return;
    if (const Result<void> written = WritePng(picture->ToBitmap(), file); !written) {
        ReportProblem(Describe(written.error(), language_));
        return;
    }
    view_.ShowStatus(Format(Text::ExportDone, language_, {platform::DisplayText(file)}));
}

void MainController::mnuCopyPicture_Click() {
    clsSkinMng* manager = TargetManager();
    const DirectDrawSurface7* picture = manager ? manager->LastPicture() : nullptr;
    if (picture == nullptr) {
        ReportProblem(std::string(Tr(Text::NothingToExport, language_)));
        return;
    }
    if (!view_.CopyPicture(picture->ToBitmap())) {
        ReportProblem(std::string(Tr(Text::CopyFailed, language_)));
        return;
    }
    view_.ShowStatus(std::string(Tr(Text::CopyDone, language_)));
}

void MainController::mnuCheckSkin_Click() {
    const NodeId skin = SkinOf(view_.SelectedNode());
    if (skin == kNoNode) {
        ReportProblem(std::string(Tr(Text::NoSkinSelected, language_)));
        return;
    }
    const SkinCheck check = CheckSkin(tree_.ManagerOf(skin)->DirName(), kWindowSlots);
    checkedSkins_.insert(skin);
    view_.MarkTreeNode(skin, check.HasProblems());
    view_.ShowReport(Format(Text::CheckTitle, language_, {tree_.Find(skin)->text}),
                     SkinCheckText(check));
}

void MainController::SetLanguage(Language language) {
    language_ = language;
    for (NodeId root : tree_.Roots()) {
        for (NodeId node : tree_.Descendants(root)) {
            if (tree_.IsWindowKind(node)) {
                view_.SetTreeNodeText(
                    node, std::string(WindowKindLabel(tree_.Find(node)->slot, language)));
            }
        }
    }
    view_.ApplyLanguage(language);
    UpdateStatusFields();
}

void MainController::mnuAddSkinDirectory_Click() {
    // The dialog opens where the user is likely to keep skins: beside the selected root.
    const NodeId root = tree_.RootOf(view_.SelectedNode());
    const fs::path start = root != kNoNode ? tree_.Find(root)->folder.parent_path().parent_path()
                                           : platform::HomeDirectory();
    const std::string chosen = view_.BrowseForFolder(Tr(Text::AddRootPrompt, language_), start);
    fs::path path = platform::PathFromUtf8(Trim(chosen));
    if (!path.empty()) ScanSkinRoot(path, kNoNode);
}

void MainController::mnuRemoveRootDir_Click() {
    const NodeId node = view_.SelectedNode();
    if (!tree_.IsRoot(node)) return;
    if (!view_.AskYesNo(messages::RemoveRootQuestion(tree_.Find(node)->folder, language_))) return;
    tree_.Remove(node);
    UpdateWatch();
}

void MainController::mnuSubDirRefres_Click() {
    // From the keyboard the command reaches the root of whatever node is selected.
    const NodeId node = tree_.RootOf(view_.SelectedNode());
    if (node == kNoNode || tree_.Find(node)->children.empty()) return;
    view_.SelectTreeNode(node);
    tree_.RemoveChildren(node);
    fs::path path = tree_.Find(node)->folder;
    ScanSkinRoot(path, node);
}

void MainController::mnuSetting_Click() {
    const fs::path start = roDir_.empty() ? platform::HomeDirectory() : roDir_;
    const std::string chosen = view_.BrowseForFolder(Tr(Text::GameFolderPrompt, language_), start);
    const std::string_view trimmed = Trim(chosen);
    if (trimmed.empty()) return;
    roDir_ = platform::PathFromUtf8(trimmed);
    UpdateStatusFields();
}

void MainController::mnuAddSkinToRO_Click() {
    const NodeId node = view_.SelectedNode();
    if (!tree_.IsSkin(node)) return;
    if (roDir_.empty()) {
        view_.ShowMessage(messages::GameFolderNotSet(language_));
        return;
    }
    std::error_code error;
    if (!fs::is_directory(roDir_, error)) {
        view_.ShowMessage(messages::GameFolderNotFound(roDir_, language_));
        return;
    }
    // Values, not nodes: the work runs on another thread.
    const SkinTree::Node& skin = *tree_.Find(node);
    const fs::path root = tree_.Find(skin.parent)->folder;
    const fs::path name = skin.folder.parent_path().filename();
    InstallProgress progress;
    InstallResult installed;
    view_.RunWithProgress(Format(Text::InstallProgressTitle, language_, {skin.text}), progress,
                          [&] { installed = InstallSkin(roDir_, root, name, &progress); });

    if (!installed.unsafeName.empty()) {
        view_.ShowMessage(messages::InstallRefused(installed.unsafeName, language_));
        return;
    }
    const std::string copied = std::to_string(installed.copied);
    const std::string target = platform::DisplayText(installed.target);
    if (!installed.failures.empty()) {
        view_.ShowMessage(messages::InstallFailed(installed.copied, installed.failures, language_));
    } else if (installed.cancelled) {
        ReportProblem(Format(Text::StatusInstallCancelled, language_,
                             {copied, std::to_string(installed.total), target}));
    } else {
        ReportProblem(Format(Text::StatusInstalled, language_, {copied, target}));
    }
}

// ---- Watching the files of what is shown ------------------------------------------------------

void MainController::SetFolderWatch(FolderWatch* watch) {
    // Checks under way hand their marks to the watch they began with; they go with it.
    if (watch != watch_) {
        checks_.Stop();
        // A check stopped on the way never marked its skin: it is checked when next owed.
        for (NodeId skin : std::exchange(marksUnderWay_, {})) checkedSkins_.erase(skin);
    }
    watch_ = watch;
    changedFolders_.clear();
    gathering_ = false;
    UpdateWatch();
}

std::vector<WatchedFolder> MainController::ShownFolders() const {
    std::vector<WatchedFolder> folders;
    const SkinTree::Node* skin = tree_.Find(shownSkin_);
    if (skin == nullptr) return folders;
    const fs::path dir = Bare(skin->folder);
    folders.push_back({dir, true});
    if (shownSlot_ == 0) return folders;
    // The folder the windows' pieces come from, in whatever case the skin writes its name. While
    // it does not exist, the skin's folder reports its making.
    std::error_code error;
    const std::optional<fs::path> pieces = ResolvePath(dir / "basic_interface");
    if (pieces && fs::is_directory(*pieces, error)) folders.push_back({Bare(*pieces), true});
    folders.push_back({Bare(GraphicDirectory()), true});
    return folders;
}

std::vector<WatchedFolder> MainController::WatchedFolders() const {
    std::vector<WatchedFolder> folders;
    for (NodeId root : tree_.Roots()) folders.push_back({Bare(tree_.Find(root)->folder), false});
    for (const WatchedFolder& shown : ShownFolders()) {
        const auto same = std::ranges::find(folders, shown.folder, &WatchedFolder::folder);
        if (same == folders.end()) {
            folders.push_back(shown);
        } else {
            same->files = same->files || shown.files;
        }
    }
    return folders;
}

void MainController::UpdateWatch() {
    if (watch_ != nullptr) watch_->WatchFolders(WatchedFolders());
}

void MainController::FolderChanged(const fs::path& folder) {
    if (watch_ == nullptr) return;
    // A check under way reads files that may be changing, and would hold up the redraw: it is
    // begun again once the reports have settled.
    if (!marksUnderWay_.empty()) {
        checks_.Cancel();
        for (NodeId skin : std::exchange(marksUnderWay_, {})) {
            if (std::ranges::find(marksOwed_, skin) == marksOwed_.end()) marksOwed_.push_back(skin);
        }
    }
    if (std::ranges::find(changedFolders_, folder) == changedFolders_.end()) {
        changedFolders_.push_back(folder);
    }
    const auto now = watch_->Now();
    if (!gathering_) {
        gathering_ = true;
        gatheringSince_ = now;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        gatheringSince_ + kLongestGathering - now);
    watch_->StartGathering(std::clamp(left, std::chrono::milliseconds(0), kGatheringDelay));
}

void MainController::GatheringElapsed() {
    if (!gathering_) {
        // The pictures drawn are on the screen by now.
        for (NodeId skin : std::exchange(marksOwed_, {})) {
            checkedSkins_.erase(skin);
            MarkSkin(skin);
        }
        return;
    }
    gathering_ = false;
    const std::vector<fs::path> changed = std::move(changedFolders_);
    changedFolders_.clear();
    const auto reported = [&](const fs::path& folder) {
        return std::ranges::find(changed, folder) != changed.end();
    };

    const std::vector<NodeId> roots = tree_.Roots();
    for (NodeId root : roots) {
        if (reported(Bare(tree_.Find(root)->folder))) tree_.SyncSkinRoot(root);
    }
    const std::vector<WatchedFolder> shown = ShownFolders();
    if (std::ranges::any_of(
            shown, [&](const WatchedFolder& watched) { return reported(watched.folder); })) {
        const NodeId skin = shownSkin_;
        RedrawShown();
        // The changed files may have mended the skin or broken it: its mark follows them.
        OweMark(skin, true);
    }
    // Folders made since, and files made in the watched folders, are watched from now on.
    UpdateWatch();
    if (!marksOwed_.empty()) watch_->StartGathering(kMarkDelay);
}

void MainController::RedrawShown() {
    const SkinTree::Node* skin = tree_.Find(shownSkin_);
    if (skin == nullptr) return;
    if (shownSlot_ == 0) {
        // The screenshot as it is now; one that is gone leaves nothing of it in the pane.
        const std::optional<fs::path> screenshot = FindScreenshot(skin->manager->DirName());
        if (!screenshot) {
            view_.ClearPreview();
            Showing(kNoNode, 0, {});
            return;
        }
        const Result<void> shown = view_.ShowPictureFile(*screenshot);
        if (shown) Showing(shownSkin_, 0, *screenshot);
        Report(shown);
        return;
    }
    clsSkinMng& manager = *skin->manager;
    manager.ReloadColorChip();
    Result<void> drawn = manager.Refresh(shownSlot_);
    // The look the pointer gives the window where it last was, as its next move would show it.
    if (drawn && pointer_.known) drawn = manager.MouseMove(pointer_.Button, pointer_.X, pointer_.Y);
    Report(drawn);
}

void MainController::mnuAbout_Click() {
    view_.ShowMessage(messages::About(version_, language_));
}

void MainController::mnuExit_Click() {
    view_.CloseWindow();
}

}  // namespace morvish
