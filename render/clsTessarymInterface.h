#pragma once
// The interface every emulated game window implements. A window draws itself anew from the
// skin's files at every Refresh and answers the mouse in its own surface coordinates.

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "DirectDrawSurface7.h"
#include "Types.h"

namespace morvish {

class PreviewPane;

// The preview's button mask, as the mouse operations receive it: one bit per button held, none for
// a move without a button. The windows treat exactly kLeft as a held left button.
namespace MouseButton {
inline constexpr int kNone = 0;
inline constexpr int kLeft = 1;
inline constexpr int kRight = 2;
inline constexpr int kMiddle = 4;
}  // namespace MouseButton

class clsTessarymInterface {
  public:
    virtual ~clsTessarymInterface() = default;

    // Called once, before anything else: the window keeps the pane (for its background colour),
    // the skin directory (ending with a separator) and its own copy of the colour chip, builds
    // its tables and sets its initial state. No bitmap is loaded here.
    virtual void ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                                 const std::filesystem::path& DirName,
                                 const ColorChip& ColorChip) = 0;

    // Mouse events in the window's own coordinates with the pane's button mask (MouseButton). Each
    // returns a complete new picture when the look changed, a null pointer when there is nothing
    // new to show, or the error that stopped the drawing.
    virtual SurfaceResult MouseDown(int Button, int X, int Y) = 0;
    virtual SurfaceResult MouseMove(int Button, int X, int Y) = 0;
    virtual SurfaceResult MouseUp(int Button, int X, int Y) = 0;
    virtual SurfaceResult MouseDblClick(int Button, int X, int Y) = 0;

    // The whole window in its current state, on a new surface of getDrawRect's size filled first
    // with the pane's background colour. Changes no state.
    virtual SurfaceResult Refresh() = 0;

    // (0, 0, width, height) of the picture Refresh would return now.
    virtual RECT getDrawRect() const = 0;

    // Puts what Refresh would return into the `place` of a larger picture: the picture's top-left
    // part of the place's size, cut to `frame`, every pixel copied. `holding` is the one colour
    // (a form colour) the whole place holds now, if it holds one. A window that can draws straight
    // into the frame, without a picture of its own.
    virtual Result<void> RefreshOnto(DirectDrawSurface7& frame, RECT place,
                                     std::optional<Color> holding) {
        (void)holding;
        SurfaceResult picture = Refresh();
        if (!picture) return std::unexpected(picture.error());
        if (*picture) {
            frame.Blt(place, **picture, RECT{0, 0, place.Width(), place.Height()}, DDBLT_WAIT);
        }
        return {};
    }

    // The skin's "colorchip.bmp" changed while the skin is shown: the window keeps this copy of
    // the chip from now on, as if it had been handed it at initialisation. Windows that read the
    // chip again at every Refresh, and those that never use it, need do nothing.
    virtual void ReplaceColorChip(const ColorChip&) {}
};

// The number of window kinds of every skin; slots are numbered 1 to kSlotCount.
inline constexpr int kSlotCount = 12;

// One window kind of a skin manager.
struct WindowSlot {
    int number;              // 1 to 12: the manager's Mode and the tree node's tag
    std::string_view kind;   // the kind's name on the renderer's command line ("basic")
    std::string_view label;  // the tree node's caption ("基本情報ウィンドウ")
    std::unique_ptr<clsTessarymInterface> (*create)();
};

// The twelve slots in slot order. The one table lives with the windows (windows/WindowSlots.h);
// the manager is handed it, so that the renderer does not depend on the windows it shows.
using WindowSlotTable = std::array<WindowSlot, kSlotCount>;

}  // namespace morvish
