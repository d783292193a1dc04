// The keyword loader over scratch INI files, and the lists that ship.
#include "ClsColor.h"
#include "ModIni.h"
#include "WindowTest.h"
#include "color/KeywordLists.h"
#include "platform/Messages.h"

#include <windows.h>

#include <gtest/gtest.h>


namespace {

std::wstring ProgramSettings()
{
    return wt::ProgramFolder() + L"\\Settings";
}

class Loader : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A folder of its own for every test: the profile functions may keep a
        // file they read, and a file rewritten under the same name within the
        // file system's time resolution could be taken for the kept one.
        static int serial = 0;
        wchar_t tmp[MAX_PATH];
        GetTempPathW(MAX_PATH, tmp);
        folder = std::wstring(tmp) + L"tarnel_kw_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                 std::to_wstring(++serial);
        CreateDirectoryW(folder.c_str(), nullptr);
        platform::SetMessageInterceptor([this](const std::wstring& m, const std::wstring&, UINT) {
            messages.push_back(m);
            return IDOK;
        });
        Write(L"tarnelk.ini", "[Dims]\r\nDimExt=5\r\nFuncExt=1\r\n[Words]\r\nDim=\r\nIf=\r\nThen=\r\n");
        Write(L"tarneljk.ini", "[Words]\r\nvar=\r\nfunction=\r\nreturn=\r\n");
        Write(L"tarnelc.ini", "[css]\r\ncolor=red,blue\r\nfont-size=small,large\r\n");
        Write(L"tarnelpk.ini", "[Words]\r\necho=\r\nprint=\r\n");
    }
    void TearDown() override
    {
        platform::SetMessageInterceptor(nullptr);
        for (const wchar_t* f : {L"tarnelk.ini", L"tarneljk.ini", L"tarnelc.ini", L"tarnelpk.ini"})
            DeleteFileW((folder + L"\\" + f).c_str());
        RemoveDirectoryW(folder.c_str());
    }
    void Write(const std::wstring& name, const std::string& text)
    {
        HANDLE h = CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(h);
    }
    void Remove(const std::wstring& name) { DeleteFileW((folder + L"\\" + name).c_str()); }

    std::wstring folder;
    std::vector<std::wstring> messages;
    std::vector<std::wstring> blocks;
    ClsColor c;
};

TEST_F(Loader, AllFourFiles)
{
    EXPECT_TRUE(LoadKeywordLists(c, folder, blocks));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(c.VBSKeywords().Joined(), L",Dim,If,Then,");
    EXPECT_EQ(c.DimExt, 5);
    EXPECT_EQ(c.FuncExt, 1);
    EXPECT_EQ(c.JSKeywords().Joined(), L",var,function,return,");
    EXPECT_EQ(c.CSSKeywords().Joined(), L",color,font-size,");
    EXPECT_EQ(c.PHPKeywords().Joined(), L",echo,print,");
    ASSERT_EQ(blocks.size(), 14u);
    EXPECT_EQ(blocks[0], L"If");
    EXPECT_EQ(blocks[1], L"End If");
    EXPECT_EQ(blocks[13], L"End Class");
}

TEST_F(Loader, MissingFileStopsTheLaterLists)
{
    Remove(L"tarneljk.ini");
    EXPECT_FALSE(LoadKeywordLists(c, folder, blocks));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"Error. tarneljk.ini javascript keyword list file is missing from program folder.");
    EXPECT_FALSE(c.VBSKeywords().Empty());
    EXPECT_TRUE(c.JSKeywords().Empty());
    EXPECT_TRUE(c.CSSKeywords().Empty());
    EXPECT_TRUE(c.PHPKeywords().Empty());
    EXPECT_TRUE(blocks.empty());
    EXPECT_EQ(c.ColorCSSText(L"a{color:red}"), "\\cf4 a\\cf0 \\{color:red\\}\\cf4 ");
}

