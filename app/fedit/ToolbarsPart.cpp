// The tool-bar image buttons ButB, the auto-insert label buttons Lht with
// their customising, the two extra clipboards, the pane switch, the
// procedure list and the hover looks.
#include "ToolbarsPart.h"

#include "HandlerGuard.h"
#include "fedit.h"
#include "functions/FuncPopup.h"

#include "EditorState.h"
#include "browser/ObjectBrowser.h"
#include "debug/modHTML.h"
#include "find/modfind.h"
#include "images/modbitmap.h"
#include "PanelRules.h"
#include "EditorGlue.h"
#include "forms/BusyScope.h"
#include "forms/Runtime.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "SettingsRecord.h"

#include <exception>

using namespace forms;

using fedit_handlers::Guard;

namespace {

constexpr int kRightButton = 2;

bool HasLook(int index) { return index >= 0 && index <= 24; }

enum class Look { Flat, Raised, Pressed };

void SetLook(Image& button, Look look)
{
    button.SetAppearance(look == Look::Pressed ? 1 : 0);
    button.SetBorderStyle(look == Look::Flat ? Border::None : Border::FixedSingle);
}

// Designed captions and inserted texts of the auto-insert buttons.
struct AutoInsertButton {
    const wchar_t* caption;
    const wchar_t* text;
};
const AutoInsertButton kAutoInsert[28] = {
    {L"TA", L"<TABLE><TR><TD> </TD></TR></TABLE>"},
    {L"DIV", L"<DIV ALIGN=> </DIV>"},
    {L"H1", L"<H1> </H1>"},
    {L"H2", L"<H2> </H2>"},
    {L"\" \"", L"&#160;"},
    {L"BR", L"<BR>"},
    {L"HR", L"<HR>"},
    {L"B", L"<B>"},
    {L"/B", L"</B>"},
    {L"P", L"<P>"},
    {L"/P", L"</P>"},
    {L"Sp", L"<SPAN>"},
    {L"/Sp", L"</SPAN>"},
    {L"End", L"</BODY></HTML>"},
    {L"Head", L"<HTML><HEAD><TITLE></TITLE></HEAD>"},
    {L"Meta", L"<META NAME=\"DESCRIPTION\" CONTENT=> <META NAME=\"KEYWORDS\" CONTENT=>"},
    {L"Body", L"<BODY BGCOLOR= TEXT= LINK= ALINK= VLINK=>"},
    {L"Body", L"[Insert BODY tag with background image]"},
    {L"A", L"<A HREF=></A>"},
    {L"A", L"[Insert link tag with image]"},
    {L"IMG", L"[Select image and insert image tag]"},
    {L"SH", L"Set SH = CreateObject(\"WScript.Shell\")"},
    {L"IE", L"Set IE = CreateObject(\"InternetExplorer.Application\")"},
    {L"<!>", L"<!-- -->"},
    {L"STY", L"<STYLE> </STYLE>"},
    {L"SCR", L"<SCRIPT LANGUAGE=\"VBScript\"> </SCRIPT>"},
    {L"FSO", L"Set FSO = CreateObject(\"Scripting.FileSystemObject\")"},
    {L"U-8", L"<meta charset=\"UTF-8\" />"},
};

// Tool tips of the tool-bar buttons; 26 and 28 get theirs from the clips.
const wchar_t* ToolBarTip(int i)
{
    switch (i) {
    case 0: return L"Open";
    case 1: return L"Save";
    case 2: return L"Print";
    case 3: return L"Move text left";
    case 4: return L"Move text right";
    case 5: return L"Cut";
    case 6: return L"Copy";
    case 7: return L"Paste";
    case 9: return L"Find and Replace - Toggle window.";
    case 10: return L"Multi-File Find and Replace";
    case 11: return L"Colorcode text";
    case 12: return L"No text colorcoding";
    case 13: return L"Color Picker";
    case 14: return L"View image";
    case 15: return L"Run debugger";
    case 16:
    case 17: return L"Line debugging On/Off";
    case 18: return L"Snippet Library";
    case 19: return L"Run Script";
    case 22: return L"Ormund Object Browser";
    case 23: return L"Auto-Insert settings";
    case 24: return L"Get selected HTML tag parameters";
    case 25: return L"Extra Clipboard 1";
    case 27: return L"Extra Clipboard 2";
    default: return L"";
    }
}

constexpr int kButton = 330;   // a tool-bar button, twips

} // namespace

