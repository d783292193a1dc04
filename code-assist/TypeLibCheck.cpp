#include "TypeLibCheck.h"

#include "LittleEndian.h"
#include "SltgCheck.h"
#include "TypeLibSource.h"

#include "platform/Text.h"

#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

namespace TypeLibCheck {

namespace {

const uint32_t kMsftSignature = 0x5446534D;   // "MSFT"
const uint32_t kAbsent = 0xFFFFFFFF;          // no table, no entry
// The header.
const size_t kHeaderSize = 0x54;
const size_t kLibGuidAt = 0x08, kImportLcidAt = 0x04, kFlagsAt = 0x14, kVersionAt = 0x18, kTypeCountAt = 0x20, kLibHelpAt = 0x24, kLibNameAt = 0x38,
             kHelpFileAt = 0x3C, kLibCustomAt = 0x40;
const uint32_t kHelpDllFlag = 0x100;          // one more 32-bit value follows the header
const uint32_t kSysKindMask = 0xF;            // of the flags
const size_t kTables = 15;
const size_t kTableEntrySize = 16;            // position, size and two fixed values

using LittleEndian::I16;
using LittleEndian::U32;

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
    kImportInfoTable = 1,
    kImportFileTable = 2,
    kReferenceTable = 3,
    kGuidTable = 5,
    kNameTable = 7,
    kStringTable = 8,
    kTypeDescTable = 9,
    kArrayTable = 10,
    kCustomDataTable = 11,
    kCustomGuidTable = 12,
};
const size_t kGuidEntrySize = 24;        // the GUID and two links
const size_t kImportFileFixed = 14;      // GUID position, locale, version, name size
const size_t kNameFixed = 12;            // links and the length before the name
const size_t kReferenceSize = 16;        // an implemented interface: type, flags, custom data, next
const size_t kCustomEntrySize = 12;      // GUID position, value position, next
const size_t kImportInfoSize = 12;       // flags, imported library, the type's GUID position or index
const uint32_t kImportByGuid = 0x10000;
const size_t kTypeDescSize = 8;
const size_t kTypeRecordSize = 0x64;
const size_t kBuiltInTypes = 32;         // the loader's table of plain types
const int16_t kLongestString = 0x7FF0;   // the loader sizes its string buffers in 16 bits
// The loader follows chains of element types and of base interfaces by
// recursion: longer ones than any real library has are refused.
const uint8_t kDeepestChain = 64;

// Fields of a type record.
const size_t kKindAt = 0x00, kMembersAt = 0x04, kCountsAt = 0x18, kGuidAt = 0x2C, kNameAt = 0x34, kHelpAt = 0x3C,
             kTypeCustomAt = 0x48, kInterfacesAt = 0x4C, kDataTypeAt = 0x54;
const uint32_t kKindMask = 0xF;
enum Kind { kEnum, kRecord, kModule, kInterface, kDispatch, kCoclass, kAlias, kUnion };

// Member records: a function's, then its parameters at the end of it.
const size_t kRecordTypeAt = 4;
const size_t kCallAt = 16, kArgCountAt = 20, kFunctionFixed = 24;
const size_t kFunctionHelpAt = 28, kEntryAt = 32, kFunctionCustomAt = 48, kArgCustomAt = 52;
const uint32_t kHasCustomData = 0x80, kHasDefaults = 0x1000, kEntryIsOrdinal = 0x2000;
const size_t kParamSize = 12;            // type, name, flags
// A variable's.
const size_t kVarKindAt = 12, kVarValueAt = 16, kVariableFixed = 20, kVariableHelpAt = 24, kVariableCustomAt = 32;

bool PointerLike(unsigned vt)
{
    return vt == VT_PTR || vt == VT_SAFEARRAY || vt == VT_CARRAY;
}

// The kinds a type description can name: the automation types, the C types
// of signatures and the kinds that need an element. Any other number (a
// damaged byte) gives the loader a description whose element it never set,
// and it reads that null element when it turns a return-value parameter
// into the function's result.
bool DescribableType(unsigned vt)
{
    return (vt >= VT_I2 && vt <= VT_LPWSTR && vt != 15) || vt == VT_RECORD || vt == VT_INT_PTR ||
           vt == VT_UINT_PTR || vt == VT_FILETIME || vt == VT_CLSID;
}

// Bytes the loader reads for a value of a plain kind in the custom-data
// table; 0 for the kinds it leaves as pointers it never set.
size_t ValueSize(unsigned vt)
{
    switch (vt) {
    case VT_EMPTY: case VT_NULL: case VT_I2: case VT_I4: case VT_R4: case VT_ERROR: case VT_BOOL: case VT_I1:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_INT: case VT_UINT: case VT_VOID: case VT_HRESULT:
        return 4;
    case VT_R8: case VT_CY: case VT_DATE: case VT_I8: case VT_UI8: case VT_DECIMAL: case VT_FILETIME:
        return 8;
    default:
        return 0;
    }
}

// Chains where each item leads to at most one next (-1: the chain ends
// there) must end, and soon: the loader follows them by recursion.
bool ChainsEnd(const std::vector<int64_t>& next)
{
    const uint8_t kOnPath = 0xFF;
    std::vector<uint8_t> depth(next.size(), 0);
    std::vector<size_t> path;
    for (size_t start = 0; start < next.size(); ++start) {
        path.clear();
        int64_t at = static_cast<int64_t>(start);
        while (at >= 0 && depth[at] == 0) {
            depth[at] = kOnPath;
            path.push_back(static_cast<size_t>(at));
            at = next[at];
        }
        if (at >= 0 && depth[at] == kOnPath)
            return false;
        unsigned below = at >= 0 ? depth[at] : 0;
        for (size_t k = path.size(); k-- > 0;) {
            if (++below > kDeepestChain)
                return false;
            depth[path[k]] = static_cast<uint8_t>(below);
        }
    }
    return true;
}

// The library's tables, and the checks on what the loader follows without
// looking: positions into the tables, sizes and counts of records, chains.
class Library {
public:
    Library(const uint8_t* lib, uint64_t size, Links& links) : lib_(lib), size_(size), links_(links) {}

