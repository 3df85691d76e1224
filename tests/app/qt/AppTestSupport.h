#pragma once
// What the Qt program's tests share: dialogs answered from a script, a main window started on
// temporary folders, and the user's clicks on its tree.

#include <QMenu>
#include <QString>
#include <deque>
#include <memory>
#include <vector>

#include "FakeView.h"
#include "app/qt/Dialogs.h"
#include "app/qt/frmMain.h"

namespace morvish::test {

// Dialogs that never block: folder choices and Yes/No answers come from queues, message boxes and
// context menus are recorded. A menu entry named in `menuChoices` is run when a menu opens.
class ScriptedDialogs : public Dialogs {
  public:
    struct Shown {
        MessageIcon icon;
        QString title;
        QString text;
    };

    QString BrowseForFolder(QWidget* owner, const QString& prompt, const QString& start) override;
    void Message(QWidget* owner, MessageIcon icon, const QString& title,
                 const QString& text) override;
    bool AskYesNo(QWidget* owner, const QString& title, const QString& text) override;
    void PopupMenu(QMenu& menu, QPoint screenPosition) override;

    std::deque<QString> folderAnswers;  // empty: the dialog is cancelled
    std::deque<bool> yesNoAnswers;      // empty: Yes
    std::deque<QString> menuChoices;    // empty: the menu is closed without a choice

    std::vector<Shown> messages;
    std::vector<QString> menusOpened;  // titles of the menus
    std::vector<QPoint> menuPositions;
};

// Starts the program as start-up does (surface layer, show, settings) on the given folders.
std::unique_ptr<frmMain> StartProgram(ScriptedDialogs& dialogs, const ProgramFolders& folders);

// Resizes the window so that its client area gets exactly this size, and waits for the layout.
bool SetClientSize(frmMain& form, int width, int height);

// The items of the tree: a root by position, a child by its text.
QTreeWidgetItem* RootItem(const frmMain& form, int index);
QTreeWidgetItem* ChildItem(QTreeWidgetItem* parent, const QString& text);

// A left or right click on a tree item as the user makes it.
void ClickItem(frmMain& form, QTreeWidgetItem* item, Qt::MouseButton button = Qt::LeftButton);

}  // namespace morvish::test