void ToolbarsPart::PlaceToolBars()
{
    TBarA.Place(form_, 0, 0, 11340, 420);
    TBarA.SetBorderStyle(forms::Border::None);
    TBarB.Place(form_, 0, 440, 11340, 420);
    TBarB.SetBorderStyle(forms::Border::None);

    // First row: the info label and, at the right, line and column with the clips.
    frtbar.Place(TBarA, 8460, 20, 2760, 380);
    frtbar.SetBorderStyle(forms::Border::None);
    frinfo.Place(TBarA, 180, 40, 7980, 330);
    frinfo.SetBorderStyle(forms::Border::None);
    tinfo.Place(frinfo, 0, 0, 7980, 330);
    tinfo.SetFont(FontSpec{L"Verdana", 8.0f});
    tinfo.UseMnemonic = false;
    tinfo.WordWrap = false;
    // Room for line numbers up to 999,999 and long lines' columns, with a
    // gap before each caption.
    LabLine.Place(frtbar, 0, 90, 360, 255);
    LabLine.SetCaption(L"Line");
    tlcount.Place(frtbar, 360, 90, 720, 255);
    tlcount.SetCaption(L"1");
    LabCol.Place(frtbar, 1140, 90, 330, 255);
    LabCol.SetCaption(L"Col.");
    tcount.Place(frtbar, 1470, 90, 540, 255);
    tcount.SetCaption(L"1");
    for (int i : {25, 26})
        ButB(i).Place(frtbar, 2040, 25, kButton, kButton);
    for (int i : {27, 28})
        ButB(i).Place(frtbar, 2400, 25, kButton, kButton);
    ButB(26).SetVisible(false);
    ButB(28).SetVisible(false);
    ButB(26).WindowWhenShown = true;
    ButB(28).WindowWhenShown = true;

    // Second row: file and edit buttons, the type-dependent group, the
    // procedure list and the tools group at the right.
    const int leftButtons[] = {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12};
    int x = 60;
    for (int i : leftButtons) {
        ButB(i).Place(TBarB, x, 45, kButton, kButton);
        x += 345;
        if (i == 2 || i == 4 || i == 7 || i == 10)
            x += 60;
    }
    for (int i = 0; i < 4; ++i) {
        static const int separators[] = {1092, 1842, 2937, 3687};
        Line2(i).PlaceLine(TBarB, separators[i], 60, separators[i], 360);
        Line2(i).SetBorderColor(vbButtonShadow);
    }
    Line2(4).PlaceLine(TBarB, 5690, 60, 5690, 360);
    Line2(4).SetBorderColor(vbButtonShadow);
    ButB(13).Place(TBarB, 4610, 45, kButton, kButton);
    ButB(14).Place(TBarB, 5030, 45, kButton, kButton);
    ButB(24).Place(TBarB, 5450, 45, kButton, kButton);
    ButB(15).Place(TBarB, 5870, 45, kButton, kButton);
    ButB(16).Place(TBarB, 5330, 45, kButton, kButton);
    ButB(17).Place(TBarB, 5330, 45, kButton, kButton);
    TBarC.Place(TBarB, 5700, 0, 450, 420);
    TBarC.SetBorderStyle(forms::Border::None);
    ButB(19).Place(TBarC, 60, 45, kButton, kButton);
    // The script group and the debugging buttons start hidden; the menu set
    // of a script type shows them, and only then are their windows made.
    for (Control* c : std::initializer_list<Control*>{&TBarC, &ButB(16), &ButB(17), &Line2(4)}) {
        c->SetVisible(false);
        c->WindowWhenShown = true;
    }
    TBarD.Place(TBarB, 10200, 0, 1140, 420);
    TBarD.SetBorderStyle(forms::Border::None);
    ButB(18).Place(TBarD, 60, 45, kButton, kButton);
    ButB(22).Place(TBarD, 405, 45, kButton, kButton);
    ButB(23).Place(TBarD, 750, 45, kButton, kButton);
    BoxMethods.Style = 2;
    BoxMethods.Place(TBarB, 8000, 60, 2200, 315);
    BoxMethods.SetToolTipText(L"Auto-scroll to selected method. Right-click to refresh list.");
    for (int i : ButB.Indices()) {
        ButB(i).SetToolTipText(ToolBarTip(i));
        ButB(i).SetBackColor(vbButtonFace);
    }
}

