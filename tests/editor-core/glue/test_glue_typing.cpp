// Typing into a real KvRTB: indentation, colours, the line check hand-off.
#include "GlueFixture.h"

namespace {

const COLORREF kKeyword = 0x0000A0;
const COLORREF kComment = 0x008080;
const COLORREF kTag = 0xA00000;

} // namespace

TEST_F(GlueTest, EnterIndentsLikeTheLineAboveAndColoursIt)
{
    State().EdType = EditorType::VBScript;
    State().ColorCodeOn = true;
    Load(L"");
    Type(L"    Dim x");
    Enter();
    EXPECT_EQ(Text(), L"    Dim x\r    ");
    EXPECT_EQ(Caret(), 14);
    EXPECT_EQ(ColourAt(4), kKeyword);  // "Dim"
    EXPECT_EQ(ColourAt(8), 0u);        // "x"
    // The typing before stays undoable: the indent is a step of its own.
    form.JT1.Undo();
    EXPECT_EQ(Text(), L"    Dim x\r");
    form.JT1.Undo();
    form.JT1.Undo();
    EXPECT_EQ(Text(), L"");
    while (form.JT1.CanRedo())
        form.JT1.Redo();
    EXPECT_EQ(Text(), L"    Dim x\r    ");
    SetCaret(14);

    // Tabs stay tabs; the run is copied whole.
    Type(L"\tIf x Then");
    Enter();
    std::wstring text = Text();
    EXPECT_EQ(text.substr(text.rfind(L'\r') + 1), L"    \t");

    // A line without leading blanks gives nothing.
    Load(L"x = 1");
    SetCaret(5);
    Enter();
    EXPECT_EQ(Text(), L"x = 1\r");

    // Nothing either with the caret jump switched off.
    Load(L"  y");
    SetCaret(3);
    Settings().NoCaretJump = true;
    Enter();
    EXPECT_EQ(Text(), L"  y\r");
}

