#include "SltgCheck.h"

#include "LittleEndian.h"

#include "platform/Text.h"

#include <oleauto.h>

#include <cctype>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace TypeLibCheck {

namespace {

using LittleEndian::U16;
using LittleEndian::U32;

const uint16_t kNone = 0xFFFF;
// The header, then one entry per block (length, index string, next block).
const size_t kHeaderSize = 0x24, kBlockCountAt = 0x04, kFirstBlockAt = 0x0A;
const size_t kBlockEntrySize = 8, kIndexStringAt = 4, kNextBlockAt = 6;
// After the entries: this text, one index string per type and nine zeros.
const char kDirectory[] = "\1CompObj\0dir";
const size_t kIndexSize = 11, kPadSize = 9;
// The library block: its fixed fields after the two strings, the table
// between them and the count of types, and each type's entry there.
const uint16_t kLibraryMagic = 0x51CC;
const size_t kLibraryNameAt = 4, kLibraryFixed = 34, kLibrarySysKindAt = 4, kLibraryMajorAt = 14,
             kLibraryGuidAt = 18, kLibraryGap = 0x40, kTypeEntryFixed = 36;
const size_t kNameTableGap = 0x218, kNameTableExtra = 0x20;
// A type's block: its header, the member header that leads to the member
// data, and the tail after the data.
const uint16_t kTypeMagic = 0x0501;
const size_t kTypeHeaderSize = 0x22, kRefTableAt = 0x02, kMembersAt = 0x0A, kKindAt = 0x1D;
const size_t kMemberHeaderSize = 9, kMemberLengthAt = 5;
const size_t kTailSize = 0x36, kFuncCountAt = 0x00, kVarCountAt = 0x02, kFuncsAt = 0x08, kVarsAt = 0x0A,
             kImplsAt = 0x0C, kAliasTypeAt = 0x14, kSimpleAliasAt = 0x1C;
// The references of a type: a marker, the length of an unused part, then
// one name per reference ("*\R<library>*#<type>").
const uint8_t kRefMagic = 0xDF;
const size_t kRefLengthAt = 0x44, kRefNamesAt = 0x4F;
const uint16_t kThisLibrary = 0xFFFF;
// An imported library as a reference names it:
// "*\G{<guid>}#<major>.<minor>#<lcid>#<file>#".
const size_t kImportGuidAt = 4, kImportGuidLength = 36, kImportRestAt = 40;
// Implemented interfaces, functions, variables.
const uint16_t kImplMagic = 0x004A;
const size_t kImplSize = 0x16, kImplNextAt = 2, kImplRefAt = 0x0A;
const size_t kFunctionSize = 24, kFuncNextAt = 2, kFuncNameAt = 4, kFuncHelpAt = 12, kArgsAt = 14, kArgCountAt = 16,
             kReturnFlagsAt = 17, kReturnAt = 18;
const uint8_t kFlagsPresent = 0x20, kInlineReturn = 0x80;
const size_t kVariableSize = 20, kVarNextAt = 2, kVarNameAt = 4, kVarValueAt = 6, kVarTypeAt = 8, kVarHelpAt = 16;
const uint8_t kInlineType = 0x02, kConstant = 0x10, kValueInline = 0x08, kDispatchVar = 0x40;
const uint16_t kSameName = 0xFFFE;
// Where a 64-bit SAFEARRAY keeps its bounds, which the loader copies.
const size_t kArrayBoundsAt = 24;
// Type descriptions nest by one level per word; longer ones than any real
// library has are refused, as the loader copies and frees them by recursion.
const int kDeepestType = 64;

bool IsFunctionMagic(uint8_t magic)
{
    magic &= ~kFlagsPresent;
    return magic == 0x4C || magic == 0xCB || magic == 0x8B;
}

// Reads hexadecimal (base 16) or decimal digits at `p`, at least one.
bool Digits(const char*& p, int base, unsigned long& value)
{
    const char* start = p;
    value = 0;
    while (base == 16 ? std::isxdigit(static_cast<unsigned char>(*p)) : std::isdigit(static_cast<unsigned char>(*p))) {
        if (p - start == 8)
            return false;
        value = value * base + (std::isdigit(static_cast<unsigned char>(*p)) ? *p - '0' : (*p | 0x20) - 'a' + 10);
        ++p;
    }
    return p != start;
}

bool Literal(const char*& p, const char* text)
{
    size_t n = std::strlen(text);
    if (std::strncmp(p, text, n) != 0)
        return false;
    p += n;
    return true;
}

// "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx".
bool ParseGuid(const std::string& text, GUID& guid)
{
    static const int kGroups[] = {8, 4, 4, 4, 12};
    uint8_t bytes[16];
    size_t at = 0, byte = 0;
    for (int g = 0; g < 5; ++g) {
        for (int d = 0; d < kGroups[g]; d += 2, at += 2) {
            if (at + 2 > text.size() || !std::isxdigit(static_cast<unsigned char>(text[at])) ||
                !std::isxdigit(static_cast<unsigned char>(text[at + 1])))
                return false;
            bytes[byte++] = static_cast<uint8_t>(std::stoul(text.substr(at, 2), nullptr, 16));
        }
        if (g < 4 && (at >= text.size() || text[at++] != '-'))
            return false;
    }
    guid.Data1 = uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
    guid.Data2 = static_cast<uint16_t>(bytes[4] << 8 | bytes[5]);
    guid.Data3 = static_cast<uint16_t>(bytes[6] << 8 | bytes[7]);
    std::memcpy(guid.Data4, bytes + 8, 8);
    return at == text.size();
}

class SltgLibrary {
public:
    SltgLibrary(const uint8_t* lib, uint64_t size, Links& links) : lib_(lib), size_(size), links_(links) {}

