#include "VBSObjectCheck.h"

#include "ModFileOps.h"
#include "ModIni.h"
#include "modVBSColor.h"
#include "platform/Text.h"

#include <algorithm>
#include <iterator>

namespace vbs {

ObjectList ReadObjectList(const std::wstring& path)
{
    ObjectList list;
    list.exists = ModFileOps::FileExists(path);
    if (!list.exists)
        return list;
    std::wstring names = ModIni::GetIniSectionNames(path);
    if (names == L"NA")
        return list;
    size_t a = 0;
    while (a <= names.size()) {
        size_t b = names.find(L'\0', a);
        if (b == std::wstring::npos)
            b = names.size();
        ObjectSection section{names.substr(a, b - a), {}};
        std::vector<std::wstring> keys, values;
        long n = section.name.empty() ? 0 : ModIni::ReadIniSection(section.name, path, keys, values);
        for (long i = 0; i < n; ++i)
            if (values[i] == L"1" && !keys[i].empty())
                section.members.push_back(keys[i]);
        if (!section.name.empty())
            list.sections.push_back(std::move(section));
        a = b + 1;
    }
    return list;
}

std::wstring ObjectPrefix(const std::wstring& text, const std::wstring& section)
{
    return ObjectPrefix(text, platform::Upper(text), section);
}

std::wstring ObjectPrefix(const std::wstring& text, const std::wstring& upperText, const std::wstring& section)
{
    if (section == L"Wscript")
        return L"WScript.";
    if (section == L"TextStream")
        return L".";
    long hit = FindFolded(upperText, platform::Upper(L"Object(\"" + section), 0, -1, false);
    if (hit < 0)
        return L"";
    long set = FindFolded(upperText, L"SET", platform::LineStart(text, hit), hit, true);
    if (set < 0)
        return L"";
    // The variable runs to the next blank; an "=" written without blanks, or
    // the line's end, ends it too, so the prefix never reaches another line.
    long from = set + 4, stop = from;
    long lineEnd = platform::LineEnd(text, from);
    while (stop < lineEnd && text[stop] != L' ' && text[stop] != L'=' && text[stop] != L'\t')
        ++stop;
    std::wstring name = platform::TrimBlanksAndTabs(text.substr(from, stop > from ? stop - from : 0));
    return name.empty() ? L"" : name + L".";
}

namespace {

// Whether a position is code, line by line: a member's hits come in order,
// so each line is scanned once per member, not once per hit.
class CodeLines {
public:
    explicit CodeLines(const std::wstring& text) : text_(text) {}
    bool IsCode(long pos)
    {
        if (pos < lineStart_ || pos > lineEnd_) {
            lineStart_ = platform::LineStart(text_, pos);
            lineEnd_ = platform::LineEnd(text_, pos);
            stretches_ = CodeStretches(text_, lineStart_, lineEnd_);
        }
        auto after = std::upper_bound(stretches_.begin(), stretches_.end(), pos,
                                      [](long p, const std::pair<long, long>& s) { return p < s.first; });
        return after != stretches_.begin() && pos < std::prev(after)->second;
    }

private:
    const std::wstring& text_;
    long lineStart_ = 0, lineEnd_ = -1;
    std::vector<std::pair<long, long>> stretches_;
};

} // namespace

void CheckObjectRequired(std::wstring& text, const ObjectList& objects, bool wholeWord,
                         std::vector<debugcheck::Finding>& findings, std::vector<debugcheck::Edit>& edits)
{
    if (!objects.exists) {
        findings.push_back({-1, L"tarnelo.ini file missing"});
        return;
    }
    long len = static_cast<long>(text.size());
    // Respelling changes letter case only: the folded text, the lines and
    // the strings stay valid.
    const std::wstring upperText = platform::Upper(text);
    const LineIndex lines(text);
    CodeLines code(text);
    for (const ObjectSection& section : objects.sections) {
        std::wstring prefix = ObjectPrefix(text, upperText, section.name);
        if (prefix.empty())
            continue;
        std::wstring upperPrefix = platform::Upper(prefix);
        long plen = static_cast<long>(prefix.size());
        for (const std::wstring& member : section.members) {
            long mlen = static_cast<long>(member.size());
            std::wstring upperMember = platform::Upper(member);
            for (long h = FindFolded(upperText, upperMember, 0, -1, wholeWord); h >= 0;
                 h = h + 1 < len ? FindFolded(upperText, upperMember, h + 1, -1, wholeWord) : -1) {
                if (!code.IsCode(h))
                    continue;  // inside a string or a comment
                bool ownWord = (h == 0 || !platform::IsWordChar(text[h - 1])) && (h + mlen >= len || !platform::IsWordChar(text[h + mlen]));
                if (ownWord && text.compare(h, mlen, member) != 0) {
                    edits.push_back({h, mlen, member});
                    text.replace(h, mlen, member);
                }
                // A member nearer the start than the prefix is long has no
                // room for its object.
                long from = h >= plen ? h - plen : 0;
                if (upperText.compare(from, h - from, upperPrefix) != 0)
                    findings.push_back({lines.LineOf(h) + 1,
                                        L"Object required (" + section.name + L") - " + member});
            }
        }
    }
}

} // namespace vbs
