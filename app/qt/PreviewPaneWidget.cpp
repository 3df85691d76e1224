#include "PreviewPaneWidget.h"

#include <QMouseEvent>
#include <QPainter>

namespace morvish {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000;

}  // namespace

int ButtonMask(Qt::MouseButtons buttons) {
    int mask = 0;
    if (buttons & Qt::LeftButton) mask |= 1;
    if (buttons & Qt::RightButton) mask |= 2;
    if (buttons & Qt::MiddleButton) mask |= 4;
    return mask;
}

PreviewPaneWidget::PreviewPaneWidget(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorder);
    setMouseTracking(true);
}

RECT PreviewPaneWidget::WindowRect() const {
    const QPoint topLeft = mapToGlobal(QPoint(0, 0));
    return RECT{topLeft.x(), topLeft.y(), topLeft.x() + width(), topLeft.y() + height()};
}

void PreviewPaneWidget::ShowPicture(const Bitmap& picture) {
    // The last picture's image is drawn over in place when it has the size: this runs at every
    // mouse move over the pane.
    if (picture_.width() != picture.width || picture_.height() != picture.height ||
        picture_.format() != QImage::Format_RGB32) {
        picture_ = QImage(picture.width, picture.height, QImage::Format_RGB32);
    }
    CopyIn(picture, RECT{0, 0, picture.width, picture.height});
    source_ = &picture;
    ++presentations_;
    update();
}

void PreviewPaneWidget::ShowPictureChange(const Bitmap& picture, RECT changed) {
    if (&picture != source_ || picture_.width() != picture.width ||
        picture_.height() != picture.height) {
        return ShowPicture(picture);
    }
    changed = Clipped(changed, picture.width, picture.height);
    CopyIn(picture, changed);
    ++presentations_;
    const QPoint at = contentsRect().topLeft();
    update(QRect(at.x() + changed.Left, at.y() + changed.Top, changed.Width(), changed.Height()));
}

void PreviewPaneWidget::CopyIn(const Bitmap& picture, RECT part) {
    for (int y = part.Top; y < part.Bottom; ++y) {
        const std::uint32_t* from =
            picture.pixels.data() + std::size_t(y) * std::size_t(picture.width);
        // scanLine() gives the image its own pixels first if anything else shares them.
        auto* row = reinterpret_cast<std::uint32_t*>(picture_.scanLine(y));
        for (int x = part.Left; x < part.Right; ++x) row[x] = from[x] | kOpaque;
    }
}

void PreviewPaneWidget::ShowImage(const QImage& image) {
    picture_ = image;
    source_ = nullptr;
    ++presentations_;
    update();
}

void PreviewPaneWidget::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.setClipRect(area);
    painter.fillRect(area, QColor::fromRgb(kBackColor));
    if (!picture_.isNull()) painter.drawImage(area.topLeft(), picture_);
}

void PreviewPaneWidget::Deliver(const MouseHandler& handler, int button,
                                const QMouseEvent& event) const {
    if (!handler) return;
    const QPointF position = event.position() - QPointF(contentsRect().topLeft());
    handler(button, qRound(position.x()), qRound(position.y()));
}

void PreviewPaneWidget::mousePressEvent(QMouseEvent* event) {
    if (const int button = ButtonMask(event->button()); button != 0) {
        Deliver(MouseDown, button, *event);
    }
}

void PreviewPaneWidget::mouseMoveEvent(QMouseEvent* event) {
    Deliver(MouseMove, ButtonMask(event->buttons()), *event);
}

void PreviewPaneWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (const int button = ButtonMask(event->button()); button != 0) {
        Deliver(MouseUp, button, *event);
    }
}

void PreviewPaneWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click arrives only as this; it is not a press of its own.
    if (ButtonMask(event->button()) != 0 && DblClick) DblClick();
}

}  // namespace morvish
