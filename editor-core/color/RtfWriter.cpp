#include "color/RtfWriter.h"

#include <cstdio>

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
        int n = static_cast<int>(c);
        if (n > 32767)
            n -= 65536;
        char tmp[16];
        int len = std::snprintf(tmp, sizeof tmp, "\\u%d?", n);
        std::memcpy(d, tmp, static_cast<size_t>(len));
        return static_cast<size_t>(len);
    }
    }
}

// Escapes text into d, which has room for kMaxEscape bytes per unit.
size_t EscapeInto(const wchar_t* text, size_t len, char* d)
{
    char* start = d;
    for (size_t i = 0; i < len; ++i) {
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
}

RtfWriter::RtfWriter(std::string& target, size_t expectedInput) : buf_(target)
{
    // What the target already holds is room to write over.
    if (buf_.capacity() < expectedInput * 3 + 1024)
        buf_.reserve(expectedInput * 3 + 1024);
}

void RtfWriter::Grow(size_t need)
{
    size_t size = buf_.size() + buf_.size() / 2;
    if (size < used_ + need + 65536)
        size = used_ + need + 65536;
    buf_.resize(size);
}

void RtfWriter::Text(const wchar_t* text, size_t len)
{
    // In blocks, so the room asked for stays small for long runs of text.
    constexpr size_t kBlock = 4096;
    while (len > 0) {
        size_t n = len < kBlock ? len : kBlock;
        used_ += EscapeInto(text, n, Room(n * kMaxEscape));
        text += n;
        len -= n;
    }
}

std::string RtfWriter::Take()
{
    Finish();
    used_ = 0;
    return std::move(buf_);
}

} // namespace color
