// The page library window in this process, on the OmLib folder beside the
// test program.
#include "Answers.h"
#include "browser/ModOmLib.h"
#include "browser/fOmLib.h"
#include "platform/Files.h"

#include <gtest/gtest.h>

using browsertest::Answers;

namespace {

class LibraryWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = ModOmLib::LibFolder();
        ModOmLib::CheckLibFolder(folder);
        for (const std::wstring& name : ModOmLib::ListPages(folder))
            DeleteFileW(ModOmLib::PagePath(folder, name).c_str());
        ASSERT_TRUE(ModOmLib::SavePage(folder, L"alpha", L"alpha text"));
        ASSERT_TRUE(ModOmLib::SavePage(folder, L"beta", L"beta text"));
        OpenPageLibrary();
    }
    void TearDown() override { UnloadPageLibraryForm(); }
    fOmLib& f() { return PageLibraryForm(); }
    void Select(const std::wstring& name) { f().boxLib.SetListIndex(f().boxLib.FindItem(name)); }
    std::wstring Page(const std::wstring& name)
    {
        std::wstring text;
        ModOmLib::ReadPage(folder, name, text);
        return text;
    }
    std::wstring folder;
};

TEST_F(LibraryWindow, SaveViewAndEdit)
{
    Answers answers;
    EXPECT_FALSE(f().bViewPage.Enabled());
    Select(L"alpha");
    f().bViewPage.Click();
    EXPECT_EQ(f().tLib.Text(), L"alpha text");
    EXPECT_EQ(f().LabItem.Caption(), L"alpha");
    EXPECT_FALSE(f().bSaveCh.Enabled());
    f().tLib.SetSelStart(5);
    SendMessageW(f().tLib.hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L" edited"));
    EXPECT_TRUE(f().bSaveCh.Enabled());
    f().bSaveCh.Click();
    EXPECT_EQ(Page(L"alpha"), L"alpha edited text");

    Answers::Type(L"gamma");
    f().bSaveNew.Click();
    EXPECT_EQ(Page(L"gamma"), L"alpha edited text");
    EXPECT_EQ(f().CurrentPage(), L"gamma");
    EXPECT_NE(f().boxLib.FindItem(L"gamma"), -1);
    EXPECT_TRUE(answers.messages.empty());
}

TEST_F(LibraryWindow, NoPageIsLostOrWrittenOutside)
{
    Answers answers;
    // An unsafe name is refused with a message.
    f().tLib.SetText(L"outside");
    Answers::Type(L"..\\escaped");
    f().bSaveNew.Click();
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_NE(answers.messages[0].find(L"A page name cannot hold"), std::wstring::npos);
    EXPECT_FALSE(platform::FileExists(folder + L"\\..\\escaped.txt"));

    // Renaming onto another page asks; No keeps both.
    Select(L"alpha");
    answers.buttons = {IDNO};
    Answers::Type(L"beta");
    f().bRename.Click();
    EXPECT_EQ(answers.messages.back(), L"Another page has that name. Replace it?");
    EXPECT_EQ(Page(L"alpha"), L"alpha text");
    EXPECT_EQ(Page(L"beta"), L"beta text");

    // Cancelling a delete keeps the page, and the page commands still work.
    Select(L"beta");
    answers.buttons = {IDCANCEL};
    f().bDelPage.Click();
    EXPECT_EQ(answers.messages.back(), L"Delete beta page?");
    EXPECT_TRUE(ModOmLib::PageExists(folder, L"beta"));
    f().bViewPage.Click();
    EXPECT_EQ(f().tLib.Text(), L"beta text");
    answers.buttons = {IDOK};
    f().bDelPage.Click();
    EXPECT_FALSE(ModOmLib::PageExists(folder, L"beta"));
    EXPECT_EQ(f().tLib.Text(), L"");  // the page on show went with it
}

} // namespace