TEST_F(GlueTest, RecoloursOnlyWhenTheLineLeftWasEdited)
{
    State().EdType = EditorType::VBScript;
    State().ColorCodeOn = true;
    State().LineDebugOn = true;
    Load(L"Dim a\rim b\rc");
    ColorOn();
    ASSERT_EQ(ColourAt(0), kKeyword);
    EXPECT_FALSE(State().DocChanged);

    // Paint a keyword by hand: moving without typing must leave it.
    State().SuppressChangeTracking = true;
    SendMessageW(re(), EM_SETSEL, 0, 3);
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = 0x0000FF;
    SendMessageW(re(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    State().SuppressChangeTracking = false;
    State().LineEdited = false;
    ClsColorEditor::ForgetColours();  // whoever paints by hand says so
    SetCaret(1);
    OnLine(1);  // remembers line 0
    processed = 0;
    Down();
    EXPECT_EQ(processed, 1);
    EXPECT_EQ(ColourAt(0), 0x0000FFu);

    // Typing on line 1, then a click on line 2: the whole text is recoloured once.
    SetCaret(6);
    Type(L"D");
    EXPECT_TRUE(State().LineEdited);
    EXPECT_TRUE(State().DocChanged);
    SetCaret(12);
    SendMessageW(re(), WM_LBUTTONUP, 0, 0);  // the click ends with a line event
    EXPECT_EQ(ColourAt(0), kKeyword);
    EXPECT_EQ(ColourAt(6), kKeyword);
    EXPECT_FALSE(State().LineEdited);
    EXPECT_EQ(Caret(), 12);
    // The line left went to the declaration record and the line check.
    ASSERT_FALSE(declared.empty());
    EXPECT_EQ(declared.back(), L"Dim b");
    ASSERT_FALSE(checked.empty());
    EXPECT_EQ(checked.back(), L"Dim b");
    EXPECT_FALSE(checkedInPage);
}

TEST_F(GlueTest, ColouringKeepsTextSelectionAndFlags)
{
    State().EdType = EditorType::HTML;
    std::wstring page = L"<p class=\"a\">x \\ {y} \x00e9\x4e2d</p>\r<!-- c -->\r";
    Load(page);
    SendMessageW(re(), EM_SETSEL, 3, 9);
    State().SuppressChangeTracking = false;
    ClsColorEditor::ColorHTML(colorer, form.JT1, 0, -1);
    EXPECT_EQ(Text(), page);
    CHARRANGE cr{};
    SendMessageW(re(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
    EXPECT_EQ(cr.cpMin, 3);
    EXPECT_EQ(cr.cpMax, 9);
    EXPECT_FALSE(State().SuppressChangeTracking);
    EXPECT_FALSE(State().DocChanged);  // the rewrite is not an edit of the user's
    EXPECT_EQ(ColourAt(0), kTag);
    EXPECT_EQ(ColourAt(static_cast<long>(page.find(L"<!--")) + 5), kComment);

    // A range of the text only.
    Load(L"Dim a\rDim b");
    ClsColorEditor::ColorVBS(colorer, form.JT1, 6, 11);
    EXPECT_EQ(ColourAt(0), 0u);
    EXPECT_EQ(ColourAt(6), kKeyword);
    EXPECT_EQ(Text(), L"Dim a\rDim b");
}

TEST_F(GlueTest, ColorOnAndColorOff)
{
    std::vector<bool> marks;
    host.colorMenu = [&](bool on) { marks.push_back(on); };
    State().EdType = EditorType::VBScript;
    Load(L"");
    ColorOn();  // empty: only the flags and the check mark
    EXPECT_TRUE(State().ColorCodeOn);
    EXPECT_FALSE(Settings().NoColorCode);
    Load(L"Dim a");
    ColorOn();
    EXPECT_EQ(ColourAt(0), kKeyword);
    ColorOff();
    EXPECT_EQ(ColourAt(0), 0u);
    EXPECT_TRUE(Settings().NoColorCode);
    EXPECT_FALSE(State().ColorCodeOn);
    EXPECT_FALSE(State().DocChanged);
    EXPECT_EQ(marks, (std::vector<bool>{true, true, false}));
    // Colouring back on after it was off rewrites everything again.
    ColorOn();
    EXPECT_EQ(ColourAt(0), kKeyword);
    EXPECT_EQ(marks.back(), true);
}

namespace {

std::wstring Page(int lines)
{
    std::wstring t = L"<html><head><title>Page</title>\r<style>\rbody { color: red; }\r</style>\r";
    for (int n = 4; n < lines; n += 10) {
        t += L"<SCRIPT language=vbscript>\r  Dim a : a = \"s\" ' note\r</SCRIPT>\r";
        t += L"<p class=\"c\">Some <b>bold</b> text</p>\r<p>more</p>\r";
        t += L"<script>\r  var b = 'x'; // c\r</script>\r<hr>\r<br>\r";
    }
    return t;
}

} // namespace

TEST_F(GlueTest, LineEditLeavesTheSameColoursAsAWholeRecolour)
{
    State().EdType = EditorType::HTML;
    State().ColorCodeOn = true;
    Load(Page(200));
    ColorOn();
    ResetChangeTracking();  // as after loading a document: the colours are still known
    long line50 = static_cast<long>(SendMessageW(re(), EM_LINEINDEX, 50, 0));

    // Opening a comment changes the colours of everything after it ...
    SetCaret(line50);
    OnLine(1);
    Type(L"<!-- ");
    Down();
    long total = static_cast<long>(Text().size());
    EXPECT_GT(ClsColorEditor::LastRewrittenLength(), total / 2);
    // ... and closing it further down gives them back.
    long line120 = static_cast<long>(SendMessageW(re(), EM_LINEINDEX, 120, 0));
    SetCaret(line120);
    OnLine(1);
    Type(L"x -->");
    Down();
    // A local edit rewrites only what it touched.
    long line30 = static_cast<long>(SendMessageW(re(), EM_LINEINDEX, 30, 0));
    SetCaret(line30);
    OnLine(1);
    Type(L"<b>x</b>");
    Down();
    EXPECT_GT(ClsColorEditor::LastRewrittenLength(), 0);
    EXPECT_LT(ClsColorEditor::LastRewrittenLength(), 20);
    // Deleting a character of a tag.
    long line10 = static_cast<long>(SendMessageW(re(), EM_LINEINDEX, 10, 0));
    SetCaret(line10 + 1);
    OnLine(1);
    SendMessageW(re(), WM_KEYDOWN, VK_DELETE, 1);
    SendMessageW(re(), WM_KEYUP, VK_DELETE, 0xC0000001);
    Down();

    ExpectSameAsWholeRecolour();
    EXPECT_EQ(ColourAt(line50 + 30), kComment);
}

TEST_F(GlueTest, PageLinesInVBScriptGoToTheLineCheck)
{
    State().EdType = EditorType::HTML;
    State().LineDebugOn = true;
    Load(L"<html><head><title>Page here</title>\r<SCRIPT language=vbscript>\rx=1\r\r</SCRIPT>\r<p>\r");
    long line2 = static_cast<long>(SendMessageW(re(), EM_LINEINDEX, 2, 0));
    SetCaret(line2 + 3);
    OnLine(3);  // enters the block: remembered state 1
    EXPECT_EQ(State().InVBSBlockPrev, 1);
    Type(L"y");
    Down();
    ASSERT_EQ(checked.size(), 1u);
    EXPECT_EQ(checked[0], L"x=1y");
    EXPECT_TRUE(checkedInPage);
    EXPECT_EQ(declared.size(), 1u);

    // Leaving the block hands over the (empty) last line in it ...
    long line5 = static_cast<long>(SendMessageW(re(), EM_LINEINDEX, 5, 0));
    SetCaret(line5);
    OnLine(3);
    ASSERT_EQ(checked.size(), 2u);
    EXPECT_EQ(checked[1], L"");
    // ... and a line outside the block is not checked.
    Type(L"z");
    Down();
    EXPECT_EQ(checked.size(), 2u);
}

TEST_F(GlueTest, ASkippedRecolourKeepsTheMarkedLine)
{
    State().EdType = EditorType::VBScript;
    State().ColorCodeOn = true;
    State().LineDebugOn = true;
    Load(L"Dim a\rDim b\r");
    ColorOn();
    host.checkLine = [this](long& s, long& e, long&, bool&, bool&) {
        CHARRANGE cr{s, e + 1};
        SendMessageW(re(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof(cf);
        cf.dwMask = CFM_COLOR;
        cf.crTextColor = 0x0000FF;
        SendMessageW(re(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        State().FindingMarked = true;
    };
    SetCaret(5);
    OnLine(1);
    Type(L"x");
    Down();
    EXPECT_EQ(ColourAt(0), 0x0000FFu);
    EXPECT_FALSE(State().FindingMarked);
    // The next edit recolours the marked line too.
    host.checkLine = nullptr;
    long line1 = static_cast<long>(SendMessageW(re(), EM_LINEINDEX, 1, 0));
    SetCaret(line1 + 1);
    OnLine(1);
    Type(L"y");
    Down();
    EXPECT_EQ(ColourAt(0), kKeyword);
}

TEST_F(GlueTest, WordBeforeTheCaretAtTheStartOfTheText)
{
    for (const wchar_t* text : {L"obj.", L"MsgBox(", L"x = obj."}) {
        Load(text);
        long caret = static_cast<long>(std::wstring(text).size());
        long fromEditor = -1, fromText = -1;
        std::wstring word = form.JT1.GetLastWord(caret, fromEditor);
        EXPECT_EQ(word, TypingGlue::LastWord(text, caret, fromText)) << text;
        EXPECT_FALSE(word.empty()) << text;
        EXPECT_EQ(fromEditor, fromText) << text;
    }
}

TEST_F(GlueTest, KeywordsTakeTheSpellingOfTheList)
{
    State().EdType = EditorType::VBScript;
    Load(L"dim q\rmsgbox q\r");
    ColorOn();
    EXPECT_EQ(L"Dim q\rMsgBox q\r", Text());
    SetCaret(static_cast<long>(Text().size()));
    Type(L"if q then");
    Enter();
    EXPECT_EQ(L"Dim q\rMsgBox q\rIf q Then\r", Text());
    EXPECT_EQ(ColourAt(15), kKeyword);

    // The same in a server block of a page.
    State().EdType = EditorType::ASP;
    Load(L"<p>dim</p>\r<%\rdim x\r%>\r");
    ColorOn();
    EXPECT_EQ(L"<p>dim</p>\r<%\rDim x\r%>\r", Text());
    SetCaret(14);
    OnLine(3);
    Type(L"end if ");
    Down();
    EXPECT_EQ(L"<p>dim</p>\r<%\rEnd If Dim x\r%>\r", Text());
}

TEST_F(GlueTest, PagesWithSelfClosingTagsAreRewrittenInPart)
{
    State().EdType = EditorType::HTML;
    State().ColorCodeOn = true;
    std::wstring page;
    for (int n = 0; n < 300; ++n)
        page += L"<p>line " + std::to_wstring(n) + L"<br /><img src=\"a.gif\" /></p>\r";
    Load(page);
    ColorOn();
    SetCaret(static_cast<long>(SendMessageW(re(), EM_LINEINDEX, 150, 0)) + 3);
    OnLine(3);
    Type(L"x");
    Down();
    EXPECT_LT(ClsColorEditor::LastRewrittenLength(), 100);
    ExpectSameAsWholeRecolour();
}
