#pragma once
// What the desktop program's tests share: dialogs answered from a script, temporary folders for
// the program, its configuration and skins, and a main window built on them.

#include <QMenu>
#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/SettingsFolder.h"
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

    std::vector<QString> folderPrompts;
    std::vector<QString> folderStarts;
    std::vector<Shown> messages;
    std::vector<Shown> questions;
    std::vector<QString> menusOpened;  // titles of the menus
};

// A temporary folder with helpers for the files in it.
class TemporaryFolder {
  public:
    TemporaryFolder();
    // The folder's path, without a trailing "/".
    std::string Path() const;
    std::string PathOf(const std::string& name) const;
    void Write(const std::string& name, const std::string& contents) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    void MakeFolder(const std::string& name) const;
    void Remove(const std::string& name) const;

  private:
    QTemporaryDir dir_;
};

// A program folder, a configuration folder and an installed share folder, all temporary.
struct ProgramFolders {
    TemporaryFolder program;
    TemporaryFolder config;
    TemporaryFolder share;
    bool programWritable = true;

    SettingsFolder Settings() const;
};

// Starts the program as start-up does (surface layer, show, settings) on the given folders.
std::unique_ptr<frmMain> StartProgram(ScriptedDialogs& dialogs, const ProgramFolders& folders);

// Resizes the window so that its client area gets exactly this size, and waits for the layout.
bool SetClientSize(frmMain& form, int width, int height);

// The nodes of the tree by their texts: a root, a skin of a root, a window kind of a skin.
QTreeWidgetItem* RootNode(const frmMain& form, int index);
QTreeWidgetItem* ChildNode(QTreeWidgetItem* parent, const QString& text);

// A left or right click on a tree node as the user makes it.
void ClickNode(frmMain& form, QTreeWidgetItem* node, Qt::MouseButton button = Qt::LeftButton);

// Writes a solid 24-bit BMP (0x00RRGGBB) under a path, creating its folders.
void WriteSolidBmp(const std::string& path, int width, int height, std::uint32_t rgb);

}  // namespace morvish::test
