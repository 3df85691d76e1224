#pragma once
// The chat window: the dialog that creates a chat room, with sample settings (room title,
// member limit, room kind, public or private). It has no state; the close button, the two
// drop-down buttons, OK and cancel show their hover look under the pointer and their pressed
// look while the left button is held.

#include <string>
#include <vector>

#include "render/PreviewPane.h"
#include "render/SkinPainter.h"
#include "render/clsTessarymInterface.h"

namespace morvish {

class clsEmuChat : public clsTessarymInterface {
  public:
    // The skin's pieces, in table order. Each control's hover and pressed looks follow its
    // normal one.
    enum Piece {
        kTitleBar,
        kClose,
        kCloseLit,  // hover and pressed alike
        kBackground,
        kRadioPublic,
        kRadioPrivate,
        kMemberLimit,  // the first drop-down button; hover and pressed follow
        kOk = kMemberLimit + 3,
        kCancel = kOk + 3,
        kRoomKind = kCancel + 3,  // the second drop-down button
    };

    void ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                         const std::filesystem::path& DirName, const ColorChip& ColorChip) override;
    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;
    SurfaceResult MouseUp(int Button, int X, int Y) override;
    SurfaceResult MouseDblClick(int Button, int X, int Y) override;
    SurfaceResult Refresh() override;
    RECT getDrawRect() const override;

  private:
    // The window, ready for hover and pressed looks to be drawn over it.
    SkinPainter Paint();
    // The window with the look of the control under (X, Y) for the buttons held.
    SurfaceResult PaintLit(int Button, int X, int Y);

    const PreviewPane* pane_ = nullptr;
    std::filesystem::path dir_;
    ColorChip chip_{};  // kept as every window keeps it; this window draws no chip colour
    std::vector<Element> elements_;

    // Where the controls were last drawn; a control never drawn hits nothing.
    RECT hitClose_ = kNeverDrawn;
    RECT hitMemberLimit_ = kNeverDrawn;
    RECT hitOk_ = kNeverDrawn;
    RECT hitCancel_ = kNeverDrawn;
    RECT hitRoomKind_ = kNeverDrawn;
};

}  // namespace morvish
