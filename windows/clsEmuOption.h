#pragma once
// The option window: a title bar with the system, minimise and close buttons over one of two
// pages. The first page carries sample controls: two horizontal scroll bars, five check boxes,
// a text box button beside "<Basic Skin>" and their labels; the second shows only its
// background. Tabs at the left edge switch the page, the minimise button shrinks the window to
// its title bar, the buttons light up under the pointer, and the text box button shows its
// pressed look while the left button is held.

#include "windows/PagedWindow.h"

namespace morvish {

class clsEmuOption : public PagedWindow {
  public:
    clsEmuOption();
    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;

  private:
    void PaintPage0(SkinPainter& painter) override;
};

}  // namespace morvish
