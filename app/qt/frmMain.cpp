#include "frmMain.h"

#include <QAction>
#include <QBuffer>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTreeWidgetItem>
#include <array>
#include <filesystem>
#include <optional>
#include <tuple>

#include "app/SkinFolder.h"
#include "app/SkinInstall.h"
#include "app/SkinRootList.h"
#include "app/mdlWinAPI.h"
#include "platform/Platform.h"
#include "windows/WindowSlots.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

using mdlWinAPI::IniValue;

constexpr int kTagRole = Qt::UserRole;
// The folder of a root or skin node, as the bytes of its path.
constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kRightButton = 2;
constexpr int kLeftButton = 1;
// The tree's top and the splitter's left edge must stay this far from the client area's bottom
// and right edge for the controls to follow its size.
constexpr int kLayoutMargin = 20;
// The splitter's left edge never goes to this or less by dragging.
constexpr int kSplitterMinimum = 10;
// A stored splitter position this small would give the tree no width.
constexpr int kStoredSplitterMinimum = 6;
// Failures listed in one message box at most; the rest are counted.
constexpr std::size_t kListedFailures = 20;

const char* const kGeneral = "General";
const char* const kFormMain = "FORM_MAIN";

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}
QString Shown(const fs::path& path) {
    return FromUtf8(platform::DisplayText(path));
}
std::string ToUtf8(const QString& text) {
    return text.toStdString();
}

// Window state as stored: 0 normal, 1 minimised, 2 maximised.
int StoredState(Qt::WindowStates state) {
    if (state & Qt::WindowMinimized) return 1;
    if (state & Qt::WindowMaximized) return 2;
    return 0;
}

Qt::WindowStates RestoredState(int stored) {
    switch (stored) {
        case 1:
            return Qt::WindowMinimized;
        case 2:
            return Qt::WindowMaximized;
        default:
            return Qt::WindowNoState;
    }
}

QString FailureList(const std::vector<std::string>& failures) {
    QStringList lines;
    for (std::size_t i = 0; i < failures.size() && i < kListedFailures; ++i) {
        lines << FromUtf8(failures[i]);
    }
    if (failures.size() > kListedFailures) {
        lines << QString("ほか %1 件").arg(failures.size() - kListedFailures);
    }
    return lines.join('\n');
}

}  // namespace

frmMain::frmMain(Dialogs& dialogs, SettingsFolder settings)
    : dialogs_(dialogs), settings_(std::move(settings)) {
    setWindowTitle("Morvish for Ragnarok Online");
    setWindowIcon(QIcon(":/morvish/org.morvish.Morvish.png"));
    SkinManagers.emplace_back();  // index 0 is never used
    CreateMenus();
    CreateControls();
    statusBar()->setSizeGripEnabled(true);
    ResizeClientArea(kDesignClientWidth, kDesignClientHeight);
}

frmMain::~frmMain() = default;

void frmMain::CreateControls() {
    client = new ClientArea(this);
    setCentralWidget(client);

    tvwSelectSkin = new SkinTreeWidget(client);
    tvwSelectSkin->setGeometry(4, 8, 121, 265);
    cntForResize = new SplitterBar(client);
    cntForResize->setGeometry(kDesignSplitterLeft, 8, 2, 267);
    picShowSkin = new PreviewPaneWidget(client);
    picShowSkin->setGeometry(136, 8, 313, 273);

    // The sample texts are drawn with the renderer's own fonts; these labels only carry the
    // faces the window was designed with.
    lblJapaneseFont = new QLabel("日本語用フォント", client);
    lblJapaneseFont->setGeometry(8, 296, 97, 17);
    lblJapaneseFont->hide();
    lblEnglishFont = new QLabel("Font For English", client);
    QFont english("Arial", 9, QFont::Normal);
    lblEnglishFont->setFont(english);
    lblEnglishFont->setGeometry(120, 296, 113, 25);
    lblEnglishFont->hide();

    client->Resized = [this] { Form_Resize(); };
    tvwSelectSkin->MouseDown = [this](int Button) { tvwSelectSkin_MouseDown(Button); };
    tvwSelectSkin->NodeClick = [this](QTreeWidgetItem* Node) { tvwSelectSkin_NodeClick(Node); };
    tvwSelectSkin->KeyboardSelect = [this](QTreeWidgetItem* Node) { ShowNode(Node); };
    tvwSelectSkin->KeyboardContextMenu = [this](QTreeWidgetItem* Node, QPoint position) {
        OpenContextMenu(Node, position);
    };
    cntForResize->MouseMove = [this](int Button, int X, int Y) {
        cntForResize_MouseMove(Button, X, Y);
    };
    picShowSkin->MouseDown = [this](int Button, int X, int Y) {
        picShowSkin_MouseDown(Button, X, Y);
    };
    picShowSkin->MouseMove = [this](int Button, int X, int Y) {
        picShowSkin_MouseMove(Button, X, Y);
    };
    picShowSkin->MouseUp = [this](int Button, int X, int Y) { picShowSkin_MouseUp(Button, X, Y); };
    picShowSkin->DblClick = [this] { picShowSkin_DblClick(); };
}

