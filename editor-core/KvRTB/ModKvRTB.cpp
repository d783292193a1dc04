#include "ModKvRTB.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace ModKvRTB {

bool UTF8Text = false;

DWORD CALLBACK StreamInString(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* done)
{
    auto* sb = reinterpret_cast<StreamBuffer*>(cookie);
    size_t left = sb->bytes.size() - std::min(sb->readPos, sb->bytes.size());
    size_t n = std::min(left, static_cast<size_t>(std::max<LONG>(cb, 0)));
    if (n)
        std::memcpy(buffer, sb->bytes.data() + sb->readPos, n);
    sb->readPos += n;
    *done = static_cast<LONG>(n);   // 0 ends the stream
    return 0;
}

DWORD CALLBACK StreamOutString(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* done)
{
    auto* sb = reinterpret_cast<StreamBuffer*>(cookie);
    *done = 0;
    try {
        if (cb > 0)
            sb->bytes.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(cb));
    } catch (...) {
        return 1;   // out of memory: stop the stream rather than throw into the RichEdit
    }
    *done = cb;
    return 0;
}

DWORD CALLBACK StreamOutFile(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* done)
{
    *done = 0;
    if (cb <= 0)
        return 0;
    DWORD written = 0;
    if (!WriteFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(cb), &written,
                   nullptr) ||
        written != static_cast<DWORD>(cb))
        return 1;
    *done = cb;
    return 0;
}

std::string ToCodePage(const std::wstring& text, UINT codePage)
{
    if (text.empty())
        return {};
    int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                0, nullptr, nullptr);
    if (n <= 0)
        return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &out[0], n,
                        nullptr, nullptr);
    return out;
}

std::wstring FromCodePage(const std::string& bytes, UINT codePage)
{
    if (bytes.empty())
        return {};
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                                nullptr, 0);
    if (n <= 0)
        return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &out[0], n);
    return out;
}

UINT DocumentCodePage()
{
    return UTF8Text ? CP_UTF8 : CP_ACP;
}

std::string RtfToBytes(const std::wstring& rtf)
{
    std::string out;
    out.reserve(rtf.size() + 16);
    for (wchar_t c : rtf) {
        if (c < 128) {
            out += static_cast<char>(c);
        } else {
            // RTF numbers are signed 16-bit; the "?" is the one fallback
            // character a reader skips (\uc1, the default).
            out += "\\u";
            out += std::to_string(static_cast<short>(c));
            out += '?';
        }
    }
    return out;
}

std::wstring RtfFromBytes(const std::string& bytes)
{
    bool ascii = std::all_of(bytes.begin(), bytes.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 128; });
    if (!ascii)
        return FromCodePage(bytes, CP_ACP);
    return std::wstring(bytes.begin(), bytes.end());
}

namespace {

int CharClass(wchar_t c)
{
    if (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == 0x0B || c == 0x0C ||
        c == 0xA0)
        return 0;
    if (IsCharAlphaNumericW(c) || c == L'_')
        return 1;
    return 2;
}

} // namespace

long FindWordBreak(const std::wstring& text, long pos, int code)
{
    const long n = static_cast<long>(text.size());
    pos = std::max(0L, std::min(pos, n));
    auto cls = [&](long i) { return CharClass(text[static_cast<size_t>(i)]); };
    switch (code) {
    case WB_MOVEWORDRIGHT:
    case WB_RIGHT:
        if (pos < n) {
            int c = cls(pos);
            if (c != 0)
                while (pos < n && cls(pos) == c)
                    ++pos;
            while (pos < n && cls(pos) == 0)
                ++pos;
        }
        return pos;
    case WB_RIGHTBREAK:
        if (pos < n && cls(pos) != 0) {
            int c = cls(pos);
            while (pos < n && cls(pos) == c)
                ++pos;
        }
        return pos;
    case WB_MOVEWORDLEFT:
    case WB_LEFT:
        while (pos > 0 && cls(pos - 1) == 0)
            --pos;
        [[fallthrough]];
    case WB_LEFTBREAK:
        if (pos > 0 && cls(pos - 1) != 0) {
            int c = cls(pos - 1);
            while (pos > 0 && cls(pos - 1) == c)
                --pos;
        }
        return pos;
    default:
        return pos;
    }
}

