#include "ClientArea.h"

#include <QPainter>

namespace morvish {

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
    linSplit[0] = LineControl{0, 0, 500, 0, QColor(0x80, 0x80, 0x80)};
    linSplit[1] = LineControl{0, 1, 500, 1, QColor(0xFF, 0xFF, 0xFF)};
}

void ClientArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const LineControl& line : linSplit) {
        painter.setPen(line.BorderColor);
        painter.drawLine(line.X1, line.Y1, line.X2, line.Y2);
    }
}

void ClientArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (Resized) Resized();
}

}  // namespace morvish
