#include "HTMLCheck.h"

#include "TypingGlue.h"
#include "modVBSColor.h"
#include "platform/Text.h"

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

class Page {
public:
    Page(const std::wstring& text, EditorType edType)
        : text_(text), upper_(platform::Upper(text)), edType_(edType), search_(text) {}

    // what: upper case.
    long Find(const std::wstring& what, long from, long end = -1) const
    {
        return vbs::FindFolded(upper_, what, from, end, false);
    }
    long Line(long pos) const { return vbs::LineOf(text_, pos) + 1; }
    bool InVBScript(long pos) { return TypingGlue::BlockKind(search_, pos, edType_) != 0; }
    long Length() const { return static_cast<long>(text_.size()); }
    wchar_t At(long pos) const { return pos >= 0 && pos < Length() ? text_[pos] : 0; }
    const std::wstring& Text() const { return text_; }
    bool Asp() const { return edType_ == EditorType::ASP; }

private:
    const std::wstring& text_;
    const std::wstring upper_;
    EditorType edType_;
    TypingGlue::StringSearch search_;
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
        for (long h = page.Find(kOpeningProbes[k], 0); h >= 0; h = page.Find(kOpeningProbes[k], h + 3)) {
            // The closing tag must come before the next opening of its kind,
            // or anywhere up to the end of the text after the last one.
            long next = page.Find(kOpeningProbes[k], h + 3);
            if (next < 0)
                next = page.Length();
            if (page.Find(kClosingTags[k], h + 3, next) >= 0)
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
