// The sample-text faces on Windows, drawn by GDI as the game draws its texts. A face is made with
// CreateFontW at its size in pixels at 96 dpi (a height of -ppem, as a label's font of that many
// points), regular weight and without antialiasing; each character is drawn once with ExtTextOutW
// into a 32-bit DIB section and its set pixels are kept as runs, which SkinFont.cpp paints in the
// fore colour. Everything else comes from GDI itself: the cell's ascent and descent are tmAscent
// and tmDescent, the pen advances by each character's width in whole pixels (no kerning, as
// ExtTextOutW draws), and a character the face lacks comes from the faces Windows links to it, or
// is drawn as the face's missing-character box.
//
// Faces: Japanese texts use the default face of windows and labels on Japanese Windows, MS PGothic;
// where it is missing, the later user-interface faces MS UI Gothic, Meiryo UI and Yu Gothic UI, and
// at last any face with Japanese glyphs. Latin texts use Arial, as the English label of the main
// window is set to.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "SkinFontBackend.h"
#include "platform/WindowsApi.h"

namespace morvish {

namespace {

using fontbackend::Glyph;
using fontbackend::Run;

constexpr const wchar_t* kJapaneseFaces[] = {L"MS PGothic", L"MS UI Gothic", L"Meiryo UI",
                                             L"Yu Gothic UI"};
constexpr std::uint32_t kWhite = 0xFFFFFF;

// A memory device context that is deleted with its owner.
class MemoryDc {
  public:
    MemoryDc() : dc_(::CreateCompatibleDC(nullptr)) {}
    ~MemoryDc() {
        if (dc_ != nullptr) ::DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM data) {
    // Vertical faces ("@MS PGothic") draw every character on its side, and bitmap faces come in
    // a few fixed sizes only.
    if (font->lfFaceName[0] != L'@' && (type & RASTER_FONTTYPE) == 0) {
        reinterpret_cast<std::vector<std::wstring>*>(data)->push_back(font->lfFaceName);
    }
    return 1;
}

class GdiFont final : public fontbackend::GlyphFont {
  public:
    // The face at `pixelsPerEm`, with a drawing area large enough for any one character of it.
    static std::unique_ptr<GdiFont> Make(const std::wstring& face, BYTE charset, int pixelsPerEm) {
        const HFONT font = ::CreateFontW(
            -pixelsPerEm, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
            CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
        if (font == nullptr) return nullptr;
        TEXTMETRICW metrics{};
        {
            MemoryDc probe;
            const HGDIOBJ old = ::SelectObject(probe.Get(), font);
            const bool measured = ::GetTextMetricsW(probe.Get(), &metrics) != 0;
            ::SelectObject(probe.Get(), old);
            if (!measured) {
                ::DeleteObject(font);
                return nullptr;
            }
        }
        auto made = std::unique_ptr<GdiFont>(new GdiFont(font, pixelsPerEm, metrics));
        if (made->bits_ == nullptr) return nullptr;
        return made;
    }

    ~GdiFont() override {
        if (dc_ != nullptr) {
            ::SelectObject(dc_, oldFont_);
            ::SelectObject(dc_, oldBitmap_);
            ::DeleteDC(dc_);
        }
        if (bitmap_ != nullptr) ::DeleteObject(bitmap_);
        ::DeleteObject(font_);
    }
    GdiFont(const GdiFont&) = delete;
    GdiFont& operator=(const GdiFont&) = delete;

  private:
    GdiFont(HFONT font, int pixelsPerEm, const TEXTMETRICW& metrics)
        : GlyphFont(int(metrics.tmAscent), int(metrics.tmDescent)),
          font_(font),
          margin_(pixelsPerEm),
          dc_(::CreateCompatibleDC(nullptr)),
          // Room for the widest character and for parts that reach left of the pen or above the
          // cell (accents, italic overhangs).
          width_(2 * margin_ + std::max(4 * pixelsPerEm, int(metrics.tmMaxCharWidth))),
          height_(2 * margin_ + CellHeight()) {
        if (dc_ == nullptr) return;
        oldFont_ = ::SelectObject(dc_, font_);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap_ == nullptr) return;
        bits_ = static_cast<std::uint32_t*>(bits);
        oldBitmap_ = ::SelectObject(dc_, bitmap_);
        ::SetTextColor(dc_, kWhite);
        ::SetBkMode(dc_, TRANSPARENT);
        ::SetTextAlign(dc_, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    }

    Glyph Render(char32_t code) const override {
        wchar_t units[2];
        int count = 1;
        if (code > 0xFFFF) {
            units[0] = wchar_t(0xD800 + ((code - 0x10000) >> 10));
            units[1] = wchar_t(0xDC00 + ((code - 0x10000) & 0x3FF));
            count = 2;
        } else {
            units[0] = wchar_t(code);
        }
        Glyph glyph;
        SIZE extent{};
        if (::GetTextExtentPoint32W(dc_, units, count, &extent)) glyph.advance = int(extent.cx);

        ::GdiFlush();
        std::fill(bits_, bits_ + std::size_t(width_) * std::size_t(height_), 0u);
        ::ExtTextOutW(dc_, margin_, margin_, 0, nullptr, units, UINT(count), nullptr);
        ::GdiFlush();
        for (int y = 0; y < height_; ++y) {
            const std::uint32_t* row = bits_ + std::size_t(y) * std::size_t(width_);
            int x = 0;
            while (x < width_) {
                if ((row[x] & kWhite) == 0) {
                    ++x;
                    continue;
                }
                const int start = x;
                while (x < width_ && (row[x] & kWhite) != 0) ++x;
                glyph.runs.push_back(Run{y - margin_, start - margin_, x - margin_});
            }
        }
        return glyph;
    }

    HFONT font_;
    int margin_;
    HDC dc_;
    int width_;
    int height_;
    HGDIOBJ oldFont_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// The faces chosen for the two kinds of text, looked up once.
class FaceChoice {
  public:
    static const FaceChoice& Instance() {
        static const FaceChoice choice;
        return choice;
    }

    std::optional<std::wstring> japanese;
    std::optional<std::wstring> english;

  private:
    FaceChoice() {
        for (const wchar_t* face : kJapaneseFaces) {
            japanese = fontbackend::InstalledFace(face, SHIFTJIS_CHARSET);
            if (japanese) break;
        }
        if (!japanese) japanese = fontbackend::InstalledFace(L"", SHIFTJIS_CHARSET);
        english = fontbackend::InstalledFace(L"Arial", ANSI_CHARSET);
    }
};

}  // namespace

std::optional<std::wstring> fontbackend::InstalledFace(std::wstring_view family,
                                                       unsigned char charset) {
    MemoryDc dc;
    if (dc.Get() == nullptr) return std::nullopt;
    LOGFONTW wanted{};
    wanted.lfCharSet = charset;
    family.copy(wanted.lfFaceName, std::min<std::size_t>(family.size(), LF_FACESIZE - 1));
    std::vector<std::wstring> faces;
    ::EnumFontFamiliesExW(dc.Get(), &wanted, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    if (faces.empty()) return std::nullopt;
    return *std::min_element(faces.begin(), faces.end());
}

std::unique_ptr<fontbackend::GlyphFont> fontbackend::OpenFont(FontFace face, int pixelsPerEm) {
    const FaceChoice& choice = FaceChoice::Instance();
    const std::optional<std::wstring>& name =
        face == FontFace::Japanese ? choice.japanese : choice.english;
    if (!name) return nullptr;
    return GdiFont::Make(*name, face == FontFace::Japanese ? SHIFTJIS_CHARSET : ANSI_CHARSET,
                         pixelsPerEm);
}

std::string MissingFontReport() {
    const FaceChoice& choice = FaceChoice::Instance();
    std::string report;
    if (!choice.japanese) {
        report =
            "No Japanese sample font is installed (MS PGothic, MS UI Gothic, Meiryo UI, Yu Gothic "
            "UI or any other face with Japanese glyphs): add the optional Windows feature Japanese "
            "Supplemental Fonts.";
    }
    if (!choice.english) {
        if (!report.empty()) report += '\n';
        report +=
            "The English sample font Arial is not installed: restore Arial (arial.ttf) to the "
            "Windows Fonts folder.";
    }
    return report;
}

}  // namespace morvish
