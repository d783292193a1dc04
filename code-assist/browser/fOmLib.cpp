#include "fOmLib.h"

#include "ToolButtons.h"
#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "MainHost.h"
#include "ModOmLib.h"
#include "forms/BusyScope.h"
#include "forms/Runtime.h"

#include <memory>

namespace {

std::unique_ptr<fOmLib>& Instance()
{
    static std::unique_ptr<fOmLib> window;
    return window;
}

const wchar_t kNewTitle[] = L"New Library Page";
const wchar_t kRenameTitle[] = L"Rename Library Page";

} // namespace

fOmLib& PageLibraryForm()
{
    if (!Instance())
        Instance() = std::make_unique<fOmLib>();
    return *Instance();
}

void UnloadPageLibraryForm()
{
    if (!Instance())
        return;
    Instance()->Unload();
    Instance().reset();
}

void OpenPageLibrary()
{
    fOmLib& f = PageLibraryForm();
    f.Load();
    f.RefreshLibList();
    f.tLib.SetText(L"");
    f.LabItem.SetCaption(L"");
    f.Show(forms::vbModeless, Host() ? Host()->Window() : nullptr);
}

fOmLib::fOmLib()
{
    SetCaption(L"Snippet Library");
    BorderStyle = forms::FormBorderStyle::FixedSingle;
    MaxButton = false;
    SetClientSize(8400, 5580);
    PlaceControls();
    PlaceMenus();
}

fOmLib::~fOmLib()
{
    Teardown();
}

void fOmLib::PlaceControls()
{
    Lab(0).Place(*this, 120, 120, 3000, 300);
    Lab(0).SetCaption(L"Snippet Library");
    Lab(0).SetFontSize(10);
    Lab(0).SetFontBold(true);
    Lab(1).Place(*this, 120, 500, 2400, 240);
    Lab(1).SetCaption(L"Available Pages:");
    boxLib.Place(*this, 120, 740, 2400, 3600);
    LabItem.Place(*this, 2640, 500, 5640, 240);
    LabItem.SetFontBold(true);
    LabItem.UseMnemonic = false;
    tLib.MultiLine = true;
    tLib.ScrollBars = 3;
    tLib.Place(*this, 2640, 740, 5640, 3600);

    FrButs.Place(*this, 120, 4440, 3720, 780);
    FrButs.SetCaption(L"  With Selected Page:  ");
    PlaceToolButton(bViewPage, FrButs, 120, 300, 1080, 330, L"View");
    bViewPage.SetToolTipText(L"View selected page.");
    PlaceToolButton(bRename, FrButs, 1320, 300, 1080, 330, L"Rename");
    bRename.SetToolTipText(L"Rename selected page.");
    PlaceToolButton(bDelPage, FrButs, 2520, 300, 1080, 330, L"Delete");
    bDelPage.SetToolTipText(L"Delete selected page.");
    PlaceToolButton(bSaveNew, *this, 4920, 4740, 1560, 330, L"Save as New");
    bSaveNew.SetToolTipText(L"Save current text as new library page.");
    PlaceToolButton(bSaveCh, *this, 6600, 4740, 1680, 330, L"Save Changes");
    bSaveCh.SetToolTipText(L"Save text changes for this item.");
    Lab(2).Place(*this, 120, 5280, 8160, 240);
    Lab(2).SetCaption(L"Select item in list of code pages. Double-click or use button to display in main window.");

    bViewPage.Click = [this] { ViewPage(); };
    bRename.Click = [this] { RenamePage(); };
    bDelPage.Click = [this] { DeletePage(); };
    bSaveNew.Click = [this] { SaveNew(); };
    bSaveCh.Click = [this] { SaveChanges(); };
    boxLib.Click = [this] { SetPageButtons(); };
    boxLib.DblClick = [this] { ViewPage(); };
    boxLib.MouseUp = [this](int Button, int, int, int) { boxLib_MouseUp(Button); };
    tLib.Change = [this] { EnableSaveChanges(true); };
}