    bool Sound()
    {
        if (size_ < kHeaderSize)
            return false;
        uint64_t types = U32(lib_ + kTypeCountAt);
        bool helpDll = U32(lib_ + kFlagsAt) & kHelpDllFlag;
        uint64_t directory = kHeaderSize + types * 4 + (helpDll ? 4 : 0);
        if (types > size_ || directory + kTables * kTableEntrySize > size_)
            return false;
        links_.syskind = static_cast<uint16_t>(U32(lib_ + kFlagsAt) & kSysKindMask);
        links_.major = static_cast<uint16_t>(I16(lib_ + kVersionAt));
        for (size_t t = 0; t < kTables; ++t) {
            const uint8_t* entry = lib_ + directory + t * kTableEntrySize;
            Table& table = tables_[t];
            table.at = U32(entry);
            table.length = U32(entry + 4);
            if (table.at == kAbsent ? table.length != 0 : uint64_t(table.at) + table.length > size_)
                return false;
        }
        if (types && !tables_[kTypeTable].Holds(0, types * kTypeRecordSize))
            return false;
        if (!Position(kNameTable, U32(lib_ + kLibNameAt), kNameFixed) ||
            !Position(kStringTable, U32(lib_ + kLibHelpAt), 2) ||
            !Position(kStringTable, U32(lib_ + kHelpFileAt), 2) ||
            (helpDll && !Position(kStringTable, U32(lib_ + kHeaderSize), 2)) ||
            !CustomDataSound(U32(lib_ + kLibCustomAt)))
            return false;
        if (!StringsSound() || !ImportFilesSound() || !TypeDescsSound())
            return false;
        for (uint64_t i = 0; i < types; ++i)
            if (!TypeSound(Type(i)))
                return false;
        return BasesSound(types);
    }

private:
    const uint8_t* In(TableNumber t, uint64_t offset) const { return lib_ + tables_[t].at + offset; }
    const uint8_t* Type(uint64_t i) const { return In(kTypeTable, i * kTypeRecordSize); }

    // A position into a table, or -1 (none) where that is allowed.
    bool Position(TableNumber t, uint32_t offset, uint64_t bytes, bool noneAllowed = true) const
    {
        return (noneAllowed && offset == kAbsent) || tables_[t].Holds(offset, bytes);
    }

