// The part of the sample-text fonts that is the same on every system: UTF-8 decoding, the glyph
// cache, drawing runs of glyph pixels clipped to the target, and one font per face and size for
// the life of the program. The glyphs themselves come from the system's backend.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>

#include "SkinFontBackend.h"

namespace morvish {

namespace fontbackend {

namespace {

constexpr int kDotsPerInch = 96;
constexpr int kPointsPerInch = 72;
constexpr char32_t kReplacementCharacter = 0xFFFD;

}  // namespace

// UTF-8 decoding with the usual replacement rules: a byte that cannot start a character, or a
// sequence cut short or out of range (overlong forms, surrogates, past U+10FFFF), gives one
// U+FFFD and decoding goes on at the first byte that does not belong to the broken sequence.
char32_t NextCodePoint(std::string_view text, std::size_t& position) {
    const unsigned char lead = static_cast<unsigned char>(text[position++]);
    if (lead < 0x80) return lead;
    int trailing = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailing = 1;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailing = 2;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailing = 3;
        code = lead & 0x07;
    } else {
        return kReplacementCharacter;
    }
    // The second byte's range is what excludes overlong forms, surrogates and values past U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
    for (int i = 0; i < trailing; ++i) {
        if (position >= text.size()) return kReplacementCharacter;
        const unsigned char next = static_cast<unsigned char>(text[position]);
        if (next < low || next > high) return kReplacementCharacter;
        code = (code << 6) | (next & 0x3F);
        ++position;
        low = 0x80;
        high = 0xBF;
    }
    return code;
}

int PixelsPerEm(int points) {
    return (points * kDotsPerInch + kPointsPerInch / 2) / kPointsPerInch;
}

namespace {

// Texts kept laid out, at most; more and they are all forgotten. The windows' sample texts are a
// few hundred, the longest under a thousand pixels: the two bounds keep at most 16 MB.
constexpr std::size_t kMostLaidTexts = 1024;
// A text with more pixels than this, or reaching further, is drawn glyph by glyph.
constexpr std::size_t kMostLaidPixels = 4096;
constexpr long long kFarthestOffset = 1LL << 30;

}  // namespace

GlyphFont::Laid& GlyphFont::LaidOut(std::string_view utf8) const {
    auto at = laid_.find(utf8);
    if (at != laid_.end()) return at->second;
    if (laid_.size() >= kMostLaidTexts) laid_.clear();
    Laid laid;
    laid.ink = MeasureInk(utf8);
    return laid_.emplace(std::string(utf8), std::move(laid)).first->second;
}

bool GlyphFont::OffsetsAt(std::string_view utf8, Laid& laid, std::ptrdiff_t stride) const {
    if (laid.stride == stride) return true;
    const RECT& ink = laid.ink;
    const long long reach = std::max<long long>({std::llabs(ink.Left), std::llabs(ink.Right),
                                                 std::llabs((long long)ink.Top * stride),
                                                 std::llabs((long long)ink.Bottom * stride)});
    if (2 * reach >= kFarthestOffset) return false;
    laid.offsets.clear();
    long long pen = 0;
    for (std::size_t position = 0; position < utf8.size();) {
        const Glyph& glyph = GlyphFor(NextCodePoint(utf8, position));
        for (const Run& run : glyph.runs) {
            for (int x = run.left; x < run.right; ++x) {
                if (laid.offsets.size() >= kMostLaidPixels) {
                    laid.offsets.clear();
                    laid.stride = 0;
                    return false;
                }
                laid.offsets.push_back(std::int32_t((long long)run.dy * stride + pen + x));
            }
        }
        pen += glyph.advance;
    }
    laid.stride = stride;
    return true;
}

void GlyphFont::Draw(PixelTarget target, int x, int y, std::string_view utf8,
                     std::uint32_t rgb) const {
    if (target.pixels == nullptr || target.width <= 0 || target.height <= 0) return;
    if (target.stride > 0) {
        // Wholly inside the target, as nearly every text is: its pixels are written as laid out.
        Laid& laid = LaidOut(utf8);
        const RECT& ink = laid.ink;
        if ((long long)x + ink.Left >= 0 && (long long)x + ink.Right <= target.width &&
            (long long)y + ink.Top >= 0 && (long long)y + ink.Bottom <= target.height &&
            OffsetsAt(utf8, laid, target.stride)) {
            std::uint32_t* origin = target.pixels + ((long long)y * target.stride + x);
            for (const std::int32_t offset : laid.offsets) origin[offset] = rgb;
            return;
        }
    }
    // The pen is kept wide so that a long text far off the target cannot overflow it.
    long long pen = x;
    for (std::size_t position = 0; position < utf8.size();) {
        const Glyph& glyph = GlyphFor(NextCodePoint(utf8, position));
        if (pen + glyph.ink.Left >= 0 && pen + glyph.ink.Right <= target.width &&
            (long long)y + glyph.ink.Top >= 0 && (long long)y + glyph.ink.Bottom <= target.height) {
            // Wholly inside the target, as nearly every glyph is: nothing to clip.
            const long long origin = (long long)y * target.stride + pen;
            for (const Run& run : glyph.runs) {
                std::uint32_t* out =
                    target.pixels + (origin + (long long)run.dy * target.stride + run.left);
                for (int x = 0; x < run.right - run.left; ++x) out[x] = rgb;
            }
            pen += glyph.advance;
            continue;
        }
        for (const Run& run : glyph.runs) {
            const long long row = (long long)y + run.dy;
            if (row < 0 || row >= target.height) continue;
            const long long left = std::max(pen + run.left, 0LL);
            const long long right = std::min(pen + run.right, (long long)target.width);
            if (left >= right) continue;
            std::fill(target.pixels + row * target.stride + left,
                      target.pixels + row * target.stride + right, rgb);
        }
        pen += glyph.advance;
        if (pen >= target.width + (long long)CellHeight()) break;
    }
}

int GlyphFont::TextWidth(std::string_view utf8) const {
    long long width = 0;
    for (std::size_t position = 0; position < utf8.size();) {
        width += GlyphFor(NextCodePoint(utf8, position)).advance;
    }
    return int(std::min<long long>(width, 1LL << 30));
}

RECT GlyphFont::InkBounds(std::string_view utf8) const {
    return LaidOut(utf8).ink;
}

RECT GlyphFont::MeasureInk(std::string_view utf8) const {
    long long left = 0, top = 0, right = 0, bottom = 0;
    bool inked = false;
    long long pen = 0;
    for (std::size_t position = 0; position < utf8.size();) {
        const Glyph& glyph = GlyphFor(NextCodePoint(utf8, position));
        if (glyph.ink.Left < glyph.ink.Right) {
            const long long glyphLeft = pen + glyph.ink.Left, glyphRight = pen + glyph.ink.Right;
            left = inked ? std::min(left, glyphLeft) : glyphLeft;
            right = inked ? std::max(right, glyphRight) : glyphRight;
            top = inked ? std::min<long long>(top, glyph.ink.Top) : glyph.ink.Top;
            bottom = inked ? std::max<long long>(bottom, glyph.ink.Bottom) : glyph.ink.Bottom;
            inked = true;
        }
        pen += glyph.advance;
    }
    static constexpr long long kFar = 1LL << 30;
    const auto kept = [](long long value) { return std::int32_t(std::clamp(value, -kFar, kFar)); };
    return RECT{kept(left), kept(top), kept(right), kept(bottom)};
}

namespace {

// The glyph with the box of its runs.
Glyph Measured(Glyph glyph) {
    bool inked = false;
    for (const Run& run : glyph.runs) {
        if (run.left >= run.right) continue;
        if (!inked) {
            glyph.ink = RECT{run.left, run.dy, run.right, run.dy + 1};
            inked = true;
            continue;
        }
        glyph.ink.Left = std::min(glyph.ink.Left, run.left);
        glyph.ink.Right = std::max(glyph.ink.Right, run.right);
        glyph.ink.Top = std::min(glyph.ink.Top, run.dy);
        glyph.ink.Bottom = std::max(glyph.ink.Bottom, run.dy + 1);
    }
    return glyph;
}

}  // namespace

const Glyph& GlyphFont::GlyphFor(char32_t code) const {
    if (code < kDirectGlyphs) {
        std::unique_ptr<Glyph>& direct = directGlyphs_[code];
        if (!direct) direct = std::make_unique<Glyph>(Measured(Render(code)));
        return *direct;
    }
    auto found = glyphs_.find(code);
    if (found != glyphs_.end()) return found->second;
    return glyphs_.emplace(code, Measured(Render(code))).first->second;
}

}  // namespace fontbackend

