// The demo skins as the generator writes them: complete skins with every piece the windows read,
// at the sizes their layouts are built around; the broken skin as described; the same bytes on
// every run; a first root list that never replaces the user's own.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "DemoSkins.h"
#include "SampleGraphics.h"
#include "SkinPieces.h"
#include "platform/Platform.h"
#include "render/BmpDecoder.h"
#include "render/FileLookup.h"
#include "render/PngFile.h"
#include "render/PreviewPane.h"
#include "render/ProgramPaths.h"
#include "render/clsSkinMng.h"
#include "render/mdlMain.h"
#include "support/FixtureSkin.h"
#include "support/RunProgram.h"
#include "windows/WindowSlots.h"

namespace fs = std::filesystem;

namespace morvish::skingen {
namespace {

using test::ScratchFolder;

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every file under `root`, as paths relative to it, sorted.
std::vector<fs::path> FilesUnder(const fs::path& root) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), root));
    }
    std::sort(files.begin(), files.end());
    return files;
}

fs::path SkinDir(const fs::path& output, const std::string& name) {
    return WithTrailingSeparator(output / "skins" / name);
}

// One generation shared by the tests of this file: it takes about a second.
class DemoSkins : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        output_ = new ScratchFolder();
        Result<void> generated = GenerateAll(output_->Path());
        ASSERT_TRUE(generated) << generated.error().message;
    }
    static void TearDownTestSuite() {
        delete output_;
        output_ = nullptr;
    }
    static const fs::path& Output() { return output_->Path(); }

  private:
    static ScratchFolder* output_;
};

ScratchFolder* DemoSkins::output_ = nullptr;

TEST_F(DemoSkins, CompleteSkinsHoldEveryPieceAtItsSize) {
    for (const DemoSkin& skin : CompleteSkins()) {
        const fs::path dir = SkinDir(Output(), skin.theme->name);
        for (const SkinPiece& piece : SkinPieces()) {
            const auto found = ResolvePath(dir / SkinRelativePath(piece.name));
            ASSERT_TRUE(found) << skin.theme->name << ": " << piece.name << " is missing";
            const Result<Bitmap> bitmap = LoadBmpFile(found->string());
            ASSERT_TRUE(bitmap) << bitmap.error().message;
            EXPECT_EQ(bitmap->width, piece.width) << piece.name;
            EXPECT_EQ(bitmap->height, piece.height) << piece.name;
        }
        const Result<Bitmap> screenshot = ReadPng(dir / SkinRelativePath("ss.png"));
        ASSERT_TRUE(screenshot) << screenshot.error().message;
        EXPECT_EQ(screenshot->width, 850);
        EXPECT_EQ(screenshot->height, 676);
    }
}

TEST_F(DemoSkins, SamplePicturesFitTheirPlaces) {
    for (const SamplePicture& sample : SamplePictures()) {
        const Result<Bitmap> bitmap = LoadBmpFile((Output() / "graphic" / sample.name).string());
        ASSERT_TRUE(bitmap) << bitmap.error().message;
        EXPECT_EQ(bitmap->width, sample.width) << sample.name;
        EXPECT_EQ(bitmap->height, sample.height) << sample.name;
        // Magenta where the window's background shows: the top-left corner of every picture.
        EXPECT_EQ(bitmap->At(0, 0), kKey) << sample.name;
    }
}

TEST_F(DemoSkins, TransparentCornersAreExactMagenta) {
    const fs::path dir = SkinDir(Output(), "parchment");
    for (const char* name :
         {"basic_interface\\titlebar_fix.bmp", "btn_ok.bmp", "basic_interface\\btn_status_on.bmp",
          "sysbox_lu.bmp", "basic_interface\\ico_poison.bmp", "radiobtn_on.bmp"}) {
        const Result<Bitmap> bitmap =
            LoadBmpFile(ResolvePath(dir / SkinRelativePath(name))->string());
        ASSERT_TRUE(bitmap) << bitmap.error().message;
        EXPECT_EQ(bitmap->At(0, 0), 0xFF00FFu) << name;
    }
}

