// The POSIX platform layer's file operations, against what went wrong with the program's own
// files: settings replaced through links, permissions lost, two program windows saving at once, a
// pipe or a device where a file was expected, and long file names.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/Platform.h"
#include "support/Fifo.h"
#include "support/FixtureSkin.h"

namespace morvish::platform {
namespace {

using test::ScratchFolder;

fs::perms PermissionsOf(const fs::path& path) {
    return fs::symlink_status(path).permissions();
}

// What a folder holds besides the given names: a temporary file left behind shows here.
std::vector<std::string> NamesBesides(const ScratchFolder& folder,
                                      const std::vector<std::string>& expected) {
    std::vector<std::string> others;
    for (const std::string& name : folder.Names()) {
        if (std::find(expected.begin(), expected.end(), name) == expected.end()) {
            others.push_back(name);
        }
    }
    return others;
}

// A settings file kept elsewhere through a link stays a link: the file it leads to is replaced,
// through chains and relative links, and a link to a file not there yet creates that file.
TEST(AtomicWrite, WritesThroughLinksToTheirTarget) {
    ScratchFolder folder;
    folder.Write("elsewhere/Quorel.ini", "old");
    fs::create_symlink("elsewhere/Quorel.ini", folder / "link.ini");
    fs::create_symlink(folder / "link.ini", folder / "chain.ini");
    ASSERT_TRUE(WriteFileAtomically(folder / "chain.ini", "new"));
    EXPECT_TRUE(fs::is_symlink(folder / "chain.ini"));
    EXPECT_TRUE(fs::is_symlink(folder / "link.ini"));
    EXPECT_EQ(folder.Read("elsewhere/Quorel.ini"), "new");
    EXPECT_EQ(NamesBesides(folder, {"chain.ini", "elsewhere", "link.ini"}),
              std::vector<std::string>());
    EXPECT_EQ(folder.Names("elsewhere"), std::vector<std::string>{"Quorel.ini"});

    fs::create_symlink("elsewhere/SkinDir.txt", folder / "SkinDir.txt");
    ASSERT_TRUE(WriteFileAtomically(folder / "SkinDir.txt", "/skins/\r\n"));
    EXPECT_TRUE(fs::is_symlink(folder / "SkinDir.txt"));
    EXPECT_EQ(folder.Read("elsewhere/SkinDir.txt"), "/skins/\r\n");
}

// A replaced file keeps its mode; a new one gets the usual mode less the umask.
TEST(AtomicWrite, KeepsThePermissionsOfTheFileItReplaces) {
    ScratchFolder folder;
    for (const fs::perms mode : {fs::perms(0600), fs::perms(0640), fs::perms(0444)}) {
        folder.Write("Quorel.ini", "old");
        fs::permissions(folder / "Quorel.ini", mode);
        ASSERT_TRUE(WriteFileAtomically(folder / "Quorel.ini", "new"));
        EXPECT_EQ(folder.Read("Quorel.ini"), "new");
        EXPECT_EQ(PermissionsOf(folder / "Quorel.ini"), mode);
    }
    const mode_t previous = ::umask(027);
    ASSERT_TRUE(WriteFileAtomically(folder / "new.ini", "new"));
    ::umask(previous);
    EXPECT_EQ(PermissionsOf(folder / "new.ini"), fs::perms(0640));

    // Run as root, the program gives a user's file back to its owner.
    constexpr uid_t kSomeoneElse = 65534;
    if (::chown((folder / "Quorel.ini").c_str(), kSomeoneElse, kSomeoneElse) == 0) {
        ASSERT_TRUE(WriteFileAtomically(folder / "Quorel.ini", "newer"));
        struct stat status {};
        ASSERT_EQ(::stat((folder / "Quorel.ini").c_str(), &status), 0);
        EXPECT_EQ(status.st_uid, kSomeoneElse);
        EXPECT_EQ(status.st_gid, kSomeoneElse);
        EXPECT_EQ(status.st_mode & 07777, 0444u);
    }
}

// A pipe, a device or a folder where a file is to be written is refused at once and left as it
// was (writing the old way waited on the pipe for ever, or replaced the device node).
TEST(AtomicWrite, RefusesWhatIsNotARegularFileAndLeavesItAlone) {
    ScratchFolder folder;
    test::MakeFifo(folder / "pipe.ini");
    Result<void> written;
    ASSERT_TRUE(test::ReturnsWithoutWaitingOn(
        folder / "pipe.ini", [&] { written = WriteFileAtomically(folder / "pipe.ini", "x"); }));
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().message,
              (folder / "pipe.ini").string() + ": cannot be written (not a regular file)");
    EXPECT_TRUE(fs::is_fifo(folder / "pipe.ini"));

