#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QKeySequence>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>
#include <thread>

#include "platform/Platform.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

// The node a tree item stands for.
constexpr int kNodeRole = Qt::UserRole;

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

frmMain::frmMain(Dialogs& dialogs, SettingsFolder settings) : dialogs_(dialogs) {
    setWindowTitle("Morvish for Ragnarok Online");
    setWindowIcon(QIcon(":/morvish/org.morvish.Morvish.png"));
    CreateControls();
    logic_ = std::make_unique<MainController>(*this, std::move(settings), MORVISH_VERSION);
    folderWatcher_ = std::make_unique<FolderWatcher>(*logic_);
    logic_->SetFolderWatch(folderWatcher_.get());
    CreateMenus();
    statusBar()->setSizeGripEnabled(true);
    shownField_ = new QLabel(this);
    gameFolderField_ = new QLabel(this);
    statusBar()->addPermanentWidget(shownField_);
    statusBar()->addPermanentWidget(gameFolderField_);
    ResizeClientArea(kDesignClientWidth, kDesignClientHeight);
}

frmMain::~frmMain() {
    // The watch goes first: the logic must not tell it anything while it is taken apart.
    logic_->SetFolderWatch(nullptr);
}

void frmMain::CreateControls() {
    client = new ClientArea(this);
    setCentralWidget(client);
    tvwSelectSkin = new SkinTreeWidget(client);
    cntForResize = new SplitterBar(client);
    picShowSkin = new PreviewPaneWidget(client);
    ApplyLayout(ControlLayout{});

    // The sample texts are drawn with the renderer's own fonts; these labels only carry the
    // faces the window was designed with.
    lblJapaneseFont = new QLabel("日本語用フォント", client);
    lblJapaneseFont->setGeometry(8, 296, 97, 17);
    lblJapaneseFont->hide();
    lblEnglishFont = new QLabel("Font For English", client);
    lblEnglishFont->setFont(QFont("Arial", 9, QFont::Normal));
    lblEnglishFont->setGeometry(120, 296, 113, 25);
    lblEnglishFont->hide();

    client->Resized = [this] { logic_->Form_Resize(); };
    tvwSelectSkin->MouseDown = [this](int Button) { logic_->tvwSelectSkin_MouseDown(Button); };
    tvwSelectSkin->NodeClick = [this](QTreeWidgetItem* item) {
        logic_->tvwSelectSkin_NodeClick(NodeOf(item));
    };
    tvwSelectSkin->KeyboardSelect = [this](QTreeWidgetItem* item) {
        logic_->tvwSelectSkin_KeyboardSelect(NodeOf(item));
    };
    tvwSelectSkin->KeyboardContextMenu = [this] { logic_->tvwSelectSkin_ContextMenuKey(); };
    tvwSelectSkin->Enter = [this](QTreeWidgetItem* item) {
        logic_->tvwSelectSkin_Enter(NodeOf(item));
    };
    cntForResize->MouseMove = [this](int Button, int X, int Y) {
        logic_->cntForResize_MouseMove(Button, X, Y);
    };
    picShowSkin->MouseDown = [this](int Button, int X, int Y) {
        logic_->picShowSkin_MouseDown(Button, X, Y);
    };
    picShowSkin->MouseMove = [this](int Button, int X, int Y) {
        logic_->picShowSkin_MouseMove(Button, X, Y);
    };
    picShowSkin->MouseUp = [this](int Button, int X, int Y) {
        logic_->picShowSkin_MouseUp(Button, X, Y);
    };
    picShowSkin->DblClick = [this] { logic_->picShowSkin_DblClick(); };
}

