#include "PageObjects.h"

#include "FSets.h"
#include "PlimsorModule.h"
#include "platform/Module.h"
#include "SetsLogic.h"
#include "SettingsRecord.h"

PageObjects::PageObjects(FSets& form)
{
    FrObs.Place(form, 2460, 120, 7320, 6660);
    FrObs.SetCaption(L" Whole-File-Debugging  - Objects ");
    LabExplain.Place(FrObs, 240, 330, 6840, 1800);
    LabExplain.SetCaption(
        L"  When the debugger is run in VBS one of the checks is for methods without objects. By default a check is "
        L"made for methods of WScript, FSO (including TextStream) and WScript.Shell, if those objects have been "
        L"created. Below is a list of object methods currently checked. The file tarnelo.ini can be edited to add "
        L"more objects to the list. Each section name in tarnelo.ini represents a ProgID. If that object has been "
        L"created in the script its method list will be checked.");
    LabList.Place(FrObs, 240, 2250, 4000, 255);
    LabList.SetCaption(L"Methods checked in full file debugging:");
    tObList.MultiLine = true;
    tObList.ScrollBars = 2;
    tObList.Place(FrObs, 240, 2520, 4200, 3900);
    tObList.SetLocked(true);
    LabWhole.Place(FrObs, 4680, 2250, 2400, 255);
    LabWhole.SetCaption(L"Whole-word option:");
    CkWhole.Place(FrObs, 4680, 2550, 2400, 285);
    CkWhole.SetCaption(L"Check whole word only");
    CkWhole.SetValue(forms::vbChecked);
    LabWholeNote.Place(FrObs, 4680, 2940, 2460, 3480);
    LabWholeNote.SetCaption(L"Note: A whole-word-only check will prevent false-positives when different objects have "
                            L"similar method names. However, it will fail to find cases where the period was "
                            L"skipped. Ex.: FSOOpenTextFile would not be found.");

    CkWhole.Click = [this] { CkWhole_Click(); };
}

void PageObjects::LoadDebugObjectList()
{
    const std::wstring list = platform::ModuleFolder(PlimsorModule::Instance()) + L"\\Settings\\tarnelo.ini";
    tObList.SetText(SetsLogic::ObjectListText(list));
}

void PageObjects::CkWhole_Click() { Settings().NoWholeWord = CkWhole.Value() != forms::vbChecked; }
