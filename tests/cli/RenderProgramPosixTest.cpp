// The renderer's output and events file on POSIX systems, against what went wrong there: a full
// disk removed the picture that was there, a pipe or a device node given as the output was waited
// on or replaced, and a folder given as the events file ended the program.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/Fifo.h"
#include "support/FixtureSkin.h"

namespace morvish::cli {
namespace {

struct Finished {
    int status = -1;     // the exit status; -1 when the program did not exit by itself
    std::string errors;  // what it wrote to standard error
};

// Runs the renderer without a shell. With `fileSizeLimit`, no file it writes may grow past that
// many bytes, as on a full disk: a write beyond fails (the signal that would end the program is
// ignored, so the program sees the error).
Finished RunWithoutShell(std::vector<std::string> arguments,
                         std::optional<rlim_t> fileSizeLimit = std::nullopt) {
    arguments.insert(arguments.begin(), MORVISH_RENDER);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    // Standard error goes through a pipe, which the file size limit does not cut short.
    int errors[2];
    if (::pipe2(errors, O_CLOEXEC) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        if (::dup2(errors[1], STDERR_FILENO) < 0) ::_exit(127);
        if (fileSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{*fileSizeLimit, *fileSizeLimit};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(127);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(errors[1]);
    Finished finished;
    char buffer[4096];
    for (ssize_t got; (got = ::read(errors[0], buffer, sizeof buffer)) > 0;) {
        finished.errors.append(buffer, std::size_t(got));
    }
    ::close(errors[0]);
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        finished.status = WEXITSTATUS(status);
    }
    return finished;
}

// Writing the picture failed on a full disk, and the library that wrote it then removed the file:
// the picture that was there vanished. Now the old picture stays, no temporary file is left, and
// the exit status says the write failed.
TEST(RenderProgram, AFailedWriteKeepsThePictureThatWasThere) {
    test::FixtureSkin skin;
    skin.Solid("basic_interface\\basewin_bg.bmp", 280, 120, 0x336699);
    test::ScratchFolder output;
    const std::string out = (output / "out.png").string();
    ASSERT_EQ(RunWithoutShell({"--skin", skin.Dir().string(), "-o", out}).status, 0);
    const std::string before = output.Read("out.png");
    ASSERT_GT(before.size(), 64u);

    const Finished full = RunWithoutShell(
        {"--skin", skin.Dir().string(), "--background", "#00FF00", "-o", out}, rlim_t(64));
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.errors.find(out + ": cannot be written"), std::string::npos) << full.errors;
    EXPECT_EQ(output.Read("out.png"), before);
    EXPECT_EQ(output.Names(), std::vector<std::string>{"out.png"});
}

// A pipe or a device node given as the output is refused with exit status 1 and left as it was;
// writing the old way waited on the pipe, and as root replaced or removed the node.
TEST(RenderProgram, OutputThatIsNotARegularFileIsLeftAlone) {
    test::FixtureSkin skin;
    test::ScratchFolder output;
    const std::filesystem::path pipe = output / "pipe.png";
    test::MakeFifo(pipe);
    Finished piped;
    ASSERT_TRUE(test::ReturnsWithoutWaitingOn(pipe, [&] {
        piped = RunWithoutShell({"--skin", skin.Dir().string(), "-o", pipe.string()});
    }));
    EXPECT_EQ(piped.status, 1);
    EXPECT_NE(piped.errors.find("not a regular file"), std::string::npos) << piped.errors;
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));

    // The null device's numbers; only a privileged user may make such a node.
    const std::filesystem::path device = output / "device.png";
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        EXPECT_EQ(RunWithoutShell({"--skin", skin.Dir().string(), "-o", device.string()}).status,
                  1);
        EXPECT_TRUE(std::filesystem::is_character_file(device));
    }
    EXPECT_EQ(output.Names().size(), std::filesystem::exists(device) ? 2u : 1u);
}

// An events file that is a folder ended the program with an uncaught exception (status 134); a
// folder or a pipe is bad usage, status 2, with a message naming it.
TEST(RenderProgram, EventsFileThatIsNotAFileIsBadUsage) {
    test::FixtureSkin skin;
    test::ScratchFolder events;
    const Finished folder =
        RunWithoutShell({"--skin", skin.Dir().string(), "--events", events.Dir().string(), "-o",
                         (events / "out.png").string()});
    EXPECT_EQ(folder.status, 2);
    EXPECT_NE(folder.errors.find(events.Dir().string() + ": not a regular file"), std::string::npos)
        << folder.errors;

    const std::filesystem::path pipe = events / "events.txt";
    test::MakeFifo(pipe);
    Finished piped;
    ASSERT_TRUE(test::ReturnsWithoutWaitingOn(pipe, [&] {
        piped = RunWithoutShell({"--skin", skin.Dir().string(), "--events", pipe.string(), "-o",
                                 (events / "out.png").string()});
    }));
    EXPECT_EQ(piped.status, 2);
    EXPECT_FALSE(std::filesystem::exists(events / "out.png"));
}

}  // namespace
}  // namespace morvish::cli
