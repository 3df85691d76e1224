// The skin check against skins built for each kind of finding: what is missing, unreadable, cut
// off, leaves a gap, matches only ignoring case, or lies in the skin unread.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "render/SkinCheck.h"
#include "render/SkinReadLog.h"
#include "render/mdlMain.h"
#include "support/FixtureSkin.h"
#include "windows/WindowSlots.h"

namespace morvish {
namespace {

const KindCheck& Kind(const SkinCheck& check, std::string_view kind) {
    for (const KindCheck& entry : check.kinds) {
        if (entry.kind == kind) return entry;
    }
    throw std::runtime_error("no kind " + std::string(kind));
}

const CheckedFile* Find(const KindCheck& kind, std::string_view name) {
    for (const CheckedFile& file : kind.files) {
        if (file.name == name) return &file;
    }
    return nullptr;
}

TEST(SkinCheck, ListsEveryWindowKindWithThePiecesItReadsAndWhatTheyAreFor) {
    test::FixtureSkin skin;
    skin.Solid("basic_interface\\basewin_bg.bmp", 280, 120, 0x808080);
    const SkinCheck check = CheckSkin(skin.Dir(), kWindowSlots);

    ASSERT_EQ(check.kinds.size(), 11u);
    EXPECT_EQ(check.kinds.front().kind, "basic");
    EXPECT_EQ(check.kinds.back().kind, "etc");
    const KindCheck& basic = Kind(check, "basic");
    EXPECT_EQ(basic.width, 280);
    EXPECT_EQ(basic.height, 120);
    // Table pieces come in the window's order, hover and disabled looks included.
    ASSERT_FALSE(basic.files.empty());
    const CheckedFile& background = basic.files.front();
    EXPECT_EQ(background.name, "basic_interface/basewin_bg.bmp");
    EXPECT_EQ(background.purpose, "window background");
    EXPECT_EQ(background.state, FileState::Present);
    EXPECT_EQ(background.width, 280);
    EXPECT_EQ(background.height, 120);
    EXPECT_EQ(background.gapRight + background.gapBottom + background.cutRight, 0);
    const CheckedFile* lit = Find(basic, "basic_interface/btn_map_on.bmp");
    ASSERT_NE(lit, nullptr);
    EXPECT_EQ(lit->purpose, "map menu button, lit");
    EXPECT_EQ(lit->state, FileState::Missing);
    EXPECT_NE(Find(basic, "basic_interface/btn_friend_dis.bmp"), nullptr);

    // The shared helpers are found through the windows that draw them, the chip on its own.
    EXPECT_NE(Find(Kind(check, "skill"), "scroll0up.bmp"), nullptr);
    EXPECT_NE(Find(Kind(check, "option"), "scroll1left.bmp"), nullptr);
    EXPECT_NE(Find(Kind(check, "etc"), "sysbox_bg.bmp"), nullptr);
    ASSERT_EQ(check.shared.size(), 1u);
    EXPECT_EQ(check.shared[0].name, "colorchip.bmp");
    // The program's own sample pictures are not the skin's business.
    EXPECT_EQ(Find(Kind(check, "skill"), "skill1.bmp"), nullptr);
    EXPECT_EQ(Find(Kind(check, "trade"), "trade.bmp"), nullptr);

    EXPECT_TRUE(check.HasProblems());
    EXPECT_EQ(check.Count(FileState::Present), 1);
    EXPECT_EQ(SkinReadListener(), nullptr);
}

// The desktop programs check skins on a thread of their own while the preview draws.
TEST(SkinCheck, RunsBesideDrawingOnAnotherThreadAndEndsWhenAskedToStop) {
    test::FixtureSkin checked, drawn;
    checked.Solid("basic_interface\\basewin_bg.bmp", 280, 120, 0x808080);
    checked.Solid("scroll0up.bmp", 13, 13, 0x112233);
    checked.Solid("scroll0mid.bmp", 13, 13, 0x445566);
    drawn.Solid("scroll0up.bmp", 13, 1, 0x00FF00);
    drawn.Solid("scroll0mid.bmp", 13, 13, 0x0000FF);
    const std::string alone = SkinCheckText(CheckSkin(checked.Dir(), kWindowSlots));

    std::atomic<bool> done{false};
    std::vector<std::string> beside;
    std::thread checking([&] {
        for (int round = 0; round < 8; ++round) {
            beside.push_back(SkinCheckText(CheckSkin(checked.Dir(), kWindowSlots)));
        }
        done = true;
    });
    // Meanwhile this thread draws the other skin's scroll bars, from pieces of the same names,
    // and texts, which the check leaves to it.
    const SkinFont* font = mdlMain::GetSkinFont(FontKind::kJapanese, 9);
    DirectDrawSurface7 texts(400, 20);
    texts.SetFont(font);
    int wrong = 0;
    for (int text = 0; !done; ++text) {
        if (font != nullptr) texts.DrawText(0, 0, "Lv. " + std::to_string(text), false);
        SurfaceResult bar = mdlMain::DrawScrollBar(drawn.Dir(), 1, 0, 26, 5, 8, true);
        if (!bar || !*bar || !test::RegionIs(**bar, RECT{0, 0, 13, 1}, 0x00FF00) ||
            !test::RegionIs(**bar, RECT{0, 12, 13, 25}, 0x0000FF)) {
            ++wrong;
        }
    }
    checking.join();
    EXPECT_EQ(wrong, 0);
    for (const std::string& text : beside) EXPECT_EQ(text, alone);

    // Asked to stop before it begins, a check ends at once with no window checked.
    std::stop_source stop;
    stop.request_stop();
    EXPECT_TRUE(CheckSkin(checked.Dir(), kWindowSlots, stop.get_token()).kinds.empty());
}

TEST(SkinCheck, UnreadableFilesAreNamedWithTheReasonAndTheRestIsStillChecked) {
    test::FixtureSkin skin;
    skin.WriteBytes("basic_interface\\basewin_bg.bmp",
                    {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'});
    skin.Solid("basic_interface\\btn_friend_dis.bmp", 34, 20, 0x808080);
    std::filesystem::create_directories(skin.Path("basic_interface\\btn_map_on.bmp"));
    const SkinCheck check = CheckSkin(skin.Dir(), kWindowSlots);
    const KindCheck& basic = Kind(check, "basic");

    const CheckedFile* bad = Find(basic, "basic_interface/basewin_bg.bmp");
    ASSERT_NE(bad, nullptr);
    EXPECT_EQ(bad->state, FileState::Unreadable);
    EXPECT_FALSE(bad->reason.empty());
    EXPECT_EQ(bad->reason.find("basewin_bg"), std::string::npos) << bad->reason;
    const CheckedFile* folder = Find(basic, "basic_interface/btn_map_on.bmp");
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->state, FileState::Unreadable);
    EXPECT_EQ(folder->reason, "a folder, not a file");
    // Drawing went on past the bad background: the pieces after it are still found.
    const CheckedFile* later = Find(basic, "basic_interface/btn_friend_dis.bmp");
    ASSERT_NE(later, nullptr);
    EXPECT_EQ(later->state, FileState::Present);
    EXPECT_NE(Find(basic, "basic_interface/gze_bg.bmp"), nullptr);
    EXPECT_EQ(check.Count(FileState::Unreadable), 2);
}

TEST(SkinCheck, PiecesReachingPastTheirPictureAreCutOffByTheirOverhang) {
    test::FixtureSkin skin;
    // Drawn in the first picture at (266, 3) of 280 × 120: 6 columns past the right edge.
    skin.Solid("basic_interface\\sys_mini_off.bmp", 20, 11, 0x808080);
    // Shown only under the pointer: judged at its table place, (243, 70), 50 rows past.
    skin.Solid("basic_interface\\btn_map_on.bmp", 40, 100, 0x808080);
    // A piece of the vertical scroll bar, 13 pixels wide, drawn 20 wide.
    skin.Solid("scroll0up.bmp", 20, 13, 0x808080);
    const SkinCheck check = CheckSkin(skin.Dir(), kWindowSlots);
    const KindCheck& basic = Kind(check, "basic");

    const CheckedFile* minimise = Find(basic, "basic_interface/sys_mini_off.bmp");
    ASSERT_NE(minimise, nullptr);
    EXPECT_EQ(minimise->cutRight, 6);
    EXPECT_EQ(minimise->cutBottom, 0);
    const CheckedFile* lit = Find(basic, "basic_interface/btn_map_on.bmp");
    ASSERT_NE(lit, nullptr);
    EXPECT_EQ(lit->cutRight, 3);
    EXPECT_EQ(lit->cutBottom, 50);
    const CheckedFile* arrow = Find(Kind(check, "skill"), "scroll0up.bmp");
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(arrow->cutRight, 7);
    EXPECT_EQ(check.CutOff(), 3);
}

TEST(SkinCheck, BackgroundsSmallerThanTheirWindowLeaveAGap) {
    test::FixtureSkin skin;
    skin.Solid("basic_interface\\basewin_bg.bmp", 270, 100, 0x808080);
    skin.Solid("basic_interface\\statwin0_bg.bmp", 280, 90, 0x808080);
    // Only backgrounds are meant to fill their window; a small button leaves no gap.
    skin.Solid("basic_interface\\btn_map_off.bmp", 4, 4, 0x808080);
    const SkinCheck check = CheckSkin(skin.Dir(), kWindowSlots);

    const CheckedFile* basic = Find(Kind(check, "basic"), "basic_interface/basewin_bg.bmp");
    ASSERT_NE(basic, nullptr);
    EXPECT_EQ(basic->gapRight, 10);
    EXPECT_EQ(basic->gapBottom, 20);
    // The status page starts below the 17-pixel title bar: 17 + 90 leaves 13 rows.
    const CheckedFile* status = Find(Kind(check, "status"), "basic_interface/statwin0_bg.bmp");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->gapRight, 0);
    EXPECT_EQ(status->gapBottom, 13);
    const CheckedFile* button = Find(Kind(check, "basic"), "basic_interface/btn_map_off.bmp");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->gapRight + button->gapBottom, 0);
    EXPECT_EQ(check.Gaps(), 2);
}

TEST(SkinCheck, UnusedBitmapsAreListedWithTheMissingNameTheyMostLikelyMisspell) {
    test::FixtureSkin skin;
    skin.Solid("basic_interface\\btn_stauts_on.bmp", 34, 20, 0x808080);
    skin.Solid("basic_interface\\btn_status_off.bmp", 34, 20, 0x808080);
    skin.Solid("my_logo.bmp", 8, 8, 0x808080);
    skin.Solid("ss.bmp", 8, 8, 0x808080);  // the tree's screenshot
    skin.WriteBytes("readme.txt", {'h', 'i'});
    const SkinCheck check = CheckSkin(skin.Dir(), kWindowSlots);

    ASSERT_EQ(check.unused.size(), 2u);
    EXPECT_EQ(check.unused[0].name, "basic_interface/btn_stauts_on.bmp");
    EXPECT_EQ(check.unused[0].nearest, "basic_interface/btn_status_on.bmp");
    EXPECT_EQ(check.unused[1].name, "my_logo.bmp");
    EXPECT_EQ(check.unused[1].nearest, "");
}

TEST(SkinCheck, NamesThatMatchOnlyIgnoringCaseAreFoundAndPointedOut) {
    test::FixtureSkin skin;
    skin.Solid("Basic_Interface\\BaseWin_BG.bmp", 280, 120, 0x808080);
    if (std::filesystem::exists(skin.Path("basic_interface\\basewin_bg.bmp"))) {
        GTEST_SKIP() << "this file system ignores case";
    }
    const SkinCheck check = CheckSkin(skin.Dir(), kWindowSlots);
    const CheckedFile* background = Find(Kind(check, "basic"), "basic_interface/basewin_bg.bmp");
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->state, FileState::Present);
    EXPECT_EQ(background->caseOnly, "Basic_Interface/BaseWin_BG.bmp");
    EXPECT_EQ(check.CaseOnly(), 1);
    // Found, so not unused.
    EXPECT_TRUE(check.unused.empty());
}

