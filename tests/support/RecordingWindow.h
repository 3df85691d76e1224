#pragma once
// A stand-in window for the manager's and the all-windows view's tests.

#include <filesystem>
#include <optional>
#include <string>

#include "render/clsTessarymInterface.h"

namespace morvish::test {

// A window of a chosen size that paints itself in one colour and remembers what reached it.
class RecordingWindow : public clsTessarymInterface {
  public:
    RecordingWindow(int width, int height, std::uint32_t rgb = 0x3366CC)
        : width_(width), height_(height), rgb_(rgb) {}

    void ClassInitialize(const PreviewPane&, const std::filesystem::path& DirName,
                         const ColorChip&) override {
        dir = DirName;
    }
    SurfaceResult MouseDown(int Button, int X, int Y) override {
        return Record("down", Button, X, Y);
    }
    SurfaceResult MouseMove(int Button, int X, int Y) override {
        return Record("move", Button, X, Y);
    }
    SurfaceResult MouseUp(int Button, int X, int Y) override { return Record("up", Button, X, Y); }
    SurfaceResult MouseDblClick(int Button, int X, int Y) override {
        return Record("dblclick", Button, X, Y);
    }
    SurfaceResult Refresh() override {
        if (failing) return Failure("skin/basic_interface/broken.bmp: not a BMP file");
        auto surface = std::make_unique<DirectDrawSurface7>(width_, height_);
        surface->BltColorFill(RECT{}, ToColor(rgb_));
        if (lowerRgb)
            surface->BltColorFill(RECT{0, height_ / 2, width_, height_}, ToColor(*lowerRgb));
        return surface;
    }
    RECT getDrawRect() const override { return RECT{0, 0, width_, height_}; }

    void Resize(int width, int height) { width_ = width, height_ = height; }

    std::filesystem::path dir;
    std::string last;
    int button = -1, x = -1, y = -1;
    int calls = 0;
    bool answerWithPicture = true;
    bool failing = false;
    std::optional<std::uint32_t> lowerRgb;  // a second colour for the lower half

  private:
    SurfaceResult Record(const char* what, int Button, int X, int Y) {
        last = what, button = Button, x = X, y = Y;
        ++calls;
        if (!answerWithPicture) return nullptr;
        return Refresh();
    }

    int width_;
    int height_;
    std::uint32_t rgb_;
};

}  // namespace morvish::test
