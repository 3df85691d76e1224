#pragma once
// The item window: the inventory with three tabbed pages of a 7 × 3 item grid, and below it the
// description panel of a sample item. The tabs switch the page, the minimise button folds the
// window to its title bar, and the four window buttons light up under the pointer.

#include <string>
#include <vector>

#include "render/PreviewPane.h"
#include "render/SkinPainter.h"
#include "render/clsTessarymInterface.h"

namespace morvish {

class clsEmuItem : public clsTessarymInterface {
  public:
    // The pieces of the element table, in table order.
    enum Piece {
        kTitleLeft,
        kTitleMiddle,
        kTitleRight,
        kSystemOff,
        kMinimiseOff,
        kCloseOff,
        kSystemOn,
        kMinimiseOn,
        kCloseOn,
        kTabStrip,  // three strips, one per page
        kFrameLeft = kTabStrip + 3,
        kItemCell,
        kFrameRight,
        kButtonBarLeft,
        kButtonBarMiddle,
        kButtonBarRight,
        kResize,
        kPanel,
        kPanelCloseOff,
        kPanelCloseOn,
    };
    // The sample pictures: one per page, then the described item's.
    enum Sample {
        kPageSample,
        kPanelSample = kPageSample + 3,
    };

    void ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                         const std::filesystem::path& DirName, const ColorChip& ColorChip) override;
    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;
    SurfaceResult MouseUp(int Button, int X, int Y) override;
    SurfaceResult MouseDblClick(int Button, int X, int Y) override;
    SurfaceResult Refresh() override;
    RECT getDrawRect() const override;

  private:
    // The window in its current state, ready for hover images to be drawn over it.
    SkinPainter Paint();

    const PreviewPane* pane_ = nullptr;
    std::filesystem::path dir_;
    ColorChip chip_{};
    std::vector<Element> elements_;
    std::vector<Element> samples_;

    // Where the window buttons were last drawn; a button never drawn hits nothing.
    RECT hitSystem_ = kNeverDrawn;
    RECT hitMinimise_ = kNeverDrawn;
    RECT hitClose_ = kNeverDrawn;
    RECT hitPanelClose_ = kNeverDrawn;

    int page_ = 0;
    bool minimised_ = false;
};

}  // namespace morvish
