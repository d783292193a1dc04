#pragma once
// fedit: the main window. One editor (JT1) with its line-number gutter (T2)
// shows the current document; two tool-bar rows above it, the auto-insert
// bars, the image frame, the status row and the file tabs below it. The
// window's parts (file tabs, tool bars, ...) are classes of their own that
// own their controls and handlers; the form composes them and holds the
// editor, the menus and the document routines, in files of their own beside
// this one (menus, menu sets, layout, documents, ...).
#include "forms/Controls.h"
#include "forms/Form.h"

#include "KvRTB/KvRTB.h"
#include "ClsFile.h"
#include "EditorType.h"
#include "fedit/DocumentsEngine.h"
#include "fedit/FileTabsPart.h"
#include "fedit/ToolbarsPart.h"
#include "fedit/PanelsPart.h"
#include "fedit/EditingPart.h"
#include "fedit/MainProgram.h"
#include "platform/ComRef.h"
#include "platform/Files.h"
#include "platform/Handles.h"
#include "PlimsorIds.h"
#include "CSubclass.h"

#include <windows.h>
#include <ocidl.h>

#include <memory>
#include <string>
#include <vector>

class SettingsEventSink;
namespace MenuSetRows {
enum class Item;
struct Change;
struct Inputs;
struct Plan;
}

class fedit : public forms::Form {
public:
    explicit fedit(MainProgram& program);
    ~fedit() override;

    // The editor of the current document.
    KvRTB& Editor() { return editing_.JT1; }

    // ---- Start-up ----
    // The record's settings on the window: colours, font, the run menu's
    // programs, checks and custom menus; at start-up also the recent files,
    // the menu set of the record's type and the auto-insert buttons.
    void ApplySettings(bool AtStartUp);
    // Finds the script hosts; the CScript item goes grey without one.
    void FindScriptHosts();
    // Loads the file into the editor as the current document of a new slot:
    // type from the extension (without the dot), menus, colouring, file tab,
    // recent files. A path that is open already only selects its tab. False,
    // after a message and with nothing changed, when the file cannot be read.
    // The caller has parked the current document and made sure a slot is free.
    bool LoadDocument(const std::wstring& path, const std::wstring& extension);
    // Start-up without a file: slot 0 becomes an empty "Untitled" document of
    // the record's editor type.
    void OpenUntitledAtStartUp();
    // Start-up after a run that did not end cleanly: its changed parked
    // documents are offered; Yes opens each, changed, in a slot of its own.
    // Their files go either way.
    void OfferLeftDocuments(const std::vector<ClsFile::LeftDocument>& left);
    // The caption names the program, the type and the document.
    void SetCaptions();