void fOmLib::PlaceMenus()
{
    Menus.Add(mFile, L"&File");
    mFile.Add(mSaveCh, L"Save &Changes");
    mFile.Add(mSaveNew, L"Save as &New Page");
    mFile.Add(mtemp1, L"-");
    mFile.Add(mClose, L"&Close");
    Menus.Add(mList, L"Page &List");
    mList.Add(mSelPage, L"&Selected Page");
    mSelPage.Add(mViewPage, L"&View");
    mSelPage.Add(mRename, L"&Rename");
    mSelPage.Add(mDelPage, L"&Delete");
    mList.Add(mListFresh, L"&Refresh");
    Menus.Add(mPop1, L"Pop");
    mPop1.Add(mPopFresh, L"&Refresh List");
    mPop1.Add(mtemp2, L"-");
    mPop1.Add(mPopViewPage, L"&View");
    mPop1.Add(mPopRename, L"&Rename");
    mPop1.Add(mPopDelPage, L"&Delete");
    mPop1.SetVisible(false);

    mSaveCh.Click = [this] { SaveChanges(); };
    mSaveNew.Click = [this] { SaveNew(); };
    mClose.Click = [this] {
        ClearPage();
        Hide();
    };
    mList.Click = [this] { EnablePageMenus(boxLib.ListIndex() >= 0); };
    for (forms::MenuItem* view : {&mViewPage, &mPopViewPage})
        view->Click = [this] { ViewPage(); };
    for (forms::MenuItem* rename : {&mRename, &mPopRename})
        rename->Click = [this] { RenamePage(); };
    for (forms::MenuItem* del : {&mDelPage, &mPopDelPage})
        del->Click = [this] { DeletePage(); };
    for (forms::MenuItem* fresh : {&mListFresh, &mPopFresh})
        fresh->Click = [this] {
            RefreshLibList();
            SetPageButtons();
        };
}

void fOmLib::Form_Load()
{
    if (State().ProgramClosing)
        return;
    folder_ = ModOmLib::LibFolder();
    ModOmLib::CheckLibFolder(folder_);
    currentPage_.clear();
    LabItem.SetCaption(L"");
    busy_ = false;
    EnableSaveChanges(false);
    SetPageButtons();
}

void fOmLib::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    if (UnloadMode != forms::vbFormControlMenu)
        return;
    Hide();
    currentPage_.clear();
    LabItem.SetCaption(L"");
    if (Host() && IsWindowVisible(Host()->Window()))
        Host()->JT1().SetFocus();
}

void fOmLib::RefreshLibList()
{
    boxLib.Clear();
    for (const std::wstring& name : ModOmLib::ListPages(folder_))
        boxLib.AddItem(name);
    SetPageButtons();
}

void fOmLib::SetPageButtons()
{
    bool selected = boxLib.ListIndex() >= 0;
    bViewPage.SetEnabled(selected);
    bDelPage.SetEnabled(selected);
    bRename.SetEnabled(selected);
}

void fOmLib::EnablePageMenus(bool selected)
{
    for (forms::MenuItem* item : {&mViewPage, &mRename, &mDelPage, &mPopViewPage, &mPopRename, &mPopDelPage})
        item->SetEnabled(selected);
}

void fOmLib::EnableSaveChanges(bool enabled)
{
    bSaveCh.SetEnabled(enabled);
    mSaveCh.SetEnabled(enabled);
}

void fOmLib::ClearPage()
{
    currentPage_.clear();
    tLib.SetText(L"");
    LabItem.SetCaption(L"");
    EnableSaveChanges(false);
}

void fOmLib::boxLib_MouseUp(int Button)
{
    if (Button != 2)
        return;
    EnablePageMenus(boxLib.ListIndex() >= 0);
    PopupMenu(mPop1);
}

bool fOmLib::NameAccepted(const std::wstring& name)
{
    std::wstring problem = ModOmLib::PageNameProblem(name);
    if (!problem.empty())
        forms::MsgBox(problem, forms::vbInformation);
    return problem.empty();
}

