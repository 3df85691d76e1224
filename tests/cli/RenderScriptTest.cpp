#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "RenderScript.h"
#include "platform/Platform.h"
#include "render/PngFile.h"
#include "support/Fifo.h"
#include "support/FixtureSkin.h"

namespace morvish::cli {
namespace {

TEST(RenderKinds, NamesAndNumbersSelectSlotsInOrder) {
    EXPECT_EQ(ParseKind("all"), 1);
    EXPECT_EQ(ParseKind("basic"), 2);
    EXPECT_EQ(ParseKind("etc"), 12);
    EXPECT_EQ(ParseKind("7"), 7);
    EXPECT_EQ(ParseKind("0"), std::nullopt);
    EXPECT_EQ(ParseKind("13"), std::nullopt);
    EXPECT_EQ(ParseKind("Basic"), std::nullopt);
    EXPECT_EQ(ParseKind("2x"), std::nullopt);
}

TEST(RenderArguments, BackgroundIsReadAsRedGreenBlue) {
    EXPECT_EQ(ParseBackground("#102030"), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(ParseBackground("#FFFFFF"), 0xFFFFFFu);
    EXPECT_EQ(ParseBackground("102030"), std::nullopt);
    EXPECT_EQ(ParseBackground("#10203"), std::nullopt);
    EXPECT_EQ(ParseBackground("#1020zz"), std::nullopt);
}

TEST(RenderArguments, DefaultsAndRequiredArguments) {
    Result<RenderOptions> options = ParseArguments({"--skin", "s", "-o", "out.png"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->slot, 2);
    EXPECT_EQ(options->background, 0xFFFFFFu);
    EXPECT_FALSE(options->eventsFile);

    EXPECT_FALSE(ParseArguments({"-o", "out.png"}));
    EXPECT_FALSE(ParseArguments({"--skin", "s"}));
    EXPECT_FALSE(ParseArguments({"--skin", "s", "-o"}));
    EXPECT_FALSE(ParseArguments({"--skin", "s", "-o", "x.png", "--window", "nine"}));
    EXPECT_FALSE(ParseArguments({"--skin", "s", "-o", "x.png", "--frobnicate"}));
    EXPECT_TRUE(ParseArguments({"--help"})->help);
}

TEST(RenderEvents, CommentsAndBlankLinesAreSkipped) {
    Result<std::vector<RenderEvent>> events = ParseEvents(
        "# hover the minimise button\n\nshow 2\r\nmove 0 270 8  # no button\n"
        "down 1 -3 4\nup 4 0 0\ndblclick 2 5 6");
    ASSERT_TRUE(events) << events.error().message;
    ASSERT_EQ(events->size(), 5u);
    EXPECT_EQ((*events)[0].kind, RenderEvent::Kind::Show);
    EXPECT_EQ((*events)[0].slot, 2);
    EXPECT_EQ((*events)[1].kind, RenderEvent::Kind::Move);
    EXPECT_EQ((*events)[1].x, 270);
    EXPECT_EQ((*events)[1].line, 4);
    EXPECT_EQ((*events)[2].x, -3);
    EXPECT_EQ((*events)[4].kind, RenderEvent::Kind::DblClick);
    EXPECT_EQ((*events)[4].button, 2);
}

TEST(RenderEvents, BadLinesNameTheLineAndTheFault) {
    struct Case {
        const char* script;
        const char* expected;
    };
    const Case cases[] = {
        {"show basic\njump 1 2 3", "line 2: unknown command 'jump'"},
        {"move 1 2", "line 1: 'move' takes a button mask, X and Y"},
        {"\n\ndown 9 1 1", "line 3: button mask '9'"},
        {"up 1 x 1", "line 1: X and Y must be whole numbers"},
        {"show", "line 1: 'show' takes one window kind"},
        {"show thirteen", "line 1: unknown window kind 'thirteen'"},
    };
    for (const Case& c : cases) {
        Result<std::vector<RenderEvent>> events = ParseEvents(c.script);
        ASSERT_FALSE(events) << c.script;
        EXPECT_EQ(events.error().message.rfind(c.expected, 0), 0u)
            << "got: " << events.error().message;
    }
}

// The line count went past 2^31 - 1 and turned negative (or, checked, stopped the program). A real
// script of that many lines takes most of a minute to build and read here, so this one starts
// its count just below.
TEST(RenderEvents, LinesPastTwoToTheThirtyFirstAreCounted) {
    Result<std::vector<RenderEvent>> events = ParseEvents("show basic\n\nmove 0 1 2", 2147483647);
    ASSERT_TRUE(events) << events.error().message;
    ASSERT_EQ(events->size(), 2u);
    EXPECT_EQ((*events)[1].line, 2147483649);
    events = ParseEvents("\n\njump", 2147483647);
    ASSERT_FALSE(events);
    EXPECT_EQ(events.error().message.rfind("line 2147483649: unknown command 'jump'", 0), 0u)
        << events.error().message;
}

// Runs the renderer and returns its exit status.
int RunRenderer(const std::string& arguments) {
    const std::string command = std::string(MORVISH_RENDER) + " " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RenderProgram, ExitStatusTellsUsageFromDrawingFailures) {
    test::FixtureSkin skin;
    skin.Solid("basic_interface\\basewin_bg.bmp", 280, 120, 0x336699);
    const std::string dir = skin.Dir().string();
    const std::string out = dir + "out.png";
    const std::string events = dir + "events.txt";
    std::ofstream(events) << "show status\nmove 1\n";

    EXPECT_EQ(RunRenderer("--help >/dev/null"), 0);
    EXPECT_EQ(RunRenderer("--skin " + dir + " -o " + out), 0);
    EXPECT_EQ(RunRenderer("--skin " + dir), 2);
    EXPECT_EQ(RunRenderer("--skin " + dir + "missing -o " + out), 2);
    EXPECT_EQ(RunRenderer("--skin " + dir + " --events " + events + " -o " + out), 2);
    EXPECT_EQ(RunRenderer("--skin " + dir + " -o " + dir + "no/such/dir/out.png"), 1);

    skin.WriteBytes("basic_interface\\basewin_bg.bmp", {'B', 'M', 1, 2, 3});
    EXPECT_EQ(RunRenderer("--skin " + dir + " -o " + out), 1);
}

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

TEST(RenderProgram, WritesTheShownWindowAtItsOwnSize) {
    test::FixtureSkin skin;
    const std::string dir = skin.Dir().string();
    const std::string out = dir + "out.png";
    ASSERT_EQ(RunRenderer("--skin " + dir + " --background '#00FF00' --window msgbox -o " + out),
              0);
    Result<Bitmap> picture = ReadPng(out);
    ASSERT_TRUE(picture) << picture.error().message;
    EXPECT_EQ(picture->width, 280);
    EXPECT_EQ(picture->height, 245);
    EXPECT_EQ(picture->At(0, 0), 0x00FF00u);
}

}  // namespace
}  // namespace morvish::cli
