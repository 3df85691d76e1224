#pragma once
// The party window: a list of four sample party members in their colours, a bar of five message
// buttons and a bottom bar with the friends and party radio buttons. It has no state; the
// system and close buttons and the message buttons show their hover look under the pointer and
// their pressed look while the left button is held.

#include <string>
#include <vector>

#include "render/PreviewPane.h"
#include "render/SkinPainter.h"
#include "render/clsTessarymInterface.h"

namespace morvish {

class clsEmuFriend : public clsTessarymInterface {
  public:
    // The skin's pieces, in table order.
    enum Piece {
        kTitleLeft,
        kTitleMiddle,
        kTitleRight,
        kMessageBarLeft,
        kMessageBarMiddle,
        kMessageBarRight,
        kBottomBarLeft,
        kBottomBarMiddle,
        kBottomBarRight,
        kLeaderIcon,
        kOfflineIcon,
        kOnlineIcon,
        kRadioFriends,
        kRadioParty,
        kResize,
        kSystemOff,
        kSystemOn,  // hover and pressed alike
        kCloseOff,
        kCloseOn,        // hover and pressed alike
        kMessageButton,  // five buttons, each normal, hover, pressed
    };
    static constexpr int kMessageButtons = 5;

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
    // The window with the look of the button under (X, Y) for the buttons held.
    SurfaceResult PaintLit(int Button, int X, int Y);

    const PreviewPane* pane_ = nullptr;
    std::filesystem::path dir_;
    ColorChip chip_{};
    std::vector<Element> elements_;

    // Where the buttons were last drawn; a button never drawn hits nothing.
    RECT hitSystem_ = kNeverDrawn;
    RECT hitClose_ = kNeverDrawn;
    RECT hitMessage_[kMessageButtons] = {kNeverDrawn, kNeverDrawn, kNeverDrawn, kNeverDrawn,
                                         kNeverDrawn};
};

}  // namespace morvish
