// The main window's menu bar and pop-up menus, as one table: each row is one
// item with its depth, its member, its index in a menu array, its caption and
// its command id. The pop-up menus hang on the bar as hidden menus, so their
// items answer WM_COMMAND like the bar's.
#include "fedit.h"

#include "MenuIds.h"

namespace {

struct MenuRow {
    int level;  // 0 a menu of the bar (or a pop-up), 1 its item, 2 and 3 sub-menu items
    forms::MenuItem fedit::*item;
    forms::MenuArray fedit::*array;
    int index;
    const wchar_t* caption;
    unsigned id;
};

const MenuRow kMenuTable[] = {
        {0, &fedit::mfile, nullptr, -1, L"&File", IDM_mfile},
        {1, &fedit::mNewFile, nullptr, -1, L"&New File", IDM_mNewFile},
        {1, &fedit::mOpenFile, nullptr, -1, L"&Open File", IDM_mOpenFile},
        {1, &fedit::mSavePlain, nullptr, -1, L"&Save", IDM_mSavePlain},
        {1, &fedit::mSaveAs, nullptr, -1, L"Save &As", IDM_mSaveAs},
        {1, &fedit::mtemp1, nullptr, -1, L"-", IDM_mtemp1},
        {1, &fedit::mPrint, nullptr, -1, L"&Print", IDM_mPrint},
        {1, &fedit::mtemp3, nullptr, -1, L"-", IDM_mtemp3},
        {1, nullptr, &fedit::mMRU, 0, L"", IDM_mMRU_0},
        {1, nullptr, &fedit::mMRU, 1, L"", IDM_mMRU_1},
        {1, nullptr, &fedit::mMRU, 2, L"", IDM_mMRU_2},
        {1, nullptr, &fedit::mMRU, 3, L"", IDM_mMRU_3},
        {1, &fedit::mtemp4, nullptr, -1, L"-", IDM_mtemp4},
        {1, &fedit::mExit, nullptr, -1, L"E&xit", IDM_mExit},
        {0, &fedit::medit, nullptr, -1, L"&Edit", IDM_medit},
        {1, &fedit::mUndo, nullptr, -1, L"&Undo", IDM_mUndo},
        {1, &fedit::mRedo, nullptr, -1, L"&Redo", IDM_mRedo},
        {1, &fedit::mtemp7, nullptr, -1, L"-", IDM_mtemp7},
        {1, &fedit::mCut, nullptr, -1, L"&Cut", IDM_mCut},
        {1, &fedit::mCopy, nullptr, -1, L"C&opy", IDM_mCopy},
        {1, &fedit::mPaste, nullptr, -1, L"&Paste", IDM_mPaste},
        {1, &fedit::mtemp8, nullptr, -1, L"-", IDM_mtemp8},
        {1, &fedit::mSelAll, nullptr, -1, L"&Select All", IDM_mSelAll},
        {1, &fedit::mClear, nullptr, -1, L"C&lear", IDM_mClear},
        {1, &fedit::mtemp9, nullptr, -1, L"-", IDM_mtemp9},
        {1, &fedit::mFind, nullptr, -1, L"&Find and Replace", IDM_mFind},
        {1, &fedit::mMulti, nullptr, -1, L"&Multi-File Replace", IDM_mMulti},
        {0, &fedit::mimops, nullptr, -1, L"&View", IDM_mimops},
        {1, &fedit::mSample, nullptr, -1, L"View &Image", IDM_mSample},
        {1, &fedit::mOther, nullptr, -1, L"View &Other Webpage", IDM_mOther},
        {1, &fedit::mOffline, nullptr, -1, L"Browser Window &Offline", IDM_mOffline},
        {0, &fedit::mTextOps, nullptr, -1, L"&Text Ops", IDM_mTextOps},
        {1, &fedit::mWrap, nullptr, -1, L"&Wordwrap", IDM_mWrap},
        {1, &fedit::mInsertRet, nullptr, -1, L"&Insert Returns", IDM_mInsertRet},
        {1, &fedit::mSelText, nullptr, -1, L"With Se&lected Text...", IDM_mSelText},
        {2, nullptr, &fedit::mChangeCasePop, 0, L"&UPPER CASE", IDM_mChangeCasePop_0},
        {2, nullptr, &fedit::mChangeCasePop, 1, L"&lower case", IDM_mChangeCasePop_1},
        {2, nullptr, &fedit::mChangeCasePop, 2, L"&Proper Case", IDM_mChangeCasePop_2},
        {1, &fedit::mtemp6, nullptr, -1, L"-", IDM_mtemp6},
        {1, &fedit::mUpHTML, nullptr, -1, L"UPPERCASE &HTML Tags", IDM_mUpHTML},
        {1, &fedit::mtemp2, nullptr, -1, L"-", IDM_mtemp2},
        {1, &fedit::mCom, nullptr, -1, L"&Comment", IDM_mCom},
        {1, &fedit::mUnCom, nullptr, -1, L"&Uncomment", IDM_mUnCom},
        {0, &fedit::mColorFind1, nullptr, -1, L"&Color Picker", IDM_mColorFind1},
        {1, &fedit::mColorFind, nullptr, -1, L"Show &Color Picker", IDM_mColorFind},
        {0, &fedit::mOptions, nullptr, -1, L"&Options", IDM_mOptions},
        {1, &fedit::mWebBack, nullptr, -1, L"&HTML Editor (+ PHP, ASP, DHTML)", IDM_mWebBack},
        {1, &fedit::mCSSEd, nullptr, -1, L"CSS &Editor", IDM_mCSSEd},
        {1, &fedit::mScrShow, nullptr, -1, L"&VBScript Editor", IDM_mScrShow},
        {1, &fedit::mJScrShow, nullptr, -1, L"&JavaScript Editor", IDM_mJScrShow},
        {1, &fedit::mtemp5, nullptr, -1, L"-", IDM_mtemp5},
        {1, &fedit::mColCode, nullptr, -1, L"&Color Code Text", IDM_mColCode},
        {1, &fedit::mUTF8, nullptr, -1, L"&UTF-8 Text", IDM_mUTF8},
        {1, &fedit::mtemp10, nullptr, -1, L"-", IDM_mtemp10},
        {1, &fedit::mTemplate1, nullptr, -1, L"&Template", IDM_mTemplate1},
        {2, &fedit::mTemplate, nullptr, -1, L"Load HTML &Template File", IDM_mTemplate},
        {1, &fedit::mPopOps, nullptr, -1, L"&Popup Options", IDM_mPopOps},
        {2, &fedit::mMenu1Op, nullptr, -1, L"Custom Menu &1", IDM_mMenu1Op},
        {2, &fedit::mMenu2Op, nullptr, -1, L"Custom Menu &2", IDM_mMenu2Op},
        {2, &fedit::mtemp11, nullptr, -1, L"-", IDM_mtemp11},
        {2, &fedit::mFuncPop1, nullptr, -1, L"&Function Parameters Popup", IDM_mFuncPop1},
        {3, &fedit::mFuncPop, nullptr, -1, L"&Link to External File", IDM_mFuncPop},
        {3, &fedit::mFuncPopRe, nullptr, -1, L"&Reload Data", IDM_mFuncPopRe},
        {1, &fedit::mAutoSet, nullptr, -1, L"Auto-&Insert Setup (Script)", IDM_mAutoSet},
        {1, &fedit::mtemp12, nullptr, -1, L"-", IDM_mtemp12},
        {1, &fedit::mSettings, nullptr, -1, L"Program &Settings", IDM_mSettings},
        {0, &fedit::mRun, nullptr, -1, L"&Run", IDM_mRun},
        {1, &fedit::mRunScript, nullptr, -1, L"Run &Script", IDM_mRunScript},
        {1, &fedit::mRunMSD, nullptr, -1, L"Run Script in &MS Debugger", IDM_mRunMSD},
        {1, &fedit::mRunOps, nullptr, -1, L"Run &Options", IDM_mRunOps},
        {2, nullptr, &fedit::mRunEXE, 0, L"Use &WScript", IDM_mRunEXE_0},
        {2, nullptr, &fedit::mRunEXE, 1, L"Use &CScript", IDM_mRunEXE_1},
        {2, &fedit::mShowCommand, nullptr, -1, L"&Show Command Line", IDM_mShowCommand},
        {1, &fedit::mtemp13, nullptr, -1, L"-", IDM_mtemp13},
        {1, &fedit::mRunDebug, nullptr, -1, L"&Run Syntax Debugger", IDM_mRunDebug},
        {1, &fedit::mDebug, nullptr, -1, L"&Debugging", IDM_mDebug},
        {2, &fedit::mDoDebug, nullptr, -1, L"&Use Line Debugging", IDM_mDoDebug},
        {2, &fedit::mNoDebug, nullptr, -1, L"&No Line Debugging", IDM_mNoDebug},
        {0, &fedit::mTools, nullptr, -1, L"T&ools", IDM_mTools},
        {1, &fedit::MOmLib, nullptr, -1, L"&Snippet Library", IDM_MOmLib},
        {1, &fedit::mOmBrowse, nullptr, -1, L"Ormund Object &Browser", IDM_mOmBrowse},
        {1, &fedit::mtemp14, nullptr, -1, L"-", IDM_mtemp14},
        {1, &fedit::mCodeRef, nullptr, -1, L"&Character codes, SendKeys", IDM_mCodeRef},
        {1, &fedit::mMsgBoxRef, nullptr, -1, L"&VBS Constants", IDM_mMsgBoxRef},
        {0, &fedit::mexe, nullptr, -1, L"E&XE+", IDM_mexe},
        {1, nullptr, &fedit::mex1, 0, L"-", IDM_mex1_0},
        {1, nullptr, &fedit::mex1, 1, L"-", IDM_mex1_1},
        {1, nullptr, &fedit::mex1, 2, L"-", IDM_mex1_2},
        {0, &fedit::mHelp, nullptr, -1, L"&Help", IDM_mHelp},
        {1, &fedit::mCallHelp, nullptr, -1, L"TARNEL &Help", IDM_mCallHelp},
        {0, &fedit::mPop, nullptr, -1, L"Pop", IDM_mPop},
        {1, &fedit::PopUndo, nullptr, -1, L"&Undo", IDM_PopUndo},
        {1, &fedit::PopRedo, nullptr, -1, L"&Redo", IDM_PopRedo},
        {1, &fedit::mtemp20, nullptr, -1, L"-", IDM_mtemp20},
        {1, &fedit::PopCut, nullptr, -1, L"&Cut", IDM_PopCut},
        {1, &fedit::PopCopy, nullptr, -1, L"C&opy", IDM_PopCopy},
        {1, &fedit::PopPaste, nullptr, -1, L"&Paste", IDM_PopPaste},
        {1, &fedit::mPasteClip1, nullptr, -1, L"X-Paste 1", IDM_mPasteClip1},
        {1, &fedit::mPasteClip2, nullptr, -1, L"X-Paste 2", IDM_mPasteClip2},
        {1, &fedit::PopAll, nullptr, -1, L"&Select All", IDM_PopAll},
        {1, &fedit::mtemp21, nullptr, -1, L"-", IDM_mtemp21},
        {1, nullptr, &fedit::mChangeCase, 0, L"&UPPERCASE", IDM_mChangeCase_0},
        {1, nullptr, &fedit::mChangeCase, 1, L"&lower case", IDM_mChangeCase_1},
        {1, nullptr, &fedit::mChangeCase, 2, L"&Proper Case", IDM_mChangeCase_2},
        {1, &fedit::mtemp22, nullptr, -1, L"-", IDM_mtemp22},
        {1, &fedit::mQuote1, nullptr, -1, L"&Quote Word(s)", IDM_mQuote1},
        {1, &fedit::mUnquote1, nullptr, -1, L"U&nquote Word(s)", IDM_mUnquote1},
        {1, &fedit::mLineCase, nullptr, -1, L"-", IDM_mLineCase},
        {1, &fedit::mComPop, nullptr, -1, L"Comment Sel. Text", IDM_mComPop},
        {1, &fedit::mUnComPop, nullptr, -1, L"Uncomment Sel. Text", IDM_mUnComPop},
        {1, &fedit::mtemp23, nullptr, -1, L"-", IDM_mtemp23},
        {1, &fedit::Menu1pop, nullptr, -1, L"Menu &1", IDM_Menu1pop},
        {1, &fedit::Menu2pop, nullptr, -1, L"Menu &2", IDM_Menu2pop},
        {0, &fedit::mPopFiles, nullptr, -1, L"PopFiles", IDM_mPopFiles},
        {1, &fedit::mFileCloseFromTab, nullptr, -1, L"&Close", IDM_mFileCloseFromTab},
        {1, nullptr, &fedit::mFileSaveFromTab, 0, L"&Save", IDM_mFileSaveFromTab_0},
        {1, nullptr, &fedit::mFileSaveFromTab, 1, L"Save &As", IDM_mFileSaveFromTab_1},
        {0, &fedit::PopClip, nullptr, -1, L"PopClip", IDM_PopClip},
        {1, &fedit::mClipClear, nullptr, -1, L"Clear", IDM_mClipClear},
        {1, &fedit::mPasteClipP, nullptr, -1, L"Paste", IDM_mPasteClipP},
        {0, &fedit::mPopLab, nullptr, -1, L"PopLab", IDM_mPopLab},
        {1, &fedit::mStatusCopy, nullptr, -1, L"&Copy", IDM_mStatusCopy},
        {0, &fedit::mPopMethods, nullptr, -1, L"PopMethods", IDM_mPopMethods},
        {1, &fedit::mReloadMethods, nullptr, -1, L"Reload List", IDM_mReloadMethods},
};

// Pop-up menus: hidden on the bar, shown with PopupMenu.
forms::MenuItem fedit::*const kPopups[] = {&fedit::mPop, &fedit::mPopFiles, &fedit::PopClip,
                                           &fedit::mPopLab, &fedit::mPopMethods};

} // namespace

void fedit::BuildMenus()
{
    forms::MenuItem* parents[4] = {&Menus, nullptr, nullptr, nullptr};
    for (const MenuRow& row : kMenuTable) {
        forms::MenuItem& item = row.item ? this->*row.item : (this->*row.array)(row.index);
        parents[row.level]->Add(item, row.caption);
        item.SetCommandId(row.id);
        if (row.level + 1 < 4)
            parents[row.level + 1] = &item;
    }
    for (auto popup : kPopups)
        (this->*popup).SetVisible(false);
}

forms::MenuItem* fedit::MenuById(unsigned id)
{
    return Menus.FindById(id);
}

bool fedit::Pickable(const forms::MenuItem& item) const
{
    for (const forms::MenuItem* m = &item; m && m->ParentItem(); m = m->ParentItem()) {
        bool popup = false;  // hidden on the bar, yet its items can be picked
        for (auto p : kPopups)
            popup = popup || m == &(this->*p);
        if ((!m->Visible() && !popup) || !m->Enabled())
            return false;
    }
    return !item.IsSeparator();
}