    bool Sound()
    {
        if (!Has(0, kHeaderSize))
            return false;
        uint64_t blocks = W(kBlockCountAt);
        if (blocks < 2)
            return false;   // the loader reads entries before the header
        const uint64_t entries = blocks - 1, types = blocks - 2;
        const uint64_t directory = kHeaderSize + entries * kBlockEntrySize;
        if (!Has(directory, sizeof kDirectory))
            return false;
        if (std::memcmp(lib_ + directory, kDirectory, sizeof kDirectory) != 0)
            return true;   // the loader turns it down here

        // The blocks in their chain from the first: the types', then the
        // library block, whose entry ends the chain.
        std::vector<std::pair<uint64_t, uint64_t>> typeBlocks;   // position, entry
        std::vector<bool> seen(entries, false);
        uint64_t at = directory + sizeof kDirectory + types * kIndexSize + kPadSize;
        for (uint32_t order = uint32_t(W(kFirstBlockAt)) - 1;;) {
            if (order >= entries || seen[order])
                return false;
            seen[order] = true;
            uint64_t entry = kHeaderSize + uint64_t(order) * kBlockEntrySize;
            uint16_t next = W(entry + kNextBlockAt);
            if (next == 0)
                break;
            uint32_t length = D(entry);
            if (!Has(at, length))
                return false;
            typeBlocks.emplace_back(at, entry);
            at += length;
            order = uint32_t(next) - 1;
        }

        std::vector<TypeEntry> typeEntries;
        if (!LibraryBlockSound(at, typeEntries) || typeEntries.size() != typeBlocks.size())
            return false;
        links_.bases.assign(typeEntries.size(), BaseRef{});
        links_.typeGuids.assign(typeEntries.size(), GUID{});
        for (size_t i = 0; i < typeBlocks.size(); ++i) {
            uint64_t block = typeBlocks[i].first;
            std::string index;
            if (!Text(directory + W(typeBlocks[i].second + kIndexStringAt), &index) || !Has(block, kTypeHeaderSize))
                return false;
            if (index != typeEntries[i].index.c_str() || W(block) != kTypeMagic) {
                links_ = Links();
                return true;   // the loader turns it down here
            }
            if (!Name(typeEntries[i].name) || !TypeSound(block, links_.bases[i]))
                return false;
            links_.typeGuids[i] = typeEntries[i].guid;
        }
        return true;
    }

private:
    struct TypeEntry {
        std::string index;
        uint16_t name = 0;
        GUID guid{};
    };

    bool Has(uint64_t at, uint64_t bytes) const { return at <= size_ && bytes <= size_ - at; }
    uint16_t W(uint64_t at) const { return U16(lib_ + at); }
    uint32_t D(uint64_t at) const { return U32(lib_ + at); }

