// The HTML format check: brackets, the format of one tag, and the closing
// tags of the 20 container tags.
#include <gtest/gtest.h>

#include "debug/HTMLCheck.h"

using debugcheck::Finding;
using html::CheckTagFormat;
using html::RunHTMLCheck;

namespace {

std::vector<Finding> Html(const std::wstring& text) { return RunHTMLCheck(text, EditorType::HTML); }

} // namespace

TEST(HTMLCheck, Brackets)
{
    EXPECT_TRUE(Html(L"Plain text\rwithout tags").empty());
    EXPECT_EQ(Html(L"<p>a</p>\r<p"), (std::vector<Finding>{{2, L"Missing right bracket"}}));
    EXPECT_EQ(Html(L"<p>a</p>\rb > c"), (std::vector<Finding>{{2, L"Missing left bracket"}}));
    EXPECT_EQ(Html(L"<p>a\r<p b</p>"), (std::vector<Finding>{{2, L"Missing right bracket"}}));
    EXPECT_EQ(Html(L"<p>a > b<p>c"), (std::vector<Finding>{{1, L"Missing left bracket"}}));
    // A lone ">" at the very first character.
    EXPECT_EQ(Html(L"> a"), (std::vector<Finding>{{1, L"Missing left bracket"}}));
}

TEST(HTMLCheck, ServerBlocksOfAspPages)
{
    std::wstring page = L"<html><body>\r<p>Some text here</p>\r<%\rIf a < b Then Go\r%>\r</body></html>";
    EXPECT_EQ(RunHTMLCheck(page, EditorType::ASP), std::vector<Finding>{});
    // The same "<" on a plain page is a bracket without its partner.
    EXPECT_EQ(RunHTMLCheck(L"<p>x</p>\ra < b c<p>x</p>", EditorType::HTML),
              (std::vector<Finding>{{2, L"Missing right bracket"}}));
}

TEST(HTMLCheck, TagFormat)
{
    EXPECT_EQ(CheckTagFormat(L"td "), L"Space at end of tag.");
    EXPECT_EQ(CheckTagFormat(L"td  class=\"a\""), L"Extra space in tag.");
    EXPECT_EQ(CheckTagFormat(L"td class =\"a\""), L"Space at equal sign.");
    EXPECT_EQ(CheckTagFormat(L"td class= \"a\""), L"Space at equal sign.");
    EXPECT_EQ(CheckTagFormat(L"td class=\"a\"id=\"b\""), L"Space missing at end of attribute.");
    EXPECT_EQ(CheckTagFormat(L"td class=\"a"), L"Quotation mark missing or extra.");
    for (const wchar_t* fine : {L"br /", L"td title=\"a  b\" class=\"c\"", L"!-- a  b --", L"%= x  %",
                                L"META  x= \"", L"td class=\"a\" id=b"})
        EXPECT_EQ(CheckTagFormat(fine), L"") << fine;
    // A tag at the very first character is checked like any other.
    EXPECT_EQ(Html(L"<td >x"), (std::vector<Finding>{{1, L"Space at end of tag."}}));
}

TEST(HTMLCheck, EachContainerTagNeedsItsClosingTag)
{
    for (int k = 0; k < 20; ++k) {
        std::wstring open = html::kOpeningProbes[k];
        if (open.back() != L'>')
            open += open.back() == L' ' ? L"href=\"x\">" : L">";
        std::wstring close = html::kClosingTags[k];
        EXPECT_EQ(Html(L"x\r" + open + L"y"), (std::vector<Finding>{{2, L"Missing " + close + L" tag."}})) << open;
        // Closed right at the end of the text, without a line break.
        EXPECT_TRUE(Html(open + L"y" + close).empty()) << open;
    }
}

TEST(HTMLCheck, ClosingTagBeforeTheNextOpening)
{
    EXPECT_EQ(Html(L"<p><b>x\r<b>y</b></p>"), (std::vector<Finding>{{1, L"Missing </B> tag."}}));
    // An opening at the very first character is searched like any other.
    EXPECT_EQ(Html(L"<b>x"), (std::vector<Finding>{{1, L"Missing </B> tag."}}));
    // Nested division elements, counted over the whole text.
    EXPECT_TRUE(Html(L"<div><div>x</div></div>").empty());
}
