#pragma once
// What the editing core, the page tools and code assistance need of the main
// window. They are built before it and cannot include its headers, so the
// main window implements this once and hands it over at start-up; Host() is
// null before that, after shutdown, and in tests that make no main window.
#include <windows.h>

#include <string>

class KvRTB;
class PopupFace;

class MainHost {
public:
    virtual ~MainHost() = default;

    // The main editor and the main window.
    virtual KvRTB& JT1() = 0;
    virtual HWND Window() = 0;

    // The message labels and the tip frame (hidden unless the user pinned it).
    virtual void ShowInfo(const std::wstring& text) = 0;
    virtual void ClearInfo() = 0;
    virtual void ShowStatus(const std::wstring& text) = 0;
    virtual void ClearStatus() = 0;
    virtual void HideTip() = 0;
    // The popup list and the parameter tip as code assistance fills them
    // (code-assist/PopupFace.h).
    virtual PopupFace* Popups() = 0;
    // The colour-coding menu item's check mark.
    virtual void CheckColorMenu(bool on) = 0;

    // The editor's scroll keeping, which also keeps the gutter in step.
    virtual void SaveScrollPos() = 0;
    virtual void RestoreScrollPos() = 0;
    // The line-number gutter's edit window (T2), or null; scrolling it to the
    // editor's first visible line.
    virtual HWND Gutter() = 0;
    virtual void SyncLineNums() = 0;
    // The caret line and column labels (tlcount, tcount): back to "1", or
    // showing these texts.
    virtual void ResetLineCol() = 0;
    virtual void ShowLineColText(const std::wstring& line, const std::wstring& column) = 0;

    // The typing glue's checks of a line the caret left (lineStart..lineEnd,
    // inclusive): the VBScript line check, which may rewrite the line and
    // gives in `added` how many characters it grew, and the record of a Sub
    // or Function declaration on it.
    virtual void CheckVBSLine(long& lineStart, long& lineEnd, long& added, bool& report, bool& inPage) = 0;
    virtual void AddFuncDecl(long lineStart, long lineEnd) = 0;
    // The procedure list (BoxMethods) refilled from the function popup's
    // tables after they changed.
    virtual void FillMethodsBox() = 0;

    // The clipping pad's hidden editor (made on first use), through which
    // parked documents are saved; null when it cannot be made.
    virtual HWND ScratchEditor() = 0;

    // Commands of the main window that the configurable shortcuts run.
    virtual void DoCut() = 0;
    virtual void mCopy_Click() = 0;
    virtual void DoPaste(short source) = 0;   // 0 clipboard, 1 clip 1, 2 clip 2
    virtual void mOpenFile_Click() = 0;
    virtual void mSavePlain_Click() = 0;
    virtual void mPrint_Click() = 0;
    virtual void mFind_Click() = 0;
    virtual void mMulti_Click() = 0;
    virtual void mChangeCase_Click(short index) = 0;   // 0 upper, 1 lower, 2 proper
    virtual void mAutoSet_Click() = 0;
    virtual void mOmBrowse_Click() = 0;
    virtual void MOmLib_Click() = 0;
    virtual void mRunScript_Click() = 0;
    virtual void mSelAll_Click() = 0;
    virtual void mUndo_Click() = 0;
    virtual void bPropCSS_Click(short index) = 0;   // 0 properties, 1 values
    // The syntax-debugger command, which the report's Rerun runs again.
    virtual void mRunDebug_Click() = 0;
    // An extra clip was filled: its tool-bar button shows the full look with
    // this tool tip (slot 1 or 2).
    virtual void ShowClipFilled(int slot, const std::wstring& tip) = 0;

    // The image tools under the editor (FrImageOps), which follow the image
    // viewer: shown or hidden; the shown image's size text ("W x H") and
    // path, with the tag button offered or not; the sampled colour (an OLE
    // colour: 0x00BBGGRR, or a system colour) and its text.
    virtual void ShowImageTools(bool visible) = 0;
    virtual void ShowImageFacts(const std::wstring& size, const std::wstring& path, bool tagButton) = 0;
    virtual void ShowSampledColor(unsigned long colour, const std::wstring& text) = 0;
    // The main window laid out again (its editor leaves room below for the
    // find window while that shows), and the image viewer closed with its
    // tool frame and the message labels, as the find window opens.
    virtual void LayoutWindow() = 0;
    virtual void CloseImageViewer() = 0;

    // (Hosts without a main window, as in tests, do nothing here.)
    // The preview takes the main window's place on screen and gives it back.
    virtual void ShowMainWindow(bool show) { (void)show; }
    // The preview window's file commands: the save question over every
    // changed document (false: the user cancelled), Save As of the current
    // document, the program's one shutdown, and the help file.
    virtual bool QuerySaveAll() { return true; }
    virtual void SaveDocumentAs() {}
    virtual void ShutDown() {}
    virtual void OpenHelpFile() {}
    virtual bool HelpFileFound() { return false; }
};

// The main window's host, or null.
MainHost* Host();
// Called once by the main window when it is made, and with null when it goes.
void SetHost(MainHost* host);
