#include "clsEmuAll.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "DrawingLog.h"
#include "PictureCache.h"
#include "SkinReadLog.h"
#include "clsDirectDraw.h"

namespace morvish {

namespace {

// Slot numbers of the windows, as the manager holds them.
enum Slot {
    kBasic = 2,
    kMsgBox,
    kStatus,
    kOption,
    kItem,
    kEquip,
    kChat,
    kParty,
    kSkill,
    kTrade,
    kEtc
};

// The message box counts, and is shown, as only its top 120 rows.
constexpr int kMsgBoxRows = 120;
constexpr int kGap = 5;

void PlaceBelow(RECT& r, const RECT& q) {
    r.Top = q.Bottom + kGap;
    r.Bottom += r.Top;
}

void PlaceRightOf(RECT& r, const RECT& q) {
    r.Left = q.Right + kGap;
    r.Right += r.Left;
}

// Below q and in q's column.
void PlaceUnder(RECT& r, const RECT& q) {
    PlaceBelow(r, q);
    r.Left = q.Left;
    r.Right += r.Left;
}

// Paints every pixel of the surface that no rectangle (right and bottom exclusive) holds, band by
// band of rows that the same rectangles cross.
void FillOutside(DirectDrawSurface7& surface, std::span<const RECT> taken, Color color) {
    std::vector<int> edges{0, surface.Height()};
    for (const RECT& r : taken) {
        if (r.Width() <= 0 || r.Height() <= 0) continue;
        edges.push_back(std::clamp(r.Top, 0, surface.Height()));
        edges.push_back(std::clamp(r.Bottom, 0, surface.Height()));
    }
    std::ranges::sort(edges);
    std::vector<std::pair<int, int>> spans;
    for (std::size_t band = 0; band + 1 < edges.size(); ++band) {
        const int top = edges[band], bottom = edges[band + 1];
        if (top == bottom) continue;
        spans.clear();
        for (const RECT& r : taken) {
            if (r.Width() > 0 && r.Top <= top && r.Bottom >= bottom)
                spans.emplace_back(r.Left, r.Right);
        }
        std::ranges::sort(spans);
        int x = 0;
        for (const auto& [left, right] : spans) {
            if (left > x) surface.BltColorFill(RECT{x, top, left, bottom}, color);
            x = std::max(x, right);
        }
        if (x < surface.Width()) surface.BltColorFill(RECT{x, top, surface.Width(), bottom}, color);
    }
}

bool Overlap(std::span<const RECT> places) {
    for (std::size_t a = 0; a < places.size(); ++a) {
        if (places[a].Width() <= 0 || places[a].Height() <= 0) continue;
        for (std::size_t b = a + 1; b < places.size(); ++b) {
            const RECT& p = places[a];
            const RECT& q = places[b];
            if (q.Width() > 0 && q.Height() > 0 && p.Left < q.Right && q.Left < p.Right &&
                p.Top < q.Bottom && q.Top < p.Bottom) {
                return true;
            }
        }
    }
    return false;
}

// A frame of an all-windows view and what each window asked for the pixels it holds.
struct Frame {
    // Shared with the picture handed out; not drawn on while that is still held.
    std::shared_ptr<Bitmap> pixels;
    std::array<std::optional<DrawingLog>, 13> drawn;
    // What the frame holds outside the windows, once painted: the colour around these places.
    std::optional<std::pair<std::array<RECT, 13>, Color>> outside;

    bool Held() const { return pixels && pixels.use_count() > 1; }
};

// The frames of an all-windows view: two, so that the next picture can be drawn while the
// last one is still shown. Only the views drawn last keep theirs, so that a user who looks
// through many skins does not pile up frames.
struct Kept {
    std::uint64_t owner = 0;
    std::array<Frame, 2> frames;
    std::size_t last = 0;  // the frame of the picture handed out last
};

class KeptFrames {
  public:
    static constexpr std::size_t kMost = 2;

    // The view's kept picture, taken out while it is drawn; an empty one when it has none.
    Kept Take(std::uint64_t owner) {
        std::lock_guard lock(mutex_);
        auto found = std::ranges::find(kept_, owner, &Kept::owner);
        if (found == kept_.end()) return Kept{owner, {}, 0};
        Kept taken = std::move(*found);
        kept_.erase(found);
        return taken;
    }

    void PutBack(Kept kept) {
        std::lock_guard lock(mutex_);
        kept_.push_back(std::move(kept));
        if (kept_.size() > kMost) kept_.erase(kept_.begin());
    }

    void Drop(std::uint64_t owner) {
        std::lock_guard lock(mutex_);
        std::erase_if(kept_, [owner](const Kept& kept) { return kept.owner == owner; });
    }

