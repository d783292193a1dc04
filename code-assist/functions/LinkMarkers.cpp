#include "LinkMarkers.h"

#include "platform/Text.h"

namespace {

const wchar_t kMarkerKey[] = L"**TARNEL LINK FILE:";
const size_t kMarkerKeyLength = 19;

struct CommentForm {
    const wchar_t* open;
    const wchar_t* close;
};

CommentForm CommentFor(EditorType type)
{
    switch (type) {
    case EditorType::ASP:
    case EditorType::HTML: return {L"<!-- ", L" -->"};
    case EditorType::VBScript: return {L"'", L""};
    case EditorType::JavaScript: return {L"// ", L""};
    case EditorType::CSS: return {L"/* ", L" */"};
    default: return {L"", L""};
    }
}

// End of the line that starts at `start`: the position of its line break.
size_t LineEnd(const std::wstring& text, size_t start)
{
    return static_cast<size_t>(platform::LineEnd(text, static_cast<long>(start)));
}

// Position after the line break at `end` (CR, LF or CR LF).
size_t AfterBreak(const std::wstring& text, size_t end)
{
    return end + static_cast<size_t>(platform::BreakLength(text, static_cast<long>(end)));
}

bool MustStayFirst(const std::wstring& line)
{
    std::wstring upper = platform::Upper(platform::TrimBlanksAndTabs(line));
    return upper.rfind(L"<?XML", 0) == 0 || upper.rfind(L"<%@", 0) == 0 ||
           upper.rfind(L"<!DOCTYPE", 0) == 0;
}

} // namespace

std::wstring LinkMarker(const std::wstring& path)
{
    return std::wstring(kMarkerKey) + L" " + path + L" *";
}

std::wstring LinkMarkerLine(EditorType type, const std::wstring& path)
{
    CommentForm form = CommentFor(type);
    return form.open + LinkMarker(path) + form.close + L"\r\n";
}

LinkInsertion LinkMarkerInsertion(EditorType type, const std::wstring& docText, const std::wstring& path)
{
    LinkInsertion insertion;
    insertion.text = LinkMarkerLine(type, path);
    size_t at = 0;
    while (at < docText.size()) {
        size_t end = LineEnd(docText, at);
        if (!MustStayFirst(docText.substr(at, end - at)))
            break;
        if (end == docText.size()) {
            // The leading line ends the text: the marker needs its own line.
            insertion.text = L"\r\n" + insertion.text.substr(0, insertion.text.size() - 2);
            at = end;
            break;
        }
        at = AfterBreak(docText, end);
    }
    insertion.position = static_cast<long>(at);
    return insertion;
}

std::vector<std::wstring> LinkMarkerPaths(const std::wstring& docText)
{
    std::vector<std::wstring> paths;
    const std::wstring upper = platform::Upper(docText);
    size_t at = 0;
    while ((at = upper.find(kMarkerKey, at)) != std::wstring::npos) {
        size_t star = docText.find(L'*', at + 4);
        if (star == std::wstring::npos)
            break;
        size_t pathStart = at + kMarkerKeyLength;
        if (star > pathStart) {
            std::wstring path = platform::TrimBlanks(docText.substr(pathStart, star - pathStart));
            if (!path.empty())
                paths.push_back(path);
        }
        at = star;
    }
    return paths;
}

bool FindLinkMarkerLine(const std::wstring& docText, const std::wstring& path, long& start, long& end)
{
    const std::wstring marker = LinkMarker(path);
    const EditorType forms[] = {EditorType::HTML, EditorType::VBScript, EditorType::JavaScript,
                                EditorType::CSS, EditorType::None};
    size_t at = 0;
    while (at < docText.size()) {
        size_t lineEnd = LineEnd(docText, at);
        std::wstring line = platform::TrimBlanksAndTabs(docText.substr(at, lineEnd - at));
        for (EditorType type : forms) {
            CommentForm form = CommentFor(type);
            if (platform::SameText(line, form.open + marker + form.close) ||
                platform::SameText(line, platform::TrimBlanks(form.open) + marker + form.close)) {
                start = static_cast<long>(at);
                end = static_cast<long>(AfterBreak(docText, lineEnd));
                return true;
            }
        }
        at = AfterBreak(docText, lineEnd);
        if (at == lineEnd)   // no line break: that was the last line
            break;
    }
    return false;
}
