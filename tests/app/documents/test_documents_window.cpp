// Documents in the real TARNEL.exe: opening, recent files, dropped files,
// saving, closing and the file tabs, driven from outside with menu command
// ids, mouse messages to the tabs and answers to its message boxes and file
// dialogs. Each test runs the program in a folder of its own.
#include <gtest/gtest.h>

#include "Bytes.h"
#include "MenuIds.h"
#include "TarnelCopy.h"
#include "forms/Menu.h"

#include <dlgs.h>
#include <shellapi.h>

#include <fstream>
#include <vector>

using apptest::Tarnel;

namespace {

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

void WriteText(const std::wstring& path, const std::string& text)
{
    std::ofstream(Narrow(path), std::ios::binary) << text;
}

// The test's program folder keeps its files between runs: the documents
// and template of an earlier run go.
void RemoveDocuments(const Tarnel& t)
{
    for (const wchar_t* pattern : {L"*.htm", L"*.html", L"*.asp", L"*.css", L"*.js", L"*.vbs", L"*.dat", L"*.tmp"}) {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((t.Folder() + L"\\" + pattern).c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        do {
            const std::wstring path = t.Folder() + L"\\" + fd.cFileName;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
}

// The eight tab labels, drawn on one strip, read afresh at each use: the
// strip's drawn controls in slot order (the first placed is frontmost).
struct TabStrip {
    HWND strip = nullptr;
    std::vector<wt::Drawn> Now() const { return strip ? wt::DrawnIn(strip) : std::vector<wt::Drawn>{}; }
    size_t size() const { return Now().size(); }
    wt::Drawn operator[](size_t slot) const
    {
        std::vector<wt::Drawn> tabs = Now();
        return slot < tabs.size() ? tabs[slot] : wt::Drawn{};
    }
};

// The strip that holds the tab with this caption.
TabStrip Tabs(HWND main, const std::wstring& anyCaption) { return {wt::FindDrawn(main, anyCaption).container}; }

int VisibleTabs(const TabStrip& tabs)
{
    int n = 0;
    for (const wt::Drawn& d : tabs.Now())
        n += d.visible ? 1 : 0;
    return n;
}

// The menu item shows, as the program's menus hold it.
bool Shown(HWND main, UINT id)
{
    static const UINT query = RegisterWindowMessageW(forms::kMenuStateMessage);
    const LRESULT s = wt::Send(main, query, id);
    return s != -1 && (s & forms::kMenuVisible);
}

// A click on a tab, run to its end.
void ClickTab(const wt::Drawn& tab)
{
    ASSERT_TRUE(tab) << "no such tab";
    POINT p{tab.screen.left + 5, tab.screen.top + 5};
    ScreenToClient(tab.container, &p);
    wt::Send(tab.container, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    wt::Send(tab.container, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y), 20000);
}

// The tab menu on tab `tab`, then one of its items by command id.
void TabMenu(Tarnel& t, const wt::Drawn& tab, UINT id)
{
    // The right button opens the tab menu, so that click is posted.
    ASSERT_TRUE(tab) << "no such tab";
    wt::RightClick(tab);
    HWND menu = t.Process().FindTopWindow(L"#32768", L"", 5000);
    ASSERT_NE(menu, nullptr) << "the tab menu opens";
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(wt::WaitFor([&] { return !IsWindowVisible(menu); }, 5000));
    t.Command(id);
}

// Waits for a message box or dialog whose text (or caption) holds `part`.
wt::Dialog Expect(Tarnel& t, const std::wstring& part, DWORD ms = 10000)
{
    wt::Dialog d;
    wt::WaitFor([&] {
        d = wt::FindDialog(t.Process(), 50);
        return d.hwnd && (d.text.find(part) != std::wstring::npos || d.caption.find(part) != std::wstring::npos);
    }, ms);
    std::wstring seen;
    for (HWND w : t.Process().TopWindows())
        seen += L"[" + wt::ClassName(w) + L"|" + wt::WindowText(w) + L"]";
    EXPECT_TRUE(d.hwnd && (d.text.find(part) != std::wstring::npos || d.caption == part))
        << "expected \"" << Narrow(part) << "\", saw \"" << Narrow(d.caption + L": " + d.text) << "\" among "
        << Narrow(seen);
    return d;
}

void Answer(Tarnel& t, const std::wstring& part, int button)
{
    wt::Dialog d = Expect(t, part);
    if (d.hwnd) {
        wt::PressButton(d.hwnd, button);
        wt::WaitFor([&] { return !IsWindow(d.hwnd) || !IsWindowVisible(d.hwnd); }, 5000);
    }
}

// Answers the Open or Save As dialog: the name (a full path), and for Save
// As the filter (1-based; 0 keeps the one shown). An empty name cancels.
void FileDialog(Tarnel& t, const std::wstring& title, const std::wstring& name, int filter = 0)
{
    wt::Dialog d = Expect(t, title);
    ASSERT_NE(d.hwnd, nullptr);
    if (name.empty()) {
        wt::PressButton(d.hwnd, IDCANCEL);
    } else {
        if (filter > 0) {
            HWND combo = GetDlgItem(d.hwnd, cmb1);
            wt::Send(combo, CB_SETCURSEL, static_cast<WPARAM>(filter - 1));
            for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK})
                wt::Send(d.hwnd, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(combo));
        }
        HWND edit = GetDlgItem(d.hwnd, edt1);
        if (!edit)
            edit = GetDlgItem(d.hwnd, cmb13);
        // A new filter puts its pattern in the name box a moment later.
        wt::WaitFor([&] {
            Sleep(100);
            wt::Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
            Sleep(100);
            return wt::WindowText(edit) == name;
        }, 3000);
        wt::PressButton(d.hwnd, IDOK);
    }
    wt::WaitFor([&] { return !IsWindow(d.hwnd); }, 5000);
}

std::wstring EditorText(Tarnel& t)
{
    wchar_t buf[4096] = {};
    wt::Send(t.Editor(), WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buf));
    return buf;
}

std::wstring Caption(Tarnel& t) { return wt::WindowText(t.Main()); }

bool CaptionEnds(Tarnel& t, const std::wstring& end)
{
    return wt::WaitFor([&] {
        std::wstring c = Caption(t);
        return c.size() >= end.size() && c.compare(c.size() - end.size(), end.size(), end) == 0;
    }, 5000);
}

// Drops files on the editor as the shell does.
void DropFiles(Tarnel& t, const std::vector<std::wstring>& files)
{
    ASSERT_TRUE(wt::DropFiles(t.Process(), t.Editor(), files));
}

// Gives the messages posted to the program time to run (a sent message
// would overtake them).
void Settle(Tarnel& t)
{
    for (int i = 0; i < 3; ++i) {
        wt::Send(t.Main(), WM_NULL);
        Sleep(150);
    }
}

// A menu command that shows no dialog, run to its end.
void RunCommand(Tarnel& t, UINT id) { wt::Send(t.Main(), WM_COMMAND, MAKEWPARAM(id, 0), 0, 20000); }

std::vector<std::wstring> ParkedFiles(const Tarnel& t)
{
    std::vector<std::wstring> found;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((t.Folder() + L"\\temp\\*.dat").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return found;
    do
        found.push_back(fd.cFileName);
    while (FindNextFileW(h, &fd));
    FindClose(h);
    return found;
}

} // namespace

TEST(Documents, NewTemplateAndOpenUpToEightDocumentsThenTheMessagesForANinth)
{
    Tarnel t(L"doc_eight");
    RemoveDocuments(t);
    ASSERT_TRUE(t.Start());
    TabStrip tabs = Tabs(t.Main(), L"Untitled");
    ASSERT_EQ(tabs.size(), 8u);

    // Without template.html beside the program.
    t.Command(IDM_mTemplate);
    Answer(t, L"The template isn't available. Make sure that the file template.html is in the TARNEL Editor "
              L"program folder.", IDOK);
    WriteText(t.Folder() + L"\\template.html", "<html><body>TEMPLATE</body></html>");
    t.Command(IDM_mTemplate);
    EXPECT_TRUE(wt::WaitFor([&] { return VisibleTabs(tabs) == 2; }, 5000));
    EXPECT_NE(EditorText(t).find(L"TEMPLATE"), std::wstring::npos);

    const std::wstring page = t.Folder() + L"\\page.htm";
    WriteText(page, "<p>page</p>");
    t.Command(IDM_mOpenFile);
    FileDialog(t, L"Open file", page);
    EXPECT_TRUE(CaptionEnds(t, L"HTML - " + page));
    for (int i = 0; i < 5; ++i)
        RunCommand(t, IDM_mNewFile);
    EXPECT_EQ(VisibleTabs(tabs), 8);
    EXPECT_EQ(Caption(t), L"TARNEL Editor - HTML - Untitled");
    t.Shot(L"eight_tabs.bmp");

    // A ninth document, every way in.
    t.Command(IDM_mNewFile);
    Answer(t, L"The maximum number of files are already open.", IDOK);
    t.Command(IDM_mOpenFile);
    Answer(t, L"The maximum number of files are already open.", IDOK);
    t.Command(IDM_mTemplate);
    Answer(t, L"The maximum number of files are files are already open.", IDOK);
    const std::wstring other = t.Folder() + L"\\other.htm";
    WriteText(other, "other");
    DropFiles(t, {other});
    Answer(t, L"The maximum number of files are already open.", IDOK);
    EXPECT_EQ(VisibleTabs(tabs), 8);

    // However narrow the window, the strip is drawn without a fault.
    SetWindowPos(t.Main(), nullptr, 0, 0, 120, 300, SWP_NOMOVE | SWP_NOZORDER);
    Settle(t);
    for (const wt::Drawn& tab : tabs.Now())
        EXPECT_GT(tab.screen.right - tab.screen.left, 0);
    SetWindowPos(t.Main(), nullptr, 0, 0, 760, 526, SWP_NOMOVE | SWP_NOZORDER);
    Settle(t);

    t.Command(IDM_mExit);
    ASSERT_TRUE(t.Ends());
    EXPECT_TRUE(ParkedFiles(t).empty()) << "no parked document is left behind";
}

TEST(Documents, RecentFilesDropsUnreadableFilesAndTheSameFileTwice)
{
    Tarnel t(L"doc_recent");
    RemoveDocuments(t);
    std::vector<std::wstring> paths;
    for (const wchar_t* n : {L"a.htm", L"b.css", L"c.vbs", L"d.js", L"e.htm"}) {
        paths.push_back(t.Folder() + L"\\" + n);
        WriteText(paths.back(), "text");
    }
    ASSERT_TRUE(t.Start(L"\"" + paths[0] + L"\""));
    TabStrip tabs = Tabs(t.Main(), L"a.htm");
    ASSERT_EQ(tabs.size(), 8u);
    EXPECT_EQ(VisibleTabs(tabs), 1) << "the file replaced the start-up document";
    EXPECT_TRUE(Shown(t.Main(), IDM_mMRU_0));
    EXPECT_FALSE(Shown(t.Main(), IDM_mMRU_1)) << "an empty recent-file item is hidden";
    EXPECT_FALSE(Shown(t.Main(), IDM_mMRU_3));

    // Three dropped files: only the first opens.
    DropFiles(t, {paths[1], paths[2], paths[3]});
    EXPECT_TRUE(CaptionEnds(t, L"CSS - " + paths[1]));
    Settle(t);
    EXPECT_EQ(VisibleTabs(tabs), 2);
    DropFiles(t, {paths[2]});
    EXPECT_TRUE(CaptionEnds(t, L"VBScript - " + paths[2]));
    t.Command(IDM_mOpenFile);
    FileDialog(t, L"Open file", paths[3]);
    EXPECT_TRUE(CaptionEnds(t, L"Javascript - " + paths[3]));

    // The same file again, in other letters, selects its tab.
    std::wstring upper = paths[0];
    CharUpperW(&upper[0]);
    t.Command(IDM_mOpenFile);
    FileDialog(t, L"Open file", upper);
    EXPECT_TRUE(CaptionEnds(t, L"HTML - " + paths[0]));
    Settle(t);
    EXPECT_EQ(VisibleTabs(tabs), 4);

    // A file that cannot be read gets a message and nothing else.
    const std::wstring locked = t.Folder() + L"\\locked.htm";
    WriteText(locked, "locked");
    HANDLE lock = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    t.Command(IDM_mOpenFile);
    FileDialog(t, L"Open file", locked);
    Answer(t, L"cannot be read.", IDOK);
    CloseHandle(lock);
    Settle(t);
    EXPECT_EQ(VisibleTabs(tabs), 4);
    EXPECT_TRUE(CaptionEnds(t, L"HTML - " + paths[0]));

    // The fifth distinct file drops the oldest entry (a.htm).
    t.Command(IDM_mOpenFile);
    FileDialog(t, L"Open file", paths[4]);
    EXPECT_TRUE(CaptionEnds(t, paths[4]));

    EXPECT_TRUE(Shown(t.Main(), IDM_mMRU_3));

    // A recent file that is gone: a message, and the list keeps it.
    DeleteFileW(paths[3].c_str());
    t.Command(IDM_mMRU_1);
    Answer(t, L"File:\r\n" + paths[3] + L"\r\nis no longer present.", IDOK);

    // A recent file already open selects its tab.
    t.Command(IDM_mMRU_3);
    EXPECT_TRUE(CaptionEnds(t, paths[1]));
    Settle(t);
    EXPECT_EQ(VisibleTabs(tabs), 5);

    t.Command(IDM_mExit);
    ASSERT_TRUE(t.Ends());
    SettingsRecord rec;
    ASSERT_TRUE(t.ReadRecord(rec));
    ASSERT_EQ(rec.RecentFiles.size(), 4u);
    EXPECT_EQ(rec.RecentFiles[0], paths[4]);
    EXPECT_EQ(rec.RecentFiles[1], paths[3]);
    EXPECT_EQ(rec.RecentFiles[2], paths[2]);
    EXPECT_EQ(rec.RecentFiles[3], paths[1]);
}

TEST(Documents, SaveAsFiltersSwitchTheTypeAndNeverHarmAnExistingFile)
{
    Tarnel t(L"doc_saveas");
    RemoveDocuments(t);
    ASSERT_TRUE(t.Start());
    t.Type(L"x = 1");
    const std::wstring base = t.Folder() + L"\\script";

    // Filter 3 (VBScript) on an HTML document: type, menus and caption switch.
    t.Command(IDM_mSaveAs);
    FileDialog(t, L"Save As", base, 3);
    EXPECT_TRUE(CaptionEnds(t, L"VBScript - " + base + L".vbs"));
    EXPECT_EQ(ReadBytes(base + L".vbs"), "x = 1");
    EXPECT_TRUE(wt::FindDrawn(t.Main(), L"script.vbs")) << "the tab takes the new name";

    // A typed extension stays, whatever filter shows, and gives the type.
    t.Command(IDM_mSaveAs);
    FileDialog(t, L"Save As", t.Folder() + L"\\broken.html", 5);
    EXPECT_TRUE(CaptionEnds(t, L"HTML - " + t.Folder() + L"\\broken.html"));
    EXPECT_EQ(ReadBytes(t.Folder() + L"\\broken.html"), "x = 1");

    // All files with a known extension takes its type; an unknown one keeps it.
    t.Command(IDM_mSaveAs);
    FileDialog(t, L"Save As", t.Folder() + L"\\look.css", 12);
    EXPECT_TRUE(CaptionEnds(t, L"CSS - " + t.Folder() + L"\\look.css"));
    t.Command(IDM_mSaveAs);
    FileDialog(t, L"Save As", t.Folder() + L"\\notes.dat", 12);
    EXPECT_TRUE(CaptionEnds(t, L"CSS - " + t.Folder() + L"\\notes.dat"));

    // Replacing an existing file: Cancel leaves it byte for byte.
    const std::wstring old = t.Folder() + L"\\old.htm";
    const std::string oldBytes = "<p>keep me</p>\r\n\x01\xff";
    WriteText(old, oldBytes);
    t.Command(IDM_mSaveAs);
    FileDialog(t, L"Save As", old, 1);
    Answer(t, old + L" exists.\r\nDo you want to replace it?", IDCANCEL);
    Settle(t);
    EXPECT_EQ(ReadBytes(old), oldBytes);
    EXPECT_TRUE(CaptionEnds(t, L"notes.dat"));

    // A read-only target: the save fails, says so, and the old file stays.
    SetFileAttributesW(old.c_str(), FILE_ATTRIBUTE_READONLY);
    t.Type(L" more");
    t.Command(IDM_mSaveAs);
    FileDialog(t, L"Save As", old, 1);
    Answer(t, L"Do you want to replace it?", IDOK);
    Answer(t, L"Unable to save the file:\r\n" + old, IDOK);
    EXPECT_EQ(ReadBytes(old), oldBytes);
    EXPECT_TRUE(CaptionEnds(t, L"notes.dat"));
    SetFileAttributesW(old.c_str(), FILE_ATTRIBUTE_NORMAL);

    // OK replaces it, through a new file, so nothing is left beside it.
    t.Command(IDM_mSaveAs);
    FileDialog(t, L"Save As", old, 1);
    Answer(t, L"Do you want to replace it?", IDOK);
    EXPECT_TRUE(CaptionEnds(t, L"HTML - " + old));
    EXPECT_EQ(ReadBytes(old), "x = 1 more");

    // The document is saved: Exit asks nothing.
    t.Command(IDM_mExit);
    ASSERT_TRUE(t.Ends());
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((t.Folder() + L"\\*.tmp").c_str(), &fd);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE) << "no temporary file of a save is left";
    if (h != INVALID_HANDLE_VALUE)
        FindClose(h);
}

