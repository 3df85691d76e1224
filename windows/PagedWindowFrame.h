#pragma once
// The frame the status and the option window share: a one-piece title bar with the system,
// minimise and close buttons, and below it one of two pages chosen by tabs at the left edge.
// The minimise button shrinks the window to its 17-pixel title bar and restores it. Both windows
// number the frame's elements and hit rectangles alike: elements 0 to 3 are the bar and the
// buttons' normal looks, 4 to 6 the buttons' hover looks, 7 and 8 the two page backgrounds; hit
// rectangles 0 to 3 are where the bar and the buttons were drawn, 7 and 8 the two tabs.

#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "render/PreviewPane.h"
#include "render/SkinPainter.h"
#include "render/mdlMain.h"

namespace morvish {

struct PagedWindowFrame {
    static constexpr int kWidth = 280;
    static constexpr int kOpenHeight = 120;
    static constexpr int kBarHeight = 17;

    static constexpr int kTitleBar = 0;
    static constexpr int kMinimiseButton = 2;
    static constexpr int kCloseButton = 3;
    static constexpr int kHoverOffset = 3;
    static constexpr int kFirstPageBackground = 7;
    static constexpr int kFirstTab = 7;
    static constexpr RECT kTabOfPage0{5, 18, 18, 42};
    static constexpr RECT kTabOfPage1{5, 43, 18, 67};

    // Elements 0 to 6, the same in both windows.
    static constexpr std::array<ElementEntry, 7> kBarElements{{
        {"basic_interface\\titlebar_fix.bmp", 0, 0, "title bar (one piece)"},
        {"basic_interface\\sys_base_off.bmp", 3, 3, "system button, normal"},
        {"basic_interface\\sys_mini_off.bmp", 252, 3, "minimise button, normal"},
        {"basic_interface\\sys_close_off.bmp", 266, 3, "close button, normal"},
        {"basic_interface\\sys_base_on.bmp", 3, 3, "system button, hover"},
        {"basic_interface\\sys_mini_on.bmp", 252, 3, "minimise button, hover"},
        {"basic_interface\\sys_close_on.bmp", 266, 3, "close button, hover"},
    }};

    int page = 0;
    bool minimised = false;

    // A window's element table: the bar's seven elements, then the window's own from 7 on.
    static std::vector<Element> MakeTable(const std::filesystem::path& folder,
                                          std::span<const ElementEntry> own) {
        std::vector<Element> elements = MakeElements(folder, kBarElements);
        for (Element& element : MakeElements(folder, own)) elements.push_back(std::move(element));
        return elements;
    }

    bool ShowsPage0() const { return !minimised && page == 0; }
    RECT DrawRect() const { return RECT{0, 0, kWidth, minimised ? kBarHeight : kOpenHeight}; }

    // Fills the two fixed tab rectangles into the window's hit rectangle table.
    static void PlaceTabs(std::span<RECT> hit) {
        hit[kFirstTab] = kTabOfPage0;
        hit[kFirstTab + 1] = kTabOfPage1;
    }

    // A new picture of the frame: the bar and the three buttons, recording where they went, the
    // page background unless minimised, and the shadowed title.
    SkinPainter Paint(const PreviewPane& pane, std::span<const Element> elements,
                      std::span<RECT> hit, std::string_view title) const {
        SkinPainter p(kWidth, DrawRect().Bottom, pane.BackColor());
        for (int i = kTitleBar; i <= kCloseButton; ++i) Keep(hit[i], p.Piece(elements[i]));
        if (!minimised) p.Piece(elements[kFirstPageBackground + page]);
        p.Title(16, 3, title);
        return p;
    }

    // A press on the tab of the page not shown switches to it with any button; a left press on
    // the minimise button toggles the minimised state. The tabs answer even while minimised.
    // True when the state changed.
    bool Press(std::span<const RECT> hit, int Button, int X, int Y) {
        const int otherPage = 1 - page;
        if (mdlMain::IsPointInRect(hit[kFirstTab + otherPage], X, Y)) {
            page = otherPage;
            return true;
        }
        if (Button == 1 && mdlMain::IsPointInRect(hit[kMinimiseButton], X, Y)) {
            minimised = !minimised;
            return true;
        }
        return false;
    }

    // The hover looks of the system, minimise and close buttons, shown with or without a button
    // held.
    static std::array<HoverSpot, 3> ButtonHovers(std::span<const Element> elements,
                                                 std::span<const RECT> hit) {
        std::array<HoverSpot, 3> spots;
        for (int k = 1; k <= kCloseButton; ++k) {
            spots[std::size_t(k - 1)] = HoverSpot{hit[k], &elements[k + kHoverOffset]};
        }
        return spots;
    }
};

}  // namespace morvish
