#pragma once
// The character status window: a title bar with the system, minimise and close buttons over one
// of two pages. The first page shows sample figures and two arrows, the second only its
// background. Tabs at the left edge switch the page; the minimise button shrinks the window to
// its title bar; the three buttons light up under the pointer.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "render/PreviewPane.h"
#include "render/SkinPainter.h"
#include "render/clsTessarymInterface.h"
#include "windows/PagedWindowFrame.h"

namespace morvish {

class clsEmuStatus : public clsTessarymInterface {
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
    SkinPainter Paint();

    const PreviewPane* pane_ = nullptr;
    std::filesystem::path dir_;
    ColorChip chip_{};
    std::vector<Element> elements_;
    std::array<RECT, 9> hit_{};
    PagedWindowFrame frame_;
};

}  // namespace morvish
