#pragma once
// The miscellaneous pieces of a skin on one canvas: the dialog bar, the shortcut bar, the shop
// and chat room signs, the small and the message system boxes, the text buttons, the level-up
// button, the status icons and the arrows. The canvas has no state; the mouse lights up its
// buttons (hover, pressed, disabled for the right button) and the shortcut slots.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "render/PreviewPane.h"
#include "render/SkinPainter.h"
#include "render/clsTessarymInterface.h"

namespace morvish {

class clsEmuEtc : public clsTessarymInterface {
  public:
    void ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                         const std::filesystem::path& DirName, const ColorChip& ColorChip) override;
    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;
    SurfaceResult MouseUp(int Button, int X, int Y) override;
    SurfaceResult MouseDblClick(int Button, int X, int Y) override;
    SurfaceResult Refresh() override;
    RECT getDrawRect() const override;

  private:
    static constexpr int kElementCount = 63;

    // Draws the canvas and renews the hit rectangles of the element pass.
    SkinPainter Paint();
    void PaintMessageBoxes(SkinPainter& painter) const;
    void PaintSmallSystemBox(SkinPainter& painter) const;

    const PreviewPane* pane_ = nullptr;
    std::filesystem::path dir_;
    ColorChip chip_{};
    std::vector<Element> elements_;
    std::array<RECT, kElementCount> hits_{};
};

}  // namespace morvish
