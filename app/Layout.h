#pragma once
// The main window's layout: where the skin tree, the splitter and the preview pane lie in the
// client area, in pixels. The tree's top and left and the preview's top never change; the rest
// follows the client area's size and the splitter's left edge, which is the one value the user
// controls (by dragging the splitter) and which is saved between runs.

namespace morvish {

// Design size of the client area and the splitter's design position, in pixels.
inline constexpr int kDesignClientWidth = 510;
inline constexpr int kDesignClientHeight = 441;
inline constexpr int kDesignSplitterLeft = 128;

// The splitter's left edge never goes to this or less by dragging.
inline constexpr int kSplitterDragMinimum = 10;
// The tree's top and the splitter's left edge must stay more than this far from the client area's
// bottom and right edge for the controls to follow its size.
inline constexpr int kLayoutMargin = 20;

// A control's place: left and top corner and size.
struct ControlRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    friend constexpr bool operator==(const ControlRect&, const ControlRect&) = default;
};

struct ControlLayout {
    ControlRect tvwSelectSkin{4, 8, 121, 265};
    ControlRect cntForResize{kDesignSplitterLeft, 8, 2, 267};
    ControlRect picShowSkin{136, 8, 313, 273};
    int linSplitEnd = 500;  // where the two separator lines under the menu bar end
    friend constexpr bool operator==(const ControlLayout&, const ControlLayout&) = default;
};

// Lays the controls out for a client area of ScaleWidth × ScaleHeight pixels. Heights follow only
// while the tree's top is more than 20 pixels above the bottom, widths only while the splitter is
// more than 20 pixels left of the right edge; otherwise they keep their last values. True when
// both held: then the preview is to be drawn again.
bool Form_Resize(ControlLayout& layout, int ScaleWidth, int ScaleHeight);

// The splitter follows a mouse move by X pixels (relative to its own left edge) while exactly the
// left button is held, as long as its left edge stays above 10 pixels.
void DragSplitter(ControlLayout& layout, int Button, int X);

// A stored splitter position made to fit a client area of `clientWidth` pixels: at least 11
// pixels from the left (as far as a drag can bring it) and more than 20 from the right edge (so
// that the preview follows it), the left limit winning in a client area too narrow for both.
int FitSplitter(int stored, int clientWidth);

// An outer window size made to fit the available screen area.
struct WindowSize {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const WindowSize&, const WindowSize&) = default;
};
WindowSize FitWindow(WindowSize stored, WindowSize available);

}  // namespace morvish
