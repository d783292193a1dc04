#include "fedit.h"

#include "find/modfind.h"

#include "EditorState.h"
#include "MenuIds.h"
#include "MenuSetRows.h"
#include "ModFileOps.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "ModFormOps.h"
#include "SettingsBridge.h"
#include "SettingsEventSink.h"
#include "preview/fbrowser.h"
#include "preview/Preview.h"

#include "CSubclass.h"

#include <richedit.h>

#include <algorithm>

using namespace forms;

namespace {

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

fedit::fedit(MainProgram& program) : program_(program)
{
    SetCaption(L"TARNEL Editor");
    KeyPreview = true;
    BuildMenus();
    PlaceControls();
    LoadPictures();
    WireEvents();
    WireEditing();
}

fedit::~fedit()
{
    Teardown();
}

void fedit::PlaceControls()
{
    SetClientSize(11340, 7290);
    PlaceToolBars();
    T2.MultiLine = true;
    T2.BorderStyle = forms::Border::None;
    T2.Alignment = 1;
    T2.Place(*this, 0, 890, 615, 5000);
    T2.SetLocked(true);
    T2.SetTabStop(false);
    T2.SetBackColor(vbButtonFace);
    JT1.Subclasser = program_.Subclasser();
    JT1.Place(*this, 660, 860, 10580, 5025);
    PlaceAutoInsertBars();
    PlaceStatusRow();

    // The pop-up list and the tip panel, hidden until code assistance shows them.
    FrPop.Place(*this, 2000, 2000, 3600, 1800);
    FrPop.SetBorderStyle(forms::Border::None);
    BoxPopJ.Place(FrPop, 0, 0, 3600, 1800);
    BoxPopX.Place(FrPop, 0, 0, 3600, 1800);
    BoxPopX.SetVisible(false);
    FrPop.SetVisible(false);
    FrTip.Place(*this, 2000, 1500, 6000, 330);
    Label2.Place(FrTip, 0, 0, 1260, 330);
    LabTip.Place(FrTip, 1260, 45, 4700, 255);
    LabTip.SetBackStyle(0);
    const wchar_t* tipButtons[2] = {L"Hide.", L"Lock."};
    for (int i = 0; i < 2; ++i) {
        bTipX(i).Place(FrTip, i == 1 ? 60 : 660, 30, 540, 270);
        bTipX(i).SetCaption(i == 0 ? L"Hide" : L"Lock");
        bTipX(i).SetToolTipText(tipButtons[i]);
    }
    FrTip.SetVisible(false);
    FrTip.WindowWhenShown = true;

}

void fedit::PlaceToolBars()
{
    TBarA.Place(*this, 0, 0, 11340, 420);
    TBarA.SetBorderStyle(forms::Border::None);
    TBarB.Place(*this, 0, 440, 11340, 420);
    TBarB.SetBorderStyle(forms::Border::None);

    // First row: the info label and, at the right, line and column with the clips.
    frtbar.Place(TBarA, 8820, 20, 2400, 380);
    frtbar.SetBorderStyle(forms::Border::None);
    frinfo.Place(TBarA, 180, 40, 8340, 330);
    frinfo.SetBorderStyle(forms::Border::None);
    tinfo.Place(frinfo, 0, 0, 8340, 330);
    tinfo.SetFont(FontSpec{L"Verdana", 8.0f});
    tinfo.UseMnemonic = false;
    tinfo.WordWrap = false;
    LabLine.Place(frtbar, 0, 90, 360, 255);
    LabLine.SetCaption(L"Line");
    tlcount.Place(frtbar, 360, 90, 540, 255);
    tlcount.SetCaption(L"1");
    LabCol.Place(frtbar, 900, 90, 330, 255);
    LabCol.SetCaption(L"Col.");
    tcount.Place(frtbar, 1230, 90, 420, 255);
    tcount.SetCaption(L"1");
    for (int i : {25, 26})
        ButB(i).Place(frtbar, 1680, 25, kButton, kButton);
    for (int i : {27, 28})
        ButB(i).Place(frtbar, 2040, 25, kButton, kButton);
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

void fedit::PlaceAutoInsertBars()
{
    // Each bar: the pane switch, fourteen label buttons and "View webpage.".
    Frame* bars[2] = {&Frame1, &Frame2};
    for (int b = 0; b < 2; ++b) {
        Frame& fr = *bars[b];
        fr.Place(*this, 1000, 5900, 7560, 405);
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

    FrImageOps.Place(*this, 3000, 5900, 8460, 405);
    picsmall.Place(FrImageOps, 60, 45, 330, 300);
    picsmall.SetToolTipText(L"Displays sampled color.");
    thex.Place(FrImageOps, 450, 45, 1000, 300);
    bbitcol.Place(FrImageOps, 1500, 30, 1380, 330);
    bbitcol.SetCaption(L"Copy color code");
    tsize.Place(FrImageOps, 2940, 45, 1200, 300);
    tsize.SetLocked(true);
    tgrfil.Place(FrImageOps, 4200, 45, 2640, 300);
    tgrfil.SetLocked(true);
    bspec.Place(FrImageOps, 6900, 30, 1500, 330);
    bspec.SetCaption(L"Copy IMG tag");
    bspec.SetToolTipText(L"Put IMG tag on clipboard with width and height specs for this file");
    FrImageOps.SetVisible(false);
}

void fedit::PlaceStatusRow()
{
    FrStatus.Place(*this, 345, 6480, 10650, 375);
    // The sunken edge is the row's only border (Form_Load adds it).
    FrStatus.SetBorderStyle(Border::None);
    LabStatus.Place(FrStatus, 0, 60, 40000, 255);
    LabStatus.UseMnemonic = false;
    LabStatus.WordWrap = false;
    const wchar_t* scrollTips[2] = {L"Scroll status text left.", L"Scroll status text right."};
    for (int i = 0; i < 2; ++i) {
        bStatScroll(i).Place(*this, i == 0 ? 60 : 10945, 6510, 255, 255);
        bStatScroll(i).SetToolTipText(scrollTips[i]);
    }
    // The command-line bar lies over the status text while it is shown.
    FrCommand.Place(FrStatus, 0, 0, 10650, 375);
    FrCommand.SetBorderStyle(forms::Border::None);
    LabCommand.Place(FrCommand, 60, 75, 1300, 255);
    LabCommand.SetCaption(L"Command Line:");
    tCommand.Place(FrCommand, 1360, 0, 7000, 330);
    for (int i = 0; i < 2; ++i) {
        bCommand(i).Place(FrCommand, 9000 + i * 600, 15, 420, 330);
        bCommand(i).SetCaption(i == 0 ? L"X" : L"?");
    }
    FrCommand.SetVisible(false);

    FrCSS.Place(*this, 0, 6480, 11340, 375);
    FrCSS.SetBorderStyle(forms::Border::None);
    const wchar_t* cssTips[2] = {L"Show properties auto-insert popup. (Or use F11 key.)",
                                 L"Show values auto-insert popup. (Or use F12  key.)"};
    for (int i = 0; i < 2; ++i) {
        bPropCSS(i).Place(FrCSS, 5000 + i * 700, 20, 330, 330);
        bPropCSS(i).SetToolTipText(cssTips[i]);
    }
    FrCSS.SetVisible(false);
    FrCSS.WindowWhenShown = true;

    tabs_.Place();
}

void fedit::WireEvents()
{
    // The editor and its gutter are wired with the editing (WireEditing).
    tabs_.Wire();
    JT1.FileDrop = [this](HDROP& hDrop) { JT1_FileDrop(hDrop); };
    WireToolbars();
}

void fedit::Form_Load()
{
    SettingsRecord& rec = Settings();
    ModFormOps::SetExStyle(FrImageOps.hwnd, ModFormOps::ExStyleKind::ModalFrame);
    ModFormOps::SetExStyle(FrStatus.hwnd, ModFormOps::ExStyleKind::ClientEdge);
    ModFormOps::SetExStyle(TBarA.hwnd, ModFormOps::ExStyleKind::ModalFrame);
    JT1.SetUndoLimit(rec.UndoLimit);
    State().RunWithWScript = true;
    BoxPopJ.List.SelBackColor(0xBE681B);
    BoxPopJ.List.SelTextColor(0xFBEDE1);
    SetCaption(L"TARNEL Editor - " + TypeName());
    normalWidth_ = rec.WinWidth;
    normalHeight_ = rec.WinHeight;
    if (rec.WinState != 2) {
        SetWindowState(forms::FormWindowState::Normal);
        Move(kKeep, kKeep, rec.WinWidth, rec.WinHeight);
    } else {
        Move(kKeep, kKeep, rec.WinWidth, rec.WinHeight);
        SetWindowState(forms::FormWindowState::Maximized);
    }
    if (!platform::FolderExists(rec.WebTempFolder))
        platform::ShowMessage(L"The setting for the Webpage Temp Folder, " + rec.WebTempFolder +
                                  L", is pointing to a non-existent folder and needs to be changed in Options -- "
                                  L"Settings.",
                              platform::MessageStyle::Information, hwnd);
    for (int i = 1; i <= 27; ++i) {
        Lht(i).SetMousePointer(MousePointer::Custom);
        Lht(i).SetMouseIcon(Lht(0).MouseIcon());
    }
    LoadToolbars();
}

void fedit::Form_KeyDown(int& KeyCode, int Shift)
{
    (void)KeyCode;
    (void)Shift;
    if (WindowState() == forms::FormWindowState::Minimized)
        return;
    HiBox(0).SetVisible(false);
    HiBox(1).SetVisible(false);
    JT1.SetFocus();
}

void fedit::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    if (State().ProgramClosing)
        return;
    // The close box asks about unsaved documents, and so does the end of the
    // Windows session: a log-off must not lose them either.
    if (UnloadMode == vbFormControlMenu || UnloadMode == vbAppWindows) {
        if (!QuerySaveAll()) {
            Cancel = 1;
            return;
        }
        if (UnloadMode == vbAppWindows)
            return;   // WM_ENDSESSION runs the closing sequence
    }
    // The closing sequence runs before this unload goes on; it leaves the
    // window itself to this unload.
    inUnload_ = true;
    program_.ShutDown();
}

bool fedit::Form_Message(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_COMMAND:
        if (lp == 0 && LOWORD(wp) >= IDM_mfile && LOWORD(wp) <= IDM_Last) {
            if (MenuItem* item = MenuById(LOWORD(wp)))
                if (Pickable(*item))
                    item->FireClick();
            result = 0;
            return true;
        }
        return false;
    case WM_SIZE:
        // The normal size is what the window comes back to and what is stored.
        if (wp == SIZE_RESTORED && hwnd && !IsIconic(hwnd) && !IsZoomed(hwnd)) {
            normalWidth_ = Width();
            normalHeight_ = Height();
        }
        return false;
    case WM_MOVE:
        // The find window lies over this window's bottom strip wherever it goes.
        PositionFind();
        return false;
    case WM_DISPLAYCHANGE:
        // A taller screen shows more gutter rows than were measured before.
        screenHeight_ = std::max(screenHeight_, static_cast<int>(HIWORD(lp)));
        gutterScreenRows_ = 0;
        FillGutter();
        return false;
    case WM_ENDSESSION:
        if (wp)
            program_.ShutDown();
        result = 0;
        return true;
    case kReleaseSettings:
        if (static_cast<unsigned>(wp) == csGeneration_)
            ReleaseSettingsComponent();
        result = 0;
        return true;
    default:
        return false;
    }
}

std::wstring fedit::TypeName() const
{
    const MenuSetRows::DocumentTypeRow& row = MenuSetRows::DocumentTypeRowOf(State().EdType);
    return row.hasMode ? MenuSetRows::ModeItemOf(row.mode).typeName : L"";
}

void fedit::SetCaptions()
{
    std::wstring caption = L"TARNEL Editor - " + TypeName() + L" - " + State().CurrentFilePath;
    SetCaption(caption);
    BrowserWindow().SetCaption(caption);
}

void fedit::ShowInfo(const std::wstring& text)
{
    tinfo.SetBackColor(0xFCFBFB);
    tinfo.SetForeColor(0);
    tinfo.SetCaption(text);
}

void fedit::ClearInfo()
{
    tinfo.SetCaption(L"");
    tinfo.SetBackColor(vbButtonFace);
    tinfo.SetForeColor(vbButtonText);
}

void fedit::ShowStatus(const std::wstring& text)
{
    if (!Settings().NoStatusHighlight) {
        LabStatus.SetBackColor(0xFFFFFF);
        LabStatus.SetForeColor(0);
    }
    LabStatus.SetLeft(60);
    LabStatus.SetCaption(text);
}

void fedit::ClearStatus()
{
    LabStatus.SetBackColor(vbButtonFace);
    LabStatus.SetForeColor(vbButtonText);
    LabStatus.SetLeft(60);
    LabStatus.SetCaption(L"");
}

void fedit::mExit_Click()
{
    if (!QuerySaveAll())
        return;
    program_.ShutDown();
}

void fedit::mSettings_Click()
{
    ShowSettings();
}

void fedit::mCallHelp_Click()
{
    program_.OpenHelpFile();
}

void fedit::PrepareClose()
{
    ReleaseSettingsComponent();
}
