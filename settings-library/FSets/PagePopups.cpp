#include "PagePopups.h"

#include "FSets.h"
#include "SetsLogic.h"
#include "SettingsRecord.h"

PagePopups::PagePopups(FSets& form) : form_(form)
{
    FrPops.Place(form, 2460, 120, 7320, 6660);
    FrPops.SetCaption(L" Configure Custom Popup Menus ");
    LabNote.Place(FrPops, 240, 330, 6840, 255);
    LabNote.SetCaption(L"Custom popup menus can be accessed from right-click menu or with keyboard shortcut.");
    for (int i = 0; i < 2; ++i) {
        op(i).Place(FrPops, 240 + i * 1320, 720, 1200, 285);
        op(i).SetCaption(L"Menu " + std::to_wstring(i + 1));
    }
    LabItems.Place(FrPops, 240, 1140, 3000, 255);
    LabItems.SetCaption(L"Assign popup text:");
    for (int i = 0; i < SetsLogic::kPopupItems; ++i)
        tpop(i).Place(FrPops, 240, 1410 + i * 390, 3720, 315);
    PlaceButton(bSaveMenu, FrPops, 240, 5400, L"Save", L"Save text entries for popup menu.");

    LabCurrent.Place(FrPops, 4200, 1140, 3000, 255);
    LabCurrent.SetCaption(L"Settings for current menu:");
    LabName.Place(FrPops, 4200, 1500, 3000, 450);
    LabName.SetCaption(L"Optional name to show on right-click menu:");
    tmenName.Place(FrPops, 4200, 1980, 2880, 315);
    LabHot.Place(FrPops, 4200, 2490, 1800, 255);
    LabHot.SetCaption(L"Popup \"hotkey\": Ctrl + ");
    thot.Place(FrPops, 6000, 2445, 420, 315);
    CKactive.Place(FrPops, 4200, 2940, 2880, 285);
    CKactive.SetCaption(L"Activate this popup menu.");
    PlaceButton(bSetMenu, FrPops, 4200, 3420, L"Apply", L"Apply popup menu settings.", 900);

    op.Click = [this](int Index) { op_Click(Index); };
    bSaveMenu.Click = [this] { bSaveMenu_Click(); };
    bSetMenu.Click = [this] { bSetMenu_Click(); };
}

int PagePopups::EditedMenu() { return op(0).Value() ? 0 : 1; }

void PagePopups::LoadCustomMenu1() { LoadCustomMenu(0); }

void PagePopups::LoadCustomMenu2() { LoadCustomMenu(1); }

void PagePopups::LoadCustomMenu(int menu)
{
    SetsLogic::PopupMenu m = SetsLogic::Popup(Settings(), menu);
    for (int i = 0; i < SetsLogic::kPopupItems; ++i)
        tpop(i).SetText(L"");
    CKactive.SetValue(*m.On ? forms::vbChecked : forms::vbUnchecked);
    if (*m.Key != 0)
        thot.SetText(std::wstring(1, static_cast<wchar_t>(*m.Key)));
    tmenName.SetText(SetsLogic::PopupNameText(m));
    const std::vector<std::wstring> boxes = SetsLogic::PopupBoxes(m);
    for (int i = 0; i < SetsLogic::kPopupItems; ++i)
        tpop(i).SetText(boxes[i]);
}

void PagePopups::op_Click(int Index)
{
    forms::BusyScope busy(form_.busy);
    if (!busy.Entered())
        return;
    const int menu = Index == 0 ? 0 : 1;
    LoadCustomMenu(menu);
    SetsLogic::PopupMenu m = SetsLogic::Popup(Settings(), menu);
    tmenName.SetText(*m.Name);
    CKactive.SetValue(*m.On ? forms::vbChecked : forms::vbUnchecked);
    thot.SetText(SetsLogic::PopupKeyText(m));
}

void PagePopups::bSaveMenu_Click()
{
    forms::BusyScope busy(form_.busy);
    if (!busy.Entered())
        return;
    std::vector<std::wstring> boxes;
    for (int i = 0; i < SetsLogic::kPopupItems; ++i)
        boxes.push_back(tpop(i).Text());
    SetsLogic::PopupMenu m = SetsLogic::Popup(Settings(), EditedMenu());
    SetsLogic::SavePopupItems(boxes, m);
}

void PagePopups::bSetMenu_Click()
{
    forms::BusyScope busy(form_.busy);
    if (!busy.Entered())
        return;
    SetsLogic::PopupMenu m = SetsLogic::Popup(Settings(), EditedMenu());
    SetsLogic::ApplyPopupSettings(CKactive.Value() == forms::vbChecked, thot.Text(), tmenName.Text(), m);
}
