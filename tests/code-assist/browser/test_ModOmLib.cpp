#include "FullDisk.h"
#include "WindowTest.h"
#include "browser/ModOmLib.h"
#include "platform/Files.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace ModOmLib;

namespace {

class PageLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = wt::ScratchFolder(L"page library");
        folder_ = root_ + L"\\OmLib";
        for (const std::wstring& name : ListPages(folder_))
            DeleteFileW(PagePath(folder_, name).c_str());
        DeleteFileW((root_ + L"\\escaped.txt").c_str());
    }
    std::wstring Read(const std::wstring& name)
    {
        std::wstring text;
        EXPECT_TRUE(ReadPage(folder_, name, text)) << std::string(name.begin(), name.end());
        return text;
    }
    std::wstring root_, folder_;
};

TEST_F(PageLibrary, UnsafeNamesAreRefusedAndNothingIsWritten)
{
    for (const wchar_t* name : {L"..\\escaped", L"../escaped", L"C:\\escaped", L"a:b", L"what?", L"x*", L"a<b",
                                L"a|b", L"\"q\"", L"..", L"", L" lead", L"trail.", L"CON", L"lpt1.notes"}) {
        EXPECT_NE(PageNameProblem(name), L"") << std::wstring(name).size();
        EXPECT_FALSE(SavePage(folder_, name, L"text"));
        EXPECT_EQ(RenamePage(folder_, L"x", name, true), RenameResult::BadName);
    }
    EXPECT_FALSE(platform::FileExists(root_ + L"\\escaped.txt"));
    EXPECT_EQ(PageNameProblem(L"Scripting.Dictionary notes (v2)"), L"");
}

TEST_F(PageLibrary, PagesAreNeverLost)
{
    ASSERT_TRUE(SavePage(folder_, L"one", L"first text"));
    ASSERT_TRUE(SavePage(folder_, L"two", L"second text"));

    // A save that fails midway keeps the page as it was.
    SimulateWriteFailure(3);
    EXPECT_FALSE(SavePage(folder_, L"one", L"replacement that fails"));
    EXPECT_EQ(Read(L"one"), L"first text");

    // Renaming onto another page asks first: nothing moves until replace.
    EXPECT_EQ(RenamePage(folder_, L"one", L"two", false), RenameResult::TargetExists);
    EXPECT_EQ(Read(L"one"), L"first text");
    EXPECT_EQ(Read(L"two"), L"second text");
    EXPECT_EQ(RenamePage(folder_, L"one", L"two", true), RenameResult::Done);
    EXPECT_EQ(Read(L"two"), L"first text");
    EXPECT_EQ(ListPages(folder_), std::vector<std::wstring>{L"two"});

    EXPECT_EQ(RenamePage(folder_, L"two", L"Two", false), RenameResult::Done);  // case only
    EXPECT_EQ(ListPages(folder_), std::vector<std::wstring>{L"Two"});
    EXPECT_EQ(Read(L"Two"), L"first text");
    EXPECT_EQ(RenamePage(folder_, L"gone", L"three", false), RenameResult::Missing);
    EXPECT_TRUE(DeletePage(folder_, L"Two"));
    EXPECT_FALSE(DeletePage(folder_, L"Two"));
}

} // namespace
