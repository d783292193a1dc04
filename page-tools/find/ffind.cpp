#include "ffind.h"

#include <algorithm>

#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "MainHost.h"
#include "ModFormOps.h"
#include "SettingsAccess.h"
#include "ToolButtons.h"
#include "EditorGlue.h"
#include "forms/BusyScope.h"
#include "forms/Runtime.h"

namespace {

KvRTB* Editor() { return Host() ? &Host()->JT1() : nullptr; }

bool MainMinimised() { return Host() && IsIconic(Host()->Window()); }

const int kRow1 = 60, kRow2 = 420;
const int kButtonWidth = 600, kGap = 45;

// Replacements made while the window was open are coloured once it closes,
// by the pass that rewrites only what differs from the last colouring (a
// whole new colouring of a long page held the close up for minutes).
// Without a replacement there is nothing to colour.
void RecolourAfterFind()
{
    modfind::FindState& st = modfind::Finder();
    if (!st.Replaced)
        return;
    st.Replaced = false;
    if (!SettingsAccess::NoColorCode() && State().ColorCodeOn)
        RecolourAfterUndo();
}

} // namespace

ffind::ffind()
{
    SetCaption(L"Find and Replace");
    BorderStyle = forms::FormBorderStyle::FixedToolWindow;
    ShowInTaskbar = false;
    StartUpPosition = forms::FormStartUpPosition::Manual;
    forms::FontSpec font;
    font.Name = L"Arial";
    font.Size = 8;
    SetFont(font);
    SetClientSize(7200, 720);

    // Placed here at their least widths; Form_Resize stretches the fields
    // and keeps the buttons at the right edge of the window's width.
    ImFind.Place(*this, 90, kRow1 + 15, 270, 270);
    ImFind.SetToolTipText(L"Paste selected text into Find.");
    tFind.Place(*this, 420, kRow1, 1500, 300);
    Label4.Place(*this, 1980, kRow1 + 45, 420, 240);
    Label4.SetCaption(L"Rep.:");
    trep.Place(*this, 2400, kRow1, 1500, 300);
    struct ButtonSpec {
        ButSilver2Control& button;
        const wchar_t* caption;
        const wchar_t* tip;
    } buttons[] = {
        {bFind, L"Find", L"Find next."},
        {bFindLast, L"Prev.", L"Find previous occurence."},
        {brepone, L"Rep.", L"Replace selected occurence of Find text."},
        {brepall, L"All", L"Replace all occurences of Find text."},
        {bCloseFind, L"Close", L"Close Find window."},
    };
    int left = 3960;
    for (ButtonSpec& b : buttons) {
        PlaceToolButton(b.button, *this, left, kRow1, kButtonWidth, 300, b.caption);
        b.button.SetToolTipText(b.tip);
        left += kButtonWidth + kGap;
    }

    const wchar_t* captions[] = {L"Start from caret", L"Whole Word", L"Case Sens.", L"Asc"};
    const wchar_t* tips[] = {L"Start search from caret.", L"Find whole word only.", L"Find case sensitive.",
                             L"Find ASCII character for number. (Enter 1 to 255.)"};
    const int lefts[] = {420, 1980, 3240, 4440}, widths[] = {1500, 1200, 1140, 660};
    for (int i = 0; i < 4; ++i) {
        CkFind(i).Place(*this, lefts[i], kRow2, widths[i], 255);
        CkFind(i).SetCaption(captions[i]);
        CkFind(i).SetToolTipText(tips[i]);
    }
    CkRep.Place(*this, 5700, kRow2, 2100, 255);
    CkRep.SetCaption(L"Replace in selection");
    CkRep.SetToolTipText(L"Replace all within selection only.");

    bFind.Click = [this] { bFind_Click(); };
    bFindLast.Click = [this] { bFindLast_Click(); };
    brepone.Click = [this] { brepone_Click(); };
    brepall.Click = [this] { brepall_Click(); };
    bCloseFind.Click = [this] { bCloseFind_Click(); };
    tFind.Change = [this] { tFind_Change(); };
    CkFind.Click = [this](int Index) { CkFind_Click(Index); };
    ImFind.MouseDown = [this](int, int, int, int) { ImFind_MouseDown(); };
    ImFind.MouseUp = [this](int, int, int, int) { ImFind_MouseUp(); };
}

