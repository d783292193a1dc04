// The script colourers and the RTF frame, byte for byte.
#include "ClsColor.h"
#include "color/DeclNames.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorFrame, HeaderFontColoursAndPrefix)
{
    ClsColor c;
    c.FontName(L"Courier New");
    c.FontSize(10);
    c.Color(L"keyword", 0x0000FF);       // lower case selects K as well
    c.Color(L"Strings", 0x123456);
    c.Color(L"X", 0xFFFFFF);             // no class: changes nothing
    EXPECT_EQ(c.Color(L"K"), 0x0000FF);
    EXPECT_EQ(c.Color(L"s"), 0x123456);
    EXPECT_EQ(c.Color(L"X"), 0);
    EXPECT_EQ(c.RtfFragment(EditorType::VBScript, L""),
              "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fmodern\\fprq1 Courier New;}}"
              "{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red86\\green52\\blue18;"
              "\\red0\\green0\\blue0;\\red0\\green0\\blue0;\\red0\\green0\\blue0;\\red0\\green0\\blue0;}"
              "\\pard\\plain\\f0\\fs20 }");
    c.FontSize(12);
    std::string frame = c.RtfFrame();
    EXPECT_EQ(frame.substr(frame.size() - 20), "\\pard\\plain\\f0\\fs24 ");
}

TEST(ColorFrame, ReusedFragmentBufferHoldsOnlyTheLastResult)
{
    ClsColor c;
    std::string frame = c.RtfFrame();
    std::string first = c.RtfFragment(EditorType::None, std::wstring(5000, L'x'));
    EXPECT_EQ(first.size(), frame.size() + 5001);
    EXPECT_EQ(c.RtfFragment(EditorType::None, L"ab"), frame + "ab}");
    EXPECT_EQ(c.RtfFragment(EditorType::None, L""), frame + "}");
}

TEST(ColorFrame, FontNameIsEscaped)
{
    ClsColor c;
    c.FontName(L"M\u00e9{x}");
    EXPECT_NE(c.RtfFrame().find("{\\f0\\fmodern\\fprq1 M\\u233?\\{x\\};}}"), std::string::npos);
}

TEST(KeywordList, JoinedListsAndPositions)
{
    ClsColor c;
    c.SetVKeywords(L";", L"Dim;If;Then", 5, 1);
    EXPECT_EQ(c.VBSKeywords().Joined(), L",Dim,If,Then,");
    EXPECT_EQ(c.VBSKeywords().Folded(), L",DIM,IF,THEN,");
    ASSERT_NE(c.VBSKeywords().Find(L"then"), nullptr);
    EXPECT_EQ(c.VBSKeywords().Find(L"then")->Pos, 8);
    EXPECT_EQ(c.VBSKeywords().Find(L"then")->Spelling, L"Then");
    EXPECT_EQ(c.VBSKeywords().Find(L"The"), nullptr);
    c.SetJKeywords(L",", L"var,function,If");
    EXPECT_EQ(c.JSKeywords().Folded(), L",var,function,if,");
    EXPECT_EQ(c.JSKeywords().Find(L"FUNCTION")->Pos, 5);
}

class VBS : public ::testing::Test {
protected:
    void SetUp() override { c.SetVKeywords(L",", L"Dim,If,Then", 5, 1); }
    ClsColor c;
};

TEST_F(VBS, OneLineExampleAndItsLineEnd)
{
    EXPECT_EQ(c.ColorVBSText(L"dim x: x = \"a\""),
              "\\cf1 Dim\\cf0  \\cf4 x\\cf0 : \\cf4 x\\cf0  = \\cf2 \"a\"\\cf0 ");
    // CR LF in the input is one paragraph end.
    EXPECT_EQ(c.ColorVBSText(L"if\r\nx"), "\\cf1 If\\cf0 \r\n\\par x");
}

TEST_F(VBS, NamesKnownOnlyAfterTheirDeclaration)
{
    EXPECT_EQ(c.ColorVBSText(L"Total\rDim Total\rTOTAL"),
              "Total\r\n\\par \\cf1 Dim\\cf0  \\cf4 Total\\cf0 \r\n\\par \\cf4 Total\\cf0 ");
    // Every run starts afresh.
    EXPECT_EQ(c.ColorVBSText(L"total"), "total");
    EXPECT_EQ(c.ColorVBSText(L"wscript.Echo"), "\\cf4 WScript\\cf0 .Echo");
}