void frmMain::CreateMenus() {
    auto command = [this](QMenu* menu, const char* caption, bool enabled, void (frmMain::*run)()) {
        QAction* action = menu->addAction(caption);
        action->setEnabled(enabled);
        if (run != nullptr)
            connect(action, &QAction::triggered, this, [this, run] { (this->*run)(); });
        return action;
    };

    mnuFile = menuBar()->addMenu("ファイル");
    mnuAddSkinDirectory =
        command(mnuFile, "スキンディレクトリの追加", true, &frmMain::mnuAddSkinDirectory_Click);
    mnuDownloadSkin = command(mnuFile, "スキンファイルのダウンロード", false, nullptr);
    mnuAddSkinSite = command(mnuFile, "スキンサイトの追加", false, nullptr);
    mnuFile->addSeparator();
    mnuSetting = command(mnuFile, "設定", true, &frmMain::mnuSetting_Click);
    mnuFile->addSeparator();
    mnuExit = command(mnuFile, "終了", true, &frmMain::mnuExit_Click);

    mnuHelp = menuBar()->addMenu("ヘルプ");
    mnuAbout = command(mnuHelp, "このソフトについて", true, &frmMain::mnuAbout_Click);

    // The holder of the two context menus is never shown in the menu bar.
    mnuPopup = menuBar()->addMenu("POPUP MENU");
    mnuPopup->menuAction()->setVisible(false);
    mnuPopupForRootNode = mnuPopup->addMenu("POPUP ルートノード用");
    mnuSubDirRefres =
        command(mnuPopupForRootNode, "ディレクトリの更新", true, &frmMain::mnuSubDirRefres_Click);
    mnuRemoveRootDir =
        command(mnuPopupForRootNode, "ディレクトリの削除", true, &frmMain::mnuRemoveRootDir_Click);
    mnuPopupForSkinRoot = mnuPopup->addMenu("POPUP スキンルート用");
    mnuAddSkinToRO = command(mnuPopupForSkinRoot, "このスキンをＲＯのスキンに加える", true,
                             &frmMain::mnuAddSkinToRO_Click);
    mnuSetToROSkin = command(mnuPopupForSkinRoot, "このスキンをＲＯのスキンに設定", false, nullptr);
}

void frmMain::ResizeClientArea(int width, int height) {
    const int above = menuBar()->sizeHint().height();
    const int below = statusBar()->sizeHint().height();
    resize(width, above + height + below);
}

// ---- Settings -------------------------------------------------------------------------------

void frmMain::LoadSetting() {
    fs::path listPath = settings_.ReadPath(kSkinRootListName);
    if (listPath.empty()) listPath = settings_.InstalledPath(kSkinRootListName);
    if (!listPath.empty()) {
        const Result<std::string> list = platform::ReadRegularFile(listPath);
        if (!list) ReportProblem(list.error().message);
        // Relative entries name folders beside the list itself.
        for (const fs::path& line : ParseSkinRootList(list.value_or(std::string()))) {
            fs::path root = NormaliseRootPath(line, listPath.parent_path());
            ScanSkinRoot(root, nullptr);
        }
    }

    const fs::path ini = settings_.ReadPath(kSettingsFileName);
    auto readInteger = [&](const char* key, int current) {
        return std::get<std::int32_t>(mdlWinAPI::ReadIniValue(
            ini, kFormMain, key, mdlWinAPI::kIniInteger, std::to_string(current)));
    };
    RODir = std::get<std::string>(
        mdlWinAPI::ReadIniValue(ini, kGeneral, "RODir", mdlWinAPI::kIniString, ""));

    int splitterLeft = readInteger("DIVPOS", cntForResize->x());
    if (splitterLeft <= kStoredSplitterMinimum) splitterLeft = kDesignSplitterLeft;
    cntForResize->move(splitterLeft, cntForResize->y());

    const int widthInTwips = readInteger("WIDTH", width() * kTwipsPerPixel);
    const int heightInTwips = readInteger("HEIGHT", height() * kTwipsPerPixel);
    resize(qRound(double(widthInTwips) / kTwipsPerPixel),
           qRound(double(heightInTwips) / kTwipsPerPixel));
    setWindowState(RestoredState(readInteger("STYLE", 0)));

    Form_Resize();
}

