#pragma once
// The main window as the host of the layers beneath it: what the editing
// core, the page tools and code assistance need of it, answered by fedit.
#include "MainHost.h"
#include "PopupPanels.h"

class fedit;

class MainWindowHost : public MainHost {
public:
    explicit MainWindowHost(fedit& form);

    KvRTB& JT1() override;
    HWND Window() override;

    void ShowInfo(const std::wstring& text) override;
    void ClearInfo() override;
    void ShowStatus(const std::wstring& text) override;
    void ClearStatus() override;
    void HideTip() override;
    PopupFace* Popups() override { return &popups_; }
    void CheckColorMenu(bool on) override;

    void SaveScrollPos() override;
    void RestoreScrollPos() override;
    HWND Gutter() override;
    void SyncLineNums() override;
    void ResetLineCol() override;
    void ShowLineColText(const std::wstring& line, const std::wstring& column) override;

    void CheckVBSLine(long& lineStart, long& lineEnd, long& added, bool& report, bool& inPage) override;
    void AddFuncDecl(long lineStart, long lineEnd) override;
    void FillMethodsBox() override;

    HWND ScratchEditor() override;

    void DoCut() override;
    void mCopy_Click() override;
    void DoPaste(short source) override;
    void mOpenFile_Click() override;
    void mSavePlain_Click() override;
    void mPrint_Click() override;
    void mFind_Click() override;
    void mMulti_Click() override;
    void mChangeCase_Click(short index) override;
    void mAutoSet_Click() override;
    void mOmBrowse_Click() override;
    void MOmLib_Click() override;
    void mRunScript_Click() override;
    void mSelAll_Click() override;
    void mUndo_Click() override;
    void bPropCSS_Click(short index) override;
    void mRunDebug_Click() override;
    void ShowClipFilled(int slot, const std::wstring& tip) override;
    void ShowImageTools(bool visible) override;
    void ShowImageFacts(const std::wstring& size, const std::wstring& path, bool tagButton) override;
    void ShowSampledColor(unsigned long colour, const std::wstring& text) override;
    void LayoutWindow() override;
    void CloseImageViewer() override;
    void ShowMainWindow(bool show) override;
    bool QuerySaveAll() override;
    void SaveDocumentAs() override;
    void ShutDown() override;
    void OpenHelpFile() override;
    bool HelpFileFound() override;

private:
    fedit& f_;
    PopupPanels popups_;
};
