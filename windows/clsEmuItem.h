#pragma once
// The item window: the inventory with three tabbed pages of a 7 × 3 item grid, and below it the
// description panel of a sample item. The tabs switch the page, the minimise button folds the
// window to its title bar, and the four window buttons light up under the pointer.

#include "windows/EmulatedWindow.h"

namespace morvish {

class clsEmuItem : public EmulatedWindow {
  public:
    clsEmuItem();
    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;
    RECT getDrawRect() const override;

  private:
    SkinPainter Paint() override;
    void ResetState() override;

    int page_ = 0;
    bool minimised_ = false;
};

}  // namespace morvish
