#pragma once
// FrFilProps: the "File/Class Properties" panel of the object browser's
// properties page: the server or chosen file's version fields, the class's
// ProgID and CLSID, its component categories, and the file's exported
// functions and imported DLLs. Each list copies whole from its pop-up menu.
#include "browser/ModOrmund.h"
#include "forms/Controls.h"
#include "forms/Form.h"

#include <string>

class FrFilProps {
public:
    explicit FrFilProps(bool& busy) : busy_(busy) {}

    forms::Frame Frame;
    forms::ControlArray<forms::Label> LabCap;   // the captions of the fields and lists
    forms::ControlArray<forms::Label> LabInfo;  // 0..7, the fields (ModOrmund::Field order)
    forms::ListBox boxExp, boxDep, CatBox;
    forms::MenuItem mpop2, mCopyBox;

    void Place(forms::Form& form, forms::Container& on, int left, int top, int width, int height);

    // The fields as props holds them; every caption is followed by a blank.
    void ShowFields(const ModOrmund::ClassProps& props);
    // Adds to the lists (they are not emptied first).
    void AddCategories(const std::vector<std::wstring>& lines);
    void AddFileLists(const ModOrmund::FileLists& lists);
    // The class fields (ProgID, CLSID, categories): emptied and greyed for a
    // plain file, or given the window colour back for a class.
    void MarkClassFields(bool applies);
    void ClearFields(int field, const std::wstring& caption);
    void Clear();

private:
    void List_MouseUp(const wchar_t* name, int Button);
    void mCopyBox_Click();

    bool& busy_;
    forms::Form* form_ = nullptr;
    std::wstring CopyListName;
};
