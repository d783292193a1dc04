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

forms::MenuItem* fedit::MenuOf(Item item)
{
    switch (item) {
    case Item::mColorFind1: return &mColorFind1;
    case Item::mTemplate1: return &mTemplate1;
    case Item::mimops: return &mimops;
    case Item::mtemp6: return &mtemp6;
    case Item::mUpHTML: return &mUpHTML;
    case Item::mLineCase: return &mLineCase;
    case Item::mComPop: return &mComPop;
    case Item::mUnComPop: return &mUnComPop;
    case Item::mtemp2: return &mtemp2;
    case Item::mCom: return &mCom;
    case Item::mUnCom: return &mUnCom;
    case Item::mDebug: return &mDebug;
    case Item::mScrShow: return &mScrShow;
    case Item::mJScrShow: return &mJScrShow;
    case Item::mCSSEd: return &mCSSEd;
    case Item::mWebBack: return &mWebBack;
    case Item::mFuncPop1: return &mFuncPop1;
    case Item::mAutoSet: return &mAutoSet;
    case Item::mDoDebug: return &mDoDebug;
    case Item::mNoDebug: return &mNoDebug;
    default: return nullptr;
    }
}

forms::Control* fedit::ControlOf(Item item)
{
    switch (item) {
    case Item::ButB13: return &bars_.ButB(13);
    case Item::ButB14: return &bars_.ButB(14);
    case Item::ButB24: return &bars_.ButB(24);
    case Item::ButB15: return &bars_.ButB(15);
    case Item::ButB16: return &bars_.ButB(16);
    case Item::ButB17: return &bars_.ButB(17);
    case Item::Line2_4: return &bars_.Line2(4);
    case Item::TBarC: return &bars_.TBarC;
    case Item::FrCSS: return &panels_.FrCSS;
    case Item::BoxMethods: return &bars_.BoxMethods;
    case Item::HiBox0: return &bars_.HiBox(0);
    case Item::HiBox1: return &bars_.HiBox(1);
    case Item::Frame1: return &bars_.Frame1;
    case Item::Frame2: return &bars_.Frame2;
    case Item::bview2_0: return &bars_.bview2(0);
    case Item::bview2_1: return &bars_.bview2(1);
    default: return nullptr;
    }
}

void fedit::ApplyChange(const Change& c)
{
    const bool on = c.value != 0;
    if (forms::MenuItem* m = MenuOf(c.item)) {
        switch (c.property) {
        case Property::Visible: m->SetVisible(on); break;
        case Property::Checked: m->SetChecked(on); break;
        case Property::Enabled: m->SetEnabled(on); break;
        case Property::Left: break;
        }
        return;
    }
    forms::Control* ctl = ControlOf(c.item);
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
            forms::Line& line = bars_.Line2(4);
            const int x = static_cast<int>(c.value);
            line.SetEnds(x, line.Y1(), x, line.Y2());
        } else {
            ctl->SetLeft(static_cast<int>(c.value));
        }
        break;
    }
}

MenuSetRows::Inputs fedit::SwitchInputs()
{
    const SettingsRecord& rec = Settings();
    MenuSetRows::Inputs in;
    in.scaleTop = ScaleTop();
    in.scaleHeight = ScaleHeight();
    in.autoBars = rec.AutoBars;
    in.noLineDebug = rec.NoLineDebug;
    in.findVisible = FindVisible();
    in.tbarCWidth = bars_.TBarC.Width();
    in.tbarDLeft = bars_.TBarD.Left();
    return in;
}

void fedit::ApplyPlan(const MenuSetRows::Plan& p)
{
    editing_.JT1.Move(kKeep, static_cast<int>(p.editorTop), kKeep, static_cast<int>(p.editorHeight));
    editing_.T2.Move(kKeep, static_cast<int>(p.gutterTop), kKeep, static_cast<int>(p.gutterHeight));
    if (p.setsLineDebug)
        State().LineDebugOn = p.lineDebugOn;
    for (const Change& c : p.changes)
        ApplyChange(c);
    if (p.placeProcedureList)
        bars_.BoxMethods.Move(static_cast<int>(p.procedureListLeft), static_cast<int>(p.procedureListTop),
                          static_cast<int>(p.procedureListWidth));
}

namespace {

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

} // namespace

void fedit::SetScriptMenus(EditorType type)
{
    State().EdType = type;
    ApplyPlan(MenuSetRows::ScriptPlan(type, SwitchInputs()));
    ClearStatus();
    // The editor keeps the record's font whatever the switch did to it.
    SetRecordFont(editing_.JT1);
}

void fedit::SetHTMLMenus()
{
    ApplyPlan(MenuSetRows::HtmlPlan(SwitchInputs()));
    ClearInfo();
    ClearStatus();
    // The editor keeps the record's font whatever the switch did to it.
    SetRecordFont(editing_.JT1);
    State().EdType = EditorType::HTML;
}

void fedit::SetDebugMode(bool on)
{
    if (State().EdType != EditorType::VBScript)
        return;
    for (const Change& c : MenuSetRows::DebugModeRows(on))
        ApplyChange(c);
}

void fedit::ApplyEditorFont()
{
    const SettingsRecord& rec = Settings();
    LockWindowUpdate(hwnd);
    // One change of font: each one measures every line of the gutter again.
    // The gutter's font comes first: its numbers decide its width.
    forms::FontSpec gutterFont = editing_.T2.Font();
    gutterFont.Name = rec.EdFontName;
    if (rec.EdFontSize > 0)
        gutterFont.Size = static_cast<float>(rec.EdFontSize);
    editing_.T2.SetFont(gutterFont);
    editing_.GutterFontChanged();
    SetGutterWidth(rec.EdFontSize == 12);
    SetRecordFont(editing_.JT1);
    if (ClsColor* color = State().Colorer) {
        color->FontSize(rec.EdFontSize);
        color->FontName(rec.EdFontName);
    }
    editing_.T2.SetSelStart(0);
    editing_.T2.SetSelLength(0);
    // The font went on the whole text above: setting it again would lay a
    // long text out twice more.
    if (editing_.JT1.LenText() != 0)
        editing_.JT1.SetSelStart(0);
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