TEST(Documents, CloseAndExitAskAboutEachChangedDocumentAndNeverLoseOne)
{
    Tarnel t(L"doc_close");
    RemoveDocuments(t);
    const std::wstring a = t.Folder() + L"\\a.htm", b = t.Folder() + L"\\b.htm";
    WriteText(a, "A");
    WriteText(b, "B");
    ASSERT_TRUE(t.Start(L"\"" + a + L"\""));
    TabStrip tabs = Tabs(t.Main(), L"a.htm");
    t.Type(L"1");
    t.Command(IDM_mOpenFile);
    FileDialog(t, L"Open file", b);
    ASSERT_TRUE(CaptionEnds(t, b));
    t.Type(L"2");
    RunCommand(t, IDM_mNewFile);
    t.Type(L"3");
    Settle(t);
    ASSERT_EQ(VisibleTabs(tabs), 3);

    // Another changed tab: Cancel keeps it; the clicked tab stays unselected.
    TabMenu(t, tabs[0], IDM_mFileCloseFromTab);
    Answer(t, L"Save changes to: \r\n" + a + L"?", IDCANCEL);
    Settle(t);
    EXPECT_TRUE(tabs[0].visible);
    EXPECT_EQ(Caption(t), L"TARNEL Editor - HTML - Untitled");

    // The current untitled tab, Yes, then Cancel in Save As: nothing closes.
    TabMenu(t, tabs[2], IDM_mFileCloseFromTab);
    Answer(t, L"Save changes to:\r\nUntitled\r\nbefore closing?", IDYES);
    FileDialog(t, L"Save As", L"");
    Settle(t);
    EXPECT_TRUE(tabs[2].visible);
    EXPECT_EQ(EditorText(t), L"3");

    // A save from the tab menu that fails keeps the document marked changed.
    SetFileAttributesW(b.c_str(), FILE_ATTRIBUTE_READONLY);
    TabMenu(t, tabs[1], IDM_mFileSaveFromTab_0);
    Answer(t, L"Unable to save the file:\r\n" + b, IDOK);
    SetFileAttributesW(b.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(b), "B");

    // Exit, Yes for the untitled document, then Cancel in Save As: the program stays.
    t.Command(IDM_mExit);
    Answer(t, L"Save changes to: \r\nUntitled?", IDYES);
    FileDialog(t, L"Save As", L"");
    Settle(t);
    EXPECT_TRUE(t.Process().Running());
    EXPECT_EQ(VisibleTabs(tabs), 3);

    // Exit: Yes saves a.htm, Cancel at b.htm keeps the program running ...
    t.Command(IDM_mExit);
    Answer(t, L"Save changes to: \r\nUntitled?", IDNO);
    Answer(t, L"Save changes to: \r\n" + a + L"?", IDYES);
    Answer(t, L"Save changes to: \r\n" + b + L"?", IDCANCEL);
    Settle(t);
    EXPECT_EQ(ReadBytes(a), "1A");
    EXPECT_EQ(VisibleTabs(tabs), 3);
    // ... and the next Exit no longer asks about the saved one.
    t.Command(IDM_mExit);
    Answer(t, L"Save changes to: \r\nUntitled?", IDNO);
    Answer(t, L"Save changes to: \r\n" + b + L"?", IDCANCEL);
    Settle(t);

    // Closing the current tab with No: the lowest remaining tab becomes current.
    TabMenu(t, tabs[2], IDM_mFileCloseFromTab);
    Answer(t, L"before closing?", IDNO);
    EXPECT_TRUE(CaptionEnds(t, L"HTML - " + a));
    Settle(t);
    EXPECT_FALSE(tabs[2].visible);
    // Another changed tab with Yes is saved from its parked copy.
    TabMenu(t, tabs[1], IDM_mFileCloseFromTab);
    Answer(t, L"Save changes to: \r\n" + b + L"?", IDYES);
    Settle(t);
    EXPECT_EQ(ReadBytes(b), "2B");
    EXPECT_FALSE(tabs[1].visible);
    // The only tab: a new "Untitled" takes its place.
    TabMenu(t, tabs[0], IDM_mFileCloseFromTab);
    Settle(t);
    EXPECT_EQ(Caption(t), L"TARNEL Editor - HTML - Untitled");
    EXPECT_EQ(VisibleTabs(tabs), 1);

    t.Command(IDM_mExit);
    ASSERT_TRUE(t.Ends());
    EXPECT_TRUE(ParkedFiles(t).empty());
}

