#pragma once
// The interface every emulated game window implements. A window draws itself anew from the
// skin's files at every Refresh and answers the mouse in its own surface coordinates.

#include <string>

#include "DirectDrawSurface7.h"
#include "Types.h"

namespace morvish {

class PreviewPane;

class clsTessarymInterface {
  public:
    virtual ~clsTessarymInterface() = default;

    // Called once, before anything else: the window keeps the pane (for its background colour),
    // the skin directory (ending with a separator) and its own copy of the colour chip, builds
    // its tables and sets its initial state. No bitmap is loaded here.
    virtual void ClassInitialize(const PreviewPane& ShowSkinPictureBox, const std::string& DirName,
                                 const ColorChip& ColorChip) = 0;

    // Mouse events in the window's own coordinates with the pane's button mask (1 left, 2 right,
    // 4 middle, 0 none). Each returns a complete new picture when the look changed, a null
    // pointer when there is nothing new to show, or the error that stopped the drawing.
    virtual SurfaceResult MouseDown(int Button, int X, int Y) = 0;
    virtual SurfaceResult MouseMove(int Button, int X, int Y) = 0;
    virtual SurfaceResult MouseUp(int Button, int X, int Y) = 0;
    virtual SurfaceResult MouseDblClick(int Button, int X, int Y) = 0;

    // The whole window in its current state, on a new surface of getDrawRect's size filled first
    // with the pane's background colour. Changes no state.
    virtual SurfaceResult Refresh() = 0;

    // (0, 0, width, height) of the picture Refresh would return now.
    virtual RECT getDrawRect() const = 0;
};

}  // namespace morvish