TEST(SkinCheck, TextAndJsonSayEveryFindingInFixedWords) {
    test::FixtureSkin skin;
    skin.Solid("colorchip.bmp", 32, 8, 0x808080);
    skin.Solid("basic_interface\\basewin_bg.bmp", 270, 120, 0x808080);
    skin.Solid("basic_interface\\sys_mini_off.bmp", 20, 11, 0x808080);
    skin.WriteBytes("basic_interface\\btn_map_off.bmp", {'B', 'M'});
    skin.Solid("basic_interface\\btn_stauts_on.bmp", 34, 20, 0x808080);
    const SkinCheck check = CheckSkin(skin.Dir(), kWindowSlots);
    const std::string text = SkinCheckText(check);

    EXPECT_NE(text.find("\nbasic: 基本情報ウィンドウ (280 x 120)\n"), std::string::npos);
    EXPECT_NE(text.find("  present     basic_interface/basewin_bg.bmp (270 x 120): window "
                        "background; leaves a gap of 10 px at the right\n"),
              std::string::npos);
    EXPECT_NE(text.find("  present     basic_interface/sys_mini_off.bmp (20 x 11): minimise "
                        "button, normal; cut off by 6 px at the right\n"),
              std::string::npos);
    EXPECT_NE(text.find("  missing     basic_interface/btn_map_on.bmp: map menu button, lit\n"),
              std::string::npos);
    EXPECT_NE(text.find("  unreadable  basic_interface/btn_map_off.bmp: map menu button, normal; "),
              std::string::npos);
    EXPECT_NE(text.find("  basic_interface/btn_stauts_on.bmp (nearest expected name: "
                        "basic_interface/btn_status_on.bmp)\n"),
              std::string::npos);
    EXPECT_NE(text.find(" present, "), std::string::npos);
    EXPECT_NE(text.find(" 1 unreadable; 1 cut off, 1 gap, 0 case-only matches, 1 unused file.\n"),
              std::string::npos)
        << text.substr(text.rfind('\n', text.size() - 2));

    const std::string json = SkinCheckJson(check);
    EXPECT_NE(json.find("\"ok\": false"), std::string::npos);
    EXPECT_NE(json.find("{\"name\": \"basic_interface/sys_mini_off.bmp\", \"purpose\": \"minimise "
                        "button, normal\", \"state\": \"present\", \"width\": 20, \"height\": 11, "
                        "\"cutOffRight\": 6}"),
              std::string::npos);
    EXPECT_NE(json.find("{\"name\": \"basic_interface/btn_stauts_on.bmp\", \"nearest\": "
                        "\"basic_interface/btn_status_on.bmp\"}"),
              std::string::npos);
    EXPECT_NE(json.find("\"state\": \"unreadable\", \"reason\": \""), std::string::npos);

    // The same skin gives the same words every time.
    EXPECT_EQ(SkinCheckText(CheckSkin(skin.Dir(), kWindowSlots)), text);
}

TEST(SkinCheck, NameDistanceCountsSlipsOfTheKeyboard) {
    EXPECT_EQ(NameDistance("btn_stauts_on.bmp", "btn_status_on.bmp"), 1);
    EXPECT_EQ(NameDistance("BTN_OK.BMP", "btn_ok.bmp"), 0);
    EXPECT_EQ(NameDistance("btn_ok.bmp", "btn_okk.bmp"), 1);
    EXPECT_EQ(NameDistance("btn_ok.bmp", "btn_o.bmp"), 1);
    EXPECT_EQ(NameDistance("abc", "xyz"), 3);
    EXPECT_EQ(NameDistance("", "abc"), 3);
}

}  // namespace
}  // namespace morvish
