#pragma once
// The trade window: the user's own item panel and the partner's, the zeny fields and the OK,
// exchange and cancel buttons. A left click on a panel shows it locked, any other button clears
// it; the buttons show their hover, pressed and (with the right button) disabled looks.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "render/PreviewPane.h"
#include "render/SkinPainter.h"
#include "render/clsTessarymInterface.h"

namespace morvish {

class clsEmuTrade : public clsTessarymInterface {
  public:
    void ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                         const std::filesystem::path& DirName, const ColorChip& ColorChip) override;
    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;
    SurfaceResult MouseUp(int Button, int X, int Y) override;
    SurfaceResult MouseDblClick(int Button, int X, int Y) override;
    SurfaceResult Refresh() override;
    RECT getDrawRect() const override;

    // Panel 0 is the user's own, panel 1 the partner's.
    bool Locked(int panel) const { return locked_[panel]; }

  private:
    static constexpr int kElementCount = 14;

    // Draws the window in its current state and renews the buttons' hit rectangles.
    SkinPainter Paint();

    const PreviewPane* pane_ = nullptr;
    std::filesystem::path dir_;
    ColorChip chip_{};
    std::vector<Element> elements_;
    std::array<RECT, kElementCount> hits_{};
    std::array<bool, 2> locked_{};
};

}  // namespace morvish
