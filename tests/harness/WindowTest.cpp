#include "WindowTest.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/Files.h"
#include "platform/Module.h"
#include "platform/Paths.h"

namespace wt {

std::wstring ProgramFolder()
{
    return platform::GetParentFolder(platform::ModuleFolder(nullptr));
}

std::string RunProbe(const std::wstring& args, const std::wstring& outFile)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileW(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return "(no output file)";
    std::wstring exe = ProgramFolder() + L"\\tests\\probe.exe";
    std::wstring cmd = L"\"" + exe + L"\" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = out;
    si.hStdError = out;
    PROCESS_INFORMATION pi{};
    bool started = CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(out);
    if (!started)
        return "(probe did not start)";
    WaitForSingleObject(pi.hProcess, 60000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    std::string bytes;
    platform::ReadWholeFile(outFile, bytes);
    return bytes;
}

std::wstring ScratchFolder(const std::wstring& name)
{
    std::wstring dir = ProgramFolder() + L"\\tests\\scratch";
    CreateDirectoryW(dir.c_str(), nullptr);
    dir += L"\\" + name;
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

bool WaitFor(const std::function<bool()>& pred, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (pred())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(20);
    }
}

Process::~Process()
{
    if (Running())
        Kill();
    if (process_)
        CloseHandle(process_);
}

bool Process::Start(const std::wstring& exe, const std::wstring& args, const std::wstring& workDir)
{
    std::wstring path = exe;
    if (path.find(L'\\') == std::wstring::npos && path.find(L'/') == std::wstring::npos)
        path = ProgramFolder() + L"\\" + exe;
    std::wstring cmd = L"\"" + path + L"\"";
    if (!args.empty())
        cmd += L" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(path.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.empty() ? nullptr : workDir.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
    WaitForInputIdle(process_, 10000);
    return true;
}

bool Process::Running() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

long Process::WaitExit(DWORD timeoutMs)
{
    if (!process_)
        return -1;
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<long>(code);
}

void Process::Kill()
{
    if (process_) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
}

std::vector<HWND> Process::TopWindows(bool visibleOnly) const
{
    struct Ctx { DWORD pid; bool visibleOnly; std::vector<HWND> found; } ctx{pid_, visibleOnly, {}};
    EnumWindows([](HWND h, LPARAM lp) -> BOOL {
        auto* c = reinterpret_cast<Ctx*>(lp);
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == c->pid && (!c->visibleOnly || IsWindowVisible(h)))
            c->found.push_back(h);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&ctx));
    return ctx.found;
}

HWND Process::FindTopWindow(const std::wstring& cls, const std::wstring& caption, DWORD timeoutMs) const
{
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND h : TopWindows()) {
            if ((cls.empty() || ClassName(h) == cls) && (caption.empty() || WindowText(h) == caption)) {
                found = h;
                return true;
            }
        }
        return false;
    }, timeoutMs);
    return found;
}

std::wstring WindowText(HWND hwnd)
{
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &len))
        return L"";
    std::wstring text(len + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &got);
    text.resize(got);
    return text;
}

std::wstring ClassName(HWND hwnd)
{
    wchar_t buf[256];
    int n = GetClassNameW(hwnd, buf, 256);
    return std::wstring(buf, n > 0 ? n : 0);
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> found;
    EnumChildWindows(parent, [](HWND h, LPARAM lp) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

void FieldsAndImageButtons(HWND parent, std::vector<HWND>& fields, std::vector<HWND>& buttons)
{
    fields.clear();
    buttons.clear();
    for (HWND c : Children(parent)) {
        const std::wstring cls = ClassName(c);
        if (cls == L"Edit")
            fields.push_back(c);
        else if (cls != L"Button" && cls != L"Static" && cls.find(L"tooltips") == std::wstring::npos)
            buttons.push_back(c);
    }
    auto byLeft = [](HWND a, HWND b) {
        RECT ra{}, rb{};
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.left < rb.left;
    };
    std::sort(fields.begin(), fields.end(), byLeft);
    std::sort(buttons.begin(), buttons.end(), byLeft);
}

HWND FindChild(HWND parent, const std::wstring& cls, const std::wstring& text)
{
    for (HWND h : Children(parent))
        if ((cls.empty() || ClassName(h) == cls) && (text.empty() || WindowText(h) == text))
            return h;
    return nullptr;
}

void PostCommand(HWND hwnd, UINT id)
{
    PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

bool DropFiles(const Process& p, HWND target, const std::vector<std::wstring>& files, POINT at)
{
    std::wstring list;
    for (const std::wstring& f : files)
        list += f + L'\0';
    list += L'\0';
    std::vector<char> block(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* df = reinterpret_cast<DROPFILES*>(block.data());
    df->pFiles = sizeof(DROPFILES);
    df->pt = at;
    df->fWide = TRUE;
    memcpy(block.data() + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    // A handle of this process means nothing in another: the block goes into
    // the program's memory, where its fixed-memory handle is its address.
    HANDLE proc = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, p.Pid());
    if (!proc)
        return false;
    void* mem = VirtualAllocEx(proc, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    const bool placed = mem && WriteProcessMemory(proc, mem, block.data(), block.size(), nullptr);
    CloseHandle(proc);
    return placed && PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(mem), 0);
}

LRESULT Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD timeoutMs)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, timeoutMs, &result);
    return static_cast<LRESULT>(result);
}

Dialog FindDialog(const Process& p, DWORD timeoutMs)
{
    Dialog d;
    WaitFor([&] {
        for (HWND h : p.TopWindows()) {
            if (ClassName(h) == L"#32770") {
                d.hwnd = h;
                return true;
            }
        }
        return false;
    }, timeoutMs);
    if (!d.hwnd)
        return d;
    d.caption = WindowText(d.hwnd);
    for (HWND c : Children(d.hwnd)) {
        if (ClassName(c) == L"Static") {
            std::wstring t = WindowText(c);
            if (!t.empty()) {
                if (!d.text.empty())
                    d.text += L"\n";
                d.text += t;
            }
        }
    }
    return d;
}

void PressButton(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

HBITMAP SolidBitmap(int cx, int cy, COLORREF color)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, cx, cy);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT r{0, 0, cx, cy};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bmp;
}

