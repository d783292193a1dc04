#include "PrintLooks.h"

#include "platform/Text.h"

#include <cctype>
#include <cstdlib>

namespace {

struct State {
    int colour = 0;   // index into the colour table; 0 the automatic colour
    bool bold = false;
    bool skip = false;  // a destination whose text is not the document's
    int unicodeSkip = 1;
};

bool IsSkippedDestination(const std::string& word)
{
    static const char* const words[] = {"fonttbl", "stylesheet", "info", "pict", "object", "header", "footer",
                                        "listtable", "listoverridetable", "generator", "xmlnstbl", "rsidtbl"};
    for (const char* w : words)
        if (word == w)
            return true;
    return false;
}

// Entry index of the colour table; the automatic colour (and any index the
// table lacks) prints black.
COLORREF Colour(const std::vector<COLORREF>& table, int index)
{
    return index > 0 && static_cast<size_t>(index) < table.size() ? table[static_cast<size_t>(index)] : RGB(0, 0, 0);
}

} // namespace

bool ReadPrintLooks(const std::string& rtf, std::wstring& text, std::vector<PrintLook>& looks)
{
    text.clear();
    looks.clear();
    if (rtf.compare(0, 5, "{\\rtf") != 0)
        return false;
    std::vector<COLORREF> table;
    std::vector<State> stack;
    State st;
    bool inColourTable = false;
    int red = 0, green = 0, blue = 0;
    std::string bytes;   // code-page characters waiting to be converted
    auto flush = [&] {
        if (bytes.empty())
            return;
        const std::wstring w = platform::FromCodePage(bytes);
        bytes.clear();
        const COLORREF c = Colour(table, st.colour);
        for (wchar_t ch : w) {
            text += ch;
            looks.push_back({c, st.bold});
        }
    };
    auto put = [&](wchar_t ch) {
        flush();
        const COLORREF c = Colour(table, st.colour);
        text += ch;
        looks.push_back({c, st.bold});
    };
    int pendingSkip = 0;   // fallback characters after "\uN" still to drop
    for (size_t i = 0; i < rtf.size();) {
        const char ch = rtf[i];
        if (ch == '{') {
            flush();
            stack.push_back(st);
            ++i;
            continue;
        }
        if (ch == '}') {
            flush();
            if (inColourTable && stack.size() >= 1)
                inColourTable = false;
            if (stack.empty())
                break;
            st = stack.back();
            stack.pop_back();
            ++i;
            // The document's group is closed: what follows (a terminator) is no text.
            if (stack.empty())
                break;
            continue;
        }
        if (ch == '\\') {
            if (i + 1 >= rtf.size())
                break;
            const char next = rtf[i + 1];
            if (!std::isalpha(static_cast<unsigned char>(next))) {
                i += 2;
                if (next == '\'' && i + 2 <= rtf.size()) {
                    const int v = static_cast<int>(std::strtol(rtf.substr(i, 2).c_str(), nullptr, 16));
                    i += 2;
                    if (pendingSkip > 0) {
                        --pendingSkip;
                    } else if (!st.skip) {
                        bytes += static_cast<char>(v);
                    }
                } else if (next == '*') {
                    st.skip = true;
                } else if ((next == '\\' || next == '{' || next == '}') && !st.skip) {
                    if (pendingSkip > 0)
                        --pendingSkip;
                    else
                        bytes += next;
                } else if (next == '~' && !st.skip) {
                    put(L'\xA0');
                }
                continue;
            }
            size_t j = i + 1;
            while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j])))
                ++j;
            const std::string word = rtf.substr(i + 1, j - i - 1);
            bool hasParam = false;
            long param = 0;
            size_t k = j;
            if (k < rtf.size() && (rtf[k] == '-' || std::isdigit(static_cast<unsigned char>(rtf[k])))) {
                size_t start = k++;
                while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k])))
                    ++k;
                param = std::strtol(rtf.substr(start, k - start).c_str(), nullptr, 10);
                hasParam = true;
            }
            if (k < rtf.size() && rtf[k] == ' ')
                ++k;
            i = k;
            if (word == "colortbl") {
                inColourTable = true;
                st.skip = true;
                red = green = blue = 0;
                continue;
            }
            if (inColourTable) {
                if (word == "red")
                    red = static_cast<int>(param);
                else if (word == "green")
                    green = static_cast<int>(param);
                else if (word == "blue")
                    blue = static_cast<int>(param);
                continue;
            }
            if (IsSkippedDestination(word)) {
                st.skip = true;
                continue;
            }
            if (st.skip)
                continue;
            flush();
            if (word == "par" || word == "line") {
                put(L'\r');
            } else if (word == "tab") {
                put(L'\t');
            } else if (word == "cf") {
                st.colour = static_cast<int>(param);
            } else if (word == "b") {
                st.bold = !hasParam || param != 0;
            } else if (word == "plain") {
                st.colour = 0;
                st.bold = false;
            } else if (word == "uc") {
                st.unicodeSkip = static_cast<int>(param);
            } else if (word == "u") {
                put(static_cast<wchar_t>(param < 0 ? param + 65536 : param));
                pendingSkip = st.unicodeSkip;
            }
            continue;
        }
        if (inColourTable) {
            // Each entry ends with ";"; an empty one is the automatic colour.
            if (ch == ';') {
                table.push_back(RGB(red, green, blue));
                red = green = blue = 0;
            }
            ++i;
            continue;
        }
        if (ch == '\r' || ch == '\n' || st.skip) {
            ++i;
            continue;
        }
        if (pendingSkip > 0) {
            --pendingSkip;
            ++i;
            continue;
        }
        bytes += ch;
        ++i;
    }
    flush();
    return true;
}