void ToolbarsPart::PlaceAutoInsertBars()
{
    // Each bar: the pane switch, fourteen label buttons and "View webpage.".
    Frame* bars[2] = {&Frame1, &Frame2};
    for (int b = 0; b < 2; ++b) {
        Frame& fr = *bars[b];
        fr.Place(form_, 1000, 5900, 7560, 405);
        fr.SetBorderStyle(forms::Border::None);
        bsw(b).Place(fr, 30, 45, kButton, kButton);
        bsw(b).SetToolTipText(L"Toggle toolbars");
        for (int j = 0; j < 14; ++j) {
            int i = b * 14 + j;
            Lht(i).Place(fr, 420 + j * 480, 60, 450, 285);
            Lht(i).SetAlignment(forms::Align::Center);
            Lht(i).SetFont(FontSpec{i == 23 ? L"Verdana" : L"Arial", 8.0f, true});
            Lht(i).UseMnemonic = false;
            Lht(i).WordWrap = false;
            Lht(i).SetCaption(kAutoInsert[i].caption);
            if (i == 0) {
                Lht(0).SetMousePointer(MousePointer::Custom);
                Lht(0).SetMouseIcon(LoadCursorW(nullptr, IDC_HAND));
            }
            Lht(i).SetToolTipText(kAutoInsert[i].text);
        }
        HiBox(b).Place(fr, 420, 45, 450, 315);
        HiBox(b).SetFillStyle(1);
        HiBox(b).SetBorderColor(0x9C5A28);
        HiBox(b).SetVisible(false);
        HiBox(b).WindowWhenShown = true;
        bview2(b).Place(fr, 420 + 14 * 480 - 30, 45, kButton, kButton);
        bview2(b).SetToolTipText(L"View webpage.");
    }
    Frame2.SetVisible(false);
    // The second bar, like the tip panel and the CSS bar, gets its windows
    // when first shown: a start makes only the windows it shows.
    Frame2.WindowWhenShown = true;
}

void ToolbarsPart::Load()
{
    for (int i = 1; i <= 27; ++i) {
        Lht(i).SetMousePointer(MousePointer::Custom);
        Lht(i).SetMouseIcon(Lht(0).MouseIcon());
    }
    ButB(14).SetOLEDropMode(1);
    ButB(22).SetOLEDropMode(1);
}

