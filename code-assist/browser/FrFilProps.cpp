#include "FrFilProps.h"

#include "forms/BusyScope.h"
#include "forms/Runtime.h"
#include "platform/Text.h"

using namespace ModOrmund;

void FrFilProps::Place(forms::Form& form, forms::Container& on, int left, int top, int width, int height)
{
    form_ = &form;
    Frame.Place(on, left, top, width, height);
    Frame.SetCaption(L"  File/Class Properties  ");
    struct Spot {
        int field;
        const wchar_t* caption;
        int left, top, width;
    };
    const int right = width / 2 + 120, valueWidth = width / 2 - 1560;
    const Spot spots[] = {
        {FilePath, L"FILE:", 120, 300, width - 1500},
        {Version, L"Version", 120, 580, valueWidth}, {Size, L"Size", right, 580, valueWidth},
        {Created, L"Date Created", 120, 860, valueWidth}, {Modified, L"Date Last Mod.", right, 860, valueWidth},
        {Company, L"Company", 120, 1140, width - 1500},
        {Clsid, L"CLSID", 120, 1740, width - 1500}, {ProgId, L"ProgID", 120, 2020, width - 1500},
    };
    int c = 0;
    for (const Spot& s : spots) {
        LabCap(c).Place(Frame, s.left, s.top, 1200, 240);
        LabCap(c++).SetCaption(s.caption);
        LabInfo(s.field).Place(Frame, s.left + 1260, s.top, s.width, 240);
        LabInfo(s.field).SetBackStyle(1);
        LabInfo(s.field).SetBackColor(forms::vbWindowBackground);
        LabInfo(s.field).UseMnemonic = false;
    }
    LabCap(c).Place(Frame, 120, 1460, 1200, 240);
    LabCap(c).SetCaption(L"OBJECT:");
    LabCap(c++).SetFontBold(true);
    LabCap(0).SetFontBold(true);

    const int listTop = 2620, listHeight = height - listTop - 120, listWidth = (width - 480) / 3;
    forms::ListBox* lists[] = {&boxExp, &boxDep, &CatBox};
    const wchar_t* captions[] = {L"Exported functions for file:", L" Imported DLLs for file:",
                                 L" Implemented Categories for sel. object:"};
    for (int i = 0; i < 3; ++i) {
        int x = 120 + i * (listWidth + 120);
        LabCap(c).Place(Frame, x, listTop - 260, listWidth, 240);
        LabCap(c++).SetCaption(captions[i]);
        lists[i]->Place(Frame, x, listTop, listWidth, listHeight);
    }

    form.Menus.Add(mpop2, L"CopyPop");
    mpop2.Add(mCopyBox, L"&Copy This List");
    mpop2.SetVisible(false);
    boxExp.MouseUp = [this](int Button, int, int, int) { List_MouseUp(L"boxExp", Button); };
    boxDep.MouseUp = [this](int Button, int, int, int) { List_MouseUp(L"boxDep", Button); };
    CatBox.MouseUp = [this](int Button, int, int, int) { List_MouseUp(L"CatBox", Button); };
    mCopyBox.Click = [this] { mCopyBox_Click(); };
}

void FrFilProps::ShowFields(const ClassProps& props)
{
    for (int i = 0; i < FieldCount; ++i)
        LabInfo(i).SetCaption(props.Fields[i] + L" ");
}

void FrFilProps::ClearFields(int field, const std::wstring& caption)
{
    LabInfo(field).SetCaption(caption);
}

void FrFilProps::AddCategories(const std::vector<std::wstring>& lines)
{
    for (const std::wstring& line : lines)
        CatBox.AddItem(line);
}

void FrFilProps::AddFileLists(const FileLists& lists)
{
    for (const std::wstring& line : lists.Exports)
        boxExp.AddItem(line);
    for (const std::wstring& line : lists.Imports)
        boxDep.AddItem(line);
}

void FrFilProps::MarkClassFields(bool applies)
{
    forms::OleColor color = applies ? forms::vbWindowBackground : forms::vbButtonFace;
    LabInfo(ProgId).SetBackColor(color);
    LabInfo(Clsid).SetBackColor(color);
    CatBox.SetBackColor(color);
}

void FrFilProps::Clear()
{
    for (int i = 0; i < FieldCount; ++i)
        LabInfo(i).SetCaption(L"");
    CatBox.Clear();
    boxDep.Clear();
    boxExp.Clear();
}

void FrFilProps::List_MouseUp(const wchar_t* name, int Button)
{
    if (Button != 2)
        return;
    CopyListName = name;
    form_->PopupMenu(mpop2);
}

void FrFilProps::mCopyBox_Click()
{
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    forms::ListBox* list = platform::SameText(CopyListName, L"boxExp")   ? &boxExp
                           : platform::SameText(CopyListName, L"boxDep") ? &boxDep
                           : platform::SameText(CopyListName, L"CatBox") ? &CatBox
                                                                        : nullptr;
    if (!list || list->ListCount() == 0)
        return;
    std::wstring text;
    for (int i = 0; i < list->ListCount(); ++i)
        text += list->List(i) + L"\r\n";
    forms::ClipboardClear();
    forms::ClipboardSetText(text);
}
