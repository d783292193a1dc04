#include "picker/WebSafeColor.h"

#include <gtest/gtest.h>

TEST(WebSafe, TypedCodesGiveTheNearestSafeColour)
{
    struct Case {
        const wchar_t* typed;
        const wchar_t* upper;
        COLORREF colour;
        const wchar_t* safe;
    } cases[] = {
        {L"ff0000", L"FF0000", 0x0000FF, L"FF0000"},
        {L"19334C", L"19334C", 0x4C3319, L"003333"},  // 76 is nearer 51 than 102
        {L"1A4D80", L"1A4D80", 0x804D1A, L"336699"},
        {L"E5E5E5", L"E5E5E5", 0xE5E5E5, L"CCCCCC"},
        {L"e6e6e6", L"E6E6E6", 0xE6E6E6, L"FFFFFF"},
    };
    for (const Case& c : cases) {
        std::wstring code = c.typed;
        ASSERT_EQ(picker::CheckHexCode(code), 0u) << c.typed;
        EXPECT_EQ(code, c.upper);
        EXPECT_EQ(picker::ColourOfCode(code), c.colour);
        EXPECT_EQ(picker::CodeOfColour(c.colour), c.upper);
        COLORREF safeColour = 1;
        std::wstring safeCode;
        picker::WebSafeColor(code.substr(0, 2), code.substr(2, 2), code.substr(4, 2), safeColour, safeCode);
        EXPECT_EQ(safeCode, c.safe) << c.typed;
        EXPECT_EQ(safeColour, picker::ColourOfCode(c.safe));
    }
}

TEST(WebSafe, BadCodesNameTheirMessage)
{
    struct Case {
        const wchar_t* typed;
        UINT message;
        const wchar_t* after;
    } cases[] = {
        {L"FF000", 152, L"FF000"}, {L"", 152, L""}, {L"ff000g", 153, L"FF000G"}, {L"12 456", 153, L"12 456"}};
    for (const Case& c : cases) {
        std::wstring code = c.typed;
        EXPECT_EQ(picker::CheckHexCode(code), c.message) << c.typed;
        EXPECT_EQ(code, c.after);
    }
}

TEST(WebSafe, DocumentFormFollowsTheEditorType)
{
    EXPECT_EQ(picker::DocumentForm(L"FF0000", EditorType::CSS), L"#FF0000");
    for (EditorType t : {EditorType::None, EditorType::ASP, EditorType::HTML, EditorType::VBScript,
                         EditorType::JavaScript})
        EXPECT_EQ(picker::DocumentForm(L"FF0000", t), L"\"#FF0000\"");
}
