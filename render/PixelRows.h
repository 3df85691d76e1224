#pragma once
// The three loops every picture is made of, one row at a time: copy, copy without the colour key,
// fill. They run at the speed of memory: whole vector registers where the processor has them
// (SSE2 on every x86-64 processor, AVX2 where present, chosen once at start), a plain loop
// elsewhere. Rows must not overlap.

#include <cstddef>
#include <cstdint>

namespace morvish {

// to[i] = from[i] for the `count` pixels.
void CopyRow(std::uint32_t* to, const std::uint32_t* from, std::size_t count);

// to[i] = from[i] wherever from[i] is not `key`; pixels equal to the key leave `to` as it was.
void CopyRowKeyed(std::uint32_t* to, const std::uint32_t* from, std::size_t count,
                  std::uint32_t key);

// to[i] = value for the `count` pixels.
void FillRow(std::uint32_t* to, std::size_t count, std::uint32_t value);

}  // namespace morvish
