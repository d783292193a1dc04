// The tool-bar image buttons ButB, the auto-insert label buttons Lht with
// their customising, the two extra clipboards, the pane switch and the hover
// looks; and the wiring of every handler of this and the panel, run and
// launcher files.
#include "fedit.h"

#include "EditorState.h"
#include "browser/ObjectBrowser.h"
#include "debug/modHTML.h"
#include "find/modfind.h"
#include "images/modbitmap.h"
#include "PanelRules.h"
#include "EditorGlue.h"
#include "forms/BusyScope.h"
#include "forms/Runtime.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "SettingsRecord.h"

#include <exception>

using namespace forms;

void RemoveLeftoverScripts();   // Running.cpp

namespace {

constexpr int kRightButton = 2;

// Errors inside a handler end the handler, never the program.
template <class F>
auto Guard(F f)
{
    return [f](auto&&... args) {
        try {
            f(args...);
        } catch (...) {
        }
    };
}

bool HasLook(int index) { return index >= 0 && index <= 24; }

enum class Look { Flat, Raised, Pressed };

void SetLook(Image& button, Look look)
{
    button.SetAppearance(look == Look::Pressed ? 1 : 0);
    button.SetBorderStyle(look == Look::Flat ? Border::None : Border::FixedSingle);
}

} // namespace

void fedit::LoadToolbars()
{
    ButB(14).SetOLEDropMode(1);
    ButB(22).SetOLEDropMode(1);
    mRunEXE(0).SetChecked(State().RunWithWScript);
    mRunEXE(1).SetChecked(!State().RunWithWScript);
    RemoveLeftoverScripts();
}

void fedit::WireToolbars()
{
    // The menu items' handlers come from the menu table (Menus.cpp).
    // Tool bars and auto-insert buttons.
    ButB.Click = Guard([this](int i) { ButB_Click(i); });
    ButB.MouseDown = Guard([this](int i, int b, int, int, int) { ButB_MouseDown(i, b); });
    ButB.MouseMove = Guard([this](int i, int, int, int, int) { ButB_MouseMove(i); });
    ButB.MouseUp = Guard([this](int i, int b, int, int, int) { ButB_MouseUp(i, b); });
    ButB.OLEDragDrop = Guard([this](int i, const std::vector<std::wstring>& files, int, int, int, int) {
        ButB_OLEDragDrop(i, files);
    });
    for (Frame* bar : {&TBarA, &TBarB, &TBarC})
        bar->MouseMove = Guard([this](int, int, int, int) { FlattenHoveredButton(); });
    Lht.Click = Guard([this](int i) { Lht_Click(i); });
    Lht.MouseDown = Guard([this](int i, int b, int, int, int) { Lht_MouseDown(i, b); });
    Lht.MouseUp = Guard([this](int i, int, int, int, int) { Lht_MouseUp(i); });
    Lht.MouseMove = Guard([this](int i, int, int, int, int) { Lht_MouseMove(i); });
    bsw.Click = Guard([this](int i) { bsw_Click(i); });
    bview2.Click = Guard([this](int i) { bview2_Click(i); });
    for (ControlArray<Image>* arr : {&bsw, &bview2}) {
        ControlArray<Image>& a = *arr;
        a.MouseDown = Guard([&a](int i, int, int, int, int) { SetLook(a(i), Look::Pressed); });
        a.MouseUp = Guard([&a](int i, int, int, int, int) { SetLook(a(i), Look::Flat); });
        a.MouseMove = Guard([this](int, int, int, int, int) { HideOutline(); });
    }
    LabStatus.MouseMove = Guard([this](int, int, int, int) { HideOutline(); });

    // Panels.
    bStatScroll.Click = Guard([this](int i) { bStatScroll_Click(i); });
    LabStatus.MouseUp = Guard([this](int b, int, int, int) { LabStatus_MouseUp(b); });
    BoxPopJ.List.MouseDown = Guard([this](int&) { popupItemChosen_ = true; });
    BoxPopJ.List.MouseUp = Guard([this](int&) { popupItemChosen_ = false; });
    BoxPopJ.List.KeyUp = Guard([this](int& k) { BoxPopJ_KeyUp(k); });
    BoxPopJ.List.Click = Guard([this](int& i) { BoxPopJ_Click(i); });
    bPropCSS.Click = Guard([this](int i) { bPropCSS_Click(i); });
    bTipX.Click = Guard([this](int i) { bTipX_Click(i); });
    BoxMethods.Click = Guard([this] { BoxMethods_Click(); });
    // From the runtime's subclass the list has anyway: a subclass of its own
    // cost Wine two server look-ups for every message of the list.
    BoxMethods.MouseDown = Guard([this](int Button, int, int, int) {
        if (Button == forms::vbRightButton)
            PopupMenu(mPopMethods);
    });
    T2.MouseUp = Guard([this](int, int, int, int) { T2.SetSelLength(0); });

    // Running.
    bCommand.Click = Guard([this](int i) { bCommand_Click(i); });

    // Launchers.
    bbitcol.Click = Guard([this] { bbitcol_Click(); });
    bspec.Click = Guard([this] { bspec_Click(); });
}

