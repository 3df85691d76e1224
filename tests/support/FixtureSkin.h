#pragma once
// Skins built by the tests themselves: a temporary folder of bitmaps of known sizes and colours.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/Bitmap.h"
#include "render/DirectDrawSurface7.h"
#include "render/Types.h"

namespace morvish::test {

// A width × height bitmap of one colour (0x00RRGGBB).
Bitmap SolidBitmap(int width, int height, std::uint32_t rgb);

class FixtureSkin {
  public:
    FixtureSkin();
    ~FixtureSkin();
    FixtureSkin(const FixtureSkin&) = delete;
    FixtureSkin& operator=(const FixtureSkin&) = delete;

    // The skin directory, ending with a separator.
    const std::filesystem::path& Dir() const { return dir_; }
    // Full path of a relative name such as "basic_interface\titlebar_fix.bmp".
    std::filesystem::path Path(const std::string& name) const;

    // Writes a solid bitmap (24-bit) under the relative name, creating folders as needed.
    void Solid(const std::string& name, int width, int height, std::uint32_t rgb);
    void Write(const std::string& name, const Bitmap& bitmap);
    void WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes);
    void Remove(const std::string& name);

  private:
    std::filesystem::path dir_;
};

// An empty folder of a test's own, removed with everything in it when the test ends. `base` is
// where it is made: the system's temporary folder unless the test needs another file system.
class ScratchFolder {
  public:
    explicit ScratchFolder(
        const std::filesystem::path& base = std::filesystem::temp_directory_path());
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, without a trailing separator.
    const std::filesystem::path& Dir() const { return dir_; }
    const std::filesystem::path& Path() const { return dir_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return dir_ / name; }
    // Writes a file below the folder, creating the folders on its way.
    void Write(const std::filesystem::path& name, std::string_view contents) const;
    // The file's content; empty when it cannot be read.
    std::string Read(const std::filesystem::path& name) const;
    // The names in a folder below this one (the folder itself by default), sorted.
    std::vector<std::string> Names(const std::filesystem::path& name = {}) const;

  private:
    std::filesystem::path dir_;
};

// A folder of sample pictures for the duration of a test; restores the previous choice after.
class FixtureGraphic {
  public:
    FixtureGraphic();
    ~FixtureGraphic();
    const std::filesystem::path& Dir() const { return dir_; }
    void Solid(const std::string& name, int width, int height, std::uint32_t rgb);

  private:
    std::filesystem::path dir_;
};

// True when every pixel of the rectangle (right and bottom exclusive) has the colour.
bool RegionIs(const DirectDrawSurface7& surface, RECT rect, std::uint32_t rgb);
// Number of pixels of the rectangle that have the colour.
int CountColor(const DirectDrawSurface7& surface, RECT rect, std::uint32_t rgb);

// The smallest rectangle (right and bottom exclusive) that holds every pixel in which two
// surfaces of the same size differ; nothing when they are equal or their sizes differ.
std::optional<RECT> DifferingRect(const DirectDrawSurface7& a, const DirectDrawSurface7& b);

}  // namespace morvish::test