void ToolbarsPart::Wire()
{
    ButB.Click = Guard([this](int i) { ButB_Click(i); });
    ButB.MouseDown = Guard([this](int i, int, int, int, int) { ButB_MouseDown(i); });
    ButB.MouseMove = Guard([this](int i, int, int, int, int) { ButB_MouseMove(i); });
    ButB.MouseUp = Guard([this](int i, int b, int, int, int) { ButB_MouseUp(i, b); });
    ButB.OLEDragDrop = Guard([this](int i, const std::vector<std::wstring>& files, int, int, int, int) {
        ButB_OLEDragDrop(i, files);
    });
    for (Frame* bar : {&TBarA, &TBarB, &TBarC})
        bar->MouseMove = Guard([this](int, int, int, int) { FlattenHoveredButton(); });
    Lht.Click = Guard([this](int i) { Lht_Click(i); });
    Lht.MouseDown = Guard([this](int i, int b, int, int, int) { Lht_MouseDown(i, b); });
    Lht.MouseUp = Guard([this](int i, int, int, int, int) { Lht_MouseUp(i); });
    Lht.MouseMove = Guard([this](int i, int, int, int, int) { Lht_MouseMove(i); });
    bsw.Click = Guard([this](int i) { bsw_Click(i); });
    bview2.Click = Guard([this](int i) { form_.bview2_Click(i); });
    for (ControlArray<Image>* arr : {&bsw, &bview2}) {
        ControlArray<Image>& a = *arr;
        a.MouseDown = Guard([&a](int i, int, int, int, int) { SetLook(a(i), Look::Pressed); });
        a.MouseUp = Guard([&a](int i, int, int, int, int) { SetLook(a(i), Look::Flat); });
        a.MouseMove = Guard([this](int, int, int, int, int) { HideOutline(); });
    }
    BoxMethods.Click = Guard([this] { BoxMethods_Click(); });
    // From the runtime's subclass the list has anyway: a subclass of its own
    // cost Wine two server look-ups for every message of the list.
    BoxMethods.MouseDown = Guard([this](int Button, int, int, int) {
        if (Button == forms::vbRightButton)
            form_.PopupMenu(form_.mPopMethods);
    });
}

void ToolbarsPart::ApplyButtonTexts(const SettingsRecord& rec)
{
    for (int i = 0; i < 28; ++i) {
        if (i == 17 || i == 19 || i == 20)   // buttons with fixed actions
            continue;
        const std::wstring& text = rec.ButtonTexts[static_cast<size_t>(i)];
        if (text == L".")
            continue;
        Lht(i).SetCaption(rec.ButtonCaptions[static_cast<size_t>(i)]);
        Lht(i).SetToolTipText(text);
    }
}

void ToolbarsPart::ShowInfo(const std::wstring& text)
{
    tinfo.SetBackColor(0xFCFBFB);
    tinfo.SetForeColor(0);
    tinfo.SetCaption(text);
}

void ToolbarsPart::ClearInfo()
{
    tinfo.SetCaption(L"");
    tinfo.SetBackColor(vbButtonFace);
    tinfo.SetForeColor(vbButtonText);
}

void ToolbarsPart::ShowLineCol(const std::wstring& line, const std::wstring& column)
{
    tlcount.SetCaption(line);
    tcount.SetCaption(column);
}

void ToolbarsPart::FillMethodsBox()
{
    BoxMethods.Clear();
    for (const std::wstring& name : ProcedureNames())
        if (!name.empty())
            BoxMethods.AddItem(name);
}

void ToolbarsPart::BoxMethods_Click()
{
    std::wstring name = platform::TrimBlanks(BoxMethods.Text());
    if (!name.empty()) {
        // The caret leaves the call the tip was for.
        form_.panels_.HideTip();
        GoToProcedure(name);
        form_.editing_.SyncLineNums();
    }
}

void ToolbarsPart::ShowClipFilled(int slot, const std::wstring& tip)
{
    const int empty = slot == 1 ? 25 : 27;
    ButB(empty).SetVisible(false);
    ButB(empty + 1).SetVisible(true);
    ButB(empty + 1).SetToolTipText(tip);
}

void ToolbarsPart::HideOutlineBoxes()
{
    for (int i = 0; i < 2; ++i)
        if (HiBox(i).Visible())
            HiBox(i).SetVisible(false);
}

