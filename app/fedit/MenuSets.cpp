// Menu and tool-bar sets by editor type, and the editor font.
#include "fedit.h"

#include "ClsColor.h"
#include "EditorState.h"
#include "settings-library/record/SettingsRecord.h"

void fedit::SetScriptMenus(long type)
{
    Settings().LastEdType = static_cast<int32_t>(type);
    mWebBack.SetChecked(false);
    mCSSEd.SetChecked(type == 3);
    mScrShow.SetChecked(type == 4);
    mJScrShow.SetChecked(type == 5);
    ClearStatus();
}

void fedit::SetHTMLMenus()
{
    mWebBack.SetChecked(true);
    mCSSEd.SetChecked(false);
    mScrShow.SetChecked(false);
    mJScrShow.SetChecked(false);
    ClearStatus();
    Settings().LastEdType = 2;
}

void fedit::ApplyEditorFont()
{
    const SettingsRecord& rec = Settings();
    JT1.FontName(rec.EdFontName);
    JT1.FontSize(rec.EdFontSize);
    if (ClsColor* color = State().Colorer) {
        color->FontSize(rec.EdFontSize);
        color->FontName(rec.EdFontName);
    }
    T2.SetFontName(rec.EdFontName);
    T2.SetFontSize(static_cast<float>(rec.EdFontSize));
}

void fedit::mCSSEd_Click()
{
    SetScriptMenus(3);
    State().TypeName = L"CSS";
    SetCaptions();
}

void fedit::mScrShow_Click()
{
    SetScriptMenus(4);
    State().TypeName = L"VBScript";
    SetCaptions();
}

void fedit::mJScrShow_Click()
{
    SetScriptMenus(5);
    State().TypeName = L"Javascript";
    SetCaptions();
}

void fedit::mWebBack_Click()
{
    State().TypeName = L"HTML";
    SetHTMLMenus();
    SetCaptions();
}
