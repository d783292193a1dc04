// Start-up and shutdown of the real TARNEL.exe, each run in a program folder
// of its own, driven with menu command ids and window messages.
#include <gtest/gtest.h>

#include "Bytes.h"
#include "MenuIds.h"
#include "TarnelCopy.h"
#include "forms/Menu.h"

#include <tlhelp32.h>

#include <cwctype>
#include <fstream>
#include <set>

using apptest::Tarnel;

namespace {

constexpr int kTwips = 15;   // per pixel on the test display (96 DPI)

SIZE WindowSize(HWND w)
{
    RECT r{};
    GetWindowRect(w, &r);
    return {r.right - r.left, r.bottom - r.top};
}

void WriteText(const std::wstring& path, const std::string& text)
{
    std::ofstream(std::string(path.begin(), path.end()), std::ios::binary) << text;
}

// Whether any pixel of the window's client area on the screen has the colour.
bool ShowsColour(HWND w, COLORREF colour)
{
    RECT r{};
    GetClientRect(w, &r);
    POINT o{0, 0};
    ClientToScreen(w, &o);
    const int cx = r.right, cy = r.bottom;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, cx, cy, screen, o.x, o.y, SRCCOPY);
    GdiFlush();
    bool found = false;
    const auto* px = static_cast<const uint32_t*>(bits);
    const uint32_t want = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    for (int i = 0; i < cx * cy && !found; ++i)
        found = (px[i] & 0xFFFFFF) == want;
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return found;
}

// Lower-case names of the modules loaded in a process.
std::set<std::wstring> LoadedModules(DWORD pid)
{
    std::set<std::wstring> names;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snap == INVALID_HANDLE_VALUE)
        return names;
    MODULEENTRY32W m{};
    m.dwSize = sizeof(m);
    for (BOOL ok = Module32FirstW(snap, &m); ok; ok = Module32NextW(snap, &m)) {
        std::wstring name = m.szModule;
        for (wchar_t& c : name)
            c = static_cast<wchar_t>(std::towlower(c));
        names.insert(name);
    }
    CloseHandle(snap);
    return names;
}

SettingsRecord SizedRecord(int width, int height)
{
    SettingsRecord rec;
    rec.WinWidth = width;
    rec.WinHeight = height;
    return rec;
}

} // namespace

TEST(AppStart, FirstStartWithAnEmptySettingsFolderAndTheRecordRoundTrip)
{
    Tarnel t(L"app_first_start");
    ASSERT_TRUE(t.Start());
    EXPECT_EQ(wt::WindowText(t.Main()), L"TARNEL Editor - HTML - Untitled");
    EXPECT_TRUE(wt::FindDrawn(t.Main(), L"Untitled")) << "one \"Untitled\" tab";
    SIZE size = WindowSize(t.Main());
    EXPECT_EQ(size.cx, 11460 / kTwips);
    EXPECT_EQ(size.cy, 7890 / kTwips);

    // An HTML document that colours as you type: the tag turns blue once
    // the caret leaves the line.
    t.Type(L"<b>bold</b>\r");
    EXPECT_TRUE(wt::WaitFor([&] { return ShowsColour(t.Editor(), RGB(0, 0, 255)); }, 5000));

    t.Command(IDM_mExit);
    wt::Dialog ask = wt::FindDialog(t.Process());
    ASSERT_NE(ask.hwnd, nullptr);
    EXPECT_NE(ask.text.find(L"Save changes to: "), std::wstring::npos);
    wt::PressButton(ask.hwnd, IDNO);
    ASSERT_TRUE(t.Ends());

    SettingsRecord rec;
    ASSERT_TRUE(t.ReadRecord(rec));
    EXPECT_EQ(rec.WinState, 0);
    EXPECT_EQ(rec.WinWidth, 11460);
    EXPECT_EQ(rec.WinHeight, 7890);
    EXPECT_EQ(rec.EdFontName, L"Courier New");
    EXPECT_EQ(rec.EdFontSize, 10);
    EXPECT_EQ(rec.UndoLimit, 20);
    EXPECT_EQ(rec.CommentMark, L"'--");
    EXPECT_EQ(rec.Menu1Name, L"Custom Menu 1");
    EXPECT_EQ(rec.Menu2Name, L"Custom Menu 2");
    EXPECT_EQ(rec.LastEdType, 2);
    ASSERT_EQ(rec.RecentFiles.size(), 4u);
    EXPECT_EQ(rec.RecentFiles[0], L"");

    // A second run starts from what the first one wrote and writes it back alike.
    const std::string before = ReadBytes(t.SettingsFile());
    ASSERT_TRUE(t.Start());
    t.Command(IDM_mExit);
    ASSERT_TRUE(t.Ends());
    EXPECT_EQ(before, ReadBytes(t.SettingsFile()));
}