    fs::create_directory(folder / "folder.ini");
    EXPECT_FALSE(WriteFileAtomically(folder / "folder.ini", "x"));
    EXPECT_TRUE(fs::is_directory(folder / "folder.ini"));

    // The null device's numbers; only a privileged user may make such a node.
    if (::mknod((folder / "device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        EXPECT_FALSE(WriteFileAtomically(folder / "device", "x"));
        EXPECT_TRUE(fs::is_character_file(folder / "device"));
    }
    EXPECT_EQ(NamesBesides(folder, {"device", "folder.ini", "pipe.ini"}),
              std::vector<std::string>());
}

// Two threads and two processes replace one file 6,000 times in all: with one shared temporary
// name, a quarter of such writes failed. Every write succeeds, the file holds one whole content,
// and no temporary file is left. The folder lies in memory where it can, so that the test
// measures name clashes and not the disk's flushes.
TEST(AtomicWrite, TwoThreadsAndTwoProcessesWritingOneFileNeverFail) {
    std::error_code error;
    const fs::path memory = "/dev/shm";
    ScratchFolder folder(fs::is_directory(memory, error) ? memory : fs::temp_directory_path());
    const fs::path file = folder / "Quorel.ini";
    constexpr int kWrites = 1500;
    const auto contentOf = [](char writer) { return std::string(4000, writer) + "\r\n"; };
    const auto writeMany = [&](char writer) {
        int failures = 0;
        for (int i = 0; i < kWrites; ++i) {
            if (!WriteFileAtomically(file, contentOf(writer))) ++failures;
        }
        return failures;
    };

    std::vector<pid_t> children;
    for (const char writer : {'a', 'b'}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) ::_exit(writeMany(writer) == 0 ? 0 : 1);
        children.push_back(child);
    }
    std::atomic<int> failures = 0;
    std::vector<std::thread> threads;
    for (const char writer : {'c', 'd'})
        threads.emplace_back([&, writer] { failures += writeMany(writer); });
    for (std::thread& thread : threads) thread.join();
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a process's write failed";
    }
    EXPECT_EQ(failures, 0);
    const std::string last = folder.Read("Quorel.ini");
    ASSERT_FALSE(last.empty());
    EXPECT_EQ(last, contentOf(last[0]));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Quorel.ini"});
}

// The temporary name is short, so every name the file system takes can be written and copied.
TEST(AtomicWrite, NamesOfTheLongestLengthCanBeWrittenAndCopied) {
    ScratchFolder folder;
    const std::string longest(255, 'n');
    ASSERT_TRUE(WriteFileAtomically(folder / longest, "first"));
    EXPECT_EQ(folder.Read(longest), "first");
    fs::create_directory(folder / "copies");
    ASSERT_TRUE(CopyFileAtomically(folder / longest, folder / "copies" / longest));
    EXPECT_EQ(folder.Read(fs::path("copies") / longest), "first");
}

// A copy that is told to replace a link replaces the link itself and leaves the file it led to
// alone; by default a link is written through, like the settings files.
TEST(AtomicCopy, ReplacesALinkOnlyWhenToldTo) {
    ScratchFolder folder;
    folder.Write("source.bmp", "skin piece");
    folder.Write("outside/private.txt", "keep");
    fs::create_directory(folder / "skin");
    fs::create_symlink(folder / "outside/private.txt", folder / "skin/a.bmp");
    ASSERT_TRUE(
        CopyFileAtomically(folder / "source.bmp", folder / "skin/a.bmp", TargetLink::kReplace));
    EXPECT_FALSE(fs::is_symlink(folder / "skin/a.bmp"));
    EXPECT_EQ(folder.Read("skin/a.bmp"), "skin piece");
    EXPECT_EQ(folder.Read("outside/private.txt"), "keep");

    fs::create_symlink(folder / "outside/private.txt", folder / "skin/b.bmp");
    ASSERT_TRUE(CopyFileAtomically(folder / "source.bmp", folder / "skin/b.bmp"));
    EXPECT_TRUE(fs::is_symlink(folder / "skin/b.bmp"));
    EXPECT_EQ(folder.Read("outside/private.txt"), "skin piece");
}

// Reading a pipe or a folder as a file is refused at once, on the opened file.
TEST(ReadRegularFile, PipesAndFoldersAreRefusedWithoutWaiting) {
    ScratchFolder folder;
    test::MakeFifo(folder / "pipe");
    Result<std::string> read;
    ASSERT_TRUE(test::ReturnsWithoutWaitingOn(folder / "pipe",
                                              [&] { read = ReadRegularFile(folder / "pipe"); }));
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().message, (folder / "pipe").string() + ": not a regular file");
    read = ReadRegularFile(folder.Dir());
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().message, folder.Dir().string() + ": not a regular file");
}

}  // namespace
}  // namespace morvish::platform
