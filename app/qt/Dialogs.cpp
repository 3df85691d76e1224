#include "Dialogs.h"

#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>

namespace morvish {

namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QString QtDialogs::BrowseForFolder(QWidget* owner, const QString& prompt, const QString& start) {
    return QFileDialog::getExistingDirectory(owner, prompt, start, QFileDialog::ShowDirsOnly);
}

void QtDialogs::Message(QWidget* owner, MessageIcon icon, const QString& title,
                        const QString& text) {
    QMessageBox box(ToQt(icon), title, text, QMessageBox::Ok, owner);
    box.exec();
}

bool QtDialogs::AskYesNo(QWidget* owner, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() != QMessageBox::No;
}

void QtDialogs::PopupMenu(QMenu& menu, QPoint screenPosition) {
    menu.exec(screenPosition);
}

}  // namespace morvish
