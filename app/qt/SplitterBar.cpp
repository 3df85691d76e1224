#include "SplitterBar.h"

#include <QMouseEvent>

#include "PreviewPaneWidget.h"

namespace morvish {

SplitterBar::SplitterBar(QWidget* parent) : QFrame(parent) {
    setCursor(Qt::SizeHorCursor);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setMouseTracking(true);
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event) {
    if (!MouseMove) return;
    const QPoint position = event->position().toPoint();
    MouseMove(ButtonMask(event->buttons()), position.x(), position.y());
}

}  // namespace morvish
