#include "fCM.h"

#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "MainHost.h"
#include "SettingsAccess.h"
#include "EditorGlue.h"

fCM::fCM()
{
    BorderStyle = forms::FormBorderStyle::None;
    ControlBox = false;
    ShowInTaskbar = false;
    KeyPreview = true;
    SetClientSize(1440, 3300);
    for (forms::Frame* fr : {&fr1, &fr2}) {
        fr->Place(*this, 120, 0, 1200, 3000);
        fr->SetBorderStyle(forms::Border::None);
    }
    for (int i = 0; i < 10; ++i) {
        Lab1(i).Place(fr1, 0, i * 285, 1200, 255);
        Lab2(i).Place(fr2, 0, i * 285, 1200, 255);
        // A snippet shows as it is inserted: on one line, "&" and all.
        for (forms::Label* label : {&Lab1(i), &Lab2(i)}) {
            label->WordWrap = false;
            label->EndEllipsis = true;
            label->UseMnemonic = false;
        }
    }
    bcancel.Place(*this, 240, 3000, 960, 285);
    bcancel.SetCaption(L"Cancel");
    LineB(0).PlaceLine(*this, 0, 0, 2, 0);
    LineB(1).PlaceLine(*this, 1420, 0, 1418, 0);
    LineB(2).PlaceLine(*this, 0, 0, 1440, 0);
    Lab1.Click = [this](int i) { Lab1_Click(i); };
    Lab2.Click = [this](int i) { Lab2_Click(i); };
    bcancel.Click = [this] { bcancel_Click(); };
}

fCM::~fCM() { Teardown(); }

void fCM::LayoutCustomMenus(bool menu1Active, long menu1Width, long menu2Width)
{
    menu1Active_ = menu1Active;
    widths_[0] = menu1Width;
    widths_[1] = menu2Width;
    ModFormOps::LayoutCustomMenus(*this, menu1Active, menu1Width, menu2Width);
}

void fCM::Form_Resize() { ModFormOps::LayoutCustomMenus(*this, menu1Active_, widths_[0], widths_[1]); }

void fCM::Form_KeyUp(int& KeyCode, int)
{
    if (KeyCode == VK_SPACE)
        HideMenu(true);
}

void fCM::bcancel_Click() { HideMenu(true); }

void fCM::Lab1_Click(int Index) { InsertSnippet(Lab1(Index).Caption()); }

void fCM::Lab2_Click(int Index) { InsertSnippet(Lab2(Index).Caption()); }

void fCM::HideMenu(bool focus)
{
    Hide();
    ModFormOps::SetBottomMost(hwnd);
    if (focus && Host())
        Host()->JT1().SetFocus();
}

void fCM::InsertSnippet(const std::wstring& caption)
{
    MainHost* host = Host();
    if (!host) {
        HideMenu(false);
        return;
    }
    KvRTB& editor = host->JT1();
    editor.SetSelColor(0);
    const long caret = editor.SelStart();
    host->SaveScrollPos();
    HideMenu(false);
    // A selection is never replaced by a snippet.
    if (editor.SelLength() == 0 && !caption.empty()) {
        RedrawLock lock(host->Window());
        editor.SetSelText(caption, true);
        if (!SettingsAccess::NoColorCode() && State().ColorCodeOn)
            ColourWholeText(State().EdType);
        editor.SetSelStart(caret + static_cast<long>(caption.size()));
        editor.SetSelColor(0);
        host->RestoreScrollPos();
    }
    editor.SetFocus();
    // The snippet is coloured already: leaving the line need not colour it again.
    State().LineEdited = false;
}

long fCM::BorderWidth() const { return Width() - ScaleWidth(); }
long fCM::CancelWidth() const { return const_cast<fCM*>(this)->bcancel.Width(); }
void fCM::SetFormWidth(long width) { SetWidth(static_cast<int>(width)); }

void fCM::SetLine(int i, long x1, long x2)
{
    LineB(i).SetX1(static_cast<int>(x1));
    LineB(i).SetX2(static_cast<int>(x2));
}

void fCM::SetFrame(int menu, long left, long width)
{
    (menu == 1 ? fr1 : fr2).Move(static_cast<int>(left), forms::kKeep, static_cast<int>(width));
    // The labels take the frame's width: at their first width, long
    // snippets were cut.
    for (int i = 0; i < 10; ++i)
        (menu == 1 ? Lab1(i) : Lab2(i)).SetWidth(static_cast<int>(width));
}

long fCM::SetSnippet(bool menu1, int i, const std::wstring& text)
{
    forms::Label& label = menu1 ? Lab1(i) : Lab2(i);
    label.SetCaption(text);
    const long width = label.CaptionWidth();
    label.SetToolTipText(width > kWidestLabel ? text : L"");
    return width > kWidestLabel ? kWidestLabel : width;
}

void fCM::SetCancelLeft(long left) { bcancel.SetLeft(static_cast<int>(left)); }

void fCM::SetLabelLeft(int menu, int i, long left)
{
    (menu == 1 ? Lab1(i) : Lab2(i)).SetLeft(static_cast<int>(left));
}
