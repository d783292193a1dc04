// Running scripts through Wine's script hosts, the external-program items
// and line debugging, on the real TARNEL.exe.
#include <gtest/gtest.h>

#include "Drive.h"
#include "MenuIds.h"
#include "forms/Menu.h"

using apptest::Tarnel;
using namespace drive;

namespace {

const wchar_t kVBScript[] =
    L"Set fso = CreateObject(\"Scripting.FileSystemObject\")\r\n"
    L"Set f = fso.CreateTextFile(WScript.Arguments(0), True)\r\n"
    L"f.Write WScript.Arguments(1)\r\n"
    L"f.Close\r\n";

const wchar_t kJScript[] =
    L"var fso = new ActiveXObject(\"Scripting.FileSystemObject\");\r\n"
    L"var f = fso.CreateTextFile(WScript.Arguments(0), true);\r\n"
    L"f.Write(WScript.Arguments(1) + \" \" + WScript.FullName.toLowerCase());\r\n"
    L"f.Close();\r\n";

HWND CommandLineBox(HWND main)
{
    HWND frame = FrameOf(main, L"Command Line:");
    return frame ? wt::FindChild(frame, L"Edit") : nullptr;
}

// The place of the one shown control of the bar at the spot (twips); -1
// while none or more than one is shown there.
int OnlyShownAt(HWND bar, int xTwips, int yTwips)
{
    const Spot s = SpotAt(bar, xTwips, yTwips);
    return s.shown == 1 ? s.place : -1;
}

SettingsRecord OfType(int type)
{
    SettingsRecord rec;
    rec.LastEdType = type;
    return rec;
}

} // namespace