void fOmLib::ViewPage()
{
    if (boxLib.ListIndex() < 0 || boxLib.ListCount() == 0)
        return;
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    std::wstring name = boxLib.Text(), text;
    if (!ModOmLib::PageExists(folder_, name)) {
        forms::MsgBox(L"Error. File not found.", forms::vbInformation);
        return;
    }
    if (!ModOmLib::ReadPage(folder_, name, text)) {
        forms::MsgBox(L"Error opening library file.", forms::vbInformation);
        return;
    }
    tLib.SetText(text);
    currentPage_ = name;
    LabItem.SetCaption(name);
    EnableSaveChanges(false);
}

void fOmLib::SaveChanges()
{
    if (currentPage_.empty()) {
        forms::MsgBox(L"Error. No page loaded.", forms::vbInformation);
        return;
    }
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    if (ModOmLib::SavePage(folder_, currentPage_, tLib.Text()))
        EnableSaveChanges(false);
    else
        forms::MsgBox(L"Error. The page could not be saved.", forms::vbInformation);
}

void fOmLib::SaveNew()
{
    std::wstring name = forms::InputBox(L"Enter name for new page.", kNewTitle, L"", hwnd);
    if (name.empty() || !NameAccepted(name))
        return;
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    if (ModOmLib::PageExists(folder_, name) &&
        forms::MsgBox(L"Another page has that name. Replace it?", forms::vbYesNo | forms::vbQuestion, kNewTitle) !=
            forms::vbYes)
        return;
    if (!ModOmLib::SavePage(folder_, name, tLib.Text())) {
        forms::MsgBox(L"Error. The page could not be saved.", forms::vbInformation);
        return;
    }
    currentPage_ = name;
    LabItem.SetCaption(name);
    RefreshLibList();
    EnableSaveChanges(false);
}

void fOmLib::RenamePage()
{
    if (boxLib.ListIndex() < 0 || boxLib.ListCount() == 0) {
        forms::MsgBox(L"An item must be selected for renaming.", forms::vbInformation);
        return;
    }
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    std::wstring old = boxLib.Text();
    std::wstring name = forms::InputBox(L"Enter new name.", kRenameTitle, old, hwnd);
    if (name.empty() || name == old || !NameAccepted(name))
        return;
    using ModOmLib::RenameResult;
    RenameResult result = ModOmLib::RenamePage(folder_, old, name, false);
    if (result == RenameResult::TargetExists &&
        forms::MsgBox(L"Another page has that name. Replace it?", forms::vbYesNo | forms::vbQuestion,
                      kRenameTitle) == forms::vbYes)
        result = ModOmLib::RenamePage(folder_, old, name, true);
    if (result == RenameResult::Missing)
        forms::MsgBox(L"Error. Page file not found.", forms::vbInformation);
    else if (result == RenameResult::Failed)
        forms::MsgBox(L"Error. The page could not be renamed.", forms::vbInformation);
    if (result == RenameResult::Done && old == currentPage_) {
        currentPage_ = name;
        LabItem.SetCaption(name);
    }
    RefreshLibList();
}

void fOmLib::DeletePage()
{
    if (boxLib.ListIndex() < 0 || boxLib.ListCount() == 0)
        return;
    // The flag is given back on every way out, Cancel included.
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    std::wstring name = boxLib.Text();
    if (forms::MsgBox(L"Delete " + name + L" page?", forms::vbOKCancel | forms::vbQuestion) != forms::vbOK)
        return;
    if (!ModOmLib::PageExists(folder_, name)) {
        forms::MsgBox(L"Error. Page file not found.", forms::vbInformation);
        return;
    }
    if (!ModOmLib::DeletePage(folder_, name)) {
        forms::MsgBox(L"Error deleting file.", forms::vbInformation);
        return;
    }
    if (name == currentPage_)
        ClearPage();
    RefreshLibList();
}
