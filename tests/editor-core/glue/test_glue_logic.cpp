// The parts of the typing glue, the document slots and the colour stretches
// that need no window.
#include "ClsFile.h"
#include "ColourRuns.h"
#include "TypingGlue.h"

#include <gtest/gtest.h>

using TypingGlue::IndentAfter;
using TypingGlue::LastWord;

TEST(Indent, CopiesTheLeadingRunAsItIs)
{
    EXPECT_EQ(IndentAfter(L"    Dim x"), L"    ");
    EXPECT_EQ(IndentAfter(L"\t\tIf a Then"), L"\t\t");
    EXPECT_EQ(IndentAfter(L"\t  x = 1"), L"\t  ");
}

TEST(Indent, NothingWithoutLeadingBlanksOrWithoutAWord)
{
    EXPECT_EQ(IndentAfter(L"Dim x"), L"");
    EXPECT_EQ(IndentAfter(L""), L"");
    EXPECT_EQ(IndentAfter(L"    "), L"");
    EXPECT_EQ(IndentAfter(L"  \r"), L"");
}

TEST(LastWordBeforeCaret, WordAndNameBeforeParenthesis)
{
    long start = -1;
    // Key-up after the period: the caret is behind it.
    EXPECT_EQ(LastWord(L"  x = obj.", 10, start), L"obj");
    EXPECT_EQ(start, 6);
    EXPECT_EQ(LastWord(L"Call MsgBox(", 12, start), L"MsgBox");
    EXPECT_EQ(start, 5);
    EXPECT_EQ(LastWord(L"a = ", 4, start), L"");
    EXPECT_EQ(start, 0);
}

TEST(LastWordBeforeCaret, WorksAtTheVeryStartOfTheText)
{
    long start = -1;
    EXPECT_EQ(LastWord(L"obj.", 4, start), L"obj");
    EXPECT_EQ(start, 0);
    EXPECT_EQ(LastWord(L"f(", 2, start), L"f");
    EXPECT_EQ(start, 0);
    EXPECT_EQ(LastWord(L"x", 0, start), L"");
    EXPECT_EQ(LastWord(L"", 1, start), L"");
}

namespace {

const wchar_t* kPage =
    L"<html><head><title>Test page here</title>\r"       // line 0
    L"<SCRIPT language=vbscript>\r"                       // line 1
    L"Dim x\r"                                            // line 2
    L"</SCRIPT>\r"                                        // line 3
    L"<p>text</p>\r"                                      // line 4
    L"<% Response.Write 1\r"                              // line 5
    L"x = 2 %>\r"                                         // line 6
    L"<script language=javascript>\rvar a\r</script>\r";  // lines 7-9

long PosOf(const std::wstring& text, const std::wstring& what, long extra = 0)
{
    return static_cast<long>(text.find(what)) + extra;
}

} // namespace

TEST(VBScriptBlock, ScriptBlockLinesOnly)
{
    std::wstring text = kPage;
    TypingGlue::StringSearch s(text);
    EXPECT_EQ(TypingGlue::BlockKind(s, PosOf(text, L"Dim x", 2), EditorType::HTML), 1);
    // The line of the opening tag itself is not inside.
    EXPECT_EQ(TypingGlue::BlockKind(s, PosOf(text, L"language=vbscript", 4), EditorType::HTML), 0);
    EXPECT_EQ(TypingGlue::BlockKind(s, PosOf(text, L"<p>text", 2), EditorType::HTML), 0);
    EXPECT_EQ(TypingGlue::BlockKind(s, PosOf(text, L"var a", 2), EditorType::HTML), 0);
    // Not before position 32, not for other types.
    EXPECT_EQ(TypingGlue::BlockKind(s, 20, EditorType::HTML), 0);
    EXPECT_EQ(TypingGlue::BlockKind(s, PosOf(text, L"Dim x", 2), EditorType::VBScript), 0);
}

