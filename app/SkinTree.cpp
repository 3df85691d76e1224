#include "SkinTree.h"

#include <algorithm>
#include <system_error>

#include "SkinFolder.h"
#include "SkinRootList.h"
#include "platform/Platform.h"
#include "render/FileLookup.h"

namespace fs = std::filesystem;

namespace morvish {

SkinTree::SkinTree(PreviewPane& pane, const WindowSlotTable& slots) : pane_(pane), slots_(slots) {}

NodeId SkinTree::Add(Node node) {
    const NodeId id = nextId_++;
    if (node.parent == kNoNode) {
        roots_.push_back(id);
    } else {
        nodes_.at(node.parent).children.push_back(id);
    }
    nodes_.emplace(id, std::move(node));
    return id;
}

NodeId SkinTree::ScanSkinRoot(fs::path& Path, NodeId Node) {
    Path = NormaliseRootPath(Path);
    if (Path.empty()) return kNoNode;
    std::error_code error;
    if (!fs::is_directory(Path, error)) return kNoNode;

    std::vector<NodeId> added;
    if (Node == kNoNode || !IsRoot(Node)) {
        SkinTree::Node root;
        root.kind = NodeKind::Root;
        root.text = platform::DisplayText(Path);
        root.folder = Path;
        Node = Add(std::move(root));
        added.push_back(Node);
    }

    for (const fs::path& name : ListSkinNames(Path)) AddSkin(Node, Path, name, added);
    if (NodeAdded) {
        for (NodeId node : added) NodeAdded(node);
    }
    return Node;
}

void SkinTree::AddSkin(NodeId root, const fs::path& folder, const fs::path& name,
                       std::vector<NodeId>& added) {
    SkinTree::Node skin;
    skin.kind = NodeKind::Skin;
    skin.parent = root;
    skin.text = platform::DisplayText(name);
    skin.folder = WithTrailingSeparator(folder / name);
    skin.managerIndex = nextManagerIndex_++;
    skin.manager = std::make_unique<clsSkinMng>(slots_);
    skin.manager->ClassInitialize(pane_, skin.folder);
    ++liveManagers_;
    const NodeId skinId = Add(std::move(skin));
    added.push_back(skinId);
    for (const WindowSlot& slot : slots_) {
        SkinTree::Node kind;
        kind.kind = NodeKind::WindowKind;
        kind.parent = skinId;
        kind.text = std::string(slot.label);
        kind.slot = slot.number;
        added.push_back(Add(std::move(kind)));
    }
}

bool SkinTree::SyncSkinRoot(NodeId root) {
    if (!IsRoot(root)) return false;
    const fs::path folder = nodes_.at(root).folder;
    const std::vector<fs::path> names = ListSkinNames(folder);
    const auto nameOf = [&](NodeId skin) {
        return nodes_.at(skin).folder.parent_path().filename();
    };

    bool changed = false;
    const std::vector<NodeId> skins = nodes_.at(root).children;
    for (NodeId skin : skins) {
        if (std::ranges::find(names, nameOf(skin)) == names.end()) {
            Remove(skin);
            changed = true;
        }
    }
    std::vector<NodeId> added;
    for (const fs::path& name : names) {
        const std::vector<NodeId>& now = nodes_.at(root).children;
        const bool known =
            std::ranges::any_of(now, [&](NodeId skin) { return nameOf(skin) == name; });
        if (!known) AddSkin(root, folder, name, added);
    }
    if (NodeAdded) {
        for (NodeId node : added) NodeAdded(node);
    }
    return changed || !added.empty();
}

void SkinTree::Forget(NodeId node) {
    const auto found = nodes_.find(node);
    if (found == nodes_.end()) return;
    // Children go first, from the last to the first, so that a listener sees every node removed
    // while its parent is still there.
    const std::vector<NodeId> children = found->second.children;
    for (auto child = children.rbegin(); child != children.rend(); ++child) Forget(*child);
    if (NodeRemoving) NodeRemoving(node);
    const auto current = nodes_.find(node);
    if (current->second.manager) --liveManagers_;
    nodes_.erase(current);
}

void SkinTree::Remove(NodeId node) {
    const Node* found = Find(node);
    if (found == nullptr) return;
    const NodeId parent = found->parent;
    Forget(node);
    std::vector<NodeId>& siblings = parent == kNoNode ? roots_ : nodes_.at(parent).children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), node), siblings.end());
}

void SkinTree::RemoveChildren(NodeId node) {
    const Node* found = Find(node);
    if (found == nullptr) return;
    while (!nodes_.at(node).children.empty()) Remove(nodes_.at(node).children.back());
}

const SkinTree::Node* SkinTree::Find(NodeId node) const {
    const auto found = nodes_.find(node);
    return found == nodes_.end() ? nullptr : &found->second;
}

bool SkinTree::IsRoot(NodeId node) const {
    const Node* found = Find(node);
    return found != nullptr && found->kind == NodeKind::Root;
}

bool SkinTree::IsSkin(NodeId node) const {
    const Node* found = Find(node);
    return found != nullptr && found->kind == NodeKind::Skin;
}

bool SkinTree::IsWindowKind(NodeId node) const {
    const Node* found = Find(node);
    return found != nullptr && found->kind == NodeKind::WindowKind;
}

std::string SkinTree::Tag(NodeId node) const {
    const Node* found = Find(node);
    if (found == nullptr) return {};
    switch (found->kind) {
        case NodeKind::Root:
            return {};
        case NodeKind::Skin:
            return std::to_string(found->managerIndex);
        case NodeKind::WindowKind:
            return std::to_string(found->slot);
    }
    return {};
}

clsSkinMng* SkinTree::ManagerOf(NodeId node) const {
    const Node* found = Find(node);
    if (found != nullptr && found->kind == NodeKind::WindowKind) found = Find(found->parent);
    return found != nullptr ? found->manager.get() : nullptr;
}

NodeId SkinTree::RootOf(NodeId node) const {
    const Node* found = Find(node);
    while (found != nullptr && found->parent != kNoNode) {
        node = found->parent;
        found = Find(node);
    }
    return found != nullptr ? node : kNoNode;
}

std::vector<NodeId> SkinTree::Descendants(NodeId node) const {
    std::vector<NodeId> below;
    const Node* found = Find(node);
    if (found == nullptr) return below;
    for (NodeId child : found->children) {
        below.push_back(child);
        const std::vector<NodeId> deeper = Descendants(child);
        below.insert(below.end(), deeper.begin(), deeper.end());
    }
    return below;
}

}  // namespace morvish
