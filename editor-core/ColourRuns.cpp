#include "ColourRuns.h"

#include "color/RtfWriter.h"

#include <cstdlib>
#include <cstring>

namespace ColourRuns {

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool ParseBody(const std::string& body, std::wstring& text, std::vector<unsigned char>& colours)
{
    return ParseBody(body, 0, text, colours);
}

bool ParseBody(const std::string& rtf, size_t from, std::wstring& text, std::vector<unsigned char>& colours)
{
    colours.clear();
    text.clear();
    size_t room = rtf.size() - (from < rtf.size() ? from : rtf.size());
    colours.reserve(room);
    text.reserve(room);
    unsigned char colour = 0;
    unsigned char bold = 0;
    const char* body = rtf.data();
    size_t i = from, n = rtf.size();
    auto put = [&](wchar_t c) {
        text.push_back(c);
        colours.push_back(static_cast<unsigned char>(colour | bold));
    };
    while (i < n) {
        char c = body[i];
        if (c == '\r' || c == '\n') {  // RTF line breaks are not text
            ++i;
            continue;
        }
        if (c == '}' && rtf.find_first_not_of("\r\n", i + 1) == std::string::npos)
            break;  // the brace that closes the document's group
        if (c == '{' || c == '}')
            return false;  // groups are not part of a colourer's body
        if (c != '\\') {
            // A whole run of plain characters at once: a page is mostly text.
            size_t j = i + 1;
            while (j < n && body[j] != '\\' && body[j] != '{' && body[j] != '}' && body[j] != '\r' &&
                   body[j] != '\n')
                ++j;
            if (static_cast<unsigned char>(c) >= 128)
                return false;  // the colourers write 7-bit RTF only
            colours.insert(colours.end(), j - i, static_cast<unsigned char>(colour | bold));
            for (size_t k = i; k < j; ++k)
                text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(body[k])));
            i = j;
            continue;
        }
        if (i + 1 >= n)
            return false;
        char d = body[i + 1];
        if (d == '\\' || d == '{' || d == '}') {
            put(static_cast<wchar_t>(d));
            i += 2;
            continue;
        }
        if (d == '\'')
            return false;  // a code-page byte: the colourers write "\uN?" instead
        if (!IsLetter(d))
            return false;
        size_t w = i + 1;
        while (w < n && IsLetter(body[w]))
            ++w;
        const char* word = body + i + 1;
        size_t wordLen = w - i - 1;
        bool negative = w < n && body[w] == '-';
        if (negative)
            ++w;
        size_t digits = 0;
        long number = 0;
        while (w < n && IsDigit(body[w])) {
            if (number < 10000000)
                number = number * 10 + (body[w] - '0');
            ++w;
            ++digits;
        }
        if (w < n && body[w] == ' ')
            ++w;  // the delimiter belongs to the control word
        auto is = [&](const char* name, size_t len) { return wordLen == len && std::memcmp(word, name, len) == 0; };
        if (is("cf", 2)) {
            if (digits == 0 || negative || number >= kBold)
                return false;
            colour = static_cast<unsigned char>(number);
        } else if (is("b", 1)) {
            if (negative || (digits > 0 && number > 1))
                return false;
            bold = digits == 0 || number == 1 ? kBold : 0;
        } else if (is("par", 3)) {
            put(L'\r');
        } else if (is("tab", 3)) {
            put(L'\t');
        } else if (is("u", 1)) {
            if (digits == 0 || number > 65535)
                return false;
            long code = negative ? 65536 - number : number;
            put(static_cast<wchar_t>(code & 0xFFFF));
            // One fallback character follows (\uc1): a plain one or "\'hh".
            if (w < n && body[w] == '\\' && w + 1 < n && body[w + 1] == '\'')
                w += 4;
            else if (w < n)
                ++w;
        } else {
            return false;
        }
        i = w;
    }
    return true;
}

