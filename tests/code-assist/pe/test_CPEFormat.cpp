#include "PeTest.h"
#include "PeWriter.h"
#include "WindowTest.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace petest {

Outcome Exports(const std::wstring& path)
{
    Outcome o;
    o.list = L"before";
    o.ok = CPEFormat().GetPEExports(path, o.list, o.message);
    return o;
}

Outcome Imports(const std::wstring& path)
{
    Outcome o;
    o.list = L"before";
    o.ok = CPEFormat().GetDepDLLs(path, o.list, o.message);
    return o;
}

std::wstring ImageFolder()
{
    return wt::ProgramFolder() + L"\\tests\\pe";
}

namespace {

void ExpectOutcome(const Outcome& o, bool ok, const std::wstring& message, const std::wstring& list)
{
    EXPECT_EQ(o.ok, ok) << o.message;
    EXPECT_EQ(o.message, message);
    EXPECT_EQ(o.list, list);
}

std::wstring Scratch(const std::wstring& name)
{
    return wt::ScratchFolder(L"pe_tests") + L"\\" + name;
}

std::wstring WritePe32(const std::wstring& name, const PeSpec& spec)
{
    std::wstring path = Scratch(name);
    EXPECT_TRUE(WriteBytes(path, BuildPe32(spec)));
    return path;
}

// Compiled images of both widths: named exports, ordinal-only exports, none,
// and several imports.
TEST(CPEFormat, ListsCompiledImages)
{
    std::wstring dir = ImageFolder();
    for (const std::wstring bits : {L"64", L"32"}) {
        SCOPED_TRACE(bits);
        ExpectOutcome(Exports(dir + L"\\named" + bits + L".dll"), true, L"OK", L"Alpha^Beta^Gamma");
        // Its import directory holds only the closing descriptor.
        ExpectOutcome(Imports(dir + L"\\named" + bits + L".dll"), false, L"Error in attempt to find imported DLLs.",
                      L"");
        ExpectOutcome(Exports(dir + L"\\ordinal" + bits + L".dll"), false, L"Error attempting to get export list.",
                      L"before");
        ExpectOutcome(Exports(dir + L"\\imports" + bits + L".exe"), false, L"No export table.", L"before");
        ExpectOutcome(Imports(dir + L"\\imports" + bits + L".exe"), true, L"OK.",
                      L"ADVAPI32.dll^KERNEL32.dll^SHLWAPI.dll^USER32.dll");
    }
}

// Written byte by byte: no import directory at all, and a nameless first
// import descriptor.
TEST(CPEFormat, ListsWrittenImages)
{
    PeSpec ordinal;
    ordinal.exports = true;
    std::wstring path = WritePe32(L"ordinal32.dll", ordinal);
    ExpectOutcome(Exports(path), false, L"Error attempting to get export list.", L"before");
    ExpectOutcome(Imports(path), false, L"No DLL dependencies found.", L"");

    PeSpec none;
    none.imports = {"KERNEL32.dll"};
    path = WritePe32(L"none32.exe", none);
    ExpectOutcome(Exports(path), false, L"No export table.", L"before");
    // A first import descriptor without a name lists nothing, which is a failure.
    PeLayout layout;
    std::vector<uint8_t> bytes = BuildPe32(none, &layout);
    Put32(bytes, layout.importDir + 12, 0);
    path = Scratch(L"noname32.exe");
    ASSERT_TRUE(WriteBytes(path, bytes));
    ExpectOutcome(Imports(path), false, L"Error in attempt to find imported DLLs.", L"");
}

TEST(CPEFormat, FilesWithoutSignature)
{
    std::wstring shortFile = Scratch(L"short.dll");
    ASSERT_TRUE(WriteBytes(shortFile, std::vector<uint8_t>(40, 'M')));
    std::wstring text = Scratch(L"text.txt");
    std::string words(400, 'x');
    ASSERT_TRUE(WriteBytes(text, std::vector<uint8_t>(words.begin(), words.end())));
    for (const std::wstring& path : {shortFile, text, Scratch(L"missing.dll")}) {
        ExpectOutcome(Exports(path), false, L"Not available. No PE signature in file.", L"before");
        ExpectOutcome(Imports(path), false, L"Not available. No PE signature in file.", L"before");
    }
}

// The mapping call appends ".dll" to a name without extension and looks for
// a relative name along its DLL path: the reader must read the file named.
TEST(CPEFormat, ReadsExactlyTheNamedFile)
{
    std::wstring dir = wt::ScratchFolder(L"pe_tests\\exact");
    ASSERT_TRUE(CopyFileW((ImageFolder() + L"\\named64.dll").c_str(), (dir + L"\\lib").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW((ImageFolder() + L"\\other64.dll").c_str(), (dir + L"\\lib.dll").c_str(), FALSE));
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(dir.c_str()));
    Outcome relative = Exports(L"lib");
    Outcome relativeDll = Exports(L"lib.dll");
    SetCurrentDirectoryW(previous);
    ExpectOutcome(relative, true, L"OK", L"Alpha^Beta^Gamma");
    ExpectOutcome(relativeDll, true, L"OK", L"Other");
    ExpectOutcome(Exports(dir + L"\\lib"), true, L"OK", L"Alpha^Beta^Gamma");
}

TEST(CPEFormat, ReadsTheSystemsLibraries)
{
    std::wstring scrrun = platform::JoinPath(platform::SystemFolder(), L"scrrun.dll");
    Outcome exports = Exports(scrrun);
    EXPECT_TRUE(exports.ok) << exports.message;
    EXPECT_NE(exports.list.find(L"DllGetClassObject"), std::wstring::npos);
    Outcome imports = Imports(scrrun);
    EXPECT_TRUE(imports.ok) << imports.message;
    EXPECT_NE(imports.list.find(L"oleaut32.dll"), std::wstring::npos) << imports.list;
}

} // namespace
} // namespace petest
