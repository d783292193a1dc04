#include "HTMLCheck.h"

#include "TypingGlue.h"
#include "modVBSColor.h"
#include "platform/Text.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace html {

const wchar_t* const kOpeningProbes[20] = {
    L"<DIV", L"<DL", L"<OL", L"<UL", L"<TABLE", L"<FRAMESET", L"<H1", L"<H2", L"<SPAN", L"<PRE",
    L"<B>", L"<FONT", L"<I>", L"<U>", L"<A ", L"<CAPTION", L"<NOFRAMES", L"<OBJECT", L"<SCRIPT", L"<NOSCRIPT"};
const wchar_t* const kClosingTags[20] = {
    L"</DIV>", L"</DL>", L"</OL>", L"</UL>", L"</TABLE>", L"</FRAMESET>", L"</H1>", L"</H2>", L"</SPAN>", L"</PRE>",
    L"</B>", L"</FONT>", L"</I>", L"</U>", L"</A>", L"</CAPTION>", L"</NOFRAMES>", L"</OBJECT>", L"</SCRIPT>",
    L"</NOSCRIPT>"};

namespace {

using debugcheck::Finding;

// The searches of the VBScript-block test over the page's text. Each word
// it looks for is found once over the whole text and kept as a list of
// positions, so a test at any place costs a lookup, not a scan back to the
// start of the text.
class IndexedSearch : public TypingGlue::TextSearch {
public:
    IndexedSearch(const std::wstring& upperText, const vbs::LineIndex& lines) : upper_(upperText), lines_(lines) {}

    long Find(const std::wstring& what, long start, long end) override
    {
        const std::vector<long>& at = Positions(what);
        long n = static_cast<long>(what.size());
        Clamp(start, end);
        auto p = std::lower_bound(at.begin(), at.end(), start);
        return p != at.end() && *p + n <= end ? *p : -1;
    }
    long FindBack(const std::wstring& what, long start, long end) override
    {
        const std::vector<long>& at = Positions(what);
        long n = static_cast<long>(what.size());
        Clamp(start, end);
        auto p = std::upper_bound(at.begin(), at.end(), end - n);
        return p != at.begin() && *std::prev(p) >= start ? *std::prev(p) : -1;
    }
    long LineFromChar(long pos) override { return lines_.LineOf(pos); }

private:
    void Clamp(long& start, long& end) const
    {
        long len = static_cast<long>(upper_.size());
        if (end < 0 || end > len)
            end = len;
        if (start < 0)
            start = 0;
    }
    const std::vector<long>& Positions(const std::wstring& what)
    {
        std::wstring upperWhat = platform::Upper(what);
        auto known = positions_.find(upperWhat);
        if (known != positions_.end())
            return known->second;
        std::vector<long>& at = positions_[upperWhat];
        if (!upperWhat.empty())
            for (size_t p = upper_.find(upperWhat); p != std::wstring::npos; p = upper_.find(upperWhat, p + 1))
                at.push_back(static_cast<long>(p));
        return at;
    }

    const std::wstring& upper_;
    const vbs::LineIndex& lines_;
    std::map<std::wstring, std::vector<long>> positions_;
};

class Page {
public:
    Page(const std::wstring& text, EditorType edType)
        : text_(text), upper_(platform::Upper(text)), lines_(text), edType_(edType), search_(upper_, lines_) {}

