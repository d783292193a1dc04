#include "TypeLibSource.h"

#include "GetRegString.h"
#include "LittleEndian.h"
#include "browser/ModOrmund.h"
#include "platform/FaultGuard.h"
#include "platform/Files.h"
#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"

#include <windows.h>
#include <lzexpand.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace TypeLibCheck {

namespace {

using LittleEndian::U16;

// One file opened through the LZ functions, closed when the holder goes.
class LzFile {
public:
    explicit LzFile(const std::wstring& path)
    {
        OFSTRUCT of = {};
        handle_ = LZOpenFileW(const_cast<LPWSTR>(path.c_str()), &of, OF_READ);
    }
    ~LzFile()
    {
        if (handle_ >= 0)
            LZClose(handle_);
    }
    LzFile(const LzFile&) = delete;
    LzFile& operator=(const LzFile&) = delete;

    bool Ok() const { return handle_ >= 0; }
    bool ReadAt(LONG at, void* into, INT size) const
    {
        return LZSeek(handle_, at, 0) == at && LZRead(handle_, static_cast<LPSTR>(into), size) == size;
    }
    LONG Size() const { return LZSeek(handle_, 0, 2); }

private:
    INT handle_ = -1;
};

// The TYPELIB resource of a 32- or 64-bit program file, as the loader finds
// it; a resource that runs past the file faults while it is copied.
Outcome ReadPeResource(HMODULE module, int index, uint64_t fileSize, std::vector<uint8_t>& bytes)
{
    const uint8_t* data = nullptr;
    DWORD size = 0;
    if (!platform::RunGuarded([&] {
            HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(index), L"TYPELIB");
            HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
            data = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
            size = data ? SizeofResource(module, found) : 0;
        }))
        return Outcome::Damaged;
    if (!data)
        return Outcome::Missing;
    if (size > fileSize)
        return Outcome::Damaged;
    bytes.resize(size);
    uint8_t* into = bytes.data();
    return platform::RunGuarded([&] { std::memcpy(into, data, size); }) ? Outcome::Found : Outcome::Damaged;
}

// The TYPELIB resource of a 16-bit program file. The loader walks the
// resource table without looking at its size, and takes a failed read of
// the resource for a length: either is damage.
Outcome ReadNeResource(const std::wstring& file, int index, std::vector<uint8_t>& bytes)
{
    LzFile lz(file);
    IMAGE_DOS_HEADER dos;
    IMAGE_OS2_HEADER ne;
    if (!lz.Ok() || !lz.ReadAt(0, &dos, sizeof dos) || dos.e_magic != IMAGE_DOS_SIGNATURE ||
        !lz.ReadAt(dos.e_lfanew, &ne, sizeof ne) || ne.ne_magic != IMAGE_OS2_SIGNATURE)
        return Outcome::Missing;
    int tableSize = ne.ne_restab - ne.ne_rsrctab;
    std::vector<uint8_t> table(tableSize > 0 ? tableSize : 0);
    if (table.empty() || !lz.ReadAt(dos.e_lfanew + ne.ne_rsrctab, table.data(), tableSize))
        return Outcome::Missing;

    // Types: an id (a name's position, or a number with the top bit set),
    // a count, four spare bytes, then that many 12-byte resources.
    const char kType[] = "TYPELIB";
    const size_t kTypeLength = sizeof kType - 1;
    size_t type = 2;
    for (;;) {
        if (type + 2 > table.size())
            return Outcome::Damaged;
        WORD id = U16(&table[type]);
        if (id == 0)
            return Outcome::Missing;
        if (type + 8 > table.size())
            return Outcome::Damaged;
        if (!(id & 0x8000)) {
            if (id >= table.size())
                return Outcome::Damaged;
            if (table[id] == kTypeLength) {
                if (id + 1 + kTypeLength > table.size())
                    return Outcome::Damaged;
                if (_strnicmp(reinterpret_cast<const char*>(&table[id + 1]), kType, kTypeLength) == 0)
                    break;
            }
        }
        type += 8 + size_t(U16(&table[type + 2])) * 12;
    }
    const WORD wanted = static_cast<WORD>(index) | 0x8000;
    for (size_t n = U16(&table[type + 2]), at = type + 8; n > 0; --n, at += 12) {
        if (at + 12 > table.size())
            return Outcome::Damaged;
        if (U16(&table[at + 6]) != wanted)
            continue;
        unsigned shift = U16(&table[0]) & 31;
        DWORD offset = DWORD(U16(&table[at])) << shift, length = DWORD(U16(&table[at + 2])) << shift;
        LONG size = lz.Size();
        DWORD available = size > 0 && DWORD(size) > offset ? DWORD(size) - offset : 0;
        if (length > 0x7FFFFFFF || offset > 0x7FFFFFFF)
            return Outcome::Damaged;
        bytes.resize(std::min(length, available));
        if (!bytes.empty() && !lz.ReadAt(static_cast<LONG>(offset), bytes.data(), static_cast<INT>(bytes.size())))
            return Outcome::Damaged;
        return Outcome::Found;
    }
    return Outcome::Missing;
}

std::wstring Hex(unsigned long value)
{
    wchar_t text[12];
    swprintf(text, 12, L"%lx", value);
    return text;
}

