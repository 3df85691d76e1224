#pragma once
// The option window: a title bar with the system, minimise and close buttons over one of two
// pages. The first page carries sample controls: two horizontal scroll bars, five check boxes,
// a text box button beside "<Basic Skin>" and their labels; the second shows only its
// background. Tabs at the left edge switch the page, the minimise button shrinks the window to
// its title bar, the buttons light up under the pointer, and the text box button shows its
// pressed look while the left button is held.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "render/PreviewPane.h"
#include "render/SkinPainter.h"
#include "render/clsTessarymInterface.h"
#include "windows/PagedWindowFrame.h"

namespace morvish {

class clsEmuOption : public clsTessarymInterface {
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
    std::array<RECT, 14> hit_{};
    PagedWindowFrame frame_;
};

}  // namespace morvish