void frmMain::SaveSetting() {
    std::vector<std::string> failures;

    std::vector<fs::path> roots;
    for (int i = 0; i < tvwSelectSkin->topLevelItemCount(); ++i) {
        roots.push_back(NodePath(tvwSelectSkin->topLevelItem(i)));
    }
    const Result<fs::path> listPath = settings_.WritePath(kSkinRootListName);
    const Result<void> listWritten =
        listPath ? platform::WriteFileAtomically(*listPath, FormatSkinRootList(roots))
                 : Result<void>(std::unexpected(listPath.error()));
    if (!listWritten) failures.push_back(listWritten.error().message);

    // The restored size, also when the window is maximised or minimised now.
    const QRect restored = normalGeometry().isValid() ? normalGeometry() : geometry();
    const std::array<std::tuple<const char*, const char*, IniValue>, 5> entries = {{
        {kGeneral, "RODir", RODir},
        {kFormMain, "STYLE", StoredState(windowState())},
        {kFormMain, "WIDTH", restored.width() * kTwipsPerPixel},
        {kFormMain, "HEIGHT", restored.height() * kTwipsPerPixel},
        {kFormMain, "DIVPOS", cntForResize->x()},
    }};
    const Result<fs::path> ini = settings_.WritePath(kSettingsFileName);
    if (!ini) failures.push_back(ini.error().message);
    for (std::size_t i = 0; ini && i < entries.size(); ++i) {
        const auto& [section, key, value] = entries[i];
        // Every key rewrites the same file; after one failure the others would fail alike.
        if (auto written = mdlWinAPI::WriteIniValue(*ini, section, key, value); !written) {
            failures.push_back(written.error().message);
            break;
        }
    }

    if (!failures.empty()) {
        dialogs_.Message(this, MessageIcon::Warning, "設定の保存エラー",
                         "設定を保存できませんでした。\n\n" + FailureList(failures));
    }
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!settingsSaved_) {
        settingsSaved_ = true;
        SaveSetting();
    }
    event->accept();
}

// ---- Layout ---------------------------------------------------------------------------------

int frmMain::ScaleWidth() const {
    return client->width();
}
int frmMain::ScaleHeight() const {
    return client->height();
}

void frmMain::Form_Resize() {
    const int scaleWidth = ScaleWidth();
    const int scaleHeight = ScaleHeight();
    for (LineControl& line : client->linSplit) line.X2 = scaleWidth;
    client->update();

    const bool heightsFollow = tvwSelectSkin->y() + kLayoutMargin < scaleHeight;
    if (heightsFollow) {
        picShowSkin->resize(picShowSkin->width(), scaleHeight - 10);
        cntForResize->resize(cntForResize->width(), picShowSkin->height());
        tvwSelectSkin->resize(tvwSelectSkin->width(), scaleHeight - tvwSelectSkin->y() - 2);
    }
    tvwSelectSkin->resize(cntForResize->x() - 6, tvwSelectSkin->height());
    const bool widthsFollow = cntForResize->x() + kLayoutMargin < scaleWidth;
    if (widthsFollow) {
        picShowSkin->setGeometry(cntForResize->x() + 2, picShowSkin->y(),
                                 scaleWidth - cntForResize->x() - 6, picShowSkin->height());
    }
    if (heightsFollow && widthsFollow) ShowNode(tvwSelectSkin->currentItem());
}

void frmMain::cntForResize_MouseMove(int Button, int X, int Y) {
    (void)Y;
    if (cntForResize->x() + X > kSplitterMinimum && Button == kLeftButton) {
        cntForResize->move(cntForResize->x() + X, cntForResize->y());
    }
    Form_Resize();
}

// ---- Skin tree ------------------------------------------------------------------------------

QString frmMain::NodeTag(const QTreeWidgetItem* Node) {
    return Node == nullptr ? QString() : Node->data(0, kTagRole).toString();
}

bool frmMain::IsRootNode(const QTreeWidgetItem* Node) {
    return Node != nullptr && NodeTag(Node).isEmpty();
}

bool frmMain::IsSkinNode(const QTreeWidgetItem* Node) {
    return Node != nullptr && !IsRootNode(Node) && IsRootNode(Node->parent());
}

bool frmMain::IsWindowKindNode(const QTreeWidgetItem* Node) {
    return Node != nullptr && !IsRootNode(Node) && !IsSkinNode(Node);
}

