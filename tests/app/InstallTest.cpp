// The game folder and the skin install: the two error boxes, the target layout with and without a
// trailing separator, what is copied and what is not, a second install, and failed copies.

#include <QDir>
#include <QTest>
#include <QTreeWidgetItem>
#include <filesystem>

#include "AppTestSupport.h"
#include "app/SkinInstall.h"

using namespace morvish;
using namespace morvish::test;
namespace fs = std::filesystem;

namespace {

// The names of all entries below a folder, relative to it, sorted; folders end with "/".
QStringList Tree(const std::string& folder) {
    QStringList names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(entry.path(), folder).string();
        names << QString::fromStdString(name + (entry.is_directory() ? "/" : ""));
    }
    names.sort();
    return names;
}

// A root folder with the skin "Sample": two top-level files, a basic_interface folder with two
// bitmaps, a folder that is not copied and a hidden file.
struct InstallFixture {
    TemporaryFolder root;
    TemporaryFolder game;

    InstallFixture() {
        root.Write("Sample/ss.bmp", "shot");
        root.Write("Sample/readme.txt", "read me");
        root.Write("Sample/.hidden", "no");
        root.Write("Sample/basic_interface/titlebar_fix.bmp", "title");
        root.Write("Sample/basic_interface/btn_ok.bmp", "ok");
        root.Write("Sample/basic_interface/old/unused.bmp", "no");
        root.Write("Sample/sounds/click.wav", "no");
    }
    std::string Root() const { return root.Path() + "/"; }
};

const QStringList kInstalled = {"skin/",
                                "skin/Sample/",
                                "skin/Sample/basic_interface/",
                                "skin/Sample/basic_interface/btn_ok.bmp",
                                "skin/Sample/basic_interface/titlebar_fix.bmp",
                                "skin/Sample/readme.txt",
                                "skin/Sample/ss.bmp"};

}  // namespace

class InstallTest : public QObject {
    Q_OBJECT

  private slots:
    void targetIsTheSameWithAndWithoutATrailingSeparator() {
        for (const char* ending : {"", "/", "//"}) {
            InstallFixture f;
            const InstallResult result = InstallSkin(f.game.Path() + ending, f.Root(), "Sample");
            QVERIFY(result.failures.empty());
            QCOMPARE(result.target, f.game.PathOf("skin/Sample") + "/");
            QCOMPARE(Tree(f.game.Path()), kInstalled);
            QCOMPARE(f.game.Read("skin/Sample/basic_interface/btn_ok.bmp"), std::string("ok"));
        }
    }

    void skinWithoutBasicInterfaceCopiesTopLevelFilesOnly() {
        InstallFixture f;
        f.root.Remove("Sample/basic_interface");
        QVERIFY(InstallSkin(f.game.Path(), f.Root(), "Sample").failures.empty());
        QCOMPARE(
            Tree(f.game.Path()),
            QStringList({"skin/", "skin/Sample/", "skin/Sample/readme.txt", "skin/Sample/ss.bmp"}));
    }

    void secondInstallReplacesAndDeletesNothing() {
        InstallFixture f;
        QVERIFY(InstallSkin(f.game.Path(), f.Root(), "Sample").failures.empty());
        f.game.Write("skin/Sample/basic_interface/mine.bmp", "kept");
        f.root.Write("Sample/basic_interface/btn_ok.bmp", "new ok");
        QVERIFY(InstallSkin(f.game.Path(), f.Root(), "Sample").failures.empty());
        QCOMPARE(f.game.Read("skin/Sample/basic_interface/btn_ok.bmp"), std::string("new ok"));
        QCOMPARE(f.game.Read("skin/Sample/basic_interface/mine.bmp"), std::string("kept"));
        QStringList expected = kInstalled;
        expected << "skin/Sample/basic_interface/mine.bmp";
        expected.sort();
        QCOMPARE(Tree(f.game.Path()), expected);
    }

    void foldersMadeOnWindowsAreFoundInAnyCase() {
        InstallFixture f;
        fs::rename(f.root.PathOf("Sample/basic_interface"),
                   f.root.PathOf("Sample/Basic_Interface"));
        f.game.MakeFolder("Skin");
        QVERIFY(InstallSkin(f.game.Path(), f.Root(), "Sample").failures.empty());
        QVERIFY(f.game.Exists("Skin/Sample/basic_interface/titlebar_fix.bmp"));
        QVERIFY(!f.game.Exists("skin"));
    }

