#pragma once
// fAuto: the auto-insert settings window ("Auto-Insert Settings"). The user
// keeps the object list file here: looks up the classes of a component by
// ProgID, CLSID or file through their type information, adds chosen ones,
// views an object's listing, renames, removes and ticks objects, assigns the
// variable names that open the member popup, and reloads the data. Made at
// start-up, loaded hidden when first used, kept until shutdown; the user's
// close only hides it. Every change goes to the file at once; the popup sees
// it after Reset.
#include "AutoInsertLists.h"
#include "ButSilver2/ButSilver2Control.h"
#include "KvRTB/KvRTB.h"
#include "forms/Controls.h"
#include "forms/Form.h"

#include <string>
#include <vector>

class fAuto : public forms::Form, public AutoInsertLists::ObjectListBox {
public:
    fAuto();
    ~fAuto() override;

    forms::Frame Frame1, FrVar, FrClas, FrTemp, FrTypeInf;
    forms::ListBox boxAuto, boxTemp;
    forms::TextBox tVars, tProgID, tCLSID;
    forms::ControlArray<forms::Label> Label1;
    ButSilver2Control bViewCls, bRename, bRemove, bUpdateVars, bClear, bAddClas, bAddFromFile, bAddObs,
        bCancelAdd, bCloseList, bReset;
    KvRTB RTBAuto;

    // ObjectListBox: the loader fills boxAuto.
    void Clear() override;
    void Add(const std::wstring& name, bool ticked) override;

    // The object browser hands over a class (CLSID, or ProgID when that is empty).
    void ShowFor(const std::wstring& clsid, const std::wstring& progId);

    void bAddClas_Click();
    void bAddFromFile_Click();
    void bAddObs_Click();
    void bCancelAdd_Click();
    void bClear_Click();
    void bCloseList_Click();
    void boxAuto_Click();
    void boxAuto_ItemCheck(int Index);
    void boxTemp_Click();
    void bRemove_Click();
    void bRename_Click();
    void bReset_Click();
    void bUpdateVars_Click();
    void bViewCls_Click();
    void tVars_Change();

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
    void PlaceControls();
    void ShowFoundObjects();
    void ShowFoundListing(int index);
    void ColorListing(bool found);
    void Say(const std::wstring& text);
    void Say(int id);
    std::vector<std::wstring> ObjectNames();
    const std::wstring& ListPath() const;

    bool busy_ = false;
};

// The program's one settings window, made on first use.
fAuto& AutoSetupWindow();
// Unloads and destroys it (shutdown).
void UnloadAutoSetupWindow();
