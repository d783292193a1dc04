#include "DocumentsEngine.h"

#include "platform/Paths.h"
#include "platform/Text.h"

namespace {

using platform::SameText;

std::wstring LongForm(const std::wstring& path)
{
    std::wstring longPath = platform::GetLongPath(path);
    return platform::Upper(longPath.empty() ? path : longPath);
}

} // namespace

bool UpdateRecentList(RecentList& list, const std::wstring& path)
{
    if (path.empty() || SameText(path, L"Untitled"))
        return false;
    for (const std::wstring& entry : list)
        if (SameText(entry, path))
            return false;
    for (size_t i = list.size() - 1; i > 0; --i)
        list[i] = list[i - 1];
    list[0] = path;
    return true;
}

bool SameDocumentPath(const std::wstring& a, const std::wstring& b)
{
    if (a.empty() || b.empty() || SameText(a, L"Untitled") || SameText(b, L"Untitled"))
        return false;
    return LongForm(a) == LongForm(b);
}

int PreselectedSaveFilter(const std::wstring& extension, EditorType current, int defSaveExt)
{
    if (!extension.empty()) {
        const std::wstring e = platform::Upper(extension);
        if (e == L"HTML" || e == L"HTM" || e == L"SHTML" || e == L"XHTML") return 1;
        if (e == L"TXT") return 2;
        if (e == L"VBS") return 3;
        if (e == L"JS") return 4;
        if (e == L"ASP") return 5;
        if (e == L"ASPX") return 6;
        if (e == L"PHP") return 7;
        if (e == L"CSS") return 8;
        if (e == L"WSF") return 9;
        if (e == L"WSC") return 10;
        if (e == L"HTA") return 11;
        return 12;
    }
    if (defSaveExt == 2)
        return 2;
    switch (current) {
    case EditorType::ASP: return defSaveExt == 5 ? 5 : 6;
    case EditorType::HTML: return defSaveExt == 7 || defSaveExt == 11 ? defSaveExt : 1;
    case EditorType::CSS: return 8;
    case EditorType::VBScript: return defSaveExt == 9 || defSaveExt == 10 ? defSaveExt : 3;
    case EditorType::JavaScript: return 4;
    default: return 0;
    }
}

std::wstring ApplyFilterExtension(const std::wstring& path, int index)
{
    static const wchar_t* const kExt[] = {L"", L"html", L"txt", L"vbs", L"js", L"asp", L"aspx",
                                          L"php", L"css", L"wsf", L"wsc", L"hta"};
    if (index < 1 || index > 11 || !platform::NameExtension(path).empty())
        return path;
    return path + L"." + kExt[index];
}

int SavedFilter(const std::wstring& path, int picked)
{
    const std::wstring ext = platform::NameExtension(path);
    return ext.empty() || picked == kSaveFilterCount ? picked : PreselectedSaveFilter(ext, EditorType::None, 0);
}

SaveAsType SaveAsTypeFor(int pickedIndex, EditorType knownType)
{
    SaveAsType r;
    auto set = [&r](EditorType t, bool debug, bool colour) {
        r.changesType = true;
        r.type = t;
        r.lineDebug = debug;
        r.colour = colour;
    };
    switch (pickedIndex) {
    case 1: case 7: case 10: case 11: set(EditorType::HTML, true, true); break;
    case 3: set(EditorType::VBScript, true, true); break;
    case 4: set(EditorType::JavaScript, false, true); break;
    case 5: case 6: set(EditorType::ASP, true, true); break;
    case 8: set(EditorType::CSS, false, true); break;
    case 9: set(EditorType::VBScript, false, false); break;
    case 12:
        if (knownType != EditorType::None) {
            r.changesType = true;
            r.type = knownType;
            r.setsFlags = false;
            break;
        }
        // An unknown extension under "all files" is plain text.
        break;
    default: break;
    }
    return r;
}
