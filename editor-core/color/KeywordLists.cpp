#include "color/KeywordLists.h"

#include "ClsColor.h"
#include "ModFileOps.h"
#include "ModIni.h"
#include "platform/Messages.h"

#include <windows.h>

#include <cmath>
#include <cwchar>

const wchar_t* const kBlockKeywords[14] = {
    L"If", L"End If", L"For", L"Next", L"Sub", L"End Sub", L"Do", L"Loop",
    L"Function", L"End Function", L"Property", L"End Property", L"Class", L"End Class",
};

namespace {

// The key names of a section joined by ",". A section without keys reads as
// "NA", which is no keyword: it gives an empty list, so that no word "na" is
// coloured or respelled.
std::wstring KeyList(const std::wstring& file, const std::wstring& section)
{
    std::wstring names = ModIni::GetIniKeyNames(section, file);
    if (names == L"NA")
        return std::wstring();
    while (!names.empty() && names.back() == L'\0')
        names.pop_back();
    for (wchar_t& c : names) {
        if (c == L'\0')
            c = L',';
    }
    return names;
}

long NumberOr(const std::wstring& text, long fallback)
{
    const wchar_t* p = text.c_str();
    while (*p == L' ' || *p == L'\t')
        ++p;
    if (!*p)
        return fallback;
    wchar_t* end = nullptr;
    double v = std::wcstod(p, &end);
    while (end && (*end == L' ' || *end == L'\t'))
        ++end;
    if (end == p || (end && *end) || !std::isfinite(v) || std::fabs(v) > 2147483647.0)
        return fallback;
    return static_cast<long>(std::lround(v));
}

// The list file `name` of the settings folder, into file; false, after the
// user is told which list is missing, when it is not there.
bool ListFile(const std::wstring& settingsFolder, const std::wstring& name, const wchar_t* language,
              std::wstring& file)
{
    file = settingsFolder + L"\\" + name;
    if (ModFileOps::FileExists(file))
        return true;
    platform::ShowMessage(L"Error. " + name + L" " + language + L" keyword list file is missing from program folder.",
                          platform::MessageStyle::Error);
    return false;
}

} // namespace

bool LoadKeywordLists(ClsColor& color, const std::wstring& settingsFolder, std::vector<std::wstring>& blockKeywords)
{
    std::wstring file;
    if (!ListFile(settingsFolder, L"tarnelk.ini", L"vbscript", file))
        return false;
    long dimExt = NumberOr(ModIni::GetIniValue(file, L"Dims", L"DimExt"), 27);
    long funcExt = NumberOr(ModIni::GetIniValue(file, L"Dims", L"FuncExt"), 15);
    color.SetVKeywords(L",", KeyList(file, L"Words"), dimExt, funcExt);

    if (!ListFile(settingsFolder, L"tarneljk.ini", L"javascript", file))
        return false;
    color.SetJKeywords(L",", KeyList(file, L"Words"));

    if (!ListFile(settingsFolder, L"tarnelc.ini", L"CSS", file))
        return false;
    color.SetCSSKeywords(L",", KeyList(file, L"css"));

    if (!ListFile(settingsFolder, L"tarnelpk.ini", L"PHP", file))
        return false;
    color.SetPHPKeywords(L",", KeyList(file, L"Words"));
    blockKeywords.assign(std::begin(kBlockKeywords), std::end(kBlockKeywords));
    return true;
}