void ToolbarsPart::ButB_Click(int Index)
{
    BusyScope busy(State().ClickBusy);
    if (!busy.Entered())
        return;
    EditorState& s = State();
    switch (Index) {
    case 0: form_.mOpenFile.FireClick(); break;
    case 1: form_.mSavePlain.FireClick(); break;
    case 2: form_.editing_.mPrint_Click(); break;
    case 3: form_.editing_.IndentLines(0); break;
    case 4: form_.editing_.IndentLines(1); break;
    case 5: form_.editing_.DoCut(); break;
    case 6: form_.editing_.mCopy_Click(); break;
    case 7: form_.editing_.DoPaste(0); break;
    case 9:
        if (FindVisible())
            CloseFindButton();
        else
            form_.mFind_Click();
        break;
    case 10: form_.mMulti_Click(); break;
    case 11: ColorOn(); break;
    case 12: ColorOff(); break;
    case 13: form_.mColorFind_Click(); break;
    case 14: form_.mSample_Click(); break;
    case 15: form_.mRunDebug_Click(); break;
    case 16: form_.mNoDebug_Click(); break;
    case 17: form_.mDoDebug_Click(); break;
    case 18: form_.MOmLib_Click(); break;
    case 19: form_.mRunScript_Click(); break;
    case 22: form_.mOmBrowse_Click(); break;
    case 23: form_.mAutoSet_Click(); break;
    case 24:
        if (TagsLoaded())
            form_.ShowTagInfo();
        else
            form_.ShowStatus(L"No HTML tag data. tarnelh.ini file missing?");
        break;
    case 25:
    case 26:
    case 27:
    case 28: {
        if (form_.editing_.JT1.SelLength() < 1)
            break;
        const bool first = Index <= 26;
        std::wstring& clip = first ? s.Clip1 : s.Clip2;
        clip = form_.editing_.JT1.SelText();
        const int empty = first ? 25 : 27;
        ButB(empty).SetVisible(false);
        ButB(empty + 1).SetVisible(true);
        ButB(empty + 1).SetToolTipText(PanelRules::ClipTip(clip));
        break;
    }
    default:
        break;
    }
}

void ToolbarsPart::ButB_MouseDown(int Index)
{
    if (HasLook(Index))
        SetLook(ButB(Index), Look::Pressed);
}

void ToolbarsPart::ButB_MouseMove(int Index)
{
    // Moving inside the hovered button changes nothing, so a held button
    // keeps its pressed look.
    if (Index == HoveredButton)
        return;
    FlattenHoveredButton();
    if (HasLook(Index)) {
        SetLook(ButB(Index), Look::Raised);
        HoveredButton = Index;
    }
}

void ToolbarsPart::ButB_MouseUp(int Index, int Button)
{
    if (HasLook(Index)) {
        SetLook(ButB(Index), Look::Flat);
        return;
    }
    if (Button == kRightButton && Index >= 25 && Index <= 28)
        ShowClipMenu(Index);
}

void ToolbarsPart::FlattenHoveredButton()
{
    if (HasLook(HoveredButton) && ButB.Exists(HoveredButton))
        SetLook(ButB(HoveredButton), Look::Flat);
    HoveredButton = -1;
}

void ToolbarsPart::ShowClipMenu(int Index)
{
    clipMenuButton_ = Index;
    if (Index != 26 && Index != 28)
        return;
    const bool filled = !(Index == 26 ? State().Clip1 : State().Clip2).empty();
    form_.mClipClear.SetEnabled(filled);
    form_.mPasteClipP.SetEnabled(filled);
    form_.PopupMenu(form_.PopClip);
}

void ToolbarsPart::mClipClear_Click()
{
    int empty;
    if (clipMenuButton_ == 25 || clipMenuButton_ == 26) {
        State().Clip1.clear();
        empty = 25;
    } else if (clipMenuButton_ == 27 || clipMenuButton_ == 28) {
        State().Clip2.clear();
        empty = 27;
    } else {
        return;
    }
    ButB(empty).SetVisible(true);
    ButB(empty + 1).SetVisible(false);
    ButB(empty + 1).SetToolTipText(L"");
}

