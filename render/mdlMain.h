#pragma once
// The drawing helpers every emulated window shares: the inclusive hit test, the two sample
// fonts, a skin's colour chip, and the two composite pieces (scroll bar and system box).

#include <filesystem>

#include "DirectDrawSurface7.h"
#include "SkinFont.h"
#include "Types.h"

namespace morvish {

// The two sample text faces, as GetSkinFont's kind.
namespace FontKind {
inline constexpr int kJapanese = 1;
inline constexpr int kEnglish = 2;
}  // namespace FontKind

// The two ways a scroll bar stands, as DrawScrollBar's Orientation.
namespace ScrollBar {
inline constexpr int kVertical = 1;
inline constexpr int kHorizontal = 2;
}  // namespace ScrollBar

}  // namespace morvish

namespace morvish::mdlMain {

// True when Left <= X <= Right and Top <= Y <= Bottom: hit tests include all four edges.
constexpr bool IsPointInRect(const RECT& rect, int X, int Y) {
    return rect.Left <= X && X <= rect.Right && rect.Top <= Y && Y <= rect.Bottom;
}

// The Japanese or the English face (FontKind) at `size` points; any other kind, or a face that
// is not installed, gives null.
const SkinFont* GetSkinFont(int kind, int size);

// Reads "colorchip.bmp" of the skin directory: entry k (1 to 14) is the top-left pixel of the
// k-th 4 × 4 cell, eight cells to a row. A missing file gives fifteen zeros; a cell outside a
// smaller bitmap reads as black; an unreadable file is an error naming it.
Result<ColorChip> LoadColorChip(const std::filesystem::path& DirName);

// A scroll bar from the skin's scroll pieces, with the source colour key set. Orientation is
// ScrollBar::kVertical or kHorizontal; positions are along the bar's axis in the caller's
// coordinates.
SurfaceResult DrawScrollBar(const std::filesystem::path& DirName, int Orientation, int BarFrom,
                            int BarTo, int ThumbFrom, int ThumbTo, bool NoThumbBody);

// A nine-part system box of (Right - Left) × (Bottom - Top) from the skin's sysbox pieces, with
// the source colour key set; the inside stays transparent unless WithBackground.
SurfaceResult DrawSystemBox(const std::filesystem::path& DirName, int Left, int Top, int Right,
                            int Bottom, bool WideEdge, bool WithBackground);

}  // namespace morvish::mdlMain
