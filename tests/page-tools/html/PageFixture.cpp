#include "PageFixture.h"

#include <windows.h>

#include <stdexcept>

#include "platform/Files.h"

namespace pagetest {

std::wstring ScratchFolder()
{
    static std::wstring folder;
    if (folder.empty()) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"tarnel_html_" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    return folder;
}

void WriteFile(const std::wstring& name, const std::string& bytes)
{
    platform::WriteFileSafely(ScratchFolder() + L"\\" + name, bytes);
}

Page::Page(const std::wstring& text, int width, int height, const std::wstring& name)
{
    doc.LoadText(text, ScratchFolder() + L"\\" + name);
    doc.Layout(width, height);
}

const html::Node* Page::ById(const std::wstring& id) const
{
    for (const html::Node* n : doc.Page().nodes)
        if (n->IsElement() && n->AttributeOr(L"id") == id)
            return n;
    throw std::runtime_error("no element with id " + Narrow(id));
}

html::Rect Page::Box(const std::wstring& id) const
{
    return doc.Boxes().boxes[ById(id)->index];
}

const html::ComputedStyle& Page::Style(const std::wstring& id) const
{
    const html::ComputedStyle* s = doc.Styles().StyleOf(*ById(id));
    if (!s)
        throw std::runtime_error("no style for " + Narrow(id));
    return *s;
}

std::string Text(const html::Rect& r)
{
    return std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.w) + "," + std::to_string(r.h);
}

std::string Narrow(const std::wstring& w)
{
    return std::string(w.begin(), w.end());
}

} // namespace pagetest