    // A text that ends with a NUL inside the library.
    bool Text(uint64_t at, std::string* text = nullptr) const
    {
        if (at >= size_)
            return false;
        const void* end = std::memchr(lib_ + at, 0, size_ - at);
        if (!end)
            return false;
        if (text)
            text->assign(reinterpret_cast<const char*>(lib_ + at), static_cast<const char*>(end));
        return true;
    }
    bool Name(uint64_t offset) const { return Text(names_ + offset); }

    // A string written after its length (0xFFFF: none); `at` moves past it.
    bool SkipString(uint64_t& at) const
    {
        if (!Has(at, 2))
            return false;
        uint16_t length = W(at);
        at += 2;
        if (length == kNone)
            return true;
        at += length;
        return Has(at - length, length);
    }

    // The library's own fields, the table of its types and where its name
    // table starts.
    bool LibraryBlockSound(uint64_t block, std::vector<TypeEntry>& entries)
    {
        if (!Has(block, 8) || W(block) != kLibraryMagic)
            return false;   // the loader reads on from the wrong place
        uint64_t at = block + 6;
        uint16_t skipped = W(at);
        at += (skipped != kNone ? skipped : 0) + 2;
        if (!SkipString(at) || !SkipString(at) || !Has(at, kLibraryFixed))
            return false;
        links_.syskind = W(at + kLibrarySysKindAt);
        links_.major = W(at + kLibraryMajorAt);
        std::memcpy(&links_.guid, lib_ + at + kLibraryGuidAt, sizeof(GUID));
        links_.hasGuid = true;
        at += kLibraryFixed + kLibraryGap;
        if (!Has(at, 2))
            return false;
        entries.resize(W(at));
        at += 2;
        for (TypeEntry& entry : entries) {
            // Index name, another name, then fixed fields around a help text.
            if (!Has(at, 2) || W(at) == kNone || !Has(at + 2, W(at)))
                return false;   // the loader compares the index name it lacks
            uint64_t varying = W(at);
            entry.index.assign(reinterpret_cast<const char*>(lib_ + at + 2), varying);
            if (!Has(at + 2 + varying, 2))
                return false;
            uint16_t other = W(at + 2 + varying);
            varying += other != kNone ? other : 0;
            if (!Has(at + 8 + varying, 2))
                return false;
            entry.name = W(at + 6 + varying);
            varying += W(at + 8 + varying);
            if (!Has(at, kTypeEntryFixed + varying))
                return false;
            std::memcpy(&entry.guid, lib_ + at + 18 + varying, sizeof(GUID));
            at += kTypeEntryFixed + varying;
        }
        if (!Has(at, 4))
            return false;
        uint64_t table = block + D(at);
        if (!Has(table, 2))
            return false;
        names_ = table + (W(table) == 0x0200 ? kNameTableExtra : 0) + kNameTableGap;
        return Name(W(block + kLibraryNameAt));
    }

    bool TypeSound(uint64_t block, BaseRef& base)
    {
        const uint8_t kind = lib_[block + kKindAt];
        const uint64_t members = block + D(block + kMembersAt);
        if (!Has(members, kMemberHeaderSize))
            return false;
        const uint64_t data = members + kMemberHeaderSize;
        const uint64_t tail = data + D(members + kMemberLengthAt);
        if (!Has(tail, kTailSize) || !Has(data, 2))
            return false;
        const uint16_t funcs = W(tail + kFuncCountAt), vars = W(tail + kVarCountAt);
        const uint16_t funcsAt = W(tail + kFuncsAt), varsAt = W(tail + kVarsAt), implsAt = W(tail + kImplsAt);
        if (kind == TKIND_ENUM || kind == TKIND_RECORD)
            return VariablesSound(data, data + varsAt, vars);
        if (kind == TKIND_ALIAS && W(tail + kSimpleAliasAt) != 0)
            return true;
        if (kind > TKIND_ALIAS)
            return true;   // the loader reads nothing of other kinds

        std::vector<BaseRef> refs;
        uint32_t refTable = D(block + kRefTableAt);
        if (refTable != 0xFFFFFFFF && !RefsSound(block + refTable, refs))
            return false;
        switch (kind) {
        case TKIND_INTERFACE:
            return (W(data) != kImplMagic || ImplsSound(data, data, refs, base)) &&
                   (funcsAt == kNone || FunctionsSound(data, data + funcsAt, funcs));
        case TKIND_COCLASS:
            return W(data) != kImplMagic || ImplsSound(data, data, refs, base);
        case TKIND_ALIAS: {
            uint64_t at = data + W(tail + kAliasTypeAt);
            return TypeDescSound(at, data);
        }
        case TKIND_DISPATCH:
            return (varsAt == kNone || VariablesSound(data, data + varsAt, vars)) &&
                   (funcsAt == kNone || FunctionsSound(data, data + funcsAt, funcs)) &&
                   (implsAt == kNone || ImplsSound(data, data + implsAt, refs, base));
        default:   // a module
            return (varsAt == kNone || VariablesSound(data, data + varsAt, vars)) &&
                   (funcsAt == kNone || FunctionsSound(data, data + funcsAt, funcs));
        }
    }

