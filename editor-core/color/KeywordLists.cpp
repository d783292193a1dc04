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

} // namespace

bool LoadKeywordLists(ClsColor& color, const std::wstring& settingsFolder, std::vector<std::wstring>& blockKeywords)
{
    const std::wstring folder = settingsFolder + L"\\";

    std::wstring file = folder + L"tarnelk.ini";
    if (!ModFileOps::FileExists(file)) {
        platform::ShowMessage(L"Error. tarnelk.ini vbscript keyword list file is missing from program folder.",
                              platform::MessageStyle::Error);
        return false;
    }
    long dimExt = NumberOr(ModIni::GetIniValue(file, L"Dims", L"DimExt"), 27);
    long funcExt = NumberOr(ModIni::GetIniValue(file, L"Dims", L"FuncExt"), 15);
    color.SetVKeywords(L",", KeyList(file, L"Words"), dimExt, funcExt);

    file = folder + L"tarneljk.ini";
    if (!ModFileOps::FileExists(file)) {
        platform::ShowMessage(L"Error. tarneljk.ini javascript keyword list file is missing from program folder.",
                              platform::MessageStyle::Error);
        return false;
    }
    color.SetJKeywords(L",", KeyList(file, L"Words"));

    file = folder + L"tarnelc.ini";
    if (!ModFileOps::FileExists(file)) {
        platform::ShowMessage(L"Error. tarnelc.ini CSS keyword list file is missing from program folder.",
                              platform::MessageStyle::Error);
        return false;
    }
    color.SetCSSKeywords(L",", KeyList(file, L"css"));

    file = folder + L"tarnelpk.ini";
    if (!ModFileOps::FileExists(file)) {
        platform::ShowMessage(L"Error. tarnelpk.ini PHP keyword list file is missing from program folder.",
                              platform::MessageStyle::Error);
        return false;
    }
    color.SetPHPKeywords(L",", KeyList(file, L"Words"));
    blockKeywords.assign(std::begin(kBlockKeywords), std::end(kBlockKeywords));
    return true;
}
