#pragma once
// Pages for the engine's tests: text laid out as if read from a file in a
// scratch folder, and the boxes and styles of its elements by id.
#include <string>

#include "html/document/HtmlDocument.h"

namespace pagetest {

// A scratch folder of its own for files the pages name.
std::wstring ScratchFolder();
void WriteFile(const std::wstring& name, const std::string& bytes);

struct Page {
    html::HtmlDocument doc;
    explicit Page(const std::wstring& text, int width = 400, int height = 600,
                  const std::wstring& name = L"page.html");
    const html::Node* ById(const std::wstring& id) const;
    html::Rect Box(const std::wstring& id) const;
    const html::ComputedStyle& Style(const std::wstring& id) const;
};

// "x,y,w,h" of a box, for readable failures.
std::string Text(const html::Rect& r);
std::string Narrow(const std::wstring& w);

} // namespace pagetest
