#pragma once
// PopupFace: the main window's popup list and parameter tip as code
// assistance sees them. The list is the frame FrPop holding BoxPopJ, with the
// hidden BoxPopX keeping, index for index, the full text behind each item;
// the tip is the frame FrTip holding Label2, LabTip and the buttons bTipX.
// The member popup, the CSS popup and the function tips fill and place them
// through this face only; the main window implements it and hands it over
// once (through MainHost), so code assistance never touches the controls.
// All lengths are twips in the main window's client area.
#include <string>

struct PopupRect {
    long Left = 0, Top = 0, Width = 0, Height = 0;
};

// What the list shows, so that a pick knows what to insert.
enum class PopupMode { Member, CSS };

class PopupFace {
public:
    virtual ~PopupFace() = default;

    // Where things stand, for the placement arithmetic.
    virtual PopupRect EditorRect() const = 0;  // the editor JT1
    virtual PopupRect ListRect() const = 0;    // the frame FrPop
    // The editor's caret in twips from the editor's top left corner; false
    // when the system gives no caret position.
    virtual bool CaretTwips(long& x, long& y) const = 0;

    // The list. AddItem appends to BoxPopJ with its colour code (KvListBox
    // item data: -1 property, -2 method, -3 event, 0 plain, 1-3 and 8 the
    // coloured texts) and appends fullText to BoxPopX.
    virtual void ClearList() = 0;
    virtual void AddItem(const std::wstring& text, long colourCode, const std::wstring& fullText) = 0;
    // Shows the list at left/top with its first item in view and nothing
    // selected, and notes what it holds.
    virtual void ShowList(long left, long top, PopupMode mode) = 0;
    virtual void HideList() = 0;
    virtual bool ListVisible() const = 0;
    virtual PopupMode ListMode() const = 0;

    // The tip. SetTipText puts the caption on LabTip and lays the frame out
    // around it (Label2 and bTipX at the left, the frame as wide as both
    // labels); TipWidth is the frame's width after that.
    virtual void SetTipText(const std::wstring& caption) = 0;
    virtual long TipWidth() const = 0;
    virtual void ShowTip(long left, long top) = 0;
    virtual void HideTip() = 0;
    virtual bool TipVisible() const = 0;
};