TEST(RunWindow, AVBScriptRunsFromTheProgramsOwnScriptFileWithSwitchesAndArguments)
{
    // A script an ended run left behind goes at start-up; one of a program
    // that still runs (this test) stays.
    const std::wstring scripts = TempFolder() + L"\\TARNEL scripts";
    CreateDirectoryW(scripts.c_str(), nullptr);
    const std::wstring dead = scripts + L"\\wtemp-999997.vbs";
    const std::wstring live = scripts + L"\\wtemp-" + std::to_wstring(GetCurrentProcessId()) + L".js";
    WriteAll(dead, "x");
    WriteAll(live, "x");
    DeleteFileW((TempFolder() + L"\\wtemp.vbs").c_str());

    Tarnel t(L"run_vbs");
    t.WriteRecord(OfType(4));
    ASSERT_TRUE(t.Start());
    EXPECT_TRUE(wt::WaitFor([&] { return !Exists(dead); }, 5000));
    EXPECT_TRUE(Exists(live));
    DeleteFileW(live.c_str());

    const std::wstring out = t.Folder() + L"\\out vbs.txt";
    DeleteFileW(out.c_str());
    SetText(t.Editor(), kVBScript);
    t.Command(IDM_mShowCommand);
    HWND box = CommandLineBox(t.Main());
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(IsWindowVisible(box));
    SetText(box, L"//nologo + \"" + out + L"\" from-vbs");
    t.Command(IDM_mRunScript);
    EXPECT_TRUE(wt::WaitFor([&] { return ReadAll(out) == "from-vbs"; }, 20000))
        << "the script wrote its arguments " << [&] { auto d = wt::FindDialog(t.Process(), 100); return std::string(d.text.begin(), d.text.end()); }();
    EXPECT_TRUE(Exists(scripts + L"\\wtemp-" + std::to_wstring(t.Process().Pid()) + L".vbs")) << [&] {
        std::string names;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((std::string(scripts.begin(), scripts.end()) + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do
                names += std::string(fd.cFileName) + " ";
            while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        return names + " pid " + std::to_string(t.Process().Pid());
    }();
    EXPECT_FALSE(Exists(TempFolder() + L"\\wtemp.vbs")) << "no shared file in the Temp folder";
    EXPECT_TRUE(ExitWithoutSaving(t));
}

TEST(RunWindow, AJavaScriptRunsWithCScriptAndPlainArguments)
{
    Tarnel t(L"run_js");
    t.WriteRecord(OfType(5));
    ASSERT_TRUE(t.Start());
    t.Command(IDM_mRunEXE_1);
    const std::wstring out = t.Folder() + L"\\out-js.txt";
    SetText(t.Editor(), kJScript);
    SetText(CommandLineBox(t.Main()), out + L" from-js");
    t.Command(IDM_mRunScript);
    EXPECT_TRUE(wt::WaitFor([&] { return ReadAll(out).rfind("from-js ", 0) == 0; }, 20000));
    EXPECT_NE(ReadAll(out).find("cscript.exe"), std::string::npos) << "Use CScript chose the console host";

    // An HTML document is not run.
    DeleteFileW(out.c_str());
    t.Command(IDM_mWebBack);
    t.Command(IDM_mRunScript);
    Sleep(1500);
    EXPECT_FALSE(Exists(out));
    EXPECT_TRUE(ExitWithoutSaving(t));
}

TEST(RunWindow, ExternalItemsReportWhatIsMissingAndStartPrograms)
{
    Tarnel t(L"run_external");
    const std::wstring tools = t.Folder() + L"\\my tools";
    CreateDirectoryW(tools.c_str(), nullptr);
    const std::wstring marker = tools + L"\\run marker.exe";
    ASSERT_TRUE(CopyFileW((wt::ProgramFolder() + L"\\tests\\run_marker.exe").c_str(), marker.c_str(), FALSE));
    DeleteFileW((marker + L".ran").c_str());
    const std::wstring notes = tools + L"\\notes.txt";
    WriteAll(notes, "notes");
    SettingsRecord rec;
    rec.ExePath1 = L"a.ex";
    rec.ExeName1 = L"Short";
    rec.ExePath2 = t.Folder() + L"\\missing tool.exe";
    rec.ExeName2 = L"Missing";
    rec.ExePath3 = marker;
    rec.ExeName3 = L"Marker";
    t.WriteRecord(rec);
    ASSERT_TRUE(t.Start());

    t.Command(IDM_mex1_0);
    wt::Dialog d = wt::FindDialog(t.Process());
    ASSERT_NE(d.hwnd, nullptr);
    EXPECT_EQ(d.text, L"There is no program set to run. Go to Options > Settings to choose one.");
    wt::PressButton(d.hwnd, IDOK);
    ASSERT_TRUE(wt::WaitFor([&] { return !IsWindow(d.hwnd); }, 5000));

    t.Command(IDM_mex1_1);
    d = wt::FindDialog(t.Process());
    ASSERT_NE(d.hwnd, nullptr);
    EXPECT_NE(d.text.find(L"File not found:"), std::wstring::npos);
    EXPECT_NE(d.text.find(rec.ExePath2), std::wstring::npos);
    wt::PressButton(d.hwnd, IDOK);
    ASSERT_TRUE(wt::WaitFor([&] { return !IsWindow(d.hwnd); }, 5000));

    t.Command(IDM_mex1_2);
    EXPECT_TRUE(wt::WaitFor([&] { return ReadAll(marker + L".ran") == "ran"; }, 10000))
        << "a program path with blanks starts that program";
    t.Command(IDM_mExit);
    ASSERT_TRUE(t.Ends());

    // A text file as the item does nothing.
    rec.ExePath1 = notes;
    t.WriteRecord(rec);
    ASSERT_TRUE(t.Start());
    t.Command(IDM_mex1_0);
    EXPECT_EQ(wt::FindDialog(t.Process(), 1500).hwnd, nullptr);
    t.Command(IDM_mExit);
    EXPECT_TRUE(t.Ends());
}

TEST(RunWindow, LineDebuggingFollowsMenusAndButtonsAndACleanCheckGivesTheChoiceBack)
{
    Tarnel t(L"run_line_debug");
    t.WriteRecord(OfType(4));
    CopyFileW((wt::ProgramFolder() + L"\\Settings\\tarnelo.ini").c_str(),
              (t.Folder() + L"\\Settings\\tarnelo.ini").c_str(), FALSE);
    ASSERT_TRUE(t.Start());
    HWND bar = GetParent(wt::FindChild(t.Main(), L"ComboBox"));
    ASSERT_NE(bar, nullptr);
    // Buttons 16 and 17 share one place in the second tool bar: exactly one
    // is shown, and it switches line debugging the other way.
    t.Command(IDM_mNoDebug);
    int off = -1, on = -1;
    ASSERT_TRUE(wt::WaitFor([&] { return (off = OnlyShownAt(bar, 5330, 45)) >= 0; }, 3000));
    t.Command(IDM_mDoDebug);
    ASSERT_TRUE(wt::WaitFor([&] { return (on = OnlyShownAt(bar, 5330, 45)) >= 0 && on != off; }, 3000));
    wt::Click(VisibleAt(bar, 5330, 45));
    EXPECT_TRUE(wt::WaitFor([&] { return OnlyShownAt(bar, 5330, 45) == off; }, 3000));
    wt::Click(VisibleAt(bar, 5330, 45));
    EXPECT_TRUE(wt::WaitFor([&] { return OnlyShownAt(bar, 5330, 45) == on; }, 3000));

    // With line debugging on, a check that finds nothing leaves it on.
    SetText(t.Editor(), L"Dim a\r\na = 1\r\n");
    t.Command(IDM_mRunDebug);
    EXPECT_TRUE(wt::WaitFor([&] { return bool(wt::FindDrawn(t.Main(), L"OK")); }, 10000));
    EXPECT_TRUE(ExitWithoutSaving(t));
    SettingsRecord rec;
    ASSERT_TRUE(t.ReadRecord(rec));
    EXPECT_FALSE(rec.NoLineDebug) << "the user's line-debugging choice came back";
}

// Runs in a prefix without the script hosts, which nohost_prefix.sh makes
// for the run that sets TARNEL_NO_SCRIPT_HOSTS.
TEST(RunWithoutHosts, RunningAScriptSaysTheScriptHostIsMissing)
{
    if (!GetEnvironmentVariableW(L"TARNEL_NO_SCRIPT_HOSTS", nullptr, 0))
        GTEST_SKIP() << "the script hosts are there";
    ASSERT_FALSE(Exists(platform::SystemFolder() + L"\\wscript.exe")) << "a prefix with the script hosts";
    Tarnel t(L"run_no_host");
    t.WriteRecord(OfType(4));
    ASSERT_TRUE(t.Start());
    static const UINT menuState = RegisterWindowMessageW(forms::kMenuStateMessage);
    EXPECT_EQ(wt::Send(t.Main(), menuState, IDM_mRunEXE_1) & forms::kMenuEnabled, 0) << "Use CScript";
    SetText(t.Editor(), L"WScript.Echo 1\r\n");
    for (UINT run : {IDM_mRunScript, IDM_mRunMSD}) {
        t.Command(run);
        wt::Dialog d = wt::FindDialog(t.Process());
        EXPECT_EQ(d.text, L"WScript.exe (or CScript.exe) not found. The Windows Script Host must be installed to "
                          L"run scripts.");
        if (d.hwnd)
            wt::PressButton(d.hwnd, IDOK);
        ASSERT_TRUE(wt::WaitFor([&] { return !IsWindow(d.hwnd); }, 5000));
    }
    EXPECT_TRUE(ExitWithoutSaving(t));
}
