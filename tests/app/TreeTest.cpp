// The skin tree: roots, skins and window kinds with their tags and managers; adding, removing and
// rescanning roots; what a click, a right click and the keyboard show.

#include <QDir>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidgetItem>

#include <filesystem>

#include "AppTestSupport.h"

using namespace morvish;
using namespace morvish::test;
namespace fs = std::filesystem;

namespace {

const QStringList kWindowKinds = {"すべて",
                                  "基本情報ウィンドウ",
                                  "メッセージボックス",
                                  "ステータスウィンドウ",
                                  "オプションウィンドウ",
                                  "アイテムウィンドウ",
                                  "装備ウィンドウ",
                                  "チャットウィンドウ",
                                  "パーティウィンドウ",
                                  "スキルウィンドウ",
                                  "トレードウィンドウ",
                                  "その他"};

QStringList ChildTexts(const QTreeWidgetItem* node) {
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i) texts << node->child(i)->text(0);
    return texts;
}

QStringList ChildTags(const QTreeWidgetItem* node) {
    QStringList tags;
    for (int i = 0; i < node->childCount(); ++i) tags << frmMain::NodeTag(node->child(i));
    return tags;
}

// A program started on one root folder that the test fills first.
struct TreeFixture {
    ProgramFolders folders;
    TemporaryFolder root;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmMain> form;

    void Start() {
        folders.program.Write("SkinDir.txt", root.Path() + "\r\n");
        form = StartProgram(dialogs, folders);
    }
    QTreeWidgetItem* Root() const { return RootNode(*form, 0); }
    QTreeWidgetItem* Skin(const char* name) const { return ChildNode(Root(), name); }
    QString RootText() const { return QString::fromStdString(root.Path() + "/"); }
};

}  // namespace

class TreeTest : public QObject {
    Q_OBJECT

  private slots:
    void rootOfFilesOnlyHasNoSkins() {
        TreeFixture t;
        t.root.Write("readme.txt", "x");
        t.root.Write("ss.bmp", "x");
        t.Start();
        QCOMPARE(t.form->tvwSelectSkin->topLevelItemCount(), 1);
        QCOMPARE(t.Root()->text(0), t.RootText());
        QCOMPARE(frmMain::NodeTag(t.Root()), QString());
        QCOMPARE(t.Root()->childCount(), 0);
        QCOMPARE(t.form->SkinManagers.size(), std::size_t(1));
        ClickNode(*t.form, t.Root());
        QCOMPARE(t.form->picShowSkin->Presentations(), 0);
        QVERIFY(t.dialogs.menusOpened.empty());
    }

