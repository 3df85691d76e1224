#pragma once
// The three loops every picture is made of, one row at a time: copy, copy without the colour key,
// fill. They run at the speed of memory: whole vector registers where the processor has them
// (SSE2 on every x86-64 processor, AVX2 where present, chosen once at start), a plain loop
// elsewhere. Rows must not overlap.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "Bitmap.h"

namespace morvish {

// to[i] = from[i] for the `count` pixels.
void CopyRow(std::uint32_t* to, const std::uint32_t* from, std::size_t count);

// to[i] = from[i] wherever from[i] is not `key`; pixels equal to the key leave `to` as it was.
void CopyRowKeyed(std::uint32_t* to, const std::uint32_t* from, std::size_t count,
                  std::uint32_t key);

// to[i] = from[i], or `fill` where from[i] is `key`: a keyed copy onto a plain background, in one
// pass.
void CopyRowKeyedOnto(std::uint32_t* to, const std::uint32_t* from, std::size_t count,
                      std::uint32_t key, std::uint32_t fill);

// to[i] = value for the `count` pixels.
void FillRow(std::uint32_t* to, std::size_t count, std::uint32_t value);
// FillRow for `height` rows, `stride` pixels apart.
void FillRect(std::uint32_t* to, std::ptrdiff_t stride, std::size_t count, int height,
              std::uint32_t value);

// The runs of `picture` that are not `key`.
std::shared_ptr<const OpaqueRuns> FindOpaqueRuns(const Bitmap& picture, std::uint32_t key);

// CopyRowKeyed of `count` pixels from column `column` of row `row` of the picture the runs were
// found in (`from` is that row's first pixel), copying the runs without looking at the pixels.
void CopyRowKeyed(std::uint32_t* to, const std::uint32_t* from, const OpaqueRuns& runs, int row,
                  int column, std::size_t count);
// CopyRowKeyedOnto the same way.
void CopyRowKeyedOnto(std::uint32_t* to, const std::uint32_t* from, const OpaqueRuns& runs, int row,
                      int column, std::size_t count, std::uint32_t fill);
// CopyRow for `height` rows, `toStride` and `fromStride` pixels apart.
void CopyRect(std::uint32_t* to, std::ptrdiff_t toStride, const std::uint32_t* from,
              std::ptrdiff_t fromStride, std::size_t count, int height);
// CopyRowKeyed and CopyRowKeyedOnto by runs for `height` rows at once, from row `row` down: `from`
// is the first pixel of row `row` of the picture, and the rows lie `toStride` and `fromStride`
// pixels apart. With `fill`, key pixels take it (CopyRowKeyedOnto); without, they leave `to` as it
// was.
void CopyRectKeyed(std::uint32_t* to, std::ptrdiff_t toStride, const std::uint32_t* from,
                   std::ptrdiff_t fromStride, const OpaqueRuns& runs, int row, int column,
                   std::size_t count, int height, std::optional<std::uint32_t> fill);

}  // namespace morvish
