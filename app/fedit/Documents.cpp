#include "Documents.h"

#include "ClsColor.h"
#include "ClsColorEditor.h"
#include "ClsFile.h"
#include "EditorState.h"
#include "ModFileOps.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "Neighbours.h"
#include "TypingGlue.h"
#include "fedit.h"
#include "settings-library/record/SettingsRecord.h"

#include <richedit.h>

namespace {

bool SameText(const std::wstring& a, const std::wstring& b)
{
    return platform::Upper(a) == platform::Upper(b);
}

} // namespace

void UpdateRecentFiles(fedit& f, const std::wstring& path)
{
    if (SameText(path, L"Untitled"))
        return;
    for (int i = 0; i < 4; ++i)
        if (SameText(f.mMRU(i).Caption(), path))
            return;
    for (int i = 3; i > 0; --i)
        f.mMRU(i).SetCaption(f.mMRU(i - 1).Caption());
    f.mMRU(0).SetCaption(path);
}

void LoadDocument(fedit& f, const std::wstring& path, const std::wstring& extension)
{
    EditorState& s = State();
    SettingsRecord& rec = Settings();
    ClsFile* files = s.Files;
    KvRTB& JT1 = f.JT1;
    const bool wasEmpty = JT1.LenText() == 0;
    s.CurrentFilePath = path;
    s.CurrentExtension = platform::Upper(extension);
    f.ClearInfo();
    {
        RedrawLock lock(f.hwnd);
        JT1.Enabled(false);
        forms::Hourglass busy;
        JT1.HideSel(true);
        JT1.LoadFile(path, false);
        JT1.ForeColor(0);
        s.PreviewScrollTop = 0;
        const long t = files ? EditorTypeNumber(files->GetExtEdType(s.CurrentExtension)) : 0;
        const long current = rec.LastEdType;
        const bool colour = !rec.NoColorCode;
        auto colourOn = [&] {
            if (!colour)
                return false;
            s.ColorCodeOn = true;
            f.mColCode.SetChecked(true);
            return s.Colorer != nullptr;
        };
        switch (t) {
        case 1:
        case 2:
            if (current > 2)
                f.SetHTMLMenus();
            rec.LastEdType = t == 1 ? 1 : 2;
            s.LineDebugOn = true;
            if (colourOn())
                ClsColorEditor::ColorHTML(*s.Colorer, JT1, 0, -1);
            s.TypeName = L"HTML";
            break;
        case 3:
            if (current != 3)
                f.SetScriptMenus(3);
            rec.LastEdType = 3;
            s.LineDebugOn = false;
            if (colourOn())
                ClsColorEditor::ColorCSS(*s.Colorer, JT1, 0, -1);
            s.TypeName = L"CSS";
            break;
        case 4:
            if (current != 4)
                f.SetScriptMenus(4);
            rec.LastEdType = 4;
            s.LineDebugOn = true;
            if (colourOn())
                ClsColorEditor::ColorVBS(*s.Colorer, JT1, 0, -1);
            s.TypeName = L"VBScript";
            break;
        case 5:
            if (current != 5)
                f.SetScriptMenus(5);
            rec.LastEdType = 5;
            s.LineDebugOn = false;
            if (colourOn())
                ClsColorEditor::ColorJS(*s.Colorer, JT1, 0, -1);
            s.TypeName = L"Javascript";
            break;
        default:
            s.LineDebugOn = false;
            s.ColorCodeOn = false;
            f.mColCode.SetChecked(false);
            Call(CodeAssist().ResetFuncLists);
            break;
        }
        if (HWND re = JT1.RTBhWnd())
            SendMessageW(re, EM_SETMODIFY, 0, 0);
        f.SetCaptions();
        JT1.SelStart(0);
        JT1.Enabled(true);
    }
    // The empty start-up document gives way to the first file opened.
    if (files && wasEmpty && files->CurrentFile() == 0 && SameText(f.LabFile(0).Caption(), L"Untitled")) {
        files->RemoveFile(0);
        f.LabFile(0).SetCaption(L"");
        f.LabFile(0).SetVisible(false);
    }
    if (files) {
        int slot = files->StoreFile(s.CurrentFilePath);
        if (slot >= 0) {
            files->Name(slot, platform::GetFileName(path));
            files->Path(slot, path);
            files->CurrentFile(slot);
            files->Changed(slot, false);
            files->EdType(slot, EditorTypeOf(rec.LastEdType));
            files->ColorThis(slot, s.ColorCodeOn);
            files->DebugThis(slot, s.LineDebugOn);
            files->TopLine(slot, 0);
            files->ScrollTopWeb(slot, 0);
            f.LabFile(slot).SetVisible(true);
            f.LabFile(slot).SetCaption(files->Name(slot));
            f.DrawFileTabs(slot);
        }
    }
    const long t = rec.LastEdType;
    if (t == 1 || t == 2 || t == 4) {
        RedrawLock lock(f.hwnd);
        Call(CodeAssist().BuildFuncPopup);
    } else if (t == 3 && !s.CSSListLoaded) {
        Call(CodeAssist().LoadCSSList);
    }
    JT1.HideSel(false);
    JT1.Enabled(true);
    f.ClearInfo();
    JT1.SetFocus();
    ResetChangeTracking();
    s.LineEdited = false;
    s.DocChanged = false;
    UpdateRecentFiles(f, s.CurrentFilePath);
}

void OpenUntitledAtStartUp(fedit& f)
{
    EditorState& s = State();
    SettingsRecord& rec = Settings();
    f.LabFile(0).SetVisible(true);
    f.LabFile(0).SetCaption(L"Untitled");
    s.CurrentFilePath = L"Untitled";
    if (ClsFile* files = s.Files) {
        int slot = files->StoreFile(L"Untitled");
        if (slot < 0)
            return;
        files->CurrentFile(slot);
        files->EdType(slot, EditorTypeOf(rec.LastEdType));
        files->Changed(slot, false);
        files->Path(slot, L"Untitled");
        files->Name(slot, L"Untitled");
        files->ColorThis(slot, !rec.NoColorCode);
        files->DebugThis(slot, !rec.NoLineDebug);
    }
    f.DrawFileTabs(0);
}
