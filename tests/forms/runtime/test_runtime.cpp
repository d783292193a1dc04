// The form runtime's services that need no form: twips, folders, message and
// input boxes, clipboard, hourglass, string table.
#include "forms/Runtime.h"
#include "forms/MessagePump.h"

#include <gtest/gtest.h>

#include <functional>

using namespace forms;

namespace {

// Runs action once from a thread timer, i.e. inside whatever modal loop is
// running when it fires (message box, input box).
std::function<void()> g_timerAction;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    auto action = g_timerAction;
    g_timerAction = nullptr;
    if (action)
        action();
}

void AfterDelay(std::function<void()> action)
{
    g_timerAction = std::move(action);
    SetTimer(nullptr, 0, 150, OnTimer);
}

HWND FindDialogTitled(const wchar_t* title)
{
    for (int i = 0; i < 100; ++i) {
        if (HWND w = FindWindowW(L"#32770", title))
            return w;
        Sleep(20);
    }
    return nullptr;
}

bool EndsWithNoCase(const std::wstring& s, const std::wstring& tail)
{
    return s.size() >= tail.size() &&
           _wcsicmp(s.c_str() + s.size() - tail.size(), tail.c_str()) == 0;
}

} // namespace

TEST(Twips, FifteenPerPixelAtDefaultDpi)
{
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(TwipsPerPixelX(), 1440 / dpi);
    EXPECT_EQ(TwipsPerPixelY(), 1440 / dpi);
    if (dpi == 96) {
        EXPECT_EQ(TwipsToPixelsX(1440), 96);
        EXPECT_EQ(TwipsToPixelsY(4610), 307); // 307.33 rounds down
        EXPECT_EQ(TwipsToPixelsX(7), 0);
        EXPECT_EQ(TwipsToPixelsX(8), 1); // half a pixel and more rounds up
        EXPECT_EQ(PixelsToTwipsX(100), 1500);
        EXPECT_EQ(TwipsToPixelsX(-300), -20);
    }
    for (int px : {0, 1, 17, 640, 1279})
        EXPECT_EQ(TwipsToPixelsX(PixelsToTwipsX(px)), px);
}

TEST(ProgramFolder, FolderOfTheModuleHoldingTheCode)
{
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder(exe);
    folder.erase(folder.find_last_of(L'\\'));
    // Linked into this test program, the runtime's module is the exe.
    EXPECT_EQ(AppPath(), folder);
    EXPECT_EQ(ThisModule(), GetModuleHandleW(nullptr));
    EXPECT_EQ(ModuleOfAddress(reinterpret_cast<const void*>(&AppPath)), GetModuleHandleW(nullptr));
    // A DLL's folder is its own, not the program's.
    HMODULE k32 = GetModuleHandleW(L"kernel32.dll");
    EXPECT_EQ(ModuleOfAddress(reinterpret_cast<const void*>(GetProcAddress(k32, "Sleep"))), k32);
    EXPECT_TRUE(EndsWithNoCase(ModuleFolder(k32), L"\\system32"));
    EXPECT_EQ(ModuleOfAddress(nullptr), nullptr);
    EXPECT_EQ(AppPath().back() != L'\\', true);
}

