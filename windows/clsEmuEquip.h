#pragma once
// The equipment window: the equipment background with the sample picture of a character, eight
// sample item names in two columns, a cart button and an items button. The minimise button
// folds the window to its title bar; the window buttons and the items button light up under the
// pointer, and a fixed spot near the top left shows the skin's highlight image.

#include "windows/EmulatedWindow.h"

namespace morvish {

class clsEmuEquip : public EmulatedWindow {
  public:
    clsEmuEquip();
    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;
    RECT getDrawRect() const override;

  private:
    SkinPainter Paint() override;
    void ResetState() override;

    bool minimised_ = false;
};

}  // namespace morvish