    // ---- Shutdown ----
    // Hides every tab and deletes the parked files: the program is ending.
    void ReleaseDocumentSlots();
    // Keeps the last normal size: taken by every resize in the normal state.
    int NormalWidth() const { return normalWidth_; }
    int NormalHeight() const { return normalHeight_; }
    // Closing sequence steps of the window: the procedure list's hook and the
    // settings component go.
    void PrepareClose();
    // Writes the settings file with the window's recent files.
    void WriteSettings();
    // True while the window's own unload runs the closing sequence.
    bool InUnload() const { return inUnload_; }

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    bool Form_Message(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void Form_Activate() override;
    void Form_MouseMove(int Button, int Shift, int X, int Y) override;

private:
    // The main window's host answers for the window to the layers beneath.
    friend class MainWindowHost;
    // The parts of the window, which reach the form and each other through it.
    friend class FileTabsPart;
    friend class ToolbarsPart;
    friend class PanelsPart;
    friend class EditingPart;
    FileTabsPart tabs_{*this};
    ToolbarsPart bars_{*this};
    PanelsPart panels_{*this};
    EditingPart editing_{*this};

    // Pictures of the menu items: never shown, so never placed on the form
    // and given no windows.
    forms::ControlArray<forms::Image> menuIm;

    // ---- Menus (Menus.cpp holds the table) ----
    forms::MenuItem mfile, mNewFile, mOpenFile, mSavePlain, mSaveAs, mtemp1, mPrint, mtemp3, mtemp4, mExit;
    forms::MenuArray mMRU;
    forms::MenuItem medit, mUndo, mRedo, mtemp7, mCut, mCopy, mPaste, mtemp8, mSelAll, mClear, mtemp9,
        mFind, mMulti;
    forms::MenuItem mimops, mSample, mOther, mOffline;
    forms::MenuItem mTextOps, mWrap, mInsertRet, mSelText, mtemp6, mUpHTML, mtemp2, mCom, mUnCom;
    forms::MenuArray mChangeCasePop;
    forms::MenuItem mColorFind1, mColorFind;
    forms::MenuItem mOptions, mWebBack, mCSSEd, mScrShow, mJScrShow, mtemp5, mColCode, mUTF8, mtemp10,
        mTemplate1, mTemplate, mPopOps, mMenu1Op, mMenu2Op, mtemp11, mFuncPop1, mFuncPop, mFuncPopRe,
        mAutoSet, mtemp12, mSettings;
    forms::MenuItem mRun, mRunScript, mRunMSD, mRunOps, mShowCommand, mtemp13, mRunDebug, mDebug,
        mDoDebug, mNoDebug;
    forms::MenuArray mRunEXE;
    forms::MenuItem mTools, MOmLib, mOmBrowse, mtemp14, mCodeRef, mMsgBoxRef;
    forms::MenuItem mexe;
    forms::MenuArray mex1;
    forms::MenuItem mHelp, mCallHelp;
    // Pop-up menus (never on the bar).
    forms::MenuItem mPop, PopUndo, PopRedo, mtemp20, PopCut, PopCopy, PopPaste, mPasteClip1, mPasteClip2,
        PopAll, mtemp21, mtemp22, mQuote1, mUnquote1, mLineCase, mComPop, mUnComPop, mtemp23, Menu1pop,
        Menu2pop;
    forms::MenuArray mChangeCase;
    forms::MenuItem mPopFiles, mFileCloseFromTab;
    forms::MenuArray mFileSaveFromTab;
    forms::MenuItem PopClip, mClipClear, mPasteClipP;
    forms::MenuItem mPopLab, mStatusCopy;
    forms::MenuItem mPopMethods, mReloadMethods;

    // The menu item with this command id (IDM_ of MenuIds.h), or null.
    forms::MenuItem* MenuById(unsigned id);

    // ---- Settings component: held only while its dialog is open ----
    // DirectCOM.dll, which makes the component: loaded on first use, freed
    // with this form after every object from it (declared before CS and the
    // other settings references, so it goes after them).
    platform::Library directCom_;
    platform::ComRef<_CSets> CS;
    // Posted to the window to release CS after the event that asked for it
    // has returned (wParam: the generation of CS to release).
    static constexpr UINT kReleaseSettings = WM_APP + 1;

    // ---- Routines of the window ----
    // The running document's type name, as the window caption shows it.
    std::wstring TypeName() const;
    void ShowInfo(const std::wstring& text);
    void ClearInfo();
    void ShowStatus(const std::wstring& text);
    void ClearStatus();
    // Menu and tool-bar sets by editor type (MenuSets.cpp).
    void SetScriptMenus(EditorType type);
    void SetHTMLMenus();
    // Line debugging shown in the VBScript set: menu checks and the tool-bar pair.
    void SetDebugMode(bool on);
    void ApplyEditorFont();
    // Layout (Layout.cpp).
    void SetGutterWidth(bool wide);
    // Settings dialog road.
    void ShowSettings();
    void CS_SettingsChanged();
    void ApplyCustomMenuLabels();
    // The closing question of every way out; true when the program may end.
    // It asks and saves only: the documents stay until ReleaseDocumentSlots.
    bool QuerySaveAll();
    // Parks the current document and opens path (an existing file).
    void OpenFilePath(const std::wstring& path);
    // The Save As dialog for the current document; the path saved to, ""
    // when nothing was saved (cancelled or failed).
    std::wstring SaveDocumentAs();
    // Saves the scratch editor's content under a chosen path; "" as above.
    // slot: the parked document being saved (-1: none), which may keep its own file.
    std::wstring SaveTabAs(int slot = -1);
    // Shows the document of a slot, as a click on its tab does.
    void ShowSlot(int slot);

    // ---- Documents: opening and switching (Documents.cpp), saving and
    // closing (SaveClose.cpp) ----
    void mNewFile_Click();
    void mOpenFile_Click();
    void mTemplate_Click();
    void mMRU_Click(int Index);
    void mSavePlain_Click();
    void mSaveAs_Click();
    void mFileCloseFromTab_Click();
    void mFileSaveFromTab_Click(int Index);
    void BrowseOpenFile();
    // Puts a BODY tag naming a chosen image on the clipboard.
    void InsertBackgroundImage();
    // A new "Untitled" document in the first free slot; false when none is free.
    bool AddNewFile();
    // Parks the current document in its slot; false, after telling the user,
    // when its text could not be written (the caller then stops).
    bool ParkCurrentDocument();
    bool OpenLeftDocument(const ClsFile::LeftDocument& left);
    // The window takes the type of the document now shown, `from` being the type
    // shown before: its menu and tool-bar set when the kind changes, the
    // record's editor type and the type name. A document of no known type
    // changes none of them.
    void ShowDocumentType(EditorType from, EditorType to);
    // The window's set and the checks of a loaded document's type.
    void ShowLoadedType(EditorType t);
    // The procedure list of the document shown, and the CSS list a style sheet needs.
    void BuildDocumentLists(EditorType type);
    // Puts the path at the top of the recent-file items unless it is listed or untitled.
    void UpdateRecentFiles(const std::wstring& path);
    // The recent-file items show the list; unused entries are hidden, and so is
    // the separator below the items while none shows.
    void ShowRecentFiles(const RecentList& list);
    // A file already open in a tab is shown there rather than opened twice.
    void OpenOrShow(const std::wstring& path);
    // The document takes a slot and its tab; the empty start-up document gives
    // way to the first file opened.
    void TakeSlot(const std::wstring& path, bool editorWasEmpty, const platform::TextFormat& format,
                  const platform::FileStamp& stamp);
    // Saves parked document `slot` from the clipping pad's scratch editor, under its own path
    // or (askPath, or no file of its own) under a chosen one. The path saved
    // to; "" when cancelled or failed (the user was told). The scratch editor
    // is emptied in every case, so its text can never reach another file.
    std::wstring SaveParked(int slot, bool askPath);
    // Saves the document in the editor under its own path, or through Save As
    // when it has none; "" when cancelled or failed.
    std::wstring SaveShown();
    // Set true when the find window's show or close asks for a new layout.
    bool FindWasVisible = false;

    // ---- Tag information, word tips, side panels and custom menus (Panels.cpp) ----
    void ShowTagInfo();
    void ShowWordTip(long position, bool afterParen);
    void CloseSidePanels();
    void CloseImageViewer();
    // Where the custom menu window opens (screen twips).
    void GetCaretScreenPos(long& x, long& y);
    void mReloadMethods_Click();
    void mFuncPopRe_Click();
    void mFuncPop_Click();
    void Menu1pop_Click();
    void Menu2pop_Click();
    void mMenu1Op_Click();
    void mMenu2Op_Click();

    // ---- Running scripts and external programs (Running.cpp) ----
    void mRunScript_Click();
    void mRunMSD_Click();
    void mRunEXE_Click(int Index);
    void mShowCommand_Click();
    void bCommand_Click(int Index);
    void mRunDebug_Click();
    void mDoDebug_Click();
    void mNoDebug_Click();
    void mex1_Click(int Index);

    // ---- Tool-window launchers (Launchers.cpp) ----
    void mFind_Click();
    void mMulti_Click();
    void mColorFind_Click();
    void mSample_Click();
    void mOther_Click();
    void mOffline_Click();
    void bview2_Click(int Index);
    void mCodeRef_Click();
    void mMsgBoxRef_Click();
    void MOmLib_Click();
    void mOmBrowse_Click();
    void mAutoSet_Click();
    void bbitcol_Click();
    void bspec_Click();
    // The image viewer's follow-up of View Image and of a dropped image.
    void AfterShowImage();

    // ---- The form's own menu handlers (fedit.cpp, MenuSets.cpp) ----
    void mExit_Click();
    void mSettings_Click();
    void mHelp_Click();
    void mCallHelp_Click();
    void mCSSEd_Click();
    void mScrShow_Click();
    void mJScrShow_Click();
    void mWebBack_Click();

    void PlaceControls();
    // Pictures of the buttons and menu items (FormPictures.cpp).
    void LoadPictures();
    // The menu and tool-bar sets' changes on the window's items (MenuSets.cpp).
    forms::MenuItem* MenuOf(MenuSetRows::Item item);
    forms::Control* ControlOf(MenuSetRows::Item item);
    void ApplyChange(const MenuSetRows::Change& c);
    MenuSetRows::Inputs SwitchInputs();
    void ApplyPlan(const MenuSetRows::Plan& p);
    // Builds the menu table; "" or the table's fault.
    std::wstring BuildMenus();
    void WireEvents();
    // Whether the item and every menu above it is visible and enabled.
    bool Pickable(const forms::MenuItem& item) const;
    void ReleaseSettingsComponent();
    void JT1_FileDrop(HDROP& hDrop);
    // Menus, type name and function lists for the document just shown.
    void ApplyShownDocumentType(EditorType type, EditorType oldType, bool buildLists);

    void RunScriptWith(bool debugger);
    void CustomMenuAtCaret(bool first);
    void ShowReference(int mode);
    std::unique_ptr<SettingsEventSink> sink_;
    platform::ComRef<IConnectionPoint> csPoint_;
    DWORD csCookie_ = 0;
    unsigned csGeneration_ = 0;   // counts the settings components made
    bool inUnload_ = false;
    int normalWidth_ = 0, normalHeight_ = 0;

    // The program around the window, handed over when it made the window.
    MainProgram& program_;

    friend class SettingsEventSink;
};