TEST_F(VBS, DeclarationsAndProcedures)
{
    c.SetVKeywords(L",", L"Dim,Function,If", 17, 4);
    EXPECT_EQ(c.ColorVBSText(L"Dim total, rows(10)\rrows total"),
              "\\cf1 Dim\\cf0  \\cf4 total\\cf0 , \\cf4 rows\\cf0 (10)\r\n\\par \\cf4 rows\\cf0  \\cf4 total\\cf0 ");
    EXPECT_EQ(c.ColorVBSText(L"Function Sum(a, b)\rSum a"),
              "\\cf1 Function\\cf0  Sum(\\cf4 a\\cf0 , \\cf4 b\\cf0 )\r\n\\par Sum \\cf4 a\\cf0 ");
    // No terminator up to the end: nothing collected.
    EXPECT_EQ(c.ColorVBSText(L"Dim q q"), "\\cf1 Dim\\cf0  q q");
}

TEST_F(VBS, StringsAndComments)
{
    // A doubled quote is one quote character inside its string.
    EXPECT_EQ(c.ColorVBSText(L"\"a\"\"b\""), "\\cf2 \"a\"\"b\"\\cf0 ");
    EXPECT_EQ(c.ColorVBSText(L"\"\"\"\"x\""), "\\cf2 \"\"\"\"\\cf0 x\"");
    EXPECT_EQ(c.ColorVBSText(L"x = \"open\rIf"), "x = \"open\r\n\\par \\cf1 If\\cf0 ");
    EXPECT_EQ(c.ColorVBSText(L"If(x) ' note"), "\\cf1 If\\cf0 (x) \\cf3 ' note\\cf0 ");
    EXPECT_EQ(c.ColorVBSText(L"x'a\rIf"), "x\\cf3 'a\\cf0 \r\n\\par \\cf1 If\\cf0 ");
    EXPECT_EQ(c.ColorVBSText(L"s = \"C:\\dir\\{x}\""), "s = \\cf2 \"C:\\\\dir\\\\\\{x\\}\"\\cf0 ");
}

// A script that writes JSON: keywords inside a string are text, never
// respelled, however the doubled quotes fall.
TEST_F(VBS, AStringIsOnePieceWhoseTextStays)
{
    c.SetVKeywords(L",", L"Dim,If,Or,False,Then", 5, 1);
    EXPECT_EQ(c.ColorVBSText(L"x = \"\"\"a\"\" or false\""), "x = \\cf2 \"\"\"a\"\" or false\"\\cf0 ");
    EXPECT_EQ(c.ColorVBSText(L"Write \"\"\"exists\"\": false,\" or x"),
              "Write \\cf2 \"\"\"exists\"\": false,\"\\cf0  \\cf1 Or\\cf0  x");
}

TEST_F(VBS, NonAsciiNamesFoldAndAreEscaped)
{
    EXPECT_EQ(c.ColorVBSText(L"Dim \u00e9t\u00e9\r\u00c9T\u00c9"),
              "\\cf1 Dim\\cf0  \\cf4 \\u233?t\\u233?\\cf0 \r\n\\par \\cf4 \\u233?t\\u233?\\cf0 ");
}

TEST_F(VBS, NoSectionWordNaIsLeftAlone)
{
    c.SetVKeywords(L",", L"", 27, 15);
    EXPECT_EQ(c.ColorVBSText(L"na = Na"), "na = Na");
}

class Scripts : public ::testing::Test {
protected:
    void SetUp() override
    {
        c.SetJKeywords(L",", L"var,function,If,Return");
        c.SetCSSKeywords(L",", L"color,Top,font-size");
        c.SetPHPKeywords(L",", L"Echo,PHP_EOL");
    }
    ClsColor c;
};