std::wstring LongPath(const std::wstring& path)
{
    if (path.empty() || path.compare(0, 4, L"\\\\?\\") == 0)
        return path;
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full;
    if (n) {
        std::vector<wchar_t> buf(n + 1);
        DWORD got = GetFullPathNameW(path.c_str(), n + 1, buf.data(), nullptr);
        if (got && got <= n)
            full.assign(buf.data(), got);
    }
    if (full.empty())
        return path;
    // Folders already stop short of MAX_PATH (room for an 8.3 name).
    if (full.size() < MAX_PATH - 12)
        return full;
    if (full.compare(0, 2, L"\\\\") == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

HANDLE OpenForRead(const std::wstring& path)
{
    if (path.empty())
        return INVALID_HANDLE_VALUE;
    return CreateFileW(LongPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes)
{
    bytes.clear();
    HANDLE h = OpenForRead(path);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size) || size.QuadPart > 0x7FFFFFFF) {
        ok = false;
    } else {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        size_t got = 0;
        while (got < bytes.size()) {
            DWORD n = 0;
            DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - got, 1 << 20));
            if (!ReadFile(h, &bytes[got], want, &n, nullptr)) {
                ok = false;
                break;
            }
            if (n == 0)
                break;   // the file shrank while we read it
            got += n;
        }
        bytes.resize(got);
    }
    CloseHandle(h);
    if (!ok)
        bytes.clear();
    return ok;
}

SafeFileWriter::SafeFileWriter(const std::wstring& path)
{
    if (path.empty())
        return;
    target_ = LongPath(path);
    oldAttributes_ = GetFileAttributesW(target_.c_str());
    if (oldAttributes_ != INVALID_FILE_ATTRIBUTES &&
        (oldAttributes_ & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return;
    size_t slash = target_.find_last_of(L'\\');
    if (slash == std::wstring::npos)
        return;
    std::wstring folder = target_.substr(0, slash + 1);
    // A short name of our own beside the target: on the same volume, so the
    // final rename cannot fail halfway through a copy.
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 16; ++attempt) {
        wchar_t name[64];
        swprintf(name, 64, L"~kv%lx%x.tmp", GetCurrentProcessId(), ++counter);
        temp_ = folder + name;
        file_ = CreateFileW(temp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file_ != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (file_ == INVALID_HANDLE_VALUE)
        temp_.clear();
}

SafeFileWriter::~SafeFileWriter()
{
    Discard();
}

bool SafeFileWriter::Write(const void* data, size_t size)
{
    if (file_ == INVALID_HANDLE_VALUE)
        return false;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file_, p, chunk, &written, nullptr) || written != chunk)
            return false;
        p += chunk;
        size -= chunk;
    }
    return true;
}

bool SafeFileWriter::Commit()
{
    if (file_ == INVALID_HANDLE_VALUE)
        return false;
    bool ok = FlushFileBuffers(file_) != FALSE;
    ok = CloseHandle(file_) != FALSE && ok;
    file_ = INVALID_HANDLE_VALUE;
    if (ok)
        ok = MoveFileExW(temp_.c_str(), target_.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!ok) {
        Discard();
        return false;
    }
    temp_.clear();
    if (oldAttributes_ != INVALID_FILE_ATTRIBUTES && oldAttributes_ != FILE_ATTRIBUTE_NORMAL)
        SetFileAttributesW(target_.c_str(), oldAttributes_);
    return true;
}

void SafeFileWriter::Discard()
{
    if (file_ != INVALID_HANDLE_VALUE) {
        CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }
    if (!temp_.empty()) {
        DeleteFileW(temp_.c_str());
        temp_.clear();
    }
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes)
{
    SafeFileWriter w(path);
    return w.Handle() != INVALID_HANDLE_VALUE && w.Write(bytes.data(), bytes.size()) && w.Commit();
}

} // namespace ModKvRTB
