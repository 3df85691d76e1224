// The sample-text faces on Linux: found through fontconfig and rasterised by FreeType as hinted
// 1-bit glyphs (the game draws its texts without antialiasing, and text drawn on the magenta key
// colour must not leave blended fringes). Drawing and caching are shared (SkinFont.cpp).
//
// Metrics follow what Windows GDI reports for a TrueType font at 96 dpi, so that texts sit where
// the game puts them:
// - The size in pixels (ppem) is points * 96 / 72 rounded to the nearest pixel (8 pt = 11 px,
//   9 pt = 12 px, 12 pt = 16 px), as GDI's MulDiv does for a font height of -points. The face is
//   set to that whole pixel size, so outlines scale by exactly 11 px at 8 pt (a character size of
//   8 pt at 96 dpi would keep FreeType's scale at 10.67 px).
// - Ascent and descent of the character cell are usWinAscent and usWinDescent of the OS/2 table
//   scaled to that pixel size and rounded to the nearest pixel, each on its own. GDI rounds rather
//   than taking the ceiling: Tahoma at 8 pt is 13 px high in GDI (11 + 2) where ceilings would give
//   15, and MS UI Gothic at 9 pt has the familiar 12 px line. Faces without an OS/2 table use
//   FreeType's size metrics.
// - The pen advances by the hinted advance width in whole pixels; GDI's plain text output does no
//   kerning, so neither do we.
// - Embedded bitmap strikes are used when a face has them (Windows shows them at small sizes).
//   IPAPGothic and Liberation Sans have none, so every glyph comes from the hinted outline.
// - Glyphs use the faces' own TrueType hinting in monochrome mode. FreeType's autohinter was
//   compared at 8 and 9 pt and loses strokes of kanji such as 修 and 練, and narrows Latin
//   letters unevenly.
#include "SkinFontBackend.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace morvish {

namespace {

using fontbackend::Glyph;
using fontbackend::Run;

// What the program needs of each face, and where a user gets it.
struct FaceWanted {
    FontFace face;
    const char* family;
    const char* role;
    const char* package;
};

constexpr std::array<FaceWanted, 2> kFacesWanted{{
    {FontFace::Japanese, "IPAPGothic", "Japanese", "fonts-ipafont-gothic"},
    {FontFace::English, "Liberation Sans", "English", "fonts-liberation"},
}};

int RoundedScale(long fontUnits, int pixelsPerEm, int unitsPerEm) {
    return int((fontUnits * pixelsPerEm + unitsPerEm / 2) / unitsPerEm);
}

bool PixelIsSet(const FT_Bitmap& bitmap, const unsigned char* row, unsigned x) {
    switch (bitmap.pixel_mode) {
        case FT_PIXEL_MODE_MONO:
            return (row[x >> 3] & (0x80 >> (x & 7))) != 0;
        case FT_PIXEL_MODE_GRAY:
            return row[x] >= 0x80;
        case FT_PIXEL_MODE_BGRA:
            return row[4 * x + 3] >= 0x80;
        default:
            return false;
    }
}

// Turns the bitmap in the glyph slot into runs; `top` is the row of the cell where the bitmap's
// top row lies.
std::vector<Run> RunsOf(const FT_GlyphSlot slot, int top) {
    const FT_Bitmap& bitmap = slot->bitmap;
    std::vector<Run> runs;
    if (bitmap.buffer == nullptr) return runs;
    const long pitch = bitmap.pitch;
    // With an upward flow (negative pitch) the buffer starts with the bottom row.
    const unsigned char* row = bitmap.buffer + (pitch < 0 ? -pitch * long(bitmap.rows - 1) : 0);
    for (unsigned y = 0; y < bitmap.rows; ++y, row += pitch) {
        unsigned x = 0;
        while (x < bitmap.width) {
            if (!PixelIsSet(bitmap, row, x)) {
                ++x;
                continue;
            }
            const unsigned start = x;
            while (x < bitmap.width && PixelIsSet(bitmap, row, x)) ++x;
            runs.push_back(
                Run{top + int(y), slot->bitmap_left + int(start), slot->bitmap_left + int(x)});
        }
    }
    return runs;
}

class FreeTypeFont final : public fontbackend::GlyphFont {
  public:
    FreeTypeFont(FT_Face face, FT_Size size, int ascent, int descent)
        : GlyphFont(ascent, descent), face_(face), size_(size) {}

  private:
    // A character the face lacks is drawn as its glyph 0 (usually an empty box), as GDI shows it.
    Glyph Render(char32_t code) const override {
        Glyph glyph;
        if (FT_Activate_Size(size_) != 0) return glyph;
        const FT_UInt index = FT_Get_Char_Index(face_, code);
        if (FT_Load_Glyph(face_, index, FT_LOAD_TARGET_MONO) != 0) return glyph;
        FT_GlyphSlot slot = face_->glyph;
        glyph.advance = int((slot->advance.x + 32) >> 6);
        if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
            FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) {
            return glyph;
        }
        glyph.runs = RunsOf(slot, Ascent() - slot->bitmap_top);
        return glyph;
    }