  private:
    std::mutex mutex_;
    std::vector<Kept> kept_;  // the most recently drawn last
};

// Never destroyed: a view that outlives the other statics still lets go of its frame.
KeptFrames& Frames() {
    static KeptFrames* frames = new KeptFrames;
    return *frames;
}

std::uint64_t NewViewId() {
    static std::atomic<std::uint64_t> next{1};
    return next++;
}

}  // namespace

clsEmuAll::clsEmuAll() : id_(NewViewId()) {}

clsEmuAll::~clsEmuAll() {
    Frames().Drop(id_);
}

void clsEmuAll::ClassInitialize(const PreviewPane& ShowSkinPictureBox, const std::filesystem::path&,
                                const ColorChip&) {
    pane_ = &ShowSkinPictureBox;
}

void clsEmuAll::SetEmulateObject(const std::array<clsTessarymInterface*, 13>& EmulateObject) {
    for (int slot = kBasic; slot <= kEtc; ++slot) {
        windows_[slot] = EmulateObject[slot];
        layout_[slot] = windows_[slot] != nullptr ? windows_[slot]->getDrawRect() : RECT{};
    }
    RECT* r = layout_.data();
    r[kMsgBox].Bottom = kMsgBoxRows;
    PlaceBelow(r[kStatus], r[kBasic]);
    PlaceBelow(r[kEquip], r[kStatus]);
    PlaceBelow(r[kOption], r[kEquip]);
    PlaceBelow(r[kEtc], r[kOption]);
    PlaceRightOf(r[kItem], r[kBasic]);
    PlaceUnder(r[kTrade], r[kItem]);
    PlaceUnder(r[kChat], r[kTrade]);
    PlaceRightOf(r[kSkill], r[kItem]);
    PlaceUnder(r[kMsgBox], r[kSkill]);
    // The party window stands right of the miscellaneous canvas, bottom edges level.
    r[kParty].Top = r[kEtc].Bottom - r[kParty].Bottom;
    r[kParty].Bottom += r[kParty].Top;
    PlaceRightOf(r[kParty], r[kEtc]);
}

SurfaceResult clsEmuAll::MouseDown(int, int, int) {
    return nullptr;
}
SurfaceResult clsEmuAll::MouseMove(int, int, int) {
    return nullptr;
}
SurfaceResult clsEmuAll::MouseUp(int, int, int) {
    return nullptr;
}
SurfaceResult clsEmuAll::MouseDblClick(int, int, int) {
    return nullptr;
}

SurfaceResult clsEmuAll::Refresh() {
    // One redraw of eleven windows: a file they share is looked at once.
    PictureCache::Redraw redraw;
    const Color back = pane_->BackColor();
    std::array<RECT, 13> places{};
    for (int slot = kBasic; slot <= kEtc; ++slot) {
        if (windows_[slot] == nullptr) continue;
        const RECT size = windows_[slot]->getDrawRect();
        const RECT& at = layout_[slot];
        const int rows = slot == kMsgBox ? std::min(size.Bottom, kMsgBoxRows) : size.Bottom;
        places[slot] = RECT{at.Left, at.Top, at.Left + size.Right, at.Top + rows};
    }
    // Kept pixels are sound only while every window has a place of its own and a file drawn
    // again is a new picture. A skin check listens to every file read and wants the drawing.
    if (!keepUnchanged_ || !gPictureCache.Enabled() || SkinReadListener() != nullptr ||
        Overlap(places)) {
        Frames().Drop(id_);
        return DrawAll(places, back);
    }

    Kept kept = Frames().Take(id_);
    // The frame drawn last when it is free, else the other; when both are held, a new one.
    if (kept.frames[kept.last].Held()) kept.last = 1 - kept.last;
    Frame& target = kept.frames[kept.last];
    if (!target.pixels || target.Held()) {
        target = Frame{};
        target.pixels = std::make_shared<Bitmap>(
            kWidth, kHeight, std::vector<std::uint32_t>(std::size_t(kWidth) * kHeight));
    }
    DirectDrawSurface7 frame(DirectDrawSurface7::View{}, *target.pixels);
    if (target.outside != std::pair{places, back}) {
        FillOutside(frame, places, back);
        target.outside = std::pair{places, back};
    }
    for (int slot = kBasic; slot <= kEtc; ++slot) {
        if (windows_[slot] == nullptr) continue;
        // Each window says what it would draw; only a window that would draw something else
        // than the frame holds is drawn.
        std::optional<DrawingLog>& before = target.drawn[std::size_t(slot)];
        DrawingLog asked;
        asked.Reserve(before ? before->Size() : 0);
        DirectDrawSurface7 recording(DirectDrawSurface7::Recording{}, kWidth, kHeight, asked);
        Result<void> done = windows_[slot]->RefreshOnto(recording, places[slot], std::nullopt);
        if (!done) return std::unexpected(done.error());
        if (before && before->DrawsTheSameAs(asked)) continue;
        asked.Replay(frame);
        asked.ForgetPictures();
        before = std::move(asked);
    }
    auto picture =
        std::make_unique<DirectDrawSurface7>(std::shared_ptr<const Bitmap>(target.pixels));
    Frames().PutBack(std::move(kept));
    return picture;
}

SurfaceResult clsEmuAll::DrawAll(const std::array<RECT, 13>& places, Color back) {
    SurfacePtr frame = gDirectDraw.CreateSurface(kWidth, kHeight);
    // Each window draws straight into its place and paints its own background there; the frame
    // is painted only where no window is.
    FillOutside(*frame, places, back);
    for (int slot = kBasic; slot <= kEtc; ++slot) {
        if (windows_[slot] == nullptr) continue;
        Result<void> done = windows_[slot]->RefreshOnto(*frame, places[slot], std::nullopt);
        if (!done) return std::unexpected(done.error());
    }
    return frame;
}

}  // namespace morvish
