#include "ModSets2.h"

#include <commdlg.h>
#include <shlobj.h>


namespace ModSets2 {

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

} // namespace ModSets2