    // The loader reads every string up front, by the length written before
    // each: a negative or overlong one makes it write outside its buffer.
    bool StringsSound() const
    {
        const Table& strings = tables_[kStringTable];
        if (strings.at == kAbsent)
            return true;
        for (uint64_t offset = 0; offset < strings.length;) {
            if (!strings.Holds(offset, 2))
                return false;
            int16_t length = I16(In(kStringTable, offset));
            if (length < 0 || length > kLongestString)
                return false;
            offset += std::max<uint64_t>((length + 2 + 3) & ~3, 8);
        }
        return true;
    }

    // A value: a small number packed into the position itself (top bit set),
    // which the loader takes for a pointer in the kinds that hold one; else
    // its kind and data in the custom-data table. A packed null object or
    // string (defaultvalue(0) on an object parameter, which is common) is
    // sound: the loader's copies and releases pass a null pointer by.
    bool ValueSound(uint32_t value) const
    {
        if (value & 0x80000000) {
            unsigned vt = (value >> 26) & 0x1F;
            bool pointer = vt == VT_BSTR || vt == VT_DISPATCH || vt == VT_UNKNOWN;
            return !pointer || (value & 0x03FFFFFF) == 0;
        }
        const Table& data = tables_[kCustomDataTable];
        if (!data.Holds(value, 2))
            return false;
        unsigned vt = static_cast<uint16_t>(I16(In(kCustomDataTable, value)));
        if (vt == VT_BSTR) {
            if (!data.Holds(uint64_t(value) + 2, 4))
                return false;
            uint32_t length = U32(In(kCustomDataTable, uint64_t(value) + 2));
            return length == kAbsent || data.Holds(uint64_t(value) + 6, length);
        }
        size_t size = ValueSize(vt);
        return size != 0 && data.Holds(uint64_t(value) + 2, size);
    }

    // A chain of custom data entries, which the loader follows to its end.
    bool CustomDataSound(uint32_t at) const
    {
        const Table& entries = tables_[kCustomGuidTable];
        if (entries.at == kAbsent)
            return true;   // the loader reads none
        for (uint64_t visited = 0; !(at & 0x80000000); ++visited) {
            if (visited == entries.length / kCustomEntrySize || !entries.Holds(at, kCustomEntrySize))
                return false;
            const uint8_t* entry = In(kCustomGuidTable, at);
            if (!Position(kGuidTable, U32(entry), kGuidEntrySize) || !ValueSound(U32(entry + 4)))
                return false;
            at = U32(entry + 8);
        }
        return true;
    }

    // The imported libraries, which the loader walks by their own sizes.
    bool ImportFilesSound()
    {
        uint32_t ownGuid = U32(lib_ + kLibGuidAt);
        if (Position(kGuidTable, ownGuid, kGuidEntrySize, false)) {
            std::memcpy(&links_.guid, In(kGuidTable, ownGuid), sizeof(GUID));
            links_.hasGuid = true;
        }
        const Table& files = tables_[kImportFileTable];
        if (files.at == kAbsent || files.at == 0)
            return true;
        for (uint64_t offset = 0; offset < files.length;) {
            if (!files.Holds(offset, kImportFileFixed))
                return false;
            const uint8_t* entry = In(kImportFileTable, offset);
            uint32_t guid = U32(entry);
            uint64_t name = static_cast<uint16_t>(I16(entry + 12)) >> 2;
            if (!Position(kGuidTable, guid, kGuidEntrySize, false) || !files.Holds(offset + kImportFileFixed, name))
                return false;
            const char* text = reinterpret_cast<const char*>(entry + kImportFileFixed);
            ImportedLibrary imported;
            std::memcpy(&imported.guid, In(kGuidTable, guid), sizeof(GUID));
            imported.lcid = U32(entry + kImportLcidAt);
            imported.major = static_cast<uint16_t>(I16(entry + 8));
            imported.minor = static_cast<uint16_t>(I16(entry + 10));
            imported.name = platform::FromCodePage(std::string(text, std::find(text, text + name, '\0')));
            links_.imports.push_back(imported);
            importOffsets_.push_back(offset);
            offset = (offset + kImportFileFixed + name + 3) & ~uint64_t(3);
        }
        return true;
    }

