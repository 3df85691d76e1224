// The settings file and the skin root list: defaults at first start, what is written at exit,
// how odd values read, where the files live, and that a failed write keeps the old file.

#include <sys/resource.h>

#include <QStatusBar>
#include <QTest>
#include <csignal>
#include <filesystem>

#include "AppTestSupport.h"
#include "app/IniFile.h"
#include "app/mdlWinAPI.h"
#include "app/qt/StartUp.h"
#include "platform/Platform.h"

using namespace morvish;
using namespace morvish::test;
using mdlWinAPI::ReadIniValue;
using mdlWinAPI::WriteIniValue;

namespace {

// Limits the size of files this process writes, as a full disk would, while it lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(std::size_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        const rlimit limit{rlim_t(bytes), old_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &old_); }

  private:
    rlimit old_{};
};

std::optional<std::string> IniEntry(const TemporaryFolder& folder, const char* section,
                                    const char* key) {
    return IniFile::Parse(folder.Read("Quorel.ini")).Get(section, key);
}

std::string Setting(const std::string& ini, const char* key) {
    return std::get<std::string>(ReadIniValue(ini, "S", key, mdlWinAPI::kIniString, ""));
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

  private slots:
    void firstStartUsesDefaultsAndWritesBothFiles() {
        ProgramFolders folders;
        ScriptedDialogs dialogs;
        auto form = StartProgram(dialogs, folders);
        QVERIFY(form);
        QCOMPARE(form->tvwSelectSkin->topLevelItemCount(), 0);
        QVERIFY(form->RODir.empty());
        QCOMPARE(form->client->size(), QSize(510, 441));
        QCOMPARE(form->cntForResize->x(), 128);
        QCOMPARE(form->windowState(), Qt::WindowStates(Qt::WindowNoState));
        const QSize outer = form->size();

        form->close();
        QVERIFY(folders.program.Exists("SkinDir.txt"));
        QCOMPARE(folders.program.Read("SkinDir.txt"), std::string());
        QCOMPARE(IniEntry(folders.program, "FORM_MAIN", "STYLE"), std::optional<std::string>("0"));
        QCOMPARE(IniEntry(folders.program, "FORM_MAIN", "WIDTH"),
                 std::optional<std::string>(std::to_string(outer.width() * 15)));
        QCOMPARE(IniEntry(folders.program, "FORM_MAIN", "HEIGHT"),
                 std::optional<std::string>(std::to_string(outer.height() * 15)));
        QCOMPARE(IniEntry(folders.program, "FORM_MAIN", "DIVPOS"),
                 std::optional<std::string>("128"));
        QVERIFY(dialogs.messages.empty());
        QVERIFY(!folders.config.Exists("morvish"));
    }

    void messyRootListIsNormalisedOnWriteBack() {
        ProgramFolders folders;
        TemporaryFolder skins;
        for (const char* root : {"one", "two", "three", "four"}) skins.MakeFolder(root);
        folders.program.Write("SkinDir.txt",
                              "\r\n   " + skins.PathOf("one") + "/  \r\n" + skins.PathOf("two") +
                                  "\n\t \r\n" + skins.PathOf("three") + "///\r\n" +
                                  skins.PathOf("missing") + "\r\n" + "\t" + skins.PathOf("four"));
        ScriptedDialogs dialogs;
        auto form = StartProgram(dialogs, folders);
        QCOMPARE(form->tvwSelectSkin->topLevelItemCount(), 4);
        QCOMPARE(RootNode(*form, 0)->text(0), QString::fromStdString(skins.PathOf("one") + "/"));
        form->close();
        QCOMPARE(folders.program.Read("SkinDir.txt"),
                 skins.PathOf("one") + "/\r\n" + skins.PathOf("two") + "/\r\n" +
                     skins.PathOf("three") + "/\r\n" + skins.PathOf("four") + "/\r\n");
    }

    void relativeRootsAreFoundBesideTheList() {
        ProgramFolders folders;
        folders.share.MakeFolder("skins/demo");
        folders.share.Write("SkinDir.txt", "skins\r\n");
        ScriptedDialogs dialogs;
        auto form = StartProgram(dialogs, folders);
        QCOMPARE(form->tvwSelectSkin->topLevelItemCount(), 1);
        QCOMPARE(RootNode(*form, 0)->text(0),
                 QString::fromStdString(folders.share.PathOf("skins") + "/"));
    }

    void allRootsRemovedLeavesAnEmptyList() {
        ProgramFolders folders;
        TemporaryFolder skins;
        folders.program.Write("SkinDir.txt", skins.Path() + "/\r\n");
        ScriptedDialogs dialogs;
        auto form = StartProgram(dialogs, folders);
        form->tvwSelectSkin->setCurrentItem(RootNode(*form, 0));
        form->mnuRemoveRootDir_Click();
        form->close();
        QCOMPARE(folders.program.Read("SkinDir.txt"), std::string());
        auto again = StartProgram(dialogs, folders);
        QCOMPARE(again->tvwSelectSkin->topLevelItemCount(), 0);
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
            QCOMPARE(IniEntry(folders.program, "FORM_MAIN", "STYLE"),
                     std::optional<std::string>("2"));
            QCOMPARE(IniEntry(folders.program, "FORM_MAIN", "WIDTH"),
                     std::optional<std::string>(std::to_string(restored.width() * 15)));
            QCOMPARE(IniEntry(folders.program, "FORM_MAIN", "HEIGHT"),
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
            const QSize restored = form->size();
            form->setWindowState(Qt::WindowMinimized);
            form->close();
            QCOMPARE(IniEntry(folders.program, "FORM_MAIN", "STYLE"),
                     std::optional<std::string>("1"));
            QCOMPARE(IniEntry(folders.program, "FORM_MAIN", "WIDTH"),
                     std::optional<std::string>(std::to_string(restored.width() * 15)));
        }
        auto form = StartProgram(dialogs, folders);
        QVERIFY(form->windowState() & Qt::WindowMinimized);
    }

    void storedSizeAndSplitterAreRestored() {
        ProgramFolders folders;
        folders.program.Write("Quorel.ini",
                              "[General]\r\nRODir=/games/ro\r\n[FORM_MAIN]\r\nSTYLE=0\r\n"
                              "WIDTH=9000\r\nHEIGHT=7507\r\nDIVPOS=200\r\n");
        ScriptedDialogs dialogs;
        auto form = StartProgram(dialogs, folders);
        QCOMPARE(form->RODir, std::string("/games/ro"));
        QCOMPARE(form->size(), QSize(600, 500));  // 7507 twips round to 500 pixels
        QCOMPARE(form->cntForResize->x(), 200);
        QCOMPARE(form->tvwSelectSkin->width(), 194);
        QCOMPARE(form->picShowSkin->x(), 202);
    }

    void valuesThatAreNotNumbersReadAsAbsent() {
        ProgramFolders folders;
        folders.program.Write("Quorel.ini",
                              "[FORM_MAIN]\r\nSTYLE=max\r\nWIDTH=wide\r\nHEIGHT=0x100\r\n"
                              "DIVPOS=left\r\n");
        ScriptedDialogs dialogs;
        auto form = StartProgram(dialogs, folders);
        QCOMPARE(form->windowState(), Qt::WindowStates(Qt::WindowNoState));
        QCOMPARE(form->client->size(), QSize(510, 441));
        QCOMPARE(form->cntForResize->x(), 128);
    }

    void tinySplitterPositionFallsBackToTheDesignValue() {
        for (const char* stored : {"6", "0", "-40"}) {
            ProgramFolders folders;
            folders.program.Write("Quorel.ini", std::string("[FORM_MAIN]\r\nDIVPOS=") + stored);
            ScriptedDialogs dialogs;
            auto form = StartProgram(dialogs, folders);
            QCOMPARE(form->cntForResize->x(), 128);
        }
        ProgramFolders folders;
        folders.program.Write("Quorel.ini", "[FORM_MAIN]\r\nDIVPOS=7");
        ScriptedDialogs dialogs;
        auto form = StartProgram(dialogs, folders);
        QCOMPARE(form->cntForResize->x(), 7);
        QCOMPARE(form->tvwSelectSkin->width(), 1);
    }

    void readIniValueConvertsByKind() {
        TemporaryFolder folder;
        const std::string ini = folder.PathOf("Quorel.ini");
        folder.Write("Quorel.ini",
                     "; comment\r\n[s]\r\n  Int = 12 \r\nHalf=12.5\r\nOdd=13.5\r\nNeg=-2.5\r\n"
                     "Huge=1e12\r\nReal=2.25\r\nYes=TRUE\r\nNo=false\r\nOne=3\r\nWord=maybe\r\n"
                     "Quoted=\"  a b \"\r\nEmpty=\r\n[other]\r\nInt=99\r\n");
        auto integer = [&](const char* key, const char* fallback) {
            return std::get<std::int32_t>(
                ReadIniValue(ini, "S", key, mdlWinAPI::kIniInteger, fallback));
        };
        QCOMPARE(integer("int", ""), 12);
        QCOMPARE(integer("Half", ""), 12);
        QCOMPARE(integer("Odd", ""), 14);
        QCOMPARE(integer("Neg", ""), -2);
        QCOMPARE(integer("Huge", "5"), 5);  // out of range reads as absent
        QCOMPARE(integer("Word", "7"), 7);
        QCOMPARE(integer("Word", ""), 0);
        QCOMPARE(integer("Empty", "8"), 8);
        QCOMPARE(integer("Missing", "9"), 9);
        QCOMPARE(std::get<double>(ReadIniValue(ini, "s", "Real", mdlWinAPI::kIniDouble, "")), 2.25);
        QCOMPARE(std::get<double>(ReadIniValue(ini, "s", "Missing", mdlWinAPI::kIniDouble, "")),
                 0.0);
        QCOMPARE(std::get<bool>(ReadIniValue(ini, "s", "Yes", mdlWinAPI::kIniBoolean, "")), true);
        QCOMPARE(std::get<bool>(ReadIniValue(ini, "s", "No", mdlWinAPI::kIniBoolean, "True")),
                 false);
        QCOMPARE(std::get<bool>(ReadIniValue(ini, "s", "One", mdlWinAPI::kIniBoolean, "")), true);
        QCOMPARE(std::get<bool>(ReadIniValue(ini, "s", "Word", mdlWinAPI::kIniBoolean, "")), false);
        QCOMPARE(Setting(ini, "Quoted"), std::string("  a b "));
        QCOMPARE(Setting(ini, "Empty"), std::string());
        QCOMPARE(std::get<std::int32_t>(ReadIniValue(ini, "s", "Int", 7, "5")), 0);
        QCOMPARE(Setting(folder.PathOf("absent.ini"), "Int"), std::string());
    }

    void longValuesAreCutAt254Bytes() {
        TemporaryFolder folder;
        const std::string ini = folder.PathOf("Quorel.ini");
        const std::string value(300, 'x');
        QVERIFY(WriteIniValue(ini, "General", "RODir", value).has_value());
        QCOMPARE(IniFile::Parse(folder.Read("Quorel.ini")).Get("General", "RODir"),
                 std::optional<std::string>(value));
        QCOMPARE(
            std::get<std::string>(ReadIniValue(ini, "General", "RODir", mdlWinAPI::kIniString, "")),
            value.substr(0, 254));

        // A cut never splits a character: "あ" takes three bytes, 253 + 3 passes the limit.
        QVERIFY(WriteIniValue(ini, "General", "RODir", std::string(253, 'x') + "あ").has_value());
        QCOMPARE(
            std::get<std::string>(ReadIniValue(ini, "General", "RODir", mdlWinAPI::kIniString, "")),
            std::string(253, 'x'));

        ProgramFolders folders;
        folders.program.Write("Quorel.ini", "[General]\r\nRODir=" + value + "\r\n");
        ScriptedDialogs dialogs;
        auto form = StartProgram(dialogs, folders);
        QCOMPARE(form->RODir, value.substr(0, 254));
    }

    void writingKeepsWhatItDoesNotChange() {
        TemporaryFolder folder;
        const std::string ini = folder.PathOf("Quorel.ini");
        folder.Write("Quorel.ini", "; my settings\n[FORM_MAIN]\nWIDTH=1\n\n[Other]\nKey=Value\n");
        QVERIFY(WriteIniValue(ini, "form_main", "width", 7650).has_value());
        QVERIFY(WriteIniValue(ini, "FORM_MAIN", "DIVPOS", 128).has_value());
        QVERIFY(WriteIniValue(ini, "General", "RODir", std::string()).has_value());
        QVERIFY(WriteIniValue(ini, "Other", "Flag", true).has_value());
        QCOMPARE(folder.Read("Quorel.ini"),
                 std::string("; my settings\r\n[FORM_MAIN]\r\nwidth=7650\r\nDIVPOS=128\r\n\r\n"
                             "[Other]\r\nKey=Value\r\nFlag=True\r\n[General]\r\nRODir=\r\n"));

        const auto refused = WriteIniValue(ini, "General", "RODir", std::string("a\nb"));
        QVERIFY(!refused.has_value());
        QVERIFY(refused.error().message.find("Quorel.ini") != std::string::npos);
    }

    void unwritableProgramFolderUsesTheConfigFolder() {
        ProgramFolders folders;
        folders.programWritable = false;
        TemporaryFolder skins;
        skins.MakeFolder("skin");
        folders.program.Write("SkinDir.txt", skins.Path() + "\r\n");
        folders.program.Write("Quorel.ini", "[FORM_MAIN]\r\nDIVPOS=150\r\n");
        ScriptedDialogs dialogs;
        {
            auto form = StartProgram(dialogs, folders);
            QCOMPARE(form->tvwSelectSkin->topLevelItemCount(), 1);
            QCOMPARE(form->cntForResize->x(), 150);
            form->cntForResize->move(170, 8);
            form->close();
        }
        QVERIFY(dialogs.messages.empty());
        QCOMPARE(folders.program.Read("Quorel.ini"), std::string("[FORM_MAIN]\r\nDIVPOS=150\r\n"));
        QCOMPARE(folders.config.Read("morvish/SkinDir.txt"), skins.Path() + "/\r\n");
        QCOMPARE(
            IniFile::Parse(folders.config.Read("morvish/Quorel.ini")).Get("FORM_MAIN", "DIVPOS"),
            std::optional<std::string>("170"));

        // The user's own copies win from now on.
        auto form = StartProgram(dialogs, folders);
        QCOMPARE(form->cntForResize->x(), 170);
    }

    void installedRootListServesWhenThereIsNoOwnList() {
        ProgramFolders folders;
        TemporaryFolder skins;
        skins.MakeFolder("demo");
        folders.share.Write("SkinDir.txt", skins.Path() + "/\r\n");
        ScriptedDialogs dialogs;
        {
            auto form = StartProgram(dialogs, folders);
            QCOMPARE(form->tvwSelectSkin->topLevelItemCount(), 1);
            form->tvwSelectSkin->setCurrentItem(RootNode(*form, 0));
            form->mnuRemoveRootDir_Click();
            form->close();
        }
        // The user's empty list now counts; the installed one is left as it was.
        QCOMPARE(folders.program.Read("SkinDir.txt"), std::string());
        QCOMPARE(folders.share.Read("SkinDir.txt"), skins.Path() + "/\r\n");
        auto form = StartProgram(dialogs, folders);
        QCOMPARE(form->tvwSelectSkin->topLevelItemCount(), 0);
    }

    void interruptedWriteLeavesTheOldFile() {
        TemporaryFolder folder;
        const std::string ini = folder.PathOf("Quorel.ini");
        QVERIFY(WriteIniValue(ini, "General", "RODir", std::string("/old")).has_value());
        const std::string before = folder.Read("Quorel.ini");

        // A crash after the temporary file was written but before the rename leaves the file
        // itself with the old settings; the leftover is never read.
        folder.Write(".morvish-crash1", "[General]\r\nRODir=/ha");
        QCOMPARE(
            std::get<std::string>(ReadIniValue(ini, "General", "RODir", mdlWinAPI::kIniString, "")),
            std::string("/old"));
        QVERIFY(WriteIniValue(ini, "General", "RODir", std::string("/new")).has_value());

        // A write that fails half way (a full disk, here a limit on the size of files) changes
        // nothing and leaves no temporary file behind.
        const std::string good = folder.Read("Quorel.ini");
        {
            FileSizeLimit limit(good.size());
            const auto failed = WriteIniValue(ini, "General", "RODir",
                                              std::string("/lost/") + std::string(200, 'x'));
            QVERIFY(!failed.has_value());
            QVERIFY(failed.error().message.find("Quorel.ini") != std::string::npos);
        }
        QCOMPARE(folder.Read("Quorel.ini"), good);
        QVERIFY(before != good);
        int entries = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::directory_iterator(folder.Path())) {
            ++entries;
        }
        QCOMPARE(entries, 2);  // the file and the crash's leftover
    }

    void failedSaveNamesTheFileInAMessageBox() {
        ProgramFolders folders;
        TemporaryFolder skins;
        // The list is a link into a folder that is gone: it cannot be written through.
        std::filesystem::create_symlink(skins.PathOf("gone/SkinDir.txt"),
                                        folders.program.PathOf("SkinDir.txt"));
        ScriptedDialogs dialogs;
        auto form = StartProgram(dialogs, folders);
        form->close();
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QCOMPARE(dialogs.messages[0].title, QString("設定の保存エラー"));
        QVERIFY(dialogs.messages[0].text.contains("SkinDir.txt"));
        // The link is still there; the settings were written.
        QVERIFY(std::filesystem::is_symlink(folders.program.PathOf("SkinDir.txt")));
        QCOMPARE(IniEntry(folders.program, "FORM_MAIN", "DIVPOS"),
                 std::optional<std::string>("128"));
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
        QVERIFY(!folders.program.Exists("SkinDir.txt"));
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
};

QTEST_MAIN(SettingsTest)
#include "SettingsTest.moc"