QMenu* frmMain::BuildMenu(QMenu* menu, const MenuDefinition& definition) {
    menus_[definition.name] = menu;
    menuCaptions_.emplace_back(menu, definition.caption);
    for (const MenuEntry& entry : definition.entries) {
        if (!entry.command) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(Q(logic_->Caption(entry.caption)));
        actionCaptions_.emplace_back(action, entry.caption);
        action->setEnabled(entry.enabled);
        const Command command = *entry.command;
        action->setCheckable(logic_->IsChecked(command) || command == Command::LanguageJapanese ||
                             command == Command::LanguageEnglish ||
                             (command >= Command::Zoom1 && command <= Command::Zoom4));
        action->setChecked(logic_->IsChecked(command));
        if (!entry.shortcut.empty()) {
            action->setShortcut(QKeySequence(Q(entry.shortcut), QKeySequence::PortableText));
            // The keys of the context menus work while their menu is closed too.
            addAction(action);
        }
        connect(action, &QAction::triggered, this, [this, command] { logic_->Run(command); });
        actions_[command] = action;
    }
    return menu;
}

void frmMain::CreateMenus() {
    for (const MenuDefinition& definition : MenuBar()) {
        BuildMenu(menuBar()->addMenu(Q(logic_->Caption(definition.caption))), definition);
    }
    // The context menus are never shown in the menu bar.
    for (const MenuDefinition* definition : {&RootNodeMenu(), &SkinNodeMenu()}) {
        BuildMenu(new QMenu(Q(logic_->Caption(definition->caption)), this), *definition);
    }
}