ffind::~ffind() { Teardown(); }

void ffind::Form_Load()
{
    // An edged frame: a sunken client area inside a dialog frame.
    ModFormOps::SetExStyle(hwnd, ModFormOps::ExStyleKind::AllEdges);
    HBITMAP picture = ButSilver2::CaptionPicture(L"\u00BB", forms::TwipsToPixelsX(270), forms::TwipsToPixelsY(270));
    if (picture)
        ImFind.SetPicture(picture, true);
}

namespace {

// Twips a check box needs for its box and caption in its own font.
int CheckBoxNeed(forms::CheckBox& box, const std::wstring& caption)
{
    HWND w = box.hwnd;
    HDC dc = w ? GetDC(w) : nullptr;
    if (!dc)
        return 0;
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(w, dc);
    return forms::PixelsToTwipsX(size.cx + GetSystemMetrics(SM_CXMENUCHECK) + 8);
}

} // namespace

void ffind::PlaceOptionsRow(int width)
{
    // The designed row fits a window 7,900 twips wide; a narrower one (the
    // main window's width, 480 pixels or less) packs the boxes to what their
    // captions need, so that the last, "Replace in selection", is not cut off.
    const int designedLefts[] = {420, 1980, 3240, 4440, 5700}, designedWidths[] = {1500, 1200, 1140, 660, 2100};
    forms::CheckBox* boxes[] = {&CkFind(0), &CkFind(1), &CkFind(2), &CkFind(3), &CkRep};
    const bool fits = width >= designedLefts[4] + designedWidths[4] + 90;
    int need[5] = {}, sum = 0;
    for (int i = 0; i < 5 && !fits; ++i) {
        need[i] = CheckBoxNeed(*boxes[i], boxes[i]->Caption());
        sum += need[i];
    }
    const int gap = fits ? 0 : std::max(0, std::min(120, (width - 90 - designedLefts[0] - sum) / 4));
    int left = designedLefts[0];
    for (int i = 0; i < 5; ++i) {
        const int w = fits || need[i] == 0 ? designedWidths[i] : need[i];
        boxes[i]->Move(fits ? designedLefts[i] : left, kRow2, w);
        left += w + gap;
    }
}

void ffind::Form_Resize()
{
    const int width = ScaleWidth();
    PlaceOptionsRow(width);
    const int buttonsLeft = width - 90 - 5 * kButtonWidth - 4 * kGap;
    // The two fields share what the buttons leave, the label between them.
    const int field = (buttonsLeft - 60 - 420 - 480) / 2;
    if (field < 600)
        return;
    tFind.Move(420, kRow1, field);
    Label4.Move(420 + field + 60, kRow1 + 45);
    trep.Move(420 + field + 480, kRow1, field);
    ButSilver2Control* buttons[] = {&bFind, &bFindLast, &brepone, &brepall, &bCloseFind};
    for (int i = 0; i < 5; ++i)
        buttons[i]->SetLeft(buttonsLeft + i * (kButtonWidth + kGap));
}

modfind::FindField ffind::Field() const
{
    modfind::FindField f;
    f.find = tFind.Text();
    f.replacement = trep.Text();
    auto& boxes = const_cast<forms::ControlArray<forms::CheckBox>&>(CkFind);
    f.asc = boxes(3).Value() == forms::vbChecked;
    f.inSelection = CkRep.Value() == forms::vbChecked;
    return f;
}

long ffind::Flags() const
{
    auto& boxes = const_cast<forms::ControlArray<forms::CheckBox>&>(CkFind);
    return modfind::SearchFlags(boxes(1).Value() == forms::vbChecked, boxes(2).Value() == forms::vbChecked);
}

