#pragma once
// The trade window: the user's own item panel and the partner's, the zeny fields and the OK,
// exchange and cancel buttons. A left click on a panel shows it locked, any other button clears
// it; the buttons show their hover, pressed and (with the right button) disabled looks.

#include <array>

#include "windows/EmulatedWindow.h"

namespace morvish {

class clsEmuTrade : public EmulatedWindow {
  public:
    clsEmuTrade();
    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;
    RECT getDrawRect() const override;

    // Panel 0 is the user's own, panel 1 the partner's.
    bool Locked(int panel) const { return locked_[std::size_t(panel)]; }

  private:
    SkinPainter Paint() override;
    void ResetState() override { locked_ = {}; }

    std::array<bool, 2> locked_{};
};

}  // namespace morvish
