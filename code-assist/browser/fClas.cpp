#include "fClas.h"

#include "ToolButtons.h"
#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "MainHost.h"
#include "ModFileOps.h"
#include "ModFormOps.h"
#include "autoinsert/AutoInsert.h"
#include "cBrowse/cBrowse.h"
#include "forms/BusyScope.h"
#include "forms/Runtime.h"

#include <commctrl.h>
#include <memory>

using namespace ModOrmund;

namespace {

const UINT_PTR kScrollWatch = 0x4F42;  // "OB"
const int kColumnTop = 840, kColumnHeight = 3900;

std::unique_ptr<fClas>& Instance()
{
    static std::unique_ptr<fClas> window;
    return window;
}

std::wstring SystemFolder()
{
    const std::wstring& noted = State().SystemFolder;
    return noted.empty() ? ModFileOps::GetSpecialFolder(ModFileOps::SpecialFolder::System) : noted;
}

} // namespace

fClas& ObjectBrowserForm()
{
    if (!Instance())
        Instance() = std::make_unique<fClas>();
    return *Instance();
}

void UnloadObjectBrowserForm()
{
    if (!Instance())
        return;
    Instance()->Unload();
    Instance().reset();
}

fClas::fClas()
{
    SetCaption(L" Ormund - TARNEL Object Browser");
    BorderStyle = forms::FormBorderStyle::FixedSingle;
    MaxButton = false;
    SetClientSize(9240, 6660);
    PlaceListPage();
    PlacePropsPage();
}

fClas::~fClas()
{
    Teardown();
}

void fClas::PlaceListPage()
{
    PlaceToolButton(bListCls, *this, 120, 120, 1200, 330, L"List");
    bListCls.SetToolTipText(L"List all registered objects.");
    Lab(3).Place(*this, 1440, 180, 2600, 240);
    Lab(3).SetCaption(L"List all registered classes");
    PlaceToolButton(bBrowse, *this, 4080, 120, 1200, 330, L"Browse");
    bBrowse.SetToolTipText(L"Browse for EXE, DLL or OCX file to get properties.");
    Lab(4).Place(*this, 5400, 180, 1800, 240);
    Lab(4).SetCaption(L"Browse for file");
    PlaceToolButton(bShow2, *this, 7920, 120, 1200, 330, L"Swap");
    bShow2.SetToolTipText(L"Toggle betwwen name list and ProgID list.");

    const int lefts[] = {120, 2760, 6600}, widths[] = {2600, 3800, 2520};
    // Long names scroll sideways.
    for (int i = 0; i < 4; ++i)
        boxR(i).HScroll = true;
    for (int i = 0; i < 3; ++i) {
        Lab(i).Place(*this, lefts[i], 600, widths[i], 240);
        Lab(i).SetFontBold(true);
        boxR(i).Place(*this, lefts[i], kColumnTop, widths[i], kColumnHeight);
    }
    boxR(3).Place(*this, lefts[0], kColumnTop, widths[0], kColumnHeight);
    boxR(0).SetVisible(false);

    LabPath.Place(*this, 120, 4800, 9000, 240);
    LabPath.UseMnemonic = false;
    Lab(5).Place(*this, 120, 5220, 2520, 240);
    Lab(5).SetCaption(L"Find text in selected column:");
    tFind.Place(*this, 2640, 5160, 2400, 300);
    const wchar_t* options[] = {L"Name", L"CLSID", L"File", L"ProgID"};
    for (int i = 0; i < 4; ++i) {
        OpFind(i).Place(*this, 5160 + i * 780, 5180, 760, 260);
        OpFind(i).SetCaption(options[i]);
    }
    OpFind(3).SetValue(true);
    PlaceToolButton(bFind, *this, 8400, 5145, 720, 330, L"Find");
    Lab(6).Place(*this, 120, 5760, 9000, 240);
    Lab(6).SetCaption(L"Double-click selected list item to show object information.");
    Lab(7).Place(*this, 120, 6060, 9000, 240);
    Lab(7).SetCaption(L"(Use right-click menu to copy info., save to Snippet Library or add class to Auto-Insert.)");

    Menus.Add(mPop, L"ListPop");
    mPop.Add(mCopy, L"Copy Sel. &Listing");
    mPop.Add(mCopyID, L"Copy Sel. &CLSID");
    mPop.Add(mAddToAuto, L"Send Sel. Class to Auto-Insert Setup");
    mPop.Add(mline, L"-");
    mPop.Add(mProps, L"&File and CLSID Properties");
    mPop.SetVisible(false);

    bListCls.Click = [this] { bListCls_Click(); };
    bBrowse.Click = [this] { bBrowse_Click(); };
    bShow2.Click = [this] { bShow2_Click(); };
    bFind.Click = [this] { bFind_Click(); };
    boxR.Click = [this](int Index) { boxR_Click(Index); };
    boxR.MouseUp = [this](int Index, int Button, int, int, int) { boxR_MouseUp(Index, Button); };
    boxR.DblClick = [this](int) { mProps_Click(); };
    tFind.Change = [this] { FindStart = 0; };
    OpFind.Click = [this](int) { FindStart = 0; };
    mCopy.Click = [this] { mCopy_Click(); };
    mCopyID.Click = [this] { mCopyID_Click(); };
    mAddToAuto.Click = [this] { mAddToAuto_Click(); };
    mProps.Click = [this] { mProps_Click(); };
}

