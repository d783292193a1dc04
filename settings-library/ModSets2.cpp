#include "ModSets2.h"

#include <commdlg.h>
#include <shlobj.h>

#include "ModFormOps.h"
#include "SettingsRecord.h"

namespace {

const wchar_t kCustomLabel[] = L"TARNEL Custom Color Storage:";
constexpr int kCustomColorsLabel = 721;

std::wstring Lower(std::wstring s)
{
    CharLowerBuffW(&s[0], static_cast<DWORD>(s.size()));
    return s;
}

// Not the program's relabelling: when no caption is found, this one moves the
// label by the window rectangles less a 3-pixel frame, the program's by the
// client origin.
void RelabelCustomColors(HWND dialog)
{
    int index = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child && index < 20; child = GetWindow(child, GW_HWNDNEXT)) {
        if (++index < 2)
            continue;
        wchar_t text[257] = {};
        GetWindowTextW(child, text, 256);
        if (Lower(text).find(L"&custom") != std::wstring::npos && GetWindowLongW(child, GWL_STYLE) != 0) {
            SetWindowTextW(child, kCustomLabel);
            return;
        }
    }
    // No label found by its text: widen the custom colours label itself so
    // that the longer caption fits.
    HWND label = GetDlgItem(dialog, kCustomColorsLabel);
    RECT lr, dr, cr;
    if (!label || !GetWindowRect(label, &lr) || !GetWindowRect(dialog, &dr) || !GetClientRect(dialog, &cr))
        return;
    POINT clientOrigin = {0, 0};
    ClientToScreen(dialog, &clientOrigin);
    int left = lr.left - dr.left - 3;
    int top = lr.top - clientOrigin.y - 12;
    MoveWindow(label, left, top, lr.right - lr.left, lr.bottom - lr.top + 12, TRUE);
    SetWindowTextW(label, kCustomLabel);
}

} // namespace

namespace ModSets2 {

UINT_PTR CALLBACK ColorDialogHook(HWND dialog, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg != WM_INITDIALOG)
        return 0;
    auto* cc = reinterpret_cast<const CHOOSECOLORW*>(lParam);
    ModFormOps::PlaceAndRetitleColorDialog(dialog, cc ? cc->hwndOwner : nullptr);
    RelabelCustomColors(dialog);
    return 1;
}

long ShowColorDialog(HWND owner, COLORREF initial, std::vector<int32_t>& custColors)
{
    // The dialog reads and writes exactly 16 entries, whatever the record
    // holds.
    COLORREF custom[16];
    const std::vector<int32_t> defaults = SettingsRecordFile::DefaultCustomColors();
    for (size_t i = 0; i < 16; ++i)
        custom[i] = static_cast<COLORREF>(i < custColors.size() ? custColors[i] : defaults[i]);

    CHOOSECOLORW cc = {};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = owner;
    cc.hInstance = reinterpret_cast<HWND>(GetModuleHandleW(nullptr));
    cc.rgbResult = initial;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK;
    cc.lpfnHook = ColorDialogHook;
    BOOL ok = ChooseColorW(&cc);

    if (custColors.size() < 16)
        custColors.resize(16);
    for (size_t i = 0; i < 16; ++i)
        custColors[i] = static_cast<int32_t>(custom[i]);
    return ok ? static_cast<long>(cc.rgbResult) : -1;
}

std::wstring OpenFileDialog(HWND owner, const std::wstring& title, const std::wstring& filterName,
                            const std::wstring& filterPattern, bool addAllFiles, const std::wstring& initialFolder)
{
    std::wstring filter = filterName + L'\0' + filterPattern + L'\0';
    if (addAllFiles)
        filter += std::wstring(L"All Files(*.*)") + L'\0' + L"*.*" + L'\0';
    filter += L'\0';
    wchar_t file[260] = {};
    wchar_t fileTitle[260] = {};
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.hInstance = GetModuleHandleW(nullptr);
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = 259;
    ofn.lpstrFileTitle = fileTitle;
    ofn.nMaxFileTitle = 259;
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_HIDEREADONLY;
    if (!initialFolder.empty() && FolderExists(initialFolder))
        ofn.lpstrInitialDir = initialFolder.c_str();
    if (!GetOpenFileNameW(&ofn))
        return L"";
    return file;
}

std::wstring BrowseForFolder(const std::wstring& prompt, HWND owner)
{
    BROWSEINFOW bi = {};
    bi.hwndOwner = owner;
    bi.lpszTitle = prompt.c_str();
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi);
    if (!pidl)
        return L"";
    wchar_t path[MAX_PATH] = {};
    BOOL ok = SHGetPathFromIDListW(pidl, path);
    CoTaskMemFree(pidl);
    return ok ? path : L"";
}

bool FileExists(const std::wstring& path)
{
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path)
{
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring GetExtension(const std::wstring& path)
{
    size_t dot = path.rfind(L'.');
    return dot == std::wstring::npos ? L"" : path.substr(dot + 1);
}

} // namespace ModSets2
