#include "fSample.h"

using namespace forms;

HWND KeyHungryControl::CreateHandle(HWND parent, const RECT& px)
{
    static ATOM cls = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = L"KeyHungryControl";
        return RegisterClassW(&wc);
    }();
    (void)cls;
    HWND w = CreateWindowExW(WS_EX_CLIENTEDGE, L"KeyHungryControl", L"", WS_CHILD | WS_TABSTOP,
                             px.left, px.top, px.right - px.left, px.bottom - px.top, parent,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return w;
}

LRESULT CALLBACK KeyHungryControl::Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = reinterpret_cast<KeyHungryControl*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        if (self && self->log)
            self->log->push_back(L"Custom key " + std::to_wstring(wp));
        return 0;
    case WM_LBUTTONDOWN:
        ::SetFocus(w);
        return 0;
    default:
        return DefWindowProcW(w, msg, wp, lp);
    }
}

fSample::fSample()
{
    SetCaption(L"Forms sample");
    StartUpPosition = forms::FormStartUpPosition::Manual;
    Move(300, 300);
    SetClientSize(9000, 6000);
    KeyPreview = true;

    Lab1.Place(*this, 120, 120, 2400, 255);
    Lab1.SetCaption(L"Enter path to file:");
    tName.Place(*this, 120, 420, 2400, 285);
    tName.SetText(L"start");
    tNotes.MultiLine = true;
    tNotes.ScrollBars = 2;
    tNotes.Place(*this, 120, 780, 2400, 900);
    BoxE.Place(*this, 120, 1800, 2400, 1200);
    for (const wchar_t* e : {L"XYZ", L"ABC", L"PHP3"})
        BoxE.AddItem(e);
    boxface.Place(*this, 120, 3120, 2400, 315);
    boxface.AddItem(L"Arial");
    boxface.AddItem(L"Courier New");
    BoxDefExt.Style = 2;
    BoxDefExt.Place(*this, 120, 3540, 2400, 315);
    for (const wchar_t* e : {L"html", L"txt", L"vbs", L"js"})
        BoxDefExt.AddItem(e);
    CkTab.Place(*this, 120, 3960, 3600, 255);
    CkTab.SetCaption(L"Use \"Move Text\" spacer in place of Tab character.");

    FrGen.Place(*this, 2760, 120, 3000, 1500);
    FrGen.SetCaption(L" Assign program ");
    opA.Place(FrGen, 120, 300, 2000, 255);
    opA.SetCaption(L"Menu 1");
    opB.Place(FrGen, 120, 660, 2000, 255);
    opB.SetCaption(L"Menu 2");
    opOther.Place(*this, 2760, 1740, 2000, 255);
    opOther.SetCaption(L"Outside the frame");

    Pic1.Place(*this, 2760, 2100, 3000, 1000);
    Pic1.SetBackColor(vbWhite);
    Pic1.Paint = [this](HDC dc) {
        RECT r{10, 10, 120, 40};
        DrawTextW(dc, L"painted", -1, &r, DT_LEFT);
    };
    Im1.Place(*this, 2760, 3240, 480, 480);
    Im1.SetIcon(LoadIconW(nullptr, IDI_INFORMATION));
    Im1.SetBorderStyle(forms::Border::FixedSingle);
    HiBox.Place(*this, 3300, 3240, 1200, 480);
    HiBox.SetBorderColor(vbRed);
    HiBox.SetBorderWidth(2);
    Line2.PlaceLine(*this, 4700, 3240, 4700, 3720);

    for (int i = 0; i < 3; ++i) {
        LabSetMenu(i).Place(*this, 6000, 120 + i * 360, 2800, 300);
        LabSetMenu(i).SetCaption(i == 0 ? L"General" : i == 1 ? L"Colorcoding" : L"Debugging, Misc.");
        LabSetMenu(i).SetBorderStyle(forms::Border::FixedSingle);
    }
    for (int i = 0; i < 2; ++i) {
        OpColors(i).Place(*this, 6000, 1320 + i * 300, 2800, 255);
        OpColors(i).SetCaption(i == 0 ? L"HTML tags" : L"Script Keywords");
    }

    bOK.Place(*this, 6000, 5400, 1200, 375);
    bOK.SetCaption(L"OK");
    bOK.SetDefault(true);
    bCancel.Place(*this, 7320, 5400, 1200, 375);
    bCancel.SetCaption(L"Cancel");
    bCancel.SetCancel(true);
    bCancel.SetToolTipText(L"Close without saving.");
    Custom.Place(*this, 6000, 2100, 2800, 1000);
    Custom.log = &Log;

    Menus.Add(mFile, L"&File");
    mFile.Add(mNew, L"&New");
    mFile.Add(mSave, L"&Save");
    mFile.Add(mtemp1, L"-");
    mFile.Add(mExit, L"E&xit");
    Menus.Add(mEdit, L"&Edit");
    mEdit.Add(mUndo, L"&Undo");
    Menus.Add(mPop, L"Popup");
    mPop.Add(mPopCopy, L"&Copy");
    mPop.SetVisible(false);

    // Handlers, all in one place.
    tName.Change = [this] { Note(L"tName_Change " + tName.Text()); };
    tName.KeyDown = [this](int& KeyCode, int) { Note(L"tName_KeyDown " + std::to_wstring(KeyCode)); };
    tName.KeyPress = [this](int& KeyAscii) {
        if (KeyAscii == 'q')
            KeyAscii = 'Q'; // handlers may change the key
    };
    tName.GotFocus = [this] { Note(L"tName_GotFocus"); };
    tName.LostFocus = [this] { Note(L"tName_LostFocus"); };
    BoxE.Click = [this] { Note(L"BoxE_Click " + std::to_wstring(BoxE.ListIndex())); };
    BoxE.DblClick = [this] { Note(L"BoxE_DblClick"); };
    boxface.Change = [this] { Note(L"boxface_Change " + boxface.Text()); };
    boxface.Click = [this] { Note(L"boxface_Click " + boxface.Text()); };
    BoxDefExt.Click = [this] { Note(L"BoxDefExt_Click " + std::to_wstring(BoxDefExt.ListIndex())); };
    CkTab.Click = [this] { Note(L"CkTab_Click " + std::to_wstring(CkTab.Value())); };
    opA.Click = [this] { Note(L"opA_Click"); };
    opB.Click = [this] { Note(L"opB_Click"); };
    opOther.Click = [this] { Note(L"opOther_Click"); };
    LabSetMenu.Click = [this](int Index) { Note(L"LabSetMenu_Click " + std::to_wstring(Index)); };
    LabSetMenu.MouseDown = [this](int Index, int Button, int, int, int) {
        Note(L"LabSetMenu_MouseDown " + std::to_wstring(Index) + L" " + std::to_wstring(Button));
    };
    OpColors.Click = [this](int Index) { Note(L"OpColors_Click " + std::to_wstring(Index)); };
    bOK.Click = [this] { Note(L"bOK_Click"); };
    bCancel.Click = [this] { Note(L"bCancel_Click"); };
    mNew.Click = [this] { Note(L"mNew_Click"); };
    mExit.Click = [this] { Unload(); };
    mEdit.Click = [this] { Note(L"mEdit_Click"); };
}

void fSample::Form_Load()
{
    Note(L"Form_Load " + std::to_wstring(bOK.hwnd != nullptr));
}

int g_sampleResizes = 0;

void fSample::Form_Resize()
{
    ++g_sampleResizes;
    Note(L"Form_Resize");
}

void fSample::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    Note(L"Form_QueryUnload " + std::to_wstring(UnloadMode));
    if (CancelUnload)
        Cancel = 1;
}

void fSample::Form_Unload(int& Cancel)
{
    Note(L"Form_Unload");
}

void fSample::Form_KeyDown(int& KeyCode, int Shift)
{
    Note(L"Form_KeyDown " + std::to_wstring(KeyCode));
    if (EatF2 && KeyCode == VK_F2)
        KeyCode = 0;
}

void fSample::Form_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 'z')
        KeyAscii = 0; // eaten before the text box sees it
}
