#pragma once
// The skin tree as data: root folders (the user's collections), the skins found in them (every
// folder of a root is a skin) and under each skin its twelve window kinds. Every skin node owns
// the skin manager that draws its windows; the manager is made with the node and released with
// it, when its root is removed or rescanned.
//
// A node's tag tells its level, as the desktop program has always kept it: a root's tag is empty,
// a skin's is the number of its manager (counted from 1 in order of creation and never reused),
// a window kind's is its slot number "1" to "12".

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "render/PreviewPane.h"
#include "render/clsSkinMng.h"

namespace morvish {

using NodeId = std::uint32_t;
inline constexpr NodeId kNoNode = 0;

enum class NodeKind { Root, Skin, WindowKind };

class SkinTree {
  public:
    struct Node {
        NodeKind kind = NodeKind::Root;
        NodeId parent = kNoNode;
        std::vector<NodeId> children;
        std::string text;              // what the tree shows, UTF-8
        std::filesystem::path folder;  // a root's or a skin's folder, ending with a separator
        int slot = 0;                  // a window kind's slot, 1 to 12
        int managerIndex = 0;          // a skin's manager number
        std::unique_ptr<clsSkinMng> manager;
    };

    // Managers present into `pane`; their windows come from `slots`.
    SkinTree(PreviewPane& pane, const WindowSlotTable& slots);

    // Makes `Path` a root's folder (blanks are the caller's to trim: paths may hold them), with
    // exactly one trailing separator, and when it is an existing folder adds a root for it (or
    // refills the root `Node`) with a skin node and twelve window-kind nodes for every folder in
    // it. Returns the root, or kNoNode when the folder does not exist (nothing is added).
    NodeId ScanSkinRoot(std::filesystem::path& Path, NodeId Node = kNoNode);

    // Brings the skins of a root in line with its folder without touching the others: the nodes
    // of skins whose folders are gone are removed, and folders that are new get skin nodes after
    // the root's last child (a rescan puts them in order). True when anything changed.
    bool SyncSkinRoot(NodeId root);

    // Removes a node with all that lies below it, releasing the managers of its skins.
    void Remove(NodeId node);
    // Removes the children of a node, from the last to the first.
    void RemoveChildren(NodeId node);

    const Node* Find(NodeId node) const;
    const std::vector<NodeId>& Roots() const { return roots_; }

    bool IsRoot(NodeId node) const;
    bool IsSkin(NodeId node) const;
    bool IsWindowKind(NodeId node) const;
    // The node's tag: "" for a root, the manager number of a skin, the slot of a window kind.
    std::string Tag(NodeId node) const;
    // The manager of a skin node, or of the skin of a window-kind node; null for anything else.
    clsSkinMng* ManagerOf(NodeId node) const;
    // The root a node belongs to (itself for a root).
    NodeId RootOf(NodeId node) const;
    // Every node below `node`, depth first, parents before children.
    std::vector<NodeId> Descendants(NodeId node) const;

    // Managers alive now, and the number the next one will get.
    std::size_t LiveManagers() const { return liveManagers_; }
    int NextManagerIndex() const { return nextManagerIndex_; }

    // Told of every node added (after it is complete) and before every node is removed.
    std::function<void(NodeId)> NodeAdded;
    std::function<void(NodeId)> NodeRemoving;

  private:
    NodeId Add(Node node);
    // Adds the skin `name` in the folder of the root `root`, with its twelve window kinds, naming
    // the new nodes in `added`.
    void AddSkin(NodeId root, const std::filesystem::path& folder,
                 const std::filesystem::path& name, std::vector<NodeId>& added);
    void Forget(NodeId node);

    PreviewPane& pane_;
    const WindowSlotTable& slots_;
    std::map<NodeId, Node> nodes_;
    std::vector<NodeId> roots_;
    NodeId nextId_ = 1;
    int nextManagerIndex_ = 1;
    std::size_t liveManagers_ = 0;
};

}  // namespace morvish
