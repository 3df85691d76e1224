#pragma once
// What the status and the option window share: a one-piece title bar with the system, minimise
// and close buttons, and below it one of two pages chosen by tabs at the left edge. The
// minimise button shrinks the window to its 17-pixel title bar and restores it; the three
// buttons light up under the pointer whatever is held. A window adds its own table, which
// starts with the two page backgrounds, and draws what lies on its first page.

#include <span>
#include <string_view>

#include "windows/EmulatedWindow.h"

namespace morvish {

class PagedWindow : public EmulatedWindow {
  public:
    // The frame's elements after the title bar buttons, then the window's own from
    // kPage0Background on.
    enum FramePiece : int {
        kTitleBar = TitleButton::kCount,
        kPage0Background,
        kPage1Background,
        kFirstOwnPiece,
    };

    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;
    RECT getDrawRect() const override;

  protected:
    PagedWindow(std::span<const ElementEntry> own, std::string_view title);

    // What lies on the open first page, over its background.
    virtual void PaintPage0(SkinPainter& painter) = 0;
    bool ShowsPage0() const { return !minimised_ && page_ == 0; }
    // A press on the tab of the page not shown switches to it with any button; a left press on
    // the minimise button toggles the minimised state. The tabs answer even while minimised.
    // True when the state changed.
    bool Press(int Button, int X, int Y);
    // The frame, the page shown and, on the open first page, what the window puts there.
    SkinPainter Paint() final;

  private:
    void ResetState() final;

    std::string_view title_;
    int page_ = 0;
    bool minimised_ = false;
};

}  // namespace morvish