TEST(AppStart, StartUpWaitsOnNoWebBrowser)
{
    // Where no HTML engine is installed, making the preview's browser at
    // start-up would block or prompt for an installer: it is made when first
    // needed, so start-up loads none of its libraries.
    Tarnel t(L"app_no_browser");
    ASSERT_TRUE(t.Start());
    std::set<std::wstring> modules = LoadedModules(t.Process().Pid());
    ASSERT_EQ(modules.count(L"tarnel.exe"), 1u);
    for (const wchar_t* browser : {L"ieframe.dll", L"shdocvw.dll", L"mshtml.dll"})
        EXPECT_EQ(modules.count(browser), 0u) << std::string(browser, browser + wcslen(browser));
    t.Command(IDM_mExit);
    EXPECT_TRUE(t.Ends());
}

TEST(AppStart, ThePrinterLibraryWaitsForTheFirstPrint)
{
    // Loaded, it asks the system for every printer, a cost to every start.
    Tarnel t(L"app_no_printer_library");
    ASSERT_TRUE(t.Start());
    std::set<std::wstring> modules = LoadedModules(t.Process().Pid());
    ASSERT_EQ(modules.count(L"tarnel.exe"), 1u);
    EXPECT_EQ(modules.count(L"winspool.drv"), 0u);
    t.Command(IDM_mExit);
    EXPECT_TRUE(t.Ends());
}

