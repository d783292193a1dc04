// Replacing in files on disk: the bytes, and what happens to awkward files.
#include <gtest/gtest.h>

#include "FullDisk.h"
#include "SettingsRecord.h"
#include "UnixSide.h"
#include "WindowTest.h"
#include "find/ReplaceInFile.h"
#include "platform/Files.h"
#include "platform/Messages.h"

#include <string>
#include <vector>

using namespace modfind;

namespace {

class ReplaceInFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = wt::ScratchFolder(L"replace_files");
        platform::SetMessageInterceptor([this](const std::wstring& text, const std::wstring&, UINT) {
            messages.push_back(text);
            return answer;
        });
    }
    void TearDown() override { platform::SetMessageInterceptor(nullptr); }

    std::wstring Make(const std::wstring& name, const std::string& bytes, DWORD attributes = 0)
    {
        std::wstring path = folder + L"\\" + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_TRUE(platform::WriteFileSafely(path, bytes));
        if (attributes)
            SetFileAttributesW(path.c_str(), attributes);
        return path;
    }
    static std::string Bytes(const std::wstring& path)
    {
        std::string b;
        platform::ReadWholeFile(path, b);
        return b;
    }
    // Files of the folder whose names hold a temporary file's mark.
    int LeftOverTemporaryFiles()
    {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((folder + L"\\*.tmp").c_str(), &fd);
        int n = 0;
        if (h != INVALID_HANDLE_VALUE) {
            do
                ++n;
            while (FindNextFileW(h, &fd));
            FindClose(h);
        }
        return n;
    }

    std::wstring folder;
    std::vector<std::wstring> messages;
    int answer = IDYES;
};

} // namespace

TEST(ReplaceInBytes, KeepsEveryByteOutsideTheReplacedText)
{
    struct Case {
        const char* what;
        std::string in;
        const wchar_t* from;
        const wchar_t* to;
        bool caseSensitive;
        std::string out;
        long count;
    } cases[] = {
        {"case-blind", "aAa", L"A", L"b", false, "bbb", 3},
        {"case-sensitive", "aAa", L"A", L"b", true, "aba", 1},
        {"not searched again", "abab", L"ab", L"abab", true, "abababab", 2},
        {"UTF-8 kept around", "h\xC3\xA9llo w\xC3\xB6rld \xE2\x82\xAC", L"w\u00F6rld", L"x", true,
         "h\xC3\xA9llo x \xE2\x82\xAC", 1},
        {"UTF-8 replacement", "caf\xC3\xA9 tea", L"tea", L"th\u00E9", true, "caf\xC3\xA9 th\xC3\xA9", 1},
        {"UTF-8 mark kept", "\xEF\xBB\xBFold new", L"old", L"x", true, "\xEF\xBB\xBFx new", 1},
        {"UTF-16 mark kept", std::string("\xFF\xFE" "a\0b\0a\0", 8), L"a", L"c", true,
         std::string("\xFF\xFE" "c\0b\0c\0", 8), 2},
        {"other bytes kept", "one\x81\x8D two\r\nthree\n", L"two", L"2", true, "one\x81\x8D 2\r\nthree\n", 1},
        {"nothing found", "abc", L"x", L"y", true, "abc", 0},
    };
    for (const Case& c : cases) {
        std::string out;
        long count = -1;
        ASSERT_TRUE(ReplaceInBytes(c.in, c.from, c.to, c.caseSensitive, out, count)) << c.what;
        EXPECT_EQ(out, c.out) << c.what;
        EXPECT_EQ(count, c.count) << c.what;
    }
}

TEST(ReplaceInBytes, EachFileInTheEncodingTheEditorReadsItIn)
{
    // Only ASCII: the UTF-8 option decides, as it does for the editor.
    for (bool utf8 : {false, true}) {
        Settings().UTF8Text = utf8;
        std::string out;
        long count = 0;
        ASSERT_TRUE(ReplaceInBytes("cafe", L"e", L"\u00e9", true, out, count));
        EXPECT_EQ(out, utf8 ? "caf\xC3\xA9" : "caf\xE9");
        // Bytes that are not UTF-8 stay in the code page even with the option on.
        ASSERT_TRUE(ReplaceInBytes("caf\xE9 tea", L"tea", L"th\u00e9", true, out, count));
        EXPECT_EQ(out, "caf\xE9 th\xE9");
    }
    Settings().UTF8Text = false;
}

TEST(MultiSelectPaths, FolderAndNamesOrOnePath)
{
    EXPECT_EQ(MultiSelectPaths(std::wstring(L"C:\\w\0a.htm\0b.css", 16)),
              (std::vector<std::wstring>{L"C:\\w\\a.htm", L"C:\\w\\b.css"}));
    EXPECT_EQ(MultiSelectPaths(L"C:\\w\\a.htm"), std::vector<std::wstring>{L"C:\\w\\a.htm"});
    EXPECT_TRUE(MultiSelectPaths(L"").empty());
}

