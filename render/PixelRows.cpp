#include "PixelRows.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || (defined(__i386__) && defined(__SSE2__))
#define MORVISH_PIXEL_ROWS_X86 1
#include <immintrin.h>
#endif

namespace morvish {

namespace {

void CopyRowKeyedPlain(std::uint32_t* to, const std::uint32_t* from, std::size_t count,
                       std::uint32_t key) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t pixel = from[i];
        if (pixel != key) to[i] = pixel;
    }
}

#if defined(MORVISH_PIXEL_ROWS_X86)

// Four pixels at a time: where a source pixel is the key, the destination's own pixel is written
// back, so every store is whole.
void CopyRowKeyedSse2(std::uint32_t* to, const std::uint32_t* from, std::size_t count,
                      std::uint32_t key) {
    const __m128i keys = _mm_set1_epi32(int(key));
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        const __m128i isKey = _mm_cmpeq_epi32(source, keys);
        const int keyed = _mm_movemask_epi8(isKey);
        if (keyed == 0xFFFF) continue;
        __m128i* out = reinterpret_cast<__m128i*>(to + i);
        if (keyed == 0) {
            _mm_storeu_si128(out, source);
            continue;
        }
        const __m128i kept = _mm_and_si128(isKey, _mm_loadu_si128(out));
        _mm_storeu_si128(out, _mm_or_si128(kept, _mm_andnot_si128(isKey, source)));
    }
    CopyRowKeyedPlain(to + i, from + i, count - i, key);
}

__attribute__((target("avx2"))) void CopyRowKeyedAvx2(std::uint32_t* to, const std::uint32_t* from,
                                                      std::size_t count, std::uint32_t key) {
    const __m256i keys = _mm256_set1_epi32(int(key));
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i source = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + i));
        const __m256i isKey = _mm256_cmpeq_epi32(source, keys);
        const int keyed = _mm256_movemask_epi8(isKey);
        if (keyed == -1) continue;
        __m256i* out = reinterpret_cast<__m256i*>(to + i);
        if (keyed == 0) {
            _mm256_storeu_si256(out, source);
            continue;
        }
        _mm256_storeu_si256(out, _mm256_blendv_epi8(source, _mm256_loadu_si256(out), isKey));
    }
    if (i == count) return;
    // The last few pixels as the eight that end the row: those done already come out the same.
    if (count >= 8) return CopyRowKeyedAvx2(to + count - 8, from + count - 8, 8, key);
    CopyRowKeyedSse2(to + i, from + i, count - i, key);
}

void CopyRowKeyedOntoPlain(std::uint32_t* to, const std::uint32_t* from, std::size_t count,
                           std::uint32_t key, std::uint32_t fill) {
    for (std::size_t i = 0; i < count; ++i) to[i] = from[i] == key ? fill : from[i];
}

// Every store is whole and nothing below is read: key pixels become `fill`.
void CopyRowKeyedOntoSse2(std::uint32_t* to, const std::uint32_t* from, std::size_t count,
                          std::uint32_t key, std::uint32_t fill) {
    const __m128i keys = _mm_set1_epi32(int(key));
    const __m128i fills = _mm_set1_epi32(int(fill));
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        const __m128i isKey = _mm_cmpeq_epi32(source, keys);
        _mm_storeu_si128(
            reinterpret_cast<__m128i*>(to + i),
            _mm_or_si128(_mm_and_si128(isKey, fills), _mm_andnot_si128(isKey, source)));
    }
    CopyRowKeyedOntoPlain(to + i, from + i, count - i, key, fill);
}

__attribute__((target("avx2"))) void CopyRowKeyedOntoAvx2(std::uint32_t* to,
                                                          const std::uint32_t* from,
                                                          std::size_t count, std::uint32_t key,
                                                          std::uint32_t fill) {
    const __m256i keys = _mm256_set1_epi32(int(key));
    const __m256i fills = _mm256_set1_epi32(int(fill));
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i source = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + i));
        const __m256i isKey = _mm256_cmpeq_epi32(source, keys);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + i),
                            _mm256_blendv_epi8(source, fills, isKey));
    }
    if (i == count) return;
    if (count >= 8) return CopyRowKeyedOntoAvx2(to + count - 8, from + count - 8, 8, key, fill);
    CopyRowKeyedOntoSse2(to + i, from + i, count - i, key, fill);
}

