#include "FrTLBProps.h"

#include "ClsDic.h"
#include "EditorState.h"
#include "MemberColours.h"
#include "ModOmLib.h"
#include "ModTLB.h"
#include "autoinsert/AutoInsert.h"
#include "browser/ModOrmund.h"
#include "forms/BusyScope.h"
#include "forms/Runtime.h"
#include "platform/Messages.h"
#include "platform/Text.h"

namespace {

const long kClassCode = 3;
const long kEnumCode = 8;

bool IsEnumeration(const std::wstring& name)
{
    return platform::Lower(name).find(L"constants") != std::wstring::npos;
}

} // namespace

void FrTLBProps::Place(forms::Form& form, forms::Container& on, int left, int top, int width, int height)
{
    form_ = &form;
    Frame.Place(on, left, top, width, height);
    Frame.SetCaption(L"  File Classes and Members  ");
    const int listWidth = 2700, textLeft = 120 + listWidth + 120;
    Lab(0).Place(Frame, 120, 300, 900, 240);
    Lab(0).SetCaption(L"Object:");
    LabServ.Place(Frame, 1020, 300, width - 1140, 240);
    LabServ.SetFontBold(true);
    Lab(1).Place(Frame, 120, 580, 1500, 240);
    Lab(1).SetCaption(L"TypeInfo Source:");
    LabInfoPath.Place(Frame, 1620, 580, width - 1740, 240);
    Lab(2).Place(Frame, 120, 900, listWidth, 240);
    Lab(2).SetCaption(L"Classes:");
    Lab(3).Place(Frame, textLeft, 900, 1500, 240);
    Lab(3).SetCaption(L"Members:");
    ClsBoxJ.Place(Frame, 120, 1160, listWidth, height - 1280);
    ClsT.Place(Frame, textLeft, 1160, width - textLeft - 120, height - 1280);

    form.Menus.Add(mPopList, L"ListPop");
    mPopList.Add(mCopyClsName, L"&Copy Class Name");
    mPopList.Add(mSaveClassLib, L"&Save Sel. Class to Snippet Library");
    mPopList.Add(mAddToAuto2, L"Send Sel. Class to &Auto-Insert Setup");
    mPopList.SetVisible(false);
    form.Menus.Add(mpopRTB, L"TextPop");
    mpopRTB.Add(mRTBCopy, L"&Copy");
    mpopRTB.Add(mSelAll, L"&Select All");
    mpopRTB.SetVisible(false);

    ClsBoxJ.List.Click = [this](int& Index) { ClsBoxJ_Click(Index); };
    ClsBoxJ.List.MouseUp = [this](int& Button) { ClsBoxJ_MouseUp(Button); };
    ClsT.MouseUp = [this](int Button, int, int, int) { ClsT_MouseUp(Button); };
    mCopyClsName.Click = [this] { mCopyClsName_Click(); };
    mSaveClassLib.Click = [this] { mSaveClassLib_Click(); };
    mAddToAuto2.Click = [this] { mAddToAuto2_Click(); };
    mRTBCopy.Click = [this] { mRTBCopy_Click(); };
    mSelAll.Click = [this] { mSelAll_Click(); };
}

void FrTLBProps::Init()
{
    ClsT.SetUndoLimit(0);
    ClsT.SetReadOnly(true);
    ClsT.SetFontName(KvRTB::BoldCapableFace(8));
    ClsT.SetFontSize(8);
}

long FrTLBProps::ShowTypeLib(const std::wstring& file, const std::wstring& clsid)
{
    LabServ.SetCaption(L"");
    LabInfoPath.SetCaption(L"");
    ClsBoxJ.List.Clear();
    ClsT.ClearAll();
    std::wstring path = file, message, server;
    long code = ModTLB::LoadTypeLibInfo(path, message, &server);
    if (code != 0 && !clsid.empty()) {
        path = ModOrmund::GetTypeLibFile(clsid);
        if (!path.empty())
            code = ModTLB::LoadTypeLibInfo(path, message, &server);
    }
    if (code == 0) {
        LabServ.SetCaption(server);
        for (const std::wstring& name : State().ClassTextDic->Keys())
            ClsBoxJ.List.Add(name, IsEnumeration(name) ? kEnumCode : kClassCode);
        ClsBoxJ.List.AddHScroll();
        ClsBoxJ.List.SelNone();
    }
    if (!path.empty())
        LabInfoPath.SetCaption(path);
    if (code != 0)
        ClsT.SetText(message);
    return code;
}