TEST_F(DemoSkins, ColourChipHoldsTheScheme) {
    for (const DemoSkin& skin : CompleteSkins()) {
        const Result<ColorChip> chip = mdlMain::LoadColorChip(SkinDir(Output(), skin.theme->name));
        ASSERT_TRUE(chip) << chip.error().message;
        EXPECT_EQ((*chip)[0], 0u);
        for (int k = 1; k <= 14; ++k) {
            EXPECT_EQ((*chip)[k], ToColor(skin.theme->chip[k]))
                << skin.theme->name << " chip " << k;
        }
    }
}

// True when `folder` lists an entry of exactly this name, as the file system stores it (a system
// that ignores case also finds the entry by other spellings).
bool Lists(const fs::path& folder, const fs::path& name) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename() == name) return true;
    }
    return false;
}

TEST_F(DemoSkins, SomeNamesDifferInCaseAndAreStillFound) {
    const DemoSkin& nightfall = CompleteSkins().at(1);
    const fs::path folder = Output() / "skins" / nightfall.theme->name;
    EXPECT_TRUE(Lists(folder, "Basic_Interface"));
    EXPECT_FALSE(Lists(folder, "basic_interface"));
    for (const auto& [relative, onDisk] : nightfall.renamed) {
        const fs::path stored = folder / fs::path(onDisk);
        EXPECT_TRUE(Lists(stored.parent_path(), stored.filename())) << onDisk;
        const auto found =
            ResolvePath(SkinDir(Output(), nightfall.theme->name) / SkinRelativePath(relative));
        ASSERT_TRUE(found) << relative;
        EXPECT_TRUE(fs::equivalent(*found, stored)) << relative;
    }
}

TEST_F(DemoSkins, EveryWindowDrawsTheCompleteSkins) {
    SetGraphicDirectory((Output() / "graphic").string());
    for (const DemoSkin& skin : CompleteSkins()) {
        MemoryPreviewPane pane(900, 700);
        clsSkinMng manager(kWindowSlots);
        manager.ClassInitialize(pane, SkinDir(Output(), skin.theme->name));
        for (int slot = 1; slot <= clsSkinMng::kSlots; ++slot) {
            const Result<void> drawn = manager.Refresh(slot);
            EXPECT_TRUE(drawn) << skin.theme->name << " slot " << slot << ": "
                               << (drawn ? "" : drawn.error().message);
        }
    }
    SetGraphicDirectory("");
}

TEST_F(DemoSkins, BrokenSkinMissesAThirdAndHasOneUnreadablePiece) {
    const fs::path dir = SkinDir(Output(), kBrokenSkin);
    int missing = 0;
    for (const SkinPiece& piece : SkinPieces()) {
        const bool present = ResolvePath(dir / SkinRelativePath(piece.name)).has_value();
        EXPECT_EQ(present, !BrokenSkinOmits(piece.name)) << piece.name;
        if (!present) ++missing;
    }
    const double share = double(missing) / double(SkinPieces().size());
    EXPECT_GT(share, 0.3);
    EXPECT_LT(share, 0.4);
    EXPECT_FALSE(FileExists(dir / SkinRelativePath("colorchip.bmp")));
    const Result<Bitmap> unreadable =
        LoadBmpFile(ResolvePath(dir / SkinRelativePath(kUnreadablePiece))->string());
    EXPECT_FALSE(unreadable);
}

TEST_F(DemoSkins, BrokenSkinStopsOnlyTheWindowsThatReadTheUnreadablePiece) {
    SetGraphicDirectory((Output() / "graphic").string());
    MemoryPreviewPane pane(900, 700);
    clsSkinMng manager(kWindowSlots);
    manager.ClassInitialize(pane, SkinDir(Output(), kBrokenSkin));
    // Slots 4, 5, 7, 8 and 11 (status, option, equipment, chat, trade) draw the one-piece title
    // bar.
    const std::set<int> readers = {4, 5, 7, 8, 11};
    for (int slot = 2; slot <= clsSkinMng::kSlots; ++slot) {
        const Result<void> drawn = manager.Refresh(slot);
        if (readers.contains(slot)) {
            ASSERT_FALSE(drawn) << "slot " << slot;
            EXPECT_NE(drawn.error().message.find("titlebar_fix.bmp"), std::string::npos)
                << drawn.error().message;
        } else {
            EXPECT_TRUE(drawn) << "slot " << slot << ": " << (drawn ? "" : drawn.error().message);
        }
    }
    SetGraphicDirectory("");
}

