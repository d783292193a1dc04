#include "TypeLibCheck.h"

#include "platform/FaultGuard.h"
#include "platform/Files.h"
#include "platform/Handles.h"

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace TypeLibCheck {

namespace {

const uint32_t kMsftSignature = 0x5446534D;   // "MSFT"
const size_t kHeaderSize = 0x54;
const size_t kTypeCountAt = 0x20;
const size_t kFlagsAt = 0x14;
const uint32_t kHelpDllFlag = 0x100;          // one more 32-bit value follows the header
const size_t kTables = 15;
const size_t kTableEntrySize = 16;            // position, size and two fixed values
const size_t kTypeRecordSize = 0x64;
const uint32_t kAbsent = 0xFFFFFFFF;

uint32_t Dword(const uint8_t* p)
{
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

int16_t Word(const uint8_t* p)
{
    int16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

struct Table {
    uint32_t at = kAbsent;
    uint32_t length = 0;
    // Whether `bytes` bytes from `offset` inside the table lie inside it.
    bool Holds(uint64_t offset, uint64_t bytes) const
    {
        return at != kAbsent && offset <= length && bytes <= length - offset;
    }
};

// Table numbers in the directory.
enum TableNumber {
    kTypeTable = 0,
    kImportFileTable = 2,
    kReferenceTable = 3,
    kGuidTable = 5,
    kNameTable = 7,
    kStringTable = 8,
    kTypeDescTable = 9,
    kArrayTable = 10,
};
const size_t kGuidEntrySize = 24;        // the GUID and two links
const size_t kImportFileFixed = 14;      // GUID position, locale, version, name size
const size_t kNameFixed = 12;            // links and the length before the name
const size_t kReferenceSize = 16;        // an implemented interface: type, flags, data, next
const size_t kTypeDescSize = 8;
const size_t kSmallestMember = 20;       // a variable's record without options
const size_t kBuiltInTypes = 32;         // the loader's table of plain types
// Fields of a type record.
const size_t kKindAt = 0x00, kMembersAt = 0x04, kCountsAt = 0x18, kGuidAt = 0x2C, kNameAt = 0x34,
             kHelpAt = 0x3C, kInterfacesAt = 0x4C, kDataTypeAt = 0x54;
const uint32_t kKindMask = 0xF;
enum Kind { kEnum, kRecord, kModule, kInterface, kDispatch, kCoclass, kAlias, kUnion };

// The library's tables, and the checks on what the loader follows without
// looking: positions into the tables, type descriptions, chains.
class Library {
public:
    Library(const uint8_t* lib, uint64_t size) : lib_(lib), size_(size) {}

    bool Sound()
    {
        if (size_ < kHeaderSize)
            return false;
        uint64_t types = Dword(lib_ + kTypeCountAt);
        uint64_t directory = kHeaderSize + types * 4 + ((Dword(lib_ + kFlagsAt) & kHelpDllFlag) ? 4 : 0);
        if (types > size_ || directory + kTables * kTableEntrySize > size_)
            return false;
        for (size_t t = 0; t < kTables; ++t) {
            const uint8_t* entry = lib_ + directory + t * kTableEntrySize;
            Table& table = tables_[t];
            table.at = Dword(entry);
            table.length = Dword(entry + 4);
            if (table.at == kAbsent ? table.length != 0 : uint64_t(table.at) + table.length > size_)
                return false;
        }
        if (types && !tables_[kTypeTable].Holds(0, types * kTypeRecordSize))
            return false;
        if (!ImportFilesSound() || !TypeDescsSound())
            return false;
        for (uint64_t i = 0; i < types; ++i)
            if (!TypeSound(lib_ + tables_[kTypeTable].at + i * kTypeRecordSize))
                return false;
        return true;
    }

private:
    const uint8_t* In(TableNumber t, uint64_t offset) const { return lib_ + tables_[t].at + offset; }

    // A position into a table, or -1 (none) where that is allowed.
    bool Position(TableNumber t, uint32_t offset, uint64_t bytes, bool noneAllowed = true) const
    {
        return (noneAllowed && offset == kAbsent) || tables_[t].Holds(offset, bytes);
    }

    // The imported libraries, which the loader walks by their own sizes.
    bool ImportFilesSound() const
    {
        const Table& files = tables_[kImportFileTable];
        if (files.at == kAbsent || files.at == 0)
            return true;
        for (uint64_t offset = 0; offset < files.length;) {
            if (!files.Holds(offset, kImportFileFixed))
                return false;
            const uint8_t* entry = In(kImportFileTable, offset);
            uint64_t name = static_cast<uint16_t>(Word(entry + 12)) >> 2;
            if (!Position(kGuidTable, Dword(entry), kGuidEntrySize, false) ||
                !files.Holds(offset + kImportFileFixed, name))
                return false;
            offset = (offset + kImportFileFixed + name + 3) & ~uint64_t(3);
        }
        return true;
    }

    uint64_t TypeDescCount() const { return tables_[kTypeDescTable].at == kAbsent ? 0 : tables_[kTypeDescTable].length / kTypeDescSize; }

    // A type description: a plain type (top bit set) or a position in the
    // table of type descriptions.
    bool TypeDescRef(uint32_t value) const
    {
        return (value & 0x80000000) || value / kTypeDescSize < TypeDescCount();
    }

    // Pointers and arrays name their element by position; the chain they
    // form must end, or the loader recurses without end.
    bool TypeDescsSound() const
    {
        uint64_t count = TypeDescCount();
        for (uint64_t i = 0; i < count; ++i) {
            uint64_t at = i;
            for (uint64_t steps = 0;; ++steps) {
                const uint8_t* td = In(kTypeDescTable, at * kTypeDescSize);
                int16_t vt = Word(td);
                int16_t inner = Word(td + 4), flag = Word(td + 6);
                if (vt == VT_PTR || vt == VT_SAFEARRAY) {
                    if (flag < 0) {
                        if (inner < 0 || static_cast<uint64_t>(inner) >= kBuiltInTypes)
                            return false;
                        break;
                    }
                    if (inner < 0 || static_cast<uint64_t>(inner) / kTypeDescSize >= count || steps > count)
                        return false;
                    at = static_cast<uint64_t>(inner) / kTypeDescSize;
                } else {
                    if (vt == VT_CARRAY && !ArraySound(static_cast<uint16_t>(inner), count))
                        return false;
                    break;
                }
            }
        }
        return true;
    }

    // An array description: element, dimension count, room for the bounds.
    bool ArraySound(uint64_t offset, uint64_t typeDescs) const
    {
        if (!tables_[kArrayTable].Holds(offset, kTypeDescSize))
            return false;
        const uint8_t* ad = In(kArrayTable, offset);
        int16_t element = Word(ad), flag = Word(ad + 2), dims = Word(ad + 4), room = Word(ad + 6);
        if (element < 0 || (flag < 0 ? static_cast<uint64_t>(element) / kTypeDescSize >= kBuiltInTypes
                                      : static_cast<uint64_t>(element) / kTypeDescSize >= typeDescs))
            return false;
        return dims > 0 && dims <= room && tables_[kArrayTable].Holds(offset + kTypeDescSize, uint64_t(dims) * 8);
    }

    bool TypeSound(const uint8_t* type) const
    {
        uint32_t kind = Dword(type + kKindAt) & kKindMask;
        if (kind > kUnion || !Position(kNameTable, Dword(type + kNameAt), kNameFixed, false) ||
            !Position(kGuidTable, Dword(type + kGuidAt), kGuidEntrySize) ||
            !Position(kStringTable, Dword(type + kHelpAt), 2))
            return false;
        uint32_t counts = Dword(type + kCountsAt);
        uint32_t members = Dword(type + kMembersAt);
        // The member records: their block lies in the library and has room
        // for as many records as the counts say.
        uint64_t records = (counts & 0xFFFF) + (counts >> 16);
        if (counts && (members == kAbsent || uint64_t(members) + 4 > size_ ||
                       uint64_t(members) + 4 + Dword(lib_ + members) > size_ ||
                       Dword(lib_ + members) < records * kSmallestMember))
            return false;
        uint32_t data = Dword(type + kDataTypeAt);
        uint16_t interfaces = static_cast<uint16_t>(Word(type + kInterfacesAt));
        // Only a coclass lists several interfaces; the loader keeps one for
        // any other type, whatever the count says.
        if (kind != kCoclass && interfaces > 1)
            return false;
        if (kind == kAlias && !TypeDescRef(data))
            return false;
        if (kind == kModule && !Position(kStringTable, data, 2))
            return false;
        if (kind == kCoclass && interfaces > 0) {
            // The chain of implemented interfaces through the reference table.
            // It holds as many entries as the record says.
            uint32_t at = data;
            for (uint16_t k = 0; k < interfaces; ++k) {
                if (!tables_[kReferenceTable].Holds(at, kReferenceSize))
                    return false;
                at = Dword(In(kReferenceTable, at) + 12);
            }
        }
        return true;
    }

    const uint8_t* lib_;
    uint64_t size_;
    Table tables_[kTables];
};

Verdict CheckBytes(const uint8_t* lib, uint64_t size)
{
    if (size >= 4 && Dword(lib) == kMsftSignature && !Library(lib, size).Sound())
        return Verdict::Damaged;
    return Verdict::Readable;
}

// The loader's path syntax: "file\2" names the second TYPELIB resource.
void SplitIndex(const std::wstring& path, std::wstring& file, int& index)
{
    file = path;
    index = 1;
    if (platform::FileExists(path))
        return;
    size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash + 1 == path.size() || path.size() - slash > 6)
        return;
    for (size_t i = slash + 1; i < path.size(); ++i)
        if (path[i] < L'0' || path[i] > L'9')
            return;
    file = path.substr(0, slash);
    index = std::stoi(path.substr(slash + 1));
}

} // namespace

Verdict Check(const std::wstring& path)
{
    std::wstring file;
    int index;
    SplitIndex(path, file, index);
    char start[2] = {};
    {
        platform::FileHandle handle(platform::OpenForRead(file));
        DWORD got = 0;
        if (!handle.Ok() || !ReadFile(handle.Get(), start, sizeof start, &got, nullptr))
            return Verdict::Readable;   // the loader reports what it cannot open
    }
    // A program file: its TYPELIB resource, found the way the loader finds it.
    platform::Library module;
    if (start[0] == 'M' && start[1] == 'Z')
        module.Reset(LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | DONT_RESOLVE_DLL_REFERENCES));
    if (module) {
        Verdict verdict = Verdict::Readable;
        HMODULE m = module.Get();
        bool finished = platform::RunGuarded([&] {
            HRSRC found = FindResourceW(m, MAKEINTRESOURCEW(index), L"TYPELIB");
            HGLOBAL loaded = found ? LoadResource(m, found) : nullptr;
            const void* bytes = loaded ? LockResource(loaded) : nullptr;
            if (bytes)
                verdict = CheckBytes(static_cast<const uint8_t*>(bytes), SizeofResource(m, found));
        });
        return finished ? verdict : Verdict::Damaged;
    }
    // Any other file is read whole.
    std::vector<unsigned char> bytes;
    if (!platform::ReadWholeFile(file, bytes))
        return Verdict::Readable;   // the loader reports what it cannot open
    return CheckBytes(bytes.data(), bytes.size());
}

} // namespace TypeLibCheck
