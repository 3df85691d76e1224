#pragma once
// The message box, shown in its two uses at once: above, the menu box the game opens with the
// escape key and its four stacked menu buttons; below, the same box as a loading box with a
// text field and a progress bar. The menu buttons show a hover look under the pointer and a
// pressed look while the left button is held. Fixed size, no title bar.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "render/PreviewPane.h"
#include "render/SkinPainter.h"
#include "render/clsTessarymInterface.h"

namespace morvish {

class clsEmnuMsgBox : public clsTessarymInterface {
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
    static constexpr int kMenuButtons = 4;

    SkinPainter Paint();
    // A fresh picture with the menu button under (X, Y) pressed (left button held) or lit.
    SurfaceResult Lit(int Button, int X, int Y);

    const PreviewPane* pane_ = nullptr;
    std::filesystem::path dir_;
    ColorChip chip_{};
    std::vector<Element> elements_;
    // Entry k (1 to 4) is where menu button k was last drawn; entry 0 is not used.
    std::array<RECT, kMenuButtons + 1> hit_{};
};

}  // namespace morvish
