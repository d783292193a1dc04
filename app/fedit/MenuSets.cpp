// Menu and tool-bar sets by editor type, the mode items of the Options menu,
// and the editor font. MenuSetRows says what each mode shows; this file
// puts it on the window's controls.
#include "fedit.h"

#include "ClsColor.h"
#include "EditorState.h"
#include "MenuSetRows.h"
#include "find/modfind.h"
#include "SettingsAccess.h"
#include "SettingsRecord.h"

using forms::kKeep;
using MenuSetRows::Change;
using MenuSetRows::Item;
using MenuSetRows::Property;

namespace {

forms::MenuItem* MenuOf(fedit& f, Item item)
{
    switch (item) {
    case Item::mColorFind1: return &f.mColorFind1;
    case Item::mTemplate1: return &f.mTemplate1;
    case Item::mimops: return &f.mimops;
    case Item::mtemp6: return &f.mtemp6;
    case Item::mUpHTML: return &f.mUpHTML;
    case Item::mLineCase: return &f.mLineCase;
    case Item::mComPop: return &f.mComPop;
    case Item::mUnComPop: return &f.mUnComPop;
    case Item::mtemp2: return &f.mtemp2;
    case Item::mCom: return &f.mCom;
    case Item::mUnCom: return &f.mUnCom;
    case Item::mDebug: return &f.mDebug;
    case Item::mScrShow: return &f.mScrShow;
    case Item::mJScrShow: return &f.mJScrShow;
    case Item::mCSSEd: return &f.mCSSEd;
    case Item::mWebBack: return &f.mWebBack;
    case Item::mFuncPop1: return &f.mFuncPop1;
    case Item::mAutoSet: return &f.mAutoSet;
    case Item::mDoDebug: return &f.mDoDebug;
    case Item::mNoDebug: return &f.mNoDebug;
    default: return nullptr;
    }
}

forms::Control* ControlOf(fedit& f, Item item)
{
    switch (item) {
    case Item::ButB13: return &f.ButB(13);
    case Item::ButB14: return &f.ButB(14);
    case Item::ButB24: return &f.ButB(24);
    case Item::ButB15: return &f.ButB(15);
    case Item::ButB16: return &f.ButB(16);
    case Item::ButB17: return &f.ButB(17);
    case Item::Line2_4: return &f.Line2(4);
    case Item::TBarC: return &f.TBarC;
    case Item::FrCSS: return &f.FrCSS;
    case Item::BoxMethods: return &f.BoxMethods;
    case Item::HiBox0: return &f.HiBox(0);
    case Item::HiBox1: return &f.HiBox(1);
    case Item::Frame1: return &f.Frame1;
    case Item::Frame2: return &f.Frame2;
    case Item::bview2_0: return &f.bview2(0);
    case Item::bview2_1: return &f.bview2(1);
    default: return nullptr;
    }
}

void ApplyChange(fedit& f, const Change& c)
{
    const bool on = c.value != 0;
    if (forms::MenuItem* m = MenuOf(f, c.item)) {
        switch (c.property) {
        case Property::Visible: m->SetVisible(on); break;
        case Property::Checked: m->SetChecked(on); break;
        case Property::Enabled: m->SetEnabled(on); break;
        case Property::Left: break;
        }
        return;
    }
    forms::Control* ctl = ControlOf(f, c.item);
    if (!ctl)
        return;
    switch (c.property) {
    case Property::Visible:
        ctl->SetVisible(on);
        // The CSS bar takes the status row's place while it is shown.
        if (on && c.item == Item::FrCSS)
            ctl->ZOrder(0);
        break;
    case Property::Enabled: ctl->SetEnabled(on); break;
    case Property::Checked: break;
    case Property::Left:
        if (c.item == Item::Line2_4) {
            forms::Line& line = f.Line2(4);
            const int x = static_cast<int>(c.value);
            line.SetEnds(x, line.Y1(), x, line.Y2());
        } else {
            ctl->SetLeft(static_cast<int>(c.value));
        }
        break;
    }
}

MenuSetRows::Inputs SwitchInputs(fedit& f)
{
    const SettingsRecord& rec = Settings();
    MenuSetRows::Inputs in;
    in.scaleTop = f.ScaleTop();
    in.scaleHeight = f.ScaleHeight();
    in.autoBars = rec.AutoBars;
    in.noLineDebug = rec.NoLineDebug;
    in.findVisible = FindVisible();
    in.tbarCWidth = f.TBarC.Width();
    in.tbarDLeft = f.TBarD.Left();
    return in;
}

void ApplyPlan(fedit& f, const MenuSetRows::Plan& p)
{
    f.JT1.Move(kKeep, static_cast<int>(p.editorTop), kKeep, static_cast<int>(p.editorHeight));
    f.T2.Move(kKeep, static_cast<int>(p.gutterTop), kKeep, static_cast<int>(p.gutterHeight));
    if (p.setsLineDebug)
        State().LineDebugOn = p.lineDebugOn;
    for (const Change& c : p.changes)
        ApplyChange(f, c);
    if (p.placeProcedureList)
        f.BoxMethods.Move(static_cast<int>(p.procedureListLeft), static_cast<int>(p.procedureListTop),
                          static_cast<int>(p.procedureListWidth));
}

// The editor's font as the record gives it. Face and size go on together:
// each change of the editor's font lays out the whole text again, which
// costs seconds on a long page.
void SetRecordFont(KvRTB& editor)
{
    const SettingsRecord& rec = Settings();
    forms::FontSpec font = editor.Font();
    font.Name = rec.EdFontName;
    if (rec.EdFontSize > 0)
        font.Size = static_cast<float>(rec.EdFontSize);
    editor.SetFont(font);
}

// The editor keeps the record's font whatever the switch did to it.
void EditorFontAgain(fedit& f) { SetRecordFont(f.JT1); }

} // namespace