QAction* frmMain::Action(Command command) const {
    const auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

QMenu* frmMain::Menu(std::string_view name) const {
    const auto found = menus_.find(name);
    return found == menus_.end() ? nullptr : found->second;
}

void frmMain::ResizeClientArea(int width, int height) {
    const int above = menuBar()->sizeHint().height();
    const int below = statusBar()->sizeHint().height();
    resize(width, above + height + below);
}

void frmMain::closeEvent(QCloseEvent* event) {
    logic_->SaveSetting();
    event->accept();
}

// ---- The window ---------------------------------------------------------------------------------

void frmMain::ShowWindow() {
    show();
}

void frmMain::CloseWindow() {
    close();
}

WindowSize frmMain::ClientSize() const {
    return WindowSize{client->width(), client->height()};
}

void frmMain::ApplyLayout(const ControlLayout& layout) {
    const auto place = [](QWidget* control, const ControlRect& rect) {
        control->setGeometry(rect.Left, rect.Top, rect.Width, rect.Height);
    };
    place(tvwSelectSkin, layout.tvwSelectSkin);
    place(cntForResize, layout.cntForResize);
    place(picShowSkin, layout.picShowSkin);
    for (LineControl& line : client->linSplit) line.X2 = layout.linSplitEnd;
    client->update();
}

WindowPlacement frmMain::Placement() const {
    WindowState state = WindowState::Normal;
    if (windowState() & Qt::WindowMinimized) {
        state = WindowState::Minimised;
    } else if (windowState() & Qt::WindowMaximized) {
        state = WindowState::Maximised;
    }
    // The restored size, also when the window is maximised or minimised now.
    const QRect restored = normalGeometry().isValid() ? normalGeometry() : geometry();
    return WindowPlacement{state, WindowSize{restored.width(), restored.height()}};
}

void frmMain::Place(const WindowPlacement& placement) {
    resize(placement.restored.width, placement.restored.height);
    switch (placement.state) {
        case WindowState::Minimised:
            setWindowState(Qt::WindowMinimized);
            break;
        case WindowState::Maximised:
            setWindowState(Qt::WindowMaximized);
            break;
        case WindowState::Normal:
            setWindowState(Qt::WindowNoState);
            break;
    }
}

WindowSize frmMain::AvailableScreen() const {
    const QScreen* shown = screen();
    if (shown == nullptr) return WindowSize{width(), height()};
    // The frame the window manager adds around the window takes its share of the screen too.
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize available = shown->availableGeometry().size() - frame;
    return WindowSize{available.width(), available.height()};
}

// ---- The skin tree ------------------------------------------------------------------------------

QTreeWidgetItem* frmMain::Item(NodeId node) const {
    const auto found = items_.find(node);
    return found == items_.end() ? nullptr : found->second;
}

NodeId frmMain::NodeOf(const QTreeWidgetItem* item) {
    return item == nullptr ? kNoNode : item->data(0, kNodeRole).value<NodeId>();
}

void frmMain::AddTreeNode(NodeId id, const SkinTree::Node& node) {
    QTreeWidgetItem* parent = Item(node.parent);
    auto* item = parent != nullptr ? new QTreeWidgetItem(parent, QStringList(Q(node.text)))
                                   : new QTreeWidgetItem(tvwSelectSkin, QStringList(Q(node.text)));
    item->setData(0, kNodeRole, QVariant::fromValue(id));
    if (node.kind == NodeKind::Root) {
        // Long root paths are shown whole under the pointer.
        item->setToolTip(0, Q(node.text));
        item->setExpanded(true);
    }
    items_[id] = item;
}

void frmMain::RemoveTreeNode(NodeId id) {
    const auto found = items_.find(id);
    if (found == items_.end()) return;
    delete found->second;
    items_.erase(found);
}

NodeId frmMain::SelectedNode() const {
    return NodeOf(tvwSelectSkin->currentItem());
}

void frmMain::SelectTreeNode(NodeId id) {
    tvwSelectSkin->setCurrentItem(Item(id));
}

void frmMain::SetTreeNodeText(NodeId id, const std::string& text) {
    if (QTreeWidgetItem* item = Item(id)) item->setText(0, Q(text));
}

void frmMain::ExpandTreeNode(NodeId id) {
    if (QTreeWidgetItem* item = Item(id)) item->setExpanded(true);
}

// ---- The preview pane ---------------------------------------------------------------------------

PreviewPane& frmMain::Pane() {
    return *picShowSkin;
}

Result<void> frmMain::ShowPictureFile(const fs::path& file) {
    const Result<std::string> bytes = platform::ReadRegularFile(file);
    if (!bytes) return std::unexpected(bytes.error());
    QByteArray data = QByteArray::fromStdString(*bytes);
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    const QImage image = reader.read();
    if (image.isNull()) {
        return Failure(ErrorKind::PictureUnreadable, file,
                       platform::DisplayText(file) + ": " + reader.errorString().toStdString());
    }
    picShowSkin->ShowImage(image);
    return {};
}

void frmMain::ClearPreview() {
    picShowSkin->ShowImage(QImage());
}

// ---- Messages -----------------------------------------------------------------------------------

void frmMain::ShowStatus(const std::string& text) {
    if (text.empty()) {
        statusBar()->clearMessage();
        statusBar()->setToolTip(QString());
        return;
    }
    // Paths make long messages; the whole text is at hand under the pointer.
    statusBar()->showMessage(Q(text));
    statusBar()->setToolTip(Q(text));
}

void frmMain::ShowStatusFields(const std::string& shown, const std::string& gameFolder) {
    shownField_->setText(Q(shown));
    gameFolderField_->setText(Q(gameFolder));
    gameFolderField_->setToolTip(Q(gameFolder));
}

void frmMain::ApplyLanguage(Language language) {
    for (const auto& [menu, caption] : menuCaptions_) menu->setTitle(Q(Tr(caption, language)));
    for (const auto& [action, caption] : actionCaptions_) action->setText(Q(Tr(caption, language)));
    for (const auto& [command, action] : actions_) {
        if (action->isCheckable()) action->setChecked(logic_->IsChecked(command));
    }
    // Qt's own buttons (OK, Cancel, Yes, No) follow.
    if (qtTexts_) QApplication::removeTranslator(qtTexts_.get());
    qtTexts_.reset();
    if (language == Language::Japanese) {
        auto texts = std::make_unique<QTranslator>();
        if (texts->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QApplication::installTranslator(texts.get());
            qtTexts_ = std::move(texts);
        }
    }
}

void frmMain::ShowMessage(const Message& message) {
    dialogs_.Message(isVisible() ? this : nullptr, message.icon, Q(message.title), Q(message.text));
}

bool frmMain::AskYesNo(const Message& message) {
    return dialogs_.AskYesNo(this, Q(message.title), Q(message.text));
}

std::string frmMain::BrowseForFolder(std::string_view prompt, const fs::path& start) {
    return dialogs_.BrowseForFolder(this, Q(prompt), Q(platform::DisplayText(start))).toStdString();
}

void frmMain::RunWithProgress(const std::string& title, InstallProgress& progress,
                              const std::function<void()>& work) {
    // How long the work may take before the progress bar shows, and how often it is looked at.
    constexpr int kMomentMs = 400;
    constexpr int kPollMs = 30;
    const Language language = logic_->CurrentLanguage();
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work();
        done = true;
    });

    // The window keeps painting but takes no input while the work runs.
    setEnabled(false);
    QProgressDialog dialog(this);
    dialog.setWindowTitle(windowTitle());
    dialog.setMinimumWidth(360);
    dialog.setCancelButtonText(Q(Tr(Text::InstallCancelButton, language)));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(kMomentMs);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    QEventLoop loop;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [&] {
        const int total = int(progress.total.load());
        const int copied = int(progress.copied.load());
        dialog.setMaximum(std::max(total, 1));
        dialog.setValue(std::min(copied, std::max(total, 1) - 1));
        dialog.setLabelText(Q(title + "\n" +
                              Format(Text::InstallProgressText, language,
                                     {std::to_string(copied), std::to_string(total)})));
        if (dialog.wasCanceled()) progress.cancel = true;
        if (done) loop.quit();
    });
    poll.start(kPollMs);
    loop.exec();
    worker.join();
    dialog.close();
    setEnabled(true);
}

