#pragma once
// The miscellaneous windows. (Placeholder: draws only its background until the window is built.)

#include <string>

#include "render/PreviewPane.h"
#include "render/clsTessarymInterface.h"

namespace morvish {

class clsEmuEtc : public clsTessarymInterface {
public:
    void ClassInitialize(const PreviewPane& ShowSkinPictureBox, const std::string& DirName,
                         const ColorChip& ColorChip) override;
    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;
    SurfaceResult MouseUp(int Button, int X, int Y) override;
    SurfaceResult MouseDblClick(int Button, int X, int Y) override;
    SurfaceResult Refresh() override;
    RECT getDrawRect() const override;

private:
    const PreviewPane* pane_ = nullptr;
    std::string dir_;
    ColorChip chip_{};
};

}  // namespace morvish
