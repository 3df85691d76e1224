#pragma once
// The all-windows view: the eleven game windows of a skin side by side on one 850 × 676 picture,
// each in the state the user left it in. It holds the manager's own window objects (it does not
// own them) and places them once, from their initial sizes.

#include <array>
#include <cstdint>
#include <filesystem>

#include "PreviewPane.h"
#include "clsTessarymInterface.h"

namespace morvish {

class clsEmuAll : public clsTessarymInterface {
  public:
    static constexpr int kWidth = 850;
    static constexpr int kHeight = 676;

    clsEmuAll();
    ~clsEmuAll() override;
    clsEmuAll(const clsEmuAll&) = delete;
    clsEmuAll& operator=(const clsEmuAll&) = delete;

    void ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                         const std::filesystem::path& DirName, const ColorChip& ColorChip) override;
    // Takes the manager's slots 2 to 12 (index = slot) and lays them out from their current sizes.
    void SetEmulateObject(const std::array<clsTessarymInterface*, 13>& EmulateObject);

    SurfaceResult MouseDown(int Button, int X, int Y) override;
    SurfaceResult MouseMove(int Button, int X, int Y) override;
    SurfaceResult MouseUp(int Button, int X, int Y) override;
    SurfaceResult MouseDblClick(int Button, int X, int Y) override;
    SurfaceResult Refresh() override;
    RECT getDrawRect() const override { return RECT{0, 0, kWidth, kHeight}; }

    // Where slot 2 to 12 is placed (only Left and Top are used when drawing).
    const RECT& Place(int slot) const { return layout_[slot]; }

    // On (the default), a window asked to draw just what it drew for the last picture keeps the
    // pixels it has there instead of being drawn again; off, every window is drawn every time.
    void KeepUnchangedWindows(bool on) { keepUnchanged_ = on; }

  private:
    // Every window drawn straight into a new frame.
    SurfaceResult DrawAll(const std::array<RECT, 13>& places, Color back);

    const std::uint64_t id_;
    bool keepUnchanged_ = true;
    const PreviewPane* pane_ = nullptr;
    std::array<clsTessarymInterface*, 13> windows_{};
    std::array<RECT, 13> layout_{};
};

}  // namespace morvish