// The names the windows' sources spell out must all be pieces of the table (or sample
// pictures), and every piece must be read by some window or shared helper, apart from the
// disabled looks of the text buttons that no window shows.
TEST(DemoSkinList, MatchesTheNamesTheWindowsRead) {
    std::set<std::string> pieces;
    for (const SkinPiece& piece : SkinPieces()) pieces.insert(piece.name);
    std::set<std::string> samples;
    for (const SamplePicture& sample : SamplePictures()) samples.insert(sample.name);

    const std::regex literal(R"re("((?:basic_interface\\\\)?[a-z][a-z0-9_]*\.bmp)")re");
    std::set<std::string> read;
    for (const auto& entry : fs::directory_iterator(fs::path(MORVISH_SOURCE_DIR) / "windows")) {
        if (entry.path().extension() != ".cpp") continue;
        std::ifstream in(entry.path());
        const std::string source{std::istreambuf_iterator<char>(in),
                                 std::istreambuf_iterator<char>()};
        for (auto match = std::sregex_iterator(source.begin(), source.end(), literal);
             match != std::sregex_iterator(); ++match) {
            std::string name = (*match)[1];
            if (const auto at = name.find("\\\\"); at != std::string::npos) name.erase(at, 1);
            read.insert(name);
            EXPECT_TRUE(pieces.contains(name) || samples.contains(name))
                << entry.path().filename() << " reads " << name << ", which the demo skins lack";
        }
    }
    EXPECT_GT(read.size(), 150u) << "the window sources no longer spell out their file names";

    const std::set<std::string> unshown = {
        "btn_cancel_dis.bmp", "btn_use_dis.bmp",  "btn_close_dis.bmp", "btn_back_dis.bmp",
        "btn_buy_dis.bmp",    "btn_sell_dis.bmp", "btn_next_dis.bmp"};
    for (const std::string& name : pieces) {
        const bool sharedHelper = name == "colorchip.bmp" || name.starts_with("scroll") ||
                                  (name.starts_with("sysbox_") && !name.starts_with("sysbox_arr"));
        EXPECT_TRUE(read.contains(name) || sharedHelper || unshown.contains(name))
            << name << " is written but read by no window";
    }
}

TEST(DemoSkinRun, WritesTheSameBytesEveryRun) {
    ScratchFolder work;
    const fs::path first = work.Path() / "first";
    const fs::path second = work.Path() / "second";
    for (const fs::path& output : {first, second}) {
        ASSERT_EQ(test::RunProgram(MORVISH_SKINGEN, {platform::PathToUtf8(output)}), 0) << output;
    }
    const std::vector<fs::path> files = FilesUnder(first);
    ASSERT_EQ(files, FilesUnder(second));
    EXPECT_GT(files.size(), 500u);
    for (const fs::path& file : files) {
        EXPECT_TRUE(ReadAll(first / file) == ReadAll(second / file)) << file << " differs";
    }
}

TEST(DemoSkinRootList, IsWrittenOnceAndNeverReplaced) {
    ScratchFolder work;
    const fs::path list = work.Path() / "SkinDir.txt";
    const fs::path skins = work.Path() / "skins";

    const Result<bool> first = WriteRootListIfMissing(list, skins);
    ASSERT_TRUE(first) << first.error().message;
    EXPECT_TRUE(*first);
    const std::vector<std::uint8_t> written = ReadAll(list);
    const std::string expected = "skins/\r\n";  // beside the list, wherever it is moved
    EXPECT_EQ(std::string(written.begin(), written.end()), expected);

    {
        std::ofstream own(list, std::ios::binary | std::ios::trunc);
        own << "/home/someone/my skins/\r\n";
    }
    const Result<bool> again = WriteRootListIfMissing(list, skins);
    ASSERT_TRUE(again);
    EXPECT_FALSE(*again);
    const std::vector<std::uint8_t> kept = ReadAll(list);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "/home/someone/my skins/\r\n");
}

}  // namespace
}  // namespace morvish::skingen
