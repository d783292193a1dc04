#include "VBSLineCheck.h"

#include "color/KeywordLists.h"
#include "platform/Text.h"

namespace vbs {

namespace {

const wchar_t kQuote = L'"';

// Characters that end a word in the line walk.
bool EndsWord(wchar_t c)
{
    switch (c) {
    case 1: case L'\t': case L'\r': case L' ': case L'"': case L'&': case L'\'': case L'(': case L')':
    case L'*': case L'+': case L',': case L'-': case L'.': case L'/': case L':': case L'<': case L'=':
    case L'>': case L'\\': case L'^':
        return true;
    default:
        return false;
    }
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The "+" or "-" at j follows the "E" of a number such as 1E-5 or 2.5E+3.
bool IsExponentSign(const std::wstring& scan, size_t j)
{
    if (j < 2 || scan[j - 1] != L'E')
        return false;
    size_t a = j - 1;
    bool digit = false;
    while (a > 0 && (IsDigit(scan[a - 1]) || scan[a - 1] == L'.')) {
        digit = digit || IsDigit(scan[a - 1]);
        --a;
    }
    return digit && (a == 0 || !platform::IsWordChar(scan[a - 1]));
}

} // namespace

LineResult CheckLine(const std::wstring& line, bool autoCorrect)
{
    LineResult r;
    // The corrected line is written once, front to back: every insertion and
    // removal lies after the ones before it.
    r.corrected.reserve(line.size() + 8);
    size_t copied = 0;  // characters of line already in r.corrected
    auto copyTo = [&](size_t at) {
        r.corrected.append(line, copied, at - copied);
        copied = at;
    };
    std::wstring scan = platform::Upper(line) + L" ";
    const size_t len = line.size();
    long quotes = 0, left = 0, right = 0;
    size_t ifPos = 0, thenPos = 0, endPos = 0;  // 1-based; 0 none
    wchar_t fault = 0;
    bool statementStart = true;

    // A missing neighbour before the line reads as a blank.
    auto before = [&](size_t j, size_t back) -> wchar_t { return j >= back ? scan[j - back] : L' '; };
    auto insertBlank = [&](size_t at) {
        copyTo(at);
        r.corrected += L' ';
    };
    auto spacing = [&](wchar_t c, size_t at) {
        if (autoCorrect)
            insertBlank(at);
        else
            fault = c;
    };

    for (size_t j = 0; j < len;) {
        wchar_t c = scan[j];
        wchar_t next = scan[j + 1];
        if (c == L'\t' || c == L'\r' || c == L' ' || c == L'.' || c == L':') {
            if (c == L':')
                statementStart = true;
            ++j;
            continue;
        }
        if (c == L'\'')
            break;  // a comment: the rest of the line is not checked
        bool wasStatementStart = statementStart;
        statementStart = false;
        switch (c) {
        case kQuote: {
            // A string runs to its closing quote; a doubled quote inside it
            // is one quote character.
            size_t q = j + 1;
            while (q < len && !(scan[q] == kQuote && !(q + 1 < len && scan[q + 1] == kQuote)))
                q += scan[q] == kQuote ? 2 : 1;
            if (q >= len) {
                ++quotes;
                j = len;
            } else {
                quotes += 2;
                j = q + 1;
            }
            continue;
        }
        case L'(':
            ++left;
            break;
        case L')':
            ++right;
            break;
        case L'*': case L'+': case L'-': case L'/': case L'\\': case L'^':
            if ((c == L'+' || c == L'-') && IsExponentSign(scan, j))
                break;  // part of the number
            if (before(j, 1) != L' ')
                spacing(c, j);
            if (next != L' ' && c != L'-')
                spacing(c, j + 1);
            break;
        case L',':
            if (before(j, 1) == L' ' && before(j, 2) != L',') {
                if (!autoCorrect) {
                    r.message = L"Spacing wrong at comma";
                    r.corrected = line;
                    return r;
                }
                if (j > 0) {  // before the first character there is no blank to remove
                    copyTo(j - 1);
                    copied = j;
                }
            }
            if (next != L' ') {
                if (!autoCorrect) {
                    r.message = L"Spacing wrong at comma";
                    r.corrected = line;
                    return r;
                }
                insertBlank(j + 1);
            }
            break;
        case L'<':
            if ((next != L' ' && next != L'=' && next != L'>') || before(j, 1) != L' ')
                fault = c;
            break;
        case L'>':
            if ((next != L' ' && next != L'=') || (before(j, 1) != L' ' && before(j, 1) != L'<'))
                fault = c;
            break;
        case L'=':
            if (before(j, 1) != L' ' && before(j, 1) != L'<' && before(j, 1) != L'>')
                spacing(c, j);
            if (next != L' ')
                spacing(c, j + 1);
            break;
        case L'&':
            if (before(j, 1) != L' ')
                spacing(c, j);
            if (next != L' ' && next != L'H')
                spacing(c, j + 1);
            break;
        default: {
            size_t w = j;
            while (w < len && !EndsWord(scan[w]))
                ++w;
            std::wstring word = scan.substr(j, w - j);
            if (word == L"REM" && wasStatementStart) {
                j = len;  // a REM comment, like the apostrophe
                continue;
            }
            if (word == L"IF" || word == L"ELSEIF")
                ifPos = j + 1;
            else if (word == L"THEN")
                thenPos = j + 1;
            else if (word == L"END")
                endPos = j + 1;
            // A character that ends a word but has no case of its own (code
            // 1) makes an empty word: the walk must still move on.
            j = w > j ? w : j + 1;
            continue;
        }
        }
        ++j;
    }

    copyTo(len);
    if (quotes % 2 != 0)
        r.message = L"Quote mark missing";
    else if (left > right)
        r.message = L"Right parenthesis missing";
    else if (right > left)
        r.message = L"Left parenthesis missing";
    else if (ifPos > 0 && thenPos < ifPos && (endPos == 0 || endPos > ifPos))
        r.message = L"If without Then";
    else if (fault == L'&')
        r.message = L"Spacing wrong at ampersand";
    else if (fault == L'<' || fault == L'>')
        r.message = L"Wrong syntax at < or >";
    else if (fault)
        r.message = std::wstring(L"Spacing wrong at \"") + fault + L"\"";
    return r;
}

bool JoinContinuedLine(const std::wstring& text, long pos)
{
    long ls = platform::LineStart(text, pos);
    if (ls > 0) {
        std::wstring prev = TrimLine(text, ls - 1);
        if (!prev.empty() && prev.back() == L'_')
            return true;
    }
    std::wstring own = TrimLine(text, pos);
    return !own.empty() && own.back() == L'_';
}

void NarrowToServerCode(const std::wstring& text, long& s, long& e)
{
    long open = FindFolded(text, L"<%", s, e, false);
    if (open >= 0)
        s = open + 2;
    long close = FindFolded(text, L"%>", s, e, false);
    if (close >= 0)
        e = close;
}

std::wstring PairMessage(const BlockCounts& counts, int k)
{
    // The openers that the whole-word search also finds inside their closer.
    bool doubled = k == 0 || k == 4 || k == 8 || k == 10 || k == 12;
    long opened = counts[k];
    long closed = doubled ? 2 * counts[k + 1] : counts[k + 1];
    if (opened == closed)
        return L"";
    std::wstring missing = opened > closed ? kBlockKeywords[k + 1] : kBlockKeywords[k];
    return L"Missing \"" + missing + L"\"";
}

RunResult RunWholeText(const std::wstring& text, const Options& options, const ObjectList& objects)
{
    RunResult run;
    // The corrected text is built once, line by line. A line of a "_"
    // continuation is never corrected, so the continuation test reads the
    // same in the text as it came and in the corrected text.
    std::wstring& out = run.text;
    out.reserve(text.size() + text.size() / 16);
    const long len = static_cast<long>(text.size());
    long lineNumber = 1;
    for (long s = 0; s <= len; s = platform::LineEnd(text, s) + 1, ++lineNumber) {
        long e = platform::LineEnd(text, s);
        bool skip = (!options.debugContinued && JoinContinuedLine(text, s)) || e <= s + 2;
        if (!skip) {
            std::wstring line = text.substr(s, e - s);
            LineResult r = CheckLine(line, options.autoCorrect);
            if (!r.message.empty()) {
                run.findings.push_back({lineNumber, r.message});
            } else if (options.autoCorrect && r.corrected != line) {
                run.edits.push_back({static_cast<long>(out.size()), e - s, r.corrected});
                out += r.corrected;
                if (e < len)
                    out += L'\r';
                continue;
            }
        }
        out.append(text, s, e - s + (e < len ? 1 : 0));
    }

    BlockCounts counts = CountBlockKeywords(out);
    for (int k = options.countIfThen ? 0 : 2; k < kBlockKeywordCount; k += 2) {
        std::wstring m = PairMessage(counts, k);
        if (!m.empty())
            run.findings.push_back({-1, m});
    }
    CheckObjectRequired(out, objects, options.wholeWord, run.findings, run.edits);
    return run;
}

} // namespace vbs