void fClas::PlacePropsPage()
{
    FrProps.Place(*this, 0, 0, 9240, 6660);
    FrProps.SetBorderStyle(forms::Border::None);
    FrProps.SetVisible(false);
    TLBProps.Place(*this, FrProps, 60, 0, 9120, 6060);
    FilProps.Place(*this, FrProps, 60, 0, 9120, 6060);
    FilProps.Frame.SetVisible(false);
    PlaceToolButton(bShow(0), FrProps, 120, 6180, 1500, 330, L"Members");
    bShow(0).SetToolTipText(L"Show Object Browser window");
    PlaceToolButton(bShow(1), FrProps, 1740, 6180, 1500, 330, L"Properties");
    bShow(1).SetToolTipText(L"Show File/Class Properties window.");
    PlaceToolButton(bCloseProp, FrProps, 7620, 6180, 1500, 330, L"Close");
    bCloseProp.SetToolTipText(L"Return to main window.");
    bShow.Click = [this](int Index) { bShow_Click(Index); };
    bCloseProp.Click = [this] { ClearProps(); };
}

void fClas::Form_Load()
{
    if (State().ProgramClosing)
        return;
    TLBProps.Init();
    // A load after the user's close starts with empty columns.
    rows_.clear();
    topIndex_ = 0;
    FindStart = 0;
    busy_ = false;
    ProgIdFirst = false;
    bShow(1).SetEnabled(true);
    bShow(0).SetEnabled(false);
    imageHelpPresent_ = ModFileOps::FileExists(SystemFolder() + L"\\IMAGEHLP.DLL");
    for (int i = 0; i < 4; ++i) {
        SetWindowSubclass(boxR(i).hwnd, &fClas::ColumnProc, kScrollWatch, reinterpret_cast<DWORD_PTR>(this));
        FitWholeRows(boxR(i).hwnd);
    }
}

// A column ends below its last whole row, so that no row shows cut off.
void fClas::FitWholeRows(HWND column)
{
    const int row = static_cast<int>(SendMessageW(column, LB_GETITEMHEIGHT, 0, 0));
    RECT outer{}, client{};
    if (row <= 0 || !GetWindowRect(column, &outer) || !GetClientRect(column, &client))
        return;
    const int cut = client.bottom % row;
    if (cut > 0 && client.bottom > row)
        SetWindowPos(column, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top - cut,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Lists raise no scroll event: the top row is compared after the messages
// that scroll them (comparing after every message made each one cost the
// other three columns' work too).
LRESULT CALLBACK fClas::ColumnProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data)
{
    LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &fClas::ColumnProc, id);
        return result;
    }
    switch (msg) {
    case WM_VSCROLL: case WM_MOUSEWHEEL: case WM_KEYDOWN: case WM_LBUTTONDOWN: case WM_MOUSEMOVE: case WM_TIMER:
        break;
    default:
        return result;
    }
    auto* form = reinterpret_cast<fClas*>(data);
    if (form->Quiet())
        return result;
    int top = static_cast<int>(SendMessageW(hwnd, LB_GETTOPINDEX, 0, 0));
    if (top != form->topIndex_) {
        for (int i = 0; i < 4; ++i)
            if (form->boxR(i).hwnd == hwnd)
                form->boxR_Scroll(i);
    }
    return result;
}

