#include "cBrowse/cBrowse.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "ModFileOps.h"
#include "forms/Runtime.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace {

// Long enough for any path the dialogs hand back.
const DWORD kPathChars = 4096;
// Multi-selection: the folder and every chosen name; a short buffer would make
// a large selection fail as if the user had cancelled.
const DWORD kMultiChars = 65536;

struct SaveEntry {
    const wchar_t* description;
    const wchar_t* pattern;
};

const SaveEntry kSaveFilters[] = {
    {L"HTML files(*.html;*.htm;*.shtml;*.xhtml)", L"*.html;*.htm;*.shtml;*.xhtml"},
    {L"Text files(*.txt)", L"*.txt"},
    {L"VBScript files(*.vbs)", L"*.vbs"},
    {L"Javascript files(*.js)", L"*.js"},
    {L"Active Server Pages(*.asp)", L"*.asp"},
    {L"Active Server Pages(*.aspx)", L"*.aspx"},
    {L"PHP Files(*.php)", L"*.php"},
    {L"Cascading Style Sheets(*.css)", L"*.css"},
    {L"Windows Script Files(*.wsf)", L"*.wsf"},
    {L"Windows Script Components(*.wsc)", L"*.wsc"},
    {L"HTML Applications(*.hta)", L"*.hta"},
    {L"All files(*.*)", L"*.*"},
};
const int kSaveFilterCount = static_cast<int>(sizeof(kSaveFilters) / sizeof(kSaveFilters[0]));

std::wstring Pair(const std::wstring& description, const std::wstring& pattern)
{
    return description + L'\0' + pattern + L'\0';
}

// The record every file dialog here starts from: the first filter selected,
// no read-only box, and the result in buffer, whose last character stays NUL.
OPENFILENAMEW FileDialog(HWND owner, const std::wstring& title, const std::wstring& filter, std::wstring& buffer)
{
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.hInstance = forms::ThisModule();
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size() - 1);
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_HIDEREADONLY;
    return ofn;
}

// The start folder of an Open dialog: folder when it exists, else the dialog's own choice.
const wchar_t* StartFolder(const std::wstring& folder)
{
    return !folder.empty() && ModFileOps::FolderExists(folder) ? folder.c_str() : nullptr;
}

// Frees the device mode and names that PrintDlg hands back.
struct GlobalBlock {
    HGLOBAL h;
    ~GlobalBlock()
    {
        if (h)
            GlobalFree(h);
    }
};

} // namespace

void PrinterSetup::ApplyTo(DEVMODEW& dm) const
{
    if (Orientation) {
        dm.dmOrientation = Orientation;
        dm.dmFields |= DM_ORIENTATION;
    }
    if (PaperSize) {
        dm.dmPaperSize = PaperSize;
        dm.dmFields |= DM_PAPERSIZE;
    }
    if (PrintQuality) {
        dm.dmPrintQuality = PrintQuality;
        dm.dmFields |= DM_PRINTQUALITY;
    }
    if (Copies) {
        dm.dmCopies = Copies;
        dm.dmFields |= DM_COPIES;
    }
}

std::wstring cBrowse::OpenFilter(const std::wstring& description, const std::wstring& pattern, bool addAll)
{
    std::wstring f = Pair(description, pattern);
    if (addAll)
        f += Pair(L"All Files(*.*)", L"*.*");
    return f + L'\0';
}

std::wstring cBrowse::MultiFilter()
{
    const std::wstring types = L"*.html;*.htm;*.hta;*.txt;*.vbs;*.js;*.php;*.shtml;*.xhtml;*.asp;*.aspx;*.css;*.wsf;*.wsc";
    return Pair(L"(" + types + L")", types) + Pair(L"All Files(*.*)", L"*.*") + L'\0';
}

std::wstring cBrowse::SaveTextFilter()
{
    return Pair(L"Text files(*.txt)", L"*.txt") + L'\0';
}

std::wstring cBrowse::SaveFilter()
{
    std::wstring f;
    for (const SaveEntry& e : kSaveFilters)
        f += Pair(e.description, e.pattern);
    return f + L'\0';
}

std::wstring cBrowse::SavePattern(int index)
{
    if (index < 1 || index > kSaveFilterCount)
        return L"";
    return kSaveFilters[index - 1].pattern;
}

std::wstring cBrowse::AddSaveExtension(const std::wstring& path, int index)
{
    // The last filter takes any name as typed, and so does every filter a
    // name that has an extension of its own.
    if (index < 1 || index >= kSaveFilterCount || path.empty() || !platform::NameExtension(path).empty())
        return path;
    // "*.html;*.htm" -> ".html", the one added.
    const std::wstring pattern = SavePattern(index);
    const size_t end = pattern.find(L';');
    const std::wstring first = pattern.substr(0, end);
    if (first.size() < 2 || first[0] != L'*')
        return path;
    return path + first.substr(1);
}

