#pragma once
// FrTLBProps: the "File Classes and Members" panel of the object browser's
// properties page. It shows the type library of the file on show: the
// library's name, the library file, the list of its classes and
// enumerations, and the text of the chosen one with its member keywords and
// names coloured. From here a class's name or text is copied, the class is
// sent to the auto-insert setup, or its text is saved as a library page.
#include "KvListBox/KvListBoxControl.h"
#include "KvRTB/KvRTB.h"
#include "forms/Controls.h"
#include "forms/Form.h"

#include <string>

class FrTLBProps {
public:
    // busy is the window's guard, which the panel's handlers share.
    explicit FrTLBProps(bool& busy) : busy_(busy) {}

    forms::Frame Frame;
    forms::ControlArray<forms::Label> Lab;  // 0 "Object:", 1 "TypeInfo Source:", 2 "Classes:", 3 "Members:"
    forms::Label LabServ;
    forms::Label LabInfoPath;
    KvListBoxControl ClsBoxJ;
    KvRTB ClsT;
    forms::MenuItem mPopList, mCopyClsName, mSaveClassLib, mAddToAuto2;
    forms::MenuItem mpopRTB, mRTBCopy, mSelAll;

    // Places the panel on its container and its pop-up menus on the form.
    void Place(forms::Form& form, forms::Container& on, int left, int top, int width, int height);
    // At the form's load: the members text keeps no undo, is read-only, 8 pt.
    void Init();

    // Reads the file's type library into the panel; when that fails and a
    // CLSID is known, the library registered for the class. 0 on success,
    // else the reader's code (its message then shows in ClsT).
    long ShowTypeLib(const std::wstring& file, const std::wstring& clsid);
    // Selects the class of that name (any case) and shows its text.
    void ShowClass(const std::wstring& name);
    // Empties the panel and lets the library's texts go.
    void Clear();
    std::wstring Server() const { return LabServ.Caption(); }

private:
    void ClsBoxJ_Click(int Index);
    void ShowEntry(int Index);
    void ClsBoxJ_MouseUp(int Button);
    void ClsT_MouseUp(int Button);
    void mCopyClsName_Click();
    void mSaveClassLib_Click();
    void mAddToAuto2_Click();
    void mRTBCopy_Click();
    void mSelAll_Click();
    void ColorClassText();
    void SaveToLibrary(const std::wstring& text);
    std::wstring SelectedName() const;

    bool& busy_;
    forms::Form* form_ = nullptr;
};
