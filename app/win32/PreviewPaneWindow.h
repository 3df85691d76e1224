#pragma once
// The preview pane picShowSkin as a child window: white, with the sunken 2-pixel client edge, it
// keeps the last picture given to it in a 32-bit DIB and repaints from it. It passes its mouse
// input, in pixels of its drawing area, to the handlers the main window sets.

#include <functional>

#include "platform/WindowsApi.h"
#include "render/PreviewPane.h"

namespace morvish::win32 {

class PreviewPaneWindow : public PreviewPane {
  public:
    using MouseHandler = std::function<void(int Button, int X, int Y)>;

    PreviewPaneWindow(HWND parent, int id);
    ~PreviewPaneWindow() override;
    PreviewPaneWindow(const PreviewPaneWindow&) = delete;
    PreviewPaneWindow& operator=(const PreviewPaneWindow&) = delete;

    HWND Handle() const { return window_; }

    RECT WindowRect() const override;
    Color BackColor() const override { return kBackColor; }
    void ShowPicture(const Bitmap& picture) override;
    void ShowPictureChange(const Bitmap& picture, RECT changed) override;

    // Press and release give the button that changed, a move the buttons held (1 left, 2 right,
    // 4 middle; 0 for none). A double click is reported instead of its second press.
    MouseHandler MouseDown;
    MouseHandler MouseMove;
    MouseHandler MouseUp;
    std::function<void()> DblClick;

    static constexpr Color kBackColor = 0xFFFFFF;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void Deliver(const MouseHandler& handler, int button, LPARAM lParam) const;

    HWND window_ = nullptr;
    HBITMAP picture_ = nullptr;
    void* pictureBits_ = nullptr;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    const Bitmap* source_ = nullptr;  // what the DIB was made from last
};

// The button mask of the MK_ flags of a mouse message: 1 left, 2 right, 4 middle.
int ButtonMask(WPARAM keys);

}  // namespace morvish::win32