void fedit::SetScriptMenus(EditorType type)
{
    State().EdType = type;
    ApplyPlan(*this, MenuSetRows::ScriptPlan(type, SwitchInputs(*this)));
    ClearStatus();
    EditorFontAgain(*this);
}

void fedit::SetHTMLMenus()
{
    ApplyPlan(*this, MenuSetRows::HtmlPlan(SwitchInputs(*this)));
    ClearInfo();
    ClearStatus();
    EditorFontAgain(*this);
    State().EdType = EditorType::HTML;
}

void fedit::SetDebugMode(bool on)
{
    if (State().EdType != EditorType::VBScript)
        return;
    for (const Change& c : MenuSetRows::DebugModeRows(on))
        ApplyChange(*this, c);
}

void fedit::ApplyEditorFont()
{
    const SettingsRecord& rec = Settings();
    LockWindowUpdate(hwnd);
    SetGutterWidth(rec.EdFontSize == 12);
    SetRecordFont(JT1);
    if (ClsColor* color = State().Colorer) {
        color->FontSize(rec.EdFontSize);
        color->FontName(rec.EdFontName);
    }
    // One change of font: each one measures every line of the gutter again.
    forms::FontSpec gutterFont = T2.Font();
    gutterFont.Name = rec.EdFontName;
    if (rec.EdFontSize > 0)
        gutterFont.Size = static_cast<float>(rec.EdFontSize);
    T2.SetFont(gutterFont);
    gutterScreenRows_ = 0;
    T2.SetSelStart(0);
    T2.SetSelLength(0);
    // The font went on the whole text above: setting it again would lay a
    // long text out twice more.
    if (JT1.LenText() != 0)
        JT1.SetSelStart(0);
    LockWindowUpdate(nullptr);
}

void fedit::mCSSEd_Click()
{
    SetScriptMenus(EditorType::CSS);
    SetCaptions();
}

void fedit::mScrShow_Click()
{
    SetScriptMenus(EditorType::VBScript);
    SetCaptions();
}

void fedit::mJScrShow_Click()
{
    SetScriptMenus(EditorType::JavaScript);
    SetCaptions();
}

void fedit::mWebBack_Click()
{
    SetHTMLMenus();
    SetCaptions();
}