fs::path frmMain::NodePath(const QTreeWidgetItem* Node) {
    if (Node == nullptr) return {};
    return platform::PathFromUtf8(Node->data(0, kPathRole).toByteArray().toStdString());
}

void frmMain::ScanSkinRoot(fs::path& Path, QTreeWidgetItem* Node) {
    Path = NormaliseRootPath(Path);
    if (Path.empty()) return;
    std::error_code error;
    if (!fs::is_directory(Path, error)) return;

    if (Node == nullptr) {
        Node = new QTreeWidgetItem(tvwSelectSkin, QStringList(Shown(Path)));
        Node->setToolTip(0, Shown(Path));
        Node->setData(0, kPathRole, QByteArray::fromStdString(platform::PathToUtf8(Path)));
        Node->setExpanded(true);
    }
    Node->setData(0, kTagRole, QString());

    for (const fs::path& name : ListSkinNames(Path)) {
        const std::size_t index = SkinManagers.size();
        auto manager = std::make_unique<clsSkinMng>(kWindowSlots);
        manager->ClassInitialize(*picShowSkin, Path / name);
        SkinManagers.push_back(std::move(manager));

        auto* skin = new QTreeWidgetItem(Node, QStringList(Shown(name)));
        skin->setData(0, kTagRole, QString::number(index));
        skin->setData(0, kPathRole, QByteArray::fromStdString(platform::PathToUtf8(Path / name)));
        for (const WindowSlot& slot : kWindowSlots) {
            auto* kind = new QTreeWidgetItem(skin, QStringList(FromUtf8(std::string(slot.label))));
            kind->setData(0, kTagRole, QString::number(slot.number));
        }
    }
}

void frmMain::tvwSelectSkin_MouseDown(int Button) {
    TreeButton = Button;
}

void frmMain::tvwSelectSkin_NodeClick(QTreeWidgetItem* Node) {
    if (Node == nullptr) return;
    if (TreeButton == kRightButton) {
        tvwSelectSkin->setCurrentItem(Node);
        OpenContextMenu(Node, QCursor::pos());
        return;
    }
    ShowNode(Node);
}

void frmMain::OpenContextMenu(QTreeWidgetItem* Node, QPoint screenPosition) {
    if (IsRootNode(Node)) {
        dialogs_.PopupMenu(*mnuPopupForRootNode, screenPosition);
    } else if (IsSkinNode(Node)) {
        dialogs_.PopupMenu(*mnuPopupForSkinRoot, screenPosition);
    }
}

clsSkinMng* frmMain::ManagerOf(const QTreeWidgetItem* SkinNode) const {
    bool isNumber = false;
    const int index = NodeTag(SkinNode).toInt(&isNumber);
    if (!isNumber || index < 1 || std::size_t(index) >= SkinManagers.size()) return nullptr;
    return SkinManagers[std::size_t(index)].get();
}

void frmMain::ShowNode(QTreeWidgetItem* Node) {
    if (Node == nullptr || IsRootNode(Node)) return;
    if (IsSkinNode(Node)) {
        if (const clsSkinMng* manager = ManagerOf(Node)) ShowScreenshot(*manager);
        return;
    }
    if (clsSkinMng* manager = ManagerOf(Node->parent())) {
        Report(manager->Refresh(NodeTag(Node).toInt()));
    }
}

void frmMain::ShowScreenshot(const clsSkinMng& manager) {
    const std::optional<fs::path> screenshot = FindScreenshot(manager.DirName());
    if (!screenshot) return;
    const Result<std::string> bytes = platform::ReadRegularFile(*screenshot);
    if (!bytes) {
        Report(std::unexpected(bytes.error()));
        return;
    }
    QByteArray data = QByteArray::fromStdString(*bytes);
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    const QImage image = reader.read();
    if (image.isNull()) {
        Report(Failure(platform::DisplayText(*screenshot) + ": " + ToUtf8(reader.errorString())));
        return;
    }
    picShowSkin->ShowImage(image);
    Report({});
}

// ---- Preview input --------------------------------------------------------------------------

clsSkinMng* frmMain::TargetManager() const {
    const QTreeWidgetItem* node = tvwSelectSkin->currentItem();
    if (!IsWindowKindNode(node)) return nullptr;
    return ManagerOf(node->parent());
}

bool frmMain::Route(const char* operation, Result<void> (clsSkinMng::*call)(int, int, int),
                    int Button, int X, int Y) {
    clsSkinMng* target = TargetManager();
    if (target == nullptr) return false;
    if (inputObserver_) inputObserver_(operation, Button, X, Y);
    Report((target->*call)(Button, X, Y));
    return true;
}

