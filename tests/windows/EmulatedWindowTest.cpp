// What every emulated window shares, checked on all eleven at once with a complete demo skin: a
// release or a double click changes nothing, and initialising a window again starts it afresh.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "DemoSkins.h"
#include "render/BmpDecoder.h"
#include "render/FileLookup.h"
#include "render/PictureCache.h"
#include "render/PreviewPane.h"
#include "render/clsEmuAll.h"
#include "render/clsSkinMng.h"
#include "support/FixtureSkin.h"
#include "support/WindowProbe.h"
#include "windows/WindowSlots.h"

namespace morvish {
namespace {

using test::DifferingRect;
using test::PictureOf;
using test::ReturnsNothing;

class EveryWindow : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        graphic_ = new test::FixtureGraphic;
        skins_ = new test::FixtureSkin;
        ASSERT_TRUE(skingen::WriteSamplePictures(graphic_->Dir()));
        ASSERT_TRUE(skingen::WriteCompleteSkin(skins_->Dir(), Demo()));
    }
    static void TearDownTestSuite() {
        delete skins_;
        delete graphic_;
    }

    static const skingen::DemoSkin& Demo() { return skingen::CompleteSkins().front(); }
    static std::filesystem::path SkinDir() {
        return WithTrailingSeparator(skins_->Dir() / Demo().theme->name);
    }

    // A window of the slot (2 to 12), initialised with the demo skin and drawn once.
    std::unique_ptr<clsTessarymInterface> Window(const WindowSlot& slot) {
        std::unique_ptr<clsTessarymInterface> window = slot.create();
        window->ClassInitialize(pane, SkinDir(), ColorChip{});
        EXPECT_TRUE(PictureOf(window->Refresh())) << slot.kind;
        return window;
    }

    static inline test::FixtureGraphic* graphic_ = nullptr;
    static inline test::FixtureSkin* skins_ = nullptr;
    MemoryPreviewPane pane{1000, 800, RGB(0x40, 0x50, 0x60)};
};

// Every point of a grid over the window and a little beyond it, with every button mask.
template <class Visit>
void ForEveryPressAt(const RECT& size, int step, Visit visit) {
    for (int y = -1; y <= size.Bottom + 1; y += step) {
        for (int x = -1; x <= size.Right + 1; x += step) {
            for (int mask : {0, 1, 2, 3, 4}) visit(mask, x, y);
        }
    }
}

TEST_F(EveryWindow, ReleaseAndDoubleClickChangeNothing) {
    for (const WindowSlot& slot : kWindowSlots) {
        if (slot.number == 1) continue;
        SCOPED_TRACE(slot.kind);
        auto window = Window(slot);
        const RECT size = window->getDrawRect();
        SurfacePtr before = PictureOf(window->Refresh());
        ForEveryPressAt(size, 7, [&](int mask, int x, int y) {
            EXPECT_TRUE(ReturnsNothing(window->MouseUp(mask, x, y)))
                << mask << " " << x << "," << y;
            EXPECT_TRUE(ReturnsNothing(window->MouseDblClick(mask, x, y)));
        });
        EXPECT_EQ(window->getDrawRect(), size);
        SurfacePtr after = PictureOf(window->Refresh());
        ASSERT_TRUE(before && after);
        EXPECT_EQ(DifferingRect(*before, *after), std::nullopt);
    }
}

TEST_F(EveryWindow, InitialisingAgainStartsAfresh) {
    for (const WindowSlot& slot : kWindowSlots) {
        if (slot.number == 1) continue;
        SCOPED_TRACE(slot.kind);
        // Presses all over the window change what they can: pages, folding, selection, locks.
        auto window = Window(slot);
        ForEveryPressAt(window->getDrawRect(), 13, [&](int mask, int x, int y) {
            if (mask == 1 || mask == 2) (void)window->MouseDown(mask, x, y);
        });
        window->ClassInitialize(pane, SkinDir(), ColorChip{});
        auto fresh = Window(slot);
        EXPECT_EQ(window->getDrawRect(), fresh->getDrawRect());
        SurfacePtr again = PictureOf(window->Refresh());
        SurfacePtr first = PictureOf(fresh->Refresh());
        ASSERT_TRUE(again && first);
        EXPECT_EQ(DifferingRect(*again, *first), std::nullopt);
    }
}

