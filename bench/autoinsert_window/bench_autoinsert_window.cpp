// bench_autoinsert_window: starts TARNEL.exe on a generated 10,000-line
// VBScript page, in a program folder whose object list holds 200 objects of
// 30 members each (all loaded at start), and times, with the keys pressed
// through the keyboard and the program asked until it shows the result:
//   - "." typed after a variable of the last object: key down to the popup
//     list shown, checked to hold that object's members;
//   - "(" typed after msgbox: key down to the word re-spelt from the
//     signature, which happens as the tip is shown.
// Each is repeated seven times and the median printed.
//
//   bench_autoinsert_window [lines]      (default 10000)
#include <windows.h>

#include "bench/BenchTools.h"
#include "bench/WindowBench.h"
#include "platform/Files.h"
#include <richedit.h>

#include <algorithm>
#include <initializer_list>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using bench::Editor;
using bench::Key;
using bench::Send;

// A child window of this class (a visible one unless told).
HWND Child(HWND main, const wchar_t* cls, bool visibleOnly = true)
{
    for (HWND w : wt::Children(main))
        if ((!visibleOnly || IsWindowVisible(w)) && lstrcmpiW(wt::ClassName(w).c_str(), cls) == 0)
            return w;
    return nullptr;
}

// The keys pressed in order and let go in reverse through the keyboard,
// as a person types them (Shift held for "(").
void Keys(HWND main, HWND re, std::initializer_list<WORD> keys)
{
    SetForegroundWindow(main);
    SetFocus(re);
    std::vector<INPUT> in;
    for (WORD k : keys) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        in.push_back(i);
    }
    for (auto k = keys.end(); k != keys.begin();) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = *--k;
        i.ki.dwFlags = KEYEVENTF_KEYUP;
        in.push_back(i);
    }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

// Asks until done holds, for two seconds at most.
template <class F>
bool Until(HWND main, F done)
{
    const double start = bench::Now();
    while (bench::Now() - start < 2000) {
        if (done())
            return true;
        Send(main, WM_NULL);
    }
    return false;
}

// The first n characters of the editor's text.
std::wstring Start(HWND re, int n)
{
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(re, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(&buf[0]));
    buf.resize(wcslen(buf.c_str()));
    return buf;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

std::string ObjectList(int objects, int members)
{
    std::string ini;
    for (int o = 1; o <= objects; ++o) {
        ini += "[Bench.Object" + std::to_string(o) + "]\r\nLoad*Startup=yes\r\nvar*1=obj" + std::to_string(o) + "\r\n";
        for (int m = 1; m <= members; ++m)
            ini += "Member" + std::to_string(m) + "=Member" + std::to_string(m) + "(a, b) - " +
                   (m % 2 ? "Method" : "Property") + " - Member " + std::to_string(m) + " of object " +
                   std::to_string(o) + "\r\n";
    }
    return ini;
}

std::string ScriptPage(int lines)
{
    std::string page;
    for (int i = 1; i <= lines; ++i)
        page += "x" + std::to_string(i) + " = Len(\"line " + std::to_string(i) + "\") ' note\r\n";
    return page;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int lines = argc > 1 ? std::max(100, _wtoi(argv[1])) : 10000;
    const std::wstring dir = bench::TarnelCopy(L"autoinsert_window_run");
    const std::wstring page = dir + L"\\page.vbs";
    // The shipped signature list, and an object list of 200 objects.
    CopyFileW((bench::BinFolder() + L"\\Settings\\tarnelv.ini").c_str(), (dir + L"\\Settings\\tarnelv.ini").c_str(),
              FALSE);
    if (!platform::WriteFileSafely(dir + L"\\Settings\\tarnelt.ini", ObjectList(200, 30)) ||
        !platform::WriteFileSafely(page, ScriptPage(lines))) {
        std::printf("cannot write the page or the object list\n");
        return 1;
    }
    wt::Process p;
    HWND main = bench::StartOn(p, dir, page);
    HWND re = main ? Editor(main) : nullptr;
    if (!re) {
        std::printf("no editor window\n");
        return 1;
    }
    std::printf("page: %d VBScript lines; object list: 200 objects of 30 members\n", lines);

    std::vector<double> popup, tip;
    int shownWithMembers = 0, tipsShown = 0;
    for (int round = 0; round < 7; ++round) {
        // At the start of the page: "obj200" and "." typed, the list
        // waited for, then closed with Space and the text taken out again.
        re = Editor(main);
        Send(re, EM_SETSEL, 0, 0);
        for (wchar_t c : std::wstring(L"obj200"))
            Send(re, WM_CHAR, c, 1);
        HWND list = nullptr;
        double t0 = bench::Now();
        Keys(main, re, {VK_OEM_PERIOD});
        const bool shown = Until(main, [&] { return (list = Child(main, L"ListBox")) != nullptr; });
        popup.push_back(bench::Now() - t0);
        if (shown && Send(list, LB_GETCOUNT) == 30)
            shownWithMembers++;
        Key(re, VK_SPACE, L' ');  // closes the list
        Send(re, EM_SETSEL, 0, 8);
        Send(re, WM_CLEAR);

        // "msgbox" and "(" on a line of their own: the tip shows and the
        // word takes the signature's spelling.
        Key(re, VK_RETURN, L'\r');
        Send(re, EM_SETSEL, 0, 0);
        for (wchar_t c : std::wstring(L"msgbox"))
            Send(re, WM_CHAR, c, 1);
        t0 = bench::Now();
        Keys(main, re, {VK_SHIFT, '9'});
        const bool corrected = Until(main, [&] { return Start(re, 7) == L"MsgBox("; });
        tip.push_back(bench::Now() - t0);
        tipsShown += corrected ? 1 : 0;
        Key(re, VK_ESCAPE, 0);
        Send(re, EM_SETSEL, 0, 8);
        Send(re, WM_CLEAR);
    }
    std::printf("%-52s %8.1f ms  (target under 50; list held the members %d of 7 times)\n",
                "\".\" after a known variable to the popup shown", Median(popup), shownWithMembers);
    std::printf("%-52s %8.1f ms  (target under 50; spelling corrected %d of 7 times)\n",
                "\"(\" after MsgBox to the tip shown", Median(tip), tipsShown);
    p.Kill();
    return 0;
}
