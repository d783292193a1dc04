#include "fAuto.h"

#include "AutoSetupRules.h"
#include "ClsDic.h"
#include "EditorState.h"
#include "ModFileOps.h"
#include "ModIni.h"
#include "ModTLB.h"
#include "ObjectListFile.h"
#include "ToolButtons.h"
#include "cBrowse/cBrowse.h"
#include "forms/BusyScope.h"
#include "forms/Runtime.h"
#include "platform/Messages.h"

#include <memory>

namespace {

std::unique_ptr<fAuto>& Instance()
{
    static std::unique_ptr<fAuto> window;
    return window;
}

void PlaceButton(ButSilver2Control& b, forms::Container& on, int left, int top, int width, const wchar_t* caption,
                 const wchar_t* tip)
{
    PlaceToolButton(b, on, left, top, width, 330, caption);
    b.SetToolTipText(tip);
}

void PlaceLabel(forms::Label& l, forms::Container& on, int left, int top, int width, int height,
                const wchar_t* caption)
{
    l.Place(on, left, top, width, height);
    l.SetCaption(caption);
}

// Lines end at CR in the listing, as the rich-edit control counts them.
std::wstring CrLines(std::wstring text)
{
    for (size_t p = 0; (p = text.find(L"\r\n", p)) != std::wstring::npos;)
        text.erase(p + 1, 1), ++p;
    return text;
}

} // namespace

fAuto& AutoSetupWindow()
{
    if (!Instance())
        Instance() = std::make_unique<fAuto>();
    return *Instance();
}

void UnloadAutoSetupWindow()
{
    if (!Instance())
        return;
    Instance()->Unload();
    Instance().reset();
}

fAuto::fAuto()
{
    SetCaption(L"Auto-Insert Settings");
    BorderStyle = forms::FormBorderStyle::FixedSingle;
    MaxButton = false;
    ShowInTaskbar = false;
    SetClientSize(8880, 5580);
    PlaceControls();
    boxAuto.Click = [this] { boxAuto_Click(); };
    boxAuto.ItemCheck = [this](int& i) { boxAuto_ItemCheck(i); };
    boxTemp.Click = [this] { boxTemp_Click(); };
    tVars.Change = [this] { tVars_Change(); };
    bViewCls.Click = [this] { bViewCls_Click(); };
    bRename.Click = [this] { bRename_Click(); };
    bRemove.Click = [this] { bRemove_Click(); };
    bUpdateVars.Click = [this] { bUpdateVars_Click(); };
    bClear.Click = [this] { bClear_Click(); };
    bAddClas.Click = [this] { bAddClas_Click(); };
    bAddFromFile.Click = [this] { bAddFromFile_Click(); };
    bAddObs.Click = [this] { bAddObs_Click(); };
    bCancelAdd.Click = [this] { bCancelAdd_Click(); };
    bCloseList.Click = [this] { bCloseList_Click(); };
    bReset.Click = [this] { bReset_Click(); };
}

fAuto::~fAuto() { Teardown(); }

