// What the library writes to the registry: the "Open with TARNEL" verb and
// the server's own registration.
#include <gtest/gtest.h>

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <string>

#include "ModReg.h"
#include "PlimsorCopy.h"
#include "WindowTest.h"

namespace {

std::wstring ReadDefault(HKEY root, const std::wstring& path)
{
    wchar_t buf[1024] = {};
    DWORD size = sizeof(buf);
    if (RegGetValueW(root, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
        return L"<none>";
    return buf;
}

bool KeyExists(HKEY root, const std::wstring& path)
{
    HKEY k = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
        return false;
    RegCloseKey(k);
    return true;
}

// A private stand-in for HKEY_CLASSES_ROOT under HKCU, removed afterwards.
class VerbTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = L"Software\\TarnelTests\\verb" + std::to_wstring(GetCurrentProcessId());
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_,
                                  nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegCloseKey(root_);
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
    }
    std::wstring path_;
    HKEY root_ = nullptr;
};

TEST_F(VerbTest, CommandQuotesProgramAndArgument)
{
    EXPECT_EQ(ModReg::VerbCommand(L"C:\\Program Files\\TARNEL"), L"\"C:\\Program Files\\TARNEL\\TARNEL.exe\" \"%1\"");
    EXPECT_EQ(ModReg::VerbCommand(L"C:\\"), L"\"C:\\TARNEL.exe\" \"%1\"");
}

TEST_F(VerbTest, AddTwiceLeavesOneVerbAndRemoveTakesItAway)
{
    const std::wstring cmd = ModReg::VerbCommand(L"C:\\Tools\\My Editor");
    EXPECT_EQ(ModReg::AddVerb(root_, cmd), ModReg::VerbResult::Created);
    EXPECT_EQ(ModReg::AddVerb(root_, cmd), ModReg::VerbResult::Created);
    EXPECT_EQ(ReadDefault(root_, L"*\\shell\\OpenWithTARNEL"), L"Open with TARNEL");
    EXPECT_EQ(ReadDefault(root_, L"*\\shell\\OpenWithTARNEL\\command"), cmd);
    HKEY shell = nullptr;
    ASSERT_EQ(RegOpenKeyExW(root_, L"*\\shell", 0, KEY_READ, &shell), ERROR_SUCCESS);
    DWORD subkeys = 0;
    RegQueryInfoKeyW(shell, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(shell);
    EXPECT_EQ(subkeys, 1u);

    EXPECT_EQ(ModReg::RemoveVerb(root_), ModReg::VerbResult::Removed);
    EXPECT_FALSE(KeyExists(root_, L"*\\shell\\OpenWithTARNEL"));
    EXPECT_TRUE(KeyExists(root_, L"*\\shell")) << "only the verb goes";
    EXPECT_EQ(ModReg::RemoveVerb(root_), ModReg::VerbResult::NotFound);
    EXPECT_EQ(ModReg::VerbMessage(ModReg::VerbResult::NotFound), L"The setting was not found.");
}

TEST_F(VerbTest, RemovingWithoutAccessSaysSo)
{
    ASSERT_EQ(ModReg::AddVerb(root_, L"x"), ModReg::VerbResult::Created);
    // The verb's key refuses deletion to everyone.
    const std::wstring verbPath = path_ + L"\\*\\shell\\OpenWithTARNEL";
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;SD;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1,
                                                                     &sd, nullptr));
    HKEY verb = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, verbPath.c_str(), 0, WRITE_DAC, &verb), ERROR_SUCCESS);
    ASSERT_EQ(RegSetKeySecurity(verb, DACL_SECURITY_INFORMATION, sd), ERROR_SUCCESS);
    LocalFree(sd);

    ModReg::VerbResult r = ModReg::RemoveVerb(root_);

    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;KA;;;WD)", SDDL_REVISION_1, &sd,
                                                                     nullptr));
    RegSetKeySecurity(verb, DACL_SECURITY_INFORMATION, sd);
    LocalFree(sd);
    RegCloseKey(verb);

    EXPECT_EQ(r, ModReg::VerbResult::AccessDenied);
    EXPECT_NE(ModReg::VerbMessage(r), L"The setting was not found.");
    EXPECT_NE(ModReg::VerbMessage(r).find(L"access is denied"), std::wstring::npos);
    EXPECT_EQ(ModReg::VerbIcon(r), static_cast<UINT>(MB_ICONERROR));
}

// The verb where the shell looks for it; the test leaves the registry as it
// found it.
TEST(OpenWithVerb, AddedAndRemovedUnderClassesRoot)
{
    const wchar_t* verb = L"*\\shell\\OpenWithTARNEL";
    if (KeyExists(HKEY_CLASSES_ROOT, verb))
        GTEST_SKIP() << "the verb is installed on this machine; left alone";
    const std::wstring cmd = ModReg::VerbCommand(L"C:\\Program Files\\TARNEL");
    ASSERT_EQ(ModReg::AddVerb(HKEY_CLASSES_ROOT, cmd), ModReg::VerbResult::Created);
    EXPECT_EQ(ReadDefault(HKEY_CLASSES_ROOT, verb), L"Open with TARNEL");
    EXPECT_EQ(ReadDefault(HKEY_CLASSES_ROOT, std::wstring(verb) + L"\\command"), cmd);
    EXPECT_EQ(ModReg::RemoveVerb(HKEY_CLASSES_ROOT), ModReg::VerbResult::Removed);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, verb));
    RegDeleteTreeW(HKEY_CLASSES_ROOT, verb);
}

// regsvr32 writes the class, ProgID and type library; /u removes them.
TEST(ServerRegistration, Regsvr32RegistersAndUnregisters)
{
    const std::wstring dll = plimsortest::MakeProgramCopy(L"plimsor_reg") + L"\\plimsor.dll";
    const std::wstring clsidKey = L"CLSID\\{C7B2E2D7-0685-11DE-B5C3-0018F80E1435}";
    wt::Process reg;
    ASSERT_TRUE(reg.Start(L"C:\\windows\\system32\\regsvr32.exe", L"/s \"" + dll + L"\""));
    EXPECT_EQ(reg.WaitExit(30000), 0);

    EXPECT_EQ(ReadDefault(HKEY_CLASSES_ROOT, clsidKey + L"\\InprocServer32"), dll);
    EXPECT_EQ(ReadDefault(HKEY_CLASSES_ROOT, clsidKey + L"\\ProgID"), L"plimsor.CSets");
    EXPECT_EQ(ReadDefault(HKEY_CLASSES_ROOT, L"plimsor.CSets\\Clsid"), L"{C7B2E2D7-0685-11DE-B5C3-0018F80E1435}");
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"TypeLib\\{C7B2E2CB-0685-11DE-B5C3-0018F80E1435}\\1.0"));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"Interface\\{C7B2E2D6-0685-11DE-B5C3-0018F80E1435}"));

    CoInitialize(nullptr);
    CLSID clsid = {};
    EXPECT_HRESULT_SUCCEEDED(CLSIDFromProgID(L"plimsor.CSets", &clsid));
    IUnknown* obj = nullptr;
    EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                              reinterpret_cast<void**>(&obj)));
    if (obj)
        obj->Release();
    CoUninitialize();

    wt::Process unreg;
    ASSERT_TRUE(unreg.Start(L"C:\\windows\\system32\\regsvr32.exe", L"/s /u \"" + dll + L"\""));
    EXPECT_EQ(unreg.WaitExit(30000), 0);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, clsidKey));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"plimsor.CSets"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"TypeLib\\{C7B2E2CB-0685-11DE-B5C3-0018F80E1435}"));
}

} // namespace
