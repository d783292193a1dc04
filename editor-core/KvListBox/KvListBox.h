#pragma once
// KvListBox: a list box that draws its items itself. Each item's data is a
// small "kind" that picks a coloured mark at the left of the row or a coloured
// text. The control is a host window holding the list window LB; the host
// receives LB's WM_DRAWITEM and draws every row.
#include <windows.h>

#include <functional>
#include <string>

// How a row that is not highlighted draws for a given kind.
struct KvListKindLook {
    bool hasMark = false;
    COLORREF mark = 0;
    COLORREF text = 0;
};
KvListKindLook KvListKindToLook(long kind);

// The selected row stays highlighted while the list has no focus; with focus,
// the row with the focus rectangle is highlighted.
bool KvListIsHighlighted(bool listHasFocus, int itemID, int listIndex, UINT itemState);

// Row geometry: the mark strip (empty when the kind has none) and the text
// rectangle after the indent.
struct KvListRowLayout {
    RECT mark{};
    RECT text{};
};
KvListRowLayout KvListLayoutRow(const RECT& item, bool hasMark);

class KvListBox {
public:
    static constexpr COLORREF RowBackColor = RGB(255, 255, 255);

    KvListBox() = default;
    ~KvListBox();
    KvListBox(const KvListBox&) = delete;
    KvListBox& operator=(const KvListBox&) = delete;

    // Creates the control as a child of parent (pixels, parent's client area).
    bool Create(HWND parent, int x, int y, int cx, int cy, int id = 0);
    void Move(int x, int y, int cx, int cy);
    // The font of the rows; the caller keeps it alive while the list uses it.
    void SetFont(HFONT font);

    HWND hwnd = nullptr;   // host window
    HWND LBhWnd() const { return lb_; }

    void Refresh();
    void Clear();
    void SelBackColor(COLORREF LSelCol);
    COLORREF SelBackColor() const { return selBack_; }
    void SelTextColor(COLORREF LSelCol);
    COLORREF SelTextColor() const { return selText_; }
    void SelNone();
    void Add(const std::wstring& sVal, long LColor);
    // The item's text; "" when the index is out of range or the text is empty.
    std::wstring GetItemMin(int iDex) const;
    // As GetItemMin; iDex receives the item's kind (0 when negative), or -1
    // when no text was read.
    std::wstring GetItem(int& iDex) const;
    int Count() const;
    int ListIndex() const;
    void ListIndex(int index);
    int TopIndex() const;
    void TopIndex(int index);
    // First item beginning with sText (any case): selected and scrolled to the top.
    void SelWord(const std::wstring& sText);
    // First item equal to sText (any case): selected and scrolled to the top.
    void SelWordExact(const std::wstring& sText);
    // Horizontal scroll extent for the widest item.
    void AddHScroll();

    // Events. Index is the current ListIndex; Button is 1 left, 2 right,
    // 4 middle (for MouseMove the buttons held).
    std::function<void(int& Index)> Click;
    std::function<void(int& Keycode)> KeyUp;
    std::function<void(int& Button)> MouseDown;
    std::function<void(int& Button)> MouseMove;
    std::function<void(int& Button)> MouseUp;

private:
    static LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref);
    LRESULT OnHostMessage(UINT msg, WPARAM wp, LPARAM lp);
    void DrawListItem(const DRAWITEMSTRUCT& dis);
    void FitItemHeight();
    void FindAndSelect(UINT findMsg, const std::wstring& text);
    void RaiseClick();

    HWND lb_ = nullptr;
    HFONT font_ = nullptr;
    COLORREF selBack_ = 0;
    COLORREF selText_ = 0;
};
