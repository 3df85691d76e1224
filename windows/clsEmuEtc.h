#pragma once
// The miscellaneous pieces of a skin on one canvas: the dialog bar, the shortcut bar, the shop
// and chat room signs, the small and the message system boxes, the text buttons, the level-up
// button, the status icons and the arrows. The canvas has no state; the mouse lights up its
// buttons (hover, pressed, disabled for the right button) and the shortcut slots.

#include "windows/EmulatedWindow.h"

namespace morvish {

class clsEmuEtc : public EmulatedWindow {
  public:
    clsEmuEtc();
    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;
    RECT getDrawRect() const override;

  private:
    SkinPainter Paint() override;
    void ResetState() override;
    void PaintMessageBoxes(SkinPainter& painter) const;
    void PaintSmallSystemBox(SkinPainter& painter) const;
};

}  // namespace morvish
