#pragma once
// The party window: a list of four sample party members in their colours, a bar of five message
// buttons and a bottom bar with the friends and party radio buttons. It has no state; the
// system and close buttons and the message buttons show their hover look under the pointer and
// their pressed look while the left button is held.

#include "windows/EmulatedWindow.h"

namespace morvish {

class clsEmuFriend : public EmulatedWindow {
  public:
    clsEmuFriend();
    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;
    RECT getDrawRect() const override;

  private:
    SkinPainter Paint() override;
};

}  // namespace morvish
