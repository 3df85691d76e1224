#pragma once
// The chat window: the dialog that creates a chat room, with sample settings (room title,
// member limit, room kind, public or private). It has no state; the close button, the two
// drop-down buttons, OK and cancel show their hover look under the pointer and their pressed
// look while the left button is held.

#include "windows/EmulatedWindow.h"

namespace morvish {

class clsEmuChat : public EmulatedWindow {
  public:
    clsEmuChat();
    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;
    RECT getDrawRect() const override;

  private:
    SkinPainter Paint() override;
};

}  // namespace morvish