    // The type's references, each to a type of this library or of an
    // imported one, by index.
    bool RefsSound(uint64_t at, std::vector<BaseRef>& refs)
    {
        if (!Has(at, kRefNamesAt))
            return false;
        if (lib_[at] != kRefMagic)
            return true;   // the loader reads no references
        uint32_t skipped = D(at + kRefLengthAt);
        uint64_t count = skipped >> 3;
        if (count == 0)
            return false;   // the loader sizes its table one entry short of nothing
        uint64_t name = at + kRefNamesAt + skipped;
        for (uint64_t k = 0; k < count; ++k) {
            if (!Has(name, 2) || W(name) == kNone || !Has(name + 2, W(name)))
                return false;
            std::string text(reinterpret_cast<const char*>(lib_ + name + 2), W(name));
            name += 2 + W(name);
            // The loader parses the text up to its first NUL and trusts both numbers.
            const char* p = text.c_str();
            unsigned long library = 0, type = 0;
            if (!Literal(p, "*\\R") || !Digits(p, 16, library) || !Literal(p, "*#") || !Digits(p, 16, type))
                return false;
            BaseRef ref;
            ref.index = type;
            ref.where = BaseRef::Where::Here;
            if (library != kThisLibrary) {
                ref.where = BaseRef::Where::Imported;
                if (!ImportSound(library, ref.import))
                    return false;
            }
            refs.push_back(ref);
        }
        return Has(name, 1);
    }

    // The imported library a reference names by the position of its text in
    // the name table; the loader reads each once.
    bool ImportSound(unsigned long offset, size_t& import)
    {
        for (import = 0; import < importOffsets_.size(); ++import)
            if (importOffsets_[import] == offset)
                return true;
        std::string text;
        if (!Name(offset, &text) || text.size() < kImportRestAt + 2)
            return false;
        ImportedLibrary library;
        const char* p = text.c_str() + kImportRestAt;
        unsigned long major = 0, minor = 0, lcid = 0;
        if (!ParseGuid(text.substr(kImportGuidAt, kImportGuidLength), library.guid) || !Literal(p, "}#") ||
            !Digits(p, 10, major) || !Literal(p, ".") || !Digits(p, 10, minor) || !Literal(p, "#") ||
            !Digits(p, 16, lcid) || !Literal(p, "#"))
            return false;
        // The loader copies the file name up to a blank into a buffer of
        // MAX_PATH + 1 characters and drops its last character (a "#").
        size_t length = 0;
        while (p[length] && !std::isspace(static_cast<unsigned char>(p[length])))
            ++length;
        if (length == 0 || length > MAX_PATH)
            return false;
        library.major = static_cast<uint16_t>(major);
        library.minor = static_cast<uint16_t>(minor);
        library.lcid = static_cast<uint32_t>(lcid);
        library.name = platform::FromCodePage(std::string(p, length - 1));
        links_.imports.push_back(library);
        importOffsets_.push_back(offset);
        import = importOffsets_.size() - 1;
        return true;
    }
    bool Name(uint64_t offset, std::string* text) const { return Text(names_ + offset, text); }

    // One type description at `at`, which then moves past its words.
    bool TypeDescSound(uint64_t& at, uint64_t data) const
    {
        for (int depth = 0; depth < kDeepestType; ++depth) {
            if (!Has(at, 2))
                return false;
            switch (W(at) & 0x3F) {
            case VT_PTR:
                at += 2;
                break;
            case VT_SAFEARRAY:
                at += 4;
                break;
            case VT_CARRAY: {
                if (!Has(at + 2, 2))
                    return false;
                uint64_t array = data + W(at + 2);
                if (!Has(array, 2) || W(array) == 0 || !Has(array + kArrayBoundsAt, uint64_t(W(array)) * 8))
                    return false;
                at += 4;
                break;
            }
            case VT_USERDEFINED:
                at += 4;
                return Has(at - 2, 2);
            default:
                at += 2;
                return true;
            }
        }
        return false;
    }

