#include "AppTestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QTest>
#include <QTreeWidgetItem>

#include "app/qt/StartUp.h"
#include "render/clsDirectDraw.h"

namespace morvish::test {

QString ScriptedDialogs::BrowseForFolder(QWidget*, const QString&, const QString&) {
    if (folderAnswers.empty()) return {};
    QString answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

void ScriptedDialogs::Message(QWidget*, MessageIcon icon, const QString& title,
                              const QString& text) {
    messages.push_back({icon, title, text});
}

bool ScriptedDialogs::AskYesNo(QWidget*, const QString&, const QString&) {
    if (yesNoAnswers.empty()) return true;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

void ScriptedDialogs::PopupMenu(QMenu& menu, QPoint screenPosition) {
    menusOpened.push_back(menu.title());
    menuPositions.push_back(screenPosition);
    if (menuChoices.empty()) return;
    const QString choice = menuChoices.front();
    menuChoices.pop_front();
    for (QAction* action : menu.actions()) {
        if (action->text() == choice && action->isEnabled()) action->trigger();
    }
}

std::unique_ptr<frmMain> StartProgram(ScriptedDialogs& dialogs, const ProgramFolders& folders) {
    auto form = mdlMain::StartUp(dialogs, folders.Settings(), [](std::uintptr_t handle) {
        return gDirectDraw.ClassInitialize(handle);
    });
    if (form) (void)QTest::qWaitForWindowExposed(form.get());
    return form;
}

bool SetClientSize(frmMain& form, int width, int height) {
    const QSize extra = form.size() - form.client->size();
    form.resize(width + extra.width(), height + extra.height());
    return QTest::qWaitFor([&] { return form.client->size() == QSize(width, height); });
}

QTreeWidgetItem* RootItem(const frmMain& form, int index) {
    return form.tvwSelectSkin->topLevelItem(index);
}

QTreeWidgetItem* ChildItem(QTreeWidgetItem* parent, const QString& text) {
    if (parent == nullptr) return nullptr;
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == text) return parent->child(i);
    }
    return nullptr;
}

void ClickItem(frmMain& form, QTreeWidgetItem* item, Qt::MouseButton button) {
    for (QTreeWidgetItem* up = item->parent(); up != nullptr; up = up->parent()) {
        up->setExpanded(true);
    }
    form.tvwSelectSkin->scrollToItem(item);
    // Let the tree lay out the rows it has just expanded before asking where the item lies.
    QCoreApplication::processEvents();
    // A point near the start of the text, which lies in view even when the row is wider.
    const QRect row = form.tvwSelectSkin->visualItemRect(item);
    const QPoint point(row.left() + std::min(row.width() / 2, 8), row.center().y());
    QTest::mouseClick(form.tvwSelectSkin->viewport(), button, Qt::NoModifier, point);
}

}  // namespace morvish::test
