#include "MainWindowHost.h"

#include "EditorState.h"
#include "Main.h"
#include "debug/ModVBSDebug.h"
#include "fedit.h"
#include "fpad3.h"
#include "functions/FuncPopup.h"

MainWindowHost::MainWindowHost(fedit& form) : f_(form), popups_(form.panels_, form.editing_.JT1) {}

KvRTB& MainWindowHost::JT1() { return f_.editing_.JT1; }
HWND MainWindowHost::Window() { return f_.hwnd; }

void MainWindowHost::ShowInfo(const std::wstring& text) { f_.ShowInfo(text); }
void MainWindowHost::ClearInfo() { f_.ClearInfo(); }
void MainWindowHost::ShowStatus(const std::wstring& text) { f_.ShowStatus(text); }
void MainWindowHost::ClearStatus() { f_.ClearStatus(); }

void MainWindowHost::HideTip()
{
    if (!State().TipKept)
        f_.panels_.HideTip();
}

void MainWindowHost::CheckColorMenu(bool on) { f_.mColCode.SetChecked(on); }

void MainWindowHost::SaveScrollPos() { f_.editing_.SaveScrollPos(); }
void MainWindowHost::RestoreScrollPos() { f_.editing_.RestoreScrollPos(); }
HWND MainWindowHost::Gutter() { return f_.editing_.T2.hwnd; }
void MainWindowHost::SyncLineNums() { f_.editing_.SyncLineNums(); }

void MainWindowHost::ResetLineCol() { ShowLineColText(L"1", L"1"); }

void MainWindowHost::ShowLineColText(const std::wstring& line, const std::wstring& column)
{
    f_.bars_.ShowLineCol(line, column);
}

void MainWindowHost::CheckVBSLine(long& lineStart, long& lineEnd, long& added, bool& report, bool& inPage)
{
    ::CheckVBSLine(lineStart, lineEnd, added, report, inPage);
}

void MainWindowHost::AddFuncDecl(long lineStart, long lineEnd) { ::AddFuncDecl(lineStart, lineEnd); }
void MainWindowHost::FillMethodsBox() { f_.bars_.FillMethodsBox(); }

HWND MainWindowHost::ScratchEditor()
{
    fpad3* pad = ClipPadForm();
    if (!pad || !pad->Load())
        return nullptr;
    return pad->RTBOps.RTBhWnd();
}

void MainWindowHost::DoCut() { f_.editing_.DoCut(); }
void MainWindowHost::mCopy_Click() { f_.editing_.mCopy_Click(); }
void MainWindowHost::DoPaste(short source) { f_.editing_.DoPaste(source); }
void MainWindowHost::mChangeCase_Click(short index) { f_.editing_.mChangeCase_Click(index); }
void MainWindowHost::mSelAll_Click() { f_.editing_.mSelAll_Click(); }
void MainWindowHost::mUndo_Click() { f_.editing_.mUndo_Click(); }
void MainWindowHost::mPrint_Click() { f_.editing_.mPrint_Click(); }
void MainWindowHost::bPropCSS_Click(short index) { f_.panels_.bPropCSS_Click(index); }
void MainWindowHost::mRunDebug_Click() { f_.mRunDebug_Click(); }

// Commands of other parts of the window run as their menu items do.
void MainWindowHost::mOpenFile_Click() { f_.mOpenFile.FireClick(); }
void MainWindowHost::mSavePlain_Click() { f_.mSavePlain.FireClick(); }
void MainWindowHost::mFind_Click() { f_.mFind.FireClick(); }
void MainWindowHost::mMulti_Click() { f_.mMulti.FireClick(); }
void MainWindowHost::mAutoSet_Click() { f_.mAutoSet.FireClick(); }
void MainWindowHost::mOmBrowse_Click() { f_.mOmBrowse.FireClick(); }
void MainWindowHost::MOmLib_Click() { f_.MOmLib.FireClick(); }
void MainWindowHost::mRunScript_Click() { f_.mRunScript.FireClick(); }

void MainWindowHost::ShowClipFilled(int slot, const std::wstring& tip)
{
    f_.bars_.ShowClipFilled(slot, tip);
}

void MainWindowHost::ShowImageTools(bool visible) { f_.panels_.ShowImageTools(visible); }

void MainWindowHost::ShowImageFacts(const std::wstring& size, const std::wstring& path, bool tagButton)
{
    f_.panels_.ShowImageFacts(size, path, tagButton);
}

void MainWindowHost::ShowSampledColor(unsigned long colour, const std::wstring& text)
{
    f_.panels_.ShowSampledColor(colour, text);
}

void MainWindowHost::LayoutWindow() { f_.Form_Resize(); }
void MainWindowHost::CloseImageViewer() { f_.CloseImageViewer(); }

void MainWindowHost::ShowMainWindow(bool show)
{
    if (show)
        f_.Show(forms::vbModeless);
    else
        f_.Hide();
}

bool MainWindowHost::QuerySaveAll() { return f_.QuerySaveAll(); }
void MainWindowHost::SaveDocumentAs() { f_.mSaveAs_Click(); }
void MainWindowHost::ShutDown() { ::ShutDown(); }
void MainWindowHost::OpenHelpFile() { ::OpenHelpFile(); }
bool MainWindowHost::HelpFileFound() { return ::HelpFileFound(); }
