#include "SkinTreeWidget.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include "PreviewPaneWidget.h"

namespace morvish {

SkinTreeWidget::SkinTreeWidget(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setRootIsDecorated(true);
    // Long root paths scroll sideways instead of being cut short.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
}

QTreeWidgetItem* SkinTreeWidget::NodeAt(QPoint position) const {
    QTreeWidgetItem* node = itemAt(position);
    if (node == nullptr || position.x() < visualItemRect(node).left()) return nullptr;
    return node;
}

void SkinTreeWidget::Pressed(QMouseEvent* event) {
    pressed_ = NodeAt(event->position().toPoint());
    if (MouseDown) MouseDown(ButtonMask(event->button()));
}

void SkinTreeWidget::mousePressEvent(QMouseEvent* event) {
    Pressed(event);
    QTreeWidget::mousePressEvent(event);
}

void SkinTreeWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    Pressed(event);
    QTreeWidget::mouseDoubleClickEvent(event);
}

void SkinTreeWidget::mouseReleaseEvent(QMouseEvent* event) {
    QTreeWidget::mouseReleaseEvent(event);
    QTreeWidgetItem* const node = NodeAt(event->position().toPoint());
    const bool clicked = node != nullptr && node == pressed_;
    pressed_ = nullptr;
    if (clicked && NodeClick) NodeClick(node);
}

void SkinTreeWidget::keyPressEvent(QKeyEvent* event) {
    // The menu key and Shift+F10 open the selected node's context menu on every platform, also
    // where the window system does not turn them into a context menu request.
    const bool menuKey = event->key() == Qt::Key_Menu ||
                         (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (menuKey) {
        if (KeyboardContextMenu) KeyboardContextMenu();
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && Enter) {
        Enter(currentItem());
        event->accept();
        return;
    }
    QTreeWidgetItem* const before = currentItem();
    QTreeWidget::keyPressEvent(event);
    QTreeWidgetItem* const after = currentItem();
    if (after != nullptr && after != before && KeyboardSelect) KeyboardSelect(after);
}

void SkinTreeWidget::contextMenuEvent(QContextMenuEvent* event) {
    // A right click opens its menu through NodeClick and the keys through keyPressEvent.
    event->accept();
}

}  // namespace morvish