void frmMain::picShowSkin_MouseDown(int Button, int X, int Y) {
    if (!Route("MouseDown", &clsSkinMng::MouseDown, Button, X, Y)) return;
    LastX = X;
    LastY = Y;
    LastButton = Button;
}

void frmMain::picShowSkin_MouseMove(int Button, int X, int Y) {
    Route("MouseMove", &clsSkinMng::MouseMove, Button, X, Y);
}

void frmMain::picShowSkin_MouseUp(int Button, int X, int Y) {
    Route("MouseUp", &clsSkinMng::MouseUp, Button, X, Y);
}

void frmMain::picShowSkin_DblClick() {
    // The second press of a double click reaches the window as a release at the first press.
    Route("MouseUp", &clsSkinMng::MouseUp, LastButton, LastX, LastY);
}

void frmMain::Report(const Result<void>& drawn) {
    if (!drawn) {
        ReportProblem(drawn.error().message);
        showingDrawFailure_ = true;
    } else if (showingDrawFailure_) {
        statusBar()->clearMessage();
        statusBar()->setToolTip(QString());
        showingDrawFailure_ = false;
    }
}

void frmMain::ReportProblem(const std::string& message) {
    // Paths make long messages; the whole text is at hand under the pointer.
    statusBar()->showMessage(FromUtf8(message));
    statusBar()->setToolTip(FromUtf8(message));
}

// ---- Commands -------------------------------------------------------------------------------

void frmMain::mnuAddSkinDirectory_Click() {
    // The dialog opens where the user is likely to keep skins: beside the selected root.
    const QTreeWidgetItem* selected = tvwSelectSkin->currentItem();
    while (selected != nullptr && selected->parent() != nullptr) selected = selected->parent();
    const QString start = selected != nullptr
                              ? Shown(NodePath(selected).parent_path().parent_path())
                              : QDir::homePath();
    fs::path path = platform::PathFromUtf8(ToUtf8(
        dialogs_
            .BrowseForFolder(this, "スキン(ディレクトリ)の親ディレクトリを選択して下さい", start)
            .trimmed()));
    if (!path.empty()) ScanSkinRoot(path, nullptr);
}

void frmMain::mnuRemoveRootDir_Click() {
    QTreeWidgetItem* node = tvwSelectSkin->currentItem();
    if (!IsRootNode(node)) return;
    if (!dialogs_.AskYesNo(this, "スキンディレクトリの削除",
                           "このディレクトリをスキンリストから外しますか？")) {
        return;
    }
    delete node;
}

void frmMain::mnuSubDirRefres_Click() {
    QTreeWidgetItem* node = tvwSelectSkin->currentItem();
    if (!IsRootNode(node) || node->childCount() == 0) return;
    for (int i = node->childCount() - 1; i >= 0; --i) delete node->takeChild(i);
    fs::path path = NodePath(node);
    ScanSkinRoot(path, node);
}

void frmMain::mnuSetting_Click() {
    const std::string chosen =
        ToUtf8(dialogs_
                   .BrowseForFolder(this, "RanarokOnlineのディレクトリを選択して下さい",
                                    RODir.empty() ? QDir::homePath() : FromUtf8(RODir))
                   .trimmed());
    if (!chosen.empty()) RODir = chosen;
}

void frmMain::mnuAddSkinToRO_Click() {
    const QTreeWidgetItem* node = tvwSelectSkin->currentItem();
    if (!IsSkinNode(node)) return;
    const QString title = "ＲＯディレクトリエラー";
    if (RODir.empty()) {
        dialogs_.Message(this, MessageIcon::Warning, title,
                         "ＲＯのディレクトリが設定されていません");
        return;
    }
    std::error_code error;
    if (!fs::is_directory(platform::PathFromUtf8(RODir), error)) {
        dialogs_.Message(this, MessageIcon::Warning, title, "ＲＯのディレクトリがみつかりません");
        return;
    }

    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const InstallResult installed = InstallSkin(
        platform::PathFromUtf8(RODir), NodePath(node->parent()), NodePath(node).filename());
    QGuiApplication::restoreOverrideCursor();
    if (!installed.failures.empty()) {
        dialogs_.Message(this, MessageIcon::Warning, "スキンのコピーエラー",
                         "スキンの一部をＲＯのスキンディレクトリにコピーできませんでした。\n\n" +
                             FailureList(installed.failures));
    }
}

void frmMain::mnuAbout_Click() {
    dialogs_.Message(this, MessageIcon::Information, "バージョン情報",
                     "Morvish ver " MORVISH_VERSION);
}

void frmMain::mnuExit_Click() {
    close();
}

}  // namespace morvish