TEST_F(EveryWindow, InitialisingAgainForgetsWhereTheButtonsWere) {
    // The windows that fold, with a point on their minimise button.
    const struct {
        const char* kind;
        int x, y;
    } folding[] = {{"basic", 270, 5}, {"status", 255, 5}, {"option", 255, 5},
                   {"item", 255, 5},  {"equip", 255, 5},  {"skill", 255, 5}};
    const std::filesystem::path minimise =
        SkinDir() / skingen::DiskName(Demo(), "basic_interface\\sys_mini_off.bmp");
    for (const auto& [kind, x, y] : folding) {
        SCOPED_TRACE(kind);
        auto window = Window(kWindowSlots[std::size_t(*SlotByKind(kind) - 1)]);
        // Without its picture the button keeps the place where it was last drawn, until the
        // window is initialised again; then it was never drawn.
        const std::filesystem::path aside = minimise.string() + ".aside";
        std::filesystem::rename(minimise, aside);
        const RECT open = window->getDrawRect();
        ASSERT_TRUE(PictureOf(window->MouseDown(1, x, y)));
        EXPECT_NE(window->getDrawRect(), open);
        ASSERT_TRUE(PictureOf(window->MouseDown(1, x, y)));
        window->ClassInitialize(pane, SkinDir(), ColorChip{});
        ASSERT_TRUE(PictureOf(window->Refresh()));
        (void)window->MouseDown(1, x, y);
        EXPECT_EQ(window->getDrawRect(), open);
        std::filesystem::rename(aside, minimise);
    }
}

// The all-windows view has each window draw straight into its place: every place must hold
// exactly the window's own picture (the message box's top 120 rows), in every state, and the rest
// the pane's colour.
TEST_F(EveryWindow, TheAllWindowsViewHoldsEachWindowsOwnPicture) {
    clsSkinMng manager(kWindowSlots);
    manager.ClassInitialize(pane, SkinDir());
    auto& view = static_cast<clsEmuAll&>(*manager.Window(1));
    // Once as they start, once with the basic window minimised and the skill list scrolled.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        if (round == 1) {
            ASSERT_TRUE(manager.Window(2)->MouseDown(MouseButton::kLeft, 255, 6));
            ASSERT_TRUE(manager.Window(10)->MouseDown(MouseButton::kLeft, 270, 100));
        }
        SurfacePtr all = PictureOf(view.Refresh());
        ASSERT_TRUE(all);
        std::vector<bool> placed(std::size_t(all->Width() * all->Height()), false);
        for (int slot = 2; slot <= 12; ++slot) {
            SurfacePtr own = PictureOf(manager.Window(slot)->Refresh());
            ASSERT_TRUE(own);
            const RECT& at = view.Place(slot);
            const int rows = slot == 3 ? std::min(own->Height(), 120) : own->Height();
            for (int y = 0; y < rows && at.Top + y < all->Height(); ++y) {
                for (int x = 0; x < own->Width() && at.Left + x < all->Width(); ++x) {
                    ASSERT_EQ(all->Pixel(at.Left + x, at.Top + y), own->Pixel(x, y))
                        << "slot " << slot << " at " << x << "," << y;
                    placed[std::size_t((at.Top + y) * all->Width() + at.Left + x)] = true;
                }
            }
        }
        for (int y = 0; y < all->Height(); ++y) {
            for (int x = 0; x < all->Width(); ++x) {
                if (!placed[std::size_t(y * all->Width() + x)]) {
                    ASSERT_EQ(all->Pixel(x, y), 0x405060u) << x << "," << y;
                }
            }
        }
    }
}

// While a test runs, the picture cache trusts files however recently written: the tests' skins
// are written just before they are drawn, and a window keeps its pixels only while its pictures
// are the cache's own. Every change the tests make gives the file a new identity.
struct TrustNewFiles {
    TrustNewFiles() { gPictureCache.SetTolerance(std::chrono::nanoseconds(0)); }
    ~TrustNewFiles() { gPictureCache.SetTolerance(std::chrono::seconds(3)); }
};

