// Typing, the hotkeys and the Edit, Text Ops and pop-up menu commands of the
// real TARNEL.exe, driven from outside with keys and menu command ids.
#include <gtest/gtest.h>

#include "Bytes.h"
#include "MenuIds.h"
#include "TarnelCopy.h"

#include <richedit.h>

#include <fstream>

using apptest::Tarnel;

namespace {

// The editor's text with one CR per line break, as positions count.
std::wstring Text(HWND re)
{
    const LRESULT n = wt::Send(re, WM_GETTEXTLENGTH);
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(re, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(&buf[0]));
    buf.resize(wcslen(buf.c_str()));
    std::wstring out;
    for (size_t i = 0; i < buf.size(); ++i)
        if (!(buf[i] == L'\n' && i > 0 && buf[i - 1] == L'\r'))
            out += buf[i] == L'\n' ? L'\r' : buf[i];
    return out;
}

void SetText(const Tarnel& t, const std::wstring& text)
{
    wt::Send(t.Editor(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Select(const Tarnel& t, long s, long e) { wt::Send(t.Editor(), EM_SETSEL, s, e); }

long LineStart(const Tarnel& t, long line) { return static_cast<long>(wt::Send(t.Editor(), EM_LINEINDEX, line)); }

DWORD Selection(const Tarnel& t) { return static_cast<DWORD>(wt::Send(t.Editor(), EM_GETSEL)); }

// Enter as from the keyboard: the line break (made by the program's message
// loop from the key) is in before the key goes up, and the line's processing
// after it has run.
void Enter(const Tarnel& t)
{
    HWND re = t.Editor();
    const LRESULT before = wt::Send(re, WM_GETTEXTLENGTH);
    PostMessageW(re, WM_KEYDOWN, VK_RETURN, 1);
    wt::WaitFor([&] { return wt::Send(re, WM_GETTEXTLENGTH) > before; }, 5000);
    PostMessageW(re, WM_KEYUP, VK_RETURN, 0xC0000001);
    std::wstring last;
    wt::WaitFor([&] {   // the same text twice in a row: nothing is pending
        Sleep(50);
        std::wstring now = Text(t.Editor());
        bool same = now == last;
        last = now;
        return same;
    }, 5000);
}

// Types text at the place in the editor window re and leaves the line with
// the Down key, which has the line processed.
void TypeAndLeave(const Tarnel& t, HWND re, long at, const std::wstring& text)
{
    wt::Send(re, EM_SETSEL, at, at);
    for (wchar_t c : text) {
        const WPARAM key = static_cast<WPARAM>(VkKeyScanW(c) & 0xFF);
        wt::Send(re, WM_KEYDOWN, key, 1);
        wt::Send(re, WM_CHAR, c, 1);
        wt::Send(re, WM_KEYUP, key, 0xC0000001);
    }
    wt::Send(re, WM_KEYDOWN, VK_DOWN, 1);
    wt::Send(re, WM_KEYUP, VK_DOWN, 0xC0000001);
    wt::Send(t.Main(), WM_NULL);
}

// Types text with Enter for each CR.
void TypeLines(const Tarnel& t, const std::wstring& text)
{
    size_t from = 0;
    for (size_t cr; (cr = text.find(L'\r', from)) != std::wstring::npos; from = cr + 1) {
        if (cr > from)
            t.Type(text.substr(from, cr - from));
        Enter(t);
    }
    if (from < text.size())
        t.Type(text.substr(from));
}

// Runs the command as a menu pick would, and returns when it has run. A
// posted command is overtaken by any message sent after it, and while a
// block command writes, the editor has its drawing off and so reads as not
// visible: a check made then finds no editor at all.
void Pick(const Tarnel& t, unsigned id)
{
    DWORD_PTR unused = 0;
    ASSERT_NE(SendMessageTimeoutW(t.Main(), WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_NORMAL, 60000, &unused), 0)
        << "command " << id << " did not return";
}

// Ctrl+letter through the keyboard, so the program reads Ctrl as held.
void Ctrl(const Tarnel& t, wchar_t letter) { t.KeyWith(VK_CONTROL, static_cast<WORD>(letter)); }

// A popup list (a list box in a frame of the main window) shows with item.
bool PopupOffers(const Tarnel& t, const std::wstring& item)
{
    for (HWND w : wt::Children(t.Main()))
        if (wt::ClassName(w) == L"ListBox" && IsWindowVisible(w) && GetParent(GetParent(w)) != t.Main() &&
            wt::Send(w, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str())) >= 0)
            return true;
    return false;
}

SettingsRecord Record(int edType)
{
    SettingsRecord rec;
    SettingsRecordFile::SetSettingsDefaults(rec);
    rec.LastEdType = edType;
    return rec;
}

bool Start(Tarnel& t, const SettingsRecord& rec, const std::wstring& args = L"")
{
    t.WriteRecord(rec);
    if (!t.Start(args))
        return false;
    wt::WaitFor([&] { return t.Editor() != nullptr; });
    return t.Editor() != nullptr;
}

void Quit(Tarnel& t)
{
    t.Command(IDM_mExit);
    wt::Dialog ask = wt::FindDialog(t.Process(), 3000);
    if (ask.hwnd)
        wt::PressButton(ask.hwnd, IDNO);
    EXPECT_TRUE(t.Ends());
}

} // namespace

TEST(EditingWindow, EnterIndentsLikeTheLineAboveAndTabTypesTheSpacer)
{
    Tarnel t(L"edit_typing");
    SettingsRecord rec = Record(4);
    rec.TabAsSpacer = true;
    rec.MoveSpacer = L"    ";
    ASSERT_TRUE(Start(t, rec));
    TypeLines(t, L"    dim x\r");
    EXPECT_EQ(Text(t.Editor()), L"    Dim x\r    ") << "four blanks on the new line, the keyword respelt";
    wt::Send(t.Editor(), WM_KEYDOWN, VK_TAB, 1);
    wt::Send(t.Editor(), WM_KEYUP, VK_TAB, 0xC0000001);
    t.Type(L"y");
    EXPECT_EQ(Text(t.Editor()), L"    Dim x\r        y");
    EXPECT_EQ(LOWORD(Selection(t)), 19);
    EXPECT_TRUE(wt::FindDrawn(t.Main(), L"10")) << "the column label follows the caret";
    EXPECT_TRUE(wt::FindDrawn(t.Main(), L"2")) << "and the line label";
    Quit(t);
}

TEST(EditingWindow, HotkeysRunTheirActionsAndAnUnassignedOneSaysSo)
{
    Tarnel t(L"edit_hotkeys");
    SettingsRecord rec = Record(2);
    rec.HotKeys[15] = 'A';   // Select All
    rec.HotKeys[8] = 'U';    // upper case
    rec.HotKeys[16] = 'Z';   // Undo
    rec.HotKeys[19] = 'K';   // X-Copy 1
    rec.HotKeys[21] = 'P';   // CSS properties
    rec.HotKeys[22] = 'W';   // CSS values
    rec.Menu1On = true;
    rec.Menu1Key = 'J';
    ASSERT_TRUE(Start(t, rec));
    t.Type(L"abc def");
    Ctrl(t, 'A');
    EXPECT_EQ(LOWORD(Selection(t)), 0);
    EXPECT_GE(HIWORD(Selection(t)), 7);
    Ctrl(t, 'U');
    EXPECT_EQ(Text(t.Editor()), L"ABC DEF");

    Ctrl(t, 'Q');
    EXPECT_TRUE(wt::FindDrawn(t.Main(), L"(Ctrl + Q) is not an assigned hotkey. See Program Settings."));
    Ctrl(t, 'M');
    Ctrl(t, 'H');
    EXPECT_EQ(Text(t.Editor()), L"ABC DEF") << "no line break, no backspace, no character";

    Select(t, 0, 3);
    Ctrl(t, 'K');
    Select(t, 7, 7);
    Pick(t, IDM_mPasteClip1);
    EXPECT_EQ(Text(t.Editor()), L"ABC DEFABC");

    // The CSS popups: the values of the property before the caret, then the properties.
    SetText(t, L"<p style=\"color: \">");
    Select(t, 17, 17);
    for (const auto& [key, item] : {std::pair<wchar_t, const wchar_t*>{'W', L"red"}, {'P', L"color"}}) {
        Ctrl(t, key);
        EXPECT_TRUE(wt::WaitFor([&] { return PopupOffers(t, item); }, 5000)) << "Ctrl+" << char(key);
        wt::Send(t.Editor(), WM_KEYDOWN, VK_ESCAPE, 1);
        wt::Send(t.Editor(), WM_KEYUP, VK_ESCAPE, 0xC0000001);
    }

    Ctrl(t, 'J');
    bool menuShown = false;
    for (HWND w : t.Process().TopWindows())
        menuShown = menuShown || wt::FindChild(w, L"", L"Cancel") != nullptr;
    EXPECT_TRUE(menuShown) << "the custom menu's key wins over the table";
    Quit(t);
}

TEST(EditingWindow, AnExtraClipGivesTheClipboardBackWithEveryFormat)
{
    Tarnel t(L"edit_clips");
    SettingsRecord rec = Record(2);
    rec.HotKeys[20] = 'K';   // X-Copy 2
    ASSERT_TRUE(Start(t, rec));
    t.Type(L"clip");
    Select(t, 0, 4);
    Ctrl(t, 'K');

    const UINT custom = RegisterClipboardFormatW(L"TARNEL test format");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const wchar_t outside[] = L"outside";
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, sizeof(outside));
    memcpy(GlobalLock(text), outside, sizeof(outside));
    GlobalUnlock(text);
    SetClipboardData(CF_UNICODETEXT, text);
    HGLOBAL extra = GlobalAlloc(GMEM_MOVEABLE, 4);
    memcpy(GlobalLock(extra), "\x01\x02\x03\x04", 4);
    GlobalUnlock(extra);
    SetClipboardData(custom, extra);
    CloseClipboard();

    Select(t, 4, 4);
    Pick(t, IDM_mPasteClip2);
    EXPECT_EQ(Text(t.Editor()), L"clipclip");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(IsClipboardFormatAvailable(custom)) << "the other format came back too";
    HANDLE back = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(back, nullptr);
    EXPECT_STREQ(static_cast<const wchar_t*>(GlobalLock(back)), L"outside");
    GlobalUnlock(back);
    CloseClipboard();

    Pick(t, IDM_mPaste);
    EXPECT_EQ(Text(t.Editor()), L"clipclipoutside");
    Quit(t);
}

TEST(EditingWindow, CaseQuotesAndWrapAtTheEdgesOfTheText)
{
    Tarnel t(L"edit_case");
    ASSERT_TRUE(Start(t, Record(2)));
    SetText(t, L"hELLO wORLD");
    Select(t, 0, 11);
    Pick(t, IDM_mChangeCasePop_2);
    EXPECT_EQ(Text(t.Editor()), L"Hello World");
    EXPECT_EQ(Selection(t), MAKELONG(0, 0));

    // A one-letter word at the start: only the closing quote, nothing lost.
    SetText(t, L"a, b");
    Select(t, 0, 0);
    Pick(t, IDM_mQuote1);
    EXPECT_EQ(Text(t.Editor()), L"a\", b");
    SetText(t, L"\"a\"");
    Select(t, 1, 1);
    Pick(t, IDM_mUnquote1);
    EXPECT_EQ(Text(t.Editor()), L"a");
    Select(t, 1, 1);
    Pick(t, IDM_mUnquote1);
    EXPECT_EQ(Text(t.Editor()), L"a");

    SetText(t, std::wstring(600, L'x'));
    const LRESULT lines = wt::Send(t.Editor(), EM_GETLINECOUNT);
    Pick(t, IDM_mWrap);
    EXPECT_GT(wt::Send(t.Editor(), EM_GETLINECOUNT), lines);
    Pick(t, IDM_mWrap);
    EXPECT_EQ(wt::Send(t.Editor(), EM_GETLINECOUNT), lines);
    Quit(t);
}

TEST(EditingWindow, BlockCommandsActOnTheLinesOfTheText)
{
    Tarnel t(L"edit_blocks");
    ASSERT_TRUE(Start(t, Record(4)));
    // Several lines, the last without a line break.
    SetText(t, L"a\rb\rcc");
    Select(t, 0, 6);
    Pick(t, IDM_mCom);
    EXPECT_EQ(Text(t.Editor()), L"'--a\r'--b\r'--cc");
    // Not undoable: an Undo would take back only the comment colour.
    EXPECT_FALSE(wt::Send(t.Editor(), EM_CANUNDO));
    Pick(t, IDM_mUndo);
    EXPECT_EQ(Text(t.Editor()), L"'--a\r'--b\r'--cc");
    Select(t, 0, 15);
    Pick(t, IDM_mUnCom);
    EXPECT_EQ(Text(t.Editor()), L"a\rb\rcc");
    // From inside line 1 to the first character of line 3: lines 1 and 2.
    Select(t, 1, 5);
    Pick(t, IDM_mCom);
    EXPECT_EQ(Text(t.Editor()), L"'--a\r'--b\rcc");

    // One wrapped line is still one line: one marker, at its start.
    const std::wstring longLine = L"x = 1" + std::wstring(400, L' ') + L"y";
    SetText(t, L"first\r" + longLine + L"\rlast");
    Pick(t, IDM_mWrap);
    Select(t, 300, 320);
    Pick(t, IDM_mCom);
    EXPECT_EQ(Text(t.Editor()), L"first\r'--" + longLine + L"\rlast");
    Select(t, 300, 320);
    Pick(t, IDM_mUnCom);
    EXPECT_EQ(Text(t.Editor()), L"first\r" + longLine + L"\rlast");
    // A paragraph of words, wrapped at their gaps, selected across the wraps.
    std::wstring paragraph = L"x =";
    for (int i = 0; i < 120; ++i)
        paragraph += L" word" + std::to_wstring(i);
    SetText(t, L"first\r" + paragraph + L"\rlast");
    const long row = static_cast<long>(wt::Send(t.Editor(), EM_LINEINDEX, 2));
    ASSERT_LT(row, 6 + static_cast<long>(paragraph.size())) << "the paragraph wraps";
    Select(t, row - 3, static_cast<long>(wt::Send(t.Editor(), EM_LINEINDEX, 4)) + 3);
    Pick(t, IDM_mCom);
    EXPECT_EQ(Text(t.Editor()), L"first\r'--" + paragraph + L"\rlast");

    // A long document takes the new text whole, coloured: still not undoable.
    std::wstring commented, plain;
    for (int i = 0; i < 450; ++i) {
        commented += L"'--x = " + std::to_wstring(i) + L"\r";
        plain += L"x = " + std::to_wstring(i) + L"\r";
    }
    SetText(t, L"first\r" + commented + L"last");
    Select(t, 6, 6 + static_cast<long>(commented.size()));
    Pick(t, IDM_mUnCom);
    // The window that held the text goes: ask the shown one until it has it.
    const std::wstring uncommented = L"first\r" + plain + L"last";
    wt::WaitFor([&] { return Text(t.Editor()) == uncommented; }, 10000);
    EXPECT_EQ(Text(t.Editor()), uncommented);
    EXPECT_EQ(Selection(t), MAKELONG(6, 6));
    EXPECT_FALSE(wt::Send(t.Editor(), EM_CANUNDO));
    Quit(t);
}

// After a line edit the colouring rewrites only what changed since the last
// one, so it must know what a block command changed: a line typed after a
// long comment is recoloured in place, in the same window, and as typed.
TEST(EditingWindow, ALineTypedAfterALongCommentIsRecolouredInPlace)
{
    Tarnel t(L"edit_comment_typing");
    ASSERT_TRUE(Start(t, Record(4)));
    std::wstring page;
    for (int i = 0; i < 1200; ++i)
        page += L"Text of line " + std::to_wstring(i) + L"\r";
    SetText(t, page);
    TypeAndLeave(t, t.Editor(), LineStart(t, 699), L"x");   // the whole text coloured
    const HWND window = t.Editor();
    Select(t, LineStart(t, 100), LineStart(t, 700));
    Pick(t, IDM_mCom);
    // Typed where the command left the caret, after the commented lines.
    const long at = LOWORD(wt::Send(window, EM_GETSEL));
    std::wstring expected = Text(window);
    expected.insert(static_cast<size_t>(at), L"y");
    TypeAndLeave(t, window, at, L"y");
    EXPECT_EQ(t.Editor(), window) << "not rebuilt in a fresh window";
    EXPECT_EQ(Text(t.Editor()), expected);
    Quit(t);
}

TEST(EditingWindow, UpperCaseTagsLeavesCodeCommentsAndValuesAlone)
{
    Tarnel t(L"edit_tags");
    ASSERT_TRUE(Start(t, Record(2)));
    SetText(t, L"<p class='x' id=\"y\">a<br/></p><!-- <b> -->\r<% x = a<b %>"
               L"<script>if (a<b) x = '<i>';</script><?php echo '<p>'; ?>");
    Pick(t, IDM_mUpHTML);
    const std::wstring upper = L"<P CLASS='x' ID=\"y\">a<BR/></P><!-- <b> -->\r<% x = a<b %>"
                               L"<SCRIPT>if (a<b) x = '<i>';</SCRIPT><?php echo '<p>'; ?>";
    // The posted command may still be running when the message sent after
    // it comes back: the program answers sent messages first.
    wt::WaitFor([&] { return Text(t.Editor()) == upper; }, 5000);
    EXPECT_EQ(Text(t.Editor()), upper);
    Quit(t);
}

TEST(EditingWindow, TypedKeywordsTakeTheListsSpellingInAServerBlock)
{
    Tarnel t(L"edit_respell");
    ASSERT_TRUE(Start(t, Record(1)));
    TypeLines(t, L"<%\rdim q\r%>\r");
    EXPECT_EQ(Text(t.Editor()), L"<%\rDim q\r%>\r");
    Quit(t);
}

TEST(EditingWindow, UndoAndRedoReachBackAcrossALongRecolouring)
{
    Tarnel t(L"edit_undo");
    std::string page = "<html>\r\n<body>\r\n";
    for (int i = 0; i < 600; ++i)
        page += "<p>line " + std::to_string(i) + "<br /></p>\r\n";
    page += "</body></html>";
    const std::wstring file = t.Folder() + L"\\long.html";
    std::ofstream(std::string(file.begin(), file.end()), std::ios::binary) << page;
    ASSERT_TRUE(Start(t, Record(2), file));
    t.Shot(L"long_page.bmp");
    // The gutter numbers the lines and keeps to the editor's first line.
    HWND gutter = t.Gutter();
    ASSERT_NE(gutter, nullptr);
    EXPECT_GE(wt::Send(gutter, EM_GETLINECOUNT), 602);
    wt::Send(t.Editor(), EM_LINESCROLL, 0, 100);
    wt::Send(t.Editor(), WM_VSCROLL, SB_ENDSCROLL);
    EXPECT_EQ(wt::Send(gutter, EM_GETFIRSTVISIBLELINE), wt::Send(t.Editor(), EM_GETFIRSTVISIBLELINE));
    const std::wstring before = Text(t.Editor());
    const long lineTwo = static_cast<long>(wt::Send(t.Editor(), EM_LINEINDEX, 1));
    Select(t, lineTwo, lineTwo);
    TypeLines(t, L"<!--\r");
    const std::wstring typed = Text(t.Editor());
    ASSERT_NE(typed.find(L"<!--"), std::wstring::npos);
    for (int i = 0; i < 8 && Text(t.Editor()) != before; ++i)
        Pick(t, IDM_mUndo);
    EXPECT_TRUE(Text(t.Editor()) == before) << "the typing is undone after the recolouring";
    for (int i = 0; i < 8 && Text(t.Editor()) != typed; ++i)
        Pick(t, IDM_mRedo);
    EXPECT_TRUE(Text(t.Editor()) == typed);
    Quit(t);
}

// The gutter holds numbers for a screen beyond the text: when the screen
// grows mid-session, it is measured again.
TEST(EditingWindow, TheGutterIsMeasuredAgainWhenTheScreenGrows)
{
    Tarnel t(L"edit_display");
    ASSERT_TRUE(Start(t, Record(2)));
    HWND gutter = t.Gutter();
    ASSERT_NE(gutter, nullptr);
    const LRESULT before = wt::Send(gutter, EM_GETLINECOUNT);
    ASSERT_LT(before, 1000);
    wt::Send(t.Main(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 20000), 20000);
    EXPECT_GT(wt::Send(gutter, EM_GETLINECOUNT), 1000) << "no more rows than on a 1024-pixel screen";
    Quit(t);
}

namespace {

void PutOnClipboard(const std::wstring& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(g), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(g);
    SetClipboardData(CF_UNICODETEXT, g);
    CloseClipboard();
}

} // namespace

// A Paste or Cut that opens or closes a comment recolours the whole page in
// a fresh window; a line typed after it must not cut Undo off from it.
TEST(EditingWindow, UndoReachesBackPastAPasteOrCutThatRecolouredALongPage)
{
    for (bool cut : {false, true}) {
        Tarnel t(cut ? L"edit_undo_cut" : L"edit_undo_paste");
        std::string page = "<html>\r\n<body>\r\n";
        if (cut)
            page += "<!-- note -->\r\n";
        for (int i = 0; i < 700; ++i)
            page += "<p>line " + std::to_string(i) + "</p>\r\n";
        page += "</body></html>";
        const std::wstring file = t.Folder() + L"\\long.html";
        std::ofstream(std::string(file.begin(), file.end()), std::ios::binary) << page;
        ASSERT_TRUE(Start(t, Record(2), file));
        const std::wstring before = Text(t.Editor());
        if (cut) {
            const long close = static_cast<long>(before.find(L"-->"));
            Select(t, close, close + 3);
            Pick(t, IDM_mCut);
        } else {
            PutOnClipboard(L"<!--");
            Select(t, LineStart(t, 2), LineStart(t, 2));
            Pick(t, IDM_mPaste);
        }
        const std::wstring changed = Text(t.Editor());
        ASSERT_NE(changed, before);
        TypeAndLeave(t, t.Editor(), LineStart(t, 300), L"x");
        const std::wstring typed = Text(t.Editor());
        ASSERT_NE(typed, changed);
        for (int i = 0; i < 5 && Text(t.Editor()) != before; ++i)
            Pick(t, IDM_mUndo);
        EXPECT_TRUE(Text(t.Editor()) == before) << (cut ? "the Cut" : "the Paste") << " is undone too";
        for (int i = 0; i < 5 && Text(t.Editor()) != typed; ++i)
            Pick(t, IDM_mRedo);
        EXPECT_TRUE(Text(t.Editor()) == typed) << "and Redo brings back the typing after it";
        Quit(t);
    }
}

// Without the chosen face the editor still gets a fixed-pitch one, so code
// keeps its columns: ten i's as wide as ten W's.
TEST(EditingWindow, AMissingEditorFontFallsBackToAFixedPitchOne)
{
    Tarnel t(L"edit_font");
    SettingsRecord rec = Record(2);
    rec.EdFontName = L"No Such Face Anywhere";
    // A plain text file, opened at the start, takes the editor's font too.
    const std::wstring plain = t.Folder() + L"\\notes.txt";
    ASSERT_TRUE(WriteBytes(plain, std::string("iiiiiiiiii\r\nWWWWWWWWWW\r\n")));
    ASSERT_TRUE(Start(t, rec, L"\"" + plain + L"\""));
    ASSERT_TRUE(wt::WaitFor([&] { return wt::WindowText(t.Main()).find(L"notes.txt") != std::wstring::npos; }, 10000));
    auto x = [&](long at) { return static_cast<short>(LOWORD(wt::Send(t.Editor(), EM_POSFROMCHAR, at))); };
    EXPECT_NEAR(x(10) - x(0), x(21) - x(11), 1) << "the plain text's font";
    t.Command(IDM_mNewFile);
    ASSERT_TRUE(wt::WaitFor([&] { return wt::Send(t.Editor(), WM_GETTEXTLENGTH) == 0; }, 10000));
    TypeLines(t, L"iiiiiiiiii\rWWWWWWWWWW\r");
    const int narrow = x(10) - x(0), wide = x(21) - x(11);
    EXPECT_GT(wide, 30);
    EXPECT_NEAR(narrow, wide, 1);
    Quit(t);
}