void fClas::bListCls_Click()
{
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    for (int i = 0; i < 4; ++i)
        boxR(i).Clear();
    LabPath.SetCaption(L"");
    Lab(0).SetCaption(ProgIdFirst ? L"ProgID" : L"Object Name");
    Lab(1).SetCaption(L"CLSID");
    Lab(2).SetCaption(L"File Name");
    OpFind(2).SetEnabled(true);
    forms::Hourglass hourglass;
    {
        RedrawLock lock(hwnd);
        rows_ = ListClasses();
        // Each column in one pass, drawn once: item by item, the four
        // lists took longer than the scan itself.
        std::vector<std::wstring> columns[4];
        for (std::vector<std::wstring>& column : columns)
            column.reserve(rows_.size());
        for (const ClassRow& row : rows_) {
            columns[0].push_back(row.ProgId);
            columns[1].push_back(row.Clsid);
            columns[2].push_back(row.File);
            columns[3].push_back(row.Name);
        }
        for (int i = 0; i < 4; ++i) {
            boxR(i).AddItems(columns[i]);
            ModFormOps::SetListHScroll(boxR(i).hwnd, columns[i]);
        }
    }
    topIndex_ = 0;
    FindStart = 0;
    LabPath.SetCaption(L"Double-click list item to get properties info.");
}

void fClas::SelectRow(int row)
{
    for (int i = 0; i < 4; ++i)
        boxR(i).SetListIndex(row);
}

std::wstring fClas::SelectedColumn(int column)
{
    return boxR(column).Text();
}

void fClas::boxR_Click(int Index)
{
    // Selecting the other columns' row by code raises their Click too.
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    LabPath.SetCaption(L"");
    SelectRow(boxR(Index).ListIndex());
    ServerKind kind;
    LabPath.SetCaption(GetServerPath(SelectedColumn(1), kind));
}

void fClas::boxR_MouseUp(int Index, int Button)
{
    if (Button != 1 && !busy_)
        PopupMenu(mPop);
}

void fClas::boxR_Scroll(int Index)
{
    topIndex_ = boxR(Index).TopIndex();
    for (int i = 0; i < 4; ++i)
        if (i != Index)
            boxR(i).SetTopIndex(topIndex_);
}

void fClas::bFind_Click()
{
    std::wstring text = tFind.Text();
    if (text.empty() || boxR(1).ListCount() == 0)
        return;
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    LabPath.SetCaption(L"");
    std::vector<std::wstring> column;
    column.reserve(rows_.size());
    for (const ClassRow& row : rows_)
        column.push_back(OpFind(0).Value()   ? row.Name
                         : OpFind(1).Value() ? row.Clsid
                         : OpFind(2).Value() ? row.File
                                             : row.ProgId);
    int hit = FindInList(column, text, FindStart);
    if (hit < 0) {
        FindStart = 0;
        forms::MsgBox(L"\"" + text + L"\" not found.", forms::vbInformation);
        return;
    }
    SelectRow(hit);
    topIndex_ = hit;
    for (int i = 0; i < 4; ++i)
        boxR(i).SetTopIndex(hit);
    FindStart = hit + 1;
    ServerKind kind;
    LabPath.SetCaption(GetServerPath(rows_[hit].Clsid, kind));
}

void fClas::bShow2_Click()
{
    ProgIdFirst = !ProgIdFirst;
    boxR(ProgIdFirst ? 0 : 3).SetVisible(true);
    boxR(ProgIdFirst ? 3 : 0).SetVisible(false);
    if (!Lab(0).Caption().empty())
        Lab(0).SetCaption(ProgIdFirst ? L"ProgID" : L"Object Name");
}