void fAuto::PlaceControls()
{
    // Left: the object list; right: adding to it and Reset; below: the
    // variables. The found objects and a listing cover the two columns.
    Frame1.Place(*this, 120, 60, 4200, 4140);
    Frame1.SetCaption(L"  Object List  ");
    boxAuto.Style = 1;
    boxAuto.Place(Frame1, 120, 300, 3960, 3300);
    PlaceButton(bViewCls, Frame1, 120, 3690, 1260, L"View", L"Show listing of methods and properties for selected object.");
    PlaceButton(bRename, Frame1, 1470, 3690, 1260, L"Rename", L"Rename selected object.");
    PlaceButton(bRemove, Frame1, 2820, 3690, 1260, L"Remove", L"Remove selected object from listing.");

    FrClas.Place(*this, 4560, 60, 4200, 3000);
    FrClas.SetCaption(L"  Adding to Object List:  ");
    PlaceLabel(Label1(0), FrClas, 120, 270, 3960, 225, L"Enter ProgID...");
    tProgID.Place(FrClas, 120, 495, 3960, 300);
    PlaceLabel(Label1(1), FrClas, 120, 855, 3960, 225, L"...or Enter CLSID:");
    tCLSID.Place(FrClas, 120, 1080, 3960, 300);
    PlaceButton(bClear, FrClas, 120, 1470, 1260, L"Clear", L"Clear text fields.");
    PlaceButton(bAddClas, FrClas, 1470, 1470, 1260, L"Get Info", L"Get type info. for ProgID or CLSID.");
    PlaceButton(bAddFromFile, FrClas, 2820, 1470, 1260, L"From File", L"Get type info. from file.");
    PlaceLabel(Label1(2), FrClas, 120, 1890, 3960, 1050,
               L"Objects can be documented by providing ProgID or CLSID, or by selecting a file.  All objects in "
               L"file will be displayed for possible inclusion in Object List. Assign variables to new Object "
               L"List items for Auto-Insert popup. See Help for more info.");

    PlaceLabel(Label1(3), *this, 4680, 3120, 2760, 420, L"Update Editor Auto-Insert settings after making changes:");
    PlaceButton(bReset, *this, 7560, 3150, 1200, L"Reset", L"Reset all data, updating Auto-Insert settings.");
    PlaceLabel(Label1(4), *this, 4680, 3540, 3960, 800,
               L"Checked items in Object List will be loaded at startup for scripting Auto-Insert. Auto-Insert "
               L"window will appear when assigned variables are typed with a following period.");

    FrVar.Place(*this, 120, 4380, 8640, 1080);
    FrVar.SetCaption(L"Assigned variables for selected object (use comma-delimited list for more than one):");
    tVars.Place(FrVar, 120, 480, 7080, 300);
    PlaceButton(bUpdateVars, FrVar, 7320, 465, 1200, L"Update", L"Update variable list for selected object.");

    FrTemp.Place(*this, 4560, 60, 4200, 4260);
    FrTemp.SetCaption(L"Objects available in current file:");
    PlaceLabel(Label1(5), FrTemp, 120, 270, 3960, 420,
               L"Check the objects to add to the Object List, then click Add.");
    boxTemp.Style = 1;
    boxTemp.Place(FrTemp, 120, 720, 3960, 2880);
    PlaceButton(bAddObs, FrTemp, 120, 3690, 1260, L"Add", L"Add selected objects to Object List.");
    PlaceButton(bCancelAdd, FrTemp, 2820, 3690, 1260, L"Cancel", L"Cancel. Do not add to Object List.");
    FrTemp.SetVisible(false);

    FrTypeInf.Place(*this, 120, 60, 4200, 4260);
    FrTypeInf.SetCaption(L"  Listing For Selected Object:  ");
    RTBAuto.Place(FrTypeInf, 120, 300, 3960, 3300);
    PlaceButton(bCloseList, FrTypeInf, 2820, 3690, 1260, L"Close", L"Close listing.");
    FrTypeInf.SetVisible(false);
}

void fAuto::Form_Load()
{
    RTBAuto.SetUndoLimit(0);
    RTBAuto.SetFontName(KvRTB::BoldCapableFace(8));
    RTBAuto.SetFontSize(8);
    RTBAuto.SetReadOnly(true);
    busy_ = false;
}

void fAuto::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    if (UnloadMode == forms::vbFormControlMenu && !State().ProgramClosing) {
        Cancel = 1;
        Hide();
    }
}

void fAuto::Clear() { boxAuto.Clear(); }

void fAuto::Add(const std::wstring& name, bool ticked)
{
    boxAuto.AddItem(name);
    boxAuto.SetSelected(boxAuto.NewIndex(), ticked);
}

void fAuto::ShowFor(const std::wstring& clsid, const std::wstring& progId)
{
    Load();
    tCLSID.SetText(clsid);
    tProgID.SetText(clsid.empty() ? progId : L"");
    if (!Visible())
        Show();
    if (bAddClas.hwnd)
        ::SetFocus(bAddClas.hwnd);
}

const std::wstring& fAuto::ListPath() const { return State().ObjectListPath; }

void fAuto::Say(const std::wstring& text) { platform::ShowMessage(text, platform::MessageStyle::Information, hwnd); }

void fAuto::Say(int id) { Say(AutoSetupRules::Message(id)); }

std::vector<std::wstring> fAuto::ObjectNames()
{
    std::vector<std::wstring> names;
    for (int i = 0; i < boxAuto.ListCount(); ++i)
        names.push_back(boxAuto.List(i));
    return names;
}

void fAuto::bAddClas_Click()
{
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    std::wstring clsid = tCLSID.Text(), progId = tProgID.Text();
    if (int id = AutoSetupRules::CheckLookupInput(clsid, progId)) {
        Say(id);
        return;
    }
    std::wstring result;
    {
        forms::Hourglass wait;
        result = ModTLB::AddClassToAutoList(clsid, progId, false);
    }
    if (result != L"OK") {
        Say(result);
        return;
    }
    tCLSID.SetText(clsid);
    tProgID.SetText(progId);
    ShowFoundObjects();
}

