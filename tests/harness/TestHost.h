#pragma once
// A main window host for programs that make no main window (tests and
// benchmarks): the editor's view is kept as the main window keeps it, without
// a gutter; every other call does nothing and each answer is the neutral
// one. Fixtures override what they watch. The editor is the program's own
// (set before JT1 is asked for).
#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "MainHost.h"
#include "RichEditStream.h"

#include <richedit.h>

class TestHost : public MainHost {
public:
    KvRTB* editor = nullptr;

    KvRTB& JT1() override { return *editor; }
    HWND Window() override { return nullptr; }
    void ShowInfo(const std::wstring&) override {}
    void ClearInfo() override {}
    void ShowStatus(const std::wstring&) override {}
    void ClearStatus() override {}
    void HideTip() override {}
    PopupFace* Popups() override { return nullptr; }
    void CheckColorMenu(bool) override {}
    void SaveScrollPos() override
    {
        if (editor)
            State().SavedScroll = RichEditStream::ViewPos(editor->RTBhWnd());
    }
    void RestoreScrollPos() override
    {
        if (!editor)
            return;
        HWND re = editor->RTBhWnd();
        RichEditStream::SetViewPos(re, State().SavedScroll);
        SendMessageW(re, EM_SCROLLCARET, 0, 0);
    }
    HWND Gutter() override { return nullptr; }
    void SyncLineNums() override {}
    void ResetLineCol() override {}
    void ShowLineColText(const std::wstring&, const std::wstring&) override {}
    void CheckVBSLine(long&, long&, long&, bool&, bool&) override {}
    void AddFuncDecl(long, long) override {}
    void FillMethodsBox() override {}
    HWND ScratchEditor() override { return nullptr; }
    void DoCut() override {}
    void mCopy_Click() override {}
    void DoPaste(short) override {}
    void mOpenFile_Click() override {}
    void mSavePlain_Click() override {}
    void mPrint_Click() override {}
    void mFind_Click() override {}
    void mMulti_Click() override {}
    void mChangeCase_Click(short) override {}
    void mAutoSet_Click() override {}
    void mOmBrowse_Click() override {}
    void MOmLib_Click() override {}
    void mRunScript_Click() override {}
    void mSelAll_Click() override {}
    void mUndo_Click() override {}
    void bPropCSS_Click(short) override {}
    void mRunDebug_Click() override {}
    void ShowClipFilled(int, const std::wstring&) override {}
    void ShowImageTools(bool) override {}
    void ShowImageFacts(const std::wstring&, const std::wstring&, bool) override {}
    void ShowSampledColor(unsigned long, const std::wstring&) override {}
    void LayoutWindow() override {}
    void CloseImageViewer() override {}
};

// Hands a host over for the life of a fixture.
class HostScope {
public:
    explicit HostScope(MainHost& host) { SetHost(&host); }
    ~HostScope() { SetHost(nullptr); }
    HostScope(const HostScope&) = delete;
    HostScope& operator=(const HostScope&) = delete;
};
