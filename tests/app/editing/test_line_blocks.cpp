#include <gtest/gtest.h>

#include "LineBlocksEngine.h"

using namespace LineBlocks;

namespace {

std::wstring Applied(const std::wstring& text, const TextEdit& e) { return e.Apply(text); }

} // namespace

TEST(BlockLines, SelectionEndsDecideTheLastLine)
{
    const std::wstring t = L"one\rtwo\rthree\rfour";
    long a = -1, b = -1;
    EXPECT_FALSE(SelectedBlock(t, 5, 5, a, b));
    // From inside line 1 to the first character of line 3: lines 1 and 2.
    ASSERT_TRUE(SelectedBlock(t, 1, 9, a, b));
    EXPECT_EQ(0, a);
    EXPECT_EQ(7, b);
    // Ending just after a line break leaves the next line out.
    ASSERT_TRUE(SelectedBlock(t, 4, 8, a, b));
    EXPECT_EQ(4, a);
    EXPECT_EQ(7, b);
    // One character selected; the last line without a break.
    ASSERT_TRUE(SelectedBlock(t, 15, 16, a, b));
    EXPECT_EQ(14, a);
    EXPECT_EQ(18, b);
    // Select All ends past the final paragraph mark: a one-letter last line is in.
    EXPECT_EQ(L"'--x = 1\r'--y", Applied(L"x = 1\ry", CommentLines(L"x = 1\ry", 0, 8, L"'--")));
    EXPECT_EQ(L"  x = 1\r  y", Applied(L"x = 1\ry", IndentLines(L"x = 1\ry", 0, 8, L"  ", 1)));
}

TEST(BlockLines, CommentWholeLinesWithCrLfAndWithoutAFinalBreak)
{
    const std::wstring t = L"a\r\nlong wrapped line\r\nlast";
    TextEdit e = CommentLines(t, 5, static_cast<long>(t.size()), L"'--");
    EXPECT_EQ(L"a\r\n'--long wrapped line\r\n'--last", Applied(t, e));
    EXPECT_EQ(3, e.selStart);
    EXPECT_EQ(static_cast<long>(Applied(t, e).size()), e.selEnd);  // no break to colour past the end

    TextEdit one = CommentLines(L"x = 1\rnext", 2, 3, L"'--");
    EXPECT_EQ(L"'--x = 1\rnext", Applied(L"x = 1\rnext", one));
    EXPECT_EQ(9, one.selEnd);  // the commented line and its break
    EXPECT_FALSE(CommentLines(t, 4, 4, L"'--").changed);
}

TEST(BlockLines, UncommentOnlyInVBScript)
{
    const std::wstring t = L"'--a\r  ' note\r'--'--b\rc";
    EXPECT_FALSE(UncommentLines(t, 0, 20, L"'--", EditorType::HTML).changed);
    TextEdit e = UncommentLines(t, 2, 22, L"'--", EditorType::VBScript);
    EXPECT_EQ(L"a\r   note\r'--b\rc", Applied(t, e));
    EXPECT_EQ(0, e.selStart);
    EXPECT_EQ(0, e.selEnd);
}

TEST(BlockLines, IndentAndOutdent)
{
    const std::wstring t = L"  a\r    b\r c";
    TextEdit in = IndentLines(t, 0, 12, L"  ", 1);
    EXPECT_EQ(L"    a\r      b\r   c", Applied(t, in));
    EXPECT_EQ(0, in.selStart);
    EXPECT_EQ(18, in.selEnd);
    TextEdit out = IndentLines(t, 0, 12, L"  ", 0);
    EXPECT_EQ(L"a\r  b\r c", Applied(t, out));  // " c" has fewer blanks than the spacer
}

TEST(TagCase, NamesOnly)
{
    EXPECT_EQ(L"text <IMG SRC=\"a.Gif\" ALT='Tom \"B\"' WIDTH=10px/> and <BR /> more",
              UpperCaseTags(L"text <img src=\"a.Gif\" alt='Tom \"B\"' width=10px/> and <br /> more"));
    // An attribute right after a closing quote; a closing tag.
    EXPECT_EQ(L"<A HREF=\"x\"TITLE=\"y\">link</A>", UpperCaseTags(L"<a href=\"x\"title=\"y\">link</a>"));
}

TEST(TagCase, ScriptServerBlocksAndCommentsStayAsTheyAre)
{
    const std::wstring page =
        L"<!-- <b>note</b> -->\r<Script language=vbscript>\rif a < b and c > d then x = \"<i>\"\r</sCript>"
        L"\r<% if a<b then %><p class=\"<%= cls %>\"><?php echo '<b>'; ?>\r<style>p>b{color:red}</style>";
    EXPECT_EQ(L"<!-- <b>note</b> -->\r<SCRIPT LANGUAGE=vbscript>\rif a < b and c > d then x = \"<i>\"\r</SCRIPT>"
              L"\r<% if a<b then %><P CLASS=\"<%= cls %>\"><?php echo '<b>'; ?>\r<STYLE>p>b{color:red}</STYLE>",
              UpperCaseTags(page));
    EXPECT_EQ(L"<P <%=on%> ID=x>a < b", UpperCaseTags(L"<p <%=on%> id=x>a < b"));
    EXPECT_EQ(L"<A HREF=\"open", UpperCaseTags(L"<a href=\"open"));
}

TEST(InsertReturns, BreaksWhereScreenLinesWrap)
{
    const std::wstring t = L"aaaabbbb\rcccc";
    EXPECT_TRUE(ReturnPositions(t, {0, 4}).empty());
    EXPECT_EQ((std::vector<long>{4}), ReturnPositions(t, {0, 4, 9}));
    EXPECT_EQ((std::vector<long>{11, 4}), ReturnPositions(t, {0, 4, 9, 11}));
}