bool SaveScreenshot(const std::wstring& path, HWND hwnd)
{
    RECT r;
    if (hwnd)
        GetWindowRect(hwnd, &r);
    else
        r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return false;
    // Raised above the windows of other tests on the same display (without
    // taking the focus), and given time to paint when another process owns it.
    HWND top = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
    if (top) {
        SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        WaitFor([] { return false; }, 150);
    }
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (dib) {
        HGDIOBJ old = SelectObject(mem, dib);
        BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        SelectObject(mem, old);
        GdiFlush();
        DWORD stride = ((w * 3 + 3) / 4) * 4;
        DWORD imageSize = stride * h;
        BITMAPFILEHEADER fh{};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
        fh.bfSize = fh.bfOffBits + imageSize;
        bi.bmiHeader.biSizeImage = imageSize;
        std::ofstream out(path.c_str(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(&fh), sizeof(fh));
        out.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof(bi.bmiHeader));
        out.write(static_cast<const char*>(bits), imageSize);
        ok = static_cast<bool>(out);
        DeleteObject(dib);
    }
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

bool ScreenshotShowing(const std::wstring& path, HWND hwnd, Screenshot& seen,
                       const std::function<bool(const Screenshot&)>& shows, DWORD timeoutMs)
{
    return WaitFor([&] { return SaveScreenshot(path, hwnd) && seen.Load(path) && shows(seen); }, timeoutMs);
}

bool Screenshot::Load(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPFILEHEADER fh;
    BITMAPINFOHEADER ih;
    std::memcpy(&fh, data.data(), sizeof fh);
    std::memcpy(&ih, data.data() + sizeof fh, sizeof ih);
    const int h = ih.biHeight < 0 ? -ih.biHeight : ih.biHeight;
    const size_t stride = ((size_t(ih.biWidth) * 3 + 3) / 4) * 4;
    if (fh.bfType != 0x4D42 || ih.biBitCount != 24 || ih.biWidth <= 0 || fh.bfOffBits + stride * h > data.size())
        return false;
    width = ih.biWidth;
    height = h;
    pixels.resize(size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        const int row = ih.biHeight < 0 ? y : height - 1 - y;
        const auto* p = reinterpret_cast<const unsigned char*>(data.data() + fh.bfOffBits + stride * row);
        for (int x = 0; x < width; ++x, p += 3)
            pixels[size_t(y) * width + x] = RGB(p[2], p[1], p[0]);
    }
    return true;
}

COLORREF Screenshot::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    return pixels[size_t(y) * width + x];
}

int Screenshot::Count(COLORREF colour, RECT area, int tolerance) const
{
    if (IsRectEmpty(&area))
        area = {0, 0, width, height};
    auto within = [tolerance](int a, int b) { return a - b < tolerance && b - a < tolerance; };
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = At(x, y);
            if (c != CLR_INVALID && within(GetRValue(c), GetRValue(colour)) && within(GetGValue(c), GetGValue(colour)) &&
                within(GetBValue(c), GetBValue(colour)))
                ++n;
        }
    }
    return n;
}

bool Screenshot::Mostly(COLORREF colour, RECT area) const
{
    return Count(colour, area, 8) > (area.right - area.left) * (area.bottom - area.top) / 2;
}

RECT RectIn(HWND window, HWND of)
{
    RECT w{}, o{};
    GetWindowRect(window, &w);
    GetWindowRect(of, &o);
    OffsetRect(&w, -o.left, -o.top);
    return w;
}

} // namespace wt