TEST_F(ReplaceInFileTest, MissingFilesAreReportedAndNotCounted)
{
    std::wstring a = Make(L"a.txt", "x1"), c = Make(L"c.txt", "x3");
    std::wstring b = folder + L"\\missing.txt";
    EXPECT_EQ(ReplaceInFiles({a, b, c}, L"x", L"y", false), 2);
    EXPECT_EQ(messages, std::vector<std::wstring>{b + L" does not exist."});
    EXPECT_EQ(Bytes(a), "y1");
    EXPECT_EQ(Bytes(c), "y3");
}

TEST_F(ReplaceInFileTest, ReadOnlyFileIsAskedAboutAndOtherAttributesStay)
{
    std::wstring p = Make(L"ro.txt", "old", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    answer = IDNO;
    EXPECT_FALSE(ReplaceInFile(p, L"old", L"new", false));
    EXPECT_EQ(messages, std::vector<std::wstring>{p + L" is a Read-Only file. Do you want to change that?"});
    EXPECT_EQ(Bytes(p), "old");
    EXPECT_TRUE(platform::FileAttributes(p) & FILE_ATTRIBUTE_READONLY);

    answer = IDYES;
    EXPECT_TRUE(ReplaceInFile(p, L"old", L"new", false));
    EXPECT_EQ(Bytes(p), "new");
    DWORD attributes = platform::FileAttributes(p);
    EXPECT_FALSE(attributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);

    std::wstring s = Make(L"sys.txt", "old", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(ReplaceInFile(s, L"old", L"new", false));
    EXPECT_EQ(Bytes(s), "new");
    EXPECT_EQ(platform::FileAttributes(s) & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN),
              static_cast<DWORD>(FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
    SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(s.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ReplaceInFileTest, AFileMadeWritableKeepsItsModeForItsOwner)
{
    if (unixside::Run("echo on") != "on\n")
        GTEST_SKIP() << "no Linux side to look from";
    std::string unix;
    const std::wstring dir = unixside::Folder("replace-mode", unix);
    unixside::Run("printf old > " + unix + "/locked.txt && chmod 000 " + unix + "/locked.txt");
    EXPECT_TRUE(ReplaceInFile(dir + L"\\locked.txt", L"old", L"new", false));
    EXPECT_EQ(Bytes(dir + L"\\locked.txt"), "new");
    EXPECT_EQ(unixside::Run("stat -c %a " + unix + "/locked.txt"), "600\n") << "not opened to everyone";
    unixside::Run("rm -rf " + unix);
}

TEST_F(ReplaceInFileTest, AFileWithNothingToReplaceIsNotRewritten)
{
    std::wstring p = Make(L"same.txt", "abc");
    HANDLE h = CreateFileW(p.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FILETIME old{0x12345678, 0x01C00000};
    SetFileTime(h, nullptr, nullptr, &old);
    CloseHandle(h);
    EXPECT_TRUE(ReplaceInFile(p, L"zzz", L"y", false));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(p.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.ftLastWriteTime.dwHighDateTime, old.dwHighDateTime);
    EXPECT_EQ(data.ftLastWriteTime.dwLowDateTime, old.dwLowDateTime);
}

TEST_F(ReplaceInFileTest, ALockedOrFailingFileStaysWhole)
{
    const std::string text = "keep this text whole";
    std::wstring p = Make(L"locked.txt", text);
    const std::wstring error =
        L"Error processing file " + p + L". It may be open or protected, or it may not be a text-based file.";
    // Held open by another user: readable, but it cannot be replaced.
    for (DWORD share : {DWORD{FILE_SHARE_READ}, DWORD{0}}) {
        messages.clear();
        HANDLE h = CreateFileW(p.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(ReplaceInFile(p, L"this", L"that", false)) << "share " << share;
        CloseHandle(h);
        EXPECT_EQ(messages, std::vector<std::wstring>{error});
        EXPECT_EQ(Bytes(p), text);
        EXPECT_EQ(LeftOverTemporaryFiles(), 0);
    }
    // A write that stops half way, as on a full disk.
    messages.clear();
    SimulateWriteFailure(5);
    EXPECT_FALSE(ReplaceInFile(p, L"this", L"that", false));
    EXPECT_EQ(messages, std::vector<std::wstring>{error});
    EXPECT_EQ(Bytes(p), text);
    EXPECT_EQ(LeftOverTemporaryFiles(), 0);
}