TEST(VBScriptBlock, ServerBlockOnlyInAspPages)
{
    std::wstring text = kPage;
    TypingGlue::StringSearch s(text);
    long inside = PosOf(text, L"Response", 3);
    EXPECT_EQ(TypingGlue::BlockKind(s, inside, EditorType::ASP), 2);
    EXPECT_EQ(TypingGlue::BlockKind(s, inside, EditorType::HTML), 0);
    // Right behind "<%" is not yet inside; after "%>" is outside.
    EXPECT_EQ(TypingGlue::BlockKind(s, PosOf(text, L"<%", 2), EditorType::ASP), 0);
    EXPECT_EQ(TypingGlue::BlockKind(s, PosOf(text, L"%>", 2), EditorType::ASP), 0);
}

TEST(Slots, ExtensionTableBuiltInsFirstThenAliases)
{
    ClsFile files({{L"txt", EditorType::HTML}, {L"HTM", EditorType::VBScript}, {L"inc", EditorType::ASP}});
    EXPECT_EQ(files.GetExtEdType(L"htm"), EditorType::HTML);  // the alias for HTM never wins
    EXPECT_EQ(files.GetExtEdType(L"Aspx"), EditorType::ASP);
    EXPECT_EQ(files.GetExtEdType(L"wsf"), EditorType::VBScript);
    EXPECT_EQ(files.GetExtEdType(L"JS"), EditorType::JavaScript);
    EXPECT_EQ(files.GetExtEdType(L"css"), EditorType::CSS);
    EXPECT_EQ(files.GetExtEdType(L"TXT"), EditorType::HTML);
    EXPECT_EQ(files.GetExtEdType(L"inc"), EditorType::ASP);
    EXPECT_EQ(files.GetExtEdType(L"dat"), EditorType::None);
    EXPECT_EQ(files.GetExtEdType(L""), EditorType::None);
    ASSERT_EQ(files.Extensions().size(), 16u);
    EXPECT_EQ(files.Extensions()[13].Ext, L"TXT");

    ClsFile plain(std::vector<ExtEntry>{});
    EXPECT_EQ(plain.GetExtEdType(L"txt"), EditorType::None);
}

TEST(Slots, FreeSlotsAndOutOfRangeIndices)
{
    ClsFile files(std::vector<ExtEntry>{});
    files.TempFolder(L"C:\\nonexistent-tarnel-folder");
    EXPECT_EQ(files.CurrentFile(), -1);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(files.StoreFile(L"C:\\doc" + std::to_wstring(i) + L".htm"), i);
    EXPECT_EQ(files.NextAvailable(), -1);
    EXPECT_EQ(files.StoreFile(L"C:\\ninth.htm"), -1);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(files.Path(i), L"C:\\doc" + std::to_wstring(i) + L".htm");

    files.EdType(3, EditorType::VBScript);
    files.Name(3, L"doc3.htm");
    files.RemoveFile(3);
    EXPECT_FALSE(files.Exists(3));
    EXPECT_EQ(files.Name(3), L"");
    EXPECT_EQ(files.EdType(3), EditorType::HTML);
    EXPECT_EQ(files.NextAvailable(), 3);

    files.TopLine(8, 5);
    files.Path(-1, L"x");
    EXPECT_EQ(files.TopLine(8), 0);
    EXPECT_EQ(files.Path(-1), L"");
    EXPECT_FALSE(files.Changed(9));
}

namespace {

std::vector<unsigned char> Colours(const std::string& body, std::wstring* text = nullptr)
{
    std::vector<unsigned char> c;
    std::wstring t;
    EXPECT_TRUE(ColourRuns::ParseBody(body, t, c)) << body;
    if (text)
        *text = t;
    return c;
}

} // namespace