    void failedCopiesAreListedAndTheRestIsCopied() {
        InstallFixture f;
        // A folder where a file is to go: that copy cannot be renamed into place.
        f.game.MakeFolder("skin/Sample/readme.txt/x");
        const InstallResult result = InstallSkin(f.game.Path(), f.Root(), "Sample");
        QCOMPARE(result.failures.size(), std::size_t(1));
        QVERIFY(result.failures[0].find("readme.txt") != std::string::npos);
        QCOMPARE(f.game.Read("skin/Sample/ss.bmp"), std::string("shot"));
        QCOMPARE(f.game.Read("skin/Sample/basic_interface/btn_ok.bmp"), std::string("ok"));
        QVERIFY(!f.game.Exists("skin/Sample/.readme.txt.tmp"));

        // A file where the skin folder is to go: nothing can be copied, and that is said.
        InstallFixture g;
        g.game.Write("skin/Sample", "a file");
        const InstallResult blocked = InstallSkin(g.game.Path(), g.Root(), "Sample");
        QCOMPARE(blocked.failures.size(), std::size_t(1));
        QVERIFY(blocked.failures[0].find("skin/Sample") != std::string::npos);
        QVERIFY(blocked.target.empty());
    }

    void installCommandChecksTheGameFolder() {
        InstallFixture f;
        ProgramFolders folders;
        folders.program.Write("SkinDir.txt", f.Root() + "\r\n");
        ScriptedDialogs dialogs;
        auto form = StartProgram(dialogs, folders);
        QTreeWidgetItem* skin = ChildNode(RootNode(*form, 0), "Sample");
        dialogs.menuChoices = {"このスキンをＲＯのスキンに加える"};
        ClickNode(*form, skin, Qt::RightButton);
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QCOMPARE(dialogs.messages[0].title, QString("ＲＯディレクトリエラー"));
        QCOMPARE(dialogs.messages[0].text, QString("ＲＯのディレクトリが設定されていません"));

        form->RODir = f.game.PathOf("missing");
        form->mnuAddSkinToRO->trigger();
        QCOMPARE(dialogs.messages.size(), std::size_t(2));
        QCOMPARE(dialogs.messages[1].title, QString("ＲＯディレクトリエラー"));
        QCOMPARE(dialogs.messages[1].text, QString("ＲＯのディレクトリがみつかりません"));
        QVERIFY(Tree(f.game.Path()).isEmpty());

        form->RODir = f.game.Path();
        form->mnuAddSkinToRO->trigger();
        QCOMPARE(dialogs.messages.size(), std::size_t(2));  // no message on success
        QCOMPARE(Tree(f.game.Path()), kInstalled);

        f.game.Remove("skin/Sample/ss.bmp");
        f.game.MakeFolder("skin/Sample/ss.bmp/x");
        form->mnuAddSkinToRO->trigger();
        QCOMPARE(dialogs.messages.size(), std::size_t(3));
        QCOMPARE(dialogs.messages[2].title, QString("スキンのコピーエラー"));
        QVERIFY(dialogs.messages[2].text.contains("ss.bmp"));
    }

    void settingCommandChoosesTheGameFolder() {
        ProgramFolders folders;
        ScriptedDialogs dialogs;
        auto form = StartProgram(dialogs, folders);
        form->RODir = "/old";
        dialogs.folderAnswers = {"  /games/ro  ", ""};
        form->mnuSetting->trigger();
        QCOMPARE(dialogs.folderPrompts.back(),
                 QString("RanarokOnlineのディレクトリを選択して下さい"));
        QCOMPARE(form->RODir, std::string("/games/ro"));
        form->mnuSetting->trigger();  // cancelled
        QCOMPARE(form->RODir, std::string("/games/ro"));
        QCOMPARE(dialogs.folderStarts, std::vector<QString>({"/old", "/games/ro"}));
        form->close();
        QCOMPARE(
            folders.program.Read("Quorel.ini").find("RODir=/games/ro\r\n") != std::string::npos,
            true);
    }
};

QTEST_MAIN(InstallTest)
#include "InstallTest.moc"
