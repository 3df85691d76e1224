#pragma once
// The basic information window: character name, job, levels, HP and SP gauges, experience bars,
// weight and money, and eight menu buttons. Buttons light up under the pointer, a right button
// held over a menu button shows its disabled look, and the minimise button switches between the
// full window and a one-line bar.

#include "windows/EmulatedWindow.h"

namespace morvish {

class clsEmuBasic : public EmulatedWindow {
  public:
    clsEmuBasic();
    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;
    RECT getDrawRect() const override;

  private:
    SkinPainter Paint() override;
    SkinPainter PaintFull();
    SkinPainter PaintMinimised();
    void ResetState() override { maximised_ = true; }
    // The picture with the control under (X, Y) lit: the full window's ten controls, or the
    // minimised bar's two, with the disabled look for a right button over a menu button.
    SurfaceResult Highlighted(int Button, int X, int Y);

    bool maximised_ = true;
};

}  // namespace morvish
