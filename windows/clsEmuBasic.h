#pragma once
// The basic information window: character name, job, levels, HP and SP gauges, experience bars,
// weight and money, and eight menu buttons. Buttons light up under the pointer, a right button
// held over a menu button shows its disabled look, and the minimise button switches between the
// full window and a one-line bar.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "render/PreviewPane.h"
#include "render/SkinPainter.h"
#include "render/clsTessarymInterface.h"

namespace morvish {

class clsEmuBasic : public clsTessarymInterface {
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
    static constexpr int kPieceCount = 37;

    // The picture of the current state; records where the pieces went.
    SkinPainter Paint();
    SkinPainter PaintFull();
    SkinPainter PaintMinimised();
    // The picture with the control under (X, Y) lit: the full window's ten controls, or the
    // minimised bar's two, with the disabled look for a right button over a menu button.
    SurfaceResult Highlighted(int Button, int X, int Y);

    const PreviewPane* pane_ = nullptr;
    std::filesystem::path dir_;
    ColorChip chip_{};
    std::vector<Element> pieces_;
    std::array<RECT, kPieceCount> hit_{};
    bool maximised_ = true;
};

}  // namespace morvish
