#include "clsEmuFriend.h"

#include "render/SkinPainter.h"

namespace morvish {

void clsEmuFriend::ClassInitialize(const PreviewPane& ShowSkinPictureBox, const std::string& DirName,
                            const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
}

SurfaceResult clsEmuFriend::MouseDown(int, int, int) { return nullptr; }
SurfaceResult clsEmuFriend::MouseMove(int, int, int) { return nullptr; }
SurfaceResult clsEmuFriend::MouseUp(int, int, int) { return nullptr; }
SurfaceResult clsEmuFriend::MouseDblClick(int, int, int) { return nullptr; }

SurfaceResult clsEmuFriend::Refresh() {
    SkinPainter painter(212, 155, pane_->BackColor());
    return painter.Finish();
}

RECT clsEmuFriend::getDrawRect() const { return RECT{0, 0, 212, 155}; }

}  // namespace morvish