void ffind::ShowFieldState() { tFind.SetBackColor(modfind::FieldColour(modfind::Finder().Field)); }

void ffind::AfterSearch(const modfind::SearchResult& r, bool focusField)
{
    ShowFieldState();
    // A hit is selected from its start, so the caret's line and column that
    // the gutter's sync shows are the hit's: working them out here as well
    // cost every Find next two more round trips to the editor.
    if (r.outcome == modfind::Outcome::Hit && Host())
        Host()->SyncLineNums();
    if (focusField && r.outcome != modfind::Outcome::NotRun && Visible())
        tFind.SetFocus();
}

void ffind::bFind_Click()
{
    forms::BusyScope busy(busy_);
    KvRTB* ed = Editor();
    if (!busy.Entered() || !ed)
        return;
    const long flags = Flags();
    if (CkFind(0).Value() == forms::vbChecked) {
        AfterSearch(modfind::FindNext(*ed, Field(), flags, true), true);
        CkFind(0).SetValue(forms::vbUnchecked);
    } else if (modfind::Finder().NextFindStart >= 1) {
        AfterSearch(modfind::FindNext(*ed, Field(), flags, false), true);
    } else {
        AfterSearch(modfind::FindFromTop(*ed, Field(), flags), true);
    }
}

void ffind::bFindLast_Click()
{
    forms::BusyScope busy(busy_);
    KvRTB* ed = Editor();
    if (!busy.Entered() || !ed)
        return;
    CkFind(0).SetValue(forms::vbUnchecked);
    AfterSearch(modfind::FindPrevious(*ed, Field(), Flags()), false);
}

void ffind::brepone_Click()
{
    forms::BusyScope busy(busy_);
    if (busy.Entered() && Editor())
        modfind::ReplaceOne(*Editor(), Field());
}

void ffind::brepall_Click()
{
    forms::BusyScope busy(busy_);
    KvRTB* ed = Editor();
    if (!busy.Entered() || !ed)
        return;
    modfind::ReplaceAll(*ed, Field(), Flags(), CkFind(0).Value() == forms::vbChecked);
    if (Host())
        Host()->SyncLineNums();
}

void ffind::tFind_Change()
{
    modfind::FieldEdited();
    ShowFieldState();
    IncrementalFind();
}

void ffind::IncrementalFind()
{
    forms::BusyScope busy(busy_);
    KvRTB* ed = Editor();
    if (!busy.Entered() || !ed)
        return;
    if (CkFind(0).Value() != forms::vbChecked) {
        AfterSearch(modfind::FindFromTop(*ed, Field(), Flags()), true);
    } else {
        AfterSearch(modfind::FindNext(*ed, Field(), Flags(), true), true);
        CkFind(0).SetValue(forms::vbUnchecked);
    }
}

void ffind::CkFind_Click(int)
{
    modfind::OptionClicked();
    ShowFieldState();
}

void ffind::ImFind_MouseDown() { ImFind.SetBorderStyle(forms::Border::FixedSingle); }

void ffind::ImFind_MouseUp()
{
    ImFind.SetBorderStyle(forms::Border::None);
    KvRTB* ed = Editor();
    const long length = ed ? ed->SelLength() : 0;
    // Unaltered: a trailing line break stays, unlike when the window opens.
    if (length >= 1 && length < 40)
        tFind.SetText(ed->SelText());
}

void ffind::HideAndRecolour()
{
    Hide();
    ModFormOps::SetBottomMost(hwnd);
}

void ffind::bCloseFind_Click()
{
    HideAndRecolour();
    if (Host())
        Host()->LayoutWindow();
    RecolourAfterFind();
    if (!MainMinimised() && Editor())
        Editor()->SetFocus();
}

void ffind::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    if (UnloadMode != forms::vbFormControlMenu)
        return;
    Cancel = 1;
    HideAndRecolour();
    RecolourAfterFind();
    if (!MainMinimised() && Editor())
        Editor()->SetFocus();
}
