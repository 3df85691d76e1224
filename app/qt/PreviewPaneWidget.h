#pragma once
// The preview pane picShowSkin: a white picture box with a sunken 2-pixel border that keeps the
// last picture given to it and repaints from it. It passes its mouse input, in pixels of its
// drawing area, to the handlers the main window sets.

#include <QFrame>
#include <QImage>
#include <functional>

#include "render/PreviewPane.h"

namespace morvish {

class PreviewPaneWidget : public QFrame, public PreviewPane {
  public:
    using MouseHandler = std::function<void(int Button, int X, int Y)>;

    explicit PreviewPaneWidget(QWidget* parent);

    RECT WindowRect() const override;
    Color BackColor() const override { return kBackColor; }
    void ShowPicture(const Bitmap& picture) override;
    void ShowPictureChange(const Bitmap& picture, RECT changed) override;

    // Clears the pane and shows `image` unscaled from the drawing area's top-left corner.
    void ShowImage(const QImage& image);
    // What the drawing area shows above its white background.
    const QImage& Picture() const { return picture_; }
    // How many pictures were shown so far.
    int Presentations() const { return presentations_; }

    // Press and release give the button that changed, a move the buttons held (1 left, 2 right,
    // 4 middle; 0 for none). A double click is reported instead of its second press.
    MouseHandler MouseDown;
    MouseHandler MouseMove;
    MouseHandler MouseUp;
    std::function<void()> DblClick;

    static constexpr Color kBackColor = 0xFFFFFF;
    static constexpr int kBorder = 2;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void Deliver(const MouseHandler& handler, int button, const QMouseEvent& event) const;

    // Copies the part of the picture into picture_, which has its size.
    void CopyIn(const Bitmap& picture, RECT part);

    QImage picture_;
    const Bitmap* source_ = nullptr;  // what picture_ was made from last
    int presentations_ = 0;
};

// The mouse button mask of Qt buttons: 1 left, 2 right, 4 middle; other buttons count as none.
int ButtonMask(Qt::MouseButtons buttons);

}  // namespace morvish
