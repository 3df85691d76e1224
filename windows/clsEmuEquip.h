#pragma once
// The equipment window: the equipment background with the sample picture of a character, eight
// sample item names in two columns, a cart button and an items button. The minimise button
// folds the window to its title bar; the window buttons and the items button light up under the
// pointer, and a fixed spot near the top left shows the skin's highlight image.

#include <string>
#include <vector>

#include "render/PreviewPane.h"
#include "render/SkinPainter.h"
#include "render/clsTessarymInterface.h"

namespace morvish {

class clsEmuEquip : public clsTessarymInterface {
  public:
    // The skin's pieces, in table order.
    enum Piece {
        kTitleBar,
        kSystemOff,
        kMinimiseOff,
        kCloseOff,
        kSystemOn,
        kMinimiseOn,
        kCloseOn,
        kBackground,
        kCartButton,
        kItemsOff,
        kItemsOn,
        kHighlight,
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
    ColorChip chip_{};  // kept as every window keeps it; this window draws no chip colour
    std::vector<Element> elements_;
    Element sample_;  // the character picture over the background

    // Where the buttons were last drawn; a button never drawn hits nothing.
    RECT hitSystem_ = kNeverDrawn;
    RECT hitMinimise_ = kNeverDrawn;
    RECT hitClose_ = kNeverDrawn;
    RECT hitItems_ = kNeverDrawn;

    bool minimised_ = false;
};

}  // namespace morvish