TEST_F(Scripts, CssExampleAndComments)
{
    EXPECT_EQ(c.ColorCSSText(L"p { color: red; }"),
              "\\cf4 p \\cf0 \\{ \\cf1 color\\cf0 : red; \\}\\cf4 ");
    EXPECT_EQ(c.ColorCSSText(L"/*a*/b"), "\\cf4 \\cf3 /*a*/\\cf4 b");
    EXPECT_EQ(c.ColorCSSText(L"a /* b"), "\\cf4 a /* b");
    EXPECT_EQ(c.ColorCSSText(L"a/b"), "\\cf4 a/b");
}

TEST_F(Scripts, CssKeepsTheTextsSpelling)
{
    // url() paths and generated content are case-sensitive.
    EXPECT_EQ(c.ColorCSSText(L"x{COLOR:a; content:\"a TOP b\"}"),
              "\\cf4 x\\cf0 \\{\\cf1 COLOR\\cf0 :a; content:\"a \\cf1 TOP\\cf0  b\"\\}\\cf4 ");
    EXPECT_NE(c.ColorCSSText(L"u{background:url(img/top/x.png)}").find("img/\\cf1 top\\cf0 /x.png"),
              std::string::npos);
}

TEST_F(Scripts, JsDeclarationsAndCase)
{
    EXPECT_EQ(c.ColorJSText(L"VAR total = 0;\rTOTAL"),
              "\\cf1 VAR\\cf0  \\cf4 total\\cf0  = 0;\r\n\\par \\cf4 TOTAL\\cf0 ");
    EXPECT_EQ(c.ColorJSText(L"var a = f(1, 2), b;a b f"),
              "\\cf1 var\\cf0  \\cf4 a\\cf0  = f(1, 2), \\cf4 b\\cf0 ;\\cf4 a\\cf0  \\cf4 b\\cf0  f");
    EXPECT_EQ(c.ColorJSText(L"function f(x, y)\rif(x)y"),
              "\\cf1 function\\cf0  f(\\cf4 x\\cf0 , \\cf4 y\\cf0 )\r\n\\par \\cf1 if\\cf0 (\\cf4 x\\cf0 )\\cf4 y\\cf0 ");
}

TEST_F(Scripts, JsStringsAndComments)
{
    EXPECT_EQ(c.ColorJSText(L"\"a\\\"b\"x"), "\\cf2 \"a\\\\\"b\"\\cf0 x");
    EXPECT_EQ(c.ColorJSText(L"'a\rb'"), "\\cf2 'a\r\n\\par b'\\cf0 ");
    EXPECT_EQ(c.ColorJSText(L"x \"open"), "x \\cf0 \"open\\cf0 ");
    EXPECT_EQ(c.ColorJSText(L"a//c\rb/*d*/e/f"),
              "a\\cf3 //c\\cf0 \r\n\\par b\\cf3 /*d*/\\cf0 e/f");
    EXPECT_EQ(c.ColorJSText(L"x /* y /* z"), "x /* y /* z");
    EXPECT_EQ(c.ColorJSText(L"a//end"), "a\\cf3 //end\\cf0 ");
}

TEST_F(Scripts, PhpVariablesCommentsAndCase)
{
    EXPECT_EQ(c.ColorPHPText(L"echo $Name.$a$b;"),
              "\\cf1 echo\\cf0  \\cf4 $Name\\cf0 .\\cf4 $a$b\\cf0 ;");
    EXPECT_EQ(c.ColorPHPText(L"php_eol"), "\\cf1 php_eol\\cf0 ");
    EXPECT_EQ(c.ColorPHPText(L"x # last"), "x \\cf3 # last\\cf0 ");
    EXPECT_EQ(c.ColorPHPText(L"x#a\ry"), "x\\cf3 #a\\cf0 \r\n\\par y");
    EXPECT_EQ(c.ColorPHPText(L"\"a\\\"b\" 'c\\'d"), "\\cf2 \"a\\\\\"b\"\\cf0  \\cf2 'c\\\\'\\cf0 d");
    EXPECT_EQ(c.ColorPHPText(L"\"open\recho"), "\"open\r\n\\par \\cf1 echo\\cf0 ");
    EXPECT_EQ(c.ColorPHPText(L"a/*b*/c//d"), "a\\cf3 /*b*/\\cf0 c\\cf3 //d\\cf0 ");
}