TEST_F(Loader, EachMissingFileHasItsMessage)
{
    Remove(L"tarnelpk.ini");
    LoadKeywordLists(c, folder, blocks);
    Remove(L"tarnelc.ini");
    LoadKeywordLists(c, folder, blocks);
    Remove(L"tarnelk.ini");
    LoadKeywordLists(c, folder, blocks);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], L"Error. tarnelpk.ini PHP keyword list file is missing from program folder.");
    EXPECT_EQ(messages[1], L"Error. tarnelc.ini CSS keyword list file is missing from program folder.");
    EXPECT_EQ(messages[2], L"Error. tarnelk.ini vbscript keyword list file is missing from program folder.");
    EXPECT_TRUE(blocks.empty());
}

TEST_F(Loader, ThresholdsThatAreNoNumbers)
{
    Write(L"tarnelk.ini", "[Dims]\r\nDimExt=abc\r\n[Words]\r\nDim=\r\n");
    LoadKeywordLists(c, folder, blocks);
    EXPECT_EQ(c.DimExt, 27);
    EXPECT_EQ(c.FuncExt, 15);
}

TEST_F(Loader, SectionWithoutKeysColoursNothing)
{
    Write(L"tarnelk.ini", "[Dims]\r\nDimExt=5\r\n[Words]\r\n");
    Write(L"tarnelpk.ini", "[Other]\r\nx=1\r\n");
    EXPECT_TRUE(LoadKeywordLists(c, folder, blocks));
    EXPECT_EQ(c.ColorVBSText(L"na = NA"), "na = NA");
    EXPECT_EQ(c.ColorPHPText(L"na"), "na");
}

TEST_F(Loader, LongListsAreWhole)
{
    std::string words = "[Words]\r\nvar=\r\nfunction=\r\n";
    for (int i = 0; i < 3000; ++i)
        words += "keyword" + std::to_string(i) + "=\r\n";
    Write(L"tarneljk.ini", words);
    LoadKeywordLists(c, folder, blocks);
    EXPECT_EQ(c.JSKeywords().Count(), 3002u);
    EXPECT_EQ(c.ColorJSText(L"keyword2999"), "\\cf1 keyword2999\\cf0 ");
}

// The shipped lists: complete, in the order the colourers rely on.
TEST(ShippedLists, LoadAndKeepTheirOrder)
{
    std::vector<std::wstring> messages, blocks;
    platform::SetMessageInterceptor([&](const std::wstring& m, const std::wstring&, UINT) {
        messages.push_back(m);
        return IDOK;
    });
    ClsColor c;
    bool loaded = LoadKeywordLists(c, ProgramSettings(), blocks);
    platform::SetMessageInterceptor(nullptr);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(messages.empty());

    EXPECT_EQ(c.JSKeywords().Joined().rfind(L",var,function,", 0), 0u);
    EXPECT_GT(c.JSKeywords().Count(), 100u);
    EXPECT_GT(c.PHPKeywords().Count(), 200u);
    EXPECT_GT(c.VBSKeywords().Count(), 150u);

    // Declarations collect names; procedures collect their parameters.
    EXPECT_EQ(c.ColorVBSText(L"dim a\ra"), "\\cf1 Dim\\cf0  \\cf4 a\\cf0 \r\n\\par \\cf4 a\\cf0 ");
    EXPECT_EQ(c.ColorVBSText(L"sub s(p)\rs p"),
              "\\cf1 Sub\\cf0  s(\\cf4 p\\cf0 )\r\n\\par s \\cf4 p\\cf0 ");
    EXPECT_NE(c.ColorVBSText(L"function f(p)\rf p").find("\\par f \\cf4 p\\cf0 "), std::string::npos);
    EXPECT_EQ(c.ColorVBSText(L"If x Then\r"), "\\cf1 If\\cf0  x \\cf1 Then\\cf0 \r\n\\par ");

    // Every CSS property carries its value list for the CSS popup.
    std::vector<std::wstring> keys, values;
    long n = ModIni::ReadIniSection(L"css", ProgramSettings() + L"\\tarnelc.ini", keys, values);
    EXPECT_EQ(static_cast<size_t>(n), c.CSSKeywords().Count());
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_FALSE(values[i].empty()) << keys[i].c_str();
        EXPECT_NE(c.CSSKeywords().Find(keys[i]), nullptr);
    }
    EXPECT_NE(c.CSSKeywords().Find(L"background-color"), nullptr);
}

} // namespace
