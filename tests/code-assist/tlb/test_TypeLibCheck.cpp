#include "ClsTLB.h"
#include "TypeLibCheck.h"
#include "WindowTest.h"
#include "platform/Files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
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
    Layout imported(original);
    LoopCustomData(imported);
    ASSERT_TRUE(platform::WriteFileSafely(folder + L"\\damaged.tlb", imported.Bytes().data(), imported.Bytes().size()));
    Layout importing(original);
    size_t file = importing.Table(2);   // the one import: stdole2.tlb
    importing.Set(importing.Table(5) + importing.Get(file), 0x7A3E10FF);
    importing.SetText(file + 14, "damaged.tlb");
    std::wstring path = folder + L"\\importing.tlb";
    ASSERT_TRUE(platform::WriteFileSafely(path, importing.Bytes().data(), importing.Bytes().size()));

    // The loader looks for the name in the current folder too.
    wchar_t before[MAX_PATH];
    ASSERT_TRUE(GetCurrentDirectoryW(MAX_PATH, before));
    ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));
    EXPECT_EQ(TypeLibCheck::Check(path), TypeLibCheck::Verdict::Damaged);
    ClsTLB reader;
    std::wstring message;
    EXPECT_EQ(reader.GetTLib(path, message, false), 5);
    SetCurrentDirectoryW(before);
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
    std::wstring path = wt::ScratchFolder(L"tlb_check_tests") + L"\\old16.dll";
    ASSERT_TRUE(platform::WriteFileSafely(path, bytes.data(), bytes.size()));

    EXPECT_EQ(TypeLibCheck::Check(path), TypeLibCheck::Verdict::Damaged);
    ClsTLB reader;
    std::wstring message;
    EXPECT_EQ(reader.GetTLib(path, message, false), 5);
}

} // namespace