TEST(ColourStretch, ParsesEveryEscapeAsOneCharacter)
{
    std::wstring text;
    auto c = Colours("\\cf6 <b>\\cf0 x\\\\y\\{\\}\\tab z\r\n\\par \\u-1234?\\cf3 \\u233?e", &text);
    std::vector<unsigned char> want = {6, 6, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 3};
    EXPECT_EQ(c, want);
    EXPECT_EQ(std::wstring(L"<b>x\\y{}\tz\r") + wchar_t(65536 - 1234) + L"\x00e9" L"e", text);

    // The brace closing the document may end the body.
    EXPECT_EQ(Colours("\\cf1 ab\r\n\\par }\r\n"), (std::vector<unsigned char>{1, 1, 1}));
    std::vector<unsigned char> none;
    EXPECT_FALSE(ColourRuns::ParseBody("{\\b x}", text, none));
    EXPECT_FALSE(ColourRuns::ParseBody("a}b", text, none));
    EXPECT_FALSE(ColourRuns::ParseBody("\\i x", text, none));
    EXPECT_FALSE(ColourRuns::ParseBody("\\'e9", text, none));
}

TEST(ColourStretch, BoldSlashesOfSelfClosingTags)
{
    const unsigned char B = ColourRuns::kBold;
    std::wstring text;
    EXPECT_EQ(Colours("\\cf6 <br \\cf6 \\b /\\b0 >\\cf0 x", &text),
              (std::vector<unsigned char>{6, 6, 6, 6, static_cast<unsigned char>(6 | B), 6, 0}));
    EXPECT_EQ(L"<br />x", text);
}

TEST(ColourStretch, BodyOfAStretchReadsBackWithItsLooks)
{
    const unsigned char B = ColourRuns::kBold;
    std::wstring text = L"a{b}\\c\td\r\x00e9\x4e2d/";
    std::vector<unsigned char> colours = {1, 1, 2, 2, 0, 0, 3, 3, 4, 5, 5, static_cast<unsigned char>(6 | B)};
    std::wstring back;
    std::string body = ColourRuns::StretchBody(text, colours, 0, static_cast<long>(text.size()));
    EXPECT_EQ(Colours(body, &back), colours);
    EXPECT_EQ(text, back);
    std::string part = ColourRuns::StretchBody(text, colours, 2, 7);
    EXPECT_EQ(Colours(part, &back), std::vector<unsigned char>(colours.begin() + 2, colours.begin() + 7));
    EXPECT_EQ(text.substr(2, 5), back);
    // A stretch that starts bold says so: each stretch starts from the plain look.
    EXPECT_EQ(Colours(ColourRuns::StretchBody(text, colours, 11, 12)), std::vector<unsigned char>{static_cast<unsigned char>(6 | B)});
}

TEST(ColourStretch, RespeltWordsAndTheColourTable)
{
    long a = -1, b = -1;
    EXPECT_FALSE(ColourRuns::TextStretch(L"Dim q", L"Dim q", a, b));
    ASSERT_TRUE(ColourRuns::TextStretch(L"dim q\rif x", L"Dim q\rIf x", a, b));
    EXPECT_EQ(0, a);
    EXPECT_EQ(7, b);
    EXPECT_EQ((std::vector<unsigned long>{0, 0x0000A0, 0x123456}),
              ColourRuns::FrameColours("{\\rtf1{\\colortbl\\red0\\green0\\blue0;\\red160\\green0\\blue0;"
                                       "\\red86\\green52\\blue18;}\\pard "));
}

