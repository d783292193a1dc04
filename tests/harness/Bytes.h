#pragma once
// The raw bytes of a file, for tests: the one reader and writer of them. A
// plain overwrite, not the program's safe write, so that tests that write
// thousands of files stay quick. Files open for writing elsewhere are read.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The bytes of the file ("" or empty when it cannot be read), as a string or
// as a vector of bytes.
template <class Bytes = std::string>
Bytes ReadBytes(const std::wstring& path)
{
    Bytes out;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0)
        out.insert(out.end(), buf, buf + got);
    CloseHandle(h);
    return out;
}

// Writes the bytes as the whole file; true on success.
inline bool WriteBytes(const std::wstring& path, const void* data, size_t size)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD wrote = 0;
    const bool ok = size == 0 || WriteFile(h, data, static_cast<DWORD>(size), &wrote, nullptr);
    CloseHandle(h);
    return ok && wrote == size;
}
inline bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    return WriteBytes(path, bytes.data(), bytes.size());
}
inline bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    return WriteBytes(path, bytes.data(), bytes.size());
}
