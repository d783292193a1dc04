#include "FileIo.h"

#include <algorithm>
#include <climits>

namespace FileIo {

std::string ToAnsi(const std::wstring& text)
{
    if (text.empty())
        return {};
    int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                nullptr);
    if (n <= 0)
        return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring FromAnsi(const char* data, size_t size)
{
    if (size == 0 || size > INT_MAX)
        return {};
    int n = MultiByteToWideChar(CP_ACP, 0, data, static_cast<int>(size), nullptr, 0);
    if (n <= 0)
        return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, data, static_cast<int>(size), out.data(), n);
    return out;
}

HANDLE CreateTempBeside(const std::wstring& path, std::wstring& temp, PathForm form)
{
    for (unsigned n = 0; n < 100; ++n) {
        wchar_t suffix[40];
        wsprintfW(suffix, L".~%lx%02x.tmp", GetCurrentProcessId(), n);
        temp = path + suffix;
        HANDLE h = CreateFileW((form ? form(temp) : temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            return h;
        // Another writer's name: try the next one; any other failure will not
        // go away with a new name.
        DWORD err = GetLastError();
        if (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS)
            return INVALID_HANDLE_VALUE;
    }
    return INVALID_HANDLE_VALUE;
}

bool WriteAllFlushed(HANDLE file, const void* data, size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    bool written = true;
    size_t done = 0;
    while (written && done < size) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 24));
        DWORD wrote = 0;
        written = WriteFile(file, bytes + done, chunk, &wrote, nullptr) && wrote == chunk;
        done += wrote;
    }
    return written && FlushFileBuffers(file);
}

} // namespace FileIo