TEST(AppStart, TheRecordsEditorTypeChoosesTheFirstDocumentsType)
{
    Tarnel t(L"app_vbscript");
    SettingsRecord rec;
    rec.LastEdType = 4;
    t.WriteRecord(rec);
    ASSERT_TRUE(t.Start());
    EXPECT_EQ(wt::WindowText(t.Main()), L"TARNEL Editor - VBScript - Untitled");
    PostMessageW(t.Main(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(t.Ends());
}

namespace {

// Types a line and Enter as one line break (a posted key down would be
// translated into a second one).
void TypeLine(const Tarnel& t, const std::wstring& line)
{
    t.Type(line);
    HWND re = t.Editor();
    const LRESULT lines = wt::Send(re, EM_GETLINECOUNT);
    PostMessageW(re, WM_CHAR, L'\r', 1);
    PostMessageW(re, WM_KEYUP, VK_RETURN, 0xC0000001);
    wt::WaitFor([&] { return wt::Send(re, EM_GETLINECOUNT) > lines; }, 5000);
}

bool Tells(const Tarnel& t, const std::wstring& info)
{
    return wt::WaitFor([&] { return static_cast<bool>(wt::FindDrawn(t.Main(), info)); }, 10000);
}

// Exit, answering No for each changed document.
void QuitUnsaved(Tarnel& t, int changed = 1)
{
    t.Command(IDM_mExit);
    for (int i = 0; i < changed; ++i) {
        wt::Dialog ask = wt::FindDialog(t.Process());
        ASSERT_NE(ask.hwnd, nullptr);
        wt::PressButton(ask.hwnd, IDNO);
        wt::WaitFor([&] { return !IsWindow(ask.hwnd); }, 3000);
    }
    EXPECT_TRUE(t.Ends());
}

} // namespace

TEST(AppStart, TheLiveLineCheckRunsInAVBScriptDocument)
{
    Tarnel t(L"app_line_check");
    const std::wstring script = t.Folder() + L"\\a.vbs";
    WriteText(script, "");
    ASSERT_TRUE(t.Start(script));
    TypeLine(t, L"x = a <b");
    EXPECT_TRUE(Tells(t, L"Wrong syntax at < or > - Line 1"));
    QuitUnsaved(t);

    // The start-up document checks the script blocks of a page, and a new
    // document checks its lines once made a VBScript document.
    ASSERT_TRUE(t.Start());
    const std::wstring page = L"<script language=\"vbscript\">\r\r</script>";
    wt::Send(t.Editor(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(page.c_str()));
    wt::Send(t.Editor(), EM_SETSEL, 29, 29);
    TypeLine(t, L"x = 1");
    TypeLine(t, L"x = a <b");
    EXPECT_TRUE(Tells(t, L"Wrong syntax at < or > - Line 3"));
    t.Command(IDM_mNewFile);
    t.Command(IDM_mScrShow);
    ASSERT_TRUE(wt::WaitFor([&] { return wt::WindowText(t.Main()) == L"TARNEL Editor - VBScript - Untitled"; },
                            5000));
    // The caption changes inside the command; the new document's editor is
    // the one to type into once the command has returned.
    wt::Send(t.Main(), WM_NULL, 0, 0, 10000);
    TypeLine(t, L"x = a <b");
    EXPECT_TRUE(Tells(t, L"Wrong syntax at < or > - Line 1"));
    QuitUnsaved(t, 2);
}

TEST(AppStart, TheCommandLineIsOnePathWithoutQuotes)
{
    Tarnel t(L"app_command_line");
    const std::wstring page = t.Folder() + L"\\page.htm";
    WriteText(page, "<html><body>x</body></html>\r\n");
    struct Case {
        std::wstring args, caption;
    } cases[] = {
        {L"\"" + page + L"\"", L"TARNEL Editor - HTML - " + page},
        {page, L"TARNEL Editor - HTML - " + page},
        {t.Folder() + L"\\missing.htm", L"TARNEL Editor - HTML - Untitled"},
        {page + L" " + page, L"TARNEL Editor - HTML - Untitled"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(t.Start(c.args));
        EXPECT_EQ(wt::WindowText(t.Main()), c.caption);
        PostMessageW(t.Main(), WM_CLOSE, 0, 0);
        ASSERT_TRUE(t.Ends());
    }
    SettingsRecord rec;
    ASSERT_TRUE(t.ReadRecord(rec));
    EXPECT_EQ(rec.RecentFiles[0], page) << "the opened page heads the recent files";
}

TEST(AppStart, ASecondInstanceEndsWithoutAWindow)
{
    Tarnel t(L"app_second");
    ASSERT_TRUE(t.Start());
    wt::Process second;
    ASSERT_TRUE(second.Start(t.Folder() + L"\\TARNEL.exe", L"", t.Folder()));
    EXPECT_EQ(second.WaitExit(10000), 0);
    EXPECT_TRUE(t.Process().Running());
    t.Command(IDM_mExit);
    EXPECT_TRUE(t.Ends());
}

TEST(AppStart, ClosingWithAnUnsavedDocumentAsksAndCancelKeepsTheProgram)
{
    Tarnel t(L"app_unsaved");
    ASSERT_TRUE(t.Start());
    t.Type(L"text");
    t.Command(IDM_mExit);
    wt::Dialog ask = wt::FindDialog(t.Process());
    ASSERT_NE(ask.hwnd, nullptr);
    wt::PressButton(ask.hwnd, IDCANCEL);
    EXPECT_EQ(t.Process().WaitExit(1000), -1) << "Cancel keeps the program running";
    EXPECT_FALSE(GetFileAttributesW(t.SettingsFile().c_str()) != INVALID_FILE_ATTRIBUTES);

    PostMessageW(t.Main(), WM_CLOSE, 0, 0);
    ask = wt::FindDialog(t.Process());
    ASSERT_NE(ask.hwnd, nullptr);
    EXPECT_NE(ask.text.find(L"Untitled"), std::wstring::npos);
    wt::PressButton(ask.hwnd, IDNO);
    EXPECT_TRUE(t.Ends());
    SettingsRecord rec;
    EXPECT_TRUE(t.ReadRecord(rec));
}

TEST(AppStart, TheEndOfTheSessionAsksAboutUnsavedDocuments)
{
    Tarnel t(L"app_session_end");
    ASSERT_TRUE(t.Start());
    t.Type(L"text");
    PostMessageW(t.Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    wt::Dialog ask = wt::FindDialog(t.Process());
    ASSERT_NE(ask.hwnd, nullptr) << "a log-off asks like the close box";
    wt::PressButton(ask.hwnd, IDCANCEL);
    EXPECT_EQ(t.Process().WaitExit(1000), -1);

    PostMessageW(t.Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    ask = wt::FindDialog(t.Process());
    ASSERT_NE(ask.hwnd, nullptr);
    wt::PressButton(ask.hwnd, IDNO);
    PostMessageW(t.Main(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_TRUE(t.Ends());
    SettingsRecord rec;
    EXPECT_TRUE(t.ReadRecord(rec)) << "the record is written when the session ends";
}

TEST(AppStart, ClosingKeepsTheLastNormalSize)
{
    Tarnel t(L"app_window_state");
    // Normal, resized by the user.
    t.WriteRecord(SizedRecord(9000, 6000));
    ASSERT_TRUE(t.Start());
    SetWindowPos(t.Main(), nullptr, 0, 0, 900, 640, SWP_NOMOVE | SWP_NOZORDER);
    PostMessageW(t.Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(t.Ends());
    SettingsRecord rec;
    ASSERT_TRUE(t.ReadRecord(rec));
    EXPECT_EQ(rec.WinState, 0);
    EXPECT_EQ(rec.WinWidth, 900 * kTwips);
    EXPECT_EQ(rec.WinHeight, 640 * kTwips);

    // Maximised: stored as such, the normal size kept.
    t.WriteRecord(SizedRecord(9000, 6000));
    ASSERT_TRUE(t.Start());
    ShowWindow(t.Main(), SW_MAXIMIZE);
    wt::WaitFor([&] { return IsZoomed(t.Main()) != FALSE; }, 3000);
    PostMessageW(t.Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(t.Ends());
    ASSERT_TRUE(t.ReadRecord(rec));
    EXPECT_EQ(rec.WinState, 2);
    EXPECT_EQ(rec.WinWidth, 9000);
    EXPECT_EQ(rec.WinHeight, 6000);

    // Minimised from the normal state: not stored as maximised.
    t.WriteRecord(SizedRecord(9000, 6000));
    ASSERT_TRUE(t.Start());
    ShowWindow(t.Main(), SW_MINIMIZE);
    wt::WaitFor([&] { return IsIconic(t.Main()) != FALSE; }, 3000);
    PostMessageW(t.Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(t.Ends());
    ASSERT_TRUE(t.ReadRecord(rec));
    EXPECT_EQ(rec.WinState, 0);
    EXPECT_EQ(rec.WinWidth, 9000);
    EXPECT_EQ(rec.WinHeight, 6000);
}

TEST(AppStart, AMissingSettingsFolderStillGivesTheDefaults)
{
    Tarnel t(L"app_no_settings");
    const std::wstring settings = t.Folder() + L"\\Settings";
    for (const wchar_t* f : {L"tarnelk.ini", L"tarneljk.ini", L"tarnelc.ini", L"tarnelpk.ini"})
        DeleteFileW((settings + L"\\" + f).c_str());
    RemoveDirectoryW(settings.c_str());
    ASSERT_TRUE(t.Process().Start(t.Folder() + L"\\TARNEL.exe", L"", t.Folder()));
    wt::Dialog msg = wt::FindDialog(t.Process());
    ASSERT_NE(msg.hwnd, nullptr);
    EXPECT_EQ(msg.text, L"Unable to access program settings in folder " + settings +
                            L". There may be a problem with file permissions.");
    wt::PressButton(msg.hwnd, IDOK);
    // The keyword files are missing too: answer whatever else start-up says.
    HWND main = nullptr;
    wt::WaitFor([&] {
        wt::Dialog d = wt::FindDialog(t.Process(), 100);
        if (d.hwnd && d.text.find(L"Unable to access") == std::wstring::npos)
            wt::PressButton(d.hwnd, IDOK);
        for (HWND w : t.Process().TopWindows())
            if (wt::WindowText(w).rfind(L"TARNEL Editor - ", 0) == 0)
                main = w;
        return main != nullptr;
    }, 20000);
    ASSERT_NE(main, nullptr);
    SIZE size = WindowSize(main);
    EXPECT_EQ(size.cx, 11460 / kTwips) << "the defaults apply without a Settings folder";
    EXPECT_EQ(size.cy, 7890 / kTwips);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(t.Ends());
    EXPECT_EQ(GetFileAttributesW(settings.c_str()), INVALID_FILE_ATTRIBUTES) << "the folder is never created";
}

TEST(AppStart, ADamagedRecordKeepsItsSoundFieldsAndIsSaidOnce)
{
    Tarnel t(L"app_damaged");
    SettingsRecord rec;
    rec.RecentFiles.assign({L"a", L"b"});   // two of four, and no button texts at all but one
    rec.ButtonTexts.assign({L".", L".", L"."});
    rec.ButtonCaptions.assign({L"."});
    rec.Menu1Items.assign({L"-", L"-"});
    t.WriteRecord(rec);
    ASSERT_TRUE(t.Start()) << "odd array sizes are no damage";
    t.Command(IDM_mExit);
    ASSERT_TRUE(t.Ends());
    ASSERT_TRUE(t.ReadRecord(rec));
    EXPECT_EQ(rec.RecentFiles.size(), 4u);
    EXPECT_EQ(rec.ButtonTexts.size(), 28u);

    // A damaged flag: what the user set behind it survives the start and
    // the exit.
    rec.RecentFiles.assign({L"C:\\one.html", L"C:\\two.html", L"-", L"-"});
    rec.ButtonTexts[5] = L"<hr>";
    rec.ButtonCaptions[5] = L"HR";
    rec.CommentMark = L"REM ";
    rec.ExeName1 = L"Tool";
    rec.ExePath1 = L"C:\\tool.exe";
    const std::vector<uint8_t> good = SettingsRecordFile::Serialize(rec);
    std::string bytes(good.begin(), good.end());
    bytes[182 + 1] = '\x12';   // the colour coding flag, the first behind the two arrays
    WriteText(t.SettingsFile(), bytes);
    for (const wchar_t* copy : {L".damaged", L".damaged2"})
        DeleteFileW((t.SettingsFile() + copy).c_str());
    std::wstring said;
    ASSERT_TRUE(t.StartPastMessage(said));
    EXPECT_NE(said.find(L"was damaged. A copy of it was kept as\r\n" + t.SettingsFile() + L".damaged"),
              std::wstring::npos) << std::string(said.begin(), said.end());
    EXPECT_NE(said.find(L"reset: colour coding."), std::wstring::npos);
    EXPECT_EQ(ReadBytes(t.SettingsFile() + L".damaged"), bytes);
    t.Command(IDM_mExit);
    ASSERT_TRUE(t.Ends());
    SettingsRecord after;
    ASSERT_TRUE(t.ReadRecord(after));
    EXPECT_EQ(after.ButtonTexts[5], L"<hr>");
    EXPECT_EQ(after.ButtonCaptions[5], L"HR");
    EXPECT_EQ(after.CommentMark, L"REM ");
    EXPECT_EQ(after.ExeName1, L"Tool");
    EXPECT_EQ(after.ExePath1, L"C:\\tool.exe");
    EXPECT_EQ(after.RecentFiles[1], L"C:\\two.html");

    // Bytes that end inside the arrays.
    WriteText(t.SettingsFile(), std::string(300, '\x7f'));
    ASSERT_TRUE(t.StartPastMessage(said));
    t.Command(IDM_mExit);
    EXPECT_TRUE(t.Ends());
}

TEST(AppStart, ASettingsWriteThatFailsSaysSo)
{
    Tarnel t(L"app_write_fails");
    t.WriteRecord(SettingsRecord());
    ASSERT_TRUE(SetFileAttributesW(t.SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string before = ReadBytes(t.SettingsFile());
    ASSERT_TRUE(t.Start());
    t.Command(IDM_mExit);
    wt::Dialog msg = wt::FindDialog(t.Process());
    ASSERT_NE(msg.hwnd, nullptr);
    EXPECT_EQ(msg.text, L"Unable to save program settings to file:\r\n" + t.SettingsFile() +
                            L"\r\n. There may be a problem with file permissions.");
    wt::PressButton(msg.hwnd, IDOK);
    EXPECT_TRUE(t.Ends());
    SetFileAttributesW(t.SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(t.SettingsFile()), before);
}

TEST(AppStart, ChangesInMemorySurviveTheSettingsDialog)
{
    Tarnel t(L"app_settings_road");
    ASSERT_TRUE(t.Start());
    t.Command(IDM_mUTF8);
    t.Command(IDM_mSettings);
    HWND dialog = t.Process().FindTopWindow(L"", L"TARNEL Settings", 15000);
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(wt::WaitFor([&] { return !IsWindowVisible(dialog); }, 10000));
    // Open and close it once more: the first component was released after its event.
    t.Command(IDM_mSettings);
    dialog = t.Process().FindTopWindow(L"", L"TARNEL Settings", 15000);
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(wt::WaitFor([&] { return !IsWindowVisible(dialog); }, 10000));
    t.Command(IDM_mExit);
    ASSERT_TRUE(t.Ends());
    SettingsRecord rec;
    ASSERT_TRUE(t.ReadRecord(rec));
    EXPECT_TRUE(rec.UTF8Text) << "the UTF-8 item set before the dialog opened";
}

// A settings component whose code is still running when its event is
// raised: the program lets it go only once the event has returned.
TEST(AppStart, ASettingsComponentIsReleasedOnlyAfterItsEventReturned)
{
    Tarnel t(L"app_settings_release");
    const std::wstring dll = t.Folder() + L"\\plimsor.dll", log = dll + L".log";
    ASSERT_TRUE(CopyFileW((wt::ProgramFolder() + L"\\tests\\bare_settings\\plimsor.dll").c_str(), dll.c_str(),
                          FALSE));
    DeleteFileW(log.c_str());
    ASSERT_TRUE(t.Start());
    t.Command(IDM_mSettings);
    EXPECT_TRUE(wt::WaitFor([&] { return ReadBytes(log) == "raised\nreleased\n"; }, 10000)) << ReadBytes(log);
    t.Command(IDM_mExit);
    EXPECT_TRUE(t.Ends());
}

TEST(AppStart, AColourChangedInTheSettingsDialogColoursTheNextTypedLine)
{
    Tarnel t(L"app_settings_colour");
    ASSERT_TRUE(t.Start());
    const std::wstring caption = wt::WindowText(t.Main());
    t.Command(IDM_mSettings);
    HWND dialog = t.Process().FindTopWindow(L"", L"TARNEL Settings", 15000);
    ASSERT_NE(dialog, nullptr);
    auto press = [](HWND w) {
        ASSERT_NE(w, nullptr);
        PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    };
    // HTML tags, the first colour item, is chosen when the page opens.
    const wt::Drawn page = wt::FindDrawn(dialog, L"Colorcoding");
    ASSERT_TRUE(page);
    wt::Click(page);
    press(wt::FindChild(dialog, L"", L"Choose color for selected item."));
    wt::Dialog picker = wt::FindDialog(t.Process());
    ASSERT_NE(picker.hwnd, nullptr);
    const COLORREF chosen = RGB(17, 153, 34);
    const int rgb[3] = {GetRValue(chosen), GetGValue(chosen), GetBValue(chosen)};
    for (int i = 0; i < 3; ++i)   // the red, green and blue boxes of the full dialog
        wt::Send(GetDlgItem(picker.hwnd, 706 + i), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(std::to_wstring(rgb[i]).c_str()));
    wt::PressButton(picker.hwnd, IDOK);
    ASSERT_TRUE(wt::WaitFor([&] { return !IsWindow(picker.hwnd); }, 5000));
    press(wt::FindChild(dialog, L"", L"Set highlighting color for selected item."));
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(wt::WaitFor([&] { return !IsWindowVisible(dialog); }, 10000));

    t.Type(L"<i>new</i>\r");
    EXPECT_TRUE(wt::WaitFor([&] { return ShowsColour(t.Editor(), chosen); }, 5000))
        << "the tag in the colour chosen in the dialog";
    EXPECT_EQ(wt::WindowText(t.Main()), caption) << "the editor type stays";
    t.Command(IDM_mExit);
    wt::Dialog ask = wt::FindDialog(t.Process());
    ASSERT_NE(ask.hwnd, nullptr);
    wt::PressButton(ask.hwnd, IDNO);
    ASSERT_TRUE(t.Ends());
    SettingsRecord rec;
    ASSERT_TRUE(t.ReadRecord(rec));
    EXPECT_EQ(static_cast<COLORREF>(rec.ColorTag), chosen);
}

TEST(AppStart, WithoutTheSettingsLibraryTheSettingsItemDoesNothing)
{
    for (const wchar_t* missing : {L"plimsor.dll", L"DirectCOM.dll"}) {
        Tarnel t(L"app_no_plimsor");
        DeleteFileW((t.Folder() + L"\\" + missing).c_str());
        ASSERT_TRUE(t.Start());
        t.Command(IDM_mSettings);
        EXPECT_EQ(t.Process().FindTopWindow(L"", L"TARNEL Settings", 1500), nullptr);
        EXPECT_EQ(wt::FindDialog(t.Process(), 500).hwnd, nullptr);
        t.Command(IDM_mExit);
        EXPECT_TRUE(t.Ends());
    }
}

TEST(AppStart, TheHelpItemIsOfferedOnlyWhileTheHelpFileIsThere)
{
    Tarnel t(L"app_help_file");
    const std::wstring help = t.Folder() + L"\\tarnel58.chm";
    ASSERT_TRUE(t.Start());
    static const UINT ask = RegisterWindowMessageW(forms::kMenuStateMessage);
    auto offered = [&] {
        const LRESULT s = wt::Send(t.Main(), ask, IDM_mCallHelp);
        return s != -1 && (s & forms::kMenuEnabled) != 0;
    };
    EXPECT_FALSE(offered());
    WriteText(help, "ITSF");
    // The Help menu dropped down from the keyboard offers it now.
    t.KeyWith(VK_MENU, 'H');
    EXPECT_TRUE(wt::WaitFor(offered, 3000));
    for (int i = 0; i < 2; ++i)
        t.KeyWith(VK_ESCAPE, VK_ESCAPE);
    DeleteFileW(help.c_str());
    t.KeyWith(VK_MENU, 'H');
    EXPECT_TRUE(wt::WaitFor([&] { return !offered(); }, 3000));
    for (int i = 0; i < 2; ++i)
        t.KeyWith(VK_ESCAPE, VK_ESCAPE);
    t.Command(IDM_mExit);
    EXPECT_TRUE(t.Ends());
}