    // The chain of implemented interfaces. Its positions lie within 64 KB of
    // the member data, so a longer chain leads back into itself.
    bool ImplsSound(uint64_t data, uint64_t at, const std::vector<BaseRef>& refs, BaseRef& base) const
    {
        for (uint64_t k = 0; k <= 0x10000; ++k) {
            if (!Has(at, kImplSize))
                return false;
            if (k == 0 && W(at + kImplRefAt) < refs.size())
                base = refs[W(at + kImplRefAt)];
            uint16_t next = W(at + kImplNextAt);
            if (next == kNone)
                return true;
            at = data + next;
        }
        return false;
    }

    bool FunctionsSound(uint64_t data, uint64_t at, uint16_t count) const
    {
        for (uint16_t i = 0; i < count; ++i, at = data + W(at + kFuncNextAt)) {
            if (!Has(at, kFunctionSize))
                return false;
            if (!IsFunctionMagic(lib_[at]))
                continue;   // the loader skips it
            uint16_t help = W(at + kFuncHelpAt);
            if (!Name(W(at + kFuncNameAt)) || (help != kNone && !Name(help)))
                return false;
            uint64_t type = (lib_[at + kReturnFlagsAt] & kInlineReturn) ? at + kReturnAt : data + W(at + kReturnAt);
            if (!TypeDescSound(type, data))
                return false;
            // Each parameter: its name (odd when its type follows inline),
            // then its type or the position of its type.
            uint64_t arg = data + W(at + kArgsAt);
            for (unsigned p = 0, params = lib_[at + kArgCountAt] >> 3; p < params; ++p) {
                if (!Has(arg, 2))
                    return false;
                uint16_t word = W(arg);
                if ((word & ~1u) != kSameName && (!Name(word & ~1u) || !Name(word)))
                    return false;
                arg += 2;
                if (word & 1) {
                    if (!TypeDescSound(arg, data))
                        return false;
                } else {
                    if (!Has(arg, 2))
                        return false;
                    uint64_t type = data + W(arg);
                    if (!TypeDescSound(type, data))
                        return false;
                    arg += 2;
                }
            }
        }
        return true;
    }

    bool VariablesSound(uint64_t data, uint64_t at, uint16_t count) const
    {
        for (uint16_t i = 0; i < count; ++i, at = data + W(at + kVarNextAt)) {
            if (!Has(at, kVariableSize))
                return false;
            uint8_t magic = lib_[at], flags = lib_[at + 1];
            if (magic != 0x0A && magic != 0x2A)
                return true;   // the loader stops reading variables
            uint16_t name = W(at + kVarNameAt), help = W(at + kVarHelpAt);
            if ((name != kSameName && !Name(name)) || (help != kNone && !Name(help)))
                return false;
            uint64_t type = (flags & kInlineType) ? at + kVarTypeAt : data + W(at + kVarTypeAt);
            if (!Has(type, 2))
                return false;
            unsigned vt = (W(type) & 0xE00) == 0xE00 ? VT_PTR : W(type) & 0x3F;
            if (!TypeDescSound(type, data))
                return false;
            if ((flags & kDispatchVar) || !(flags & kConstant) || (flags & kValueInline))
                continue;
            // A constant's value: a string after its length, or a number.
            uint64_t value = data + W(at + kVarValueAt);
            if (vt == VT_BSTR || vt == VT_LPSTR || vt == VT_LPWSTR) {
                if (!Has(value, 2) || (W(value) != kNone && !Has(value + 2, W(value))))
                    return false;
            } else if ((vt == VT_I2 || vt == VT_UI2 || vt == VT_I4 || vt == VT_UI4 || vt == VT_INT || vt == VT_UINT) &&
                       !Has(value, 4)) {
                return false;
            }
        }
        return true;
    }

    const uint8_t* lib_;
    uint64_t size_;
    Links& links_;
    uint64_t names_ = 0;
    std::vector<unsigned long> importOffsets_;
};

} // namespace

bool SltgSound(const uint8_t* lib, uint64_t size, Links& links)
{
    links = Links();
    return SltgLibrary(lib, size, links).Sound();
}

} // namespace TypeLibCheck