void frmMain::OpenContextMenu(const MenuDefinition& menu, MenuPlace place) {
    QMenu* shown = Menu(menu.name);
    if (shown == nullptr) return;
    QPoint at = QCursor::pos();
    if (place == MenuPlace::AtSelectedNode) {
        if (QTreeWidgetItem* item = tvwSelectSkin->currentItem()) {
            at = tvwSelectSkin->viewport()->mapToGlobal(
                tvwSelectSkin->visualItemRect(item).center());
        }
    }
    dialogs_.PopupMenu(*shown, at);
}

// ---- Tools for skin artists
// ----------------------------------------------------------------------

std::filesystem::path frmMain::AskSavePath(std::string_view title, const std::string& name) {
    const QString chosen =
        QFileDialog::getSaveFileName(this, Q(title), Q(name), QStringLiteral("PNG (*.png)"));
    if (chosen.isEmpty()) return {};
    return platform::PathFromUtf8(chosen.toStdString());
}

bool frmMain::CopyPicture(const Bitmap& picture) {
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x) row[x] = 0xFF000000u | picture.At(x, y);
    }
    QGuiApplication::clipboard()->setImage(image);
    return true;  // Qt reports no failure of the clipboard
}

void frmMain::ShowReport(std::string_view title, const std::string& text) {
    if (report_ == nullptr) {
        report_ = new QDialog(this);
        reportText_ = new QPlainTextEdit(report_);
        reportText_->setReadOnly(true);
        reportText_->setLineWrapMode(QPlainTextEdit::NoWrap);
        reportText_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        auto* layout = new QVBoxLayout(report_);
        layout->addWidget(reportText_);
        report_->resize(900, 600);
    }
    report_->setWindowTitle(Q(title));
    reportText_->setPlainText(Q(text));
    report_->show();
    report_->raise();
}

void frmMain::MarkTreeNode(NodeId id, bool problem) {
    if (QTreeWidgetItem* item = Item(id)) {
        item->setIcon(0, problem ? style()->standardIcon(QStyle::SP_MessageBoxWarning) : QIcon());
    }
}

}  // namespace morvish
