#pragma once
// The skin tree tvwSelectSkin: a tree that reports a press (with its button), a click on a node
// (press and release on the same node, not on its expand button), a node chosen with the keyboard
// and a request for the context menu from the keyboard.

#include <QTreeWidget>
#include <functional>

namespace morvish {

class SkinTreeWidget : public QTreeWidget {
  public:
    explicit SkinTreeWidget(QWidget* parent);

    std::function<void(int Button)> MouseDown;
    std::function<void(QTreeWidgetItem* Node)> NodeClick;
    std::function<void(QTreeWidgetItem* Node)> KeyboardSelect;
    std::function<void()> KeyboardContextMenu;
    std::function<void(QTreeWidgetItem* Node)> Enter;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    // The node under a viewport position, or null over empty space and expand buttons.
    QTreeWidgetItem* NodeAt(QPoint position) const;
    void Pressed(QMouseEvent* event);

    QTreeWidgetItem* pressed_ = nullptr;
};

}  // namespace morvish
