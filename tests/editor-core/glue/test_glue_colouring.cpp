// Recolouring after line edits: only the edited lines are read back when the
// editor agrees with the last colouring, the whole text otherwise, and either
// way the editor ends as a whole recolour leaves it.
#include "GlueFixture.h"

#include <algorithm>

namespace {

// A page whose lines all differ, so a shifted text never matches by chance.
std::wstring NumberedPage(int lines)
{
    std::wstring t = L"<html><head><title>Page</title>\r<style>\rbody { color: red; }\r</style>\r";
    for (int n = 4; n < lines; n += 6) {
        std::wstring k = std::to_wstring(n);
        t += L"<SCRIPT language=vbscript>\r  Dim a" + k + L" : a" + k + L" = \"s\" ' note\r</SCRIPT>\r";
        t += L"<p class=\"c" + k + L"\">Some <b>bold</b> text " + k + L"</p>\r";
        t += L"<script>\r  var b" + k + L" = 'x'; // c\r</script>\r";
    }
    return t;
}

class ColouringTest : public GlueTest {
protected:
    void SetUp() override
    {
        GlueTest::SetUp();
        State().EdType = EditorType::HTML;
        State().ColorCodeOn = true;
    }
    void LoadColoured(const std::wstring& text)
    {
        Load(text);
        ColorOn();
        ResetChangeTracking();
    }
    long LineStart(long line) { return static_cast<long>(SendMessageW(re(), EM_LINEINDEX, line, 0)); }
    // Puts the caret on a line as a click would, so the glue remembers it.
    void GoTo(long line, long column = 0)
    {
        SetCaret(LineStart(line) + column);
        OnLine(3);
    }
    void Key(UINT vk)
    {
        SendMessageW(re(), WM_KEYDOWN, vk, 1);
        SendMessageW(re(), WM_KEYUP, vk, 0xC0000001);
    }
    long Total() { return RichEditStream::TextLength(re()); }
};

} // namespace

TEST_F(ColouringTest, EditsBetweenTheLineLeftAndTheCaretAreReadBackAlone)
{
    LoadColoured(NumberedPage(300));
    const long small = 400;

    GoTo(40, 3);
    Type(L"<b>new</b> ");
    Down();
    EXPECT_LT(ClsColorEditor::LastReadLength(), small);
    EXPECT_GT(ClsColorEditor::LastRewrittenLength(), 0);

    // A paste of several lines leaves the caret lines below the line left.
    GoTo(80, 2);
    SendMessageW(re(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"<i>one</i>\r<!-- two -->\r  Dim three"));
    Down();
    EXPECT_LT(ClsColorEditor::LastReadLength(), small);

    // Backspace at a line start joins it to the line above, which is not the
    // line the glue remembers.
    GoTo(120);
    Key(VK_BACK);
    SendMessageW(re(), WM_CHAR, 8, 1);
    Down();
    EXPECT_LT(ClsColorEditor::LastReadLength(), small);

    // Enter in the middle of an indented line, on the first and last lines.
    GoTo(1, 7);
    Enter();
    EXPECT_LT(ClsColorEditor::LastReadLength(), small);
    long last = static_cast<long>(SendMessageW(re(), EM_GETLINECOUNT, 0, 0)) - 1;
    GoTo(last);
    Type(L"<b>end");
    SendMessageW(re(), WM_KEYDOWN, VK_UP, 1);
    SendMessageW(re(), WM_KEYUP, VK_UP, 0xC0000001);
    EXPECT_LT(ClsColorEditor::LastReadLength(), small);
    GoTo(0);
    Type(L"x");
    Down();
    EXPECT_LT(ClsColorEditor::LastReadLength(), small);

    // A comment opened changes colours far beyond the lines read back.
    GoTo(150);
    Type(L"<!--");
    Down();
    EXPECT_LT(ClsColorEditor::LastReadLength(), small);
    EXPECT_GT(ClsColorEditor::LastRewrittenLength(), Total() / 3);
    ExpectSameAsWholeRecolour();
}