    uint64_t TypeDescCount() const { return tables_[kTypeDescTable].at == kAbsent ? 0 : tables_[kTypeDescTable].length / kTypeDescSize; }

    // A type as a member or an alias names it: a plain type (top bit set,
    // never one that needs an element type) or a position in the table of
    // type descriptions.
    bool TypeRef(uint32_t value) const
    {
        if (value & 0x80000000)
            return !PointerLike(value & VT_TYPEMASK) && DescribableType(value & VT_TYPEMASK);
        return value / kTypeDescSize < TypeDescCount();
    }

    // Pointers and arrays name their element by position. The loader builds
    // each array's element as a copy of the element's description, and every
    // later copy follows the elements to their end.
    bool TypeDescsSound() const
    {
        uint64_t count = TypeDescCount();
        std::vector<int64_t> element(count, -1);
        for (uint64_t i = 0; i < count; ++i) {
            const uint8_t* td = In(kTypeDescTable, i * kTypeDescSize);
            int16_t vt = I16(td), inner = I16(td + 4), flag = I16(td + 6);
            unsigned base = static_cast<uint16_t>(vt) & VT_TYPEMASK;
            if ((PointerLike(base) && base != static_cast<uint16_t>(vt)) || !DescribableType(base))
                return false;   // the loader treats it as one without its element
            if (vt == VT_PTR || vt == VT_SAFEARRAY) {
                if (flag < 0) {
                    if (inner < 0 || static_cast<uint64_t>(inner) >= kBuiltInTypes || PointerLike(inner) ||
                        !DescribableType(inner))
                        return false;
                } else {
                    if (inner < 0 || static_cast<uint64_t>(inner) / kTypeDescSize >= count)
                        return false;
                    element[i] = inner / kTypeDescSize;
                }
            } else if (vt == VT_CARRAY && !ArraySound(inner, i, count, element[i])) {
                return false;
            }
        }
        return ChainsEnd(element);
    }

    // An array description: element, dimension count, room for the bounds.
    // Its element, copied while the table is read, must be complete by then.
    bool ArraySound(int16_t offset, uint64_t index, uint64_t typeDescs, int64_t& element) const
    {
        const Table& arrays = tables_[kArrayTable];
        if (offset < 0 || arrays.at == 0 || !arrays.Holds(offset, kTypeDescSize))
            return false;
        const uint8_t* ad = In(kArrayTable, offset);
        int16_t type = I16(ad), flag = I16(ad + 2), dims = I16(ad + 4), room = I16(ad + 6);
        if (flag < 0) {
            unsigned vt = static_cast<uint16_t>(type) & VT_TYPEMASK;
            if (PointerLike(vt) || !DescribableType(vt))
                return false;
        } else {
            if (type < 0 || static_cast<uint64_t>(type) / kTypeDescSize >= typeDescs)
                return false;
            element = type / kTypeDescSize;
            if (I16(In(kTypeDescTable, element * kTypeDescSize)) == VT_CARRAY && static_cast<uint64_t>(element) >= index)
                return false;
        }
        return dims > 0 && dims <= room && arrays.Holds(offset + kTypeDescSize, uint64_t(dims) * 8);
    }

