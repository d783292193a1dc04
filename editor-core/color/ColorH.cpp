#include "color/ColorH.h"

#include "ClsColor.h"
#include "color/ColorCSSText.h"
#include "color/ColorJSText.h"
#include "color/ColorPHPText.h"
#include "color/ColorVBSText.h"
#include "color/RtfWriter.h"
#include "color/TextScan.h"

namespace color {

namespace {

enum BlockType { BlockNone = 0, BlockVBS = 1, BlockJS = 2, BlockCSS = 3, BlockPHP = 4 };

class HtmlScan {
public:
    HtmlScan(ClsColor& owner, const wchar_t* s, size_t n, RtfWriter& out)
        : owner_(owner), s_(s), n_(n), out_(out)
    {
    }

    void Run();

private:
    bool Comment(size_t& i);
    void Tag(size_t& i);
    bool Island(size_t& i, wchar_t mark);
    void BlockHandOff(size_t& i);
    bool TagHas(size_t from, size_t to, const wchar_t* upperWord) const;
    void RestPlain(size_t from);

    ClsColor& owner_;
    const wchar_t* s_;
    size_t n_;
    RtfWriter& out_;
    int block_ = BlockNone;
    bool done_ = false;
    MissMemo commentMiss_, serverMiss_, phpMiss_, scriptMiss_, styleMiss_;
};

// An unterminated construct at the end keeps its text, uncoloured.
void HtmlScan::RestPlain(size_t from)
{
    out_.Coloured("\\cf0 ", s_ + from, n_ - from);
    done_ = true;
}

bool HtmlScan::TagHas(size_t from, size_t to, const wchar_t* upperWord) const
{
    return FindNoCase(s_, from, to, upperWord) != npos;
}

// "<!--" at i: the comment up to "-->". The search starts at the "--" of
// the opener, so "<!-->" is a whole (empty) comment as browsers read it.
bool HtmlScan::Comment(size_t& i)
{
    size_t close = npos;
    if (!commentMiss_.KnownMiss(i + 2)) {
        size_t p = FindPair(s_, i + 2, n_, L'-', L'-');
        while (p != npos && !(p + 2 < n_ && s_[p + 2] == L'>'))
            p = FindPair(s_, p + 1, n_, L'-', L'-');
        close = commentMiss_.Note(i + 2, p);
    }
    if (close == npos) {
        RestPlain(i);
        return false;
    }
    out_.Coloured("\\cf3 ", s_ + i, close + 3 - i);
    i = close + 3;
    return true;
}

// "<%" or "<?" at i: the island up to "%>" or "?>" goes to its colourer.
bool HtmlScan::Island(size_t& i, wchar_t mark)
{
    MissMemo& miss = mark == L'%' ? serverMiss_ : phpMiss_;
    out_.Ctl(mark == L'%' ? "\\cf6 <%" : "\\cf6 <?");
    size_t close = miss.KnownMiss(i + 2) ? npos : miss.Note(i + 2, FindPair(s_, i + 2, n_, mark, L'>'));
    if (close == npos) {
        // No end: the rest is markup, still in the tag colour.
        i += 2;
        return false;
    }
    if (mark == L'%')
        ColorVBSText(owner_, s_, i + 2, close, out_);
    else
        ColorPHPText(owner_, s_, i + 2, close, out_);
    out_.Ctl(mark == L'%' ? "\\cf6 %>\\cf0 " : "\\cf6 ?>\\cf0 ");
    i = close + 2;
    return true;
}

// After the ">" of a SCRIPT or STYLE tag (i is the first character of the
// block): the block up to its closing tag goes to its colourer, and the scan
// goes on at the closing tag. A missing or tiny block stays markup.
void HtmlScan::BlockHandOff(size_t& i)
{
    int type = block_;
    block_ = BlockNone;
    if (type == BlockNone)
        return;
    MissMemo& miss = type == BlockCSS ? styleMiss_ : scriptMiss_;
    const wchar_t* closing = type == BlockCSS ? L"</STYLE" : L"</SCRIPT";
    size_t close = miss.KnownMiss(i) ? npos : miss.Note(i, FindNoCase(s_, i, n_, closing));
    if (close == npos || close - i <= 3)
        return;
    switch (type) {
    case BlockVBS:
        ColorVBSText(owner_, s_, i, close, out_);
        break;
    case BlockJS:
        ColorJSText(owner_, s_, i, close, out_);
        break;
    case BlockCSS:
        ColorCSSText(owner_, s_, i, close, out_);
        break;
    case BlockPHP:
        ColorPHPText(owner_, s_, i, close, out_);
        break;
    }
    i = close;
}

// An ordinary tag at i: the name up to the first "=" in the tag colour, then
// attribute values and further attribute names.
void HtmlScan::Tag(size_t& i)
{
    size_t k = i + 1;
    while (k < n_ && s_[k] != L'>' && s_[k] != L'=')
        ++k;
    if (k >= n_) {
        RestPlain(i);
        return;
    }
    out_.Coloured("\\cf6 ", s_ + i, k + 1 - i);
    if (s_[k] == L'>') {
        i = k + 1;
        BlockHandOff(i);
        return;
    }

    size_t seg = k + 1;
    bool valueDone = false;
    bool inQuotes = false;
    for (size_t j = seg; j < n_; ++j) {
        wchar_t c = s_[j];
        if (c == L' ') {
            if (inQuotes || j == seg)
                continue;
            out_.Ctl(valueDone ? "\\cf6 " : "\\cf5 ");
            out_.Text(s_ + seg, j + 1 - seg);
            valueDone = true;
            seg = j + 1;
        } else if (c == L'"') {
            inQuotes = !inQuotes;
        } else if (c == L'=') {
            if (valueDone) {
                out_.Ctl("\\cf6 ");
                out_.Text(s_ + seg, j + 1 - seg);
                seg = j + 1;
                valueDone = false;
            }
        } else if (c == L'<' && j + 1 < n_ && s_[j + 1] == L'%') {
            // A server block inside the tag; the rest of the tag is then text.
            out_.Text(s_ + seg, j - seg);
            i = j;
            Island(i, L'%');
            return;
        } else if (c == L'>') {
            out_.Ctl("\\cf5 ");
            if (s_[j - 1] == L'/') {
                out_.Text(s_ + seg, j - 1 - seg);
                out_.Ctl("\\cf6 \\b /\\b0 >\\cf0 ");
            } else {
                out_.Text(s_ + seg, j - seg);
                out_.Ctl("\\cf6 >\\cf0 ");
            }
            i = j + 1;
            BlockHandOff(i);
            return;
        }
    }
    RestPlain(seg);
}

void HtmlScan::Run()
{
    size_t i = 0;
    while (i < n_ && !done_) {
        if (s_[i] != L'<') {
            size_t lt = FindChar(s_, i, n_, L'<');
            size_t stop = lt == npos ? n_ : lt;
            out_.Text(s_ + i, stop - i);
            i = stop;
            continue;
        }
        wchar_t c2 = i + 1 < n_ ? s_[i + 1] : 0;
        wchar_t c3 = UpperAscii(i + 2 < n_ ? s_[i + 2] : 0);
        if (c2 == L'!' && i + 3 < n_ && s_[i + 2] == L'-' && s_[i + 3] == L'-') {
            Comment(i);
        } else if (c2 == L'%') {
            Island(i, L'%');
        } else if (c2 == L'?' && !owner_.NoPHPColor) {
            Island(i, L'?');
        } else if (UpperAscii(c2) == L'S' && c3 == L'C') {
            size_t gt = FindChar(s_, i, n_, L'>');
            if (gt == npos) {
                RestPlain(i);
                break;
            }
            if (TagHas(i, gt, L"VBSCRIPT"))
                block_ = BlockVBS;
            else if (TagHas(i, gt, L"JAVASCRIPT"))
                block_ = BlockJS;
            else if (TagHas(i, gt, L"PHP"))
                block_ = BlockPHP;
            Tag(i);
        } else if (UpperAscii(c2) == L'S' && c3 == L'T') {
            if (n_ - i > 10 && MatchNoCase(s_, i, n_, L"<STYLE"))
                block_ = BlockCSS;
            Tag(i);
        } else {
            Tag(i);
        }
    }
}

} // namespace

void ColorH(ClsColor& owner, const wchar_t* s, size_t n, RtfWriter& out)
{
    HtmlScan(owner, s, n, out).Run();
}

} // namespace color
