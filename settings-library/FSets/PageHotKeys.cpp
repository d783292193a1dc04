#include "PageHotKeys.h"

#include "FSets.h"
#include "SetsLogic.h"
#include "SettingsRecord.h"

namespace {
constexpr int kRows = 8;
constexpr int kColumn = 2340;  // twips from one column to the next
constexpr int kBox = 1860;     // the letter box's offset in its column
}

PageHotKeys::PageHotKeys(FSets& form) : form_(form)
{
    FrKeyB.Place(form, 2460, 120, 7320, 6660);
    FrKeyB.SetCaption(L" Keyboard Shortcuts (HotKeys) ");
    const auto& actions = SetsLogic::HotKeyActions();
    for (int col = 0; col < 3; ++col) {
        LabCtrl(col).Place(FrKeyB, 120 + col * kColumn + kBox - 90, 360, 660, 255);
        LabCtrl(col).SetCaption(L"Ctrl +...");
    }
    for (int i = 0; i < SetsLogic::kHotKeyCount; ++i) {
        const int col = i / kRows, row = i % kRows;
        const int x = 120 + col * kColumn, y = 720 + row * 420;
        LabKeys(i).Place(FrKeyB, x, y + 30, kBox - 60, 255);
        LabKeys(i).WordWrap = false;
        LabKeys(i).SetCaption(actions[i]);
        TKeys(i).Place(FrKeyB, x + kBox, y, 390, 315);
    }
    PlaceButton(bSetKeys, FrKeyB, 240, 4320, L"Set", L"Set shortcut keys for menu items.");
    LabRestart.Place(FrKeyB, 1200, 4365, 5400, 255);
    LabRestart.SetCaption(L"(Updating of hotkey selections requires program restart.)");

    bSetKeys.Click = [this] { bSetKeys_Click(); };
}

void PageHotKeys::ShowHotKeys()
{
    const SettingsRecord& rec = Settings();
    for (int i = 0; i < SetsLogic::kHotKeyCount; ++i) {
        const int code = SetsLogic::At<int16_t>(rec.HotKeys, static_cast<size_t>(i));
        if (code > 1)
            TKeys(i).SetText(SetsLogic::HotKeyText(code));
    }
}

void PageHotKeys::bSetKeys_Click()
{
    forms::BusyScope busy(form_.busy);
    if (!busy.Entered())
        return;
    std::vector<std::wstring> boxes;
    for (int i = 0; i < SetsLogic::kHotKeyCount; ++i)
        boxes.push_back(TKeys(i).Text());
    SetsLogic::ApplyHotKeys(boxes, Settings());
    for (int i = 0; i < SetsLogic::kHotKeyCount; ++i)
        TKeys(i).SetText(boxes[i]);
}
