#pragma once
// The twelve window kinds of every skin: slot number, the renderer's name, the tree's label and
// the class that draws it. Everything that lists the kinds (the skin manager, the all-windows
// view, the renderer, the benchmark, the desktop programs and the tests) reads this table.

#include <optional>
#include <string_view>

#include "render/clsTessarymInterface.h"

namespace morvish {

extern const WindowSlotTable kWindowSlots;

// The slot of a window kind by its renderer name ("basic") or its number ("2"); nothing when it
// is neither.
std::optional<int> SlotByKind(std::string_view kind);

}  // namespace morvish
