#include <gtest/gtest.h>

#include "GetRegString.h"

namespace {

const wchar_t kKey[] = L"Software\\TARNEL tests\\GetRegString";

struct RegFixture : ::testing::Test {
    HKEY key = nullptr;
    void SetUp() override
    {
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegCloseKey(key);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TARNEL tests");
    }
    void SetText(const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ)
    {
        RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
};

} // namespace

TEST_F(RegFixture, ReadsStringValuesWithoutTheirTerminator)
{
    SetText(L"plain", L"abc");
    SetText(L"empty", L"");
    SetText(nullptr, L"default text");
    SetText(L"expand", L"%SystemRoot%\\x", REG_EXPAND_SZ);
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, kKey, L"plain"), L"abc");
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, kKey, L"empty"), L"");
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, kKey, L""), L"default text");
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, kKey, L"expand"), L"%SystemRoot%\\x") << "not expanded";

    // Stored without a terminator: all characters still come back.
    const wchar_t one[] = L"z";
    RegSetValueExW(key, L"bare", 0, REG_SZ, reinterpret_cast<const BYTE*>(one), sizeof(wchar_t));
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, kKey, L"bare"), L"z");
}

TEST_F(RegFixture, LongPathsComeBackWhole)
{
    std::wstring path = L"C:\\Program Files\\" + std::wstring(400, L'p') + L"\\browser.exe";
    SetText(L"long", path);
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, kKey, L"long"), path);
}

TEST_F(RegFixture, MissingOrNonTextValuesGiveEmptyText)
{
    DWORD number = 0x00636261; // "abc" if its bytes were taken as text
    RegSetValueExW(key, L"number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, kKey, L"number"), L"");
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, kKey, L"absent"), L"");
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, L"Software\\TARNEL tests\\no such key", L"plain"), L"");
}
