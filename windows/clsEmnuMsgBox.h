#pragma once
// The message box, shown in its two uses at once: above, the menu box the game opens with the
// escape key and its four stacked menu buttons; below, the same box as a loading box with a
// text field and a progress bar. The menu buttons show a hover look under the pointer and a
// pressed look while the left button is held. Fixed size, no title bar.

#include "windows/EmulatedWindow.h"

namespace morvish {

class clsEmnuMsgBox : public EmulatedWindow {
  public:
    clsEmnuMsgBox();
    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;
    RECT getDrawRect() const override;

  private:
    SkinPainter Paint() override;
};

}  // namespace morvish