// The all-windows view keeps the pixels of a window that asks to draw just what it drew last
// time. After every kind of change, its picture must equal that of a view that draws every window
// every time.
TEST_F(EveryWindow, TheAllWindowsViewKeepsOnlyWhatIsUnchanged) {
    TrustNewFiles trust;
    test::FixtureSkin own;
    ASSERT_TRUE(skingen::WriteCompleteSkin(own.Dir(), Demo()));
    const std::filesystem::path dir = WithTrailingSeparator(own.Dir() / Demo().theme->name);
    const auto onDisk = [&](const std::string& relative) {
        return dir / skingen::DiskName(Demo(), relative);
    };
    MemoryPreviewPane backPane{1000, 800, RGB(0x40, 0x50, 0x60)};
    clsSkinMng kept(kWindowSlots), drawn(kWindowSlots);
    kept.ClassInitialize(backPane, dir);
    drawn.ClassInitialize(backPane, dir);
    static_cast<clsEmuAll&>(*drawn.Window(1)).KeepUnchangedWindows(false);
    const auto both = [&](auto change) {
        change(kept);
        change(drawn);
    };
    // Every other picture is held on to, as a desktop program holds what it shows, so that the
    // view draws into both of its frames.
    SurfacePtr shown;
    bool hold = false;
    const auto expectSame = [&](const char* step) {
        SCOPED_TRACE(step);
        SurfacePtr a = PictureOf(kept.Window(1)->Refresh());
        SurfacePtr b = PictureOf(drawn.Window(1)->Refresh());
        ASSERT_TRUE(a && b);
        EXPECT_EQ(DifferingRect(*a, *b), std::nullopt) << "differs from a view drawn anew";
        shown = hold ? std::move(a) : nullptr;
        hold = !hold;
    };
    const auto saveOver = [&](const std::string& relative, std::uint32_t rgb) {
        const Result<Bitmap> old = LoadBmpFile(onDisk(relative));
        ASSERT_TRUE(old);
        const std::filesystem::path saving = dir / "saving.tmp";
        const std::vector<std::uint8_t> bytes =
            EncodeBmp24(test::SolidBitmap(old->width, old->height, rgb));
        std::ofstream(saving, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        std::filesystem::rename(saving, onDisk(relative));
    };

    expectSame("first");
    expectSame("nothing changed");
    saveOver("basic_interface\\titlebar_fix.bmp", 0x336699);
    expectSame("a piece saved over by a rename");
    const std::filesystem::path item = onDisk("basic_interface\\itemwin_mid.bmp");
    const std::filesystem::path aside = dir / "aside.bmp";
    std::filesystem::rename(item, aside);
    expectSame("a piece removed");
    std::filesystem::rename(aside, item);
    expectSame("the piece back");
    both([](clsSkinMng& m) {
        ASSERT_TRUE(m.Window(4)->MouseDown(MouseButton::kLeft, 255, 6));
        ASSERT_EQ(m.Window(4)->getDrawRect().Bottom, 17);
    });
    expectSame("the status window minimised");
    both([](clsSkinMng& m) { ASSERT_TRUE(m.Window(10)->MouseDown(MouseButton::kLeft, 270, 100)); });
    expectSame("the skill list scrolled");
    backPane.SetBackColor(RGB(0x10, 0x90, 0x20));
    expectSame("another background");
    saveOver("colorchip.bmp", 0x80FF40);
    both([](clsSkinMng& m) { m.ReloadColorChip(); });
    expectSame("another colour chip");
    both([](clsSkinMng& m) { ASSERT_TRUE(m.Window(4)->MouseDown(MouseButton::kLeft, 255, 6)); });
    expectSame("the status window open again");
}

// The view hands out its kept picture without a copy; drawing the next one must not change a
// picture still held.
TEST_F(EveryWindow, APictureOfTheAllWindowsViewStaysAsItWasHandedOut) {
    TrustNewFiles trust;
    clsSkinMng manager(kWindowSlots);
    manager.ClassInitialize(pane, SkinDir());
    clsTessarymInterface& view = *manager.Window(1);
    SurfacePtr first = PictureOf(view.Refresh());
    ASSERT_TRUE(first);
    const Bitmap before = first->ToBitmap();
    pane.SetBackColor(RGB(0x10, 0x90, 0x20));
    SurfacePtr second = PictureOf(view.Refresh());
    ASSERT_TRUE(second);
    EXPECT_EQ(first->ToBitmap().pixels, before.pixels);
    EXPECT_NE(second->ToBitmap().pixels, before.pixels) << "the background changed";
    pane.SetBackColor(RGB(0x40, 0x50, 0x60));
    second.reset();
    SurfacePtr third = PictureOf(view.Refresh());
    ASSERT_TRUE(third);
    EXPECT_EQ(third->ToBitmap().pixels, before.pixels);
    EXPECT_EQ(first->ToBitmap().pixels, before.pixels);
    // With two pictures held, the next is drawn on a frame of its own, in whole.
    SurfacePtr fourth = PictureOf(view.Refresh());
    ASSERT_TRUE(fourth);
    EXPECT_EQ(fourth->ToBitmap().pixels, before.pixels);
    EXPECT_EQ(third->ToBitmap().pixels, before.pixels);
    EXPECT_EQ(first->ToBitmap().pixels, before.pixels);
}

}  // namespace
}  // namespace morvish