void fedit::ButB_Click(int Index)
{
    BusyScope busy(State().ClickBusy);
    if (!busy.Entered())
        return;
    EditorState& s = State();
    switch (Index) {
    case 0: mOpenFile.FireClick(); break;
    case 1: mSavePlain.FireClick(); break;
    case 2: mPrint_Click(); break;
    case 3: IndentLines(0); break;
    case 4: IndentLines(1); break;
    case 5: DoCut(); break;
    case 6: mCopy_Click(); break;
    case 7: DoPaste(0); break;
    case 9:
        if (FindVisible())
            CloseFindButton();
        else
            mFind_Click();
        break;
    case 10: mMulti_Click(); break;
    case 11: ColorOn(); break;
    case 12: ColorOff(); break;
    case 13: mColorFind_Click(); break;
    case 14: mSample_Click(); break;
    case 15: mRunDebug_Click(); break;
    case 16: mNoDebug_Click(); break;
    case 17: mDoDebug_Click(); break;
    case 18: MOmLib_Click(); break;
    case 19: mRunScript_Click(); break;
    case 22: mOmBrowse_Click(); break;
    case 23: mAutoSet_Click(); break;
    case 24:
        if (TagsLoaded())
            ShowTagInfo();
        else
            ShowStatus(L"No HTML tag data. tarnelh.ini file missing?");
        break;
    case 25:
    case 26:
    case 27:
    case 28: {
        if (JT1.SelLength() < 1)
            break;
        const bool first = Index <= 26;
        std::wstring& clip = first ? s.Clip1 : s.Clip2;
        clip = JT1.SelText();
        const int empty = first ? 25 : 27;
        ButB(empty).SetVisible(false);
        ButB(empty + 1).SetVisible(true);
        ButB(empty + 1).SetToolTipText(PanelRules::ClipTip(clip));
        break;
    }
    default:
        break;
    }
}

void fedit::ButB_MouseDown(int Index, int Button)
{
    (void)Button;
    if (HasLook(Index))
        SetLook(ButB(Index), Look::Pressed);
}

void fedit::ButB_MouseMove(int Index)
{
    // Moving inside the hovered button changes nothing, so a held button
    // keeps its pressed look.
    if (Index == HoveredButton)
        return;
    FlattenHoveredButton();
    if (HasLook(Index)) {
        SetLook(ButB(Index), Look::Raised);
        HoveredButton = Index;
    }
}

void fedit::ButB_MouseUp(int Index, int Button)
{
    if (HasLook(Index)) {
        SetLook(ButB(Index), Look::Flat);
        return;
    }
    if (Button == kRightButton && Index >= 25 && Index <= 28)
        ShowClipMenu(Index);
}

void fedit::FlattenHoveredButton()
{
    if (HasLook(HoveredButton) && ButB.Exists(HoveredButton))
        SetLook(ButB(HoveredButton), Look::Flat);
    HoveredButton = -1;
}

void fedit::ShowClipMenu(int Index)
{
    clipMenuButton_ = Index;
    if (Index != 26 && Index != 28)
        return;
    const bool filled = !(Index == 26 ? State().Clip1 : State().Clip2).empty();
    mClipClear.SetEnabled(filled);
    mPasteClipP.SetEnabled(filled);
    PopupMenu(PopClip);
}

