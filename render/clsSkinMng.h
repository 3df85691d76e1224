#pragma once
// One skin: its twelve emulated windows, the slot shown last, and the preview they are shown in.
// Pictures are centred in the pane (or cut off at the right and bottom when larger), and mouse
// positions in the pane are turned into the shown window's own coordinates.
//
// The windows are made, and the colour chip read, when the skin is first used (shown, or a window
// asked for), not when the manager is made: a tree of many skins opens without reading them.

#include <array>
#include <filesystem>
#include <memory>

#include "DirectDrawSurface7.h"
#include "PreviewPane.h"
#include "Types.h"
#include "clsTessarymInterface.h"

namespace morvish {

class clsSkinMng {
  public:
    static constexpr int kSlots = kSlotCount;

    // A manager whose windows are made from `slots`.
    explicit clsSkinMng(const WindowSlotTable& slots);
    ~clsSkinMng();
    clsSkinMng(const clsSkinMng&) = delete;
    clsSkinMng& operator=(const clsSkinMng&) = delete;

    // Keeps the pane and the directory (given a trailing separator). At the first use the twelve
    // windows are created in slot order, the colour chip is read once and every window is
    // initialised with it.
    void ClassInitialize(PreviewPane& ShowSkinPictureBox, const std::filesystem::path& DirName);

    // Reads the colour chip again and hands it to every window made so far: its file changed.
    // An unreadable chip leaves the windows' copies as they are (the windows that read the chip
    // when they draw report it).
    void ReloadColorChip();

    // Shows the window of slot Mode (1 to 12); any other Mode is ignored.
    Result<void> Refresh(int Mode);

    // Mouse events at pane position (X, Y), passed to the window shown last. Ignored before the
    // first Refresh. A window that returns nothing leaves the pane as it is.
    Result<void> MouseDown(int Button, int X, int Y);
    Result<void> MouseMove(int Button, int X, int Y);
    Result<void> MouseUp(int Button, int X, int Y);
    Result<void> MouseDblClick(int Button, int X, int Y);

    // The skin directory, ending with a separator.
    const std::filesystem::path& DirName() const { return dirName_; }
    // The slot passed to the last Refresh; 0 before the first.
    int CurrentMode() const { return currentMode_; }
    // The window of a slot (1 to 12), or null.
    clsTessarymInterface* Window(int slot) const;
    // True once the windows have been made.
    bool HasWindows() const { return slots_[1] != nullptr; }
    // Puts another window into a slot (1 to 12); it is initialised like the others. For tests.
    void ReplaceWindow(int slot, std::unique_ptr<clsTessarymInterface> window);
    // The window picture presented last (before centring), or null.
    const DirectDrawSurface7* LastPicture() const { return lastPicture_.get(); }

  private:
    using Operation = SurfaceResult (clsTessarymInterface::*)(int, int, int);
    Result<void> Forward(Operation operation, int Button, int X, int Y);
    // Where a picture of the given size is placed in the drawing area, per axis.
    int Offset(int area, int size) const { return area >= size ? (area - size) / 2 : 0; }
    void PresentSurface(SurfacePtr surface);
    // Makes the windows at the first use.
    void MakeWindows() const;
    // Gives the all-windows view in slot 1 the other slots' windows (and their layout).
    void HandSlotsToAllWindowsView() const;
    // Pane position to window position for the window of the current mode.
    void ToSurfaceCoords(int& X, int& Y) const;
    int AreaWidth() const;
    int AreaHeight() const;

    const WindowSlotTable& slotTable_;
    std::filesystem::path dirName_;
    PreviewPane* pane_ = nullptr;
    // Made by the first use, which may be a const look at a window.
    mutable std::array<std::unique_ptr<clsTessarymInterface>, kSlots + 1> slots_;
    int currentMode_ = 0;
    SurfacePtr lastPicture_;
    // What the pane is given, drawn again in place at every presentation.
    Bitmap presented_;
    // Where the last picture lay in presented_ and on what colour: a picture of the same size in
    // the same place changes nothing around it.
    RECT presentedPlace_{};
    std::uint32_t presentedBack_ = 0;
};

}  // namespace morvish
