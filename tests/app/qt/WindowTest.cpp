// The Qt program's window: its controls and menus as designed, the layout applied to the widgets,
// the window's size and state kept between runs, start-up, and the preview pane that keeps its
// picture.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidgetItem>

#include "AppTestSupport.h"
#include "app/qt/StartUp.h"
#include "platform/Platform.h"

using namespace morvish;
using namespace morvish::test;

namespace {

QStringList Entries(const QMenu* menu) {
    QStringList list;
    for (QAction* action : menu->actions()) {
        list << (action->isSeparator() ? QString("-")
                                       : action->text() + (action->isEnabled() ? "" : " (off)"));
    }
    return list;
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void controlsAsDesigned() {
        ProgramFolders folders;
        ScriptedDialogs dialogs;
        frmMain form(dialogs, folders.Settings());
        QCOMPARE(form.windowTitle(), QString("Morvish for Ragnarok Online"));
        QCOMPARE(form.tvwSelectSkin->geometry(), QRect(4, 8, 121, 265));
        QCOMPARE(form.cntForResize->geometry(), QRect(128, 8, 2, 267));
        QCOMPARE(form.picShowSkin->geometry(), QRect(136, 8, 313, 273));
        QCOMPARE(form.cntForResize->cursor().shape(), Qt::SizeHorCursor);
        QCOMPARE(form.cntForResize->backgroundRole(), QPalette::Button);
        QCOMPARE(form.picShowSkin->frameWidth(), 2);
        QCOMPARE(form.picShowSkin->BackColor(), Color(0xFFFFFF));
        QCOMPARE(form.client->linSplit[0].BorderColor, QColor(0x80, 0x80, 0x80));
        QCOMPARE(form.client->linSplit[0].Y1, 0);
        QCOMPARE(form.client->linSplit[1].BorderColor, QColor(0xFF, 0xFF, 0xFF));
        QCOMPARE(form.client->linSplit[1].Y1, 1);
        QCOMPARE(form.lblJapaneseFont->text(), QString("日本語用フォント"));
        QVERIFY(form.lblJapaneseFont->isHidden());
        QCOMPARE(form.lblEnglishFont->text(), QString("Font For English"));
        QCOMPARE(form.lblEnglishFont->font().family(), QString("Arial"));
        QCOMPARE(form.lblEnglishFont->font().pointSize(), 9);
        QVERIFY(form.lblEnglishFont->isHidden());
        QVERIFY(!form.windowIcon().isNull());
    }

    void menusAsDesigned() {
        ProgramFolders folders;
        ScriptedDialogs dialogs;
        frmMain form(dialogs, folders.Settings());
        QStringList bar;
        for (QAction* action : form.menuBar()->actions()) {
            if (action->isVisible()) bar << action->text();
        }
        QCOMPARE(bar, QStringList({"ファイル(&F)", "表示(&V)", "言語(&L)", "ヘルプ(&H)"}));
        QCOMPARE(Entries(form.Menu("mnuFile")),
                 QStringList({"スキンディレクトリの追加(&A)", "画像の保存(&P)...",
                              "画像のコピー(&C)", "-", "スキンファイルのダウンロード(&D) (off)",
                              "スキンサイトの追加(&S) (off)", "-", "設定(&O)", "-", "終了(&X)"}));
        QCOMPARE(Entries(form.Menu("mnuView")),
                 QStringList({"拡大(&I)", "縮小(&O)", "-", "×１(&1)", "×２(&2)", "×３(&3)",
                              "×４(&4)", "スキンのチェック(&K)..."}));
        QCOMPARE(form.Action(Command::ExportPicture)->shortcut(), QKeySequence("Ctrl+S"));
        QCOMPARE(form.Action(Command::CopyPicture)->shortcut(), QKeySequence("Ctrl+C"));
        QCOMPARE(form.Action(Command::ZoomIn)->shortcut(), QKeySequence("Ctrl++"));
        QCOMPARE(form.Action(Command::ZoomOut)->shortcut(), QKeySequence("Ctrl+-"));
        QCOMPARE(form.Action(Command::Zoom1)->shortcut(), QKeySequence("Ctrl+0"));
        QVERIFY(form.Action(Command::Zoom1)->isChecked());
        form.Action(Command::Zoom3)->trigger();
        QVERIFY(form.Action(Command::Zoom3)->isChecked());
        QVERIFY(!form.Action(Command::Zoom1)->isChecked());
        QCOMPARE(Entries(form.Menu("mnuHelp")), QStringList({"このソフトについて(&A)"}));
        QCOMPARE(form.Menu("mnuPopupForRootNode")->title(), QString("POPUP ルートノード用"));
        QCOMPARE(Entries(form.Menu("mnuPopupForRootNode")),
                 QStringList({"ディレクトリの更新(&R)", "ディレクトリの削除(&D)"}));
        QCOMPARE(Entries(form.Menu("mnuPopupForSkinRoot")),
                 QStringList({"このスキンをＲＯのスキンに加える(&I)",
                              "このスキンをＲＯのスキンに設定(&S) (off)"}));
        QCOMPARE(form.Action(Command::Exit)->shortcut(), QKeySequence("Ctrl+Q"));
        QCOMPARE(form.Action(Command::SubDirRefresh)->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(form.Action(Command::RemoveRootDir)->shortcut(), QKeySequence(Qt::Key_Delete));

        // The entries run the logic's commands.
        form.Action(Command::About)->trigger();
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QCOMPARE(dialogs.messages[0].icon, MessageIcon::Information);
        QCOMPARE(dialogs.messages[0].title, QString("バージョン情報"));
        QCOMPARE(dialogs.messages[0].text, QString("Morvish ver " MORVISH_VERSION));
    }

    void englishMenusTreeAndStatusLine() {
        ProgramFolders folders;
        TemporaryFolder root;
        root.MakeFolder("skin");
        folders.program.Write("SkinDir.txt", platform::PathToUtf8(root.Path()) + "\r\n");
        ScriptedDialogs dialogs;
        auto form = StartProgram(dialogs, folders);
        QVERIFY(form->Action(Command::LanguageJapanese)->isChecked());
        form->Action(Command::LanguageEnglish)->trigger();
        QStringList bar;
        for (QAction* action : form->menuBar()->actions()) bar << action->text();
        QCOMPARE(bar, QStringList({"&File", "&View", "&Language", "&Help"}));
        QVERIFY(form->Action(Command::LanguageEnglish)->isChecked());
        QVERIFY(!form->Action(Command::LanguageJapanese)->isChecked());
        QTreeWidgetItem* skin = ChildItem(RootItem(*form, 0), "skin");
        QCOMPARE(skin->child(0)->text(0), QString("All windows"));
        QVERIFY(form->statusBar()->findChildren<QLabel*>().size() >= 2);
        bool gameFolderShown = false;
        for (const QLabel* label : form->statusBar()->findChildren<QLabel*>()) {
            gameFolderShown = gameFolderShown || label->text() == "Game: not set";
        }
        QVERIFY(gameFolderShown);
    }

    void exitClosesAndSaves() {
        ProgramFolders folders;
        ScriptedDialogs dialogs;
        auto form = StartProgram(dialogs, folders);
        form->Action(Command::Exit)->trigger();
        QVERIFY(!form->isVisible());
        QVERIFY(folders.program.Exists("Quorel.ini"));
        QVERIFY(folders.program.Exists("SkinDir.txt"));
        QCOMPARE(folders.Setting("FORM_MAIN", "WIDTH"),
                 std::optional<std::string>(std::to_string(form->width() * 15)));
    }

    void layoutFollowsTheClientArea() {
        ProgramFolders folders;
        ScriptedDialogs dialogs;
        auto form = StartProgram(dialogs, folders);
        QVERIFY(SetClientSize(*form, 600, 500));
        QCOMPARE(form->tvwSelectSkin->geometry(), QRect(4, 8, 122, 490));
        QCOMPARE(form->cntForResize->geometry(), QRect(128, 8, 2, 490));
        QCOMPARE(form->picShowSkin->geometry(), QRect(130, 8, 466, 490));
        QCOMPARE(form->client->linSplit[1].X2, 600);
    }

    void maximisedExitStoresTheRestoredSize() {
        ProgramFolders folders;
        ScriptedDialogs dialogs;
        {
            auto form = StartProgram(dialogs, folders);
            QVERIFY(SetClientSize(*form, 600, 480));
            const QSize restored = form->size();
            form->setWindowState(Qt::WindowMaximized);
            QTRY_VERIFY(form->size() != restored);
            form->close();
            QCOMPARE(folders.Setting("FORM_MAIN", "STYLE"), std::optional<std::string>("2"));
            QCOMPARE(folders.Setting("FORM_MAIN", "WIDTH"),
                     std::optional<std::string>(std::to_string(restored.width() * 15)));
            QCOMPARE(folders.Setting("FORM_MAIN", "HEIGHT"),
                     std::optional<std::string>(std::to_string(restored.height() * 15)));
        }
        auto form = StartProgram(dialogs, folders);
        QVERIFY(form->windowState() & Qt::WindowMaximized);
        form->setWindowState(Qt::WindowNoState);
        QTRY_COMPARE(form->client->size(), QSize(600, 480));
    }

    void minimisedExitStartsMinimised() {
        ProgramFolders folders;
        ScriptedDialogs dialogs;
        {
            auto form = StartProgram(dialogs, folders);
            form->setWindowState(Qt::WindowMinimized);
            form->close();
            QCOMPARE(folders.Setting("FORM_MAIN", "STYLE"), std::optional<std::string>("1"));
        }
        auto form = StartProgram(dialogs, folders);
        QVERIFY(form->windowState() & Qt::WindowMinimized);
        QCOMPARE(form->cntForResize->x(), 128);
    }

    void storedSizeAndSplitterAreRestored() {
        ProgramFolders folders;
        folders.program.Write("Quorel.ini",
                              "[FORM_MAIN]\r\nWIDTH=9000\r\nHEIGHT=7507\r\nDIVPOS=200\r\n");
        ScriptedDialogs dialogs;
        auto form = StartProgram(dialogs, folders);
        QCOMPARE(form->size(), QSize(600, 500));  // 7507 twips round to 500 pixels
        QCOMPARE(form->cntForResize->x(), 200);
        QCOMPARE(form->tvwSelectSkin->width(), 194);
        QCOMPARE(form->picShowSkin->x(), 202);
    }

    void failedSurfaceLayerEndsWithAMessage() {
        ProgramFolders folders;
        ScriptedDialogs dialogs;
        auto form =
            mdlMain::StartUp(dialogs, folders.Settings(), [](std::uintptr_t) { return false; });
        QVERIFY(!form);
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QCOMPARE(dialogs.messages[0].title, QString("DirectX初期化エラー"));
        QCOMPARE(dialogs.messages[0].text, QString("DirectXの初期化に失敗しました"));
        QVERIFY(!folders.program.Exists("Quorel.ini"));
    }

    void surfaceLayerGetsTheWindowBeforeItShows() {
        ProgramFolders folders;
        ScriptedDialogs dialogs;
        bool visibleAtStart = true;
        std::uintptr_t handle = 0;
        frmMain* seen = nullptr;
        auto form = mdlMain::StartUp(dialogs, folders.Settings(), [&](std::uintptr_t window) {
            handle = window;
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (auto* main = dynamic_cast<frmMain*>(top)) seen = main;
            }
            visibleAtStart = seen != nullptr && seen->isVisible();
            return true;
        });
        QVERIFY(form);
        QCOMPARE(seen, form.get());
        QVERIFY(!visibleAtStart);
        QCOMPARE(handle, std::uintptr_t(form->winId()));
        QVERIFY(form->isVisible());
    }

    void paneKeepsItsPictureBetweenRepaints() {
        ProgramFolders folders;
        ScriptedDialogs dialogs;
        auto form = StartProgram(dialogs, folders);
        QVERIFY(SetClientSize(*form, 600, 500));
        Bitmap picture{3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0x654321, 0xABCDEF}};
        form->picShowSkin->ShowPicture(picture);
        const QImage first = form->picShowSkin->grab().toImage();
        form->picShowSkin->hide();
        form->picShowSkin->show();
        form->picShowSkin->repaint();
        const QImage second = form->picShowSkin->grab().toImage();
        QCOMPARE(first, second);
        // The drawing area starts inside the 2-pixel border; the rest of it is white.
        QCOMPARE(QColor(first.pixel(2, 2)), QColor(0xFF, 0, 0));
        QCOMPARE(QColor(first.pixel(4, 3)), QColor(0xAB, 0xCD, 0xEF));
        QCOMPARE(QColor(first.pixel(5, 2)), QColor(Qt::white));
        QCOMPARE(QColor(first.pixel(200, 200)), QColor(Qt::white));
    }
};

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