void fAuto::bAddFromFile_Click()
{
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    const std::wstring path = cBrowse().DOpen(hwnd, L"Get File Properties", L"Typelib Files(*.exe;*.dll;*.ocx;*.tlb)",
                                              L"*.exe;*.dll;*.ocx;*.tlb", true, State().SystemFolder);
    if (!ModFileOps::FileExists(path))
        return;
    tCLSID.SetText(L"");
    tProgID.SetText(L"");
    std::wstring clsid, progId, result;
    {
        forms::Hourglass wait;
        result = ModTLB::AddClassToAutoList(clsid, progId, true, path);
    }
    if (result != L"OK") {
        Say(result);
        return;
    }
    ShowFoundObjects();
}

void fAuto::ShowFoundObjects()
{
    boxTemp.Clear();
    const auto& classes = State().AutoInsertClassDic;
    if (!classes || classes->Count() == 0) {
        Say(L"No objects found.");
        return;
    }
    for (const std::wstring& key : classes->Keys())
        if (!key.empty())
            boxTemp.AddItem(key);
    // The two panels cover the object list and the lookup boxes.
    FrTemp.SetVisible(true);
    FrTemp.ZOrder(0);
    bCloseList.SetVisible(false);
    FrTypeInf.SetVisible(true);
    FrTypeInf.ZOrder(0);
    boxTemp.SetListIndex(0);  // its Click finds the flag set
    ShowFoundListing(0);
}

void fAuto::ShowFoundListing(int index)
{
    const std::wstring name = boxTemp.List(index);
    const auto& classes = State().AutoInsertClassDic;
    if (name.empty() || !FrTypeInf.Visible() || !classes || !classes->Exists(name))
        return;
    RTBAuto.SetText(CrLines(AutoSetupRules::FoundListing(classes->Item(name))));
    ColorListing(true);
}

void fAuto::ColorListing(bool found)
{
    std::wstring text = CrLines(RTBAuto.Text());
    if (text.empty())
        return;
    RTBAuto.LockRTB();
    if (found) {
        // Only the member texts are shown: each entry's name and "=" go.
        std::wstring shown;
        for (size_t from = 0; from <= text.size();) {
            size_t end = text.find(L'\r', from);
            if (end == std::wstring::npos)
                end = text.size();
            std::wstring line = text.substr(from, end - from);
            size_t eq = line.find(L'=');
            shown += (eq == std::wstring::npos ? line : line.substr(eq + 1)) + (end < text.size() ? L"\r" : L"");
            from = end + 1;
        }
        RTBAuto.SetText(shown);
        text = CrLines(RTBAuto.Text());
    }
    const COLORREF black = RGB(0, 0, 0);
    for (size_t from = 0; from < text.size();) {
        size_t end = text.find(L'\r', from);
        if (end == std::wstring::npos)
            end = text.size();
        const std::wstring line = text.substr(from, end - from);
        size_t at = 0, length = 0;
        if (AutoSetupRules::ListingKindWord(line, at, length)) {
            const long start = static_cast<long>(from), kind = static_cast<long>(from + at);
            RTBAuto.SetSelection(start, kind);
            RTBAuto.SetSelBold(RGB(128, 0, 64), true);
            size_t paren = line.find(L'(');
            if (paren != std::wstring::npos && paren < at) {
                RTBAuto.SetSelection(start + static_cast<long>(paren), kind);
                RTBAuto.SetSelBold(black, false);
            }
            const wchar_t c = line[at + 1];
            const COLORREF colour = c == L'P' ? RGB(0, 0, 191) : c == L'M' ? RGB(223, 0, 0) : RGB(255, 128, 64);
            RTBAuto.SetSelection(kind, kind + static_cast<long>(length));
            RTBAuto.SetSelBold(colour, false);
            RTBAuto.SetSelection(kind + static_cast<long>(length) + 1, static_cast<long>(end));
            RTBAuto.SetSelBold(black, false);
            RTBAuto.SelNone();
        }
        from = end + 1;
    }
    RTBAuto.SetSelStart(0);
    RTBAuto.UnLockRTB();
}

void fAuto::bAddObs_Click()
{
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    if (boxTemp.ListCount() == 0) {
        Say(L"No objects to add.");
        return;
    }
    if (boxTemp.SelCount() == 0) {
        Say(L"No items are selected.");
        return;
    }
    if (!ModFileOps::FileExists(ListPath()))
        ModFileOps::WriteTextFile(ListPath(), L"");
    const auto& classes = State().AutoInsertClassDic;
    for (int i = 0; i < boxTemp.ListCount(); ++i) {
        if (!boxTemp.Selected(i))
            continue;
        const std::wstring name = boxTemp.List(i);
        // Section names ignore case: Lib.Item and LIB.ITEM are one section.
        if (AutoSetupRules::ListHoldsName(ObjectNames(), name)) {
            Say(L"Object already included in Object List.");
            continue;
        }
        if (classes && classes->Exists(name) &&
            ObjectListFile::WriteSection(ListPath(), name, AutoSetupRules::SectionLines(classes->Item(name))))
            Add(name, false);
    }
    FrTemp.SetVisible(false);
    FrTypeInf.SetVisible(false);
    boxTemp.Clear();
    if (classes)
        classes->RemoveAll();
}