namespace {

bool& TextsDrawn() {
    static bool drawn = true;
    return drawn;
}

bool& TextsHeldBack() {
    thread_local bool heldBack = false;
    return heldBack;
}

}  // namespace

NoTextsOnThisThread::NoTextsOnThisThread() : before_(std::exchange(TextsHeldBack(), true)) {}

NoTextsOnThisThread::~NoTextsOnThisThread() {
    TextsHeldBack() = before_;
}

void SetTextsDrawn(bool drawn) {
    TextsDrawn() = drawn;
}

const SkinFont* FindSkinFont(FontFace face, int points) {
    if (!TextsDrawn() || TextsHeldBack()) return nullptr;
    // Sizes outside this range are not a sample text of any window; they get no font.
    constexpr int kSmallestPoints = 1;
    constexpr int kLargestPoints = 288;
    if (points < kSmallestPoints || points > kLargestPoints) return nullptr;
    static std::map<std::pair<FontFace, int>, std::unique_ptr<fontbackend::GlyphFont>> fonts;
    const auto key = std::make_pair(face, points);
    auto found = fonts.find(key);
    if (found != fonts.end()) return found->second.get();
    std::unique_ptr<fontbackend::GlyphFont> font =
        fontbackend::OpenFont(face, fontbackend::PixelsPerEm(points));
    const SkinFont* made = font.get();
    if (font) fonts.emplace(key, std::move(font));
    return made;
}

}  // namespace morvish