    void skinsWithTwelveWindowKindsEach() {
        TreeFixture t;
        t.root.MakeFolder("beta");
        t.root.MakeFolder("Alpha/basic_interface");
        t.root.MakeFolder(".hidden");
        t.root.Write("notes.txt", "x");
        t.Start();
        QCOMPARE(ChildTexts(t.Root()), QStringList({"Alpha", "beta"}));
        QCOMPARE(ChildTags(t.Root()), QStringList({"1", "2"}));
        QCOMPARE(t.form->SkinManagers.size(), std::size_t(3));
        QVERIFY(t.form->SkinManagers[0] == nullptr);
        QCOMPARE(t.form->SkinManagers[1]->DirName(), t.root.PathOf("Alpha") + "/");
        QCOMPARE(t.form->SkinManagers[2]->DirName(), t.root.PathOf("beta") + "/");
        for (const char* skin : {"Alpha", "beta"}) {
            QCOMPARE(ChildTexts(t.Skin(skin)), kWindowKinds);
            QCOMPARE(ChildTags(t.Skin(skin)),
                     QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}));
            QVERIFY(frmMain::IsSkinNode(t.Skin(skin)));
            QVERIFY(frmMain::IsWindowKindNode(t.Skin(skin)->child(0)));
        }
        QVERIFY(frmMain::IsRootNode(t.Root()));
    }

    void missingRootsAreSkippedAndTheSameRootMayComeTwice() {
        TreeFixture t;
        t.root.MakeFolder("skin");
        t.Start();
        std::filesystem::path missing = t.root.PathOf("gone");
        t.form->ScanSkinRoot(missing, nullptr);
        QCOMPARE(missing.string(), t.root.PathOf("gone") + "/");
        QCOMPARE(t.form->tvwSelectSkin->topLevelItemCount(), 1);

        t.form->tvwSelectSkin->setCurrentItem(nullptr);
        t.dialogs.folderAnswers = {"", QString::fromStdString("  " + t.root.Path() + " ")};
        t.form->mnuAddSkinDirectory->trigger();  // cancelled
        QCOMPARE(t.form->tvwSelectSkin->topLevelItemCount(), 1);
        t.form->mnuAddSkinDirectory->trigger();
        QCOMPARE(t.dialogs.folderPrompts.back(),
                 QString("スキン(ディレクトリ)の親ディレクトリを選択して下さい"));
        QCOMPARE(t.form->tvwSelectSkin->topLevelItemCount(), 2);
        QCOMPARE(RootNode(*t.form, 1)->text(0), t.RootText());
        // The dialog opens beside the selected root, or in the home folder.
        t.form->tvwSelectSkin->setCurrentItem(ChildNode(t.Root(), "skin"));
        t.form->mnuAddSkinDirectory->trigger();
        QCOMPARE(t.dialogs.folderStarts.front(), QDir::homePath());
        QCOMPARE(t.dialogs.folderStarts.back(),
                 QString::fromStdString(fs::path(t.root.Path()).parent_path().string()));
        QCOMPARE(ChildTags(RootNode(*t.form, 1)), QStringList({"2"}));
    }

    void rescanMakesNewManagers() {
        TreeFixture t;
        t.root.MakeFolder("one");
        t.root.MakeFolder("two");
        t.Start();
        t.root.Remove("two");
        t.root.MakeFolder("three");
        t.form->tvwSelectSkin->setCurrentItem(t.Root());
        t.form->mnuSubDirRefres->trigger();
        QCOMPARE(ChildTexts(t.Root()), QStringList({"one", "three"}));
        QCOMPARE(ChildTags(t.Root()), QStringList({"3", "4"}));
        QCOMPARE(t.form->SkinManagers.size(), std::size_t(5));
        QCOMPARE(t.form->SkinManagers[4]->DirName(), t.root.PathOf("three") + "/");
        QCOMPARE(t.Root()->text(0), t.RootText());
    }

    void rescanOfARootWithoutSkinsDoesNothing() {
        TreeFixture t;
        t.Start();
        t.root.MakeFolder("new");
        t.form->tvwSelectSkin->setCurrentItem(t.Root());
        t.form->mnuSubDirRefres->trigger();
        QCOMPARE(t.Root()->childCount(), 0);
        QCOMPARE(t.form->SkinManagers.size(), std::size_t(1));
    }

    void removeAsksFirst() {
        TreeFixture t;
        t.root.MakeFolder("skin");
        t.Start();
        t.dialogs.menuChoices = {"ディレクトリの削除", "ディレクトリの削除"};
        t.dialogs.yesNoAnswers = {false, true};
        ClickNode(*t.form, t.Root(), Qt::RightButton);
        QCOMPARE(t.dialogs.menusOpened, std::vector<QString>({"POPUP ルートノード用"}));
        QCOMPARE(t.dialogs.questions.size(), std::size_t(1));
        QCOMPARE(t.dialogs.questions[0].title, QString("スキンディレクトリの削除"));
        QCOMPARE(t.dialogs.questions[0].text,
                 QString("このディレクトリをスキンリストから外しますか？"));
        QCOMPARE(t.form->tvwSelectSkin->topLevelItemCount(), 1);
        ClickNode(*t.form, t.Root(), Qt::RightButton);
        QCOMPARE(t.form->tvwSelectSkin->topLevelItemCount(), 0);
        QVERIFY(t.root.Exists("skin"));
    }

    void rightClickSelectsAndOpensTheMenuOfItsLevel() {
        TreeFixture t;
        t.root.MakeFolder("skin");
        t.Start();
        QTreeWidgetItem* kind = ChildNode(t.Skin("skin"), "基本情報ウィンドウ");
        ClickNode(*t.form, t.Skin("skin"), Qt::RightButton);
        QCOMPARE(t.form->TreeButton, 2);
        QCOMPARE(t.form->tvwSelectSkin->currentItem(), t.Skin("skin"));
        ClickNode(*t.form, kind, Qt::RightButton);
        QCOMPARE(t.form->tvwSelectSkin->currentItem(), kind);
        QCOMPARE(t.dialogs.menusOpened, std::vector<QString>({"POPUP スキンルート用"}));
        QCOMPARE(t.form->picShowSkin->Presentations(), 0);
        QCOMPARE(t.form->SkinManagers[1]->CurrentMode(), 0);

        ClickNode(*t.form, kind);
        QCOMPARE(t.form->TreeButton, 1);
        QCOMPARE(t.form->picShowSkin->Presentations(), 1);
        QCOMPARE(t.form->SkinManagers[1]->CurrentMode(), 2);
        QVERIFY(t.dialogs.menusOpened.size() == 1);
    }

    void skinNodeShowsItsScreenshot() {
        TreeFixture t;
        t.root.MakeFolder("plain");
        WriteSolidBmp(t.root.PathOf("shot/SS.bmp"), 30, 20, 0x0000FF);
        WriteSolidBmp(t.root.PathOf("shot/ss.png.bak/x.bmp"), 1, 1, 0);  // a folder, not a file
        WriteSolidBmp(t.root.PathOf("shot/ssx.bmp"), 5, 5, 0xFF0000);
        t.root.Write("broken/ss.jpg", "not a picture");
        t.Start();

        ClickNode(*t.form, t.Skin("shot"));
        QCOMPARE(t.form->picShowSkin->Picture().size(), QSize(30, 20));
        QCOMPARE(QColor(t.form->picShowSkin->Picture().pixel(29, 19)), QColor(0, 0, 0xFF));
        const QImage shown = t.form->picShowSkin->grab().toImage();
        QCOMPARE(QColor(shown.pixel(2, 2)), QColor(0, 0, 0xFF));  // unscaled, from the top-left
        QCOMPARE(QColor(shown.pixel(2 + 30, 2)), QColor(Qt::white));

        // No screenshot, or one that cannot be read: the pane keeps what it shows.
        ClickNode(*t.form, t.Skin("plain"));
        QCOMPARE(t.form->picShowSkin->Presentations(), 1);
        ClickNode(*t.form, t.Skin("broken"));
        QCOMPARE(t.form->picShowSkin->Presentations(), 1);
        QCOMPARE(t.form->picShowSkin->Picture().size(), QSize(30, 20));
        QVERIFY(t.form->statusBar()->currentMessage().contains("broken/ss.jpg"));
    }

    void screenshotFormatsOfTheImageLoader() {
        TreeFixture t;
        for (const char* format : {"png", "jpg", "bmp"}) {
            QImage image(8, 6, QImage::Format_RGB32);
            image.fill(QColor(0x20, 0x40, 0x80));
            t.root.MakeFolder(format);
            QVERIFY(image.save(QString::fromStdString(t.root.PathOf(format) + "/ss." + format)));
        }
        // Qt reads GIF but does not write it: an 8 x 6 picture of one colour.
        const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x08, 0x00, 0x06, 0x00,
                                     0xf0, 0x00, 0x00, 0x20, 0x40, 0x80, 0x00, 0x00, 0x00, 0x21,
                                     0xf9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00,
                                     0x00, 0x00, 0x08, 0x00, 0x06, 0x00, 0x00, 0x02, 0x06, 0x84,
                                     0x8f, 0xa9, 0xcb, 0x7d, 0x05, 0x00, 0x3b};
        t.root.Write("gif/SS.GIF", std::string(reinterpret_cast<const char*>(gif), sizeof gif));
        t.Start();
        for (const char* format : {"png", "jpg", "gif", "bmp"}) {
            ClickNode(*t.form, t.Skin(format));
            QCOMPARE(t.form->picShowSkin->Picture().size(), QSize(8, 6));
            QVERIFY(qAbs(QColor(t.form->picShowSkin->Picture().pixel(7, 5)).blue() - 0x80) <= 4);
        }
        QCOMPARE(t.form->picShowSkin->Presentations(), 4);
    }

    void arrowKeysShowTheNodeAsAClickWould() {
        TreeFixture t;
        t.root.MakeFolder("skin");
        t.Start();
        t.Skin("skin")->setExpanded(true);
        ClickNode(*t.form, t.Skin("skin"));
        QCOMPARE(t.form->picShowSkin->Presentations(), 0);
        QTest::keyClick(t.form->tvwSelectSkin, Qt::Key_Down);
        QCOMPARE(t.form->tvwSelectSkin->currentItem()->text(0), QString("すべて"));
        QCOMPARE(t.form->SkinManagers[1]->CurrentMode(), 1);
        QTest::keyClick(t.form->tvwSelectSkin, Qt::Key_Down);
        QCOMPARE(t.form->SkinManagers[1]->CurrentMode(), 2);
        QCOMPARE(t.form->picShowSkin->Presentations(), 2);

        // After a right click the keyboard still shows, it does not open menus.
        ClickNode(*t.form, t.Root(), Qt::RightButton);
        t.form->tvwSelectSkin->setCurrentItem(ChildNode(t.Skin("skin"), "その他"));
        QTest::keyClick(t.form->tvwSelectSkin, Qt::Key_Up);
        QCOMPARE(t.form->SkinManagers[1]->CurrentMode(), 11);
        QCOMPARE(t.dialogs.menusOpened.size(), std::size_t(1));
    }

    void clickOnTheExpandButtonIsNoNodeClick() {
        TreeFixture t;
        t.root.MakeFolder("skin");
        t.Start();
        QTreeWidgetItem* skin = t.Skin("skin");
        const QRect row = t.form->tvwSelectSkin->visualItemRect(skin);
        const QPoint button(row.left() - t.form->tvwSelectSkin->indentation() / 2,
                            row.center().y());
        QTest::mouseClick(t.form->tvwSelectSkin->viewport(), Qt::RightButton, Qt::NoModifier,
                          button);
        QVERIFY(t.dialogs.menusOpened.empty());
    }
};

QTEST_MAIN(TreeTest)
#include "TreeTest.moc"
