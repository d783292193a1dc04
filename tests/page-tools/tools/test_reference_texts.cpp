#include "reference/ReferenceTexts.h"

#include "WindowTest.h"
#include "platform/Handles.h"

#include <gtest/gtest.h>

namespace {

struct Program {
    platform::Library module{
        LoadLibraryExW((wt::ProgramFolder() + L"\\TARNEL.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)};
};

std::vector<std::wstring> Lines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t crlf; (crlf = text.find(L"\r\n", start)) != std::wstring::npos; start = crlf + 2)
        lines.push_back(text.substr(start, crlf - start));
    lines.push_back(text.substr(start));
    return lines;
}

} // namespace

TEST(ReferenceTexts, SizesLinesAndHeadings)
{
    Program program;
    ASSERT_TRUE(program.module);
    struct Case {
        reference::RefText text;
        DWORD bytes;
        size_t lines;
        std::vector<std::pair<int, const wchar_t*>> at;
    } cases[] = {
        {reference::RefText::Codes, 5840, 107,
         {{0, L" HTML CHARACTER CODES "}, {1, L" KEYBOARD CODES "}, {2, L" SENDKEYS"}, {89, L"SendKeys"}}},
        {reference::RefText::Constants, 1114, 82,
         {{0, L"Message Box"}, {2, L"Buttons:"}, {10, L" Icons:"}, {16, L" Response (button clicked):"},
          {34, L"File Attributes"}, {48, L"Drive Types"}, {59, L"File I/O"}, {68, L"Special Folders"}}},
    };
    for (const Case& c : cases) {
        HRSRC found = FindResourceW(program.module.Get(), reference::ResourceName(c.text), L"CUSTOM");
        ASSERT_TRUE(found);
        EXPECT_EQ(SizeofResource(program.module.Get(), found), c.bytes);
        std::vector<std::wstring> lines = Lines(reference::LoadReferenceText(program.module.Get(), c.text));
        ASSERT_EQ(lines.size(), c.lines);
        for (auto [line, text] : c.at)
            EXPECT_EQ(lines[line], text);
        for (const reference::HeadingMark& mark : reference::HeadingMarks(c.text))
            EXPECT_FALSE(lines[mark.line].empty()) << "heading mark on an empty line " << mark.line;
    }
    std::vector<std::wstring> codes = Lines(reference::LoadReferenceText(program.module.Get(), reference::RefText::Codes));
    EXPECT_EQ(codes[5].find(L" HTML character codes:"), 0u);
    EXPECT_NE(codes[5].find(L"Keyboard Keycodes:"), std::wstring::npos);
    EXPECT_NE(codes[7].find(L"[Ctrl] + [Break]"), std::wstring::npos);
    EXPECT_NE(codes[85].find(L"&#247;"), std::wstring::npos);
    EXPECT_NE(codes[105].find(L"{UP}"), std::wstring::npos);
}
