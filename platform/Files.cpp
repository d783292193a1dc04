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

// The file a path names, links followed: the path itself when it names none
// or cannot be resolved.
std::wstring ResolvedPath(const std::wstring& apiPath)
{
    FileHandle h(CreateFileW(apiPath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h)
        return apiPath;
    std::wstring buf(MAX_PATH, L'\0');
    for (int tries = 0; tries < 2; ++tries) {
        const DWORD n = GetFinalPathNameByHandleW(h.Get(), buf.data(), static_cast<DWORD>(buf.size()),
                                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0)
            return apiPath;
        if (n < buf.size()) {
            buf.resize(n);
            return buf;
        }
        buf.assign(n + 1, L'\0');
    }
    return apiPath;
}

std::string SecurityOf(const std::wstring& path)
{
    const SECURITY_INFORMATION what = OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION |
                                      DACL_SECURITY_INFORMATION;
    DWORD need = 0;
    GetFileSecurityW(path.c_str(), what, nullptr, 0, &need);
    std::string sd(need, '\0');
    if (need == 0 || !GetFileSecurityW(path.c_str(), what, sd.data(), need, &need))
        return {};
    return sd;
}

DWORD LinkCount(const std::wstring& path)
{
    FileHandle h(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    return h && GetFileInformationByHandle(h.Get(), &info) ? info.nNumberOfLinks : 1;
}

// Copies the whole of from over the content of to, which keeps its own
// permissions, links and attributes. False when any of it failed.
bool CopyInto(const std::wstring& from, const std::wstring& to)
{
    FileHandle in(CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    FileHandle out(CreateFileW(to.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!in || !out)
        return false;
    std::string chunk(1u << 20, '\0');
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(in.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &n, nullptr))
            return false;
        if (n == 0)
            break;
        if (!WriteChunk(out.Get(), chunk.data(), n))
            return false;
    }
    return SetEndOfFile(out.Get()) && FlushFileBuffers(out.Get());
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

FileStamp StampOf(const std::wstring& path)
{
    FileStamp s;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExW(ApiPath(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return s;
    s.written = (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    s.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    s.valid = true;
    return s;
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
    // A link is written through to the file it names, and the new file is
    // made beside that file.
    target_ = ResolvedPath(ApiPath(path));
    oldAttributes_ = GetFileAttributesW(target_.c_str());
    if (oldAttributes_ != INVALID_FILE_ATTRIBUTES &&
        ((oldAttributes_ & FILE_ATTRIBUTE_DIRECTORY) ||
         ((oldAttributes_ & FILE_ATTRIBUTE_READONLY) && readOnly_ == ReadOnlyTarget::Refuse)))
        return;
    for (unsigned n = 0; n < 100; ++n) {
        wchar_t suffix[40];
        wsprintfW(suffix, L".~%lx%02x.tmp", GetCurrentProcessId(), n);
        temp_ = ApiPath(target_ + suffix);
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
    // A new file would not come out as the old one was: other permissions
    // (a Unix mode under Wine, an access list of its own), or the old file is
    // one of several names of its content. The new content, whole on disk
    // beside it, is then copied into the old file; only if that fails does
    // the new file take the old one's place.
    if (ok && hadOld &&
        (LinkCount(target_) > 1 || SecurityOf(target_) != SecurityOf(temp_)) && CopyInto(temp_, target_)) {
        DeleteFileW(temp_.c_str());
        temp_.clear();
        return true;
    }
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
