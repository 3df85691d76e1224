// The main window: its controls and menus, the layout that follows the client area, the splitter
// drag, and the preview pane that keeps its picture.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>

#include "AppTestSupport.h"

using namespace morvish;
using namespace morvish::test;

namespace {

// A mouse move over the splitter at X (relative to it) with the given buttons held.
void MoveOverSplitter(frmMain& form, int X, Qt::MouseButtons buttons) {
    const QPointF local(X, 5);
    QMouseEvent move(QEvent::MouseMove, local, form.cntForResize->mapToGlobal(local), Qt::NoButton,
                     buttons, Qt::NoModifier);
    QApplication::sendEvent(form.cntForResize, &move);
}

// A window with one skin whose "すべて" node is selected and drawn.
struct FormWithSkin {
    ProgramFolders folders;
    TemporaryFolder skins;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmMain> form;

    FormWithSkin() {
        skins.MakeFolder("skin");
        folders.program.Write("SkinDir.txt", skins.Path() + "\r\n");
        form = StartProgram(dialogs, folders);
    }
    QTreeWidgetItem* Skin() const { return ChildNode(RootNode(*form, 0), "skin"); }
    QTreeWidgetItem* Kind(const char* label) const { return ChildNode(Skin(), label); }
};

void ExpectGeometry(QWidget* control, QRect expected) {
    QCOMPARE(control->geometry(), expected);
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void controlsAsDesigned() {
        ProgramFolders folders;
        ScriptedDialogs dialogs;
        frmMain form(dialogs, folders.Settings());
        QCOMPARE(form.windowTitle(), QString("Morvish for Ragnarok Online"));
        ExpectGeometry(form.tvwSelectSkin, QRect(4, 8, 121, 265));
        ExpectGeometry(form.cntForResize, QRect(128, 8, 2, 267));
        ExpectGeometry(form.picShowSkin, QRect(136, 8, 313, 273));
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
        auto entries = [](QMenu* menu) {
            QStringList list;
            for (QAction* action : menu->actions()) {
                list << (action->isSeparator()
                             ? QString("-")
                             : action->text() + (action->isEnabled() ? "" : " (off)"));
            }
            return list;
        };
        QStringList bar;
        for (QAction* action : form.menuBar()->actions()) {
            if (action->isVisible()) bar << action->text();
        }
        QCOMPARE(bar, QStringList({"ファイル", "ヘルプ"}));
        QCOMPARE(entries(form.mnuFile),
                 QStringList({"スキンディレクトリの追加", "スキンファイルのダウンロード (off)",
                              "スキンサイトの追加 (off)", "-", "設定", "-", "終了"}));
        QCOMPARE(entries(form.mnuHelp), QStringList({"このソフトについて"}));
        QCOMPARE(form.mnuPopup->title(), QString("POPUP MENU"));
        QVERIFY(!form.mnuPopup->menuAction()->isVisible());
        QCOMPARE(entries(form.mnuPopup),
                 QStringList({"POPUP ルートノード用", "POPUP スキンルート用"}));
        QCOMPARE(entries(form.mnuPopupForRootNode),
                 QStringList({"ディレクトリの更新", "ディレクトリの削除"}));
        QCOMPARE(entries(form.mnuPopupForSkinRoot),
                 QStringList(
                     {"このスキンをＲＯのスキンに加える", "このスキンをＲＯのスキンに設定 (off)"}));
    }

    void aboutBoxNamesTheVersion() {
        ProgramFolders folders;
        ScriptedDialogs dialogs;
        frmMain form(dialogs, folders.Settings());
        form.mnuAbout->trigger();
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QCOMPARE(dialogs.messages[0].icon, MessageIcon::Information);
        QCOMPARE(dialogs.messages[0].title, QString("バージョン情報"));
        QCOMPARE(dialogs.messages[0].text, QString("Morvish ver " MORVISH_VERSION));
    }

    void exitClosesAndSaves() {
        ProgramFolders folders;
        ScriptedDialogs dialogs;
        auto form = StartProgram(dialogs, folders);
        form->mnuExit->trigger();
        QVERIFY(!form->isVisible());
        QVERIFY(folders.program.Exists("Quorel.ini"));
        QVERIFY(folders.program.Exists("SkinDir.txt"));
    }

    void resizeKeepsTheDesignMargins() {
        FormWithSkin f;
        QVERIFY(SetClientSize(*f.form, 600, 500));
        ExpectGeometry(f.form->tvwSelectSkin, QRect(4, 8, 122, 490));
        ExpectGeometry(f.form->cntForResize, QRect(128, 8, 2, 490));
        ExpectGeometry(f.form->picShowSkin, QRect(130, 8, 466, 490));
        QCOMPARE(f.form->client->linSplit[0].X2, 600);
        QCOMPARE(f.form->client->linSplit[1].X2, 600);

        // The selected window kind is drawn again for the new size.
        f.form->tvwSelectSkin->setCurrentItem(f.Kind("すべて"));
        const int before = f.form->picShowSkin->Presentations();
        QVERIFY(SetClientSize(*f.form, 640, 520));
        QVERIFY(f.form->picShowSkin->Presentations() > before);
        QCOMPARE(f.form->picShowSkin->Picture().size(), QSize(640 - 128 - 6 - 4, 520 - 10 - 4));
    }

    void splitterStopsAtEleven() {
        FormWithSkin f;
        QVERIFY(SetClientSize(*f.form, 600, 500));
        MoveOverSplitter(*f.form, -118, Qt::LeftButton);  // 128 - 118 = 10: too far
        QCOMPARE(f.form->cntForResize->x(), 128);
        MoveOverSplitter(*f.form, -117, Qt::LeftButton);
        QCOMPARE(f.form->cntForResize->x(), 11);
        QCOMPARE(f.form->tvwSelectSkin->width(), 5);
        QCOMPARE(f.form->picShowSkin->x(), 13);
        QCOMPARE(f.form->picShowSkin->width(), 600 - 11 - 6);
        MoveOverSplitter(*f.form, -1, Qt::LeftButton);
        QCOMPARE(f.form->cntForResize->x(), 11);

        // Only the left button alone drags.
        MoveOverSplitter(*f.form, 50, Qt::RightButton);
        MoveOverSplitter(*f.form, 50, Qt::LeftButton | Qt::RightButton);
        QCOMPARE(f.form->cntForResize->x(), 11);
        MoveOverSplitter(*f.form, 50, Qt::LeftButton);
        QCOMPARE(f.form->cntForResize->x(), 61);
        QCOMPARE(f.form->tvwSelectSkin->width(), 55);
    }

    void lowClientAreaKeepsTheHeights() {
        FormWithSkin f;
        QVERIFY(SetClientSize(*f.form, 600, 500));
        f.form->tvwSelectSkin->setCurrentItem(f.Kind("すべて"));
        const int before = f.form->picShowSkin->Presentations();

        QVERIFY(SetClientSize(*f.form, 700, 28));
        QCOMPARE(f.form->tvwSelectSkin->height(), 490);
        QCOMPARE(f.form->cntForResize->height(), 490);
        QCOMPARE(f.form->picShowSkin->height(), 490);
        QCOMPARE(f.form->picShowSkin->width(), 700 - 128 - 6);  // widths still follow
        QCOMPARE(f.form->picShowSkin->Presentations(), before);

        QVERIFY(SetClientSize(*f.form, 700, 29));
        QCOMPARE(f.form->tvwSelectSkin->height(), 19);
        QCOMPARE(f.form->cntForResize->height(), 19);
        QCOMPARE(f.form->picShowSkin->height(), 19);
        QCOMPARE(f.form->picShowSkin->Presentations(), before + 1);
    }

    void splitterNearTheRightEdgeKeepsThePreview() {
        FormWithSkin f;
        QVERIFY(SetClientSize(*f.form, 600, 500));
        f.form->tvwSelectSkin->setCurrentItem(f.Kind("すべて"));
        MoveOverSplitter(*f.form, 579 - 128, Qt::LeftButton);  // 579 + 20 < 600 still holds
        ExpectGeometry(f.form->picShowSkin, QRect(581, 8, 15, 490));
        const int before = f.form->picShowSkin->Presentations();

        MoveOverSplitter(*f.form, 1, Qt::LeftButton);  // 580 + 20 = 600
        QCOMPARE(f.form->cntForResize->x(), 580);
        QCOMPARE(f.form->tvwSelectSkin->width(), 574);
        ExpectGeometry(f.form->picShowSkin, QRect(581, 8, 15, 490));
        QCOMPARE(f.form->picShowSkin->Presentations(), before);
    }

    void moveOverTheSplitterWithoutAButtonRedraws() {
        FormWithSkin f;
        ClickNode(*f.form, f.Kind("すべて"));
        const int before = f.form->picShowSkin->Presentations();
        QVERIFY(before > 0);
        const QRect tree = f.form->tvwSelectSkin->geometry();
        const QRect pane = f.form->picShowSkin->geometry();
        MoveOverSplitter(*f.form, -60, Qt::NoButton);
        QCOMPARE(f.form->cntForResize->x(), 128);
        QCOMPARE(f.form->tvwSelectSkin->geometry(), tree);
        QCOMPARE(f.form->picShowSkin->geometry(), pane);
        QCOMPARE(f.form->picShowSkin->Presentations(), before + 1);

        // Through the window system too: the splitter tracks the mouse without a button.
        QTest::mouseMove(f.form->cntForResize, QPoint(1, 30));
        QTRY_VERIFY(f.form->picShowSkin->Presentations() > before + 1);
    }

    void resizeAfterAContextMenuRedrawsAndOpensNoMenu() {
        FormWithSkin f;
        WriteSolidBmp(f.skins.PathOf("skin/ss.bmp"), 20, 10, 0x00FF00);
        ClickNode(*f.form, f.Skin(), Qt::RightButton);
        QCOMPARE(f.dialogs.menusOpened, std::vector<QString>({"POPUP スキンルート用"}));
        QCOMPARE(f.form->tvwSelectSkin->currentItem(), f.Skin());
        QCOMPARE(f.form->picShowSkin->Presentations(), 0);

        QVERIFY(SetClientSize(*f.form, 620, 460));
        QCOMPARE(f.dialogs.menusOpened.size(), std::size_t(1));
        QCOMPARE(f.form->picShowSkin->Presentations(), 1);
        QCOMPARE(f.form->picShowSkin->Picture().pixel(0, 0), qRgb(0, 0xFF, 0));
    }

    void paneKeepsItsPictureBetweenRepaints() {
        FormWithSkin f;
        QVERIFY(SetClientSize(*f.form, 600, 500));
        Bitmap picture{3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0x654321, 0xABCDEF}};
        f.form->picShowSkin->ShowPicture(picture);
        const QImage first = f.form->picShowSkin->grab().toImage();
        f.form->picShowSkin->hide();
        f.form->picShowSkin->show();
        f.form->picShowSkin->repaint();
        const QImage second = f.form->picShowSkin->grab().toImage();
        QCOMPARE(first, second);
        // The drawing area starts inside the 2-pixel border; the rest of it is white.
        QCOMPARE(QColor(first.pixel(2, 2)), QColor(0xFF, 0, 0));
        QCOMPARE(QColor(first.pixel(4, 3)), QColor(0xAB, 0xCD, 0xEF));
        QCOMPARE(QColor(first.pixel(5, 2)), QColor(Qt::white));
        QCOMPARE(QColor(first.pixel(200, 200)), QColor(Qt::white));
    }
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
