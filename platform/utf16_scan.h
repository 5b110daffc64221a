#pragma once
// Scans of UTF-16 text that a whole analysis (some nine million units, nearly all ASCII) goes
// through: eight units at a time with SSE2, which every x86-64 machine has; one at a time on
// others.

#include <bit>
#include <cstddef>
#include <string_view>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define ZEP_UTF16_SCAN_SSE2 1
#endif

namespace os {

// How many units from `at` on are ASCII (below U+0080).
inline size_t AsciiRunLength(std::u16string_view text, size_t at) {
    size_t end = at;
#ifdef ZEP_UTF16_SCAN_SSE2
    const __m128i aboveAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
    for (; end + 8 <= text.size(); end += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + end));
        const __m128i high = _mm_and_si128(units, aboveAscii);
        const auto ascii =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())));
        if (ascii != 0xFFFF) {
            return end + std::countr_one(ascii) / 2 - at;
        }
    }
#endif
    while (end < text.size() && text[end] < 0x80) {
        ++end;
    }
    return end - at;
}

// Writes the `count` ASCII units at `at` as bytes to `out`.
inline void NarrowAscii(std::u16string_view text, size_t at, size_t count, char* out) {
    size_t done = 0;
#ifdef ZEP_UTF16_SCAN_SSE2
    for (; done + 8 <= count; done += 8) {
        const __m128i units =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at + done));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + done), _mm_packus_epi16(units, units));
    }
#endif
    for (; done < count; ++done) {
        out[done] = static_cast<char>(text[at + done]);
    }
}

// The position of the first zero unit, or the text's size.
inline size_t FirstZeroUnit(std::u16string_view text) {
    size_t at = 0;
#ifdef ZEP_UTF16_SCAN_SSE2
    for (; at + 8 <= text.size(); at += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
        const auto zero =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(units, _mm_setzero_si128())));
        if (zero != 0) {
            return at + std::countr_zero(zero) / 2;
        }
    }
#endif
    while (at < text.size() && text[at] != 0) {
        ++at;
    }
    return at;
}

}  // namespace os