TEST(ColorText, SpecialCharactersAreEscaped)
{
    ClsColor c;
    EXPECT_EQ(c.PlainText(L"\\{}\t\u00e9\u20ac\U0001F600\uFF21"),
              "\\\\\\{\\}\\tab \\u233?\\u8364?\\u-10179?\\u-8704?\\u-223?");
    // A NUL ends the text (the editor never holds one).
    EXPECT_EQ(c.PlainText(std::wstring(L"ab\0cd", 5)), "ab");
}

// A line of declarations: each one's text runs on to the same terminator, so
// each would collect the rest of the line as one name. What they collect,
// and so time and memory, must stay in proportion to the line.
TEST(ColorLongLines, DeclarationsAlongOneLineStayInProportion)
{
    ClsColor c;
    c.SetVKeywords(L",", L"Dim,Function,If", 17, 4);
    c.SetJKeywords(L",", L"var,function,If");
    const size_t n = 200 * 1024 / 6;
    const struct {
        bool vbs;
        const wchar_t* piece;  // n times, then end
        const wchar_t* end;
        const char* each;      // the colouring of the first n - 1 pieces
        const char* last;      // and of the last one with the end
    } cases[] = {
        // Only the last declaration's name is short enough to be one.
        {true, L"Dim a ", L":", "\\cf1 Dim\\cf0  a ", "\\cf1 Dim\\cf0  \\cf4 a\\cf0  :"},
        {false, L"var a ", L";", "\\cf1 var\\cf0  a ", "\\cf1 var\\cf0  \\cf4 a\\cf0  ;"},
        {false, L"function f(a) ", L";", "\\cf1 function\\cf0  f(a) ", "\\cf1 function\\cf0  f(\\cf4 a\\cf0 ) ;"},
        // The first declaration already knows every parameter.
        {true, L"Function f(a, b) ", L"\r", "\\cf1 Function\\cf0  f(\\cf4 a\\cf0 , \\cf4 b\\cf0 ) ",
         "\\cf1 Function\\cf0  f(\\cf4 a\\cf0 , \\cf4 b\\cf0 ) \r\n\\par "},
        // A bracket that never closes drops the rest of each declaration.
        {false, L"var a = (b, ", L";", "\\cf1 var\\cf0  \\cf4 a\\cf0  = (b, ", "\\cf1 var\\cf0  \\cf4 a\\cf0  = (b, ;"},
    };
    for (const auto& k : cases) {
        std::wstring text;
        std::string want;
        for (size_t i = 0; i < n; ++i) {
            text += k.piece;
            want += i + 1 < n ? k.each : k.last;
        }
        text += k.end;
        const std::string rtf = k.vbs ? c.ColorVBSText(text) : c.ColorJSText(text);
        EXPECT_TRUE(rtf == want) << k.last << ": " << rtf.substr(0, 120) << " ... " << rtf.substr(rtf.size() - 120);
        EXPECT_LT(c.KnownNames().Joined().size(), 2 * text.size()) << k.last;
    }
}

// The second declaration of a statement settles its name along the way the
// first one walked: a name of MaxName characters is one, a longer one is not.
TEST(ColorLongLines, TheLongestNameOfALaterDeclaration)
{
    ClsColor c;
    c.SetVKeywords(L",", L"Dim,Function,If", 17, 4);
    c.SetJKeywords(L",", L"var,function,If");
    for (size_t len : {color::MaxName, color::MaxName + 1}) {
        const std::wstring name(len, L'n');
        c.ColorVBSText(L"Dim x Dim " + name + L":");
        EXPECT_EQ(c.KnownNames().Find(name) != nullptr, len == color::MaxName) << len;
        c.ColorJSText(L"var x var (a) " + name + L" = 1;");
        EXPECT_EQ(c.KnownNames().Find(name) != nullptr, len == color::MaxName) << len;
        c.ColorJSText(L"function f(x) function g(" + name + L");");
        EXPECT_EQ(c.KnownNames().Find(name) != nullptr, len == color::MaxName) << len;
    }
}

} // namespace
