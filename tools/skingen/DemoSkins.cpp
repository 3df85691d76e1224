#include "DemoSkins.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "SampleGraphics.h"
#include "SkinPieces.h"
#include "platform/Platform.h"
#include "render/BmpDecoder.h"
#include "render/FileLookup.h"
#include "render/PngFile.h"
#include "render/PreviewPane.h"
#include "render/ProgramPaths.h"
#include "render/clsEmuAll.h"
#include "render/clsSkinMng.h"
#include "windows/WindowSlots.h"

namespace fs = std::filesystem;

namespace morvish::skingen {

namespace {

// The pane that shows the all-windows view, with its 2-pixel border.
constexpr int kPaneBorder = 2;
constexpr Color kPaneBackground = 0xFFFFFF;  // the preview pane's white

// The broken skin keeps only the first 60 bytes of this piece: its headers promise pixels that
// are not there.
constexpr std::size_t kTruncatedSize = 60;

Result<void> WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    if (error)
        return Failure(platform::DisplayText(path.parent_path()) + ": cannot be created (" +
                       error.message() + ")");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) return Failure(path.string() + ": cannot be written");
    return {};
}

Result<void> WriteText(const fs::path& path, const std::string& text) {
    return WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

// Skins of the game are mostly 8-bit palette bitmaps: a picture of at most 256 colours is written
// so (palette in order of first appearance, so the bytes never vary), a richer one as 24-bit.
std::vector<std::uint8_t> EncodePicture(const Bitmap& picture) {
    constexpr std::size_t kPaletteLimit = 256;
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> indices;
    indices.reserve(picture.pixels.size());
    for (const std::uint32_t pixel : picture.pixels) {
        auto found = std::find(palette.begin(), palette.end(), pixel);
        if (found == palette.end()) {
            if (palette.size() == kPaletteLimit) return EncodeBmp24(picture);
            palette.push_back(pixel);
            found = palette.end() - 1;
        }
        indices.push_back(std::uint8_t(found - palette.begin()));
    }
    return EncodeBmp8(picture.width, picture.height, indices, palette);
}

// Paints a piece and checks it has the size the windows' layouts are built around.
Result<std::vector<std::uint8_t>> Encode(const SkinPiece& piece, const Theme& theme) {
    const Canvas canvas = piece.paint(theme);
    if (canvas.Width() != piece.width || canvas.Height() != piece.height) {
        return Failure(piece.name + ": painted " + std::to_string(canvas.Width()) + " x " +
                       std::to_string(canvas.Height()) + ", the windows expect " +
                       std::to_string(piece.width) + " x " + std::to_string(piece.height));
    }
    return EncodePicture(canvas.Picture());
}

std::string Slashed(std::string relative) {
    for (char& c : relative) {
        if (c == '\\') c = '/';
    }
    return relative;
}

Result<void> ReplaceFolder(const fs::path& folder) {
    std::error_code error;
    fs::remove_all(folder, error);
    if (error) return Failure(folder.string() + ": cannot be replaced (" + error.message() + ")");
    fs::create_directories(folder, error);
    if (error) return Failure(folder.string() + ": cannot be created (" + error.message() + ")");
    return {};
}

const char* const kBrokenReadme =
    "This skin is incomplete on purpose: it shows how Morvish draws a skin with problems.\r\n"
    "- About a third of the bitmaps are missing: their pieces are simply left out.\r\n"
    "- There is no colorchip.bmp: texts areas and bars that use it are black.\r\n"
    "- basic_interface\\titlebar_fix.bmp is cut short: the status, option, equipment, chat and\r\n"
    "  trade windows report it instead of drawing.\r\n";

}  // namespace

const std::vector<DemoSkin>& CompleteSkins() {
    static const std::vector<DemoSkin> skins = {
        {&ParchmentTheme(), false, {}},
        {&NightfallTheme(),
         true,
         {{"btn_ok.bmp", "BTN_OK.BMP"},
          {"colorchip.bmp", "ColorChip.BMP"},
          {"scroll0up.bmp", "Scroll0Up.bmp"},
          {"basic_interface\\titlebar_fix.bmp", "Basic_Interface/TitleBar_Fix.bmp"},
          {"basic_interface\\sys_close_on.bmp", "Basic_Interface/Sys_Close_On.BMP"}}},
    };
    return skins;
}

fs::path DiskName(const DemoSkin& skin, const std::string& relative) {
    for (const auto& [name, onDisk] : skin.renamed) {
        if (name == relative) return fs::path(onDisk);
    }
    std::string slashed = Slashed(relative);
    constexpr std::string_view kFolder = "basic_interface/";
    if (skin.capitalisedInterfaceFolder && slashed.starts_with(kFolder)) {
        slashed = "Basic_Interface/" + slashed.substr(kFolder.size());
    }
    return fs::path(slashed);
}