// Eight pixels of a keyed copy, as CopyRowKeyedAvx2 does them.
__attribute__((target("avx2"), always_inline)) inline void KeyedEight(std::uint32_t* to,
                                                                      const std::uint32_t* from,
                                                                      __m256i keys) {
    const __m256i source = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
    const __m256i isKey = _mm256_cmpeq_epi32(source, keys);
    const int keyed = _mm256_movemask_epi8(isKey);
    if (keyed == -1) return;
    __m256i* out = reinterpret_cast<__m256i*>(to);
    if (keyed == 0) {
        _mm256_storeu_si256(out, source);
        return;
    }
    _mm256_storeu_si256(out, _mm256_blendv_epi8(source, _mm256_loadu_si256(out), isKey));
}

__attribute__((target("avx2"), always_inline)) inline void KeyedOntoEight(std::uint32_t* to,
                                                                          const std::uint32_t* from,
                                                                          __m256i keys,
                                                                          __m256i fills) {
    const __m256i source = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
    const __m256i isKey = _mm256_cmpeq_epi32(source, keys);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(to), _mm256_blendv_epi8(source, fills, isKey));
}

// Keyed copies of `height` rows of at least eight pixels, each row's last eight done as the
// eight that end it, with nothing called row by row.
__attribute__((target("avx2"))) void CopyRectKeyedAvx2(std::uint32_t* to, std::ptrdiff_t toStride,
                                                       const std::uint32_t* from,
                                                       std::ptrdiff_t fromStride, std::size_t count,
                                                       int height, std::uint32_t key,
                                                       std::optional<std::uint32_t> fill) {
    const __m256i keys = _mm256_set1_epi32(int(key));
    const __m256i fills = _mm256_set1_epi32(int(fill.value_or(0)));
    for (int r = 0; r < height; ++r, to += toStride, from += fromStride) {
        std::size_t i = 0;
        if (fill) {
            for (; i + 8 <= count; i += 8) KeyedOntoEight(to + i, from + i, keys, fills);
            if (i < count) KeyedOntoEight(to + count - 8, from + count - 8, keys, fills);
        } else {
            for (; i + 8 <= count; i += 8) KeyedEight(to + i, from + i, keys);
            if (i < count) KeyedEight(to + count - 8, from + count - 8, keys);
        }
    }
}

void FillRowSse2(std::uint32_t* to, std::size_t count, std::uint32_t value) {
    const __m128i values = _mm_set1_epi32(int(value));
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), values);
    for (; i < count; ++i) to[i] = value;
}

__attribute__((target("avx2"))) void FillRowAvx2(std::uint32_t* to, std::size_t count,
                                                 std::uint32_t value) {
    const __m256i values = _mm256_set1_epi32(int(value));
    std::size_t i = 0;
    // Four stores a turn: a fill is bound by stores, not by the loop around them.
    for (; i + 32 <= count; i += 32) {
        __m256i* out = reinterpret_cast<__m256i*>(to + i);
        _mm256_storeu_si256(out, values);
        _mm256_storeu_si256(out + 1, values);
        _mm256_storeu_si256(out + 2, values);
        _mm256_storeu_si256(out + 3, values);
    }
    for (; i + 8 <= count; i += 8) _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + i), values);
    if (i < count) {
        // The last few pixels as one store that ends at the row's end, over some already set.
        if (count >= 8) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + count - 8), values);
            return;
        }
        FillRowSse2(to + i, count - i, value);
    }
}

// FillRowAvx2 for `height` rows `stride` pixels apart, dispatched once for them all.
__attribute__((target("avx2"))) void FillRectAvx2(std::uint32_t* to, std::ptrdiff_t stride,
                                                  std::size_t count, int height,
                                                  std::uint32_t value) {
    for (int r = 0; r < height; ++r, to += stride) FillRowAvx2(to, count, value);
}

const bool kHasAvx2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}();

#else

void FillRowPlain(std::uint32_t* to, std::size_t count, std::uint32_t value) {
    for (std::size_t i = 0; i < count; ++i) to[i] = value;
}

void CopyRowKeyedOntoPlain(std::uint32_t* to, const std::uint32_t* from, std::size_t count,
                           std::uint32_t key, std::uint32_t fill) {
    for (std::size_t i = 0; i < count; ++i) to[i] = from[i] == key ? fill : from[i];
}

#endif

}  // namespace

