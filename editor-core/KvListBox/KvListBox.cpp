#include "KvListBox/KvListBox.h"
#include "WindowOwner.h"

#include <commctrl.h>

#include "ModFormOps.h"
#include "forms/Runtime.h"
#include "forms/WindowClass.h"
#include "platform/Handles.h"

namespace {

const wchar_t kHostClass[] = L"KvListBox";
const UINT_PTR kListSubclassId = 1;

template <class Fn, class... Args>
void Raise(const Fn& fn, Args&... args)
{
    if (!fn)
        return;
    try {
        fn(args...);
    } catch (...) {
        // A handler's failure must not unwind through the window procedure.
    }
}

int MouseButtonOf(UINT msg)
{
    switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: return 1;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: return 2;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: return 4;
    default: return 0;
    }
}

int HeldButtons(WPARAM keys)
{
    return ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) | ((keys & MK_MBUTTON) ? 4 : 0);
}

} // namespace

KvListKindLook KvListKindToLook(long kind)
{
    KvListKindLook look;
    switch (kind) {
    case -3: look.hasMark = true; look.mark = 0x77BBFF; break;
    case -2: look.hasMark = true; look.mark = 0x8A8AFF; break;
    case -1: look.hasMark = true; look.mark = 0xF9C599; break;
    case 1: look.text = 0xB67463; break;
    case 2: look.text = 0x004080; break;
    case 3: look.text = 0xA80000; break;
    case 4: look.text = 0x6F1379; break;
    case 5: look.text = 0x007500; break;
    case 6: look.text = 0x0000E1; break;
    case 7: look.text = 0x0080FF; break;
    case 8: look.text = 0x82728D; break;
    default: break;
    }
    return look;
}

bool KvListIsHighlighted(bool listHasFocus, int itemID, int listIndex, UINT itemState)
{
    return (!listHasFocus && itemID == listIndex) || (itemState & ODS_FOCUS) != 0;
}

KvListRowLayout KvListLayoutRow(const RECT& item, bool hasMark)
{
    KvListRowLayout row;
    row.text = item;
    if (hasMark) {
        row.mark = RECT{item.left, item.top + 3, item.left + 6, item.bottom - 3};
        row.text.left += 10;
    } else {
        row.text.left += 2;
    }
    return row;
}

KvListBox::~KvListBox()
{
    if (hwnd && IsWindow(hwnd))
        DestroyWindow(hwnd);
}

bool KvListBox::Create(HWND parent, int x, int y, int cx, int cy, int id)
{
    if (hwnd)
        return false;
    // The settings library carries this control too: its class must belong to
    // the module whose code runs it.
    HINSTANCE inst = forms::ThisModule();
    if (!forms::RegisterWindowClass({kHostClass, HostProc}))
        return false;
    selBack_ = GetSysColor(COLOR_HIGHLIGHT);
    selText_ = GetSysColor(COLOR_HIGHLIGHTTEXT);
    HWND host = CreateWindowExW(0, kHostClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y, cx, cy, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, this);
    if (!host)
        return false;
    RECT rc;
    GetClientRect(host, &rc);
    lb_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_OWNERDRAWFIXED |
                              LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                          0, 0, rc.right, rc.bottom, host, nullptr, inst, nullptr);
    if (!lb_) {
        DestroyWindow(host);
        return false;
    }
    SetWindowSubclass(lb_, ListProc, kListSubclassId, reinterpret_cast<DWORD_PTR>(this));
    SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    return true;
}

void KvListBox::Move(int x, int y, int cx, int cy)
{
    if (hwnd)
        MoveWindow(hwnd, x, y, cx, cy, TRUE);
}

