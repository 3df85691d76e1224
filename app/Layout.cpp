#include "Layout.h"

#include <algorithm>

namespace morvish {

namespace {

// Margins of the design: 2 pixels below the tree and the preview, 4 right of the preview, and
// the gaps between the tree, the splitter and the preview.
constexpr int kPreviewBottomGap = 10;
constexpr int kTreeBottomGap = 2;
constexpr int kTreeToSplitter = 6;
constexpr int kSplitterToPreview = 2;
constexpr int kPreviewRightGap = 6;
constexpr int kLeftButton = 1;

}  // namespace

bool Form_Resize(ControlLayout& layout, int ScaleWidth, int ScaleHeight) {
    ControlRect& tree = layout.tvwSelectSkin;
    ControlRect& splitter = layout.cntForResize;
    ControlRect& preview = layout.picShowSkin;
    layout.linSplitEnd = ScaleWidth;

    const bool heightsFollow = tree.Top + kLayoutMargin < ScaleHeight;
    if (heightsFollow) {
        preview.Height = ScaleHeight - kPreviewBottomGap;
        splitter.Height = preview.Height;
        tree.Height = ScaleHeight - tree.Top - kTreeBottomGap;
    }
    tree.Width = splitter.Left - kTreeToSplitter;
    const bool widthsFollow = splitter.Left + kLayoutMargin < ScaleWidth;
    if (widthsFollow) {
        preview.Width = ScaleWidth - splitter.Left - kPreviewRightGap;
        preview.Left = splitter.Left + kSplitterToPreview;
    }
    return heightsFollow && widthsFollow;
}

void DragSplitter(ControlLayout& layout, int Button, int X) {
    ControlRect& splitter = layout.cntForResize;
    if (splitter.Left + X > kSplitterDragMinimum && Button == kLeftButton) splitter.Left += X;
}

int FitSplitter(int stored, int clientWidth) {
    return std::max(std::min(stored, clientWidth - kLayoutMargin - 1), kSplitterDragMinimum + 1);
}

WindowSize FitWindow(WindowSize stored, WindowSize available) {
    return WindowSize{std::clamp(stored.width, 1, std::max(available.width, 1)),
                      std::clamp(stored.height, 1, std::max(available.height, 1))};
}

}  // namespace morvish