void ToolbarsPart::mPasteClipP_Click()
{
    if (clipMenuButton_ == 26)
        form_.mPasteClip1.FireClick();
    else if (clipMenuButton_ == 28)
        form_.mPasteClip2.FireClick();
}

void ToolbarsPart::ButB_OLEDragDrop(int Index, const std::vector<std::wstring>& Files)
{
    if (Files.empty() || !platform::FileExists(Files[0]))
        return;
    const std::wstring& path = Files[0];
    if (Index == 22) {
        GetFileProps(path);
    } else if (Index == 14) {
        // A dropped PNG is not taken here, only through the View Image command.
        const std::wstring ext = platform::Upper(platform::GetExtension(path));
        if (ext != L"GIF" && ext != L"JPG" && ext != L"ICO" && ext != L"BMP")
            return;
        CloseFind();
        ShowImage(path);
        form_.AfterShowImage();
    }
}

void ToolbarsPart::Lht_Click(int Index)
{
    BusyScope busy(State().ClickBusy);
    if (!busy.Entered())
        return;
    const bool fixed = Index == 17 || Index == 19 || Index == 20;
    if (!customiseArmed_) {
        if (Index == 17)
            form_.InsertBackgroundImage();
        else if (Index == 19)
            InsertImageCode(2);
        else if (Index == 20)
            InsertImageCode(1);
        else
            InsertViaClipboard(Lht(Index).ToolTipText());
        if (form_.mWrap.Checked())
            form_.editing_.SyncLineNums();
        form_.editing_.JT1.SetSelColor(0);
        form_.editing_.JT1.SetFocus();
        return;
    }
    customiseArmed_ = false;
    if (fixed)
        return;
    const wchar_t* title = L"Customize Auto-insert Buttons";
    std::wstring caption = InputBox(L"Enter new button caption.", title, L"", form_.hwnd);
    if (caption.empty())
        return;
    std::wstring text = InputBox(L"Enter new auto-insert text.", title, L"", form_.hwnd);
    if (text.empty())
        return;
    SettingsRecord& rec = Settings();
    const size_t i = static_cast<size_t>(Index);
    if (rec.ButtonCaptions.size() <= i)
        rec.ButtonCaptions.resize(28);
    if (rec.ButtonTexts.size() <= i)
        rec.ButtonTexts.resize(28, L".");
    rec.ButtonCaptions[i] = caption;
    rec.ButtonTexts[i] = text;
    Lht(Index).SetToolTipText(text);
    Lht(Index).SetCaption(caption);
}

void ToolbarsPart::Lht_MouseDown(int Index, int Button)
{
    if (Button == kRightButton)
        customiseArmed_ = true;
    else
        Lht(Index).SetBorderStyle(Border::FixedSingle);
}

void ToolbarsPart::Lht_MouseUp(int Index)
{
    Lht(Index).SetBorderStyle(Border::None);
}

void ToolbarsPart::Lht_MouseMove(int Index)
{
    const int shown = Index >= 14 ? 1 : 0;
    HiBox(1 - shown).SetVisible(false);
    HiBox(shown).SetLeft(Lht(Index).Left());
    HiBox(shown).SetVisible(true);
    outlineShown_ = true;
}

void ToolbarsPart::HideOutline()
{
    if (!outlineShown_)
        return;
    HiBox(0).SetVisible(false);
    HiBox(1).SetVisible(false);
    outlineShown_ = false;
}

void ToolbarsPart::bsw_Click(int Index)
{
    HiBox(0).SetVisible(false);
    HiBox(1).SetVisible(false);
    outlineShown_ = false;
    Frame1.SetVisible(Index != 0);
    Frame2.SetVisible(Index == 0);
    form_.editing_.JT1.SetFocus();
}
