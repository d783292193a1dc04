#include "platform/Files.h"

#include "platform/FileWrite.h"
#include "platform/Handles.h"
#include "platform/Paths.h"

#include <algorithm>
#include <climits>
#include <new>

namespace platform {

namespace {

template <class Bytes>
bool ReadInto(const std::wstring& path, Bytes& bytes, size_t maxSize, bool cut = false)
try {
    bytes.clear();
    FileHandle in(OpenForRead(path));
    if (!in)
        return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(in.Get(), &size) || size.QuadPart < 0)
        return false;
    if (static_cast<unsigned long long>(size.QuadPart) > maxSize) {
        if (!cut)
            return false;
        size.QuadPart = static_cast<LONGLONG>(maxSize);
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t got = 0;
    while (got < bytes.size()) {
        DWORD n = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - got, 1u << 20));
        if (!ReadFile(in.Get(), &bytes[got], want, &n, nullptr)) {
            bytes.clear();
            return false;
        }
        if (n == 0)
            break;   // the file shrank while it was read
        got += n;
    }
    bytes.resize(got);
    return true;
} catch (const std::bad_alloc&) {
    // A file larger than the memory left: no exception into a window procedure.
    bytes.clear();
    return false;
}

} // namespace

DWORD FileAttributes(const std::wstring& path)
{
    return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(ApiPath(path).c_str());
}

bool FileExists(const std::wstring& path)
{
    DWORD attrs = FileAttributes(path);
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path)
{
    DWORD attrs = FileAttributes(path);
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

HANDLE OpenForRead(const std::wstring& path)
{
    if (path.empty())
        return INVALID_HANDLE_VALUE;
    // Read-only, hidden and system files open for reading as they are.
    return CreateFileW(ApiPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes, size_t maxSize)
{
    return ReadInto(path, bytes, maxSize);
}

bool ReadWholeFile(const std::wstring& path, std::vector<unsigned char>& bytes, size_t maxSize)
{
    return ReadInto(path, bytes, maxSize);
}

bool ReadFileStart(const std::wstring& path, std::vector<unsigned char>& bytes, size_t maxSize)
{
    return ReadInto(path, bytes, maxSize, true);
}

SafeFileWriter::SafeFileWriter(const std::wstring& path, ReadOnlyTarget readOnly) : readOnly_(readOnly)
{
    if (path.empty())
        return;
    target_ = ApiPath(path);
    oldAttributes_ = GetFileAttributesW(target_.c_str());
    if (oldAttributes_ != INVALID_FILE_ATTRIBUTES &&
        ((oldAttributes_ & FILE_ATTRIBUTE_DIRECTORY) ||
         ((oldAttributes_ & FILE_ATTRIBUTE_READONLY) && readOnly_ == ReadOnlyTarget::Refuse)))
        return;
    for (unsigned n = 0; n < 100; ++n) {
        wchar_t suffix[40];
        wsprintfW(suffix, L".~%lx%02x.tmp", GetCurrentProcessId(), n);
        temp_ = ApiPath(path + suffix);
        file_ = CreateFileW(temp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file_ != INVALID_HANDLE_VALUE)
            return;
        // Another writer's name: try the next one; any other failure will not
        // go away with a new name.
        DWORD err = GetLastError();
        if (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS)
            break;
    }
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
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 20));
        if (!WriteChunk(file_, p, chunk))
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
    const bool hadOld = oldAttributes_ != INVALID_FILE_ATTRIBUTES;
    // A read-only target refuses to be replaced: it is made writable first.
    if (ok && hadOld && (oldAttributes_ & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(target_.c_str(), oldAttributes_ & ~FILE_ATTRIBUTE_READONLY);
    if (ok)
        ok = MoveFileExW(temp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!ok) {
        if (hadOld)
            SetFileAttributesW(target_.c_str(), oldAttributes_);
        Discard();
        return false;
    }
    temp_.clear();
    DWORD keep = hadOld ? oldAttributes_ & ~FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
    if (keep != FILE_ATTRIBUTE_NORMAL && keep != 0)
        SetFileAttributesW(target_.c_str(), keep);
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

bool WriteFileSafely(const std::wstring& path, const void* data, size_t size, ReadOnlyTarget readOnly)
{
    SafeFileWriter w(path, readOnly);
    return w.Ok() && w.Write(data, size) && w.Commit();
}

bool WriteFileSafely(const std::wstring& path, const std::string& bytes, ReadOnlyTarget readOnly)
{
    return WriteFileSafely(path, bytes.data(), bytes.size(), readOnly);
}

} // namespace platform
