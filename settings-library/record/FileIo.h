#pragma once
// Small file helpers shared by the settings record file and the program's own
// file procedures: an owned file handle, system code page text, and writing a
// file through a temporary one beside it so that a failed write leaves the old
// file whole. They depend on nothing but the platform.
#include <windows.h>

#include <string>

namespace FileIo {

// A handle from CreateFileW, closed by its owner.
class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return h_; }
    bool Ok() const { return h_ != INVALID_HANDLE_VALUE; }
    void Close()
    {
        if (h_ != INVALID_HANDLE_VALUE)
            CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE h_;
};

// Text in the system code page and back; "" when it cannot be converted.
std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const char* data, size_t size);

// The form of a path that is handed to the file functions; null: the path as
// it is.
using PathForm = std::wstring (*)(const std::wstring& path);

// Creates a new file for writing named path + ".~<process id><n>.tmp", with n
// the first of 00 to 99 whose name is free; temp receives that name (before
// form). INVALID_HANDLE_VALUE when all are taken or creating fails otherwise.
HANDLE CreateTempBeside(const std::wstring& path, std::wstring& temp, PathForm form = nullptr);

// Writes every byte and flushes them to the disk; true when all of it went.
bool WriteAllFlushed(HANDLE file, const void* data, size_t size);

} // namespace FileIo
