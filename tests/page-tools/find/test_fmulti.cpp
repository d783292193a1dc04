// The multi-file replace window on real files, without the main window.
#include <gtest/gtest.h>

#include "WindowTest.h"
#include "find/fmulti.h"
#include "platform/Files.h"
#include "platform/Messages.h"

#include <string>
#include <vector>

namespace {

class FMultiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = wt::ScratchFolder(L"fmulti");
        platform::SetMessageInterceptor([this](const std::wstring& text, const std::wstring& title, UINT) {
            messages.push_back(text);
            titles.push_back(title);
            return answer;
        });
        ShowMultiReplaceWindow();
        ASSERT_NE(MultiReplaceWindow(), nullptr);
    }
    void TearDown() override
    {
        UnloadMultiReplaceWindow();
        platform::SetMessageInterceptor(nullptr);
    }
    fmulti& w() { return *MultiReplaceWindow(); }
    std::wstring Make(const std::wstring& name, const std::string& bytes)
    {
        std::wstring path = folder + L"\\" + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_TRUE(platform::WriteFileSafely(path, bytes));
        return path;
    }
    static std::string Bytes(const std::wstring& path)
    {
        std::string b;
        platform::ReadWholeFile(path, b);
        return b;
    }
    void MarkAll()
    {
        for (int i = 0; i < w().filbox.ListCount(); ++i)
            w().filbox.SetSelected(i, true);
    }

    std::wstring folder;
    std::vector<std::wstring> messages, titles;
    int answer = IDYES;
};

} // namespace

TEST_F(FMultiTest, ChosenFilesAreListedInOrderEvenTwice)
{
    w().AddChosenFiles(std::wstring(L"C:\\w\0a.htm\0b.css", 16));
    w().AddChosenFiles(L"C:\\w\\a.htm");
    ASSERT_EQ(w().filbox.ListCount(), 3);
    EXPECT_EQ(w().filbox.List(0), L"C:\\w\\a.htm");
    EXPECT_EQ(w().filbox.List(1), L"C:\\w\\b.css");
    EXPECT_EQ(w().filbox.List(2), L"C:\\w\\a.htm");
}

TEST_F(FMultiTest, ApplyReportsByTheNumberOfMarkedFiles)
{
    std::wstring a = Make(L"a.txt", "aAa"), c = Make(L"c.txt", "A");
    // Nothing marked, or no existing text: no change.
    w().AddChosenFiles(a);
    w().told.SetText(L"A");
    w().tnew.SetText(L"b");
    w().bapply_Click();
    EXPECT_TRUE(messages.empty());
    MarkAll();
    w().told.SetText(L"");
    w().bapply_Click();
    EXPECT_EQ(messages, std::vector<std::wstring>{L"You haven't entered the text to replace."});

    // One file: string 149; case-sensitive only the capital.
    messages.clear();
    w().told.SetText(L"A");
    w().ck1.SetValue(1);
    w().bapply_Click();
    EXPECT_EQ(messages, std::vector<std::wstring>{L"File processed."});
    EXPECT_EQ(titles.back(), L"TARNEL Editor");
    EXPECT_EQ(Bytes(a), "aba");

    // Three marked, one missing: its message, then the count of the others.
    messages.clear();
    w().ck1.SetValue(0);
    w().AddChosenFiles(folder + L"\\gone.txt");
    w().AddChosenFiles(c);
    MarkAll();
    w().bapply_Click();
    EXPECT_EQ(messages, (std::vector<std::wstring>{folder + L"\\gone.txt does not exist.", L"2 files processed."}));
    EXPECT_EQ(Bytes(a), "bbb");
    EXPECT_EQ(Bytes(c), "b");
}

TEST_F(FMultiTest, ReadOnlyFileAnsweredNoGivesNoCompletionMessage)
{
    std::wstring p = Make(L"ro.txt", "old");
    SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_READONLY);
    w().AddChosenFiles(p);
    MarkAll();
    w().told.SetText(L"old");
    answer = IDNO;
    w().bapply_Click();
    EXPECT_EQ(messages, std::vector<std::wstring>{p + L" is a Read-Only file. Do you want to change that?"});
    EXPECT_EQ(Bytes(p), "old");
    SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FMultiTest, ClosingEmptiesTheListAndUnloads)
{
    w().AddChosenFiles(L"C:\\w\\a.htm");
    w().told.SetText(L"x");
    SendMessageW(w().hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(w().Visible());
    EXPECT_EQ(w().hwnd, nullptr);
    ShowMultiReplaceWindow();
    EXPECT_EQ(w().filbox.ListCount(), 0);
    EXPECT_EQ(w().told.Text(), L"");
}
