#pragma once
// What every emulated window repeats, once. A window keeps the pane (for its background colour),
// the skin directory, its own copy of the colour chip, its element table and, beside it, a hit
// rectangle for every element: where that element was last drawn. A release or a double click
// changes nothing, and Refresh is the window's painting in its current state, finished. A window
// names its table, paints itself, reports its size and answers presses and moves.

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

#include "render/PreviewPane.h"
#include "render/SkinPainter.h"
#include "render/clsTessarymInterface.h"

namespace morvish {

// The looks of a control, as entries of its window's element table: under the pointer with no
// button or any other mask held, with the left button held, and with the right button held.
struct ButtonLooks {
    int hover;
    int pressed;
    int rightHeld;

    // The look for a button mask: exactly the left button presses, exactly the right one shows
    // the right-held look, and every other mask hovers.
    constexpr int For(int Button) const {
        if (Button == MouseButton::kLeft) return pressed;
        if (Button == MouseButton::kRight) return rightHeld;
        return hover;
    }
};

// A control with one look whatever is held.
constexpr ButtonLooks OneLook(int look) {
    return ButtonLooks{look, look, look};
}

// A control that looks pressed while the left button alone is held and hovers otherwise.
constexpr ButtonLooks HoverAndPressed(int hover, int pressed) {
    return ButtonLooks{hover, pressed, hover};
}

// A control that lights up under the pointer: the element whose hit rectangle it answers in, its
// looks, the element whose file must exist for any look to show (by default the look drawn),
// and how far right of its own place the look is drawn.
struct LitControl {
    static constexpr int kLookItself = -1;

    int hit;
    ButtonLooks looks;
    int gate = kLookItself;
    int dx = 0;
};

// A vertical scroll bar standing in column x: where its first and last cells and its thumb's end
// caps start, down the window.
struct VerticalScrollBar {
    int x;
    int barFrom;
    int barTo;
    int thumbFrom;
    int thumbTo;
};

// The system, minimise and close buttons of a 280-pixel window's title bar, their normal looks
// and then their hover looks. A window that has them puts them first in its element table, so
// that these names are its entries.
namespace TitleButton {
enum : int {
    kSystemOff,
    kMinimiseOff,
    kCloseOff,
    kSystemOn,
    kMinimiseOn,
    kCloseOn,
    kCount,
};
}  // namespace TitleButton

inline constexpr ElementEntry kTitleButtons[] = {
    {"basic_interface\\sys_base_off.bmp", 3, 3, "system button, normal"},
    {"basic_interface\\sys_mini_off.bmp", 252, 3, "minimise button, normal"},
    {"basic_interface\\sys_close_off.bmp", 266, 3, "close button, normal"},
    {"basic_interface\\sys_base_on.bmp", 3, 3, "system button, hover"},
    {"basic_interface\\sys_mini_on.bmp", 252, 3, "minimise button, hover"},
    {"basic_interface\\sys_close_on.bmp", 266, 3, "close button, hover"},
};

// The three buttons light up alike whatever is held.
inline constexpr LitControl kTitleButtonLooks[] = {
    {TitleButton::kSystemOff, OneLook(TitleButton::kSystemOn)},
    {TitleButton::kMinimiseOff, OneLook(TitleButton::kMinimiseOn)},
    {TitleButton::kCloseOff, OneLook(TitleButton::kCloseOn)},
};

class EmulatedWindow : public clsTessarymInterface {
  public:
    void ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                         const std::filesystem::path& DirName, const ColorChip& ColorChip) final;
    SurfaceResult MouseUp(int Button, int X, int Y) override;
    SurfaceResult MouseDblClick(int Button, int X, int Y) override;
    SurfaceResult Refresh() final;
    Result<void> RefreshOnto(DirectDrawSurface7& frame, RECT place,
                             std::optional<Color> holding) final;
    void ReplaceColorChip(const ColorChip& ColorChip) final { chip_ = ColorChip; }

  protected:
    // The window's element table, in parts: shared ones such as kTitleButtons, then the
    // window's own. The parts are the window's constants and outlive it.
    explicit EmulatedWindow(std::initializer_list<std::span<const ElementEntry>> table);

    // The window in its current state on a new picture, renewing the hit rectangles of what it
    // drew; the mouse operations draw their looks over it.
    virtual SkinPainter Paint() = 0;
    // Puts the window into the state it starts in; ClassInitialize calls it last, after every
    // hit rectangle has been set to never drawn.
    virtual void ResetState() {}

    // A new picture of getDrawRect's size, filled with the pane's background colour; during
    // RefreshOnto, the place in the larger picture instead.
    SkinPainter NewPicture() const;
    // Draws an element at its own position and keeps where it went as its hit rectangle; a
    // missing file keeps the rectangle it had.
    void PieceWithHit(SkinPainter& painter, int element);
    // True when (X, Y) lies in the hit rectangle of the element, edges included.
    bool Hits(int element, int X, int Y) const;
    // Draws the three title bar buttons, keeping their hit rectangles.
    void PaintTitleButtons(SkinPainter& painter);
    // Replaces the colour chip by the skin's current "colorchip.bmp"; one that cannot be read
    // fails the drawing.
    void ReloadColorChip(SkinPainter& painter);
    // A vertical scroll bar of the skin's pieces, with its thumb's body, placed with the key.
    void PlaceScrollBar(SkinPainter& painter, const VerticalScrollBar& bar) const;

    // Adds the spots of the controls, with their looks for the button mask.
    void AddSpots(std::vector<HoverSpot>& spots, std::span<const LitControl> controls,
                  int Button) const;
    // The window with the look for the button mask of every control under (X, Y) over it, group
    // after group.
    SurfaceResult PaintLit(std::initializer_list<std::span<const LitControl>> groups, int Button,
                           int X, int Y);

    std::filesystem::path dir_;
    ColorChip chip_{};
    std::vector<Element> elements_;
    std::vector<RECT> hit_;

  private:
    // Where RefreshOnto has the window draw.
    struct Onto {
        DirectDrawSurface7* frame;
        RECT place;
        std::optional<Color> holding;
    };

    std::vector<std::span<const ElementEntry>> table_;
    const PreviewPane* pane_ = nullptr;
    std::optional<Onto> onto_;
};

}  // namespace morvish
