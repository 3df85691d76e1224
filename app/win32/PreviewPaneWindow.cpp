#include "PreviewPaneWindow.h"

#include <windowsx.h>

#include <cstring>

namespace morvish::win32 {

namespace {

constexpr wchar_t kClassName[] = L"MorvishPreviewPane";

void RegisterClassOnce() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        // The double click arrives as a message of its own instead of a second press.
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kClassName;
        return ::RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

}  // namespace

int ButtonMask(WPARAM keys) {
    int mask = 0;
    if (keys & MK_LBUTTON) mask |= 1;
    if (keys & MK_RBUTTON) mask |= 2;
    if (keys & MK_MBUTTON) mask |= 4;
    return mask;
}

PreviewPaneWindow::PreviewPaneWindow(HWND parent, int id) {
    RegisterClassOnce();
    window_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0,
                                0, parent, reinterpret_cast<HMENU>(INT_PTR(id)),
                                ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
}

PreviewPaneWindow::~PreviewPaneWindow() {
    if (picture_ != nullptr) ::DeleteObject(picture_);
}

RECT PreviewPaneWindow::WindowRect() const {
    ::RECT outer{};
    ::GetWindowRect(window_, &outer);
    return RECT{outer.left, outer.top, outer.right, outer.bottom};
}

void PreviewPaneWindow::ShowPicture(const Bitmap& picture) {
    // A picture of the same size is copied into the DIB already there: a mouse move presents
    // every time, and making a DIB section each time costs more than the copy.
    if (picture_ == nullptr || picture.width != pictureWidth_ || picture.height != pictureHeight_) {
        if (picture_ != nullptr) ::DeleteObject(picture_);
        picture_ = nullptr;
        pictureBits_ = nullptr;
        pictureWidth_ = picture.width;
        pictureHeight_ = picture.height;
        if (picture.width > 0 && picture.height > 0) {
            // A top-down DIB whose pixels are 0x00RRGGBB: the bitmap's own layout.
            BITMAPINFO info{};
            info.bmiHeader.biSize = sizeof info.bmiHeader;
            info.bmiHeader.biWidth = picture.width;
            info.bmiHeader.biHeight = -picture.height;
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            info.bmiHeader.biCompression = BI_RGB;
            picture_ =
                ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pictureBits_, nullptr, 0);
            if (picture_ == nullptr) pictureBits_ = nullptr;
        }
    }
    if (pictureBits_ != nullptr) {
        ::GdiFlush();
        std::memcpy(pictureBits_, picture.pixels.data(),
                    picture.pixels.size() * sizeof(std::uint32_t));
    }
    source_ = &picture;
    ::InvalidateRect(window_, nullptr, FALSE);
    ::UpdateWindow(window_);
}

void PreviewPaneWindow::ShowPictureChange(const Bitmap& picture, RECT changed) {
    if (&picture != source_ || pictureBits_ == nullptr || picture.width != pictureWidth_ ||
        picture.height != pictureHeight_) {
        return ShowPicture(picture);
    }
    changed = Clipped(changed, picture.width, picture.height);
    ::GdiFlush();
    auto* bits = static_cast<std::uint32_t*>(pictureBits_);
    for (int y = changed.Top; y < changed.Bottom; ++y) {
        const std::size_t at =
            std::size_t(y) * std::size_t(picture.width) + std::size_t(changed.Left);
        std::memcpy(bits + at, picture.pixels.data() + at,
                    std::size_t(changed.Width()) * sizeof(std::uint32_t));
    }
    // The picture lies at the client area's top-left corner.
    const ::RECT part{changed.Left, changed.Top, changed.Right, changed.Bottom};
    ::InvalidateRect(window_, &part, FALSE);
    ::UpdateWindow(window_);
}

LRESULT CALLBACK PreviewPaneWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* pane = reinterpret_cast<PreviewPaneWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (pane == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
    return pane->Handle(message, wParam, lParam);
}

void PreviewPaneWindow::Deliver(const MouseHandler& handler, int button, LPARAM lParam) const {
    if (handler) handler(button, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

LRESULT PreviewPaneWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            // A drag that leaves the pane still ends with its release here.
            ::SetCapture(window_);
            const int button = message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 4;
            Deliver(MouseDown, button, lParam);
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const int button = message == WM_LBUTTONUP ? 1 : message == WM_RBUTTONUP ? 2 : 4;
            if (ButtonMask(wParam) == 0) ::ReleaseCapture();
            Deliver(MouseUp, button, lParam);
            return 0;
        }
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            ::SetCapture(window_);
            if (DblClick) DblClick();
            return 0;
        case WM_MOUSEMOVE:
            Deliver(MouseMove, ButtonMask(wParam), lParam);
            return 0;
        default:
            return ::DefWindowProcW(window_, message, wParam, lParam);
    }
}

void PreviewPaneWindow::Paint() {
    PAINTSTRUCT paint{};
    const HDC target = ::BeginPaint(window_, &paint);
    ::RECT area{};
    ::GetClientRect(window_, &area);
    // Drawn off screen first, so that a picture shown anew does not flicker through white.
    const HDC buffer = ::CreateCompatibleDC(target);
    const HBITMAP surface = ::CreateCompatibleBitmap(target, area.right, area.bottom);
    const HGDIOBJ previous = ::SelectObject(buffer, surface);
    const HBRUSH white = ::CreateSolidBrush(0xFFFFFF);
    ::FillRect(buffer, &area, white);
    ::DeleteObject(white);
    if (picture_ != nullptr) {
        const HDC source = ::CreateCompatibleDC(target);
        const HGDIOBJ shown = ::SelectObject(source, picture_);
        ::BitBlt(buffer, 0, 0, pictureWidth_, pictureHeight_, source, 0, 0, SRCCOPY);
        ::SelectObject(source, shown);
        ::DeleteDC(source);
    }
    ::BitBlt(target, 0, 0, area.right, area.bottom, buffer, 0, 0, SRCCOPY);
    ::SelectObject(buffer, previous);
    ::DeleteObject(surface);
    ::DeleteDC(buffer);
    ::EndPaint(window_, &paint);
}

}  // namespace morvish::win32