    bool TypeSound(const uint8_t* type) const
    {
        uint32_t kind = U32(type + kKindAt) & kKindMask;
        if (kind > kUnion || !Position(kNameTable, U32(type + kNameAt), kNameFixed, false) ||
            !Position(kGuidTable, U32(type + kGuidAt), kGuidEntrySize) ||
            !Position(kStringTable, U32(type + kHelpAt), 2) || !CustomDataSound(U32(type + kTypeCustomAt)) ||
            !MembersSound(type, kind))
            return false;
        uint32_t data = U32(type + kDataTypeAt);
        uint16_t interfaces = static_cast<uint16_t>(I16(type + kInterfacesAt));
        // Only a coclass lists several interfaces; the loader keeps one for
        // any other type, whatever the count says.
        if (kind != kCoclass && interfaces > 1)
            return false;
        if (kind == kAlias && !TypeRef(data))
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
                const uint8_t* reference = In(kReferenceTable, at);
                if (!CustomDataSound(U32(reference + 8)))
                    return false;
                at = U32(reference + 12);
            }
        }
        return true;
    }

    // The member records: a block that starts with the length of the
    // records, then the records (functions first, each sized by its first
    // field), then three arrays of member ids, names and record positions.
    bool MembersSound(const uint8_t* type, uint32_t kind) const
    {
        uint32_t counts = U32(type + kCountsAt);
        uint64_t functions = counts & 0xFFFF, variables = counts >> 16, members = functions + variables;
        if (members == 0)
            return true;
        uint64_t block = U32(type + kMembersAt);
        if (block + 4 > size_)
            return false;
        uint64_t records = block + 4, length = U32(lib_ + block), end = records + length;
        if (end + members * 12 > size_)
            return false;
        const uint8_t* names = lib_ + end + members * 4;
        const uint8_t* positions = names + members * 4;
        for (uint64_t m = 0; m < members; ++m)
            if (!Position(kNameTable, U32(names + m * 4), kNameFixed) || U32(positions + m * 4) >= length)
                return false;
        uint64_t at = records;
        for (uint64_t f = 0; f < functions; ++f)
            if (!FunctionSound(at, end, kind))
                return false;
        at = records + U32(positions + functions * 4);
        for (uint64_t v = 0; v < variables; ++v)
            if (!VariableSound(at, end))
                return false;
        return true;
    }

    // One function record at `at`, which then moves past it. Its parameters
    // (and their default values, when it has them) fill its end.
    bool FunctionSound(uint64_t& at, uint64_t end, uint32_t kind) const
    {
        if (at + kFunctionFixed > end)
            return false;
        const uint8_t* r = lib_ + at;
        uint64_t size = U32(r) & 0xFFFF;
        uint32_t call = U32(r + kCallAt);
        int16_t args = I16(r + kArgCountAt);
        if (args < 0)
            return false;
        uint64_t argBytes = uint64_t(args) * ((call & kHasDefaults) ? kParamSize + 4 : kParamSize);
        if (size < kFunctionFixed + argBytes || at + size > end || !TypeRef(U32(r + kRecordTypeAt)))
            return false;
        uint64_t fixed = size - argBytes;   // with the optional fields the size leaves room for
        if ((fixed > kFunctionHelpAt && !Position(kStringTable, U32(r + kFunctionHelpAt), 2)) ||
            (fixed > kEntryAt && kind == kModule && !(call & kEntryIsOrdinal) &&
             !Position(kStringTable, U32(r + kEntryAt), 2)))
            return false;
        if (call & kHasCustomData) {
            if (fixed > kFunctionCustomAt && !CustomDataSound(U32(r + kFunctionCustomAt)))
                return false;
            for (int16_t p = 0; p < args && fixed > kArgCustomAt + 4u * p; ++p)
                if (!CustomDataSound(U32(r + kArgCustomAt + 4 * p)))
                    return false;
        }
        const uint8_t* params = r + size - uint64_t(args) * kParamSize;
        const uint8_t* defaults = params - uint64_t(args) * 4;
        for (int16_t p = 0; p < args; ++p) {
            const uint8_t* param = params + p * kParamSize;
            if (!TypeRef(U32(param)) || !Position(kNameTable, U32(param + 4), kNameFixed))
                return false;
            // A default value the function does not hold leaves the loader
            // with a parameter description it never made.
            if ((U32(param + 8) & PARAMFLAG_FHASDEFAULT) &&
                (!(call & kHasDefaults) || !ValueSound(U32(defaults + 4 * p))))
                return false;
        }
        at += size;
        return true;
    }

    // One variable record at `at`, which then moves past it.
    bool VariableSound(uint64_t& at, uint64_t end) const
    {
        if (at + kVariableFixed > end)
            return false;
        const uint8_t* r = lib_ + at;
        uint64_t size = U32(r) & 0xFF;
        if (size < kVariableFixed || at + size > end || !TypeRef(U32(r + kRecordTypeAt)) ||
            (I16(r + kVarKindAt) == VAR_CONST && !ValueSound(U32(r + kVarValueAt))) ||
            (size > kVariableHelpAt && !Position(kStringTable, U32(r + kVariableHelpAt), 2)) ||
            (size > kVariableCustomAt && !CustomDataSound(U32(r + kVariableCustomAt))))
            return false;
        at += size;
        return true;
    }

    // Interfaces name their base by reference, and the loader finds an
    // inherited member by recursion through the bases, also into imported
    // libraries. A reference to a type of this library is the handle written
    // in the type's name entry; an odd one, or one no type has, is an entry
    // of the imported types.
    bool BasesSound(uint64_t types)
    {
        std::unordered_map<uint32_t, int64_t> byHandle;
        for (uint64_t i = types; i-- > 0;)
            byHandle[U32(In(kNameTable, U32(Type(i) + kNameAt)))] = static_cast<int64_t>(i);
        links_.bases.assign(types, BaseRef{});
        links_.typeGuids.assign(types, GUID{});
        for (uint64_t i = 0; i < types; ++i) {
            const uint8_t* type = Type(i);
            uint32_t guid = U32(type + kGuidAt);
            if (guid != kAbsent)
                std::memcpy(&links_.typeGuids[i], In(kGuidTable, guid), sizeof(GUID));
            uint32_t kind = U32(type + kKindAt) & kKindMask;
            uint32_t data = U32(type + kDataTypeAt);
            if (I16(type + kInterfacesAt) == 0 || (kind == kDispatch && data == kAbsent))
                continue;
            uint32_t ref = data;
            if (kind == kCoclass) {
                if (data & 0x80000000)
                    continue;
                ref = U32(In(kReferenceTable, data));
            }
            // A negative reference makes an interface its own base; a large one
            // is taken for one into an inherited interface.
            if ((kind == kInterface || kind == kDispatch) && (ref & 0xFF000000))
                return false;
            if (ref & 0x80000000)
                continue;
            auto found = (ref & 1) ? byHandle.end() : byHandle.find(ref & ~3u);
            if (found != byHandle.end()) {
                links_.bases[i].where = BaseRef::Where::Here;
                links_.bases[i].index = static_cast<uint64_t>(found->second);
            } else {
                links_.bases[i] = ImportedType(ref & ~3u);
            }
        }
        return true;
    }

    // The type an entry of the imported types leads to.
    BaseRef ImportedType(uint32_t at) const
    {
        BaseRef base;
        if (!tables_[kImportInfoTable].Holds(at, kImportInfoSize))
            return base;
        const uint8_t* info = In(kImportInfoTable, at);
        uint32_t file = U32(info + 4), target = U32(info + 8);
        auto import = std::find(importOffsets_.begin(), importOffsets_.end(), file);
        if (import == importOffsets_.end())
            return base;
        base.import = static_cast<size_t>(import - importOffsets_.begin());
        base.byGuid = (U32(info) & kImportByGuid) != 0;
        if (base.byGuid) {
            if (!Position(kGuidTable, target, kGuidEntrySize, false))
                return base;
            std::memcpy(&base.guid, In(kGuidTable, target), sizeof(GUID));
        } else {
            base.index = target;
        }
        base.where = BaseRef::Where::Imported;
        return base;
    }

    const uint8_t* lib_;
    uint64_t size_;
    Table tables_[kTables];
    Links& links_;
    std::vector<uint64_t> importOffsets_;   // positions in the table of imported libraries
};

