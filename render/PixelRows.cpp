#include "PixelRows.h"

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
    CopyRowKeyedSse2(to + i, from + i, count - i, key);
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
    for (; i + 8 <= count; i += 8) _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + i), values);
    FillRowSse2(to + i, count - i, value);
}

const bool kHasAvx2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}();

#else

void FillRowPlain(std::uint32_t* to, std::size_t count, std::uint32_t value) {
    for (std::size_t i = 0; i < count; ++i) to[i] = value;
}

#endif

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

void FillRow(std::uint32_t* to, std::size_t count, std::uint32_t value) {
#if defined(MORVISH_PIXEL_ROWS_X86)
    if (kHasAvx2) return FillRowAvx2(to, count, value);
    return FillRowSse2(to, count, value);
#else
    return FillRowPlain(to, count, value);
#endif
}

}  // namespace morvish