namespace {

// Runs and gaps are mostly a few pixels long: up to four times this many are written in place
// rather than through a call.
constexpr std::size_t kShort = 8;

inline void CopyShort(std::uint32_t* to, const std::uint32_t* from, std::size_t count) {
    constexpr std::size_t kWord = sizeof(std::uint32_t);
    if (count > 4 * kShort) {
        std::memcpy(to, from, count * kWord);
    } else if (count > 2 * kShort) {
        std::memcpy(to, from, 2 * kShort * kWord);
        std::memcpy(to + count - 2 * kShort, from + count - 2 * kShort, 2 * kShort * kWord);
    } else if (count > kShort) {
        std::memcpy(to, from, kShort * kWord);
        std::memcpy(to + count - kShort, from + count - kShort, kShort * kWord);
    } else if (count >= 4) {
        // Two copies of four that overlap in the middle; copies of a known size are inlined.
        std::memcpy(to, from, 4 * kWord);
        std::memcpy(to + count - 4, from + count - 4, 4 * kWord);
    } else if (count >= 2) {
        std::memcpy(to, from, 2 * kWord);
        std::memcpy(to + count - 2, from + count - 2, 2 * kWord);
    } else if (count == 1) {
        *to = *from;
    }
}

inline void FillShort(std::uint32_t* to, std::size_t count, std::uint32_t value) {
    if (count > 4 * kShort) {
        FillRow(to, count, value);
        return;
    }
    const std::uint32_t four[4] = {value, value, value, value};
    constexpr std::size_t kWord = sizeof(std::uint32_t);
    if (count > kShort) {
        // Fours from each end until they meet.
        for (std::size_t i = 0; i + 4 < count; i += 4) std::memcpy(to + i, four, 4 * kWord);
        std::memcpy(to + count - 4, four, 4 * kWord);
    } else if (count >= 4) {
        std::memcpy(to, four, 4 * kWord);
        std::memcpy(to + count - 4, four, 4 * kWord);
    } else {
        for (std::size_t i = 0; i < count; ++i) to[i] = value;
    }
}

}  // namespace

void CopyRow(std::uint32_t* to, const std::uint32_t* from, std::size_t count) {
    if (count > 0) std::memcpy(to, from, count * sizeof(std::uint32_t));
}

void CopyRowKeyed(std::uint32_t* to, const std::uint32_t* from, std::size_t count,
                  std::uint32_t key) {
#if defined(MORVISH_PIXEL_ROWS_X86)
    if (kHasAvx2) return CopyRowKeyedAvx2(to, from, count, key);
    return CopyRowKeyedSse2(to, from, count, key);
#else
    return CopyRowKeyedPlain(to, from, count, key);
#endif
}

std::shared_ptr<const OpaqueRuns> FindOpaqueRuns(const Bitmap& picture, std::uint32_t key) {
    auto found = std::make_shared<OpaqueRuns>();
    found->key = key;
    found->first.reserve(std::size_t(picture.height) + 1);
    found->rows.assign(std::size_t(picture.height), OpaqueRuns::kByRuns);
    const std::size_t width = std::size_t(picture.width);
    // A run costs about as much as copying this many pixels one by one.
    constexpr std::size_t kPixelsPerRun = 16;
    for (std::size_t y = 0; y < std::size_t(picture.height); ++y) {
        found->first.push_back(std::uint32_t(found->runs.size()));
        const std::uint32_t* row = picture.pixels.data() + y * width;
        const std::size_t rowStart = found->runs.size();
        for (std::size_t x = 0; x < width;) {
            while (x < width && row[x] == key) ++x;
            if (x == width) break;
            const std::size_t begin = x;
            while (x < width && row[x] != key) ++x;
            found->runs.push_back(std::uint32_t(begin));
            found->runs.push_back(std::uint32_t(x));
        }
        if ((found->runs.size() - rowStart) / 2 * kPixelsPerRun > width) {
            found->runs.resize(rowStart);
            found->rows[y] = OpaqueRuns::kPixelByPixel;
        } else if (found->runs.size() - rowStart == 2 && found->runs[rowStart] == 0 &&
                   found->runs[rowStart + 1] == width) {
            found->rows[y] = OpaqueRuns::kWhole;
        }
    }
    found->first.push_back(std::uint32_t(found->runs.size()));
    found->runs.shrink_to_fit();
    found->allPixelByPixel = std::ranges::all_of(
        found->rows, [](std::uint8_t row) { return row == OpaqueRuns::kPixelByPixel; });
    return found;
}

void CopyRowKeyedOnto(std::uint32_t* to, const std::uint32_t* from, std::size_t count,
                      std::uint32_t key, std::uint32_t fill) {
#if defined(MORVISH_PIXEL_ROWS_X86)
    if (kHasAvx2) return CopyRowKeyedOntoAvx2(to, from, count, key, fill);
    return CopyRowKeyedOntoSse2(to, from, count, key, fill);
#else
    return CopyRowKeyedOntoPlain(to, from, count, key, fill);
#endif
}

