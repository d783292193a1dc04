#include "ClsDic.h"
#include "EditorState.h"
#include "ModTLB.h"
#include "TlbTest.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace tlbtest {
namespace {

class AutoList : public ::testing::Test {
protected:
    void SetUp() override
    {
        State().ObjectListPath = Scratch(L"tarnelt.ini");
        DeleteFileW(State().ObjectListPath.c_str());
    }
    void TearDown() override { ResetEditorState(); }

    std::wstring Add(const std::wstring& file)
    {
        std::wstring clsid, progId;
        return ModTLB::AddClassToAutoList(clsid, progId, true, file);
    }
    std::wstring Entry(const std::wstring& key) { return State().AutoInsertClassDic->Item(key); }
};

TEST_F(AutoList, EntriesFromAFile)
{
    ASSERT_EQ(Add(TestLibrary()), L"OK");
    // The list file is made when it is missing.
    EXPECT_EQ(GetFileAttributesW(State().ObjectListPath.c_str()) != INVALID_FILE_ATTRIBUTES, true);
    EXPECT_EQ(State().AutoInsertClassDic->Keys(),
              (std::vector<std::wstring>{L"TarnelTest.Widget", L"TarnelTest.IStandalone", L"TarnelTest.Gadget",
                                         L"TarnelTest.FontEvents", L"TarnelTest.IBig"}));
    // A help string with a line break stays on its entry's line.
    const wchar_t widget[] =
        L"Refresh=Refresh - Method - \0"
        L"Add=Add(Item as Variant[, Key as String]) - Method - Adds an item\0"
        L"Move=Move([a as Long]) - Method - \0"
        L"Caption=Caption - Property - The caption\0"
        L"Width=Width - Property - \0"
        L"Fill=Fill(brush as Brush, names() as String) - Method - \0"
        L"Cell=Cell(row as Integer[, column as Integer]) - Property - \0"
        L"Notes=Notes - Method - Line one Line two\0"
        L"Brush=Brush - Property - \0"
        L"Changed=Changed(what as String) - Event - Raised on change\0";
    EXPECT_EQ(Entry(L"TarnelTest.Widget"), std::wstring(widget, std::size(widget)));
    EXPECT_EQ(Entry(L"TarnelTest.FontEvents"), std::wstring(1, L'\0'));

    ASSERT_EQ(Add(SystemFile(L"scrrun.dll")), L"OK");
    EXPECT_EQ(State().AutoInsertClassDic->Item(L"TarnelTest.Widget"), L"");
    EXPECT_NE(Entry(L"Scripting.Dictionary").find(std::wstring(L"\0Exists=Exists(Key as Variant) - Method - ", 42)),
              std::wstring::npos);
}

TEST_F(AutoList, Failures)
{
    std::wstring clsid, progId;
    EXPECT_EQ(ModTLB::AddClassToAutoList(clsid, progId, true), L"Error. No file path.");
    EXPECT_EQ(Add(SystemFile(L"kernel32.dll")), L"No typelib for file.");
    State().ObjectListPath = Scratch(L"no such folder\\tarnelt.ini");
    EXPECT_EQ(Add(TestLibrary()), L"Error. tarnelt.ini file missing from program folder.");
}

// A class registered for the test under HKEY_CLASSES_ROOT, removed afterwards.
class RegisteredClass : public AutoList {
protected:
    static constexpr const wchar_t* kClsid = L"{7A3E0100-51C2-4B8D-9A11-223344556677}";
    static constexpr const wchar_t* kLibId = L"{7A3E0101-51C2-4B8D-9A11-223344556677}";

    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + kClsid).c_str());
        RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"TypeLib\\") + kLibId).c_str());
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L"TarnelTest.Widget");
        AutoList::TearDown();
    }
    static void Set(const std::wstring& key, const std::wstring& value)
    {
        ASSERT_EQ(RegSetValueW(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(),
                               static_cast<DWORD>(value.size() * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    static std::wstring ClassKey(const std::wstring& sub) { return std::wstring(L"CLSID\\") + kClsid + sub; }
};

TEST_F(RegisteredClass, ResolvedByProgIdOrClsid)
{
    Set(L"TarnelTest.Widget\\CLSID", kClsid);
    Set(ClassKey(L"\\ProgID"), L"TarnelTest.Widget.1");
    Set(ClassKey(L"\\InprocServer32"), L"\"" + TestLibrary() + L"\" /embedding");
    std::wstring clsid, progId = L"TarnelTest.Widget", out;
    ASSERT_TRUE(ModTLB::ResolveClass(clsid, progId, out)) << out;
    EXPECT_EQ(out, TestLibrary());
    EXPECT_EQ(clsid, kClsid);
    EXPECT_EQ(progId, L"TarnelTest.Widget");

    clsid = kClsid;
    progId.clear();
    EXPECT_EQ(ModTLB::AddClassToAutoList(clsid, progId, false), L"OK");
    EXPECT_EQ(progId, L"TarnelTest.Widget");
    EXPECT_TRUE(State().AutoInsertClassDic->Exists(L"TarnelTest.Widget"));
}

// A server without a type library: the class's registered library is read.
TEST_F(RegisteredClass, FallsBackToTheRegisteredLibrary)
{
    Set(ClassKey(L"\\LocalServer32"), L"%SystemRoot%\\system32\\kernel32.dll");
    Set(ClassKey(L"\\TypeLib"), kLibId);
    Set(std::wstring(L"TypeLib\\") + kLibId + L"\\1.0\\0\\win32", TestLibrary());
    std::wstring clsid = kClsid, progId;
    EXPECT_EQ(ModTLB::AddClassToAutoList(clsid, progId, false), L"OK");
    EXPECT_TRUE(State().AutoInsertClassDic->Exists(L"TarnelTest.Gadget"));
}

TEST_F(RegisteredClass, Messages)
{
    std::wstring clsid = kClsid, progId, out;
    EXPECT_FALSE(ModTLB::ResolveClass(clsid, progId, out));
    EXPECT_EQ(out, L"No Registry listing for class.");
    Set(ClassKey(L"\\InprocServer32"), Scratch(L"gone.dll"));
    EXPECT_FALSE(ModTLB::ResolveClass(clsid, progId, out));
    EXPECT_EQ(out, L"File for this class is missing.");
    clsid.clear();
    progId = L"TarnelTest.Nowhere";
    EXPECT_EQ(ModTLB::AddClassToAutoList(clsid, progId, false), L"No CLSID found for ProgID");
}

} // namespace
} // namespace tlbtest