void fedit::mClipClear_Click()
{
    int empty;
    if (clipMenuButton_ == 25 || clipMenuButton_ == 26) {
        State().Clip1.clear();
        empty = 25;
    } else if (clipMenuButton_ == 27 || clipMenuButton_ == 28) {
        State().Clip2.clear();
        empty = 27;
    } else {
        return;
    }
    ButB(empty).SetVisible(true);
    ButB(empty + 1).SetVisible(false);
    ButB(empty + 1).SetToolTipText(L"");
}

void fedit::mPasteClipP_Click()
{
    if (clipMenuButton_ == 26)
        mPasteClip1.FireClick();
    else if (clipMenuButton_ == 28)
        mPasteClip2.FireClick();
}

void fedit::ButB_OLEDragDrop(int Index, const std::vector<std::wstring>& Files)
{
    if (Files.empty() || !platform::FileExists(Files[0]))
        return;
    const std::wstring& path = Files[0];
    if (Index == 22) {
        GetFileProps(path);
    } else if (Index == 14) {
        // A dropped PNG is not taken here, only through the View Image command.
        const std::wstring ext = platform::Upper(platform::GetExtension(path));
        if (ext != L"GIF" && ext != L"JPG" && ext != L"ICO" && ext != L"BMP")
            return;
        CloseFind();
        ShowImage(path);
        AfterShowImage();
    }
}

void fedit::Lht_Click(int Index)
{
    BusyScope busy(State().ClickBusy);
    if (!busy.Entered())
        return;
    const bool fixed = Index == 17 || Index == 19 || Index == 20;
    if (!customiseArmed_) {
        if (Index == 17)
            InsertBackgroundImage();
        else if (Index == 19)
            InsertImageCode(2);
        else if (Index == 20)
            InsertImageCode(1);
        else
            InsertViaClipboard(Lht(Index).ToolTipText());
        if (mWrap.Checked())
            SyncLineNums();
        JT1.SetSelColor(0);
        JT1.SetFocus();
        return;
    }
    customiseArmed_ = false;
    if (fixed)
        return;
    const wchar_t* title = L"Customize Auto-insert Buttons";
    std::wstring caption = InputBox(L"Enter new button caption.", title, L"", hwnd);
    if (caption.empty())
        return;
    std::wstring text = InputBox(L"Enter new auto-insert text.", title, L"", hwnd);
    if (text.empty())
        return;
    SettingsRecord& rec = Settings();
    const size_t i = static_cast<size_t>(Index);
    if (rec.ButtonCaptions.size() <= i)
        rec.ButtonCaptions.resize(28);
    if (rec.ButtonTexts.size() <= i)
        rec.ButtonTexts.resize(28, L".");
    rec.ButtonCaptions[i] = caption;
    rec.ButtonTexts[i] = text;
    Lht(Index).SetToolTipText(text);
    Lht(Index).SetCaption(caption);
}

void fedit::Lht_MouseDown(int Index, int Button)
{
    if (Button == kRightButton)
        customiseArmed_ = true;
    else
        Lht(Index).SetBorderStyle(Border::FixedSingle);
}

void fedit::Lht_MouseUp(int Index)
{
    Lht(Index).SetBorderStyle(Border::None);
}

void fedit::Lht_MouseMove(int Index)
{
    const int shown = Index >= 14 ? 1 : 0;
    HiBox(1 - shown).SetVisible(false);
    HiBox(shown).SetLeft(Lht(Index).Left());
    HiBox(shown).SetVisible(true);
    outlineShown_ = true;
}

void fedit::HideOutline()
{
    if (!outlineShown_)
        return;
    HiBox(0).SetVisible(false);
    HiBox(1).SetVisible(false);
    outlineShown_ = false;
}

void fedit::Form_MouseMove(int Button, int Shift, int X, int Y)
{
    (void)Button; (void)Shift; (void)X; (void)Y;
    HideOutline();
}

void fedit::bsw_Click(int Index)
{
    HiBox(0).SetVisible(false);
    HiBox(1).SetVisible(false);
    outlineShown_ = false;
    Frame1.SetVisible(Index != 0);
    Frame2.SetVisible(Index == 0);
    JT1.SetFocus();
}
