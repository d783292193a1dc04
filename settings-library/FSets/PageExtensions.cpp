#include "PageExtensions.h"

#include "FSets.h"
#include "SetsLogic.h"
#include "SettingsRecord.h"

PageExtensions::PageExtensions(FSets& form) : form_(form)
{
    FrExt.Place(form, 2460, 120, 7320, 6660);
    FrExt.SetCaption(L" File Extension Behavior ");
    LabNote.Place(FrExt, 240, 330, 6840, 720);
    LabNote.SetCaption(L"  Any file extension can be assigned as an alias to default types. Example: If .xyz files "
                       L"are assigned as HTML they will open in the HTML editor and be colored as HTML.");
    LabAssign.Place(FrExt, 240, 1200, 4000, 255);
    LabAssign.SetCaption(L"Editor assignment for extension:");
    TFileExt.Place(FrExt, 240, 1530, 1500, 315);
    const auto& types = SetsLogic::ExtTypeNames();
    for (int i = 0; i < static_cast<int>(types.size()); ++i) {
        OpExt(i).Place(FrExt, 2040, 1530 + i * 360, 1800, 285);
        OpExt(i).SetCaption(types[i]);
    }
    BoxE.Place(FrExt, 4200, 1530, 1800, 2175);
    PlaceButton(bAddExt(0), FrExt, 240, 1980, L"Add", L"Add new file extension type as alias of selected type. ");
    PlaceButton(bAddExt(1), FrExt, 4200, 3840, L"Remove", L"Remove selected.", 900);
    PlaceButton(bAddExt(2), FrExt, 5220, 3840, L"Change", L"Change selected assignment.", 900);
    LabRestart.Place(FrExt, 240, 4500, 6000, 255);
    LabRestart.SetCaption(L"(Recognition of new file type requires program restart.)");

    bAddExt.Click = [this](int Index) { bAddExt_Click(Index); };
}

int PageExtensions::SelectedType()
{
    for (int i = 1; i < static_cast<int>(SetsLogic::ExtTypeNames().size()); ++i)
        if (OpExt(i).Value())
            return i;
    return 0;
}

void PageExtensions::FillExtensionList()
{
    TFileExt.SetText(L"");
    BoxE.Clear();
    const std::vector<std::wstring> list = SetsLogic::ExtensionList(Settings());
    for (const std::wstring& ext : list)
        BoxE.AddItem(ext);
    if (list.empty())
        return;
    // A damaged record may hold any type number; only the six exist.
    const int type = SetsLogic::ExtensionType(Settings(), list.front());
    if (type >= 0 && type < static_cast<int>(SetsLogic::ExtTypeNames().size()))
        OpExt(type).SetValue(true);
}

void PageExtensions::bAddExt_Click(int Index)
{
    switch (Index) {
    case 0:
        BoxE.AddItem(SetsLogic::AddExtension(TFileExt.Text(), SelectedType(), Settings()));
        break;
    case 1:
        RemoveExtension();
        break;
    case 2:
        ChangeExtType();
        break;
    default:
        break;
    }
}

void PageExtensions::RemoveExtension()
{
    const int index = BoxE.ListIndex();
    if (index < 0)
        return;
    const std::wstring entry = BoxE.List(index);
    if (entry.empty())
        return;
    BoxE.RemoveItem(index);
    SetsLogic::RemoveExtension(entry, Settings());
}

void PageExtensions::ChangeExtType()
{
    const int index = BoxE.ListIndex();
    if (index < 0)
        return;
    SetsLogic::ChangeExtType(BoxE.List(index), SelectedType(), Settings());
}
