#include "FixtureSkin.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

#include "render/BmpDecoder.h"
#include "render/FileLookup.h"
#include "render/ProgramPaths.h"

namespace fs = std::filesystem;

namespace morvish::test {

namespace {

// A folder that did not exist before (create_directory says whether it made the folder), with a
// trailing separator.
fs::path NewTemporaryFolder(const std::string& prefix,
                            const fs::path& base = fs::temp_directory_path()) {
    static std::mt19937_64 random{std::random_device{}()};
    fs::path folder;
    do {
        folder = base / (prefix + std::to_string(random()));
    } while (!fs::create_directory(folder));
    return WithTrailingSeparator(folder);
}

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace

Bitmap SolidBitmap(int width, int height, std::uint32_t rgb) {
    return Bitmap{width, height, std::vector<std::uint32_t>(std::size_t(width) * height, rgb)};
}

FixtureSkin::FixtureSkin() : dir_(WithTrailingSeparator(NewTemporaryFolder("morvish-skin-"))) {}

FixtureSkin::~FixtureSkin() {
    std::error_code error;
    fs::remove_all(dir_, error);
}

fs::path FixtureSkin::Path(const std::string& name) const {
    return dir_ / SkinRelativePath(name);
}

void FixtureSkin::Solid(const std::string& name, int width, int height, std::uint32_t rgb) {
    Write(name, SolidBitmap(width, height, rgb));
}

void FixtureSkin::Write(const std::string& name, const Bitmap& bitmap) {
    WriteFile(Path(name), EncodeBmp24(bitmap));
}

void FixtureSkin::WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    WriteFile(Path(name), bytes);
}

void FixtureSkin::Remove(const std::string& name) {
    std::error_code error;
    fs::remove(Path(name), error);
}

ScratchFolder::ScratchFolder(const fs::path& base)
    : dir_(NewTemporaryFolder("morvish-scratch-", base).parent_path()) {}

ScratchFolder::~ScratchFolder() {
    std::error_code error;
    fs::remove_all(dir_, error);
}

void ScratchFolder::Write(const fs::path& name, std::string_view contents) const {
    WriteFile(dir_ / name, std::vector<std::uint8_t>(contents.begin(), contents.end()));
}

std::string ScratchFolder::Read(const fs::path& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> ScratchFolder::Names(const fs::path& name) const {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(dir_ / name, error), end; !error && it != end;
         it.increment(error)) {
        names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

FixtureGraphic::FixtureGraphic() : dir_(NewTemporaryFolder("morvish-graphic-")) {
    SetGraphicDirectory(dir_);
}

FixtureGraphic::~FixtureGraphic() {
    SetGraphicDirectory("");
    std::error_code error;
    fs::remove_all(dir_, error);
}

void FixtureGraphic::Solid(const std::string& name, int width, int height, std::uint32_t rgb) {
    WriteFile(dir_ / name, EncodeBmp24(SolidBitmap(width, height, rgb)));
}

int CountColor(const DirectDrawSurface7& surface, RECT rect, std::uint32_t rgb) {
    int count = 0;
    for (int y = std::max(rect.Top, 0); y < std::min(rect.Bottom, surface.Height()); ++y) {
        for (int x = std::max(rect.Left, 0); x < std::min(rect.Right, surface.Width()); ++x) {
            if (surface.Pixel(x, y) == rgb) ++count;
        }
    }
    return count;
}

bool RegionIs(const DirectDrawSurface7& surface, RECT rect, std::uint32_t rgb) {
    return CountColor(surface, rect, rgb) == rect.Width() * rect.Height();
}

std::optional<RECT> DifferingRect(const DirectDrawSurface7& a, const DirectDrawSurface7& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return std::nullopt;
    std::optional<RECT> bounds;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.Pixel(x, y) == b.Pixel(x, y)) continue;
            if (!bounds) {
                bounds = RECT{x, y, x + 1, y + 1};
                continue;
            }
            bounds->Left = std::min(bounds->Left, x);
            bounds->Top = std::min(bounds->Top, y);
            bounds->Right = std::max(bounds->Right, x + 1);
            bounds->Bottom = std::max(bounds->Bottom, y + 1);
        }
    }
    return bounds;
}

}  // namespace morvish::test
