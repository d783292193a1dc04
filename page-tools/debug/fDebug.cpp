#include "fDebug.h"

#include "MainHost.h"
#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "ModFormOps.h"
#include "ModVBSDebug.h"
#include "EditorGlue.h"
#include "forms/BusyScope.h"
#include "forms/Runtime.h"

#include <commctrl.h>
#include <cwctype>
#include <memory>

namespace {

const UINT_PTR kScrollWatch = 0x4442;  // "DB"

std::unique_ptr<fDebug>& Instance()
{
    static std::unique_ptr<fDebug> window;
    return window;
}

void PlaceButton(ButSilver2Control& b, forms::Form& on, int left, int top, const wchar_t* caption)
{
    const int width = 960, height = 330;
    b.Place(on, left, top, width, height);
    HBITMAP picture = ButSilver2::CaptionPicture(caption, forms::TwipsToPixelsX(width),
                                                 forms::TwipsToPixelsY(height));
    if (picture) {
        b.Button.Image(picture);  // the button keeps a copy
        DeleteObject(picture);
    }
}

} // namespace

fDebug& ReportWindow()
{
    if (!Instance())
        Instance() = std::make_unique<fDebug>();
    return *Instance();
}

void UnloadReportWindow()
{
    if (!Instance())
        return;
    Instance()->Unload();
    Instance().reset();
}

fDebug::fDebug()
{
    SetCaption(L"Format Debugging Report");
    BorderStyle = forms::FormBorderStyle::FixedToolWindow;
    ShowInTaskbar = false;
    StartUpPosition = forms::FormStartUpPosition::Manual;
    forms::FontSpec arial;
    arial.Name = L"Arial";
    arial.Size = 9;
    SetFont(arial);
    SetClientSize(5640, 3360);

    Label1(0).Place(*this, 120, 90, 840, 240);
    Label1(0).SetCaption(L"Line #");
    Label1(2).Place(*this, 1080, 90, 2400, 240);
    Label1(2).SetCaption(L"Error Description:");
    Label1(1).Place(*this, 120, 2640, 3000, 240);
    Label1(1).SetCaption(L"Selecting item goes to line.");
    for (int i : {0, 1, 2}) {
        Label1(i).SetFontName(L"Verdana");
        Label1(i).SetFontSize(8);
    }
    BoxBug(0).Place(*this, 120, 360, 840, 2220);
    BoxBug(1).Place(*this, 1080, 360, 4440, 2220);
    PlaceButton(bRerun, *this, 3360, 2940, L"Rerun");
    bRerun.SetToolTipText(L"Run debugger again.");
    PlaceButton(bclose, *this, 4560, 2940, L"Close");

    BoxBug.Click = [this](int Index) { BoxBug_Click(Index); };
    bRerun.Click = [this] { bRerun_Click(); };
    bclose.Click = [this] { bclose_Click(); };
}

fDebug::~fDebug()
{
    // The lists drop their scroll watch as their windows go.
    Teardown();
}

void fDebug::Form_Load()
{
    for (int i : {0, 1})
        SetWindowSubclass(BoxBug(i).hwnd, &fDebug::ListProc, kScrollWatch, reinterpret_cast<DWORD_PTR>(this));
}

// Lists raise no scroll event: the top row is compared after every message
// that can scroll them.
LRESULT CALLBACK fDebug::ListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data)
{
    LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &fDebug::ListProc, id);
        return result;
    }
    if (msg == LB_GETTOPINDEX)
        return result;  // the question asked below
    auto* form = reinterpret_cast<fDebug*>(data);
    if (form->Quiet())
        return result;
    int index = hwnd == form->BoxBug(0).hwnd ? 0 : 1;
    int top = static_cast<int>(SendMessageW(hwnd, LB_GETTOPINDEX, 0, 0));
    if (top != form->topIndex_[index]) {
        form->topIndex_[index] = top;
        form->BoxBug_Scroll(index);
    }
    return result;
}

void fDebug::ClearReport()
{
    BoxBug(0).Clear();
    BoxBug(1).Clear();
    topIndex_[0] = topIndex_[1] = 0;
}