void fClas::bBrowse_Click()
{
    std::wstring path = cBrowse().DOpen(hwnd, L"Get File Properties", L"Typelib Files(*.exe;*.dll;*.ocx;*.tlb)",
                                        L"*.exe;*.dll;*.ocx;*.tlb", true, SystemFolder());
    if (!ModFileOps::FileExists(path))
        return;
    forms::Hourglass hourglass;
    GetFileProps(path);
    ShowPropsPage();
}

void fClas::GetFileProps(const std::wstring& path)
{
    FilProps.ClearFields(ProgId, L"");
    FilProps.ClearFields(Clsid, L"");
    FilProps.CatBox.Clear();
    FilProps.MarkClassFields(false);
    ClassProps props;
    FillFileFields(path, props);
    for (int i = FilePath; i <= Company; ++i)
        FilProps.ClearFields(i, props.Fields[i] + L" ");
    // A chosen file is read whatever the System folder holds.
    FilProps.AddFileLists(ReadFileLists(path, true));
    TLBProps.ShowTypeLib(path, L"");
}

bool fClas::ShowClassFileInfo(std::wstring& clsid, std::wstring& file)
{
    file.clear();
    std::wstring selected = SelectedColumn(1);
    if (selected.empty()) {
        FilProps.ClearFields(Clsid, L"No CLSID available.");
        return false;
    }
    ClassProps props = ShowClassProps(selected, SelectedColumn(0), SystemFolder());
    FilProps.ShowFields(props);
    FilProps.AddCategories(props.Categories);
    if (props.ServerFile.empty())
        return false;
    file = props.ServerFile;
    clsid = selected;
    FilProps.AddFileLists(ReadFileLists(file, imageHelpPresent_));
    return true;
}

void fClas::mProps_Click()
{
    if (boxR(1).ListIndex() < 0) {
        forms::MsgBox(L"Nothing selected.", forms::vbInformation);
        return;
    }
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    forms::Hourglass hourglass;
    TLBProps.ClsBoxJ.List.Clear();
    TLBProps.ClsT.ClearAll();
    FilProps.MarkClassFields(true);
    std::wstring clsid, file;
    if (!ShowClassFileInfo(clsid, file)) {
        forms::MsgBox(L"File or CLSID not found.", forms::vbInformation);
        return;
    }
    TLBProps.ShowTypeLib(file, clsid);
    std::wstring progId = SelectedColumn(0);
    size_t dot = progId.find(L'.');
    TLBProps.ShowClass(dot == std::wstring::npos ? progId : progId.substr(dot + 1));
    ShowPropsPage();
}

void fClas::ShowPropsPage()
{
    // The page covers the class list, whose controls were placed before it.
    FrProps.SetVisible(true);
    FrProps.ZOrder(0);
}

void fClas::bShow_Click(int Index)
{
    TLBProps.Frame.SetVisible(Index == 0);
    FilProps.Frame.SetVisible(Index == 1);
    bShow(Index).SetEnabled(false);
    bShow(1 - Index).SetEnabled(true);
}

void fClas::mCopy_Click()
{
    int row = boxR(0).ListIndex();
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    forms::ClipboardClear();
    forms::ClipboardSetText(CopyRow(rows_[row]));
}

void fClas::mCopyID_Click()
{
    std::wstring clsid = SelectedColumn(1);
    if (clsid.empty())
        return;
    forms::ClipboardClear();
    forms::ClipboardSetText(clsid);
}

void fClas::mAddToAuto_Click()
{
    if (boxR(0).ListIndex() < 0) {
        forms::MsgBox(L"No item selected.", forms::vbInformation);
        return;
    }
    ShowAutoInsertFor(SelectedColumn(1), L"");
}

void fClas::ClearProps()
{
    FrProps.SetVisible(false);
    FilProps.Clear();
    TLBProps.Clear();
}

void fClas::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    if (UnloadMode != forms::vbFormControlMenu)
        return;
    Hide();
    ClearProps();
    if (Host() && IsWindowVisible(Host()->Window()))
        Host()->JT1().SetFocus();
}
