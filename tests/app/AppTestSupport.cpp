#include "AppTestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTreeWidgetItem>
#include <filesystem>
#include <fstream>

#include "app/qt/StartUp.h"
#include "render/BmpDecoder.h"
#include "render/clsDirectDraw.h"
#include "support/FixtureSkin.h"

namespace fs = std::filesystem;

namespace morvish::test {

QString ScriptedDialogs::BrowseForFolder(QWidget*, const QString& prompt, const QString& start) {
    folderPrompts.push_back(prompt);
    folderStarts.push_back(start);
    if (folderAnswers.empty()) return {};
    QString answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

void ScriptedDialogs::Message(QWidget*, MessageIcon icon, const QString& title,
                              const QString& text) {
    messages.push_back({icon, title, text});
}

bool ScriptedDialogs::AskYesNo(QWidget*, const QString& title, const QString& text) {
    questions.push_back({MessageIcon::Question, title, text});
    if (yesNoAnswers.empty()) return true;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

void ScriptedDialogs::PopupMenu(QMenu& menu, QPoint) {
    menusOpened.push_back(menu.title());
    if (menuChoices.empty()) return;
    const QString choice = menuChoices.front();
    menuChoices.pop_front();
    for (QAction* action : menu.actions()) {
        if (action->text() == choice && action->isEnabled()) action->trigger();
    }
}

TemporaryFolder::TemporaryFolder() {
    dir_.setAutoRemove(true);
}

std::string TemporaryFolder::Path() const {
    return dir_.path().toStdString();
}

std::string TemporaryFolder::PathOf(const std::string& name) const {
    return (fs::path(Path()) / name).string();
}

void TemporaryFolder::Write(const std::string& name, const std::string& contents) const {
    fs::create_directories(fs::path(PathOf(name)).parent_path());
    std::ofstream out(PathOf(name), std::ios::binary);
    out << contents;
}

std::string TemporaryFolder::Read(const std::string& name) const {
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TemporaryFolder::Exists(const std::string& name) const {
    return fs::exists(PathOf(name));
}

void TemporaryFolder::MakeFolder(const std::string& name) const {
    fs::create_directories(PathOf(name));
}

void TemporaryFolder::Remove(const std::string& name) const {
    fs::remove_all(PathOf(name));
}

SettingsFolder ProgramFolders::Settings() const {
    return SettingsFolder(program.Path(), programWritable, config.PathOf("morvish"), share.Path());
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

QTreeWidgetItem* RootNode(const frmMain& form, int index) {
    return form.tvwSelectSkin->topLevelItem(index);
}

QTreeWidgetItem* ChildNode(QTreeWidgetItem* parent, const QString& text) {
    if (parent == nullptr) return nullptr;
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == text) return parent->child(i);
    }
    return nullptr;
}

void ClickNode(frmMain& form, QTreeWidgetItem* node, Qt::MouseButton button) {
    for (QTreeWidgetItem* up = node->parent(); up != nullptr; up = up->parent()) {
        up->setExpanded(true);
    }
    form.tvwSelectSkin->scrollToItem(node);
    // Let the tree lay out the rows it has just expanded before asking where the node lies.
    QCoreApplication::processEvents();
    // A point near the start of the text, which lies in view even when the row is wider.
    const QRect row = form.tvwSelectSkin->visualItemRect(node);
    const QPoint point(row.left() + std::min(row.width() / 2, 8), row.center().y());
    QTest::mouseClick(form.tvwSelectSkin->viewport(), button, Qt::NoModifier, point);
}

void WriteSolidBmp(const std::string& path, int width, int height, std::uint32_t rgb) {
    fs::create_directories(fs::path(path).parent_path());
    const std::vector<std::uint8_t> bytes = EncodeBmp24(SolidBitmap(width, height, rgb));
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace morvish::test
