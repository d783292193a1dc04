#pragma once
// File tests, whole-file reading and the one safe write: the new content goes
// to a file beside the target, which replaces the target only when all of it
// reached the disk, so a failed write (full disk, lost share, a crash)
// leaves the old file whole. Paths may be of any length.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace platform {

// The path's attributes, at any length; INVALID_FILE_ATTRIBUTES when they
// cannot be read (GetLastError says why) or the path is empty.
DWORD FileAttributes(const std::wstring& path);
// True when the path's attributes can be read and it is not a folder.
bool FileExists(const std::wstring& path);
// True when the path's attributes can be read and it is a folder.
bool FolderExists(const std::wstring& path);

// When a file was last written and its size: a file that another program
// changed since has another stamp. Not valid when the file cannot be found.
struct FileStamp {
    ULONGLONG written = 0;
    ULONGLONG size = 0;
    bool valid = false;
    bool operator==(const FileStamp& o) const { return valid == o.valid && written == o.written && size == o.size; }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};
FileStamp StampOf(const std::wstring& path);

// Opens an existing file for reading, sharing it with every other user;
// INVALID_HANDLE_VALUE on failure.
HANDLE OpenForRead(const std::wstring& path);
// The whole file into bytes; false (and bytes empty) when it cannot be
// opened or read, or when it holds more than maxSize bytes.
bool ReadWholeFile(const std::wstring& path, std::string& bytes, size_t maxSize = 0x7FFFFFFF);
bool ReadWholeFile(const std::wstring& path, std::vector<unsigned char>& bytes, size_t maxSize = 0x7FFFFFFF);
// At most the first maxSize bytes of the file; false (and bytes empty) when
// it cannot be opened or read.
bool ReadFileStart(const std::wstring& path, std::vector<unsigned char>& bytes, size_t maxSize);

// What the safe write does with a read-only target: leave it and fail, or
// put the new content in its place as a writable file.
enum class ReadOnlyTarget { Refuse, Replace };

// The safe write for content that comes in pieces (a RichEdit streaming out).
// A link is followed: the file it names is written, and the link stays. The
// new file is named after that file + ".~<process id><nn>.tmp", beside it so
// that the final rename stays on one volume. On replacing, the new file takes
// the old one's attributes (hidden, system, archive). Where a new file would
// lose the old one's permissions or its other names (hard links), the new
// content, once whole on disk, is copied into the old file instead. A
// read-only target is refused, or with ReadOnlyTarget::Replace replaced by a
// writable file.
class SafeFileWriter {
public:
    explicit SafeFileWriter(const std::wstring& path, ReadOnlyTarget readOnly = ReadOnlyTarget::Refuse);
    ~SafeFileWriter();   // discards the new file unless Commit succeeded
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // False when the new file could not be made (missing folder, a folder
    // or a refused read-only file at the target, no rights).
    bool Ok() const { return file_ != INVALID_HANDLE_VALUE; }
    // The new file's handle, for writers that want it (EDITSTREAM cookies).
    HANDLE Handle() const { return file_; }
    bool Write(const void* data, size_t size);
    // Flushes and closes the new file and puts it in the target's place.
    bool Commit();

private:
    void Discard();

    std::wstring target_;
    std::wstring temp_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    DWORD oldAttributes_ = INVALID_FILE_ATTRIBUTES;
    ReadOnlyTarget readOnly_;
};

// The whole of bytes written to path through SafeFileWriter; true on success.
bool WriteFileSafely(const std::wstring& path, const void* data, size_t size,
                     ReadOnlyTarget readOnly = ReadOnlyTarget::Refuse);
bool WriteFileSafely(const std::wstring& path, const std::string& bytes,
                     ReadOnlyTarget readOnly = ReadOnlyTarget::Refuse);

} // namespace platform
