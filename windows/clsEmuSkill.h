#pragma once
// The skill window: a list of four sample skills with icons, a skill-up button and level arrows,
// a button bar with the remaining skill points, and the description panel of the first skill.
// A left press selects a row (highlighted in a colour of the skin's colour chip), a right press
// clears the selection, and the minimise button folds the window to its title bar.

#include "windows/EmulatedWindow.h"

namespace morvish {

class clsEmuSkill : public EmulatedWindow {
  public:
    clsEmuSkill();
    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;
    RECT getDrawRect() const override;

    bool Minimised() const { return minimised_; }
    // The selected row, 1 to 4, or 0 when none is selected.
    int SelectedRow() const { return selectedRow_; }

  private:
    SkinPainter Paint() override;
    void PaintList(SkinPainter& painter);
    void PaintDescription(SkinPainter& painter);
    void ResetState() override;

    bool minimised_ = false;
    int selectedRow_ = 0;
};

}  // namespace morvish
