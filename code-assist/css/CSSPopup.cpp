#include "CSSPopup.h"

#include "CSSList.h"
#include "CSSRules.h"
#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "MainHost.h"
#include "PopupFace.h"
#include "autoinsert/PopupPlacement.h"
#include "platform/Module.h"

#include <algorithm>

namespace {

// Property name -> its values, read once per run.
ClsDic& CSSList()
{
    static ClsDic list;
    return list;
}

KvRTB* Editor() { return State().CurrentEditor; }

void Inform(const std::wstring& text)
{
    if (MainHost* host = Host())
        host->ShowInfo(text);
}

} // namespace

void LoadCSSList()
{
    EditorState& s = State();
    if (s.CSSListLoaded)
        return;
    const std::wstring path = platform::ProgramFolder() + L"\\Settings\\tarnelc.ini";
    switch (ReadCSSList(path, CSSList())) {
    case 0:
        s.CSSListLoaded = true;
        break;
    case -1:
        Inform(L"ERROR: tarnelc.ini file missing.");
        break;
    default:
        Inform(L"ERROR in tarnelc.ini file.");
        break;
    }
}

short ShowCSSPopup(const std::wstring& text, bool typed)
{
    // A typed "{" or ":" only forgets the stored placement; the buttons and
    // F11/F12 open the popup.
    if (typed)
        return 0;
    LoadCSSList();
    MainHost* host = Host();
    PopupFace* popups = host ? host->Popups() : nullptr;
    if (!popups)
        return 0;
    popups->HideList();
    std::vector<CSSItem> items;
    if (!CSSPopupItems(CSSList(), text, items))
        return 0;
    popups->ClearList();
    for (const CSSItem& item : items)
        popups->AddItem(item.text, item.code, item.text);
    long x = 0, y = 0;
    const bool caretKnown = popups->CaretTwips(x, y);
    short flag = 0;
    PopupPoint at = PopupPlacement::GetPopupPosition(popups->EditorRect(), popups->ListRect(), caretKnown, x, y, flag);
    popups->ShowList(at.X, at.Y, PopupMode::CSS);
    host->ClearStatus();
    return flag;
}

std::wstring GetCSSContext(long caret)
{
    KvRTB* editor = Editor();
    if (!editor)
        return L"";
    const long lineStart = editor->GetLineIndex(editor->GetLineFromChar(caret));
    return CSSContextOf(editor->GetTextRange(lineStart, caret), caret - lineStart);
}

std::wstring GetCSSRule(long caret, long& partialLength, long& valuePosition)
{
    partialLength = 0;
    valuePosition = 0;
    KvRTB* editor = Editor();
    if (!editor)
        return L"";
    // Only the rule's own text is read: from its "{", or from a page's style
    // attribute after it, to the caret.
    const long open = editor->FindBack(L"{", 0, caret, 0);
    const long from = std::max(open, editor->FindBack(L"style=", std::max(open, 0L), caret, 0));
    if (from < 0)
        return L"";
    CSSRuleKind kind = CSSRuleKind::Property;
    std::wstring partial = CSSRuleOf(editor->GetTextRange(from, caret), caret - from, partialLength, kind);
    valuePosition = static_cast<long>(kind);
    return partial;
}

CSSChoice ChooseCSSItem(const std::wstring& item, long caret)
{
    long length = 0, kind = 0;
    GetCSSRule(caret, length, kind);
    return ChooseCSSItem(CSSList(), item, caret, length, static_cast<CSSRuleKind>(kind));
}
