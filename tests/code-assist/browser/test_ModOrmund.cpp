// The class scan on classes registered for the test under HKEY_CLASSES_ROOT
// of the test's own prefix; every key is removed again.
#include "WindowTest.h"
#include "browser/ModOrmund.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

using namespace ModOrmund;

namespace {

const wchar_t kClsid[] = L"{6F1E2A00-3B4C-4D5E-8F90-A1B2C3D4E5F6}";
const wchar_t kMissing[] = L"{6F1E2A01-3B4C-4D5E-8F90-A1B2C3D4E5F6}";
const wchar_t kProgId[] = L"TarnelTest.ScanTarget";
const wchar_t kCategory[] = L"{6F1E2A02-3B4C-4D5E-8F90-A1B2C3D4E5F6}";
const wchar_t kLibId[] = L"{6F1E2A03-3B4C-4D5E-8F90-A1B2C3D4E5F6}";

class ClassScan : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = wt::ScratchFolder(L"browser tests") + L"\\Program Files\\x";
        CreateDirectoryW((wt::ScratchFolder(L"browser tests") + L"\\Program Files").c_str(), nullptr);
        CreateDirectoryW(folder_.c_str(), nullptr);
        server_ = folder_ + L"\\app.exe";
        HANDLE h = CreateFileW(server_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(h);
        SetEnvironmentVariableW(L"TARNEL_SCAN_DIR", folder_.c_str());
    }
    void TearDown() override
    {
        for (const std::wstring& key : {std::wstring(L"CLSID\\") + kClsid, std::wstring(L"CLSID\\") + kMissing,
                                        std::wstring(kProgId), std::wstring(L"Component Categories\\") + kCategory,
                                        std::wstring(L"TypeLib\\") + kLibId, std::wstring(L"TarnelTestLongNames")})
            RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    }
    static void Set(const std::wstring& key, const std::wstring& value, const wchar_t* name = nullptr)
    {
        HKEY k;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0,
                                  KEY_WRITE, nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(k);
    }
    static std::wstring Key(const wchar_t* clsid, const std::wstring& sub) { return L"CLSID\\" + std::wstring(clsid) + sub; }
    static std::wstring Server(ServerKind& kind) { return GetServerPath(kClsid, kind); }

    std::wstring folder_, server_;
};

// Local servers are command lines; the program path is what the class needs.
TEST_F(ClassScan, ServerValuesGiveTheProgramPath)
{
    struct Case {
        const wchar_t* sub;
        std::wstring value;
    } cases[] = {
        {L"\\LocalServer32", server_ + L" -Embedding"},
        {L"\\LocalServer32", L"\"" + server_ + L"\" /Automation"},
        {L"\\LocalServer32", server_ + L" /Automation"},
        {L"\\LocalServer32", L"%TARNEL_SCAN_DIR%\\app.exe -Embedding"},
        {L"\\LocalServer32", server_},
        {L"\\InprocServer32", L"\"" + server_ + L"\""},
        {L"\\InprocServer32", L"%TARNEL_SCAN_DIR%\\app.exe"},
    };
    for (const Case& c : cases) {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, Key(kClsid, L"").c_str());
        Set(Key(kClsid, c.sub), c.value);
        ServerKind kind;
        EXPECT_EQ(Server(kind), server_) << c.value;
        EXPECT_EQ(kind, std::wstring(c.sub) == L"\\InprocServer32" ? ServerKind::InProcess : ServerKind::Local);
        EXPECT_EQ(GetServerFile(kClsid), L"app.exe") << c.value;
    }
    // A program that is missing still loses its arguments.
    EXPECT_EQ(ServerFromValue(folder_ + L"\\gone.exe -Embedding", ServerKind::Local), folder_ + L"\\gone.exe");
}

