#include "TarnelCopy.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace apptest {

namespace {

// A copy that fails leaves the file of an earlier run in place (or none), and
// the test would run that program instead of this build's.
void CopyInto(const std::wstring& from, const std::wstring& to)
{
    EXPECT_TRUE(CopyFileW(from.c_str(), to.c_str(), FALSE))
        << "copying " << testing::PrintToString(to) << " failed, error " << GetLastError();
}

} // namespace

Tarnel::Tarnel(const std::wstring& name)
{
    const std::wstring bin = wt::ProgramFolder();
    folder_ = wt::ScratchFolder(name);
    for (const wchar_t* f : {L"TARNEL.exe", L"plimsor.dll", L"DirectCOM.dll"})
        CopyInto(bin + L"\\" + f, folder_ + L"\\" + f);
    // Parked documents an earlier run of the test left (a program it ended)
    // would be offered at this start.
    for (const wchar_t* pattern : {L"\\temp\\*.dat", L"\\temp\\*.inf"}) {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((folder_ + pattern).c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        do
            DeleteFileW((folder_ + L"\\temp\\" + fd.cFileName).c_str());
        while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    const std::wstring settings = folder_ + L"\\Settings";
    CreateDirectoryW(settings.c_str(), nullptr);
    DeleteFileW(SettingsFile().c_str());
    for (const wchar_t* f : {L"tarnelk.ini", L"tarneljk.ini", L"tarnelc.ini", L"tarnelpk.ini"})
        CopyInto(bin + L"\\Settings\\" + f, settings + L"\\" + f);
}

Tarnel::~Tarnel()
{
    if (process_.Running()) {
        process_.Kill();
        process_.WaitExit(5000);
    }
}

void Tarnel::WriteRecord(const SettingsRecord& rec) const
{
    ASSERT_TRUE(SettingsRecordFile::WriteRecord(SettingsFile(), rec));
}

bool Tarnel::ReadRecord(SettingsRecord& rec) const
{
    return SettingsRecordFile::ReadRecord(SettingsFile(), rec) == SettingsRecordFile::ReadResult::Read;
}

bool Tarnel::Start(const std::wstring& args)
{
    return Launch(args) && WaitForMain();
}

bool Tarnel::StartPastMessage(std::wstring& text)
{
    text.clear();
    if (!Launch(L""))
        return false;
    wt::Dialog msg = wt::FindDialog(process_);
    if (!msg.hwnd) {
        ADD_FAILURE() << "no message at start-up";
        return false;
    }
    text = msg.text;
    wt::PressButton(msg.hwnd, IDOK);
    return WaitForMain();
}

bool Tarnel::Launch(const std::wstring& args)
{
    // Under Wine the start also fails when the new process ends while its
    // libraries load; the error code tells the two apart.
    if (!process_.Start(folder_ + L"\\TARNEL.exe", args, folder_)) {
        ADD_FAILURE() << "TARNEL.exe did not start, error " << GetLastError();
        return false;
    }
    return true;
}

bool Tarnel::WaitForMain()
{
    // Start-up has ended once the caption names the type and the document
    // ("TARNEL Editor - HTML - Untitled") and the window answers.
    auto finished = [](HWND w) {
        std::wstring caption = wt::WindowText(w);
        return caption.rfind(L"TARNEL Editor - ", 0) == 0 && caption.find(L" - ", 16) != std::wstring::npos;
    };
    main_ = nullptr;
    wt::WaitFor([&] {
        for (HWND w : process_.TopWindows())
            if (finished(w)) {
                main_ = w;
                return true;
            }
        return false;
    }, 20000);
    if (!main_) {
        ADD_FAILURE() << (process_.Running() ? "no main window with a finished caption in 20 s"
                                             : "TARNEL.exe ended during start-up, code " +
                                                   std::to_string(process_.WaitExit(0)));
        return false;
    }
    DWORD_PTR unused = 0;
    return finished(main_) &&
           SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &unused) != 0;
}

HWND Tarnel::Editor() const
{
    // Parked documents keep hidden RichEdit windows of their own.
    for (HWND w : wt::Children(main_))
        if (IsWindowVisible(w) && (lstrcmpiW(wt::ClassName(w).c_str(), L"RICHEDIT50W") == 0 ||
                                   lstrcmpiW(wt::ClassName(w).c_str(), L"RichEdit20W") == 0))
            return w;
    return nullptr;
}

HWND Tarnel::Gutter() const
{
    HWND gutter = nullptr;
    int tallest = 0;
    for (HWND w : wt::Children(main_)) {
        RECT r{};
        GetWindowRect(w, &r);
        if (lstrcmpiW(wt::ClassName(w).c_str(), L"Edit") == 0 && IsWindowVisible(w) && r.bottom - r.top > tallest) {
            tallest = r.bottom - r.top;
            gutter = w;
        }
    }
    return gutter;
}

namespace {

// A sent message overtakes posted ones: wait until the posted keys, and the
// characters the program's message loop makes of them, have been taken.
void Settle(HWND re)
{
    for (int i = 0; i < 4; ++i) {
        Sleep(15);
        wt::Send(re, WM_NULL);
    }
}

} // namespace

void Tarnel::KeyWith(WORD modifier, WORD key) const
{
    SetForegroundWindow(main_);
    SetFocus(Editor());
    INPUT in[4] = {};
    const WORD keys[4] = {modifier, key, key, modifier};
    for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = keys[i];
        in[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, in, sizeof(INPUT));
    Sleep(150);
    wt::Send(Editor(), WM_NULL);
    wt::Send(main_, WM_NULL);
}

void Tarnel::Type(const std::wstring& text) const
{
    HWND re = Editor();
    for (wchar_t c : text) {
        if (c == L'\r') {
            // The loop makes the line break of the key; it comes before the
            // key goes up, as from the keyboard, however slow the program.
            const LRESULT lines = wt::Send(re, EM_GETLINECOUNT);
            PostMessageW(re, WM_KEYDOWN, VK_RETURN, 1);
            wt::WaitFor([&] { return wt::Send(re, EM_GETLINECOUNT) > lines; }, 5000);
            PostMessageW(re, WM_KEYUP, VK_RETURN, 0xC0000001);
        } else {
            PostMessageW(re, WM_CHAR, c, 1);
        }
    }
    Settle(re);
}

bool Tarnel::Ends(DWORD ms)
{
    return process_.WaitExit(ms) == 0;
}

void Tarnel::Shot(const std::wstring& file) const
{
    wt::SaveScreenshot(folder_ + L"\\" + file);
}

} // namespace apptest
