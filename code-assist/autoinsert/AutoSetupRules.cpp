#include "AutoSetupRules.h"

#include "ModIni.h"
#include "ObjectListFile.h"
#include "platform/Text.h"

namespace AutoSetupRules {

namespace {

std::wstring VarKey(int n) { return L"var*" + std::to_wstring(n); }

void ReplaceAll(std::wstring& text, const std::wstring& what, const std::wstring& with)
{
    for (size_t p = 0; (p = text.find(what, p)) != std::wstring::npos; p += with.size())
        text.replace(p, what.size(), with);
}

// Deletes var*first .. var*10, stopping at the first that is not there.
bool ClearVariablesFrom(const std::wstring& path, const std::wstring& section, int first)
{
    bool ok = true;
    for (int n = first; n <= 10; ++n) {
        if (ModIni::GetIniValue(path, section, VarKey(n)) == L"NA")
            break;
        ok = ObjectListFile::DeleteKey(path, section, VarKey(n)) && ok;
    }
    return ok;
}

} // namespace

std::wstring Message(int id)
{
    switch (id) {
    case 102: return L"CLSID not valid. Use valid CLSID value or leave blank.";
    case 105: return L"A valid ProgID or CLSID must be entered.";
    case 106: return L"Nothing selected.";
    case 107: return L"Error resetting data.";
    case 108: return L"Error. tarnelt.ini file missing from program folder. It has been recreated but currently holds no data.";
    case 109: return L"Error. No data in INI file.";
    case 110: return L"No item selected for variable assignment.";
    case 111: return L"Listing not found in INI file.";
    case 167: return L"tarnelt.ini file missing from program folder. It will be recreated when a class is added to the listing.";
    default: return L"";
    }
}

int CheckClsid(std::wstring& clsid)
{
    if (clsid.empty() || clsid.front() != L'{')
        clsid.insert(0, 1, L'{');
    if (clsid.back() != L'}')
        clsid += L'}';
    if (clsid.size() != 38)
        return 102;
    for (size_t at : {9u, 14u, 19u, 24u})
        if (clsid[at] != L'-')
            return 102;
    return 0;
}

int CheckLookupInput(std::wstring& clsid, std::wstring& progId)
{
    clsid = platform::TrimBlanks(clsid);
    progId = platform::TrimBlanks(progId);
    if (clsid.empty() && progId.empty())
        return 105;
    return clsid.empty() ? 0 : CheckClsid(clsid);
}

bool ListHoldsName(const std::vector<std::wstring>& items, const std::wstring& name, int except)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (static_cast<int>(i) != except && platform::SameText(items[i], name))
            return true;
    return false;
}

std::wstring ReadVariables(const std::wstring& path, const std::wstring& section)
{
    std::wstring list;
    for (int n = 1; n <= 10; ++n) {
        std::wstring value = ModIni::GetIniValue(path, section, VarKey(n));
        if (value == L"NA")
            break;
        list += (n > 1 ? L"," : L"") + value;
    }
    return list;
}

bool AssignVariables(const std::wstring& path, const std::wstring& section, std::wstring text)
{
    if (!text.empty() && text.back() == L',')
        text.pop_back();
    if (text.empty())
        return ClearVariablesFrom(path, section, 1);
    std::vector<std::wstring> pieces;
    for (size_t from = 0;;) {
        size_t comma = text.find(L',', from);
        pieces.push_back(platform::OneLine(
            platform::TrimBlanks(text.substr(from, comma == std::wstring::npos ? comma : comma - from))));
        if (comma == std::wstring::npos)
            break;
        from = comma + 1;
    }
    bool ok = true;
    for (size_t i = 0; i < pieces.size(); ++i)
        ok = ObjectListFile::SetValue(path, section, VarKey(static_cast<int>(i) + 1), pieces[i]) && ok;
    // Stale keys are cleared only after at most eight names: a list of nine
    // or more leaves whatever followed it.
    if (pieces.size() <= 8)
        ok = ClearVariablesFrom(path, section, static_cast<int>(pieces.size()) + 1) && ok;
    return ok;
}

std::wstring SectionListing(const std::vector<std::wstring>& keys, const std::vector<std::wstring>& values)
{
    std::wstring text;
    for (size_t i = 0; i < keys.size() && i < values.size(); ++i)
        if (keys[i].find(L'*') == std::wstring::npos)
            text += values[i] + L"\r\n\r\n";
    ReplaceAll(text, L"- ", L"");
    return text;
}

std::wstring FoundListing(const std::wstring& sectionText)
{
    std::wstring text = sectionText;
    ReplaceAll(text, std::wstring(1, L'\0'), L"\r\n\r\n");
    ReplaceAll(text, L"- ", L"");
    return text;
}

std::vector<std::wstring> SectionLines(const std::wstring& sectionText)
{
    std::vector<std::wstring> lines;
    for (size_t from = 0; from < sectionText.size();) {
        size_t nul = sectionText.find(L'\0', from);
        if (nul == std::wstring::npos)
            nul = sectionText.size();
        if (nul > from)
            lines.push_back(platform::OneLine(sectionText.substr(from, nul - from)));
        from = nul + 1;
    }
    return lines;
}

bool ListingKindWord(const std::wstring& line, size_t& start, size_t& length)
{
    static const struct {
        const wchar_t* word;
        size_t length;
    } words[] = {{L" Property", 9}, {L" Method", 7}, {L" Event", 6}};
    bool found = false;
    for (const auto& w : words) {
        size_t at = line.find(w.word);
        if (at != std::wstring::npos && (!found || at < start)) {
            start = at;
            length = w.length;
            found = true;
        }
    }
    return found && start < 300;
}

} // namespace AutoSetupRules