void FrTLBProps::ShowClass(const std::wstring& name)
{
    if (name.empty() || ClsBoxJ.List.Count() == 0)
        return;
    ClsBoxJ.List.SelWordExact(name);
    int index = ClsBoxJ.List.ListIndex();
    if (index >= 0 && platform::SameText(ClsBoxJ.List.GetItemMin(index), name))
        ShowEntry(index);
}

void FrTLBProps::Clear()
{
    ClsBoxJ.List.Clear();
    ClsT.ClearAll();
    LabServ.SetCaption(L"");
    LabInfoPath.SetCaption(L"");
    State().ClassTextDic.reset();
}

void FrTLBProps::ClsBoxJ_Click(int Index)
{
    forms::BusyScope busy(busy_);
    if (busy.Entered())
        ShowEntry(Index);
}

void FrTLBProps::ShowEntry(int Index)
{
    const auto& texts = State().ClassTextDic;
    if (Index < 0 || ClsBoxJ.List.Count() == 0 || !texts)
        return;
    std::wstring name = ClsBoxJ.List.GetItemMin(Index);
    ClsT.ClearAll();
    if (name.empty() || !texts->Exists(name))
        return;
    ClsT.SetText(texts->Item(name));
    ClsT.LockRTB();
    ColorClassText();
    ClsT.UnLockRTB();
}

void FrTLBProps::ColorClassText()
{
    // Positions as the view counts them: its line ends are single characters.
    std::wstring text = ClsT.GetTextRange(0, ClsT.LenText());
    for (const ColourRun& run : MemberColourRuns(text)) {
        ClsT.SetSelection(run.Start, run.End);
        ClsT.SetSelBold(run.Color, run.Bold);
    }
    ClsT.SelNone();
    ClsT.SetSelStart(0);
}

std::wstring FrTLBProps::SelectedName() const
{
    int index = ClsBoxJ.List.ListIndex();
    return ClsBoxJ.List.Count() > 0 && index >= 0 ? ClsBoxJ.List.GetItemMin(index) : L"";
}

void FrTLBProps::ClsBoxJ_MouseUp(int Button)
{
    if (Button == 2 && ClsBoxJ.List.Count() > 0 && ClsBoxJ.List.ListIndex() >= 0)
        form_->PopupMenu(mPopList);
}

void FrTLBProps::ClsT_MouseUp(int Button)
{
    if (Button == 2)
        form_->PopupMenu(mpopRTB);
}

void FrTLBProps::mCopyClsName_Click()
{
    std::wstring name = SelectedName();
    if (name.empty())
        return;
    forms::ClipboardClear();
    forms::ClipboardSetText(name);
}

void FrTLBProps::mRTBCopy_Click()
{
    if (ClsT.SelLength() < 1)
        return;
    forms::ClipboardClear();
    forms::ClipboardSetText(ClsT.SelText());
}

void FrTLBProps::mSelAll_Click()
{
    if (ClsT.LenText() > 0)
        ClsT.SelAll();
}

void FrTLBProps::mAddToAuto2_Click()
{
    std::wstring name = SelectedName();
    if (!name.empty())
        ShowAutoInsertFor(L"", Server() + L"." + name);
}

void FrTLBProps::mSaveClassLib_Click()
{
    std::wstring name = SelectedName();
    if (!name.empty())
        SaveToLibrary(Server() + L"." + name + L"\r\n\r\n" + ClsT.Text());
}

void FrTLBProps::SaveToLibrary(const std::wstring& text)
{
    std::wstring folder = ModOmLib::LibFolder();
    ModOmLib::CheckLibFolder(folder);
    std::wstring name =
        forms::InputBox(L"Enter name for library item.", L"Adding To Library", L"", form_ ? form_->hwnd : nullptr);
    if (name.empty())
        return;
    std::wstring problem = ModOmLib::PageNameProblem(name);
    if (!problem.empty()) {
        forms::MsgBox(problem, forms::vbInformation);
        return;
    }
    std::wstring path = ModOmLib::PagePath(folder, name);
    if (ModOmLib::PageExists(folder, name) &&
        forms::MsgBox(path + L" exists.\r\nDo you want to replace it?", forms::vbYesNoCancel | forms::vbQuestion) !=
            forms::vbYes)
        return;
    if (!ModOmLib::SavePage(folder, name, text))
        forms::MsgBox(L"The page could not be written: " + path, forms::vbInformation);
}