TEST(ColourStretch, CoversTypedTextAndColoursThatChangedFurtherOn)
{
    std::wstring oldText = L"aaaa bbbb cccc";
    std::vector<unsigned char> oldC(oldText.size(), 0);
    long a = -1, b = -1;

    // Nothing changed.
    EXPECT_FALSE(ColourRuns::ChangedStretch(oldText, oldC, oldText, oldC, a, b));

    // Two characters typed in the middle, colours unchanged elsewhere.
    std::wstring typed = L"aaaa bbXXbb cccc";
    std::vector<unsigned char> typedC(typed.size(), 0);
    ASSERT_TRUE(ColourRuns::ChangedStretch(oldText, oldC, typed, typedC, a, b));
    EXPECT_EQ(a, 7);
    EXPECT_EQ(b, 9);

    // The typing turns everything after it into a comment.
    for (size_t i = 7; i < typedC.size(); ++i)
        typedC[i] = 3;
    ASSERT_TRUE(ColourRuns::ChangedStretch(oldText, oldC, typed, typedC, a, b));
    EXPECT_EQ(a, 7);
    EXPECT_EQ(b, static_cast<long>(typed.size()));

    // Deleting text changes the colour of a word before it.
    std::wstring deleted = L"aaaa bbbb cc";
    std::vector<unsigned char> deletedC(deleted.size(), 0);
    deletedC[0] = 1;
    ASSERT_TRUE(ColourRuns::ChangedStretch(oldText, oldC, deleted, deletedC, a, b));
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 12);

    // Repeated text: the stretch still covers the change.
    std::wstring rep = L"aaaaaa bbbb cccc";
    std::vector<unsigned char> repC(rep.size(), 0);
    ASSERT_TRUE(ColourRuns::ChangedStretch(oldText, oldC, rep, repC, a, b));
    EXPECT_LE(a, 4);
    EXPECT_GE(b, a + 2);

    // Enter before an empty line: the new paragraph end may be either of the
    // two, and both are rewritten; so is the one left of two after a delete.
    std::wstring lines = L"<p>\r\rbody";
    std::vector<unsigned char> linesC(lines.size(), 1);
    std::wstring entered = L"<p>\r\r\rbody";
    std::vector<unsigned char> enteredC(entered.size(), 1);
    ASSERT_TRUE(ColourRuns::ChangedStretch(lines, linesC, entered, enteredC, a, b));
    EXPECT_EQ(a, 3);
    EXPECT_EQ(b, 6);
    std::wstring joined = L"<p>\rbody";
    std::vector<unsigned char> joinedC(joined.size(), 1);
    ASSERT_TRUE(ColourRuns::ChangedStretch(lines, linesC, joined, joinedC, a, b));
    EXPECT_EQ(a, 3);
    EXPECT_EQ(b, 4);
    // Text cut from the end changes nothing that is left.
    EXPECT_FALSE(ColourRuns::ChangedStretch(lines, linesC, L"<p>\r\rbo", std::vector<unsigned char>(9, 1), a, b));
}

TEST(GlueLogic, WhatALineLeftGets)
{
    using TypingGlue::PlanLineChecks;
    struct Row {
        EditorType type;
        bool checkLines, exists;
        short blockBefore;
        bool declaration, check, inPage;
    };
    const Row rows[] = {
        // A page's line only from inside a script or server block, and only
        // while lines are checked.
        {EditorType::HTML, true, true, 1, true, true, true},
        {EditorType::ASP, true, true, 2, true, true, true},
        {EditorType::HTML, true, true, 0, false, false, true},
        {EditorType::HTML, false, true, 1, false, false, true},
        {EditorType::HTML, true, false, 1, false, false, true},
        // A script's declarations are recorded even with line checking off.
        {EditorType::VBScript, false, true, 0, true, false, false},
        {EditorType::VBScript, true, true, 0, true, true, false},
        {EditorType::VBScript, true, false, 0, false, false, false},
        {EditorType::CSS, true, true, 1, false, false, false},
        {EditorType::None, true, true, 1, false, false, false},
    };
    for (const Row& r : rows) {
        const TypingGlue::LineChecks plan = PlanLineChecks(r.type, r.checkLines, r.exists, r.blockBefore);
        EXPECT_EQ(plan.recordDeclaration, r.declaration) << static_cast<int>(r.type) << " " << r.blockBefore;
        EXPECT_EQ(plan.check, r.check) << static_cast<int>(r.type) << " " << r.blockBefore;
        if (plan.check) {
            EXPECT_EQ(plan.inPage, r.inPage);
        }
    }
    // A marked finding stands in place of one recolouring, where checks mark.
    EXPECT_FALSE(TypingGlue::RecoloursAfterLine(EditorType::VBScript, true, true));
    EXPECT_TRUE(TypingGlue::RecoloursAfterLine(EditorType::CSS, true, true));
    EXPECT_TRUE(TypingGlue::RecoloursAfterLine(EditorType::ASP, true, false));
    EXPECT_FALSE(TypingGlue::RecoloursAfterLine(EditorType::JavaScript, false, false));
    EXPECT_FALSE(TypingGlue::RecoloursAfterLine(EditorType::None, true, false));
}