// The version the loader picks among those registered for a library: the
// same major version with the minor one asked for, else the highest minor
// one above it; for 0xFFFF.0xFFFF, the highest major and minor numbers.
bool RegisteredVersion(const std::wstring& key, uint16_t& major, uint16_t& minor)
{
    const bool any = major == 0xFFFF && minor == 0xFFFF;
    long bestMajor = -1, bestMinor = -1;
    for (const std::wstring& name : ModOrmund::EnumSubKeys(HKEY_CLASSES_ROOT, key)) {
        unsigned vMajor = 0, vMinor = 0;
        if (swscanf(name.c_str(), L"%x.%x", &vMajor, &vMinor) != 2)
            continue;
        if (any) {
            bestMajor = std::max<long>(bestMajor, vMajor);
            bestMinor = std::max<long>(bestMinor, vMinor);
        } else if (vMajor == major) {
            bestMajor = vMajor;
            if (vMinor == minor) {
                bestMinor = vMinor;
                break;
            }
            if (minor != 0xFFFF && vMinor >= minor && long(vMinor) > bestMinor)
                bestMinor = vMinor;
        }
    }
    if (any && bestMajor >= 0 && bestMinor >= 0) {
        major = static_cast<uint16_t>(bestMajor);
        minor = static_cast<uint16_t>(bestMinor);
        return true;
    }
    if (bestMajor == major && bestMinor >= 0) {
        minor = static_cast<uint16_t>(bestMinor);
        return true;
    }
    return false;
}

// The file registered for an imported library, as the loader looks it up:
// the version it picks, then the library's locale, its sublanguage and the
// neutral locale in turn. "" when none is registered.
std::wstring RegisteredFile(const ImportedLibrary& library, uint16_t syskind)
{
    const wchar_t* system = syskind == SYS_WIN16   ? L"win16"
                            : syskind == SYS_WIN32 ? L"win32"
                            : syskind == SYS_WIN64 ? L"win64"
                                                   : nullptr;
    wchar_t guid[40];
    if (!system || !StringFromGUID2(library.guid, guid, 40))
        return L"";
    std::wstring key = std::wstring(L"TypeLib\\") + guid;
    uint16_t major = library.major, minor = library.minor;
    if (!RegisteredVersion(key, major, minor))
        return L"";
    key += L"\\" + Hex(major) + L"." + Hex(minor) + L"\\";
    const uint32_t lcid = library.lcid;
    for (uint32_t tried = lcid;;) {
        std::wstring path = GetRegString(HKEY_CLASSES_ROOT, key + Hex(tried) + L"\\" + system, L"");
        if (!path.empty())
            return path;
        if (lcid == 0)
            break;
        if (tried == lcid)
            tried = SUBLANGID(lcid);
        else if (tried == SUBLANGID(lcid) && tried != 0)
            tried = 0;
        else
            break;
    }
    return L"";
}

} // namespace

Source Locate(const std::wstring& path)
{
    Source source{path};
    size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos && slash + 1 < path.size()) {
        wchar_t* end = nullptr;
        long index = wcstol(path.c_str() + slash + 1, &end, 10);
        if (*end == L'\0') {
            source.file = path.substr(0, slash);
            source.index = static_cast<int>(index);
        }
    }
    wchar_t found[MAX_PATH + 1];
    DWORD n = SearchPathW(nullptr, source.file.c_str(), nullptr, MAX_PATH + 1, found, nullptr);
    if (n > 0 && n <= MAX_PATH) {
        source.file = found;
    } else if (source.file.find(L'\\') == std::wstring::npos) {
        source.file = platform::JoinPath(platform::SystemFolder(), source.file);
    }
    return source;
}

Source LocateImport(const ImportedLibrary& library, uint16_t syskind)
{
    std::wstring registered = RegisteredFile(library, syskind);
    return Locate(registered.empty() ? library.name : registered);
}

bool SameSource(const Source& a, const Source& b)
{
    platform::FileHandle first(platform::OpenForRead(a.file)), second(platform::OpenForRead(b.file));
    // Files of two sizes are two files. Only files of one size need their
    // identity, whose volume serial number is asked of the volume's driver:
    // under Wine a round trip through another process, for every import of
    // every check.
    LARGE_INTEGER sizeA{}, sizeB{};
    if (a.index != b.index || !first.Ok() || !second.Ok() || !GetFileSizeEx(first.Get(), &sizeA) ||
        !GetFileSizeEx(second.Get(), &sizeB) || sizeA.QuadPart != sizeB.QuadPart)
        return false;
    BY_HANDLE_FILE_INFORMATION x, y;
    return GetFileInformationByHandle(first.Get(), &x) &&
           GetFileInformationByHandle(second.Get(), &y) && x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
           x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
}

Outcome ReadSource(const Source& source, std::vector<uint8_t>& bytes)
{
    const std::wstring& file = source.file;
    char start[2] = {};
    LARGE_INTEGER size{};
    {
        platform::FileHandle handle(platform::OpenForRead(file));
        DWORD got = 0;
        if (!handle.Ok() || !GetFileSizeEx(handle.Get(), &size) ||
            !ReadFile(handle.Get(), start, sizeof start, &got, nullptr))
            return Outcome::Missing;
    }
    // Far larger than any library; the loader would still map it whole.
    const uint64_t kLargest = 0x7FFFFFFF;
    uint64_t fileSize = static_cast<uint64_t>(size.QuadPart);
    platform::Library module;
    if (start[0] == 'M' && start[1] == 'Z')
        module.Reset(LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | DONT_RESOLVE_DLL_REFERENCES));
    if (module)
        return ReadPeResource(module.Get(), source.index, fileSize, bytes);
    Outcome outcome = ReadNeResource(file, source.index, bytes);
    if (outcome != Outcome::Missing)
        return outcome;
    if (fileSize > kLargest)
        return Outcome::Damaged;
    return platform::ReadWholeFile(file, bytes, kLargest) ? Outcome::Found : Outcome::Missing;
}

} // namespace TypeLibCheck