std::vector<unsigned long> FrameColours(const std::string& frame)
{
    std::vector<unsigned long> table;
    size_t at = frame.find("{\\colortbl");
    if (at == std::string::npos)
        return table;
    size_t end = frame.find('}', at);
    unsigned long rgb[3] = {0, 0, 0};
    const char* names[3] = {"\\red", "\\green", "\\blue"};
    for (size_t i = at + 10; i < end && i < frame.size(); ++i) {
        if (frame[i] == ';') {
            table.push_back(rgb[0] | (rgb[1] << 8) | (rgb[2] << 16));
            rgb[0] = rgb[1] = rgb[2] = 0;
            continue;
        }
        for (int k = 0; k < 3; ++k) {
            size_t len = std::strlen(names[k]);
            if (frame.compare(i, len, names[k]) == 0 && i + len < frame.size() && IsDigit(frame[i + len])) {
                rgb[k] = std::strtoul(frame.c_str() + i + len, nullptr, 10) & 255;
                break;
            }
        }
    }
    return table;
}

bool TextStretch(const std::wstring& shown, const std::wstring& coloured, long& start, long& end)
{
    if (shown.size() != coloured.size())
        return false;
    size_t n = shown.size();
    size_t first = 0;
    while (first < n && shown[first] == coloured[first])
        ++first;
    if (first == n)
        return false;
    size_t last = n;
    while (last > first && shown[last - 1] == coloured[last - 1])
        --last;
    start = static_cast<long>(first);
    end = static_cast<long>(last);
    return true;
}

bool ChangedStretch(const std::wstring& oldText, const std::vector<unsigned char>& oldColours,
                    const std::wstring& newText, const std::vector<unsigned char>& newColours,
                    long& start, long& end)
{
    size_t oldN = oldText.size(), newN = newText.size();
    if (oldColours.size() != oldN || newColours.size() != newN)
        return false;
    size_t shortest = oldN < newN ? oldN : newN;
    size_t prefix = 0;
    while (prefix < shortest && oldText[prefix] == newText[prefix])
        ++prefix;
    size_t first = prefix, last = prefix;
    if (prefix < oldN || prefix < newN) {
        // Where a repeated character or word was typed (Enter before an
        // empty line, a letter doubled) the text alone cannot tell which copy
        // is the new one, and the editor gives the typed one the colour of
        // the caret. So the stretch spans every place the smallest edit could
        // have been made.
        size_t suffix = 0;
        while (suffix < shortest && oldText[oldN - 1 - suffix] == newText[newN - 1 - suffix])
            ++suffix;
        size_t kept = prefix + suffix < shortest ? prefix + suffix : shortest;
        first = kept - suffix;
        last = newN - (kept - prefix);
    }

    // Outside [first, last) of the new text the editor still shows the old
    // colours, after the edit at their shifted place.
    for (size_t i = 0; i < first; ++i)
        if (oldColours[i] != newColours[i]) {
            first = i;
            break;
        }
    size_t changedTo = last;
    for (size_t j = newN; j > changedTo; --j)
        if (oldColours[j - 1 - newN + oldN] != newColours[j - 1]) {
            last = j;
            break;
        }
    if (first >= last)
        return false;
    start = static_cast<long>(first);
    end = static_cast<long>(last);
    return true;
}

std::string StretchBody(const std::wstring& text, const std::vector<unsigned char>& colours, long start,
                        long end)
{
    std::string out;
    out.reserve(static_cast<size_t>(end - start) * 2 + 16);
    unsigned char bold = 0;  // the frame's plain look
    long i = start;
    while (i < end) {
        unsigned char look = colours[i];
        long j = i + 1;
        while (j < end && colours[j] == look)
            ++j;
        out += "\\cf";
        out += std::to_string(look & ~kBold);
        out += ' ';
        if ((look & kBold) != bold) {
            bold = look & kBold;
            out += bold ? "\\b " : "\\b0 ";
        }
        color::AppendRtfText(out, text.data() + i, static_cast<size_t>(j - i));
        i = j;
    }
    return out;
}

} // namespace ColourRuns
