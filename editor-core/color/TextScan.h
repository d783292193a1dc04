#pragma once
// Search helpers shared by the colourers and the other scanners of markup and
// script text. Each works on [from, end) of the prepared text and returns npos
// when nothing is found.
#include <emmintrin.h>

#include <cstddef>
#include <cwchar>
#include <string>

namespace color {

constexpr size_t npos = std::wstring::npos;

// A table of ASCII characters; characters above 127 are never members.
struct CharSet {
    bool in[128] = {};
    constexpr CharSet(const char* members, bool withControls)
    {
        for (const char* p = members; *p; ++p)
            in[static_cast<unsigned char>(*p)] = true;
        if (withControls) {
            // Code 1, TAB, VT and CR: the separators every colourer shares.
            in[1] = in[9] = in[11] = in[13] = true;
        }
    }
    bool operator()(wchar_t c) const { return c < 128 && in[c]; }
};

// First index in [from, end) of a or b. Eight characters at a time: the
// runtime's wmemchr goes one by one, and the colourers spend much of their
// time in these searches.
inline size_t FindEither(const wchar_t* s, size_t from, size_t end, wchar_t a, wchar_t b)
{
    static_assert(sizeof(wchar_t) == 2, "UTF-16 text");
    const __m128i va = _mm_set1_epi16(static_cast<short>(a)), vb = _mm_set1_epi16(static_cast<short>(b));
    size_t p = from;
    for (; p + 8 <= end; p += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + p));
        const int hit = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(v, va), _mm_cmpeq_epi16(v, vb)));
        if (hit)
            return p + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(hit))) / 2;
    }
    for (; p < end; ++p)
        if (s[p] == a || s[p] == b)
            return p;
    return npos;
}

inline size_t FindChar(const wchar_t* s, size_t from, size_t end, wchar_t c)
{
    return FindEither(s, from, end, c, c);
}

// First index in [from, end) whose character stops the run, or end when none
// does: the end of a word, or of a declaration.
template <class Stop>
inline size_t SkipUntil(const wchar_t* s, size_t from, size_t end, Stop stop)
{
    while (from < end && !stop(s[from]))
        ++from;
    return from;
}

// First index in [from, end) whose character is in the set, or end when
// none is: the end of a word. Letters, digits and "_", which no set of word
// ends holds, are passed eight at a time; the first other character is
// looked up. So a word costs no branch per character, and its end is found
// without the loop exit a scan unit by unit mispredicts at every word.
inline size_t SkipWord(const wchar_t* s, size_t from, size_t end, const CharSet& stop)
{
    const __m128i zero = _mm_setzero_si128(), under = _mm_set1_epi16(L'_');
    auto within = [zero](__m128i v, wchar_t lo, wchar_t hi) {
        const __m128i x = _mm_sub_epi16(v, _mm_set1_epi16(static_cast<short>(lo)));
        return _mm_cmpeq_epi16(_mm_subs_epu16(x, _mm_set1_epi16(static_cast<short>(hi - lo))), zero);
    };
    while (from + 8 <= end) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + from));
        const __m128i word = _mm_or_si128(_mm_or_si128(within(v, L'a', L'z'), within(v, L'A', L'Z')),
                                          _mm_or_si128(within(v, L'0', L'9'), _mm_cmpeq_epi16(v, under)));
        const unsigned other = ~static_cast<unsigned>(_mm_movemask_epi8(word)) & 0xFFFFu;
        if (!other) {
            from += 8;
            continue;
        }
        const size_t p = from + static_cast<size_t>(__builtin_ctz(other)) / 2;
        if (stop(s[p]))
            return p;
        from = p + 1;
    }
    while (from < end && !stop(s[from]))
        ++from;
    return from;
}

// First index of the two-character sequence a b.
inline size_t FindPair(const wchar_t* s, size_t from, size_t end, wchar_t a, wchar_t b)
{
    while (from + 1 < end) {
        size_t p = FindChar(s, from, end - 1, a);
        if (p == npos)
            return npos;
        if (s[p + 1] == b)
            return p;
        from = p + 1;
    }
    return npos;
}

inline wchar_t UpperAscii(wchar_t c)
{
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c;
}

// True when the text at `at` is `upperWord` in any case (ASCII letters).
inline bool MatchNoCase(const wchar_t* s, size_t at, size_t end, const wchar_t* upperWord)
{
    for (size_t k = 0; upperWord[k]; ++k) {
        if (at + k >= end || UpperAscii(s[at + k]) != upperWord[k])
            return false;
    }
    return true;
}

// First index of `upperWord` (upper-case ASCII) in any case.
inline size_t FindNoCase(const wchar_t* s, size_t from, size_t end, const wchar_t* upperWord)
{
    const wchar_t first = upperWord[0];
    for (size_t p = from; p < end; ++p) {
        if (UpperAscii(s[p]) == first && MatchNoCase(s, p, end, upperWord))
            return p;
    }
    return npos;
}

// Remembers that a search for one closing mark failed from some index, so
// later searches from further on fail at once instead of rescanning the rest
// of the text (many openers without a closer would otherwise be quadratic).
struct MissMemo {
    size_t failedFrom = npos;
    bool KnownMiss(size_t from) const { return failedFrom != npos && from >= failedFrom; }
    size_t Note(size_t from, size_t found)
    {
        if (found == npos && (failedFrom == npos || from < failedFrom))
            failedFrom = from;
        return found;
    }
};

// Remembers the last terminator search: every search that starts between its
// start and the terminator it found gives that same terminator.
struct TermMemo {
    size_t from = npos;
    size_t at = npos;   // npos: no terminator up to the end
    bool Covers(size_t start) const { return from != npos && start >= from && (at == npos || start <= at); }

    // First terminator in [start, end), or npos; end must stay the same from
    // call to call.
    template <class IsTerm>
    size_t Find(const wchar_t* s, size_t start, size_t end, IsTerm isTerm)
    {
        if (!Covers(start)) {
            size_t t = SkipUntil(s, start, end, isTerm);
            from = start;
            at = t < end ? t : npos;
        }
        return at;
    }
};

} // namespace color
