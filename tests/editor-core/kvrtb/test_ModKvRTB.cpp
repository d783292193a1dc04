#include <gtest/gtest.h>

#include "KvRTB/ModKvRTB.h"
#include "WindowTest.h"

#include <richedit.h>

#include <string>

namespace {

std::wstring Scratch()
{
    return wt::ScratchFolder(L"kvrtb");
}

int FilesIn(const std::wstring& folder)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((ModKvRTB::LongPath(folder) + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    int n = 0;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++n;
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return n;
}

std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    ModKvRTB::ReadWholeFile(path, bytes);
    return bytes;
}

} // namespace

TEST(ModKvRTB, RtfBytesEscapeEveryCharacterAbove127)
{
    EXPECT_EQ(ModKvRTB::RtfToBytes(L"{\\b a}"), "{\\b a}");
    EXPECT_EQ(ModKvRTB::RtfToBytes(L"\\cf1 \u00e9\u4e2d"), "\\cf1 \\u233?\\u20013?");
    // RTF numbers are signed 16-bit; surrogate pairs go unit by unit.
    EXPECT_EQ(ModKvRTB::RtfToBytes(L"\uff21"), "\\u-223?");
    EXPECT_EQ(ModKvRTB::RtfToBytes(L"\U0001F600"), "\\u-10179?\\u-8704?");
    EXPECT_EQ(ModKvRTB::RtfFromBytes("{\\rtf1 x}"), L"{\\rtf1 x}");
}

TEST(ModKvRTB, WordBreaksSeparateWordsPunctuationAndBlanks)
{
    const std::wstring t = L"x = obj.Method_1(a)\r\n  next";
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 0, WB_MOVEWORDRIGHT), 2);
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 2, WB_MOVEWORDRIGHT), 4);
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 4, WB_MOVEWORDRIGHT), 7);
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 8, WB_RIGHTBREAK), 16);
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 19, WB_MOVEWORDRIGHT), 23);   // across the line break
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 16, WB_MOVEWORDLEFT), 8);
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 23, WB_MOVEWORDLEFT), 18);
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 3, WB_MOVEWORDLEFT), 2);
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 1, WB_MOVEWORDLEFT), 0);
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 27, WB_MOVEWORDRIGHT), 27);
    EXPECT_EQ(ModKvRTB::FindWordBreak(L"", 0, WB_MOVEWORDLEFT), 0);
}

TEST(ModKvRTB, LongPathPrefixesOnlyLongPaths)
{
    std::wstring shortPath = ModKvRTB::LongPath(L"C:\\x\\y.txt");
    EXPECT_EQ(shortPath, L"C:\\x\\y.txt");
    std::wstring longName(300, L'a');
    EXPECT_EQ(ModKvRTB::LongPath(L"C:\\" + longName), L"\\\\?\\C:\\" + longName);
    EXPECT_EQ(ModKvRTB::LongPath(L"\\\\srv\\share\\" + longName),
              L"\\\\?\\UNC\\srv\\share\\" + longName);
    EXPECT_EQ(ModKvRTB::LongPath(L"\\\\?\\C:\\z"), L"\\\\?\\C:\\z");
    // Relative paths become full ones.
    std::wstring rel = ModKvRTB::LongPath(L"rel.txt");
    EXPECT_GT(rel.size(), 8u);
    EXPECT_EQ(rel.substr(rel.size() - 8), L"\\rel.txt");
}

TEST(ModKvRTB, SafeWriterReplacesWholeOrNotAtAll)
{
    std::wstring dir = Scratch() + L"\\safe";
    CreateDirectoryW(dir.c_str(), nullptr);
    std::wstring file = dir + L"\\doc.txt";
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(file.c_str());

    ASSERT_TRUE(ModKvRTB::WriteWholeFile(file, "first"));
    EXPECT_EQ(ReadBytes(file), "first");
    // Replacing keeps the old file's hidden attribute.
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(ModKvRTB::WriteWholeFile(file, "second, longer"));
    EXPECT_EQ(ReadBytes(file), "second, longer");
    EXPECT_TRUE(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN);

    // A writer given up before Commit leaves the old file and no litter.
    {
        ModKvRTB::SafeFileWriter w(file);
        ASSERT_NE(w.Handle(), INVALID_HANDLE_VALUE);
        EXPECT_TRUE(w.Write("partial", 7));
    }
    EXPECT_EQ(ReadBytes(file), "second, longer");
    EXPECT_EQ(FilesIn(dir), 1);

    // A read-only target is refused.
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(ModKvRTB::WriteWholeFile(file, "third"));
    EXPECT_EQ(ReadBytes(file), "second, longer");
    EXPECT_EQ(FilesIn(dir), 1);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);

    // A folder that does not exist.
    EXPECT_FALSE(ModKvRTB::WriteWholeFile(dir + L"\\missing\\x.txt", "x"));
    EXPECT_FALSE(ModKvRTB::WriteWholeFile(L"", "x"));
    std::string bytes = "keep";
    EXPECT_FALSE(ModKvRTB::ReadWholeFile(dir + L"\\missing.txt", bytes));
    EXPECT_TRUE(bytes.empty());
}
