#include "ColourRuns.h"

#include "color/RtfWriter.h"

#include <cstring>

namespace ColourRuns {

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool ParseBody(const std::string& body, std::vector<unsigned char>& colours) { return ParseBody(body, 0, colours); }

bool ParseBody(const std::string& rtf, size_t from, std::vector<unsigned char>& colours)
{
    colours.clear();
    colours.reserve(rtf.size() - (from < rtf.size() ? from : rtf.size()));
    unsigned char colour = 0;
    const char* body = rtf.data();
    size_t i = from, n = rtf.size();
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
            colours.insert(colours.end(), j - i, colour);
            i = j;
            continue;
        }
        if (i + 1 >= n)
            return false;
        char d = body[i + 1];
        if (d == '\\' || d == '{' || d == '}') {
            colours.push_back(colour);
            i += 2;
            continue;
        }
        if (d == '\'') {
            if (i + 3 >= n)
                return false;
            colours.push_back(colour);
            i += 4;
            continue;
        }
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
            if (digits == 0 || negative || number > 255)
                return false;
            colour = static_cast<unsigned char>(number);
        } else if (is("par", 3) || is("tab", 3)) {
            colours.push_back(colour);
        } else if (is("u", 1)) {
            if (digits == 0)
                return false;
            colours.push_back(colour);
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
    long i = start;
    while (i < end) {
        unsigned char colour = colours[i];
        long j = i + 1;
        while (j < end && colours[j] == colour)
            ++j;
        out += "\\cf";
        out += std::to_string(colour);
        out += ' ';
        color::AppendRtfText(out, text.data() + i, static_cast<size_t>(j - i));
        i = j;
    }
    return out;
}

} // namespace ColourRuns
