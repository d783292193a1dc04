#pragma once
// A form with every kind of control of the runtime; its handlers log what
// they see so that the tests can check the events.
#include "forms/Controls.h"
#include "forms/Form.h"

#include <string>
#include <vector>

// A user control as the editing core writes them: its own window class, its
// own key handling; it keeps Tab and Enter (as an editor does).
class KeyHungryControl : public forms::Control {
public:
    std::vector<std::wstring>* log = nullptr;

protected:
    HWND CreateHandle(HWND parent, const RECT& px) override;
    bool WantsSubclass() const override { return false; }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
};

// Form_Resize calls of every fSample, also those after its members went.
extern int g_sampleResizes;

class fSample : public forms::Form {
public:
    fSample();
    ~fSample() override { Teardown(); }

    std::vector<std::wstring> Log;
    bool CancelUnload = false;
    bool EatF2 = false; // KeyPreview handler sets KeyCode 0 for F2

    forms::Label Lab1;
    forms::TextBox tName;
    forms::TextBox tNotes;
    forms::ListBox BoxE;
    forms::ComboBox boxface;
    forms::ComboBox BoxDefExt;
    forms::CheckBox CkTab;
    forms::Frame FrGen;
    forms::OptionButton opA, opB;
    forms::OptionButton opOther;
    forms::PictureBox Pic1;
    forms::Image Im1;
    forms::Shape HiBox;
    forms::Line Line2;
    forms::CommandButton bOK, bCancel;
    KeyHungryControl Custom;
    forms::ControlArray<forms::Label> LabSetMenu;
    forms::ControlArray<forms::OptionButton> OpColors;

    forms::MenuItem mFile, mNew, mSave, mtemp1, mExit, mEdit, mUndo, mPop, mPopCopy;

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void Form_KeyDown(int& KeyCode, int Shift) override;
    void Form_KeyPress(int& KeyAscii) override;

private:
    void Note(const std::wstring& s) { Log.push_back(s); }
};

// A small dialog shown modal or as an owned tool window.
class fModal : public forms::Form {
public:
    fModal()
    {
        SetCaption(L"Modal");
        BorderStyle = forms::FormBorderStyle::FixedDialog;
        StartUpPosition = forms::FormStartUpPosition::CenterScreen;
        SetClientSize(3000, 1500);
        tAnswer.Place(*this, 120, 120, 2700, 285);
        bOK.Place(*this, 1800, 900, 1000, 375);
        bOK.SetCaption(L"OK");
        bOK.SetDefault(true);
        bOK.Click = [this] {
            Answer = tAnswer.Text();
            Hide();
        };
    }
    ~fModal() override { Teardown(); }
    forms::TextBox tAnswer;
    forms::CommandButton bOK;
    std::wstring Answer;
    int queryMode = -1;

protected:
    void Form_QueryUnload(int& Cancel, int UnloadMode) override { queryMode = UnloadMode; }
};