TEST(Colours, SystemAndPlainColours)
{
    EXPECT_EQ(ToColorRef(0x00FF0000), RGB(0, 0, 255));
    EXPECT_EQ(ToColorRef(vbButtonFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ToColorRef(vb3DHighlight), GetSysColor(COLOR_3DHILIGHT));
}

TEST(Clipboard, UnicodeTextRoundTrip)
{
    const std::wstring text = L"Gr\u00FC\u00DFe \u2013 \u65E5\u672C\u8A9E \u2713\r\nline 2";
    ASSERT_TRUE(ClipboardSetText(text));
    EXPECT_TRUE(ClipboardHasText());
    EXPECT_EQ(ClipboardGetText(), text);
    ASSERT_TRUE(ClipboardSetText(L""));
    EXPECT_EQ(ClipboardGetText(), L"");
    ASSERT_TRUE(ClipboardClear());
    EXPECT_FALSE(ClipboardHasText());
    EXPECT_EQ(ClipboardGetText(), L"");
}

TEST(StringTable, LoadsFromTheModuleHoldingTheForms)
{
    EXPECT_EQ(LoadResString(120), L"WScript.exe (or CScript.exe) not found.");
    EXPECT_EQ(LoadResString(138, GetModuleHandleW(nullptr)), L"Replace stopped: not enough memory.");
    EXPECT_EQ(LoadResString(121), L"");
}

TEST(MessageBox, ReturnsTheButtonPressed)
{
    std::wstring seenText;
    AfterDelay([&] {
        HWND box = FindDialogTitled(L"Runtime test");
        ASSERT_NE(box, nullptr);
        PostMessageW(box, WM_COMMAND, IDNO, 0);
    });
    EXPECT_EQ(MsgBox(L"Save changes?", vbYesNoCancel + vbQuestion, L"Runtime test"), vbNo);

    AfterDelay([&] {
        HWND box = FindDialogTitled(L"Runtime test");
        ASSERT_NE(box, nullptr);
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(MsgBox(L"Go on?", vbOKCancel + vbInformation, L"Runtime test"), vbCancel);
}

TEST(InputBox, AnsweredFromOutside)
{
    AfterDelay([] {
        HWND box = FindDialogTitled(L"Customize Auto-insert Buttons");
        ASSERT_NE(box, nullptr);
        wchar_t prompt[128] = {};
        GetDlgItemTextW(box, kInputBoxPromptId, prompt, 128);
        EXPECT_STREQ(prompt, L"Enter new button caption.");
        wchar_t start[64] = {};
        GetDlgItemTextW(box, kInputBoxTextId, start, 64);
        EXPECT_STREQ(start, L"old");
        SetDlgItemTextW(box, kInputBoxTextId, L"Caf\u00E9 <b>");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    bool cancelled = true;
    EXPECT_EQ(InputBox(L"Enter new button caption.", L"Customize Auto-insert Buttons", L"old",
                       nullptr, &cancelled),
              L"Caf\u00E9 <b>");
    EXPECT_FALSE(cancelled);

    // Cancel gives "" even with text typed.
    AfterDelay([] {
        HWND box = FindDialogTitled(L"Customize Auto-insert Buttons");
        ASSERT_NE(box, nullptr);
        SetDlgItemTextW(box, kInputBoxTextId, L"typed");
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(InputBox(L"Enter new button caption.", L"Customize Auto-insert Buttons", L"",
                       nullptr, &cancelled),
              L"");
    EXPECT_TRUE(cancelled);
}

TEST(Hourglass, ScopesNestAndRestore)
{
    EXPECT_EQ(ScreenMousePointer(), MousePointer::Default);
    {
        Hourglass outer;
        EXPECT_EQ(ScreenMousePointer(), MousePointer::Hourglass);
        {
            Hourglass inner;
            EXPECT_EQ(ScreenMousePointer(), MousePointer::Hourglass);
        }
        EXPECT_EQ(ScreenMousePointer(), MousePointer::Hourglass);
    }
    EXPECT_EQ(ScreenMousePointer(), MousePointer::Default);
}

TEST(DoEvents, RunsPendingMessagesAndKeepsQuit)
{
    int ran = 0;
    static int* counter = nullptr;
    counter = &ran;
    UINT_PTR id = SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR t, DWORD) {
        KillTimer(nullptr, t);
        ++*counter;
    });
    ASSERT_NE(id, 0u);
    Sleep(30);
    DoEvents();
    EXPECT_EQ(ran, 1);

    PostQuitMessage(3);
    DoEvents();
    // The quit request is still there for the main loop.
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}