TEST_F(ClassScan, ListedRowsAndProperties)
{
    Set(Key(kClsid, L""), L"Scan Target");
    Set(Key(kClsid, L"\\ProgID"), kProgId);
    Set(Key(kClsid, L"\\LocalServer32"), server_ + L" -Embedding");
    Set(std::wstring(kProgId) + L"\\CLSID", kClsid);
    Set(Key(kMissing, L"\\InprocServer32"), folder_ + L"\\gone.dll");
    Set(Key(kClsid, L"\\Implemented Categories\\{7dd95801-9882-11cf-9fa9-00aa006c42c4}"), L"");
    Set(Key(kClsid, L"\\Implemented Categories\\") + kCategory, L"");
    Set(std::wstring(L"Component Categories\\") + kCategory, L"Test things", L"409");

    std::vector<ClassRow> rows = ListClasses();
    auto find = [&](const wchar_t* clsid) {
        return std::find_if(rows.begin(), rows.end(), [&](const ClassRow& r) { return r.Clsid == clsid; });
    };
    ASSERT_NE(find(kClsid), rows.end());
    EXPECT_EQ(find(kMissing), rows.end());  // its server file does not exist
    EXPECT_EQ(CopyRow(*find(kClsid)),
              std::wstring(kProgId) + L" - ProgID: Scan Target - " + kClsid + L" - app.exe");
    // A class name longer than a path is read whole.
    const std::wstring longName(400, L'n');
    Set(Key(kClsid, L""), longName);
    rows = ListClasses();
    ASSERT_NE(find(kClsid), rows.end());
    EXPECT_EQ(find(kClsid)->Name, longName);

    EXPECT_EQ(ClsidOf(kProgId), kClsid);
    ClassProps props = ShowClassProps(kClsid, kProgId, L"C:\\windows\\system32");
    EXPECT_EQ(props.ServerFile, server_);
    EXPECT_EQ(props.Fields[FilePath], server_);
    EXPECT_EQ(props.Fields[Size], L"0 KB");
    EXPECT_EQ(props.Categories,
              (std::vector<std::wstring>{kCategory, L"Test things", L" ", L"{7dd95801-9882-11cf-9fa9-00aa006c42c4}",
                                         L"Safe for Scripting", L" "}));

    EXPECT_EQ(ShowClassProps(kMissing, L"No ProgID", L"C:\\windows\\system32").Fields[FilePath], L"File not found");
}

// This program is 64-bit: its libraries are registered under win64, which
// comes before win32.
TEST_F(ClassScan, TypeLibraryFileUnderEitherPlatform)
{
    std::wstring lib = std::wstring(L"TypeLib\\") + kLibId + L"\\1.0\\0\\";
    Set(Key(kClsid, L"\\TypeLib"), kLibId);
    Set(lib + L"win64", folder_ + L"\\gone.tlb");
    Set(lib + L"win32", server_);
    EXPECT_EQ(GetTypeLibFile(kClsid), server_);
    std::wstring library = folder_ + L"\\lib.tlb";
    CloseHandle(CreateFileW(library.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Set(lib + L"win64", library);
    EXPECT_EQ(GetTypeLibFile(kClsid), library);
}

TEST_F(ClassScan, UnregisteredNames)
{
    ServerKind kind;
    EXPECT_EQ(GetServerPath(kMissing, kind), L"");
    EXPECT_EQ(kind, ServerKind::None);
    EXPECT_EQ(ClsidOf(L"TarnelTest.NoSuchProgId"), L"");
    Set(std::wstring(kProgId) + L"\\CLSID", L"");  // a ProgID without a CLSID
    EXPECT_EQ(ClsidOf(kProgId), L"");
}

// A name longer than the walk's buffer is read whole, and so is every key after it.
TEST_F(ClassScan, TheKeyWalkReadsEveryName)
{
    std::vector<std::wstring> names = {L"a", std::wstring(200, L'b'), L"c", std::wstring(90, L'd')};
    for (const std::wstring& n : names)
        Set(L"TarnelTestLongNames\\" + n, L"");
    HKEY k;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, L"TarnelTestLongNames", 0, KEY_READ, &k),
              ERROR_SUCCESS);
    std::vector<std::wstring> read = EnumKeyNames(k, 40);
    RegCloseKey(k);
    std::sort(read.begin(), read.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(read, names);
}

TEST(ClassList, FindStepsThroughMatches)
{
    std::vector<std::wstring> items = {L"Alpha", L"beta", L"ALPHABET", L"gamma"};
    EXPECT_EQ(FindInList(items, L"alpha", 0), 0);
    EXPECT_EQ(FindInList(items, L"alpha", 1), 2);
    EXPECT_EQ(FindInList(items, L"alpha", 3), -1);
}

} // namespace
