#include "color/RtfWriter.h"

#include <emmintrin.h>

#include <cstring>

namespace color {

namespace {

// The longest escape one UTF-16 unit can need: "\u-32768?".
constexpr size_t kMaxEscape = 9;

// Writes the escape of one unit that is not a plain RTF character; returns its length.
size_t Escape(wchar_t c, char* d)
{
    switch (c) {
    case L'\\':
    case L'{':
    case L'}':
        d[0] = '\\';
        d[1] = static_cast<char>(c);
        return 2;
    case 9:
        std::memcpy(d, "\\tab ", 5);
        return 5;
    case 13:
        std::memcpy(d, "\r\n\\par ", 7);
        return 7;
    case 10:
        return 0;
    default: {
        // RTF reads the number as a signed 16-bit value; "?" is the one
        // fallback character a reader without \u support shows (\uc1).
        // Written by hand: the runtime's formatting took a tenth of the
        // time of a page with a few accented letters.
        int n = static_cast<int>(c);
        char* p = d;
        *p++ = '\\';
        *p++ = 'u';
        if (n > 32767) {
            n = 65536 - n;
            *p++ = '-';
        }
        char digits[5];
        int k = 0;
        do {
            digits[k++] = static_cast<char>('0' + n % 10);
            n /= 10;
        } while (n);
        while (k)
            *p++ = digits[--k];
        *p++ = '?';
        return static_cast<size_t>(p - d);
    }
    }
}

// Escapes text into d, which has room for kMaxEscape bytes per unit.
size_t EscapeInto(const wchar_t* text, size_t len, char* d)
{
    static_assert(sizeof(wchar_t) == 2, "UTF-16 text");
    char* start = d;
    // Eight units at a time while all of them are plain: 32 <= c <= 126
    // (c - 32 at most 94, unsigned) and none of "\", "{", "}".
    const __m128i k32 = _mm_set1_epi16(32), k94 = _mm_set1_epi16(94), zero = _mm_setzero_si128();
    const __m128i backslash = _mm_set1_epi16(L'\\'), open = _mm_set1_epi16(L'{'), close = _mm_set1_epi16(L'}');
    size_t i = 0;
    while (i + 8 <= len) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const __m128i inRange = _mm_cmpeq_epi16(_mm_subs_epu16(_mm_sub_epi16(v, k32), k94), zero);
        const __m128i special = _mm_or_si128(_mm_cmpeq_epi16(v, backslash),
                                             _mm_or_si128(_mm_cmpeq_epi16(v, open), _mm_cmpeq_epi16(v, close)));
        if (_mm_movemask_epi8(_mm_andnot_si128(special, inRange)) == 0xFFFF) {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(d), _mm_packus_epi16(v, v));
            d += 8;
            i += 8;
            continue;
        }
        for (size_t stop = i + 8; i < stop; ++i) {
            wchar_t c = text[i];
            if (PlainRtfChar(c))
                *d++ = static_cast<char>(c);
            else
                d += Escape(c, d);
        }
    }
    for (; i < len; ++i) {
        wchar_t c = text[i];
        if (PlainRtfChar(c))
            *d++ = static_cast<char>(c);
        else
            d += Escape(c, d);
    }
    return static_cast<size_t>(d - start);
}

} // namespace

void AppendRtfText(std::string& out, const wchar_t* text, size_t len)
{
    RtfWriter w(len);
    w.Text(text, len);
    out += w.Take();
}

RtfWriter::RtfWriter(size_t expectedInput) : buf_(own_)
{
    // Capacity for a body full of control words, so the buffer is not moved
    // while a page is written; memory is only touched as the size grows.
    buf_.reserve(expectedInput * 3 + 1024);
    base_ = cur_ = lim_ = &buf_[0];
}

RtfWriter::RtfWriter(std::string& target, size_t expectedInput) : buf_(target)
{
    // What the target already holds is room to write over.
    if (buf_.capacity() < expectedInput * 3 + 1024)
        buf_.reserve(expectedInput * 3 + 1024);
    base_ = cur_ = &buf_[0];
    lim_ = base_ + buf_.size();
}

void RtfWriter::Grow(size_t need)
{
    const size_t used = static_cast<size_t>(cur_ - base_);
    size_t size = buf_.size() + buf_.size() / 2;
    if (size < used + need + 65536)
        size = used + need + 65536;
    buf_.resize(size);
    base_ = &buf_[0];
    cur_ = base_ + used;
    lim_ = base_ + size;
}

void RtfWriter::LongText(const wchar_t* text, size_t len)
{
    // In blocks, so the room asked for stays small for long runs of text.
    constexpr size_t kBlock = 4096;
    while (len > 0) {
        size_t n = len < kBlock ? len : kBlock;
        cur_ += EscapeInto(text, n, Room(n * kMaxEscape));
        text += n;
        len -= n;
    }
}

void RtfWriter::Finish()
{
    buf_.resize(static_cast<size_t>(cur_ - base_));
    base_ = &buf_[0];
    cur_ = lim_ = base_ + buf_.size();
}

std::string RtfWriter::Take()
{
    Finish();
    std::string rtf = std::move(buf_);
    buf_.clear();
    base_ = cur_ = lim_ = &buf_[0];
    return rtf;
}

} // namespace color
