// The settings file and the skin root list: defaults at first start, what is written at exit, how
// odd, out-of-range and foreign values read, where the files live, and that files which cannot be
// read or written lose nothing.

#include <gtest/gtest.h>

#include <filesystem>

#include "FakeView.h"
#include "app/IniFile.h"
#include "app/Settings.h"
#include "app/SkinRootList.h"
#include "app/mdlWinAPI.h"
#include "platform/Platform.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#endif

namespace morvish::test {
namespace {

namespace fs = std::filesystem;
using mdlWinAPI::ReadIniValue;
using mdlWinAPI::WriteIniValue;

std::string Text(const fs::path& path) {
    return platform::PathToUtf8(path);
}

// A root as the tree shows it and the list holds it: ending with one separator of the system.
std::string RootText(const fs::path& path) {
    return platform::PathToUtf8(path / "");
}

std::string ReadString(const fs::path& ini, const char* section, const char* key) {
    return std::get<std::string>(ReadIniValue(ini, section, key, mdlWinAPI::kIniString, ""));
}

TEST(Settings, FirstStartUsesTheDesignAndWritesBothFiles) {
    ProgramFolders folders;
    {
        Program program(folders);
        EXPECT_TRUE(program.view.shown);
        EXPECT_TRUE(program.view.roots.empty());
        EXPECT_TRUE(program.logic->RODir().empty());
        EXPECT_EQ(program.logic->Layout().cntForResize.Left, 128);
        EXPECT_EQ(program.view.placement.state, WindowState::Normal);
        EXPECT_EQ(program.view.ClientSize(), (WindowSize{510, 441}));
        program.Close();
    }
    EXPECT_EQ(folders.program.Read("SkinDir.txt"), "");
    const WindowSize outer{510 + FakeView::kFrame.width, 441 + FakeView::kFrame.height};
    EXPECT_EQ(folders.Setting("FORM_MAIN", "STYLE"), "0");
    EXPECT_EQ(folders.Setting("FORM_MAIN", "WIDTH"), std::to_string(outer.width * 15));
    EXPECT_EQ(folders.Setting("FORM_MAIN", "HEIGHT"), std::to_string(outer.height * 15));
    EXPECT_EQ(folders.Setting("FORM_MAIN", "DIVPOS"), "128");
    EXPECT_FALSE(folders.config.Exists("morvish"));
}

TEST(Settings, MessyRootListIsNormalisedOnWriteBack) {
    ProgramFolders folders;
    TemporaryFolder skins;
    for (const char* root : {"one", "two", "three", "four"}) skins.MakeFolder(root);
    const auto root = [&](const char* name) { return Text(skins.PathOf(name)); };
    folders.program.Write("SkinDir.txt", "\xEF\xBB\xBF\r\n   " + root("one") + "/  \r\n" +
                                             root("two") + "\n\t \r\n" + root("three") + "///\r\n" +
                                             root("missing") + "\r\n\t" + root("four"));
    Program program(folders);
    ASSERT_EQ(program.view.roots.size(), 4u);
    EXPECT_EQ(program.view.items.at(program.view.Root(0)).text, RootText(skins.PathOf("one")));
    program.Close();
    std::string expected;
    for (const char* name : {"one", "two", "three", "four"}) {
        expected += RootText(skins.PathOf(name)) + "\r\n";
    }
    EXPECT_EQ(folders.program.Read("SkinDir.txt"), expected);
}

TEST(Settings, RelativeRootsAreFoundBesideTheList) {
    ProgramFolders folders;
    folders.share.MakeFolder("skins/demo");
    folders.share.Write("SkinDir.txt", "skins\r\n");
    Program program(folders);
    ASSERT_EQ(program.view.roots.size(), 1u);
    EXPECT_EQ(program.view.items.at(program.view.Root(0)).text,
              RootText(folders.share.PathOf("skins")));
}

TEST(Settings, AllRootsRemovedLeavesAnEmptyList) {
    ProgramFolders folders;
    TemporaryFolder skins;
    folders.program.Write("SkinDir.txt", Text(skins.Path()) + "/\r\n");
    {
        Program program(folders);
        program.view.selected = program.view.Root(0);
        program.logic->mnuRemoveRootDir_Click();
        program.Close();
    }
    EXPECT_EQ(folders.program.Read("SkinDir.txt"), "");
    Program again(folders);
    EXPECT_TRUE(again.view.roots.empty());
}

TEST(Settings, StoredSizeStateSplitterAndGameFolderAreRestored) {
    ProgramFolders folders;
    folders.program.Write("Quorel.ini",
                          "[General]\r\nRODir=/games/ro\r\n[FORM_MAIN]\r\nSTYLE=2\r\n"
                          "WIDTH=9000\r\nHEIGHT=7507\r\nDIVPOS=200\r\n");
    Program program(folders);
    EXPECT_EQ(program.logic->RODir(), fs::path("/games/ro"));
    // 7507 twips round to 500 pixels.
    EXPECT_EQ(program.view.placement, (WindowPlacement{WindowState::Maximised, {600, 500}}));
    const ControlLayout& layout = program.view.layout;
    EXPECT_EQ(layout.cntForResize.Left, 200);
    EXPECT_EQ(layout.tvwSelectSkin.Width, 194);
    EXPECT_EQ(layout.picShowSkin.Left, 202);

    program.view.placement.state = WindowState::Minimised;
    program.Close();
    EXPECT_EQ(folders.Setting("FORM_MAIN", "STYLE"), "1");
    EXPECT_EQ(folders.Setting("FORM_MAIN", "WIDTH"), "9000");
    EXPECT_EQ(folders.Setting("FORM_MAIN", "HEIGHT"), "7500");
    EXPECT_EQ(folders.Setting("General", "RODir"), "/games/ro");
}

TEST(Settings, ValuesThatAreNotNumbersKeepTheDesign) {
    ProgramFolders folders;
    folders.program.Write(
        "Quorel.ini", "[FORM_MAIN]\r\nSTYLE=max\r\nWIDTH=wide\r\nHEIGHT=0x100\r\nDIVPOS=left\r\n");
    Program program(folders);
    EXPECT_EQ(program.view.placement.state, WindowState::Normal);
    EXPECT_EQ(program.view.ClientSize(), (WindowSize{510, 441}));
    EXPECT_EQ(program.view.layout.cntForResize.Left, 128);
}

TEST(Settings, SplitterAndWindowOutsideTheScreenAreBroughtBack) {
    // A splitter past the client area would be lost for good; one left of 11 pixels leaves the
    // tree no room. Both come back to the nearest place the splitter can be dragged to.
    for (const auto& [stored, expected] :
         std::vector<std::pair<std::string, int>>{{"1e9", 510 - 21},
                                                  {"600", 510 - 21},
                                                  {"489", 489},
                                                  {"11", 11},
                                                  {"6", 11},
                                                  {"-40", 11}}) {
        ProgramFolders folders;
        folders.program.Write("Quorel.ini", "[FORM_MAIN]\r\nDIVPOS=" + stored + "\r\n");
        Program program(folders);
        EXPECT_EQ(program.view.layout.cntForResize.Left, expected) << stored;
        EXPECT_GT(program.view.layout.tvwSelectSkin.Width, 0) << stored;
        program.Close();
        EXPECT_EQ(folders.Setting("FORM_MAIN", "DIVPOS"), std::to_string(expected)) << stored;
    }

    // A window larger than the screen would open with its title bar's buttons out of reach.
    ProgramFolders folders;
    folders.program.Write("Quorel.ini", "[FORM_MAIN]\r\nWIDTH=150000\r\nHEIGHT=-3\r\n");
    Program program(folders);
    EXPECT_EQ(program.view.placement.restored, (WindowSize{1920, 1}));
}

TEST(Settings, FilesThatCannotBeReadAreReportedAndNotWrittenBack) {
    ProgramFolders folders;
    TemporaryFolder skins;
    // Files the program may not read, as a file system or a second user makes them: here a folder
    // where the list is expected and a settings file larger than any the program reads.
    folders.program.MakeFolder("SkinDir.txt/kept");
    folders.program.Write("Quorel.ini", "[FORM_MAIN]\r\nDIVPOS=300\r\n");
    fs::resize_file(folders.program.PathOf("Quorel.ini"), std::uintmax_t(300) * 1024 * 1024);
    {
        Program program(folders);
        EXPECT_NE(program.view.status.find("Quorel.ini"), std::string::npos) << program.view.status;
        EXPECT_EQ(program.view.layout.cntForResize.Left, 128);
        program.view.folderAnswers = {Text(skins.Path())};
        program.logic->mnuAddSkinDirectory_Click();
        program.Close();
        EXPECT_TRUE(program.view.messages.empty());
    }
    EXPECT_TRUE(fs::is_directory(folders.program.PathOf("SkinDir.txt/kept")));
    EXPECT_EQ(fs::file_size(folders.program.PathOf("Quorel.ini")),
              std::uintmax_t(300) * 1024 * 1024);

#ifndef _WIN32
    // A list that is a named pipe is neither waited on nor replaced.
    ProgramFolders piped;
    ASSERT_EQ(::mkfifo(piped.program.PathOf("SkinDir.txt").c_str(), 0600), 0);
    {
        Program program(piped);
        EXPECT_NE(program.view.status.find("SkinDir.txt"), std::string::npos);
        program.Close();
    }
    EXPECT_TRUE(fs::is_fifo(piped.program.PathOf("SkinDir.txt")));
#endif
}

TEST(Settings, SkinsInsideTheProgramFolderMoveWithIt) {
    // The demo list names its skins relative to the program's folder; roots inside the folder are
    // written back the same way, others as they are.
    TemporaryFolder elsewhere;
    elsewhere.MakeFolder("mine");
    fs::path moved;
    {
        ProgramFolders folders;
        folders.program.MakeFolder("skins/parchment");
        folders.program.Write("SkinDir.txt",
                              "skins/\r\n" + Text(elsewhere.PathOf("mine")) + "\r\n");
        {
            Program program(folders);
            ASSERT_EQ(program.view.roots.size(), 2u);
            EXPECT_EQ(program.view.items.at(program.view.Root(0)).text,
                      RootText(folders.program.PathOf("skins")));
            program.Close();
        }
        EXPECT_EQ(folders.program.Read("SkinDir.txt"),
                  RootText("skins") + "\r\n" + RootText(elsewhere.PathOf("mine")) + "\r\n");
        moved = elsewhere.PathOf("moved");
        fs::rename(folders.program.Path(), moved);
        fs::create_directories(folders.program.Path());
    }
    SettingsFolder settings(moved, true, moved / "config", {});
    FakeView view;
    MainController logic(view, settings, "1");
    ASSERT_TRUE(logic.StartUp([] { return true; }));
    ASSERT_EQ(view.roots.size(), 2u);
    EXPECT_EQ(view.ChildTexts(view.Root(0)), std::vector<std::string>{"parchment"});
}

TEST(Settings, GameFolderOfAnyLengthIsKeptWhole) {
    ProgramFolders folders;
    const std::string value = "/games/" + std::string(300, 'x') + "/ro";
    folders.program.Write("Quorel.ini", "[General]\r\nRODir=" + value + "\r\n");
    {
        Program program(folders);
        EXPECT_EQ(Text(program.logic->RODir()), value);
        program.Close();
    }
    EXPECT_EQ(folders.Setting("General", "RODir"), value);
}

TEST(Settings, ListsWrittenOnJapaneseWindowsAreReadAsShiftJis) {
    ProgramFolders folders;
    TemporaryFolder skins;
    skins.MakeFolder("スキン集/夜");
    // "スキン集" in code page 932, then a line of UTF-8 for the same folder.
    const std::string shiftJis = "\x83\x58\x83\x4C\x83\x93\x8F\x57";
    folders.program.Write("SkinDir.txt", Text(skins.Path()) + "/" + shiftJis + "\r\n" +
                                             Text(skins.PathOf("スキン集")) + "\r\n");
    Program program(folders);
    ASSERT_EQ(program.view.roots.size(), 2u);
    for (NodeId root : program.view.roots) {
        EXPECT_EQ(program.view.items.at(root).text, RootText(skins.PathOf("スキン集")));
        EXPECT_NE(program.view.Child(root, "夜"), kNoNode);
    }
    program.Close();
    const std::string utf8 = RootText(skins.PathOf("スキン集")) + "\r\n";
    EXPECT_EQ(folders.program.Read("SkinDir.txt"), utf8 + utf8);
}

#ifndef _WIN32
TEST(Settings, NamesInShiftJisBytesAreShownInJapaneseAndKeptAsTheyAre) {
    // Archives made on Japanese Windows and unpacked on Linux give names in Shift-JIS bytes.
    ProgramFolders folders;
    TemporaryFolder skins;
    const std::string root = Text(skins.Path()) + "/\x83\x58\x83\x4C\x83\x93";  // スキン
    const std::string skin = root + "/\x96\xE9";                                // 夜
    fs::create_directories(fs::path(skin) / "basic_interface");
    folders.program.Write("SkinDir.txt", root + "\r\n");
    {
        Program program(folders);
        ASSERT_EQ(program.view.roots.size(), 1u);
        EXPECT_EQ(program.view.items.at(program.view.Root(0)).text,
                  Text(skins.Path()) + "/スキン/");
        EXPECT_EQ(program.view.ChildTexts(program.view.Root(0)), std::vector<std::string>{"夜"});
        program.Close();
    }
    EXPECT_EQ(folders.program.Read("SkinDir.txt"), root + "/\r\n");
}
#endif

// A NUL byte in a SkinDir.txt line cut the path short: "/tmp/\0bin/skins/" became the root
// "/tmp/" and listed all of it. Such a line names no root; the lines around it still count.
TEST(Settings, ALineWithANulByteNamesNoRoot) {
    using namespace std::string_literals;
    const std::vector<fs::path> roots =
        ParseSkinRootList("/skins/a/\r\n/tmp/\0bin/skins/\r\n\0\r\n/skins/b/\r\n"s);
    EXPECT_EQ(roots, (std::vector<fs::path>{"/skins/a/", "/skins/b/"}));
    EXPECT_EQ(PathFromStoredText("/tmp/\0bin/skins/"s), fs::path());
}

TEST(Settings, ReadIniValueConvertsByKind) {
    TemporaryFolder folder;
    const fs::path ini = folder.PathOf("Quorel.ini");
    folder.Write("Quorel.ini",
                 "; comment\r\n[s]\r\n  Int = 12 \r\nHalf=12.5\r\nOdd=13.5\r\nNeg=-2.5\r\n"
                 "Huge=1e12\r\nReal=2.25\r\nYes=TRUE\r\nNo=false\r\nOne=3\r\nWord=maybe\r\n"
                 "Quoted=\"  a b \"\r\nEmpty=\r\n[other]\r\nInt=99\r\n");
    auto integer = [&](const char* key, const char* fallback) {
        return std::get<std::int32_t>(
            ReadIniValue(ini, "S", key, mdlWinAPI::kIniInteger, fallback));
    };
    EXPECT_EQ(integer("int", ""), 12);
    EXPECT_EQ(integer("Half", ""), 12);
    EXPECT_EQ(integer("Odd", ""), 14);
    EXPECT_EQ(integer("Neg", ""), -2);
    EXPECT_EQ(integer("Huge", "5"), 5);  // out of range reads as absent
    EXPECT_EQ(integer("Word", "7"), 7);
    EXPECT_EQ(integer("Word", ""), 0);
    EXPECT_EQ(integer("Empty", "8"), 8);
    EXPECT_EQ(integer("Missing", "9"), 9);
    EXPECT_EQ(std::get<double>(ReadIniValue(ini, "s", "Real", mdlWinAPI::kIniDouble, "")), 2.25);
    EXPECT_EQ(std::get<double>(ReadIniValue(ini, "s", "Missing", mdlWinAPI::kIniDouble, "")), 0.0);
    EXPECT_TRUE(std::get<bool>(ReadIniValue(ini, "s", "Yes", mdlWinAPI::kIniBoolean, "")));
    EXPECT_FALSE(std::get<bool>(ReadIniValue(ini, "s", "No", mdlWinAPI::kIniBoolean, "True")));
    EXPECT_TRUE(std::get<bool>(ReadIniValue(ini, "s", "One", mdlWinAPI::kIniBoolean, "")));
    EXPECT_FALSE(std::get<bool>(ReadIniValue(ini, "s", "Word", mdlWinAPI::kIniBoolean, "")));
    EXPECT_EQ(ReadString(ini, "s", "Quoted"), "  a b ");
    EXPECT_EQ(ReadString(ini, "s", "Empty"), "");
    EXPECT_EQ(std::get<std::int32_t>(ReadIniValue(ini, "s", "Int", 7, "5")), 0);
    EXPECT_EQ(ReadString(folder.PathOf("absent.ini"), "s", "Int"), "");
}

TEST(Settings, WritingKeepsWhatItDoesNotChange) {
    TemporaryFolder folder;
    const fs::path ini = folder.PathOf("Quorel.ini");
    folder.Write("Quorel.ini",
                 "; mine\r\n[General]\r\nRODir=/a\r\nTheme=dark\r\n\r\n[Other]\r\nKey=1\r\n");
    ASSERT_TRUE(WriteIniValue(ini, "general", "rodir", std::string("/b")));
    ASSERT_TRUE(WriteIniValue(ini, "General", "New", std::int32_t(5)));
    ASSERT_TRUE(WriteIniValue(ini, "Added", "Flag", true));
    EXPECT_EQ(folder.Read("Quorel.ini"),
              "; mine\r\n[General]\r\nrodir=/b\r\nTheme=dark\r\nNew=5\r\n\r\n[Other]\r\nKey=1\r\n"
              "[Added]\r\nFlag=True\r\n");
    const auto broken = WriteIniValue(ini, "General", "RODir", std::string("a\nb"));
    ASSERT_FALSE(broken);
    EXPECT_NE(broken.error().message.find("line break"), std::string::npos);
}

TEST(Settings, UnwritableProgramFolderUsesTheUsersFolder) {
    ProgramFolders folders;
    folders.programWritable = false;
    TemporaryFolder skins;
    folders.program.Write("SkinDir.txt", Text(skins.PathOf("beside")) + "\r\n");
    skins.MakeFolder("beside");
    skins.MakeFolder("own");
    {
        // The list beside the program serves until the user has one of their own.
        Program program(folders);
        EXPECT_EQ(program.view.roots.size(), 1u);
        program.view.selected = program.view.Root(0);
        program.logic->mnuRemoveRootDir_Click();
        program.view.folderAnswers = {Text(skins.PathOf("own"))};
        program.logic->mnuAddSkinDirectory_Click();
        program.Close();
    }
    EXPECT_EQ(folders.config.Read("morvish/SkinDir.txt"), RootText(skins.PathOf("own")) + "\r\n");
    EXPECT_TRUE(folders.config.Exists("morvish/Quorel.ini"));
    EXPECT_EQ(folders.program.Read("SkinDir.txt"), Text(skins.PathOf("beside")) + "\r\n");
    EXPECT_FALSE(folders.program.Exists("Quorel.ini"));
    Program again(folders);
    ASSERT_EQ(again.view.roots.size(), 1u);
    EXPECT_EQ(again.view.items.at(again.view.Root(0)).text, RootText(skins.PathOf("own")));
}

TEST(Settings, InstalledRootListServesWhenThereIsNoOwnList) {
    ProgramFolders folders;
    folders.programWritable = false;
    TemporaryFolder skins;
    folders.share.Write("SkinDir.txt", Text(skins.Path()) + "/\r\n");
    {
        Program program(folders);
        EXPECT_EQ(program.view.roots.size(), 1u);
        program.view.selected = program.view.Root(0);
        program.logic->mnuRemoveRootDir_Click();
        program.Close();
    }
    // The user's empty list now counts; the installed one is left as it was.
    EXPECT_EQ(folders.config.Read("morvish/SkinDir.txt"), "");
    EXPECT_EQ(folders.share.Read("SkinDir.txt"), Text(skins.Path()) + "/\r\n");  // as it was
    Program again(folders);
    EXPECT_TRUE(again.view.roots.empty());
}

#ifndef _WIN32
TEST(Settings, FailedSaveNamesTheFileAndKeepsWhatWasThere) {
    ProgramFolders folders;
    TemporaryFolder elsewhere;
    Program program(folders);
    // While the program runs, the list becomes a link into a folder that is gone: it cannot be
    // written through.
    fs::create_symlink(elsewhere.PathOf("gone/SkinDir.txt"), folders.program.PathOf("SkinDir.txt"));
    program.Close();
    ASSERT_EQ(program.view.messages.size(), 1u);
    EXPECT_EQ(program.view.messages[0].title, "設定の保存エラー");
    EXPECT_NE(program.view.messages[0].text.find("SkinDir.txt"), std::string::npos);
    EXPECT_TRUE(fs::is_symlink(folders.program.PathOf("SkinDir.txt")));
    EXPECT_EQ(folders.Setting("FORM_MAIN", "DIVPOS"), "128");
}
#endif

#ifndef _WIN32
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

TEST(Settings, InterruptedWriteLeavesTheOldFile) {
    TemporaryFolder folder;
    const fs::path ini = folder.PathOf("Quorel.ini");
    ASSERT_TRUE(WriteIniValue(ini, "General", "RODir", std::string("/old")));
    const std::string before = folder.Read("Quorel.ini");

    // A crash after the temporary file was written but before the rename leaves the file itself
    // with the old settings; the leftover is never read.
    folder.Write(".morvish-crash1", "[General]\r\nRODir=/ha");
    EXPECT_EQ(ReadString(ini, "General", "RODir"), "/old");
    ASSERT_TRUE(WriteIniValue(ini, "General", "RODir", std::string("/new")));

    // A write that fails half way (a full disk, here a limit on the size of files) changes
    // nothing and leaves no temporary file behind.
    const std::string good = folder.Read("Quorel.ini");
    {
        FileSizeLimit limit(good.size());
        const auto failed =
            WriteIniValue(ini, "General", "RODir", "/lost/" + std::string(200, 'x'));
        ASSERT_FALSE(failed);
        EXPECT_NE(failed.error().message.find("Quorel.ini"), std::string::npos);
    }
    EXPECT_EQ(folder.Read("Quorel.ini"), good);
    EXPECT_NE(before, good);
    const auto entries = std::distance(fs::directory_iterator(folder.Path()), {});
    EXPECT_EQ(entries, 2);  // the file and the crash's leftover
}
#endif

}  // namespace
}  // namespace morvish::test