void fAuto::bCancelAdd_Click()
{
    FrTemp.SetVisible(false);
    FrTypeInf.SetVisible(false);
    boxTemp.Clear();
    if (const auto& classes = State().AutoInsertClassDic)
        classes->RemoveAll();
}

void fAuto::bClear_Click()
{
    tCLSID.SetText(L"");
    tProgID.SetText(L"");
}

void fAuto::bCloseList_Click()
{
    FrTypeInf.SetVisible(false);
    RTBAuto.ClearAll();
}

void fAuto::boxAuto_Click()
{
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    const int index = boxAuto.ListIndex();
    if (index < 0)
        return;
    RTBAuto.ClearAll();
    if (!ModFileOps::FileExists(ListPath())) {
        Say(167);
        return;
    }
    tVars.SetText(AutoSetupRules::ReadVariables(ListPath(), boxAuto.List(index)));
}

void fAuto::boxAuto_ItemCheck(int Index)
{
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    if (!ModFileOps::FileExists(ListPath())) {
        Say(167);
        return;
    }
    ObjectListFile::SetValue(ListPath(), boxAuto.List(Index), L"Load*Startup", boxAuto.Selected(Index) ? L"yes" : L"no");
}

void fAuto::boxTemp_Click()
{
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    const int index = boxTemp.ListIndex();
    if (index != -1 && !boxTemp.List(index).empty())
        ShowFoundListing(index);
}

void fAuto::bViewCls_Click()
{
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    const std::wstring name = boxAuto.List(boxAuto.ListIndex());
    if (name.empty())
        return;
    if (!ModFileOps::FileExists(ListPath())) {
        Say(167);
        return;
    }
    std::vector<std::wstring> keys, values;
    if (ModIni::ReadIniSection(name, ListPath(), keys, values) == 0) {
        Say(111);
        return;
    }
    RTBAuto.SetText(CrLines(AutoSetupRules::SectionListing(keys, values)));
    ColorListing(false);
    bCloseList.SetVisible(true);
    FrTypeInf.SetVisible(true);
    FrTypeInf.ZOrder(0);
}

void fAuto::bUpdateVars_Click()
{
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    const int index = boxAuto.ListIndex();
    if (index < 0) {
        Say(110);
        return;
    }
    if (!ModFileOps::FileExists(ListPath())) {
        Say(167);
        bUpdateVars.SetEnabled(false);
        return;
    }
    AutoSetupRules::AssignVariables(ListPath(), boxAuto.List(index), tVars.Text());
    bUpdateVars.SetEnabled(false);
}

void fAuto::tVars_Change() { bUpdateVars.SetEnabled(true); }

void fAuto::bRename_Click()
{
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    const int index = boxAuto.ListIndex();
    if (index < 0) {
        Say(106);
        return;
    }
    const std::wstring name =
        forms::InputBox(L"Enter new object name. Avoid using spaces.", platform::kProgramTitle, L"", hwnd);
    if (name.empty())
        return;
    // Another item of that name in other letters is the same section.
    if (AutoSetupRules::ListHoldsName(ObjectNames(), name, index)) {
        Say(L"Item with that name already exists.");
        return;
    }
    if (ObjectListFile::RenameSection(ListPath(), boxAuto.List(index), name) != 0) {
        Say(L"Error renaming section.");
        return;
    }
    boxAuto.RemoveItem(index);
    // The section's "Load*Startup" moved with it: the tick shows what it says.
    Add(name, ModIni::GetIniValue(ListPath(), name, L"Load*Startup") == L"yes");
}

void fAuto::bRemove_Click()
{
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    const int index = boxAuto.ListIndex();
    if (index < 0) {
        Say(106);
        return;
    }
    if (!ObjectListFile::DeleteSection(ListPath(), boxAuto.List(index)))
        return;
    boxAuto.RemoveItem(index);
    RTBAuto.ClearAll();
    tVars.SetText(L"");
}

void fAuto::bReset_Click()
{
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    long result;
    {
        forms::Hourglass wait;
        result = AutoInsertLists::ResetAutoInsert(ListPath(), *this);
    }
    if (result == -1)
        Say(107);
    else if (result == -2)
        Say(108);
    else if (result == -3)
        Say(109);
}