void KvListBox::SetFont(HFONT font)
{
    font_ = font;
    if (!lb_)
        return;
    SendMessageW(lb_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    FitItemHeight();
    InvalidateRect(lb_, nullptr, TRUE);
}

void KvListBox::FitItemHeight()
{
    // Fixed-height owner-drawn lists measure once at creation; a new font
    // needs its row height set again.
    HDC dc = GetDC(lb_);
    if (!dc)
        return;
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(lb_, dc);
    if (tm.tmHeight > 0)
        SendMessageW(lb_, LB_SETITEMHEIGHT, 0, MAKELPARAM(tm.tmHeight, 0));
}

void KvListBox::Refresh()
{
    if (lb_) {
        InvalidateRect(lb_, nullptr, TRUE);
        UpdateWindow(lb_);
    }
}

void KvListBox::Clear()
{
    if (lb_)
        SendMessageW(lb_, LB_RESETCONTENT, 0, 0);
}

void KvListBox::SelBackColor(COLORREF LSelCol)
{
    selBack_ = LSelCol;
}

void KvListBox::SelTextColor(COLORREF LSelCol)
{
    selText_ = LSelCol;
}

void KvListBox::SelNone()
{
    ListIndex(-1);
}

void KvListBox::Add(const std::wstring& sVal, long LColor)
{
    if (!lb_)
        return;
    LRESULT index = SendMessageW(lb_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sVal.c_str()));
    if (index >= 0)
        SendMessageW(lb_, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(LColor));
}

std::wstring KvListBox::GetItemMin(int iDex) const
{
    if (!lb_ || iDex < 0 || iDex >= Count())
        return L"";
    LRESULT len = SendMessageW(lb_, LB_GETTEXTLEN, static_cast<WPARAM>(iDex), 0);
    if (len <= 0)
        return L"";
    std::wstring text(static_cast<size_t>(len) + 1, L'\0');
    LRESULT got = SendMessageW(lb_, LB_GETTEXT, static_cast<WPARAM>(iDex), reinterpret_cast<LPARAM>(text.data()));
    if (got <= 0)
        return L"";
    text.resize(static_cast<size_t>(got));
    return text;
}

std::wstring KvListBox::GetItem(int& iDex) const
{
    std::wstring text = GetItemMin(iDex);
    if (text.empty()) {
        iDex = -1;
        return text;
    }
    // Item data is stored as the full LPARAM; the kind is its low 32 bits.
    long kind = static_cast<long>(SendMessageW(lb_, LB_GETITEMDATA, static_cast<WPARAM>(iDex), 0));
    iDex = kind < 0 ? 0 : kind;
    return text;
}

int KvListBox::Count() const
{
    if (!lb_)
        return 0;
    LRESULT n = SendMessageW(lb_, LB_GETCOUNT, 0, 0);
    return n < 0 ? 0 : static_cast<int>(n);
}

int KvListBox::ListIndex() const
{
    if (!lb_)
        return -1;
    return static_cast<int>(SendMessageW(lb_, LB_GETCURSEL, 0, 0));
}