// Text the system code page cannot hold: the save asks, and Cancel writes
// nothing, No writes the code page's "?", Yes writes UTF-8.
TEST(Documents, ASaveAsksBeforeItDropsCharacters)
{
    Tarnel t(L"doc_codepage");
    RemoveDocuments(t);
    const std::wstring c = t.Folder() + L"\\c.htm";
    WriteText(c, "A");
    ASSERT_TRUE(t.Start(L"\"" + c + L"\""));
    ASSERT_TRUE(CaptionEnds(t, c));
    const std::wstring text = L"caf\u00e9 \u65e5";
    wt::Send(t.Editor(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    const std::wstring question = L"characters that the system code page cannot hold";
    t.Command(IDM_mSavePlain);
    Answer(t, question, IDCANCEL);
    Settle(t);
    EXPECT_EQ(ReadBytes(c), "A");
    t.Command(IDM_mSavePlain);
    Answer(t, question, IDNO);
    Settle(t);
    EXPECT_EQ(ReadBytes(c), "caf\xE9 ?");
    t.Command(IDM_mSavePlain);
    Answer(t, question, IDYES);
    Settle(t);
    EXPECT_EQ(ReadBytes(c), "caf\xC3\xA9 \xE6\x97\xA5");
    t.Command(IDM_mExit);
    EXPECT_TRUE(t.Ends());
}

// The session's end is asked about and answered No, then another program
// vetoes it: every document stays open with its text.
TEST(Documents, AShutdownCancelledAfterTheQuestionsKeepsEveryDocument)
{
    Tarnel t(L"doc_session");
    RemoveDocuments(t);
    const std::wstring a = t.Folder() + L"\\a.htm", b = t.Folder() + L"\\b.htm";
    WriteText(a, "A");
    WriteText(b, "B");
    ASSERT_TRUE(t.Start(L"\"" + a + L"\""));
    TabStrip tabs = Tabs(t.Main(), L"a.htm");
    t.Type(L"1");
    t.Command(IDM_mOpenFile);
    FileDialog(t, L"Open file", b);
    ASSERT_TRUE(CaptionEnds(t, b));
    t.Type(L"2");
    Settle(t);
    PostMessageW(t.Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    Answer(t, L"Save changes to: \r\n" + b + L"?", IDNO);
    Answer(t, L"Save changes to: \r\n" + a + L"?", IDNO);
    PostMessageW(t.Main(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    Settle(t);
    EXPECT_TRUE(t.Process().Running());
    EXPECT_EQ(VisibleTabs(tabs), 2);
    EXPECT_FALSE(ParkedFiles(t).empty());
    ClickTab(tabs[0]);
    EXPECT_EQ(EditorText(t), L"1A");
    t.Command(IDM_mExit);
    Answer(t, L"Save changes to: \r\n" + a + L"?", IDNO);
    Answer(t, L"Save changes to: \r\n" + b + L"?", IDNO);
    EXPECT_TRUE(t.Ends());
    EXPECT_TRUE(ParkedFiles(t).empty());
}

// The text in the clipping pad's hidden scratch editor, which saves parked
// documents; "<none>" without one.
std::wstring ScratchText(Tarnel& t)
{
    for (HWND w : t.Process().TopWindows(false)) {
        if (wt::WindowText(w) != L"3 - Clipping Pad")
            continue;
        for (HWND c : wt::Children(w)) {
            if (wt::ClassName(c).find(L"RICHEDIT") == std::wstring::npos &&
                wt::ClassName(c).find(L"RichEdit") == std::wstring::npos)
                continue;
            wchar_t buf[256] = {};
            wt::Send(c, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buf));
            return buf;
        }
    }
    return L"<none>";
}

// Save As replaces an existing file only with a whole new one: a save
// cancelled after the replace question leaves the old file, from the editor
// and from a parked tab. The scratch editor that saved a parked document
// keeps none of its text.
TEST(Documents, ASaveAsCancelledAfterTheReplaceQuestionKeepsTheOldFile)
{
    Tarnel t(L"doc_saveas_keep");
    RemoveDocuments(t);
    const std::wstring old = t.Folder() + L"\\old.htm", b = t.Folder() + L"\\b.htm";
    const std::string oldBytes = "<p>keep me</p>";
    WriteText(old, oldBytes);
    WriteText(b, "B");
    ASSERT_TRUE(t.Start());
    TabStrip tabs = Tabs(t.Main(), L"Untitled");
    const std::wstring text = L"caf\u00e9 \u65e5";
    wt::Send(t.Editor(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    const std::wstring question = L"characters that the system code page cannot hold";
    t.Command(IDM_mSaveAs);
    FileDialog(t, L"Save As", old, 1);
    Answer(t, old + L" exists.\r\nDo you want to replace it?", IDOK);
    Answer(t, question, IDCANCEL);
    Settle(t);
    EXPECT_EQ(ReadBytes(old), oldBytes);

    t.Command(IDM_mOpenFile);
    FileDialog(t, L"Open file", b);
    ASSERT_TRUE(CaptionEnds(t, b));
    TabMenu(t, tabs[0], IDM_mFileSaveFromTab_1);
    FileDialog(t, L"Save As", old);
    Answer(t, L"Do you want to replace it?", IDOK);
    Answer(t, question, IDCANCEL);
    Settle(t);
    EXPECT_EQ(ReadBytes(old), oldBytes);
    EXPECT_EQ(ScratchText(t), L"");

    // A parked document saved under its own name.
    t.Type(L"2");
    RunCommand(t, IDM_mNewFile);
    TabMenu(t, tabs[1], IDM_mFileSaveFromTab_0);
    Settle(t);
    EXPECT_EQ(ReadBytes(b), "2B");
    EXPECT_EQ(ScratchText(t), L"");
    t.Command(IDM_mExit);
    Answer(t, L"Save changes to: \r\nUntitled?", IDNO);
    EXPECT_TRUE(t.Ends());
}

// Save As onto a file another tab holds is refused: never two tabs for one file.
TEST(Documents, SaveAsOntoAFileOpenInAnotherTabIsRefused)
{
    Tarnel t(L"doc_saveas_open");
    RemoveDocuments(t);
    const std::wstring x = t.Folder() + L"\\x.htm";
    WriteText(x, "X");
    ASSERT_TRUE(t.Start(L"\"" + x + L"\""));
    TabStrip tabs = Tabs(t.Main(), L"x.htm");
    RunCommand(t, IDM_mNewFile);
    t.Type(L"N");
    t.Command(IDM_mSaveAs);
    FileDialog(t, L"Save As", x);
    Answer(t, x + L" is open in another tab.", IDOK);
    Settle(t);
    EXPECT_EQ(ReadBytes(x), "X");
    EXPECT_EQ(Caption(t), L"TARNEL Editor - HTML - Untitled");
    EXPECT_EQ(VisibleTabs(tabs), 2);
    t.Command(IDM_mExit);
    Answer(t, L"Save changes to: \r\nUntitled?", IDNO);
    EXPECT_TRUE(t.Ends());
}

// Exit with a parked document whose save fails: the program stays, the
// document with it.
TEST(Documents, AFailedSaveOfAParkedDocumentStopsTheExit)
{
    Tarnel t(L"doc_exit_fail");
    RemoveDocuments(t);
    const std::wstring a = t.Folder() + L"\\a.htm", b = t.Folder() + L"\\b.htm";
    WriteText(a, "A");
    WriteText(b, "B");
    ASSERT_TRUE(t.Start(L"\"" + a + L"\""));
    t.Type(L"1");
    t.Command(IDM_mOpenFile);
    FileDialog(t, L"Open file", b);
    ASSERT_TRUE(CaptionEnds(t, b));
    Settle(t);
    SetFileAttributesW(a.c_str(), FILE_ATTRIBUTE_READONLY);
    t.Command(IDM_mExit);
    Answer(t, L"Save changes to: \r\n" + a + L"?", IDYES);
    Answer(t, L"Unable to save the file:\r\n" + a, IDOK);
    Settle(t);
    SetFileAttributesW(a.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(t.Process().Running());
    EXPECT_EQ(ReadBytes(a), "A");
    EXPECT_FALSE(ParkedFiles(t).empty());
    t.Command(IDM_mExit);
    Answer(t, L"Save changes to: \r\n" + a + L"?", IDNO);
    EXPECT_TRUE(t.Ends());
}

// A recent file whose name the system code page cannot hold is recorded
// by a name that still opens it.
TEST(Documents, ARecentFileOutsideTheCodePageIsRecordedByANameThatOpens)
{
    Tarnel t(L"doc_recent_name");
    RemoveDocuments(t);
    const std::wstring g = t.Folder() + L"\\Gr\u00fc\u00dfe \u0416\u0443\u043a.htm";
    HANDLE h = CreateFileW(g.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    ASSERT_TRUE(t.Start());
    t.Command(IDM_mOpenFile);
    FileDialog(t, L"Open file", g);
    ASSERT_TRUE(CaptionEnds(t, g));
    t.Command(IDM_mExit);
    ASSERT_TRUE(t.Ends());
    SettingsRecord rec;
    ASSERT_TRUE(t.ReadRecord(rec));
    ASSERT_FALSE(rec.RecentFiles.empty());
    EXPECT_NE(GetFileAttributesW(rec.RecentFiles[0].c_str()), INVALID_FILE_ATTRIBUTES) << Narrow(rec.RecentFiles[0]);
    DeleteFileW(g.c_str());
}

TEST(Documents, TabSwitchesKeepEachDocumentItsTextTypeAndName)
{
    Tarnel t(L"doc_switch");
    RemoveDocuments(t);
    const std::wstring asp = t.Folder() + L"\\page.asp", css = t.Folder() + L"\\look.css";
    WriteText(asp, "<% x %>");
    WriteText(css, "p {}");
    ASSERT_TRUE(t.Start(L"\"" + asp + L"\""));
    TabStrip tabs = Tabs(t.Main(), L"page.asp");
    RunCommand(t, IDM_mNewFile);
    const std::wstring text = L"Gr\u00fc\u00dfe \u20ac \u0416";
    t.Type(text);
    Settle(t);

    // A click on the current tab leaves nothing busy: the next click switches.
    ClickTab(tabs[1]);
    Settle(t);
    ClickTab(tabs[0]);
    EXPECT_TRUE(CaptionEnds(t, L"HTML - " + asp));
    EXPECT_EQ(EditorText(t), L"<% x %>");
    ClickTab(tabs[1]);
    EXPECT_TRUE(CaptionEnds(t, L"HTML - Untitled"));
    EXPECT_EQ(EditorText(t), text);
    DropFiles(t, {css});
    ASSERT_TRUE(CaptionEnds(t, L"CSS - " + css));
    Settle(t);
    EXPECT_EQ(EditorText(t), L"p {}");
    t.Shot(L"switch.bmp");

    // A parked document whose copy is gone is not saved from stale text.
    ClickTab(tabs[0]);
    ASSERT_TRUE(CaptionEnds(t, asp));
    t.Type(L"y");
    ClickTab(tabs[2]);
    ASSERT_TRUE(CaptionEnds(t, css));
    DeleteFileW((t.Folder() + L"\\temp\\temp0.dat").c_str());
    TabMenu(t, tabs[0], IDM_mFileSaveFromTab_0);
    Answer(t, L"Unable to read the temporary file of page.asp", IDOK);
    EXPECT_EQ(ReadBytes(asp), "<% x %>");

    // From a CSS sheet back to the ASP page, which stays an ASP page.
    ClickTab(tabs[0]);
    ASSERT_TRUE(CaptionEnds(t, L"HTML - " + asp));
    EXPECT_EQ(EditorText(t), L"y<% x %>");
    t.Command(IDM_mExit);
    Answer(t, L"Save changes to: \r\n" + asp + L"?", IDNO);
    Answer(t, L"Save changes to: \r\nUntitled?", IDNO);
    ASSERT_TRUE(t.Ends());
    SettingsRecord rec;
    ASSERT_TRUE(t.ReadRecord(rec));
    EXPECT_EQ(rec.LastEdType, 1);
}

namespace {

// Where the first shown line of a text box stands on the screen, and its number.
struct TopLine {
    long line;
    int y;
};

TopLine TopOf(HWND box)
{
    const long line = static_cast<long>(wt::Send(box, EM_GETFIRSTVISIBLELINE));
    const LRESULT at = wt::Send(box, EM_POSFROMCHAR, static_cast<WPARAM>(wt::Send(box, EM_LINEINDEX, line)));
    POINT p{0, static_cast<short>(HIWORD(at))};
    ClientToScreen(box, &p);
    return {line, p.y};
}

} // namespace

// Switching to a long document must not scroll its text by part of a line
// while the gutter stays: every number would stand beside the wrong line.
TEST(Documents, TheGutterStaysInLineAfterATabSwitch)
{
    Tarnel t(L"doc_gutter");
    RemoveDocuments(t);
    std::string page;
    for (int i = 1; i <= 400; ++i)
        page += "<p>line " + std::to_string(i) + "</p>\r\n";
    const std::wstring a = t.Folder() + L"\\a.htm", b = t.Folder() + L"\\b.htm";
    WriteText(a, page);
    WriteText(b, page);
    ASSERT_TRUE(t.Start(L"\"" + a + L"\""));
    DropFiles(t, {b});
    ASSERT_TRUE(CaptionEnds(t, b));
    Settle(t);
    TabStrip tabs = Tabs(t.Main(), L"a.htm");
    HWND gutter = t.Gutter();
    ASSERT_NE(gutter, nullptr);
    // Both at their first line: their borders differ, their lines do not.
    const int apart = TopOf(t.Editor()).y - TopOf(gutter).y;
    long top[2] = {};
    for (int slot : {0, 1}) {
        // Scrolled to the middle and typed in: the document comes back from its parked copy.
        ClickTab(tabs[slot]);
        wt::Send(t.Editor(), EM_LINESCROLL, 0, 150 + 30 * slot);
        wt::Send(t.Editor(), WM_VSCROLL, SB_ENDSCROLL);
        top[slot] = TopOf(t.Editor()).line;
        const LRESULT at = wt::Send(t.Editor(), EM_LINEINDEX, top[slot] + 2);
        wt::Send(t.Editor(), EM_SETSEL, at, at);
        t.Type(L"x");
        Settle(t);
    }
    for (int round = 0; round < 2; ++round)
        for (int slot : {0, 1}) {
            ClickTab(tabs[slot]);
            const TopLine text = TopOf(t.Editor()), numbers = TopOf(gutter);
            EXPECT_EQ(text.line, top[slot]);
            EXPECT_EQ(numbers.line, text.line);
            EXPECT_EQ(text.y - numbers.y, apart) << "slot " << slot << ", round " << round;
        }
    // Nor does the scroll bar, once its scroll ends, nor the wheel.
    for (WPARAM code : {SB_PAGEDOWN, SB_ENDSCROLL, SB_LINEDOWN, SB_ENDSCROLL})
        wt::Send(t.Editor(), WM_VSCROLL, code);
    EXPECT_EQ(TopOf(t.Editor()).y - TopOf(gutter).y, apart);
    EXPECT_EQ(TopOf(gutter).line, TopOf(t.Editor()).line);
    RECT r{};
    GetWindowRect(t.Editor(), &r);
    for (short notch : {-WHEEL_DELTA, -WHEEL_DELTA, WHEEL_DELTA}) {
        const long before = TopOf(t.Editor()).line;
        wt::Send(t.Editor(), WM_MOUSEWHEEL, MAKEWPARAM(0, notch), MAKELPARAM(r.left + 50, r.top + 50));
        EXPECT_NE(TopOf(t.Editor()).line, before);
        EXPECT_EQ(TopOf(t.Editor()).y - TopOf(gutter).y, apart);
        EXPECT_EQ(TopOf(gutter).line, TopOf(t.Editor()).line) << "wheel " << notch;
    }
    t.Command(IDM_mExit);
    for (int i = 0; i < 2; ++i)
        Answer(t, L"Save changes to", IDNO);
    ASSERT_TRUE(t.Ends());
}

// A long coloured document saved from its parked copy at the exit: the
// program ends promptly, without emptying the copy it read for the save.
TEST(Documents, ExitSavesALongParkedDocumentAndEndsPromptly)
{
    Tarnel t(L"doc_exit_long");
    RemoveDocuments(t);
    const std::wstring big = t.Folder() + L"\\big.htm", small = t.Folder() + L"\\small.htm";
    std::string page = "<html><body>\r\n";
    while (page.size() < 300000)
        page += "<p class=\"c\"><b>bold</b> <a href=\"x.htm\">link</a> text</p>\r\n";
    WriteText(big, page + "</body></html>\r\n");
    WriteText(small, "<p>small</p>\r\n");
    ASSERT_TRUE(t.Start(L"\"" + big + L"\""));
    t.Type(L"1");
    t.Command(IDM_mOpenFile);
    FileDialog(t, L"Open file", small);
    ASSERT_TRUE(CaptionEnds(t, small));
    Settle(t);
    t.Command(IDM_mExit);
    Answer(t, L"Save changes to: \r\n" + big + L"?", IDYES);
    const DWORD asked = GetTickCount();
    EXPECT_TRUE(t.Ends(60000));
    EXPECT_LT(GetTickCount() - asked, 15000u) << "the exit took that long after the question";
    EXPECT_EQ(ReadBytes(big), "1" + page + "</body></html>\r\n");
}

// A document longer than the editor takes by typing says so once, as it opens.
TEST(Documents, ADocumentOverTheTypingLimitSaysSoWhenOpened)
{
    Tarnel t(L"doc_limit");
    RemoveDocuments(t);
    const std::wstring small = t.Folder() + L"\\small.htm", big = t.Folder() + L"\\big.txt";
    WriteText(small, "<p>small</p>\r\n");
    std::string line(98, 'x');
    line += "\r\n";
    std::string text;
    text.reserve(8300000);
    while (text.size() < 8200000)   // each line break counts one character
        text += line;
    WriteText(big, text);
    ASSERT_TRUE(t.Start(L"\"" + small + L"\""));
    DropFiles(t, {big});
    Answer(t, L"has more than 8,000,000 characters.", IDOK);
    ASSERT_TRUE(CaptionEnds(t, big));
    t.Command(IDM_mExit);
    EXPECT_TRUE(t.Ends());
}