// A library reached in one call, with what the loader follows out of it.
// Each is read once, so imports that lead back end there.
struct Checked {
    Source source;
    bool read = false;               // a library the loader reads
    Links links;
    std::vector<size_t> importedAt;  // per import, the library it leads to
};
using CheckedList = std::vector<Checked>;
Verdict CheckSource(const Source& source, CheckedList& checked, size_t& at);

// Whether an import names this library: its GUID and major version, by
// which the loader also finds a library it has already loaded.
bool SameLibrary(const ImportedLibrary& imported, const Links& links)
{
    return links.hasGuid && imported.major == links.major && IsEqualGUID(imported.guid, links.guid);
}

// A library's own bytes, then the libraries it imports, which the loader
// reads when their types are wanted.
Verdict CheckBytes(const uint8_t* lib, uint64_t size, size_t at, CheckedList& checked)
{
    Links links;
    uint32_t signature = size >= 4 ? U32(lib) : 0;
    if (signature == kMsftSignature) {
        if (!Library(lib, size, links).Sound())
            return Verdict::Damaged;
    } else if (signature == kSltgSignature) {
        if (!SltgSound(lib, size, links))
            return Verdict::Damaged;
    } else {
        return Verdict::Readable;
    }
    checked[at].read = true;
    std::vector<size_t> importedAt(links.imports.size(), at);
    for (size_t k = 0; k < links.imports.size(); ++k)
        if (!SameLibrary(links.imports[k], links) &&
            CheckSource(LocateImport(links.imports[k], links.syskind), checked, importedAt[k]) == Verdict::Damaged)
            return Verdict::Damaged;
    checked[at].links = std::move(links);
    checked[at].importedAt = std::move(importedAt);
    return Verdict::Readable;
}

