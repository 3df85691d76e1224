#pragma once
// What the main window's logic asks of a desktop program's window: the controls it lays out, the
// tree it fills, the preview pane the skin managers present into, and the modal dialogs. The Qt
// program and the Win32 program each implement it with their own controls and nothing else: every
// decision is the logic's (MainController).

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "Layout.h"
#include "Menus.h"
#include "Messages.h"
#include "Settings.h"
#include "SkinInstall.h"
#include "SkinTree.h"
#include "render/Bitmap.h"
#include "render/PreviewPane.h"
#include "render/Types.h"

namespace morvish {

// The window's state and its outer size in the normal (restored) state, in pixels.
struct WindowPlacement {
    WindowState state = WindowState::Normal;
    WindowSize restored;
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// Where a context menu opens: at the mouse pointer (a right click) or beside the selected node (a
// key).
enum class MenuPlace { AtPointer, AtSelectedNode };

class MainView {
  public:
    virtual ~MainView() = default;

    // ---- The window --------------------------------------------------------------------------
    // Shows the window (once, at start-up, after the surface layer is ready).
    virtual void ShowWindow() = 0;
    // Closes the window; the program saves its settings and ends.
    virtual void CloseWindow() = 0;
    // The client area's size in pixels.
    virtual WindowSize ClientSize() const = 0;
    // Puts the controls where the layout says.
    virtual void ApplyLayout(const ControlLayout& layout) = 0;
    virtual WindowPlacement Placement() const = 0;
    virtual void Place(const WindowPlacement& placement) = 0;
    // The outer size a window may have on the screen it is on.
    virtual WindowSize AvailableScreen() const = 0;

    // ---- The skin tree -------------------------------------------------------------------------
    // Adds a node as the last child of its parent (or the last root); parents come first.
    virtual void AddTreeNode(NodeId id, const SkinTree::Node& node) = 0;
    // Removes a node; its children have been removed before.
    virtual void RemoveTreeNode(NodeId id) = 0;
    virtual NodeId SelectedNode() const = 0;
    virtual void SelectTreeNode(NodeId id) = 0;
    virtual void SetTreeNodeText(NodeId id, const std::string& text) = 0;
    virtual void ExpandTreeNode(NodeId id) = 0;

    // ---- The preview pane ----------------------------------------------------------------------
    // The pane the skin managers present their pictures into.
    virtual PreviewPane& Pane() = 0;
    // Clears the pane and shows the picture in `file` (a bitmap or a common compressed format)
    // unscaled from the pane's top-left corner; an error naming the file when it cannot be read.
    virtual Result<void> ShowPictureFile(const std::filesystem::path& file) = 0;
    // Clears the pane to its background.
    virtual void ClearPreview() = 0;

    // ---- Messages ------------------------------------------------------------------------------
    // One line of status below the controls: a problem or what a command did; an empty text
    // clears it.
    virtual void ShowStatus(const std::string& text) = 0;
    // The lasting parts of the status line: what the preview shows and the game folder.
    virtual void ShowStatusFields(const std::string& shown, const std::string& gameFolder) = 0;
    // The interface's language changed: menus (their captions from the catalogue, the checked
    // language from MainController::IsChecked) and the toolkit's own texts follow.
    virtual void ApplyLanguage(Language language) = 0;
    virtual void ShowMessage(const Message& message) = 0;
    // A question with Yes and No; true unless the answer was No.
    virtual bool AskYesNo(const Message& message) = 0;
    // The folder dialog with `prompt` as its title, opening at `start`; the chosen folder as UTF-8
    // text, empty when cancelled.
    virtual std::string BrowseForFolder(std::string_view prompt,
                                        const std::filesystem::path& start) = 0;
    // Opens a context menu; a chosen entry reaches the logic as its command before this returns.
    virtual void OpenContextMenu(const MenuDefinition& menu, MenuPlace place) = 0;
    // Runs `work` on another thread and returns when it is done. Meanwhile the window repaints
    // but takes no input, and once the work takes longer than a moment a progress bar titled
    // `title` shows `progress` (Text::InstallProgressText) with a button
    // (Text::InstallCancelButton) that sets its `cancel`.
    virtual void RunWithProgress(const std::string& title, InstallProgress& progress,
                                 const std::function<void()>& work) = 0;

    // ---- Tools for skin artists ----------------------------------------------------------------
    // Each does nothing here, so that a program offers the tool once it implements it.
    // The save dialog titled `title`, for a PNG file, proposing `name`; the chosen path, empty
    // when cancelled.
    virtual std::filesystem::path AskSavePath(std::string_view title, const std::string& name) {
        (void)title;
        (void)name;
        return {};
    }
    // Puts the picture on the clipboard; false when it could not (the clipboard is held by
    // another program, or the program offers no copy).
    virtual bool CopyPicture(const Bitmap& picture) {
        (void)picture;
        return false;
    }
    // Shows a report of plain text lines, in a fixed-width face, in a window of its own titled
    // `title` (one such window; showing another report replaces its text).
    virtual void ShowReport(std::string_view title, const std::string& text) {
        (void)title;
        (void)text;
    }
    // Marks a tree node as having problems, or takes the mark off.
    virtual void MarkTreeNode(NodeId id, bool problem) {
        (void)id;
        (void)problem;
    }
};

}  // namespace morvish