std::wstring cBrowse::SingleResult(const std::wstring& buffer)
{
    return buffer.substr(0, buffer.find(L'\0'));
}

std::wstring cBrowse::MultiResult(const std::wstring& buffer)
{
    size_t end = buffer.find(std::wstring(2, L'\0'));
    return buffer.substr(0, end);
}

void cBrowse::ApplyPrintChoice(const DEVMODEW& chosen, WORD dialogCopies, PrinterSetup& printer)
{
    if (chosen.dmFields & DM_ORIENTATION)
        printer.Orientation = chosen.dmOrientation;
    if (chosen.dmFields & DM_PRINTQUALITY)
        printer.PrintQuality = chosen.dmPrintQuality;
    if (chosen.dmFields & DM_PAPERSIZE)
        printer.PaperSize = chosen.dmPaperSize;
    if (dialogCopies == 1)
        printer.Copies = chosen.dmCopies;
}

std::wstring cBrowse::DOpen(HWND hForm, const std::wstring& BoxTitle, const std::wstring& description,
                            const std::wstring& pattern, bool bAddAll, const std::wstring& sFolPath) const
{
    const std::wstring filter = OpenFilter(description, pattern, bAddAll);
    std::wstring buffer(kPathChars, L'\0');
    OPENFILENAMEW ofn = FileDialog(hForm, BoxTitle, filter, buffer);
    ofn.lpstrInitialDir = StartFolder(sFolPath);
    if (!GetOpenFileNameW(&ofn))
        return L"";
    return SingleResult(buffer);
}

std::wstring cBrowse::DOpenMulti(HWND hForm, const std::wstring& BoxTitle, const std::wstring& sFolPath) const
{
    const std::wstring filter = MultiFilter();
    std::wstring buffer(kMultiChars, L'\0');
    OPENFILENAMEW ofn = FileDialog(hForm, BoxTitle, filter, buffer);
    ofn.lpstrInitialDir = StartFolder(sFolPath);
    ofn.Flags |= OFN_EXPLORER | OFN_ALLOWMULTISELECT;
    if (!GetOpenFileNameW(&ofn))
        return L"";
    return MultiResult(buffer);
}

std::wstring cBrowse::DSaveText(HWND hForm, const std::wstring& BoxTitle) const
{
    const std::wstring filter = SaveTextFilter();
    std::wstring buffer(kPathChars, L'\0');
    OPENFILENAMEW ofn = FileDialog(hForm, BoxTitle, filter, buffer);
    ofn.lpstrDefExt = L"txt";
    if (!GetSaveFileNameW(&ofn))
        return L"";
    return SingleResult(buffer);
}

std::wstring cBrowse::DSave(HWND hForm, const std::wstring& BoxTitle, const std::wstring& sDefName,
                            int& iIndex) const
{
    const std::wstring filter = SaveFilter();
    std::wstring buffer(kPathChars, L'\0');
    buffer.replace(0, std::min<size_t>(sDefName.size(), kPathChars - 2), sDefName, 0, kPathChars - 2);
    OPENFILENAMEW ofn = FileDialog(hForm, BoxTitle, filter, buffer);
    ofn.nFilterIndex = static_cast<DWORD>(iIndex < 0 ? 0 : iIndex);
    if (!GetSaveFileNameW(&ofn))
        return L"";
    iIndex = static_cast<int>(ofn.nFilterIndex);
    return AddSaveExtension(SingleResult(buffer), iIndex);
}

bool cBrowse::DPrint(HWND owner, PrinterSetup& printer) const
{
    PRINTDLGW pd{};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = owner;
    pd.Flags = PD_PRINTSETUP | PD_NOPAGENUMS | PD_NOSELECTION;
    pd.nCopies = 0;
    const BOOL ok = PrintDlgW(&pd);
    GlobalBlock mode{pd.hDevMode};
    GlobalBlock names{pd.hDevNames};
    if (ok != TRUE)
        return false;
    if (mode.h) {
        if (auto* dm = static_cast<const DEVMODEW*>(GlobalLock(mode.h))) {
            DEVMODEW chosen{};
            memcpy(&chosen, dm, std::min<size_t>(sizeof(chosen), dm->dmSize ? dm->dmSize : sizeof(chosen)));
            GlobalUnlock(mode.h);
            ApplyPrintChoice(chosen, pd.nCopies, printer);
        }
    }
    return true;
}