void fDebug::AddReportLine(const std::wstring& message, long line)
{
    BoxBug(0).AddItem(line > -1 ? std::to_wstring(line) : std::wstring(L"-"));
    BoxBug(1).AddItem(message);
}

long fDebug::ReportCount() const
{
    return const_cast<fDebug*>(this)->BoxBug(1).ListCount();
}

void fDebug::ShowReport(const std::wstring& caption)
{
    Load();
    HWND main = State().MainWindow;
    RECT r{};
    if (main && GetWindowRect(main, &r)) {
        int mainLeft = forms::PixelsToTwipsX(r.left), mainTop = forms::PixelsToTwipsY(r.top);
        int mainWidth = forms::PixelsToTwipsX(r.right - r.left);
        int mainHeight = forms::PixelsToTwipsY(r.bottom - r.top);
        Move(mainLeft + mainWidth - (Width() + 300), mainTop + mainHeight - (Height() + 100));
    }
    SetCaption(caption);
    Show(forms::vbModeless, main);
    ModFormOps::SetTopMost(hwnd);
}

void fDebug::BoxBug_Click(int Index)
{
    // Selecting the other list's row by code raises its Click too.
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    BoxBug(Index == 0 ? 1 : 0).SetListIndex(BoxBug(Index).ListIndex());
    std::wstring number = BoxBug(0).Text();
    bool numeric = !number.empty() && number.size() < 10;
    for (wchar_t c : number)
        numeric = numeric && std::iswdigit(c);
    if (numeric)
        GoToLine(std::stol(number) - 1);
}

void fDebug::GoToLine(long line)
{
    KvRTB* editor = State().CurrentEditor;
    MainHost* host = Host();
    HWND gutter = host ? host->Gutter() : nullptr;
    if (editor && line >= 0 && line <= editor->TotalLines()) {
        long p = editor->GetLineIndex(line);
        if (p > -1) {
            editor->SetSelStart(p);
            SendMessageW(editor->RTBhWnd(), EM_SCROLLCARET, 0, 0);
        }
        // The gutter holds numbers up to 1998.
        if (line < 1998 && gutter) {
            long g = static_cast<long>(SendMessageW(gutter, EM_LINEINDEX, line, 0));
            if (g >= 0)
                SendMessageW(gutter, EM_SETSEL, g, g + 3);
        }
        // The caret is at the line's start: its first column.
        if (host)
            host->ShowLineColText(std::to_wstring(line + 1), L"1");
    }
    if (host)
        host->SyncLineNums();
    if (gutter)
        SendMessageW(gutter, EM_LINESCROLL, static_cast<WPARAM>(-3), 0);
}

void fDebug::BoxBug_Scroll(int Index)
{
    forms::ListBox& other = BoxBug(Index == 0 ? 1 : 0);
    int top = BoxBug(Index).TopIndex();
    if (other.TopIndex() != top)
        other.SetTopIndex(top);
}

void fDebug::ClearGutterSelection()
{
    HWND gutter = Host() ? Host()->Gutter() : nullptr;
    if (!gutter)
        return;
    DWORD start = 0;
    SendMessageW(gutter, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    SendMessageW(gutter, EM_SETSEL, start, start);
}

void fDebug::HideReport()
{
    ClearGutterSelection();
    ModFormOps::SetBottomMost(hwnd);
    Hide();
}

void fDebug::bRerun_Click()
{
    HideReport();
    LineDebug().RerunPending = true;
    if (MainHost* host = Host())
        host->mRunDebug_Click();
}

void fDebug::bclose_Click()
{
    HideReport();
    RestoreLineDebugging();
    ResetChangeTracking();
    if (KvRTB* editor = State().CurrentEditor)
        editor->SetSelStart(0);
    if (MainHost* host = Host())
        host->SyncLineNums();
}

void fDebug::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    if (UnloadMode == forms::vbFormControlMenu) {
        Cancel = 1;
        bclose_Click();
    }
}
