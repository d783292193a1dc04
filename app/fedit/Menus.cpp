// The main window's menu bar and pop-up menus, as one table. The pop-up
// menus hang on the bar as hidden menus, so their items answer WM_COMMAND
// like the bar's.
#include "fedit.h"

#include "MenuIds.h"

#include "forms/MenuTable.h"

// The menu table names the window's handlers, which only the window sees.
std::wstring fedit::BuildMenus()
{
#define ROW(...) FORMS_MENU(fedit, __VA_ARGS__)
#define ON(...) FORMS_MENU_CLICK(fedit, __VA_ARGS__)
#define ARR(...) FORMS_MENU_ARRAY(fedit, __VA_ARGS__)
#define ARC(...) FORMS_MENU_ARRAY_CLICK(fedit, __VA_ARGS__)
// An item whose handler belongs to the editing part.
#define ED(level, name, caption) ROW(level, name, caption).On([](fedit& f) { f.editing_.name##_Click(); })

// The bar, then the pop-up menus (hidden on the bar).
    static const forms::MenuRow<fedit> kMenuTable[] = {
    ROW(0, mfile, L"&File"),
    ON(1, mNewFile, L"&New File"),
    ON(1, mOpenFile, L"&Open File"),
    ON(1, mSavePlain, L"&Save"),
    ON(1, mSaveAs, L"Save &As"),
    ROW(1, mtemp1, L"-"),
    ED(1, mPrint, L"&Print"),
    ROW(1, mtemp3, L"-"),
    ARC(1, mMRU, 0, L""),
    ARC(1, mMRU, 1, L""),
    ARC(1, mMRU, 2, L""),
    ARC(1, mMRU, 3, L""),
    ROW(1, mtemp4, L"-"),
    ON(1, mExit, L"E&xit"),
    ED(0, medit, L"&Edit"),
    ED(1, mUndo, L"&Undo"),
    ED(1, mRedo, L"&Redo"),
    ROW(1, mtemp7, L"-"),
    ROW(1, mCut, L"&Cut").On([](fedit& f) { f.editing_.DoCut(); }),
    ED(1, mCopy, L"C&opy"),
    ROW(1, mPaste, L"&Paste").On([](fedit& f) { f.editing_.DoPaste(0); }),
    ROW(1, mtemp8, L"-"),
    ED(1, mSelAll, L"&Select All"),
    ED(1, mClear, L"C&lear"),
    ROW(1, mtemp9, L"-"),
    ON(1, mFind, L"&Find and Replace"),
    ON(1, mMulti, L"&Multi-File Replace"),
    ROW(0, mimops, L"&View"),
    ON(1, mSample, L"View &Image"),
    ON(1, mOther, L"View &Other Webpage"),
    ON(1, mOffline, L"Browser Window &Offline"),
    ROW(0, mTextOps, L"&Text Ops"),
    ED(1, mWrap, L"&Wordwrap"),
    ED(1, mInsertRet, L"&Insert Returns"),
    ROW(1, mSelText, L"With Se&lected Text..."),
    ARR(2, mChangeCasePop, 0, L"&UPPER CASE").On([](fedit& f, int i) { f.editing_.mChangeCase_Click(i); }),
    ARR(2, mChangeCasePop, 1, L"&lower case").On([](fedit& f, int i) { f.editing_.mChangeCase_Click(i); }),
    ARR(2, mChangeCasePop, 2, L"&Proper Case").On([](fedit& f, int i) { f.editing_.mChangeCase_Click(i); }),
    ROW(1, mtemp6, L"-"),
    ED(1, mUpHTML, L"UPPERCASE &HTML Tags"),
    ROW(1, mtemp2, L"-"),
    ED(1, mCom, L"&Comment"),
    ED(1, mUnCom, L"&Uncomment"),
    ROW(0, mColorFind1, L"&Color Picker"),
    ON(1, mColorFind, L"Show &Color Picker"),
    ROW(0, mOptions, L"&Options"),
    ON(1, mWebBack, L"&HTML Editor (+ PHP, ASP, DHTML)"),
    ON(1, mCSSEd, L"CSS &Editor"),
    ON(1, mScrShow, L"&VBScript Editor"),
    ON(1, mJScrShow, L"&JavaScript Editor"),
    ROW(1, mtemp5, L"-"),
    ED(1, mColCode, L"&Color Code Text"),
    ED(1, mUTF8, L"&UTF-8 Text"),
    ROW(1, mtemp10, L"-"),
    ROW(1, mTemplate1, L"&Template"),
    ON(2, mTemplate, L"Load HTML &Template File"),
    ROW(1, mPopOps, L"&Popup Options"),
    ON(2, mMenu1Op, L"Custom Menu &1"),
    ON(2, mMenu2Op, L"Custom Menu &2"),
    ROW(2, mtemp11, L"-"),
    ROW(2, mFuncPop1, L"&Function Parameters Popup"),
    ON(3, mFuncPop, L"&Link to External File"),
    ON(3, mFuncPopRe, L"&Reload Data"),
    ON(1, mAutoSet, L"Auto-&Insert Setup (Script)"),
    ROW(1, mtemp12, L"-"),
    ON(1, mSettings, L"Program &Settings"),
    ROW(0, mRun, L"&Run"),
    ON(1, mRunScript, L"Run &Script"),
    ON(1, mRunMSD, L"Run Script in &MS Debugger"),
    ROW(1, mRunOps, L"Run &Options"),
    ARC(2, mRunEXE, 0, L"Use &WScript"),
    ARC(2, mRunEXE, 1, L"Use &CScript"),
    ON(2, mShowCommand, L"&Show Command Line"),
    ROW(1, mtemp13, L"-"),
    ON(1, mRunDebug, L"&Run Syntax Debugger"),
    ROW(1, mDebug, L"&Debugging"),
    ON(2, mDoDebug, L"&Use Line Debugging"),
    ON(2, mNoDebug, L"&No Line Debugging"),
    ROW(0, mTools, L"T&ools"),
    ON(1, MOmLib, L"&Snippet Library"),
    ON(1, mOmBrowse, L"Ormund Object &Browser"),
    ROW(1, mtemp14, L"-"),
    ON(1, mCodeRef, L"&Character codes, SendKeys"),
    ON(1, mMsgBoxRef, L"&VBS Constants"),
    ROW(0, mexe, L"E&XE+"),
    ARC(1, mex1, 0, L"-"),
    ARC(1, mex1, 1, L"-"),
    ARC(1, mex1, 2, L"-"),
    ON(0, mHelp, L"&Help"),
    ON(1, mCallHelp, L"TARNEL &Help"),
    ROW(0, mPop, L"Pop").Hidden(),
    ROW(1, PopUndo, L"&Undo").On([](fedit& f) { f.editing_.mUndo_Click(); }),
    ROW(1, PopRedo, L"&Redo").On([](fedit& f) { f.editing_.mRedo_Click(); }),
    ROW(1, mtemp20, L"-"),
    ROW(1, PopCut, L"&Cut").On([](fedit& f) { f.editing_.DoCut(); }),
    ROW(1, PopCopy, L"C&opy").On([](fedit& f) { f.editing_.mCopy_Click(); }),
    ROW(1, PopPaste, L"&Paste").On([](fedit& f) { f.editing_.DoPaste(0); }),
    ROW(1, mPasteClip1, L"X-Paste 1").On([](fedit& f) { f.editing_.DoPaste(1); }),
    ROW(1, mPasteClip2, L"X-Paste 2").On([](fedit& f) { f.editing_.DoPaste(2); }),
    ROW(1, PopAll, L"&Select All").On([](fedit& f) { f.editing_.mSelAll_Click(); }),
    ROW(1, mtemp21, L"-"),
    ARR(1, mChangeCase, 0, L"&UPPERCASE").On([](fedit& f, int i) { f.editing_.mChangeCase_Click(i); }),
    ARR(1, mChangeCase, 1, L"&lower case").On([](fedit& f, int i) { f.editing_.mChangeCase_Click(i); }),
    ARR(1, mChangeCase, 2, L"&Proper Case").On([](fedit& f, int i) { f.editing_.mChangeCase_Click(i); }),
    ROW(1, mtemp22, L"-"),
    ROW(1, mQuote1, L"&Quote Word(s)").On([](fedit& f) { f.editing_.QuoteWords(1); }),
    ROW(1, mUnquote1, L"U&nquote Word(s)").On([](fedit& f) { f.editing_.QuoteWords(0); }),
    ROW(1, mLineCase, L"-"),
    ROW(1, mComPop, L"Comment Sel. Text").On([](fedit& f) { f.editing_.mCom_Click(); }),
    ROW(1, mUnComPop, L"Uncomment Sel. Text").On([](fedit& f) { f.editing_.mUnCom_Click(); }),
    ROW(1, mtemp23, L"-"),
    ON(1, Menu1pop, L"Menu &1"),
    ON(1, Menu2pop, L"Menu &2"),
    ROW(0, mPopFiles, L"PopFiles").Hidden(),
    ON(1, mFileCloseFromTab, L"&Close"),
    ARC(1, mFileSaveFromTab, 0, L"&Save"),
    ARC(1, mFileSaveFromTab, 1, L"Save &As"),
    ROW(0, PopClip, L"PopClip").Hidden(),
    ROW(1, mClipClear, L"Clear").On([](fedit& f) { f.bars_.mClipClear_Click(); }),
    ROW(1, mPasteClipP, L"Paste").On([](fedit& f) { f.bars_.mPasteClipP_Click(); }),
    ROW(0, mPopLab, L"PopLab").Hidden(),
    ROW(1, mStatusCopy, L"&Copy").On([](fedit& f) { f.panels_.mStatusCopy_Click(); }),
    ROW(0, mPopMethods, L"PopMethods").Hidden(),
    ON(1, mReloadMethods, L"Reload List"),
};

#undef ROW
#undef ON
#undef ARR
#undef ARC
#undef ED

    return forms::BuildMenus(*this, Menus, kMenuTable);
}

forms::MenuItem* fedit::MenuById(unsigned id)
{
    return Menus.FindById(id);
}

bool fedit::Pickable(const forms::MenuItem& item) const
{
    const forms::MenuItem* const kPopups[] = {&mPop, &mPopFiles, &PopClip, &mPopLab, &mPopMethods};
    for (const forms::MenuItem* m = &item; m && m->ParentItem(); m = m->ParentItem()) {
        bool popup = false;  // hidden on the bar, yet its items can be picked
        for (auto p : kPopups)
            popup = popup || m == p;
        if ((!m->Visible() && !popup) || !m->Enabled())
            return false;
    }
    return !item.IsSeparator();
}
