#pragma once
// fClas: the object browser window. Its class list page lists every
// registered class whose server file exists in four aligned columns
// (ProgID or class name, CLSID, server file name), finds text in a column
// and copies rows; its properties page shows one class or any chosen file
// in two panels: the file and class fields (FrFilProps) and the type
// library's classes and members (FrTLBProps). Loaded when first used and
// unloaded when the user closes it, so its lists do not survive.
#include "ButSilver2/ButSilver2Control.h"
#include "FrFilProps.h"
#include "FrTLBProps.h"
#include "browser/ModOrmund.h"
#include "forms/Controls.h"
#include "forms/Form.h"

#include <string>
#include <vector>

class fClas : public forms::Form {
public:
    fClas();
    ~fClas() override;

    // The properties of any file: its fields, exports, imports and type
    // library; the class fields are greyed. The caller shows the page.
    void GetFileProps(const std::wstring& path);
    void ShowPropsPage();

    // ---- Class list page ----
    forms::ControlArray<forms::ListBox> boxR;  // 0 ProgID, 1 CLSID, 2 file name, 3 class name
    forms::ControlArray<forms::Label> Lab;     // column headings 0..2; 3.. fixed texts
    forms::Label LabPath;
    forms::TextBox tFind;
    forms::ControlArray<forms::OptionButton> OpFind;  // 0 Name, 1 CLSID, 2 File, 3 ProgID
    ButSilver2Control bFind, bListCls, bBrowse, bShow2;
    forms::MenuItem mPop, mCopy, mCopyID, mAddToAuto, mline, mProps;

    // ---- Properties page ----
    forms::Frame FrProps;
    FrTLBProps TLBProps{busy_};
    FrFilProps FilProps{busy_};
    forms::ControlArray<ButSilver2Control> bShow;  // 0 members panel, 1 file/class panel
    ButSilver2Control bCloseProp;

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
    void PlaceListPage();
    void PlacePropsPage();
    static LRESULT CALLBACK ColumnProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static void FitWholeRows(HWND column);

    void bListCls_Click();
    void bFind_Click();
    void boxR_Click(int Index);
    void boxR_MouseUp(int Index, int Button);
    void boxR_Scroll(int Index);
    void bShow2_Click();
    void bBrowse_Click();
    void bShow_Click(int Index);
    void mCopy_Click();
    void mCopyID_Click();
    void mAddToAuto_Click();
    void mProps_Click();
    void ClearProps();
    void SelectRow(int row);
    bool ShowClassFileInfo(std::wstring& clsid, std::wstring& file);
    std::wstring SelectedColumn(int column);

    std::vector<ModOrmund::ClassRow> rows_;  // what the four columns show
    int FindStart = 0;
    bool ProgIdFirst = false;
    bool busy_ = false;
    bool imageHelpPresent_ = false;
    int topIndex_ = 0;
};

// The program's object browser, made when first used.
fClas& ObjectBrowserForm();
// Unloads and destroys it (shutdown).
void UnloadObjectBrowserForm();
