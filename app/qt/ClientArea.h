#pragma once
// The client area of the main window, between the menu bar and the status bar. It holds the
// controls at absolute positions, draws the two separator lines linSplit under the menu bar and
// reports its resizes.

#include <QColor>
#include <QWidget>
#include <array>
#include <functional>

namespace morvish {

// A line control: from (X1, Y1) to (X2, Y2) in client pixels, one pixel wide.
struct LineControl {
    int X1 = 0;
    int Y1 = 0;
    int X2 = 0;
    int Y2 = 0;
    QColor BorderColor;
};

class ClientArea : public QWidget {
  public:
    explicit ClientArea(QWidget* parent);

    // The etched separator: grey at y 0, white at y 1.
    std::array<LineControl, 2> linSplit;
    std::function<void()> Resized;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace morvish
