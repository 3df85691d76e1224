#pragma once
// The skill window: a list of four sample skills with icons, a skill-up button and level arrows,
// a button bar with the remaining skill points, and the description panel of the first skill.
// A left press selects a row (highlighted in a colour of the skin's colour chip), a right press
// clears the selection, and the minimise button folds the window to its title bar.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "render/PreviewPane.h"
#include "render/SkinPainter.h"
#include "render/clsTessarymInterface.h"

namespace morvish {

class clsEmuSkill : public clsTessarymInterface {
  public:
    void ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                         const std::filesystem::path& DirName, const ColorChip& ColorChip) override;
    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;
    SurfaceResult MouseUp(int Button, int X, int Y) override;
    SurfaceResult MouseDblClick(int Button, int X, int Y) override;
    SurfaceResult Refresh() override;
    RECT getDrawRect() const override;

    bool Minimized() const { return minimized_; }
    // The selected row, 1 to 4, or 0 when none is selected.
    int SelectedRow() const { return selectedRow_; }

  private:
    // Draws the window in its current state and renews the hit rectangles of what it drew.
    SkinPainter Paint();
    void PaintList(SkinPainter& painter);
    void PaintDescription(SkinPainter& painter);

    const PreviewPane* pane_ = nullptr;
    std::filesystem::path dir_;
    ColorChip chip_{};
    // Indexed as the window's element numbers 1 to 31; entry 0 is unused.
    std::vector<Element> elements_;
    std::array<RECT, 32> hits_{};
    bool minimized_ = false;
    int selectedRow_ = 0;
};

}  // namespace morvish
