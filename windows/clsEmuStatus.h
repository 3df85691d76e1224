#pragma once
// The character status window: a title bar with the system, minimise and close buttons over one
// of two pages. The first page shows sample figures and two arrows, the second only its
// background. Tabs at the left edge switch the page; the minimise button shrinks the window to
// its title bar; the three buttons light up under the pointer.

#include "windows/PagedWindow.h"

namespace morvish {

class clsEmuStatus : public PagedWindow {
  public:
    clsEmuStatus();

  private:
    void PaintPage0(SkinPainter& painter) override;
};

}  // namespace morvish