namespace {

inline void RowKeyed(std::uint32_t* to, const std::uint32_t* from, const OpaqueRuns& runs,
                     std::size_t y, std::uint32_t left, std::uint32_t right) {
    if (runs.rows[y] == OpaqueRuns::kWhole) return CopyShort(to, from + left, right - left);
    if (runs.rows[y] == OpaqueRuns::kPixelByPixel)
        return CopyRowKeyed(to, from + left, right - left, runs.key);
    for (std::uint32_t k = runs.first[y]; k < runs.first[y + 1]; k += 2) {
        const std::uint32_t begin = std::max(runs.runs[k], left);
        const std::uint32_t end = std::min(runs.runs[k + 1], right);
        if (begin < end) CopyShort(to + (begin - left), from + begin, end - begin);
    }
}

inline void RowKeyedOnto(std::uint32_t* to, const std::uint32_t* from, const OpaqueRuns& runs,
                         std::size_t y, std::uint32_t left, std::uint32_t right,
                         std::uint32_t fill) {
    if (runs.rows[y] == OpaqueRuns::kWhole) return CopyShort(to, from + left, right - left);
    if (runs.rows[y] == OpaqueRuns::kPixelByPixel)
        return CopyRowKeyedOnto(to, from + left, right - left, runs.key, fill);
    std::uint32_t x = left;  // the first column not yet written
    for (std::uint32_t k = runs.first[y]; k < runs.first[y + 1] && x < right; k += 2) {
        const std::uint32_t begin = std::max(runs.runs[k], x);
        const std::uint32_t end = std::min(runs.runs[k + 1], right);
        if (begin >= end) continue;
        FillShort(to + (x - left), begin - x, fill);
        CopyShort(to + (begin - left), from + begin, end - begin);
        x = end;
    }
    FillShort(to + (x - left), right - x, fill);
}

}  // namespace

void CopyRowKeyed(std::uint32_t* to, const std::uint32_t* from, const OpaqueRuns& runs, int row,
                  int column, std::size_t count) {
    RowKeyed(to, from, runs, std::size_t(row), std::uint32_t(column),
             std::uint32_t(column) + std::uint32_t(count));
}

void CopyRowKeyedOnto(std::uint32_t* to, const std::uint32_t* from, const OpaqueRuns& runs, int row,
                      int column, std::size_t count, std::uint32_t fill) {
    RowKeyedOnto(to, from, runs, std::size_t(row), std::uint32_t(column),
                 std::uint32_t(column) + std::uint32_t(count), fill);
}

void CopyRect(std::uint32_t* to, std::ptrdiff_t toStride, const std::uint32_t* from,
              std::ptrdiff_t fromStride, std::size_t count, int height) {
    for (int r = 0; r < height; ++r, to += toStride, from += fromStride) CopyShort(to, from, count);
}

void CopyRectKeyed(std::uint32_t* to, std::ptrdiff_t toStride, const std::uint32_t* from,
                   std::ptrdiff_t fromStride, const OpaqueRuns& runs, int row, int column,
                   std::size_t count, int height, std::optional<std::uint32_t> fill) {
    const std::uint32_t left = std::uint32_t(column);
    const std::uint32_t right = left + std::uint32_t(count);
#if defined(MORVISH_PIXEL_ROWS_X86)
    // A narrow piece is compared pixel by pixel on every row: one loop does them all.
    if (kHasAvx2 && runs.allPixelByPixel && count >= 8) {
        return CopyRectKeyedAvx2(to, toStride, from + left, fromStride, count, height, runs.key,
                                 fill);
    }
#endif
    for (int r = 0; r < height; ++r, to += toStride, from += fromStride) {
        if (fill) {
            RowKeyedOnto(to, from, runs, std::size_t(row + r), left, right, *fill);
        } else {
            RowKeyed(to, from, runs, std::size_t(row + r), left, right);
        }
    }
}

void FillRect(std::uint32_t* to, std::ptrdiff_t stride, std::size_t count, int height,
              std::uint32_t value) {
#if defined(MORVISH_PIXEL_ROWS_X86)
    if (kHasAvx2) return FillRectAvx2(to, stride, count, height, value);
#endif
    for (int r = 0; r < height; ++r, to += stride) FillRow(to, count, value);
}

void FillRow(std::uint32_t* to, std::size_t count, std::uint32_t value) {
#if defined(MORVISH_PIXEL_ROWS_X86)
    if (kHasAvx2) return FillRowAvx2(to, count, value);
    return FillRowSse2(to, count, value);
#else
    return FillRowPlain(to, count, value);
#endif
}

}  // namespace morvish
