#pragma once
// The modal parts of the user interface: the folder dialog, message boxes and context menus.
// The main window asks for them through this interface, so that tests can answer them from a
// script instead of waiting on a box.

#include <QPoint>
#include <QString>

#include "app/Messages.h"

class QMenu;
class QWidget;

namespace morvish {

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // A folder chosen by the user, with `prompt` as the dialog's title, opening at `start`;
    // empty when cancelled.
    virtual QString BrowseForFolder(QWidget* owner, const QString& prompt,
                                    const QString& start) = 0;
    // A message box with an OK button.
    virtual void Message(QWidget* owner, MessageIcon icon, const QString& title,
                         const QString& text) = 0;
    // A message box with Yes and No buttons; true unless the answer was No.
    virtual bool AskYesNo(QWidget* owner, const QString& title, const QString& text) = 0;
    // Opens `menu` at a screen position; a chosen entry runs its command before this returns.
    virtual void PopupMenu(QMenu& menu, QPoint screenPosition) = 0;
};

// The real dialogs of the desktop.
class QtDialogs : public Dialogs {
  public:
    QString BrowseForFolder(QWidget* owner, const QString& prompt, const QString& start) override;
    void Message(QWidget* owner, MessageIcon icon, const QString& title,
                 const QString& text) override;
    bool AskYesNo(QWidget* owner, const QString& title, const QString& text) override;
    void PopupMenu(QMenu& menu, QPoint screenPosition) override;
};

}  // namespace morvish