    FT_Face face_;
    FT_Size size_;
};

// Where fontconfig found a face, or why it is missing.
struct FaceLocation {
    std::string file;
    int index = 0;
};

// Asks fontconfig for the regular, upright face of `family`. fontconfig always answers with some
// font, so the answer only counts when its family is the one asked for.
std::optional<FaceLocation> LocateFace(FcConfig* config, const char* family) {
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) return std::nullopt;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return std::nullopt;

    bool familyMatches = false;
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &value) == FcResultMatch; ++i) {
        if (FcStrCmpIgnoreCase(value, reinterpret_cast<const FcChar8*>(family)) == 0) {
            familyMatches = true;
        }
    }
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    // A bold or italic face alone does not stand in for the regular one.
    const bool regular = weight <= FC_WEIGHT_MEDIUM && slant == FC_SLANT_ROMAN;

    std::optional<FaceLocation> location;
    FcChar8* file = nullptr;
    if (familyMatches && regular && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        location = FaceLocation{reinterpret_cast<const char*>(file), 0};
        FcPatternGetInteger(match, FC_INDEX, 0, &location->index);
    }
    FcPatternDestroy(match);
    return location;
}

// Owns FreeType and the two faces for the life of the program; its destructor at exit gives them
// back (the faces take their sizes with them).
class FontRegistry {
  public:
    static FontRegistry& Instance() {
        static FontRegistry registry;
        return registry;
    }

    FontRegistry(const FontRegistry&) = delete;
    FontRegistry& operator=(const FontRegistry&) = delete;

    ~FontRegistry() {
        for (FT_Face face : faces_) {
            if (face != nullptr) FT_Done_Face(face);
        }
        if (library_ != nullptr) FT_Done_FreeType(library_);
    }

    std::unique_ptr<fontbackend::GlyphFont> Open(FontFace which, int pixelsPerEm) {
        const std::size_t slot = SlotOf(which);
        if (slot >= faces_.size() || faces_[slot] == nullptr) return nullptr;
        return MakeFont(faces_[slot], pixelsPerEm);
    }

    std::string MissingReport() const {
        std::string report;
        for (std::size_t slot = 0; slot < kFacesWanted.size(); ++slot) {
            if (faces_[slot] != nullptr) continue;
            const FaceWanted& wanted = kFacesWanted[slot];
            if (!report.empty()) report += '\n';
            report += std::string("The ") + wanted.role + " sample font " + wanted.family +
                      " is not installed: install the Debian package " + wanted.package + ".";
        }
        return report;
    }

  private:
    FontRegistry() {
        if (FT_Init_FreeType(&library_) != 0) {
            library_ = nullptr;
            return;
        }
        // A configuration of our own, so that nothing here disturbs the one the toolkit uses;
        // only the file names are kept from it.
        FcConfig* config = FcInitLoadConfigAndFonts();
        if (config == nullptr) return;
        for (std::size_t slot = 0; slot < kFacesWanted.size(); ++slot) {
            std::optional<FaceLocation> location = LocateFace(config, kFacesWanted[slot].family);
            if (!location) continue;
            FT_Face face = nullptr;
            if (FT_New_Face(library_, location->file.c_str(), location->index, &face) == 0) {
                faces_[slot] = face;
            }
        }
        FcConfigDestroy(config);
    }

    static std::size_t SlotOf(FontFace which) {
        for (std::size_t slot = 0; slot < kFacesWanted.size(); ++slot) {
            if (kFacesWanted[slot].face == which) return slot;
        }
        return kFacesWanted.size();
    }

    static std::unique_ptr<FreeTypeFont> MakeFont(FT_Face face, int pixelsPerEm) {
        FT_Size size = nullptr;
        if (FT_New_Size(face, &size) != 0) return nullptr;
        if (FT_Activate_Size(size) != 0 || FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelsPerEm)) != 0) {
            FT_Done_Size(size);
            return nullptr;
        }
        int ascent = 0;
        int descent = 0;
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        if (os2 != nullptr && os2->version != 0xFFFF && face->units_per_EM > 0 &&
            os2->usWinAscent + os2->usWinDescent > 0) {
            ascent = RoundedScale(os2->usWinAscent, pixelsPerEm, face->units_per_EM);
            descent = RoundedScale(os2->usWinDescent, pixelsPerEm, face->units_per_EM);
        } else {
            ascent = int((size->metrics.ascender + 63) >> 6);
            descent = int((-size->metrics.descender + 63) >> 6);
        }
        return std::make_unique<FreeTypeFont>(face, size, ascent, descent);
    }

    FT_Library library_ = nullptr;
    std::array<FT_Face, kFacesWanted.size()> faces_{};
};

}  // namespace

std::unique_ptr<fontbackend::GlyphFont> fontbackend::OpenFont(FontFace face, int pixelsPerEm) {
    return FontRegistry::Instance().Open(face, pixelsPerEm);
}

std::string MissingFontReport() {
    return FontRegistry::Instance().MissingReport();
}

}  // namespace morvish
