#include <gtest/gtest.h>

#include <fstream>

#include "RenderScript.h"
#include "platform/Platform.h"
#include "render/PictureCache.h"
#include "render/PngFile.h"
#include "render/SkinFont.h"
#include "support/FixtureSkin.h"
#include "support/RunProgram.h"

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
    EXPECT_FALSE(options->noText);
    EXPECT_TRUE(ParseArguments({"--skin", "s", "--no-text", "-o", "out.png"})->noText);
    EXPECT_FALSE(options->noCache);
    EXPECT_TRUE(ParseArguments({"--skin", "s", "--no-cache", "-o", "out.png"})->noCache);

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

// Without texts the picture is the same but for the texts' own pixels; later pictures have their
// texts again.
TEST(RenderPicture, NoTextLeavesOutTheTextsAndNothingElse) {
    if (FindSkinFont(FontFace::Japanese, 9) == nullptr) GTEST_SKIP() << MissingFontReport();
    test::FixtureSkin skin;  // no colour chip: every text is black
    RenderOptions options;
    options.skinDir = skin.Dir();
    options.slot = 4;  // the status window: texts in both faces
    Result<Bitmap> withTexts = Render(options, {});
    options.noText = true;
    Result<Bitmap> withoutTexts = Render(options, {});
    ASSERT_TRUE(withTexts && withoutTexts);
    ASSERT_EQ(withTexts->pixels.size(), withoutTexts->pixels.size());
    int textPixels = 0;
    for (std::size_t i = 0; i < withTexts->pixels.size(); ++i) {
        if (withTexts->pixels[i] == withoutTexts->pixels[i]) continue;
        ASSERT_EQ(withTexts->pixels[i], 0x000000u) << "pixel " << i;
        ++textPixels;
    }
    EXPECT_GT(textPixels, 100);
    EXPECT_NE(FindSkinFont(FontFace::English, 9), nullptr);
}

// Without the cache every bitmap is read at every redraw, and the picture is the same; the cache
// is as it was afterwards.
TEST(RenderPicture, NoCacheDrawsTheSamePicture) {
    test::FixtureSkin skin;
    skin.Solid("basic_interface\\basewin_bg.bmp", 280, 120, 0x336699);
    skin.Solid("basic_interface\\sys_mini_off.bmp", 11, 11, 0xFF0000);
    RenderOptions options;
    options.skinDir = skin.Dir();
    const bool enabled = gPictureCache.Enabled();
    const Result<Bitmap> cached = Render(options, {});
    options.noCache = true;
    const std::uint64_t decodes = gPictureCache.Counts().decodes;
    const Result<Bitmap> uncached = Render(options, {});
    ASSERT_TRUE(cached && uncached);
    EXPECT_EQ(cached->pixels, uncached->pixels);
    EXPECT_GE(gPictureCache.Counts().decodes, decodes + 2);
    EXPECT_EQ(gPictureCache.Enabled(), enabled);
}

// Runs the renderer and returns its exit status.
int RunRenderer(const std::vector<std::string>& arguments) {
    return test::RunProgram(MORVISH_RENDER, arguments);
}

TEST(RenderProgram, ExitStatusTellsUsageFromDrawingFailures) {
    test::FixtureSkin skin;
    skin.Solid("basic_interface\\basewin_bg.bmp", 280, 120, 0x336699);
    const std::string dir = platform::PathToUtf8(skin.Dir());
    const std::string out = dir + "out.png";
    const std::string events = dir + "events.txt";
    std::ofstream(skin.Dir() / "events.txt") << "show status\nmove 1\n";

    EXPECT_EQ(RunRenderer({"--help"}), 0);
    EXPECT_EQ(RunRenderer({"--skin", dir, "-o", out}), 0);
    EXPECT_EQ(RunRenderer({"--skin", dir}), 2);
    EXPECT_EQ(RunRenderer({"--skin", dir + "missing", "-o", out}), 2);
    EXPECT_EQ(RunRenderer({"--skin", dir, "--events", events, "-o", out}), 2);
    EXPECT_EQ(RunRenderer({"--skin", dir, "-o", dir + "no/such/dir/out.png"}), 1);

    skin.WriteBytes("basic_interface\\basewin_bg.bmp", {'B', 'M', 1, 2, 3});
    EXPECT_EQ(RunRenderer({"--skin", dir, "-o", out}), 1);
}

TEST(RenderProgram, WritesTheShownWindowAtItsOwnSize) {
    test::FixtureSkin skin;
    const std::string dir = platform::PathToUtf8(skin.Dir());
    const std::string out = dir + "out.png";
    ASSERT_EQ(
        RunRenderer({"--skin", dir, "--background", "#00FF00", "--window", "msgbox", "-o", out}),
        0);
    Result<Bitmap> picture = ReadPng(skin.Dir() / "out.png");
    ASSERT_TRUE(picture) << picture.error().message;
    EXPECT_EQ(picture->width, 280);
    EXPECT_EQ(picture->height, 245);
    EXPECT_EQ(picture->At(0, 0), 0x00FF00u);
}

}  // namespace
}  // namespace morvish::cli
