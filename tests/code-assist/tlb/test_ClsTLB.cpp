#include "ClsDic.h"
#include "ClsTLB.h"
#include "EditorState.h"
#include "ModTLB.h"
#include "TlbBuilder.h"
#include "TlbTest.h"
#include "WindowTest.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

namespace tlbtest {

std::wstring Scratch(const std::wstring& name)
{
    return wt::ScratchFolder(L"tlb_tests") + L"\\" + name;
}

const std::wstring& TestLibrary()
{
    static const std::wstring path = [] {
        std::wstring p = Scratch(L"TarnelTest.tlb");
        DeleteFileW(p.c_str());
        std::string failure = BuildTestLibrary(p);
        EXPECT_EQ(failure, "");
        return p;
    }();
    return path;
}

std::wstring SystemFile(const std::wstring& name)
{
    return platform::JoinPath(platform::SystemFolder(), name);
}

namespace {

const wchar_t kWidgetText[] =
    L"Widget\r\nGUID: {7A3E0004-51C2-4B8D-9A11-223344556677}\r\nMember of: TarnelTest\r\n"
    L"Is Control: False\r\nCreatable: True\r\nReq. License: True\r\n\r\n"
    L"Method Refresh()\r\n\r\n"
    L"Method Add(Item as Variant[, Key as String]) as Long\r\nInfo: Adds an item\r\n\r\n"
    L"Method Move([a as Long])\r\n\r\n"
    L"Property Caption as String\r\nInfo: The caption\r\n\r\n"
    L"Property Width\r\n\r\n"
    L"Method Fill(brush as Brush, names() as String) as Boolean\r\n\r\n"
    L"Property Cell(row as Integer[, column as Integer]) as Date\r\n\r\n"
    L"Method Notes()\r\nInfo: Line one\r\nLine two\r\n\r\n"
    L"Property Brush as Brush\r\n\r\n"
    L"Event Changed(what as String)\r\nInfo: Raised on change\r\n\r\n";

std::vector<std::wstring> TextKeys()
{
    return State().ClassTextDic ? State().ClassTextDic->Keys() : std::vector<std::wstring>{L"(none)"};
}

std::wstring Text(const std::wstring& key)
{
    return State().ClassTextDic ? State().ClassTextDic->Item(key) : L"(none)";
}

TEST(ClsTLB, ClassAndEnumerationTexts)
{
    std::wstring message = L"before", server;
    ASSERT_EQ(ModTLB::LoadTypeLibInfo(TestLibrary(), message, &server), 0) << message;
    EXPECT_EQ(message, L"");
    EXPECT_EQ(server, L"TarnelTest");
    // Interfaces a coclass implements, hidden types and an empty enumeration
    // are left out; the enumeration under a tag takes its alias's name.
    EXPECT_EQ(TextKeys(), (std::vector<std::wstring>{L"Widget", L"IStandalone", L"Gadget", L"FontEvents", L"IBig",
                                                     L"Shape Constants", L"ColorConstants"}));
    EXPECT_EQ(Text(L"Widget"), kWidgetText);
    EXPECT_EQ(Text(L"IStandalone"),
              L"IStandalone\r\nGUID: {7A3E0005-51C2-4B8D-9A11-223344556677}\r\nMember of: TarnelTest\r\n"
              L"Is Control: False\r\nCreatable: False\r\nReq. License: False\r\n\r\nMethod Ping()\r\n\r\n");
    EXPECT_EQ(Text(L"Gadget").substr(0, 110),
              L"Gadget\r\nGUID: {7A3E0007-51C2-4B8D-9A11-223344556677}\r\nMember of: TarnelTest\r\n"
              L"Is Control: True\r\nCreatable: True");
    EXPECT_NE(Text(L"Gadget").find(L"\r\n\r\nEvent FontChanged(PropertyName as String)"), std::wstring::npos);
    // A coclass without interfaces does not take over the state of the class
    // read before it (Gadget's event source), so it is offered.
    EXPECT_EQ(Text(L"FontEvents"),
              L"FontEvents\r\nGUID: {7A3E0008-51C2-4B8D-9A11-223344556677}\r\nMember of: TarnelTest\r\n"
              L"Is Control: False\r\nCreatable: False\r\nReq. License: False\r\n\r\n");
    // A text far longer than any first guess comes back whole.
    std::wstring big = Text(L"IBig");
    size_t help = big.find(L"Method Huge()\r\nInfo: abcdef") + 21;
    EXPECT_EQ(big.size(), help + kLongHelpLength + 4);
    EXPECT_EQ(big.substr(help + kLongHelpLength - 2), L"uv\r\n\r\n");
    EXPECT_EQ(Text(L"Shape Constants"), L"Circle = 1\r\nSquare = 5\r\n");
    EXPECT_EQ(Text(L"ColorConstants"), L"Red = 255\r\nName = \"Crimson\"\r\n");
}

TEST(ClsTLB, ReaderTables)
{
    ClsTLB reader;
    std::wstring message;
    ASSERT_EQ(reader.GetTLib(TestLibrary(), message, false), 0);
    ASSERT_EQ(reader.ClassesCount(), 7);
    EXPECT_EQ(reader.ClassName(1), L"IWidget");
    EXPECT_FALSE(reader.IsValid(1));   // shown under Widget
    EXPECT_EQ(reader.GetClassString(1), L"");
    EXPECT_TRUE(reader.IsValid(3));
    EXPECT_FALSE(reader.IsValid(0));
    EXPECT_FALSE(reader.IsValid(8));
    EXPECT_EQ(reader.EnumsCount(), 2);
    EXPECT_EQ(reader.EnumName(3), L"");
    // The auto-insert read leaves enumerations out.
    ASSERT_EQ(reader.GetTLib(TestLibrary(), message, true), 0);
    EXPECT_EQ(reader.EnumsCount(), 0);
    EXPECT_EQ(reader.ClassesCount(), 7);
}

TEST(ClsTLB, LoadFailures)
{
    std::wstring message;
    std::wstring missing = Scratch(L"missing.tlb");
    EXPECT_EQ(ModTLB::LoadTypeLibInfo(missing, message), 6);
    EXPECT_EQ(message, missing + L" is an invalid file path.");
    EXPECT_FALSE(State().ClassTextDic);
    EXPECT_EQ(ModTLB::LoadTypeLibInfo(SystemFile(L"kernel32.dll"), message), 7);
    EXPECT_EQ(message, L"No typelib for file.");
    std::wstring empty = Scratch(L"Empty.tlb");
    DeleteFileW(empty.c_str());
    ASSERT_EQ(BuildEmptyLibrary(empty), "");
    EXPECT_EQ(ModTLB::LoadTypeLibInfo(empty, message), 3);
    EXPECT_EQ(message, L"No typelib data.");
}

// Damaged copies of the test library: each read ends with a result, and one
// cut short is refused.
TEST(ClsTLB, DamagedLibraries)
{
    std::vector<uint8_t> original;
    ASSERT_TRUE(platform::ReadWholeFile(TestLibrary(), original));
    std::wstring path = Scratch(L"damaged.tlb");
    auto read = [&](const std::vector<uint8_t>& bytes) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
        CloseHandle(file);
        ClsTLB reader;
        std::wstring message;
        long code = reader.GetTLib(path, message, false);
        for (long i = 1; i <= reader.ClassesCount(); ++i)
            reader.GetClassString(i);
        return code;
    };
    for (size_t length = 0; length < original.size(); length += 256)
        EXPECT_NE(read(std::vector<uint8_t>(original.begin(), original.begin() + length)), 0) << length;
    // The header, the table directory and the first type record.
    for (size_t at = 0; at < 0x1E0; at += 4)
        for (uint32_t value : {0x1000u, 0xFFFFFFFFu}) {
            std::vector<uint8_t> bytes = original;
            std::memcpy(&bytes[at], &value, 4);
            read(bytes);
        }
}

TEST(ClsTLB, ReadsTheSystemsLibraries)
{
    std::wstring message;
    ASSERT_EQ(ModTLB::LoadTypeLibInfo(SystemFile(L"stdole2.tlb"), message), 0) << message;
    EXPECT_EQ(Text(L"StdFont").substr(0, 9), L"StdFont\r\n");
    EXPECT_EQ(Text(L"OLE_TRISTATE Constants"), L"Unchecked = 0\r\nChecked = 1\r\nGray = 2\r\n");
    ASSERT_EQ(ModTLB::LoadTypeLibInfo(SystemFile(L"scrrun.dll"), message), 0) << message;
    EXPECT_NE(Text(L"FileSystemObject").find(L"Method FileExists(FileSpec as String) as Boolean"),
              std::wstring::npos);
    EXPECT_NE(Text(L"IOMode Constants"), L"");
}

TEST(ClsTLB, VariantTypeNames)
{
    EXPECT_EQ(ClsTLB::VarTypeName(8), L"String");
    EXPECT_EQ(ClsTLB::VarTypeName(20), L"Byte");
    EXPECT_EQ(ClsTLB::VarTypeName(21), L"Currency");
    EXPECT_EQ(ClsTLB::VarTypeName(4096), L"Vector");
    for (long vt : {0L, 15L, 24L, 73L, 4097L, -1L})
        EXPECT_EQ(ClsTLB::VarTypeName(vt), L"") << vt;
}

} // namespace
} // namespace tlbtest

// Compiled by widl with the event dispinterface first: the platform counts
// two members on IThing's dispatch side but cannot describe the second.
// That member is left out; IThing and its coclass stay.
TEST(ClsTLB, AMemberThatCannotBeDescribedLeavesItsClass)
{
    ClsTLB reader;
    std::wstring message;
    ASSERT_EQ(reader.GetTLib(wt::ProgramFolder() + L"\\tests\\tlb\\Thing.tlb", message, false), 0) << message;
    std::vector<std::wstring> names;
    for (long i = 1; i <= reader.ClassesCount(); ++i)
        names.push_back(reader.ClassName(i));
    EXPECT_EQ(names, (std::vector<std::wstring>{L"DThingEvents", L"IThing", L"Thing"}));
    EXPECT_NE(reader.GetClassString(3).find(L"Method Run(count as Long)"), std::wstring::npos);
    EXPECT_NE(reader.GetClassString(3).find(L"Event Changed(what as String)"), std::wstring::npos);
}