TEST_F(ColouringTest, TextChangedElsewhereIsReadInWhole)
{
    LoadColoured(NumberedPage(300));

    // Text put in far from the edited line without a line event (a replace,
    // a drop): the lines read back no longer sit where the cache has them.
    auto replaceQuietly = [this](long from, long to, const wchar_t* with) {
        long caret = Caret();
        State().SuppressChangeTracking = true;
        CHARRANGE cr{from, to};
        SendMessageW(re(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
        SendMessageW(re(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(with));
        State().SuppressChangeTracking = false;
        if (from < caret)
            caret += static_cast<long>(std::wstring(with).size()) - (to - from);
        SetCaret(caret);
    };
    GoTo(200, 1);
    replaceQuietly(LineStart(10) + 2, LineStart(10) + 6, L"<b>changed</b>");
    Type(L"y");
    Down();
    EXPECT_EQ(ClsColorEditor::LastReadLength(), Total());
    ExpectSameAsWholeRecolour();

    // Lines taken out far below the edited line.
    GoTo(30, 1);
    replaceQuietly(LineStart(250), LineStart(253), L"");
    Type(L"<p>");
    Down();
    EXPECT_EQ(ClsColorEditor::LastReadLength(), Total());
    ExpectSameAsWholeRecolour();

    // The same number of characters typed on the line and taken out just
    // past the lines read back.
    GoTo(100, 1);
    replaceQuietly(LineStart(104) + 3, LineStart(104) + 5, L"");
    Type(L"zz");
    Down();
    EXPECT_EQ(ClsColorEditor::LastReadLength(), Total());
    ExpectSameAsWholeRecolour();
}

TEST_F(ColouringTest, UndoAndANewDocumentAreReadInWhole)
{
    LoadColoured(NumberedPage(200));
    GoTo(60, 2);
    Type(L"<!-- open");
    Down();
    // The undo takes the comment out again; its colours come back with it.
    SendMessageW(re(), EM_UNDO, 0, 0);
    GoTo(90);
    EXPECT_EQ(ClsColorEditor::LastReadLength(), Total());
    ExpectSameAsWholeRecolour();
    Type(L"z");
    Down();
    ExpectSameAsWholeRecolour();

    // Another document in the same window, announced as the loader does.
    Load(NumberedPage(150));
    ClsColorEditor::ForgetColours();
    GoTo(20, 1);
    Type(L"q");
    Down();
    EXPECT_EQ(ClsColorEditor::LastReadLength(), Total());
    EXPECT_EQ(ClsColorEditor::LastRewrittenLength(), Total());
    ExpectSameAsWholeRecolour();
}

TEST_F(ColouringTest, EachWindowKeepsItsOwnLastColouring)
{
    LoadColoured(NumberedPage(120));
    // The second editor coloured in between, as a document shown in its own
    // window would be.
    form.Ref.SetText(NumberedPage(60));
    State().CurrentEditor = &form.Ref;
    ColorOn();
    State().CurrentEditor = &form.JT1;

    GoTo(30, 1);
    Type(L"k");
    Down();
    EXPECT_LT(ClsColorEditor::LastRewrittenLength(), 20);
    EXPECT_LT(ClsColorEditor::LastReadLength(), 400);

    // Forgetting the other window leaves this one's colours known ...
    ClsColorEditor::ForgetColours(form.Ref.RTBhWnd());
    GoTo(31, 1);
    Type(L"k");
    Down();
    EXPECT_LT(ClsColorEditor::LastRewrittenLength(), 20);
    // ... forgetting the current editor's rewrites all of it.
    ClsColorEditor::ForgetColours();
    GoTo(32, 1);
    Type(L"k");
    Down();
    EXPECT_EQ(ClsColorEditor::LastRewrittenLength(), Total());
    ExpectSameAsWholeRecolour();
}

TEST_F(ColouringTest, ProcessingALineKeepsTheViewWhileTheCaretIsInIt)
{
    LoadColoured(NumberedPage(300));
    SendMessageW(re(), EM_LINESCROLL, 0, 100);
    long top = static_cast<long>(SendMessageW(re(), EM_GETFIRSTVISIBLELINE, 0, 0));
    ASSERT_GT(top, 50);
    GoTo(top + 2, 1);
    Type(L"<b>");
    Down();
    EXPECT_EQ(SendMessageW(re(), EM_GETFIRSTVISIBLELINE, 0, 0), top);
    EXPECT_EQ(Caret(), LineStart(top + 3) + 4);

    // A caret placed far away by the caller is scrolled into view.
    long caret = LineStart(5);
    long line = 6;
    bool afterEnter = false;
    State().LineEdited = true;
    State().RememberedCaretLine = top + 3;
    ProcessEditedLine(caret, line, afterEnter);
    EXPECT_EQ(Caret(), LineStart(5));
    EXPECT_LE(SendMessageW(re(), EM_GETFIRSTVISIBLELINE, 0, 0), 5);
}

// Past some 65,000 pixels the RichEdit gives its scroll position scaled to
// 16 bits: a page built afresh still shows the view it showed.
TEST_F(ColouringTest, AFreshWindowKeepsTheViewOfAVeryLongPage)
{
    Load(NumberedPage(6000));
    SetCaret(LineStart(6501));
    SendMessageW(re(), EM_LINESCROLL, 0, 6500 - SendMessageW(re(), EM_GETFIRSTVISIBLELINE, 0, 0));
    HWND loaded = re();
    const POINT view = RichEditStream::ViewPos(re());
    ASSERT_GT(view.y, 65535);
    ClsColorEditor::ColorHTML(colorer, form.JT1, 0, -1);
    ASSERT_NE(re(), loaded);
    const POINT now = RichEditStream::ViewPos(re());
    EXPECT_EQ(now.y, view.y);
    EXPECT_EQ(now.x, view.x);
}

TEST_F(ColouringTest, ALongRecolourIsBuiltInAFreshWindowWithTheSameResult)
{
    Load(NumberedPage(900));
    HWND loaded = re();
    ColorOn();
    // Over a few hundred lines the coloured page is built in a new window,
    // which takes the loaded one's place; nothing is left behind.
    EXPECT_NE(re(), loaded);
    EXPECT_FALSE(IsWindow(loaded));
    EXPECT_EQ(GetWindow(form.JT1.hwnd, GW_CHILD), re());
    EXPECT_EQ(GetWindow(re(), GW_HWNDNEXT), nullptr);
    // Built without undo steps (emptying thousands of them later slows
    // every RichEdit down), and with undo back on for the user's edits.
    EXPECT_FALSE(SendMessageW(re(), EM_CANUNDO, 0, 0));
    ExpectSameAsWholeRecolour();
    // The same text and colours as the page coloured in one piece.
    HWND ref = form.Ref.RTBhWnd();
    form.Ref.SetText(L"");
    ASSERT_TRUE(RichEditStream::StreamIn(ref, colorer.RtfFragment(EditorType::HTML, Text()), SF_RTF));
    // (A page streamed in one piece loses its last line break.)
    EXPECT_EQ(RichEditStream::GetRange(ref, 0, -1) + L"\r", Text());
    for (long line = 0; line < 900; line += 7)
        for (long column : {1L, 12L, 25L}) {
            long at = LineStart(line) + column;
            ASSERT_EQ(ColourAt(ref, at), ColourAt(at)) << line << ":" << column;
        }

    // A comment opened near the top recolours the rest of the page: its
    // look is set in place, with the caret, the view and the user's undo
    // steps where they were.
    ResetChangeTracking();
    long para = static_cast<long>(Text().find(L"\r<p class", 800)) + 1;
    long line = static_cast<long>(SendMessageW(re(), EM_EXLINEFROMCHAR, 0, para));
    ASSERT_LT(line, 60);
    GoTo(line, 0);
    HWND shown = re();
    Type(L"<!--");
    Down();
    EXPECT_EQ(re(), shown);
    EXPECT_TRUE(SendMessageW(re(), EM_CANUNDO, 0, 0));
    EXPECT_EQ(SendMessageW(re(), EM_EXLINEFROMCHAR, 0, Caret()), line + 1);
    POINT view{};
    SendMessageW(re(), EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&view));
    EXPECT_LT(view.y, 30 * 20);
    ExpectSameAsWholeRecolour();
    // A tag far below is no longer coloured as a tag.
    long late = static_cast<long>(Text().find(L"\r<p class", LineStart(600))) + 1;
    EXPECT_NE(ColourAt(late), colorer.Color(L"H"));

    int before_processed = processed;
    Type(L"x");
    Down();
    EXPECT_EQ(processed, before_processed + 1);
    EXPECT_LT(ClsColorEditor::LastRewrittenLength(), 100);
    // Closing the comment gives the rest its many colours back: the page is
    // built afresh, and typing goes on in the new window.
    Type(L" -->");
    Down();
    EXPECT_NE(re(), shown);
    EXPECT_EQ(ClsColorEditor::LastRewrittenLength(), Total());
    EXPECT_EQ(ColourAt(late), colorer.Color(L"H"));
    ExpectSameAsWholeRecolour();
    before_processed = processed;
    Type(L"y");
    Down();
    EXPECT_EQ(processed, before_processed + 1);
    EXPECT_LT(ClsColorEditor::LastRewrittenLength(), 100);
    ExpectSameAsWholeRecolour();
}

// An undone step puts text back with the looks it had when it went: text
// typed and not yet coloured keeps the look of the text before it, also
// where the smallest edit that explains the change leaves it out.
TEST_F(ColouringTest, AnUndoneStepIsColouredOnTheWholeLinesItChanged)
{
    LoadColoured(NumberedPage(60));
    const std::wstring line = L"<p class=\"c16\">Some <b>bold</b> text 16</p>";
    ASSERT_EQ(RichEditStream::GetRange(re(), LineStart(21), LineStart(22) - 1), line);
    GoTo(21, 32);
    Type(L"<i>");
    const std::wstring typed = Text();
    // Selected as a click would select it, which ends the typing's step.
    SendMessageW(re(), EM_STOPGROUPTYPING, 0, 0);
    SendMessageW(re(), EM_SETSEL, LineStart(21) + 32, LineStart(21) + 35);
    Type(L"<i><u>");
    Down();
    ASSERT_NE(ColourAt(LineStart(21) + 33), ColourAt(LineStart(21) + 25));   // the tags coloured

    form.JT1.Undo();
    ASSERT_EQ(Text(), typed);
    ClsColorEditor::TextUndone();
    RecolourAfterUndo();
    EXPECT_LT(ClsColorEditor::LastRewrittenLength(), 100);
    ExpectSameAsWholeRecolour();
}

TEST_F(ColouringTest, UndoAndRedoGoOnAcrossLongRecolours)
{
    LoadColoured(NumberedPage(900));
    std::vector<std::wstring> texts{Text()};
    auto edit = [&](long line, const std::wstring& typed) {
        GoTo(line, 0);
        Type(typed);
        Down();
        texts.push_back(Text());
    };
    HWND first = re();
    edit(700, L"q");
    long top = static_cast<long>(SendMessageW(re(), EM_EXLINEFROMCHAR, 0, Text().find(L"\r<p class", 500))) + 1;
    edit(top, L"<!--");       // the rest of the page turns into a comment
    edit(top + 2, L"-->");    // and back: built in a new window
    ASSERT_NE(re(), first);
    ExpectSameAsWholeRecolour();

    // The main window's undo: one step per command, then the colours again.
    auto step = [&](bool undo) {
        if (undo)
            form.JT1.Undo();
        else
            form.JT1.Redo();
        RecolourAfterUndo();
    };
    for (size_t i = texts.size() - 1; i > 0; --i) {
        ASSERT_TRUE(form.JT1.CanUndo()) << i;
        step(true);
        ASSERT_EQ(texts[i - 1], Text()) << i;
    }
    EXPECT_FALSE(form.JT1.CanUndo());
    ExpectSameAsWholeRecolour();
    for (size_t i = 1; i < texts.size(); ++i) {
        ASSERT_TRUE(form.JT1.CanRedo()) << i;
        step(false);
        ASSERT_EQ(texts[i], Text()) << i;
    }
    ExpectSameAsWholeRecolour();

    // A new document forgets the history of the old one.
    edit(10, L"<!--");
    edit(12, L"-->");
    Load(NumberedPage(30));
    EXPECT_FALSE(form.JT1.CanUndo());
}

// A page written on one line: each run the RichEdit deletes or inserts in a
// paragraph costs a walk over the runs before it, so a long line goes in
// coloured at once as a long file does.
TEST_F(ColouringTest, APageOnOneLongLineGoesInColouredAsLoadingAndColouringItWould)
{
    const std::wstring page = wt::ScratchFolder(L"glue_load_one_line") + L"\\one-line.html";
    std::wstring text = NumberedPage(2000);
    std::replace(text.begin(), text.end(), L'\r', L' ');
    ASSERT_GT(text.size(), 40000u);
    ASSERT_TRUE(platform::WriteFileSafely(page, std::string(text.begin(), text.end())));
    bool written = false;
    ASSERT_TRUE(form.JT1.LoadFile(page, false, [&](const std::wstring& t) {
        return written = ClsColorEditor::WriteColouredText(colorer, form.JT1, EditorType::HTML, t);
    }));
    EXPECT_TRUE(written);
    const std::string coloured = Rtf(re());
    const std::wstring shown = Text();
    State().CurrentEditor = &form.Ref;
    ASSERT_TRUE(form.Ref.LoadFile(page, false));
    ClsColorEditor::ColorHTML(colorer, form.Ref, 0, -1);
    EXPECT_EQ(RichEditStream::GetRange(form.Ref.RTBhWnd(), 0, -1), shown);
    EXPECT_EQ(Rtf(form.Ref.RTBhWnd()), coloured);
    State().CurrentEditor = &form.JT1;
}

TEST_F(ColouringTest, ALongFileGoesInColouredAsLoadingAndColouringItWould)
{
    const std::wstring folder = wt::ScratchFolder(L"glue_load_coloured");
    const std::wstring page = folder + L"\\long.html", fed = folder + L"\\linefeed.html";
    std::wstring text = NumberedPage(900);
    for (size_t at = 0; (at = text.find(L'\r', at)) != std::wstring::npos; at += 2)
        text.insert(at + 1, 1, L'\n');
    ASSERT_TRUE(platform::WriteFileSafely(page, std::string(text.begin(), text.end())));
    ASSERT_TRUE(platform::WriteFileSafely(fed, "<p>a</p>\n" + std::string(text.begin(), text.end())));
    auto colouring = [this](const std::wstring& t) {
        return ClsColorEditor::WriteColouredText(colorer, form.JT1, EditorType::HTML, t);
    };

    ASSERT_TRUE(form.JT1.LoadFile(page, false, colouring));
    EXPECT_FALSE(SendMessageW(re(), EM_CANUNDO, 0, 0));
    std::string coloured = Rtf(re());
    const std::wstring shown = Text();
    // The reference: loaded plain, then coloured whole.
    State().CurrentEditor = &form.Ref;
    ASSERT_TRUE(form.Ref.LoadFile(page, false));
    ClsColorEditor::ColorHTML(colorer, form.Ref, 0, -1);
    EXPECT_EQ(RichEditStream::GetRange(form.Ref.RTBhWnd(), 0, -1), shown);
    EXPECT_EQ(Rtf(form.Ref.RTBhWnd()), coloured);
    State().CurrentEditor = &form.JT1;
    // The colouring is remembered: a line edit rewrites only that line.
    Load(L"");
    ASSERT_TRUE(form.JT1.LoadFile(page, false, colouring));
    GoTo(300);
    Type(L"x");
    Down();
    EXPECT_LT(ClsColorEditor::LastRewrittenLength(), 100);
    ExpectSameAsWholeRecolour();

    // A lone line feed is a line break once the RichEdit has it: that text
    // goes in coloured too, as the RichEdit holds it when it reads the line
    // feed itself and the whole is coloured afterwards.
    Load(L"");
    bool written = false;
    ASSERT_TRUE(form.JT1.LoadFile(fed, false, [&](const std::wstring& t) { return written = colouring(t); }));
    EXPECT_TRUE(written);
    EXPECT_EQ(Text().substr(0, 9), L"<p>a</p>\r");
    State().CurrentEditor = &form.Ref;
    form.Ref.SetText(L"");
    std::wstring fedText = L"<p>a</p>\n" + text;
    for (size_t at = 0; (at = fedText.find(L"\r\n", at)) != std::wstring::npos;)
        fedText.erase(at + 1, 1);
    ASSERT_TRUE(RichEditStream::StreamIn(
        form.Ref.RTBhWnd(), std::string(reinterpret_cast<const char*>(fedText.data()), fedText.size() * 2),
        SF_TEXT | SF_UNICODE));
    ClsColorEditor::ColorHTML(colorer, form.Ref, 0, -1);
    EXPECT_EQ(RichEditStream::GetRange(form.Ref.RTBhWnd(), 0, -1), Text());
    EXPECT_EQ(Rtf(form.Ref.RTBhWnd()), Rtf(re()));
    State().CurrentEditor = &form.JT1;
}
