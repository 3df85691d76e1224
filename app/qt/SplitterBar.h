#pragma once
// The splitter cntForResize: a thin bar in the button-face colour with the left-right sizing
// pointer. It reports every mouse move over it, with or without a button held.

#include <QFrame>
#include <functional>

namespace morvish {

class SplitterBar : public QFrame {
  public:
    explicit SplitterBar(QWidget* parent);

    // Button: the buttons held (1 left, 2 right, 4 middle); X, Y relative to the bar.
    std::function<void(int Button, int X, int Y)> MouseMove;

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace morvish
