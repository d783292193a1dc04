#pragma once
// Window-test helper: starts a program of the build on the (virtual) display,
// finds its windows, drives them with messages, reads their text and saves
// screenshots. Everything here works from outside the program under test.
#include <windows.h>

#include "Drawn.h"

#include <functional>
#include <string>
#include <vector>

namespace wt {

// The program folder (bin/) that holds TARNEL.exe; tests live in bin/tests.
std::wstring ProgramFolder();
// A scratch folder under bin/tests/scratch for this test program, created on demand.
std::wstring ScratchFolder(const std::wstring& name);

// Runs bin/tests/probe.exe with args, its output and errors going to
// outFile, and gives what it wrote (or a note that it could not run).
std::string RunProbe(const std::wstring& args, const std::wstring& outFile);

// Polls pred every 20 ms, letting this thread's messages run, until it holds
// or timeoutMs passes.
bool WaitFor(const std::function<bool()>& pred, DWORD timeoutMs = 10000);

class Process {
public:
    Process() = default;
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts exe (a path, or a name in the program folder) with the given
    // command line tail. Returns false when the process could not start.
    bool Start(const std::wstring& exe, const std::wstring& args = L"",
               const std::wstring& workDir = L"");
    DWORD Pid() const { return pid_; }
    bool Running() const;
    // Waits for the process to end; returns its exit code or -1 on timeout.
    long WaitExit(DWORD timeoutMs = 10000);
    void Kill();

    // A visible top-level window of this process whose class (if given) and
    // caption (if given) match; waits up to timeoutMs.
    HWND FindTopWindow(const std::wstring& cls, const std::wstring& caption,
                       DWORD timeoutMs = 10000) const;
    std::vector<HWND> TopWindows(bool visibleOnly = true) const;

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);
// First descendant whose class and text match (empty matches anything).
HWND FindChild(HWND parent, const std::wstring& cls, const std::wstring& text = L"");
std::vector<HWND> Children(HWND parent);
// The Edit fields among parent's descendants, and its image buttons (those
// of no standard class: neither Edit, Button, Static nor a tool tip), each
// from left to right on the screen.
void FieldsAndImageButtons(HWND parent, std::vector<HWND>& fields, std::vector<HWND>& buttons);
// Posts WM_COMMAND with a menu or control id, as a menu pick would.
void PostCommand(HWND hwnd, UINT id);
// Drops files on a window of p as the shell does: a DROPFILES block (`at` in
// the window's client area) placed in p's own memory and handed over with
// WM_DROPFILES. False when the block could not be placed.
bool DropFiles(const Process& p, HWND target, const std::vector<std::wstring>& files, POINT at = {});
LRESULT Send(HWND hwnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0, DWORD timeoutMs = 5000);

// A message box or dialog of the process: its caption and static text.
struct Dialog {
    HWND hwnd = nullptr;
    std::wstring caption;
    std::wstring text;
};
Dialog FindDialog(const Process& p, DWORD timeoutMs = 10000);
// Presses the dialog button with the given id (IDOK, IDYES, ...).
void PressButton(HWND dialog, int id);

// A bitmap of one colour, compatible with the screen; the caller deletes it.
HBITMAP SolidBitmap(int cx, int cy, COLORREF color);

// Saves the whole screen (or one window, raised above the others first) as
// a 24-bit BMP file.
bool SaveScreenshot(const std::wstring& path, HWND hwnd = nullptr);

// A screenshot read back, so a test can check what it shows.
struct Screenshot {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;  // row by row from the top left
    // False when path holds no 24-bit bitmap.
    bool Load(const std::wstring& path);
    COLORREF At(int x, int y) const;
    // Pixels of `area` (the whole picture when empty) within `tolerance` of
    // colour in each channel.
    int Count(COLORREF colour, RECT area = {}, int tolerance = 60) const;
    // More than half of `area` shows colour (within a small tolerance).
    bool Mostly(COLORREF colour, RECT area) const;
};
// Where window lies in a screenshot of the window `of`.
RECT RectIn(HWND window, HWND of);
// Takes screenshots of hwnd into path until one `shows` what it should, or
// timeoutMs passes: a window of another test on the same display may cover
// it for a while. seen holds the last picture; false when none showed it.
bool ScreenshotShowing(const std::wstring& path, HWND hwnd, Screenshot& seen,
                       const std::function<bool(const Screenshot&)>& shows, DWORD timeoutMs = 5000);

} // namespace wt