    // what: upper case. Only [from, end) is searched.
    long Find(const std::wstring& what, long from, long end = -1) const
    {
        return vbs::FindFolded(upper_, what, from, end, false);
    }
    long Line(long pos) const { return lines_.LineOf(pos) + 1; }
    bool InVBScript(long pos) { return TypingGlue::BlockKind(search_, pos, edType_) != 0; }
    long Length() const { return static_cast<long>(text_.size()); }
    wchar_t At(long pos) const { return pos >= 0 && pos < Length() ? text_[pos] : 0; }
    const std::wstring& Text() const { return text_; }
    bool Asp() const { return edType_ == EditorType::ASP; }

private:
    const std::wstring& text_;
    const std::wstring upper_;
    const vbs::LineIndex lines_;
    EditorType edType_;
    IndexedSearch search_;
};

void CheckBrackets(Page& page, std::vector<Finding>& out)
{
    long last = page.Length() - 1;
    long pos = 0;
    // After the first round pos is a ">" already used; a ">" at the very
    // start of the text is one nothing has used yet.
    long skipUsed = 0;
    while (pos <= last) {
        long lt = page.Find(L"<", pos);
        if (lt < 0) {
            long gt = page.Find(L">", pos + skipUsed);
            if (gt >= 0)
                out.push_back({page.Line(gt), L"Missing left bracket"});
            return;
        }
        long gt = page.Find(L">", lt);
        if (gt < 0) {
            out.push_back({page.Line(lt), L"Missing right bracket"});
            return;
        }
        long lt2 = page.Find(L"<", lt + 1);
        if (lt2 < 0) {
            long stray = page.Find(L">", gt + 1);
            if (stray >= 0)
                out.push_back({page.Line(stray), L"Missing left bracket"});
            return;
        }
        if (lt2 < gt) {
            if (!page.InVBScript(lt2))
                out.push_back({page.Line(lt), L"Missing right bracket"});
        } else {
            long gt2 = page.Find(L">", gt + 1);
            if (gt2 < 0) {
                out.push_back({page.Line(lt2), L"Missing right bracket"});
                return;
            }
            if (gt2 < lt2 && !page.InVBScript(gt2))
                out.push_back({page.Line(gt2), L"Missing left bracket"});
        }
        pos = gt;
        skipUsed = 1;
    }
}

void WalkTags(Page& page, std::vector<Finding>& out)
{
    long last = page.Length() - 1;
    long pos = 0;
    do {
        long lt = page.Find(L"<", pos);
        while (page.Asp() && lt >= 0 && page.At(lt + 1) == L'%')
            lt = page.Find(L"<", lt + 1);  // opens a server block
        if (lt < 0)
            return;
        long gt = page.Find(L">", lt);
        while (page.Asp() && gt >= 0 && page.At(gt - 1) == L'%')
            gt = page.Find(L">", gt + 1);  // closes a server block
        if (gt < 0)
            return;
        std::wstring message = CheckTagFormat(page.Text().substr(lt + 1, gt - lt - 1));
        if (!message.empty())
            out.push_back({page.Line(lt), message});
        pos = gt;
    } while (pos < last);
}

long CountHits(const Page& page, const std::wstring& what)
{
    long n = 0;
    for (long p = page.Find(what, 0); p >= 0; p = page.Find(what, p + 3))
        ++n;
    return n;
}

void CheckClosingTags(const Page& page, std::vector<Finding>& out)
{
    for (int k = 0; k < 20; ++k) {
        int counted = -1;  // the whole-text count, once needed: 1 balanced, 0 not
        long next = -1;
        for (long h = page.Find(kOpeningProbes[k], 0); h >= 0; h = next) {
            // The closing tag must come before the next opening of its kind,
            // or anywhere up to the end of the text after the last one.
            next = page.Find(kOpeningProbes[k], h + 3);
            if (page.Find(kClosingTags[k], h + 3, next < 0 ? page.Length() : next) >= 0)
                continue;
            if (k < kCountedProbes) {
                if (counted < 0)
                    counted = CountHits(page, kOpeningProbes[k]) == CountHits(page, kClosingTags[k]) ? 1 : 0;
                if (counted == 1)
                    continue;
            }
            out.push_back({page.Line(h), std::wstring(L"Missing ") + kClosingTags[k] + L" tag."});
        }
    }
}

} // namespace

std::wstring CheckTagFormat(const std::wstring& tagText)
{
    std::wstring tag = tagText;
    if (tag.size() < 3 || tag[0] == L'%' || tag[0] == L'!')
        return L"";
    if (tag.size() >= 5 && tag.compare(0, 4, L"META") == 0)
        return L"";
    if (tag.size() >= 2 && tag.compare(tag.size() - 2, 2, L" /") == 0)
        tag.erase(tag.size() - 2);
    if (!tag.empty() && tag.back() == L' ')
        return L"Space at end of tag.";
    size_t twin = tag.find(L"  ");
    if (twin != std::wstring::npos) {
        // Blanks inside a quoted attribute value are the value's own.
        size_t eq = tag.rfind(L'=', twin);
        bool quoted = false;
        if (eq != std::wstring::npos) {
            size_t open = tag.find(L'"', eq + 1);
            if (open != std::wstring::npos && open < twin) {
                size_t close = tag.find(L'"', open + 1);
                quoted = close == std::wstring::npos || close > twin;
            }
        }
        if (!quoted)
            return L"Extra space in tag.";
    }
    std::wstring t = tag + L" ";
    bool inQuote = false;
    long quotes = 0;
    size_t mark = 0;
    for (size_t i = 1; i < t.size(); ++i) {
        wchar_t c = t[i];
        if (c == L'"') {
            inQuote = !inQuote;
            ++quotes;
        } else if (inQuote) {
            continue;
        } else if (c == L'=') {
            if (t[i - 1] == L' ' || (i + 1 < t.size() && t[i + 1] == L' '))
                return L"Space at equal sign.";
            if (mark)
                return L"Space missing at end of attribute.";
            mark = i + 1;
        } else if (c == L' ') {
            mark = 0;
        } else if (c == L'>') {
            break;
        }
    }
    if (quotes % 2 != 0)
        return L"Quotation mark missing or extra.";
    return L"";
}

std::vector<Finding> RunHTMLCheck(const std::wstring& text, EditorType edType)
{
    std::vector<Finding> out;
    Page page(text, edType);
    CheckBrackets(page, out);
    WalkTags(page, out);
    CheckClosingTags(page, out);
    return out;
}

} // namespace html
