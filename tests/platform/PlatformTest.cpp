// The platform layer on the system the tests run on: folders, whole-file reads, atomic
// replacement and the text of paths. Where the systems differ on purpose (what makes an entry
// hidden, what a replacement keeps of the old file, where settings live), each case says so.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>

#include "platform/Platform.h"
#include "support/FixtureSkin.h"

#ifdef _WIN32
#include "platform/WindowsApi.h"
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace morvish::platform {
namespace {

using test::ScratchFolder;

// スキン素材 ("skin material"), a folder name as Japanese skin packs have them.
const std::string kJapaneseName = "\xE3\x82\xB9\xE3\x82\xAD\xE3\x83\xB3\xE7\xB4\xA0\xE6\x9D\x90";

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(PathToUtf8(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

TEST(PlatformFolders, ExecutableDirectoryHoldsThisProgram) {
    const fs::path folder = ExecutableDirectory();
    EXPECT_TRUE(folder.is_absolute()) << DisplayText(folder);
#ifdef _WIN32
    EXPECT_TRUE(fs::is_regular_file(folder / "platform_tests.exe")) << DisplayText(folder);
#else
    EXPECT_TRUE(fs::is_regular_file(folder / "platform_tests")) << DisplayText(folder);
#endif
}

TEST(PlatformFolders, UserSettingsLiveWhereTheSystemKeepsThem) {
#ifdef _WIN32
    const wchar_t* roaming = _wgetenv(L"APPDATA");
    ASSERT_NE(roaming, nullptr);
    EXPECT_EQ(UserSettingsDirectory(), fs::path(roaming) / "Morvish");
#else
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string restore = saved != nullptr ? saved : "";
    ::setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
    EXPECT_EQ(UserSettingsDirectory(), fs::path("/somewhere/config/morvish"));
    // A relative value is not a place to keep settings.
    ::setenv("XDG_CONFIG_HOME", "config", 1);
    EXPECT_EQ(UserSettingsDirectory().filename(), "morvish");
    EXPECT_EQ(UserSettingsDirectory().parent_path().filename(), ".config");
    if (saved != nullptr) {
        ::setenv("XDG_CONFIG_HOME", restore.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
#endif
}

TEST(PlatformFolders, ProgramFilesHoldInstalledPrograms) {
    ScratchFolder folder;
    EXPECT_FALSE(IsInProgramFilesFolder(folder.Path()));
#ifdef _WIN32
    const wchar_t* programs = _wgetenv(L"ProgramFiles");
    ASSERT_NE(programs, nullptr);
    const fs::path installed = fs::path(programs) / "Morvish";
    EXPECT_TRUE(IsInProgramFilesFolder(installed));
    // Windows names are compared without regard to case, and "." and ".." count as they lead.
    std::wstring shouted = installed.native();
    for (wchar_t& c : shouted) c = wchar_t(std::towupper(c));
    EXPECT_TRUE(IsInProgramFilesFolder(fs::path(shouted)));
    EXPECT_FALSE(IsInProgramFilesFolder(installed / ".." / ".." / "Morvish"));
    EXPECT_FALSE(IsInProgramFilesFolder(fs::path(programs).parent_path()));
#else
    EXPECT_FALSE(IsInProgramFilesFolder("/usr/bin"));
#endif
}

TEST(PlatformFolders, MayWriteToTriesWithoutLeavingATrace) {
    ScratchFolder folder;
    EXPECT_TRUE(MayWriteTo(folder.Path()));
    EXPECT_TRUE(fs::is_empty(folder.Path()));
    EXPECT_FALSE(MayWriteTo(folder.Path() / "missing"));
}

TEST(PlatformFolders, HiddenEntriesAreThoseTheSystemHides) {
    ScratchFolder folder;
    Put(folder.Path() / "plain.bmp", "x");
#ifdef _WIN32
    // The attributes decide. (Wine also hides names that start with a dot, as Linux does.)
    const std::vector<std::string> hidden = {"hidden.bmp", "system.bmp"};
    Put(folder.Path() / "hidden.bmp", "x");
    Put(folder.Path() / "system.bmp", "x");
    fs::create_directory(folder.Path() / "HiddenFolder");
    ASSERT_TRUE(
        ::SetFileAttributesW((folder.Path() / "hidden.bmp").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(
        ::SetFileAttributesW((folder.Path() / "system.bmp").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(::SetFileAttributesW((folder.Path() / "HiddenFolder").c_str(),
                                     FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
    const std::vector<std::string> expected = {"HiddenFolder", "hidden.bmp", "system.bmp"};
#else
    Put(folder.Path() / ".dotted", "x");
    fs::create_directory(folder.Path() / ".folder");
    const std::vector<std::string> expected = {".dotted", ".folder"};
#endif
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder.Path())) {
        if (IsHidden(entry)) found.push_back(PathToUtf8(entry.path().filename()));
    }
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, expected);
}

TEST(PlatformFiles, ReadRegularFileReturnsEveryByte) {
    ScratchFolder folder;
    const std::string bytes("line\r\nnext\0\x1A\xFF end", 17);
    Put(folder.Path() / "data.bin", bytes);
    Result<std::string> read = ReadRegularFile(folder.Path() / "data.bin");
    ASSERT_TRUE(read) << read.error().message;
    EXPECT_EQ(*read, bytes);

    Put(folder.Path() / "empty", "");
    EXPECT_EQ(ReadRegularFile(folder.Path() / "empty").value_or("?"), "");
}

TEST(PlatformFiles, ReadRegularFileRefusesFoldersMissingFilesAndLargeFiles) {
    ScratchFolder folder;
    const fs::path missing = folder.Path() / "missing.ini";
    Result<std::string> read = ReadRegularFile(missing);
    ASSERT_FALSE(read);
    EXPECT_TRUE(StartsWith(read.error().message, DisplayText(missing) + ": cannot be read ("))
        << read.error().message;

    read = ReadRegularFile(folder.Path());
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().message, DisplayText(folder.Path()) + ": not a regular file");

    Put(folder.Path() / "big", std::string(3000, 'x'));
    read = ReadRegularFile(folder.Path() / "big", 2048);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().message,
              DisplayText(folder.Path() / "big") +
                  ": file is too large (3000 bytes; the limit is 2048 bytes)");
    EXPECT_TRUE(ReadRegularFile(folder.Path() / "big", 3000));
}

TEST(PlatformFiles, WriteFileAtomicallyCreatesAndReplacesLeavingNoTemporaryFile) {
    ScratchFolder folder;
    const fs::path file = folder.Path() / "Quorel.ini";
    ASSERT_TRUE(WriteFileAtomically(file, "first"));
    EXPECT_EQ(Contents(file), "first");
    ASSERT_TRUE(WriteFileAtomically(file, std::string("second\0", 7)));
    EXPECT_EQ(Contents(file), std::string("second\0", 7));
    ASSERT_TRUE(WriteFileAtomically(file, ""));
    EXPECT_EQ(Contents(file), "");
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"Quorel.ini"});
}

TEST(PlatformFiles, AFailedWriteLeavesTheFolderAsItWas) {
    ScratchFolder folder;
    const fs::path inMissingFolder = folder.Path() / "missing" / "out.png";
    Result<void> written = WriteFileAtomically(inMissingFolder, "x");
    ASSERT_FALSE(written);
    EXPECT_TRUE(StartsWith(written.error().message, DisplayText(inMissingFolder) + ": cannot be "))
        << written.error().message;

    fs::create_directory(folder.Path() / "taken");
    written = WriteFileAtomically(folder.Path() / "taken", "x");
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().message,
              DisplayText(folder.Path() / "taken") + ": cannot be written (not a regular file)");
    EXPECT_TRUE(fs::is_directory(folder.Path() / "taken"));
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"taken"});
}

// A replaced file keeps what the system lets users set on it: its permissions on Linux, its
// hidden attribute on Windows.
TEST(PlatformFiles, AReplacementKeepsWhatUsersSetOnTheOldFile) {
    ScratchFolder folder;
    const fs::path file = folder.Path() / "SkinDir.txt";
    Put(file, "old");
#ifdef _WIN32
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(WriteFileAtomically(file, "new"));
    EXPECT_NE(::GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
#else
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteFileAtomically(file, "new"));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
#endif
    EXPECT_EQ(Contents(file), "new");
}

TEST(PlatformFiles, CopyFileAtomicallyCopiesOrLeavesTheTargetAlone) {
    ScratchFolder folder;
    const std::string bytes(200000, '\x5A');
    Put(folder.Path() / "source.bmp", bytes);
    const fs::path target = folder.Path() / "copy.bmp";
    ASSERT_TRUE(CopyFileAtomically(folder.Path() / "source.bmp", target));
    EXPECT_EQ(Contents(target), bytes);

    Result<void> copied = CopyFileAtomically(folder.Path() / "missing.bmp", target);
    ASSERT_FALSE(copied);
    EXPECT_TRUE(StartsWith(copied.error().message,
                           DisplayText(folder.Path() / "missing.bmp") + ": cannot be read ("));
    EXPECT_EQ(Contents(target), bytes);
    EXPECT_EQ(NamesIn(folder.Path()), (std::vector<std::string>{"copy.bmp", "source.bmp"}));
}

TEST(PlatformText, JapaneseNamesSurviveTheRoundTripThroughUtf8) {
    ScratchFolder folder;
    const fs::path named = folder.Path() / PathFromUtf8(kJapaneseName);
    fs::create_directory(named);
    ASSERT_TRUE(WriteFileAtomically(named / PathFromUtf8(kJapaneseName + ".ini"), "x"));
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{kJapaneseName});
    EXPECT_EQ(NamesIn(named), std::vector<std::string>{kJapaneseName + ".ini"});
    EXPECT_EQ(PathFromUtf8(PathToUtf8(named)), named);
    EXPECT_TRUE(StartsWith(DisplayText(named / "a.bmp"), PathToUtf8(folder.Path())));
    EXPECT_TRUE(ReadRegularFile(PathFromUtf8(PathToUtf8(named) + "/" + kJapaneseName + ".ini")));
}

TEST(PlatformText, Cp932IsDecodedAndBrokenBytesAreRefused) {
    // "スキン" and "あ" in code page 932; "\x5C" is the yen sign's byte but a backslash in paths.
    EXPECT_EQ(Cp932ToUtf8("\x83\x58\x83\x4C\x83\x93"), "\xE3\x82\xB9\xE3\x82\xAD\xE3\x83\xB3");
    EXPECT_EQ(Cp932ToUtf8("a\x82\xA0z"), "a\xE3\x81\x82z");
    EXPECT_EQ(Cp932ToUtf8(""), "");
    EXPECT_EQ(Cp932ToUtf8("\x83"), std::nullopt);          // a lead byte cut short
    EXPECT_EQ(Cp932ToUtf8("\x83\x58\x81"), std::nullopt);  // the same after a whole character
}

#ifdef _WIN32
// Windows paths as users give them: drive letters with either separator, and the long form
// that programs use past MAX_PATH.
TEST(PlatformText, DriveLettersAndVerbatimPathsReachTheSameFile) {
    ScratchFolder folder;
    Put(folder.Path() / "a.txt", "same");
    const std::string plain = PathToUtf8(fs::absolute(folder.Path() / "a.txt"));
    ASSERT_EQ(plain[1], ':');
    std::string forward = plain;
    std::replace(forward.begin(), forward.end(), '\\', '/');
    EXPECT_EQ(ReadRegularFile(PathFromUtf8(forward)).value_or("?"), "same");
    EXPECT_EQ(ReadRegularFile(PathFromUtf8("\\\\?\\" + plain)).value_or("?"), "same");
    ASSERT_TRUE(WriteFileAtomically(PathFromUtf8("\\\\?\\" + plain), "changed"));
    EXPECT_EQ(Contents(folder.Path() / "a.txt"), "changed");
}
#endif

// A thread yielded to the others runs at a lower priority; the others keep theirs.
TEST(PlatformThreads, AThreadYieldedToOthersRunsLowerAndLeavesTheOthersAlone) {
#ifdef _WIN32
    int yielded = THREAD_PRIORITY_NORMAL;
    std::thread([&] {
        platform::YieldThisThreadToOthers();
        yielded = ::GetThreadPriority(::GetCurrentThread());
    }).join();
    EXPECT_LT(yielded, THREAD_PRIORITY_NORMAL);
    EXPECT_EQ(::GetThreadPriority(::GetCurrentThread()), THREAD_PRIORITY_NORMAL);
#else
    const int before = ::getpriority(PRIO_PROCESS, id_t(::gettid()));
    int yielded = before;
    std::thread([&] {
        platform::YieldThisThreadToOthers();
        yielded = ::getpriority(PRIO_PROCESS, id_t(::gettid()));
    }).join();
    EXPECT_GT(yielded, std::min(before, 18));
    EXPECT_EQ(::getpriority(PRIO_PROCESS, id_t(::gettid())), before);
#endif
}

TEST(PlatformFiles, IdentityTellsAFileWrittenAnewFromTheSameFile) {
    ScratchFolder folder;
    folder.Write("piece.bmp", "one");
    const std::optional<FileIdentity> first = IdentityOf(folder / "piece.bmp");
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->kind, FileIdentity::Kind::File);
    EXPECT_EQ(first->size, 3u);
    EXPECT_EQ(first->links, 1u);
    EXPECT_EQ(IdentityOf(folder / "piece.bmp"), first);
    // Its times are those of the clock the program reads, at their full resolution.
    const std::int64_t minute = 60'000'000'000;
    EXPECT_LT(std::abs(first->modified - FileClockNow()), minute);

    // A file renamed over it is another file, even of the same size.
    folder.Write("saving.tmp", "two");
    std::filesystem::rename(folder / "saving.tmp", folder / "piece.bmp");
    const std::optional<FileIdentity> second = IdentityOf(folder / "piece.bmp");
    ASSERT_TRUE(second.has_value());
    EXPECT_NE(second->inode, first->inode);
    EXPECT_EQ(second->device, first->device);

    EXPECT_EQ(IdentityOf(folder.Dir())->kind, FileIdentity::Kind::Folder);
    EXPECT_FALSE(IdentityOf(folder / "missing.bmp").has_value());
    EXPECT_FALSE(IsLink(folder / "piece.bmp"));
}

}  // namespace
}  // namespace morvish::platform