void KvListBox::ListIndex(int index)
{
    int count = Count();
    if (count < 1 || index < -1 || index >= count)
        return;
    int before = ListIndex();
    SendMessageW(lb_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // A selection set by code is a click for the host, as when the user picks.
    if (ListIndex() != before)
        RaiseClick();
}

int KvListBox::TopIndex() const
{
    if (!lb_)
        return 0;
    return static_cast<int>(SendMessageW(lb_, LB_GETTOPINDEX, 0, 0));
}

void KvListBox::TopIndex(int index)
{
    int count = Count();
    if (count < 1 || index < 0 || index >= count)
        return;
    SendMessageW(lb_, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void KvListBox::FindAndSelect(UINT findMsg, const std::wstring& text)
{
    if (!lb_)
        return;
    LRESULT found = SendMessageW(lb_, findMsg, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (found == LB_ERR)
        return;
    ListIndex(static_cast<int>(found));
    TopIndex(static_cast<int>(found));
}

void KvListBox::SelWord(const std::wstring& sText)
{
    FindAndSelect(LB_FINDSTRING, sText);
}

void KvListBox::SelWordExact(const std::wstring& sText)
{
    FindAndSelect(LB_FINDSTRINGEXACT, sText);
}

void KvListBox::AddHScroll()
{
    if (lb_)
        ModFormOps::SetListHScroll(lb_);
}

void KvListBox::RaiseClick()
{
    int index = ListIndex();
    Raise(Click, index);
}

void KvListBox::DrawListItem(const DRAWITEMSTRUCT& dis)
{
    int item = static_cast<int>(dis.itemID);
    if (item < 0 || item > Count() - 1)
        return;
    KvListKindLook look = KvListKindToLook(static_cast<long>(dis.itemData));
    COLORREF back = RowBackColor;
    COLORREF text = look.text;
    bool mark = look.hasMark;
    if (KvListIsHighlighted(GetFocus() == lb_, item, ListIndex(), dis.itemState)) {
        back = selBack_;
        text = selText_;
        mark = false;
    }
    platform::GdiObject backBrush(CreateSolidBrush(back));
    FillRect(dis.hDC, &dis.rcItem, static_cast<HBRUSH>(backBrush.Get()));

    KvListRowLayout row = KvListLayoutRow(dis.rcItem, mark);
    if (mark) {
        platform::GdiObject markBrush(CreateSolidBrush(look.mark));
        FillRect(dis.hDC, &row.mark, static_cast<HBRUSH>(markBrush.Get()));
    }
    if (dis.itemState & ODS_FOCUS)
        DrawFocusRect(dis.hDC, &dis.rcItem);

    std::wstring caption = GetItemMin(item);
    HGDIOBJ oldFont = SelectObject(dis.hDC, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(dis.hDC, text);
    SetBkMode(dis.hDC, TRANSPARENT);
    DrawTextW(dis.hDC, caption.c_str(), static_cast<int>(caption.size()), &row.text, DT_NOPREFIX);
    SelectObject(dis.hDC, oldFont);
}

LRESULT CALLBACK KvListBox::HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = WindowOwner<KvListBox>(hwnd, msg, lp);
    if (!self)
        return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        self->hwnd = nullptr;
        self->lb_ = nullptr;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    return self->OnHostMessage(msg, wp, lp);
}

LRESULT KvListBox::OnHostMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (dis && lb_ && dis->hwndItem == lb_) {
            DrawListItem(*dis);
            return TRUE;
        }
        break;
    }
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lp) == lb_ && HIWORD(wp) == LBN_SELCHANGE) {
            RaiseClick();
            return 0;
        }
        break;
    case WM_SIZE:
        if (lb_)
            MoveWindow(lb_, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
        return 0;
    case WM_SETFOCUS:
        if (lb_)
            SetFocus(lb_);
        return 0;
    case WM_SETFONT:
        SetFont(reinterpret_cast<HFONT>(wp));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK KvListBox::ListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref)
{
    auto* self = reinterpret_cast<KvListBox*>(ref);
    switch (msg) {
    case WM_KEYUP: {
        // The list's own handling first: a handler may destroy the control.
        LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
        int key = static_cast<int>(wp);
        Raise(self->KeyUp, key);
        return r;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        // Handled first, so the host sees the new selection.
        LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
        int button = MouseButtonOf(msg);
        Raise(self->MouseDown, button);
        return r;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
        int button = MouseButtonOf(msg);
        Raise(self->MouseUp, button);
        return r;
    }
    case WM_MOUSEMOVE: {
        LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
        int buttons = HeldButtons(wp);
        Raise(self->MouseMove, buttons);
        return r;
    }
    case WM_KILLFOCUS:
    case WM_SETFOCUS: {
        // Highlighting follows the focus (see KvListIsHighlighted): every row
        // may change its look, not only the one with the focus rectangle.
        LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
        InvalidateRect(hwnd, nullptr, FALSE);
        return r;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, ListProc, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}
