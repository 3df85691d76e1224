#include "PagedWindow.h"

#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 280;
constexpr int kOpenHeight = 120;
constexpr int kBarHeight = 17;

constexpr ElementEntry kTitleBarElement[] = {
    {"basic_interface\\titlebar_fix.bmp", 0, 0, "title bar (one piece)"},
};

// The tabs of page 0 and page 1, at fixed places.
constexpr RECT kTabs[] = {{5, 18, 18, 42}, {5, 43, 18, 67}};

}  // namespace

PagedWindow::PagedWindow(std::span<const ElementEntry> own, std::string_view title)
    : EmulatedWindow({kTitleButtons, kTitleBarElement, own}), title_(title) {}

void PagedWindow::ResetState() {
    page_ = 0;
    minimised_ = false;
}

RECT PagedWindow::getDrawRect() const {
    return RECT{0, 0, kWidth, minimised_ ? kBarHeight : kOpenHeight};
}

SkinPainter PagedWindow::Paint() {
    SkinPainter p = NewPicture();
    p.Piece(elements_[kTitleBar]);
    PaintTitleButtons(p);
    if (!minimised_) p.Piece(elements_[kPage0Background + page_]);
    p.Title(16, 3, title_);
    if (ShowsPage0()) PaintPage0(p);
    return p;
}

bool PagedWindow::Press(int Button, int X, int Y) {
    const int otherPage = 1 - page_;
    if (mdlMain::IsPointInRect(kTabs[otherPage], X, Y)) {
        page_ = otherPage;
        return true;
    }
    if (Button == MouseButton::kLeft && Hits(TitleButton::kMinimiseOff, X, Y)) {
        minimised_ = !minimised_;
        return true;
    }
    return false;
}

SurfaceResult PagedWindow::MouseDown(int Button, int X, int Y) {
    if (!Press(Button, X, Y)) return nullptr;
    return Refresh();
}

SurfaceResult PagedWindow::MouseMove(int Button, int X, int Y) {
    return PaintLit({kTitleButtonLooks}, Button, X, Y);
}

}  // namespace morvish
