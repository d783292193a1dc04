#include "ColourRuns.h"

#include "color/RtfWriter.h"

#include <cctype>
#include <cstring>

namespace ColourRuns {

bool ParseBody(const std::string& body, std::vector<unsigned char>& colours)
{
    colours.clear();
    colours.reserve(body.size());
    unsigned char colour = 0;
    size_t i = 0, n = body.size();
    while (i < n) {
        char c = body[i];
        if (c == '\r' || c == '\n') {  // RTF line breaks are not text
            ++i;
            continue;
        }
        if (c == '}' && body.find_first_not_of("\r\n", i + 1) == std::string::npos)
            break;  // the brace that closes the document's group
        if (c == '{' || c == '}')
            return false;  // groups are not part of a colourer's body
        if (c != '\\') {
            colours.push_back(colour);
            ++i;
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
        if (!std::isalpha(static_cast<unsigned char>(d)))
            return false;
        size_t w = i + 1;
        while (w < n && std::isalpha(static_cast<unsigned char>(body[w])))
            ++w;
        const char* word = body.data() + i + 1;
        size_t wordLen = w - i - 1;
        bool negative = w < n && body[w] == '-';
        if (negative)
            ++w;
        size_t digits = 0;
        long number = 0;
        while (w < n && std::isdigit(static_cast<unsigned char>(body[w]))) {
            if (number < 10000000)
                number = number * 10 + (body[w] - '0');
            ++w;
            ++digits;
        }
        if (w < n && body[w] == ' ')
            ++w;  // the delimiter belongs to the control word
        auto is = [&](const char* name) { return wordLen == std::strlen(name) && std::memcmp(word, name, wordLen) == 0; };
        if (is("cf")) {
            if (digits == 0 || negative || number > 255)
                return false;
            colour = static_cast<unsigned char>(number);
        } else if (is("par") || is("tab")) {
            colours.push_back(colour);
        } else if (is("u")) {
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
    size_t suffix = 0;
    while (suffix < shortest - prefix && oldText[oldN - 1 - suffix] == newText[newN - 1 - suffix])
        ++suffix;

    // Text changed in [prefix, newN - suffix) of the new text; around it the
    // editor still shows the old colours.
    size_t first = prefix;
    for (size_t i = 0; i < prefix; ++i)
        if (oldColours[i] != newColours[i]) {
            first = i;
            break;
        }
    size_t last = newN - suffix;  // one past
    for (size_t j = newN; j > newN - suffix; --j)
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
