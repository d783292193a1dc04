#include "ClsTLB.h"
#include "TypeLibCheck.h"
#include "WindowTest.h"
#include "platform/Files.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// bin/tests/tlb/Members.tlb, compiled by the build from Members.idl.
std::wstring MembersLibrary()
{
    return wt::ProgramFolder() + L"\\tests\\tlb\\Members.tlb";
}

// A compiled library's bytes, with the positions of the records the tests
// damage.
class Layout {
public:
    explicit Layout(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    uint32_t Get(size_t at) const
    {
        uint32_t v = 0;
        std::memcpy(&v, &bytes_.at(at + 3) - 3, 4);
        return v;
    }
    void Set(size_t at, uint32_t v) { std::memcpy(&bytes_.at(at + 3) - 3, &v, 4); }
    void Set16(size_t at, uint16_t v) { std::memcpy(&bytes_.at(at + 1) - 1, &v, 2); }
    void SetText(size_t at, const std::string& text)
    {
        bytes_.at(at + text.size() - 1);
        std::memcpy(&bytes_[at], text.data(), text.size());
    }

    // Table n of the directory.
    size_t Table(int n) const
    {
        size_t types = Get(0x20);
        return Get(0x54 + types * 4 + ((Get(0x14) & 0x100) ? 4 : 0) + n * 16);
    }
    size_t Type(const char* name) const
    {
        for (size_t i = 0; i < Get(0x20); ++i) {
            size_t type = Table(0) + i * 0x64;
            size_t entry = Table(7) + Get(type + 0x34);
            if (std::string(reinterpret_cast<const char*>(&bytes_[entry + 12]), bytes_[entry + 8]) == name)
                return type;
        }
        ADD_FAILURE() << name;
        return 0;
    }
    size_t Records(size_t type) const { return Get(type + 4) + 4; }
    // The arrays after the records: member ids, names, record positions.
    size_t Array(size_t type, int which, size_t member) const
    {
        uint32_t counts = Get(type + 0x18);
        size_t members = (counts & 0xFFFF) + (counts >> 16);
        return Records(type) + Get(Records(type) - 4) + (which * members + member) * 4;
    }
    size_t Function(size_t type, int k) const
    {
        size_t at = Records(type);
        while (k-- > 0)
            at += Get(at) & 0xFFFF;
        return at;
    }
    size_t Param(size_t function, int j) const
    {
        return function + (Get(function) & 0xFFFF) - (Get(function + 20) & 0xFFFF) * 12 + j * 12;
    }
    size_t Default(size_t function, int j) const
    {
        return function + (Get(function) & 0xFFFF) - (Get(function + 20) & 0xFFFF) * 16 + j * 4;
    }
    size_t Variable(size_t type) const { return Records(type) + Get(Array(type, 2, 0)); }

private:
    std::vector<uint8_t> bytes_;
};

void LoopCustomData(Layout& l)
{
    uint32_t entry = l.Get(l.Function(l.Type("IMembers"), 0) + 48);
    l.Set(l.Table(12) + entry + 8, entry);
}

struct Damage {
    const char* what;
    std::function<void(Layout&)> apply;
};

// Writes the bytes and gives the check's verdict and the reader's code.
void ExpectRefused(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    ASSERT_TRUE(platform::WriteFileSafely(path, bytes.data(), bytes.size()));
    EXPECT_EQ(TypeLibCheck::Check(path), TypeLibCheck::Verdict::Damaged);
    ClsTLB reader;
    std::wstring message;
    EXPECT_EQ(reader.GetTLib(path, message, false), 5);
}

// A damaged copy of the test library, written to path for the loader to find
// as an import.
bool WriteDamagedLibrary(const std::vector<uint8_t>& original, const std::wstring& path)
{
    Layout damaged(original);
    LoopCustomData(damaged);
    return platform::WriteFileSafely(path, damaged.Bytes().data(), damaged.Bytes().size());
}

// The test library with its one import (stdole2.tlb) named name instead,
// under a GUID of its own whose first part is mark.
Layout WithImport(const std::vector<uint8_t>& original, uint32_t mark, const char* name)
{
    Layout l(original);
    size_t file = l.Table(2);
    l.Set(l.Table(5) + l.Get(file), mark);
    l.SetText(file + 14, name);
    return l;
}

// The loader looks for an imported library's name in the current folder too.
class InFolder {
public:
    explicit InFolder(const std::wstring& folder)
    {
        GetCurrentDirectoryW(MAX_PATH, before_);
        SetCurrentDirectoryW(folder.c_str());
    }
    ~InFolder() { SetCurrentDirectoryW(before_); }

private:
    wchar_t before_[MAX_PATH] = {};
};

// IMembers' records: Add(item, [key = "none"], [count = 5], retval long*)
// with custom data, then Caption; Shade's two constants.
const Damage kDamages[] = {
    {"huge parameter count", [](Layout& l) { l.Set16(l.Function(l.Type("IMembers"), 0) + 20, 0x7FFF); }},
    {"function record shorter than its fields",
     [](Layout& l) { l.Set16(l.Function(l.Type("IMembers"), 0), 8); }},
    {"constant record shorter than its fields", [](Layout& l) { l.Set16(l.Variable(l.Type("Shade")), 2); }},
    {"constant records past their block", [](Layout& l) { l.Set(l.Array(l.Type("Shade"), 2, 0), 0x7FFFFF00); }},
    {"parameter type past the type descriptions",
     [](Layout& l) { l.Set(l.Param(l.Function(l.Type("IMembers"), 0), 0), 0x7FF8); }},
    {"pointer written as a plain type",
     [](Layout& l) { l.Set(l.Function(l.Type("IMembers"), 0) + 4, 0x801A001A); }},
    {"member name past the name table", [](Layout& l) { l.Set(l.Array(l.Type("IMembers"), 1, 0), 0x7FFFFF00); }},
    {"help string past the string table",
     [](Layout& l) { l.Set(l.Function(l.Type("IMembers"), 0) + 28, 0x7FFFFF00); }},
    {"string with a negative length", [](Layout& l) { l.Set16(l.Table(8), 0xFFFC); }},
    {"custom data that leads back to itself", LoopCustomData},
    {"custom data value past its table",
     [](Layout& l) { l.Set(l.Table(12) + l.Get(l.Function(l.Type("IMembers"), 0) + 48) + 4, 0x7FFFFF00); }},
    {"implemented interface's custom data past its table",
     [](Layout& l) { l.Set(l.Table(3) + l.Get(l.Type("Members") + 0x54) + 8, 0x7FFFFF00); }},
    {"default text longer than its table",
     [](Layout& l) { l.Set(l.Table(11) + l.Get(l.Default(l.Function(l.Type("IMembers"), 0), 1)) + 2, 0x7FFFFFF0); }},
    {"default value the function does not hold",
     [](Layout& l) {
         size_t add = l.Function(l.Type("IMembers"), 0);
         l.Set(add + 16, l.Get(add + 16) & ~0x1000u);
     }},
    {"pointer and array that lead to each other",
     [](Layout& l) {
         // The return value's pointer points at the array, whose element is the pointer.
         uint32_t pointer = l.Get(l.Param(l.Function(l.Type("IMembers"), 0), 3));
         size_t td = l.Table(9);
         l.Set(td + pointer + 4, 0);
         l.Set(l.Table(10), pointer);
     }},
    {"interface that is its own base",
     [](Layout& l) {
         size_t type = l.Type("IMembers");
         l.Set(type + 0x54, l.Get(l.Table(7) + l.Get(type + 0x34)));
     }},
};

// Copies of the compiled library, each damaged in one member record or in a
// table that members lead into: the check refuses each, and the reader gives
// the damaged library's outcome instead of hanging or crashing.
TEST(TypeLibCheck, DamagedMemberRecords)
{
    std::vector<uint8_t> original;
    ASSERT_TRUE(platform::ReadWholeFile(MembersLibrary(), original));
    std::wstring message;
    ClsTLB reader;
    ASSERT_EQ(reader.GetTLib(MembersLibrary(), message, false), 0) << message;
    ASSERT_EQ(reader.ClassName(2), L"Members");
    EXPECT_NE(reader.GetClassString(2).find(L"Method Add(item as String[, key as String][, count as Long]) as Long"),
              std::wstring::npos);

    std::wstring path = wt::ScratchFolder(L"tlb_check_tests") + L"\\damaged.tlb";
    for (const Damage& damage : kDamages) {
        SCOPED_TRACE(damage.what);
        Layout layout(original);
        damage.apply(layout);
        ASSERT_TRUE(platform::WriteFileSafely(path, layout.Bytes().data(), layout.Bytes().size()));
        EXPECT_EQ(TypeLibCheck::Check(path), TypeLibCheck::Verdict::Damaged);
        EXPECT_EQ(reader.GetTLib(path, message, false), 5);
        EXPECT_EQ(message, L"Error. Unable to open type library.");
    }
}

// A library that imports another by a name the loader finds on disk, its
// GUID registered nowhere: a damaged import is refused with it.
TEST(TypeLibCheck, DamagedImportedLibrary)
{
    std::vector<uint8_t> original;
    ASSERT_TRUE(platform::ReadWholeFile(MembersLibrary(), original));
    std::wstring folder = wt::ScratchFolder(L"tlb_check_tests");
    ASSERT_TRUE(WriteDamagedLibrary(original, folder + L"\\damaged.tlb"));
    InFolder in(folder);
    ExpectRefused(folder + L"\\importing.tlb", WithImport(original, 0x7A3E10FF, "damaged.tlb").Bytes());
}

// A 16-bit program file whose TYPELIB resource is a damaged library: the
// loader reads such a resource as well.
TEST(TypeLibCheck, DamagedLibraryIn16BitProgram)
{
    std::vector<uint8_t> original;
    ASSERT_TRUE(platform::ReadWholeFile(MembersLibrary(), original));
    Layout library(original);
    LoopCustomData(library);
    Layout program(std::vector<uint8_t>(0x100));
    program.Set16(0, IMAGE_DOS_SIGNATURE);
    program.Set(offsetof(IMAGE_DOS_HEADER, e_lfanew), 0x40);
    program.Set16(0x40, IMAGE_OS2_SIGNATURE);
    program.Set16(0x40 + offsetof(IMAGE_OS2_HEADER, ne_rsrctab), 0x40);
    program.Set16(0x40 + offsetof(IMAGE_OS2_HEADER, ne_restab), 0x40 + 32);
    // The resource table at 0x80: sizes in 16-byte units, then one type
    // (named at 24) of one resource (number 1, at 0x100), then the name.
    program.Set16(0x80, 4);
    program.Set16(0x82, 24);
    program.Set16(0x84, 1);
    program.Set16(0x8A, 0x100 >> 4);
    program.Set16(0x8C, static_cast<uint16_t>((library.Bytes().size() + 15) >> 4));
    program.Set16(0x90, 0x8001);
    program.SetText(0x98, "\x07TYPELIB");
    std::vector<uint8_t> bytes = program.Bytes();
    bytes.insert(bytes.end(), library.Bytes().begin(), library.Bytes().end());
    ExpectRefused(wt::ScratchFolder(L"tlb_check_tests") + L"\\old16.dll", bytes);
}

// A library in the older format with one enumeration, Shade, of one
// constant, Light = 1; the positions of its library block and constant.
struct OldFormat {
    std::vector<uint8_t> bytes;
    size_t library = 0, constant = 0;
};

OldFormat OldFormatLibrary()
{
    OldFormat f;
    std::vector<uint8_t>& b = f.bytes;
    auto u16 = [&](uint32_t v) {
        b.push_back(static_cast<uint8_t>(v));
        b.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    auto raw = [&](const char* text, size_t n) { b.insert(b.end(), text, text + n); };
    auto guid = [&](uint32_t data1) {
        u32(data1);
        u16(0x51C2);
        u16(0x4B8D);
        raw("\x9A\x11\x22\x33\x44\x55\x66\x77", 8);
    };
    // Header: three blocks (one more than the type's and the library's), the
    // first one's entry; the entries (length, index text, next); the
    // directory text, one index text, nine zeros.
    u32(0x47544C53), u16(3), u16(9), u16(0), u16(1);
    u32(0x000204FF), u16(0), u16(0), raw("\xC0\0\0\0\0\0\0\x46", 8), u32(0x44), u32(0xFFFF0000);
    u32(0), u16(13), u16(2);
    u32(0), u16(9), u16(0);
    raw("\1CompObj\0dir\0AAAAAAAAAA\0\0\0\0\0\0\0\0\0\0", 33);
    // The type's block: header, member header, the constant (inline type
    // and value), tail (one variable at the data's start).
    size_t block = b.size();
    u16(0x0501), u32(0xFFFFFFFF), u32(0xFFFFFFFF), u32(0x22), u32(0xFFFFFFFF), u16(0), u16(0), u32(0xFFFE0000);
    raw("\x02\0\x02\0", 4), u32(0);
    u16(1), u16(0xFFFF), b.push_back(1), u32(20);
    f.constant = b.size();
    raw("\x0A\x1A", 2), u16(0xFFFF), u16(16), u16(1), u16(VT_I4), u32(0), u16(0xFFFE), u16(0xFFFF), u16(0);
    for (uint32_t word : {0u, 1u, 0u, 0u, 0xFFFFu, 0u, 0xFFFFu, 0u, 20u, 0u, 0xFFFFu, 0xFFFFu, 0u, 0u, 0u, 0u, 4u, 4u,
                          0u, 0u, 0u, 0xFFFFu, 0xFFFFu, 0xFFFFu, 0xFFFFu, 0u, 0u})
        u16(word);
    uint32_t length = static_cast<uint32_t>(b.size() - block);
    std::memcpy(&b[0x24], &length, 4);
    // The library block: name, no strings, system kind, version 1.0, GUID;
    // 0x40 unused bytes, the type's entry (index text, name, GUID, kind);
    // where the name table starts, 0x218 bytes on.
    f.library = b.size();
    u16(0x51CC), u16(3), u16(0), u16(0xFFFF), u16(0xFFFF), u16(0xFFFF), u32(0), u16(SYS_WIN32), u16(0), u32(0), u16(0);
    u16(1), u16(0), guid(0x7A3E1010);
    b.insert(b.end(), 0x40, 0xFF);
    u16(1), u16(10), raw("AAAAAAAAAA", 10), u16(0xFFFF), u16(0xFFFF), u16(10), u16(0), u16(0xFFFF), u32(0), u16(0xFFFF);
    guid(0x7A3E1014), u16(TKIND_ENUM);
    u32(static_cast<uint32_t>(b.size() + 4 - f.library)), u16(0xFFFF);
    b.insert(b.end(), 0x216, 0);
    raw("TarnelOld\0Shade\0Light\0", 22);
    return f;
}

void Put16(std::vector<uint8_t>& bytes, size_t at, uint16_t value)
{
    std::memcpy(&bytes.at(at + 1) - 1, &value, 2);
}

// The older format is read by the same check: a sound library is read, and
// each damaged copy is refused instead of hanging the loader or making it
// read outside the file.
TEST(TypeLibCheck, DamagedOldFormatLibrary)
{
    std::wstring path = wt::ScratchFolder(L"tlb_check_tests") + L"\\old.tlb";
    OldFormat sound = OldFormatLibrary();
    ASSERT_TRUE(platform::WriteFileSafely(path, sound.bytes.data(), sound.bytes.size()));
    ClsTLB reader;
    std::wstring message;
    ASSERT_EQ(reader.GetTLib(path, message, false), 0) << message;
    EXPECT_EQ(reader.Server(), L"TarnelOld");
    EXPECT_EQ(reader.GetEnumString(1), L"Light = 1\r\n");

    const std::pair<const char*, std::function<void(OldFormat&)>> kOldDamages[] = {
        {"cut inside the library block", [](OldFormat& f) { f.bytes.resize(f.library + 60); }},
        {"more blocks than the file holds", [](OldFormat& f) { Put16(f.bytes, 0x04, 0x7FFF); }},
        {"chain of blocks that leads back", [](OldFormat& f) { Put16(f.bytes, 0x24 + 6, 1); }},
        {"library name past the name table", [](OldFormat& f) { Put16(f.bytes, f.library + 4, 0x7000); }},
        {"constant name past the name table", [](OldFormat& f) { Put16(f.bytes, f.constant + 4, 0x7000); }},
    };
    for (const auto& damage : kOldDamages) {
        SCOPED_TRACE(damage.first);
        OldFormat damaged = sound;
        damage.second(damaged);
        ExpectRefused(path, damaged.bytes);
    }
}

// A library whose import is registered, under a name the loader finds
// nowhere: the loader reads the registered file, which is damaged.
TEST(TypeLibCheck, DamagedRegisteredImport)
{
    std::vector<uint8_t> original;
    ASSERT_TRUE(platform::ReadWholeFile(MembersLibrary(), original));
    std::wstring folder = wt::ScratchFolder(L"tlb_check_tests");
    std::wstring registered = folder + L"\\registered.tlb";
    ASSERT_TRUE(WriteDamagedLibrary(original, registered));
    Layout importing = WithImport(original, 0x7A3E10FE, "nowhere.tlb");
    size_t file = importing.Table(2);
    size_t guid = importing.Table(5) + importing.Get(file);

    // Registered for its GUID, version and locale, for either system kind.
    GUID id;
    std::memcpy(&id, &importing.Bytes()[guid], sizeof id);
    wchar_t text[40];
    ASSERT_TRUE(StringFromGUID2(id, text, 40));
    struct Registration {
        std::wstring key;
        ~Registration() { RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str()); }
    } registration{std::wstring(L"TypeLib\\") + text};
    wchar_t version[40];
    swprintf(version, 40, L"\\%x.%x\\%x\\", importing.Get(file + 8) & 0xFFFF, importing.Get(file + 10) & 0xFFFF,
             importing.Get(file + 4));
    for (const wchar_t* system : {L"win32", L"win64"})
        ASSERT_EQ(RegSetValueW(HKEY_CLASSES_ROOT, (registration.key + version + system).c_str(), REG_SZ,
                               registered.c_str(), static_cast<DWORD>(registered.size() * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    ExpectRefused(folder + L"\\importing.tlb", importing.Bytes());
}

// Two libraries, each importing the other in place of stdole2.tlb, whose
// interfaces each derive from the other's: the loader would follow the
// bases from one file into the other and back without end.
TEST(TypeLibCheck, BasesThatLoopThroughTwoLibraries)
{
    std::vector<uint8_t> original;
    ASSERT_TRUE(platform::ReadWholeFile(MembersLibrary(), original));
    std::wstring folder = wt::ScratchFolder(L"tlb_check_tests");
    auto linked = [&](uint32_t own, uint32_t other, const char* otherName) {
        Layout l = WithImport(original, other, otherName);
        size_t members = l.Type("IMembers"), guids = l.Table(5);
        l.Set(guids + l.Get(0x08), own);
        // The base, IDispatch, is named by its GUID: make it IMembers'.
        size_t base = guids + l.Get(l.Table(1) + (l.Get(members + 0x54) & ~3u) + 8);
        for (size_t k = 0; k < 16; k += 4)
            l.Set(base + k, l.Get(guids + l.Get(members + 0x2C) + k));
        return l;
    };
    Layout a = linked(0x7A3E10A0, 0x7A3E10B0, "cycle_b.tlb"), b = linked(0x7A3E10B0, 0x7A3E10A0, "cycle_a.tlb");
    ASSERT_TRUE(platform::WriteFileSafely(folder + L"\\cycle_b.tlb", b.Bytes().data(), b.Bytes().size()));
    InFolder in(folder);
    ExpectRefused(folder + L"\\cycle_a.tlb", a.Bytes());
}

} // namespace

// The system's scrrun.dll, and where its type library lies in the file.
struct SystemLibrary {
    std::vector<uint8_t> file;
    size_t library = 0;  // file offset of the TYPELIB resource
    size_t size = 0;
};

SystemLibrary Scrrun()
{
    SystemLibrary s;
    wchar_t folder[MAX_PATH];
    GetSystemDirectoryW(folder, MAX_PATH);
    std::wstring path = std::wstring(folder) + L"\\scrrun.dll";
    if (!platform::ReadWholeFile(path, s.file))
        return s;
    HMODULE m = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC r = m ? FindResourceW(m, MAKEINTRESOURCEW(1), L"TYPELIB") : nullptr;
    if (r) {
        const uint8_t* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(m, r)));
        s.size = SizeofResource(m, r);
        auto at = std::search(s.file.begin(), s.file.end(), bytes, bytes + s.size);
        s.library = at == s.file.end() ? 0 : static_cast<size_t>(at - s.file.begin());
    }
    if (m)
        FreeLibrary(m);
    return s;
}

// The system's scrrun.dll with one byte changed: the type description that
// a return-value parameter names gets the variant type 118, which no type
// has. The check refuses it before the loader reads it.
TEST(TypeLibCheck, VariantTypeNoTypeHas)
{
    SystemLibrary scrrun = Scrrun();
    ASSERT_NE(scrrun.library, 0u);
    Layout library(std::vector<uint8_t>(scrrun.file.begin() + scrrun.library,
                                        scrrun.file.begin() + scrrun.library + scrrun.size));
    size_t returned = library.Param(library.Function(library.Type("IFolder"), 0), 0);
    ASSERT_EQ(library.Get(returned + 8) & PARAMFLAG_FRETVAL, static_cast<uint32_t>(PARAMFLAG_FRETVAL));
    std::wstring path = wt::ScratchFolder(L"tlb_check_tests") + L"\\scrrun.dll";
    ASSERT_TRUE(platform::WriteFileSafely(path, scrrun.file.data(), scrrun.file.size()));
    EXPECT_EQ(TypeLibCheck::Check(path), TypeLibCheck::Verdict::Readable);

    std::vector<uint8_t> damaged = scrrun.file;
    damaged.at(scrrun.library + library.Table(9) + library.Get(returned)) = 118;
    ExpectRefused(path, damaged);
}

namespace {

// Every file below folder whose kind may hold a type library.
void LibraryFiles(const std::wstring& folder, std::vector<std::wstring>& files)
{
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring path = folder + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            LibraryFiles(path, files);
            continue;
        }
        const size_t dot = name.rfind(L'.');
        std::wstring ext = dot == std::wstring::npos ? L"" : name.substr(dot + 1);
        for (wchar_t& c : ext)
            c = static_cast<wchar_t>(towlower(c));
        if (ext == L"dll" || ext == L"ocx" || ext == L"exe" || ext == L"tlb" || ext == L"olb")
            files.push_back(path);
    } while (FindNextFileW(h, &found));
    FindClose(h);
}

} // namespace

// The system's own libraries are sound: the check refuses none that the
// platform's loader opens (object and string defaults of 0 among them), and
// the reader reads each.
TEST(TypeLibCheck, EverySystemLibraryTheLoaderOpens)
{
    wchar_t folder[MAX_PATH];
    GetSystemDirectoryW(folder, MAX_PATH);
    std::vector<std::wstring> files;
    LibraryFiles(folder, files);
    int opened = 0;
    std::wstring refused;
    for (const std::wstring& path : files) {
        ITypeLib* lib = nullptr;
        if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib)))
            continue;
        lib->Release();
        ++opened;
        ClsTLB reader;
        std::wstring message;
        if (TypeLibCheck::Check(path) != TypeLibCheck::Verdict::Readable || reader.GetTLib(path, message, false) != 0)
            refused += L" " + path;
    }
    EXPECT_GT(opened, 20);
    EXPECT_EQ(refused, L"");
}