bool BrokenSkinOmits(const std::string& relative) {
    if (relative == "colorchip.bmp") return true;
    if (relative == kUnreadablePiece) return false;
    const auto& pieces = SkinPieces();
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        if (pieces[k].name == relative) return k % 3 == 1;
    }
    return false;
}

Result<void> WriteSamplePictures(const fs::path& graphicDir) {
    for (const SamplePicture& sample : SamplePictures()) {
        const Canvas canvas = sample.paint();
        if (canvas.Width() != sample.width || canvas.Height() != sample.height) {
            return Failure(sample.name + ": painted at the wrong size");
        }
        if (auto written = WriteBytes(graphicDir / sample.name, EncodePicture(canvas.Picture()));
            !written) {
            return written;
        }
    }
    return {};
}

Result<void> WriteCompleteSkin(const fs::path& skinsDir, const DemoSkin& skin) {
    const fs::path folder = skinsDir / skin.theme->name;
    if (auto replaced = ReplaceFolder(folder); !replaced) return replaced;
    for (const SkinPiece& piece : SkinPieces()) {
        Result<std::vector<std::uint8_t>> bytes = Encode(piece, *skin.theme);
        if (!bytes) return std::unexpected(bytes.error());
        if (auto written = WriteBytes(folder / DiskName(skin, piece.name), *bytes); !written) {
            return written;
        }
    }
    return {};
}

Result<void> WriteBrokenSkin(const fs::path& skinsDir) {
    const fs::path folder = skinsDir / kBrokenSkin;
    if (auto replaced = ReplaceFolder(folder); !replaced) return replaced;
    for (const SkinPiece& piece : SkinPieces()) {
        if (BrokenSkinOmits(piece.name)) continue;
        Result<std::vector<std::uint8_t>> bytes = Encode(piece, ParchmentTheme());
        if (!bytes) return std::unexpected(bytes.error());
        if (piece.name == kUnreadablePiece) bytes->resize(kTruncatedSize);
        if (auto written = WriteBytes(folder / Slashed(piece.name), *bytes); !written)
            return written;
    }
    return WriteText(folder / "README.txt", kBrokenReadme);
}

Result<void> WriteScreenshot(const fs::path& skinDir, const fs::path& graphicDir) {
    SetGraphicDirectory(graphicDir);
    MemoryPreviewPane pane(clsEmuAll::kWidth + 2 * kPaneBorder,
                           clsEmuAll::kHeight + 2 * kPaneBorder, kPaneBackground);
    clsSkinMng manager(kWindowSlots);
    manager.ClassInitialize(pane, skinDir);
    Result<void> drawn = manager.Refresh(1);
    SetGraphicDirectory("");
    if (!drawn) return drawn;
    if (manager.LastPicture() == nullptr) return Failure(skinDir.string() + ": nothing was drawn");
    return WritePng(manager.LastPicture()->ToBitmap(), skinDir / "ss.png");
}

Result<void> GenerateAll(const fs::path& outputDir) {
    const fs::path graphicDir = outputDir / "graphic";
    const fs::path skinsDir = outputDir / "skins";
    if (auto written = WriteSamplePictures(graphicDir); !written) return written;
    for (const DemoSkin& skin : CompleteSkins()) {
        if (auto written = WriteCompleteSkin(skinsDir, skin); !written) return written;
        if (auto shot = WriteScreenshot(skinsDir / skin.theme->name, graphicDir); !shot)
            return shot;
    }
    return WriteBrokenSkin(skinsDir);
}

Result<bool> WriteRootListIfMissing(const fs::path& listFile, const fs::path& skinsDir) {
    std::error_code error;
    if (fs::exists(listFile, error)) return false;
    // Named relative to the list's own folder, so that the folder can be moved or unpacked
    // anywhere and still finds its skins.
    const fs::path absolute = fs::absolute(skinsDir, error).lexically_normal();
    const fs::path relative =
        absolute.lexically_relative(fs::absolute(listFile, error).parent_path().lexically_normal());
    const bool inside = !relative.empty() && *relative.begin() != "..";
    std::string root = platform::PathToUtf8(inside ? relative : absolute);
    if (!root.ends_with('/') && !root.ends_with('\\')) root += '/';
    if (auto written = WriteText(listFile, root + "\r\n"); !written)
        return std::unexpected(written.error());
    return true;
}

}  // namespace morvish::skingen
