// Saving and closing documents: the question before the program ends.
#include "fedit.h"

#include "ClsFile.h"
#include "EditorState.h"
#include "ModFileOps.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "fpad3.h"
#include "Main.h"
#include "cBrowse/cBrowse.h"
#include "settings-library/record/SettingsRecord.h"

namespace {

bool SavableFile(const std::wstring& path)
{
    return path != L"Untitled" && platform::FileExists(path);
}

// The Save As dialog for a document that has no file yet, with the
// overwrite question; "" when nothing was chosen.
std::wstring AskSavePath(HWND owner)
{
    int index = Settings().DefSaveExt > 0 ? Settings().DefSaveExt : 1;
    std::wstring path = cBrowse().DSave(owner, L"Save As", L"Untitled", index);
    if (path.empty())
        return L"";
    if (platform::FileExists(path)) {
        if (platform::ShowMessage(path + L" exists.\r\nDo you want to replace it?", MB_OKCANCEL | MB_ICONQUESTION,
                                  owner) != IDOK)
            return L"";
        ModFileOps::RemoveFile(path);
    }
    return path;
}

int AskSave(HWND owner, const std::wstring& path)
{
    return platform::ShowMessage(L"Save changes to: \r\n" + path + L"?", platform::MessageStyle::YesNoCancel, owner);
}

} // namespace

bool fedit::QuerySaveAll()
{
    EditorState& s = State();
    ClsFile* files = s.Files;
    const int c = files ? files->CurrentFile() : -1;
    if (c > -1 && s.DocChanged) {
        std::wstring p = files->Path(c).empty() ? L"Untitled" : files->Path(c);
        int answer = AskSave(hwnd, p);
        if (answer == IDCANCEL)
            return false;
        if (answer == IDYES) {
            if (!SavableFile(p))
                p = AskSavePath(hwnd);
            if (!p.empty())
                JT1.SaveFile(p, false);
        }
    }
    for (int i = 0; files && i < 8; ++i) {
        if (!LabFile(i).Visible() || i == c || !files->Changed(i))
            continue;
        int answer = AskSave(hwnd, files->Path(i));
        if (answer == IDCANCEL)
            return false;
        if (answer == IDYES) {
            fpad3* pad = ClipPadForm();
            if (!pad || !files->Load3(i))
                continue;
            std::wstring p = files->Path(i);
            if (!SavableFile(p)) {
                p = AskSavePath(hwnd);
                if (!p.empty())
                    pad->RTBOps.SaveFile(p, false);
                pad->RTBOps.ClearAll();
            } else {
                pad->RTBOps.SaveFile(p, false);
            }
        }
    }
    for (int i = 0; files && i < 8; ++i) {
        LabFile(i).SetVisible(false);
        if (files->Exists(i))
            files->RemoveFile(i);
    }
    DrawFileTabs(-1);
    return true;
}