Verdict CheckSource(const Source& source, CheckedList& checked, size_t& at)
{
    for (at = 0; at < checked.size(); ++at)
        if (SameSource(checked[at].source, source))
            return Verdict::Readable;
    checked.emplace_back();
    checked.back().source = source;
    std::vector<uint8_t> bytes;
    switch (ReadSource(source, bytes)) {
    case Outcome::Found:
        return CheckBytes(bytes.data(), bytes.size(), at, checked);
    case Outcome::Damaged:
        return Verdict::Damaged;
    default:
        return Verdict::Readable;   // the loader reports what it cannot find
    }
}

// The library an import leads to: one read with its GUID and major version,
// as the loader takes a library it has loaded, else the file found for it.
// -1 when the loader reads none.
int64_t ImportTarget(const CheckedList& checked, size_t from, size_t import)
{
    const ImportedLibrary& imported = checked[from].links.imports[import];
    for (size_t i = 0; i < checked.size(); ++i)
        if (checked[i].read && SameLibrary(imported, checked[i].links))
            return static_cast<int64_t>(i);
    size_t at = checked[from].importedAt[import];
    return checked[at].read ? static_cast<int64_t>(at) : -1;
}

// The chains of bases through all the libraries read, which the loader
// follows by recursion from one library into another: each must end.
bool BasesEnd(const CheckedList& checked)
{
    std::vector<uint64_t> first(checked.size() + 1, 0);
    for (size_t l = 0; l < checked.size(); ++l)
        first[l + 1] = first[l] + checked[l].links.bases.size();
    std::vector<int64_t> next(first.back(), -1);
    for (size_t l = 0; l < checked.size(); ++l) {
        const std::vector<BaseRef>& bases = checked[l].links.bases;
        for (size_t i = 0; i < bases.size(); ++i) {
            const BaseRef& base = bases[i];
            int64_t target = base.where == BaseRef::Where::Here       ? static_cast<int64_t>(l)
                             : base.where == BaseRef::Where::Imported ? ImportTarget(checked, l, base.import)
                                                                      : -1;
            if (target < 0)
                continue;
            const Links& into = checked[target].links;
            uint64_t index = base.index;
            if (base.where == BaseRef::Where::Imported && base.byGuid) {
                auto found = std::find_if(into.typeGuids.begin(), into.typeGuids.end(),
                                          [&](const GUID& guid) { return IsEqualGUID(guid, base.guid); });
                index = static_cast<uint64_t>(found - into.typeGuids.begin());
            }
            if (index < into.bases.size())
                next[first[l] + i] = static_cast<int64_t>(first[target] + index);
        }
    }
    return ChainsEnd(next);
}

} // namespace

Verdict Check(const std::wstring& path)
{
    // Tables sized by the file's own counts: a library too large to check
    // is not handed on either.
    try {
        CheckedList checked;
        size_t at = 0;
        if (CheckSource(Locate(path), checked, at) == Verdict::Damaged)
            return Verdict::Damaged;
        return BasesEnd(checked) ? Verdict::Readable : Verdict::Damaged;
    } catch (const std::bad_alloc&) {
        return Verdict::Damaged;
    }
}

} // namespace TypeLibCheck
