#include "PanelRules.h"

#include <algorithm>

#include "platform/Text.h"

#include <windows.h>

namespace PanelRules {

std::wstring TagName(const std::wstring& selection)
{
    size_t p = selection.find(L'<');
    if (p == std::wstring::npos)
        return L"";
    // The first blank or ">" after the "<": a blank further on, in the text
    // after a short tag, is not part of the name.
    size_t e = selection.find_first_of(L" >", p + 1);
    if (e == std::wstring::npos)
        return L"";
    return selection.substr(p, e - p);
}

std::wstring StoredSpelling(const std::wstring& word, const std::wstring& stored)
{
    if (word.empty() || stored.size() < word.size())
        return L"";
    std::wstring head = stored.substr(0, word.size());
    if (!platform::SameText(head, word))
        return L"";
    return head;
}

std::wstring ClipTip(const std::wstring& clip)
{
    return clip.size() < 31 ? clip : clip.substr(0, 30);
}

Point MenuBesideCaret(long caretX, long caretY, long w, long h, long editorRight, long editorBottom)
{
    Point p;
    p.x = caretX + 100;
    if (editorRight < p.x + w)
        p.x -= w + 200;
    p.y = caretY + 100;
    if (editorBottom < p.y + h)
        p.y -= h + 200;
    return p;
}

Point OnScreen(Point p, long w, long h, long screenW, long screenH)
{
    p.x = std::max(0L, std::min(p.x, screenW - w));
    p.y = std::max(0L, std::min(p.y, screenH - h));
    return p;
}

} // namespace PanelRules
