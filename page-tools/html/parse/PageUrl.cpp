#include "PageUrl.h"
#include "platform/Text.h"

#include <cwctype>
#include <vector>

namespace html {
namespace {

// "http:", "mailto:" ... but not a drive letter "C:".
bool HasScheme(const std::wstring& a, std::wstring& scheme)
{
    size_t colon = a.find(L':');
    if (colon == std::wstring::npos || colon < 2)
        return false;
    for (size_t i = 0; i < colon; ++i)
        if (!std::iswalnum(a[i]) && a[i] != L'+' && a[i] != L'-' && a[i] != L'.')
            return false;
    scheme = a.substr(0, colon);
    for (wchar_t& c : scheme)
        c = static_cast<wchar_t>(std::towlower(c));
    return true;
}

std::wstring PercentDecode(const std::wstring& s)
{
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'%' && i + 2 < s.size() && std::iswxdigit(s[i + 1]) && std::iswxdigit(s[i + 2])) {
            out += static_cast<wchar_t>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

// Joins and removes "." and ".." steps.
std::wstring Normalise(const std::wstring& path)
{
    std::vector<std::wstring> parts;
    std::wstring prefix;
    size_t start = 0;
    if (path.size() >= 2 && path[1] == L':') {
        prefix = path.substr(0, 2);
        start = 2;
    } else if (path.compare(0, 2, L"\\\\") == 0) {
        prefix = L"\\";
        start = 1;
    }
    size_t i = start;
    while (i <= path.size()) {
        size_t e = path.find(L'\\', i);
        if (e == std::wstring::npos)
            e = path.size();
        std::wstring part = path.substr(i, e - i);
        if (part == L"..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        i = e + 1;
    }
    std::wstring out = prefix;
    for (const std::wstring& p : parts)
        out += L"\\" + p;
    return out;
}

std::wstring FolderOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

} // namespace

std::wstring PathFromUrl(const std::wstring& url)
{
    std::wstring u = url;
    std::wstring scheme;
    if (HasScheme(u, scheme) && scheme == L"file") {
        u = u.substr(5);
        while (!u.empty() && u[0] == L'/')
            u.erase(0, 1);
        if (u.size() < 2 || u[1] != L':')
            u = L"\\\\" + u;
        u = PercentDecode(u);
    }
    for (wchar_t& c : u)
        if (c == L'/')
            c = L'\\';
    return u;
}

std::wstring ResolveLocalPath(const std::wstring& basePath, const std::wstring& address)
{
    std::wstring a = platform::TrimWhiteSpace(address);
    size_t cut = a.find_first_of(L"?#");
    if (cut != std::wstring::npos)
        a = a.substr(0, cut);
    if (a.empty())
        return L"";
    std::wstring scheme;
    if (HasScheme(a, scheme))
        return scheme == L"file" ? Normalise(PathFromUrl(a)) : L"";
    if (a.compare(0, 2, L"//") == 0 || a.compare(0, 2, L"\\\\") == 0)
        return L""; // another machine
    a = PathFromUrl(PercentDecode(a));
    if (a.size() >= 2 && a[1] == L':')
        return Normalise(a);
    if (!a.empty() && a[0] == L'\\') { // from the root of the page's drive
        std::wstring folder = FolderOf(basePath);
        return Normalise(folder.substr(0, folder.size() >= 2 && folder[1] == L':' ? 2 : 0) + a);
    }
    return Normalise(FolderOf(basePath) + L"\\" + a);
}

std::wstring AbsoluteUrl(const std::wstring& basePath, const std::wstring& address)
{
    std::wstring a = platform::TrimWhiteSpace(address);
    std::wstring scheme;
    if (HasScheme(a, scheme) && scheme != L"file")
        return a;
    std::wstring fragment;
    size_t cut = a.find_first_of(L"?#");
    if (cut != std::wstring::npos) {
        fragment = a.substr(cut);
        a = a.substr(0, cut);
    }
    std::wstring path = a.empty() ? basePath : ResolveLocalPath(basePath, a);
    if (path.empty())
        return address;
    std::wstring url = path.compare(0, 2, L"\\\\") == 0 ? L"file:" : L"file:///";
    for (wchar_t c : path)
        url += c == L'\\' ? L'/' : c;
    return url + fragment;
}

} // namespace html
