#include "FakeView.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "app/IniFile.h"
#include "platform/Platform.h"
#include "render/BmpDecoder.h"
#include "render/FileLookup.h"
#include "render/clsDirectDraw.h"
#include "support/FixtureSkin.h"

namespace fs = std::filesystem;

namespace morvish::test {

TemporaryFolder::TemporaryFolder() {
    static std::mt19937_64 random{std::random_device{}()};
    do {
        path_ = fs::temp_directory_path() / ("morvish-app-" + std::to_string(random()));
    } while (fs::exists(path_));
    fs::create_directories(path_);
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
}

fs::path TemporaryFolder::PathOf(const std::string& name) const {
    fs::path path = path_;
    for (std::size_t at = 0; at <= name.size();) {
        const std::size_t slash = std::min(name.find('/', at), name.size());
        path /= platform::PathFromUtf8(std::string_view(name).substr(at, slash - at));
        at = slash + 1;
    }
    return path;
}

void TemporaryFolder::Write(const std::string& name, const std::string& contents) const {
    fs::create_directories(PathOf(name).parent_path());
    std::ofstream(PathOf(name), std::ios::binary) << contents;
}

std::string TemporaryFolder::Read(const std::string& name) const {
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TemporaryFolder::Exists(const std::string& name) const {
    std::error_code error;
    return fs::exists(fs::symlink_status(PathOf(name), error));
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

std::optional<std::string> ProgramFolders::Setting(const char* section, const char* key) const {
    return IniFile::Parse(program.Read("Quorel.ini")).Get(section, key);
}

FakeView::FakeView() = default;

void FakeView::CloseWindow() {
    closed = true;
    if (logic != nullptr) logic->SaveSetting();
}

WindowSize FakeView::ClientSize() const {
    if (placement.state == WindowState::Minimised) return WindowSize{0, 0};
    const WindowSize outer =
        placement.state == WindowState::Maximised ? screen : placement.restored;
    return WindowSize{outer.width - kFrame.width, outer.height - kFrame.height};
}

void FakeView::ApplyLayout(const ControlLayout& applied) {
    layout = applied;
    ++layoutsApplied;
    pane.Resize(applied.picShowSkin.Width, applied.picShowSkin.Height);
}

void FakeView::AddTreeNode(NodeId id, const SkinTree::Node& node) {
    items[id] = Item{node.parent, node.text, {}};
    if (node.parent == kNoNode) {
        roots.push_back(id);
    } else {
        items.at(node.parent).children.push_back(id);
    }
}

void FakeView::RemoveTreeNode(NodeId id) {
    const Item item = items.at(id);
    std::vector<NodeId>& siblings = item.parent == kNoNode ? roots : items.at(item.parent).children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), id), siblings.end());
    items.erase(id);
    if (selected == id) selected = kNoNode;
}

NodeId FakeView::Root(std::size_t index) const {
    return index < roots.size() ? roots[index] : kNoNode;
}

NodeId FakeView::Child(NodeId parent, const std::string& text) const {
    const auto found = items.find(parent);
    if (found == items.end()) return kNoNode;
    for (NodeId child : found->second.children) {
        if (items.at(child).text == text) return child;
    }
    return kNoNode;
}

std::vector<std::string> FakeView::ChildTexts(NodeId parent) const {
    std::vector<std::string> texts;
    const std::vector<NodeId>& children = parent == kNoNode ? roots : items.at(parent).children;
    for (NodeId child : children) texts.push_back(items.at(child).text);
    return texts;
}

Result<void> FakeView::ShowPictureFile(const fs::path& file) {
    picturesShown.push_back(file);
    return {};
}

bool FakeView::AskYesNo(const Message& message) {
    questions.push_back(message);
    if (yesNoAnswers.empty()) return true;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

std::string FakeView::BrowseForFolder(std::string_view prompt, const fs::path& start) {
    folderPrompts.emplace_back(prompt);
    folderStarts.push_back(start);
    if (folderAnswers.empty()) return {};
    std::string answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

void FakeView::OpenContextMenu(const MenuDefinition& menu, MenuPlace place) {
    menusOpened.emplace_back(menu.name);
    menuPlaces.push_back(place);
    if (menuChoices.empty() || logic == nullptr) return;
    const std::string choice = menuChoices.front();
    menuChoices.pop_front();
    for (const MenuEntry& entry : menu.entries) {
        std::string caption(Tr(entry.caption, logic->CurrentLanguage()));
        if (const std::size_t mnemonic = caption.find("(&"); mnemonic != std::string::npos) {
            caption.erase(mnemonic);
        }
        if (caption == choice && entry.command && entry.enabled) logic->Run(*entry.command);
    }
}

void FakeView::RunWithProgress(const std::string& title, InstallProgress& progress,
                               const std::function<void()>& work) {
    progressTitles.push_back(title);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work();
        done = true;
    });
    while (!done) {
        if (cancelAfter && progress.copied >= *cancelAfter) progress.cancel = true;
        std::this_thread::yield();
    }
    worker.join();
}

Program::Program(const ProgramFolders& folders)
    : logic(std::make_unique<MainController>(view, folders.Settings(), "1.2.3")) {
    view.logic = logic.get();
    logic->StartUp([] { return gDirectDraw.ClassInitialize(); });
}

Program::~Program() {
    view.logic = nullptr;
}

void Program::Click(NodeId node) {
    view.selected = node;
    logic->tvwSelectSkin_MouseDown(1);
    logic->tvwSelectSkin_NodeClick(node);
}

void Program::Close() {
    logic->SaveSetting();
}

void WriteSolidBmp(const fs::path& path, int width, int height, std::uint32_t rgb) {
    fs::create_directories(path.parent_path());
    const std::vector<std::uint8_t> bytes = EncodeBmp24(SolidBitmap(width, height, rgb));
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace morvish::test
