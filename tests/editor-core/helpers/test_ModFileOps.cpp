#include <gtest/gtest.h>

#include <windows.h>

#include "ModFileOps.h"
#include "ScratchDir.h"

using namespace ModFileOps;

TEST(ModFileOps, StripNullCutsAtTheFirstNul)
{
    EXPECT_EQ(StripNull(std::wstring(L"ab\0cd", 5)), L"ab");
    EXPECT_EQ(StripNull(std::wstring(L"\0cd", 3)), L"");
    EXPECT_EQ(StripNull(L"whole"), L"whole");
}

TEST(ModFileOps, SpecialFoldersHaveNoTrailingBackslash)
{
    for (int kind = 0; kind <= 2; ++kind) {
        std::wstring f = GetSpecialFolder(static_cast<SpecialFolder>(kind));
        ASSERT_FALSE(f.empty()) << kind;
        EXPECT_NE(f.back(), L'\\') << kind;
        EXPECT_TRUE(FolderExists(f)) << kind;
    }
    EXPECT_EQ(GetSpecialFolder(static_cast<SpecialFolder>(3)), L"");
    EXPECT_EQ(GetSpecialFolder(static_cast<SpecialFolder>(-1)), L"");
}

TEST(ModFileOps, ExistenceTestsTellFilesFromFolders)
{
    ScratchDir dir(L"exists");
    std::wstring file = dir / L"a.txt";
    ASSERT_TRUE(WriteTextFile(file, L"x"));
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_TRUE(FolderExists(dir.Path()));
    EXPECT_FALSE(FileExists(dir.Path()));
    EXPECT_FALSE(FileExists(dir / L"missing"));
    EXPECT_FALSE(FolderExists(dir / L"missing"));
    EXPECT_FALSE(FileExists(L""));
    EXPECT_FALSE(FolderExists(L""));
}

TEST(ModFileOps, TextRoundTripsExactlyInTheAnsiCodePage)
{
    ScratchDir dir(L"text");
    std::wstring file = dir / L"t.txt";
    ASSERT_TRUE(WriteTextFile(file, L"line1\r\nline2"));
    EXPECT_EQ(ReadBytes(file), "line1\r\nline2") << "no line end is added";

    // A character of the code page in use, stored as its single byte.
    char high = '\xE9';
    wchar_t wide = 0;
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, &high, 1, &wide, 1), 1);
    if (GetACP() != CP_UTF8 && wide != L'?' && wide > 127) {
        std::wstring text = std::wstring(L"caf") + wide;
        ASSERT_TRUE(WriteTextFile(file, text));
        EXPECT_EQ(ReadBytes(file), "caf\xE9");
        EXPECT_EQ(ReadTextFile(file), text);
    }

    std::wstring withNul(L"a\0b", 3);
    ASSERT_TRUE(WriteTextFile(file, withNul));
    EXPECT_EQ(ReadTextFile(file), withNul);

    ASSERT_TRUE(WriteTextFile(file, L""));
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ(GetFileSize(file), 0);
    EXPECT_EQ(ReadTextFile(file), L"");
    EXPECT_EQ(ReadTextFile(dir / L"missing.txt"), L"");
    EXPECT_EQ(ReadTextFile(dir.Path()), L"");
}

TEST(ModFileOps, WriteReplacesLongerFileAndLeavesNoTempBehind)
{
    ScratchDir dir(L"replace");
    std::wstring file = dir / L"r.txt";
    ASSERT_TRUE(WriteTextFile(file, std::wstring(5000, L'x')));
    ASSERT_TRUE(WriteTextFile(file, L"short"));
    EXPECT_EQ(ReadBytes(file), "short");
    std::wstring list;
    EXPECT_EQ(GetFolderFiles(dir.Path(), L"", list), 1);
    EXPECT_EQ(list, L"r.txt");
}

TEST(ModFileOps, FailedWriteKeepsTheOldFile)
{
    ScratchDir dir(L"failwrite");
    std::wstring file = dir / L"keep.txt";
    ASSERT_TRUE(WriteTextFile(file, L"old text"));
    // Held open without sharing, the file cannot be replaced.
    HANDLE lock = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    bool wrote = WriteTextFile(file, L"new");
    CloseHandle(lock);
    EXPECT_FALSE(wrote);
    EXPECT_EQ(ReadBytes(file), "old text");
    std::wstring list;
    EXPECT_EQ(GetFolderFiles(dir.Path(), L"", list), 1) << "temporary file left: " << std::string(list.begin(), list.end());

    EXPECT_FALSE(WriteTextFile(dir / L"no\\such\\folder.txt", L"x"));
    EXPECT_FALSE(WriteTextFile(dir.Path(), L"x")) << "a folder is not a file";
}

TEST(ModFileOps, ReadOnlyFileCanBeReadSizedRewrittenMovedAndDeleted)
{
    ScratchDir dir(L"readonly");
    std::wstring file = dir / L"ro.txt";
    ASSERT_TRUE(WriteTextFile(file, L"12345"));
    const DWORD attrs = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), attrs));

    EXPECT_EQ(ReadTextFile(file), L"12345");
    EXPECT_EQ(GetFileSize(file), 5);
    EXPECT_EQ(GetFileAttributesW(file.c_str()) & attrs, attrs) << "attributes are put back";

    std::wstring list;
    EXPECT_EQ(GetFolderFiles(dir.Path(), L"txt", list), 1) << "hidden files are listed";

    std::wstring dest = dir / L"moved.txt";
    EXPECT_TRUE(MoveFile(file, dest));
    EXPECT_FALSE(FileExists(file));
    EXPECT_EQ(ReadTextFile(dest), L"12345");

    ASSERT_TRUE(SetFileAttributesW(dest.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(WriteTextFile(dest, L"over"));
    EXPECT_EQ(ReadTextFile(dest), L"over");

    ASSERT_TRUE(SetFileAttributesW(dest.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(RemoveFile(dest));
    EXPECT_FALSE(FileExists(dest));
    EXPECT_TRUE(RemoveFile(dest)) << "a missing file is already gone";
    EXPECT_FALSE(RemoveFile(dir.Path())) << "folders are not deleted";
    EXPECT_TRUE(FolderExists(dir.Path()));
}

TEST(ModFileOps, MoveKeepsSourceWhenCopyFailsOrPathsAreSame)
{
    ScratchDir dir(L"move");
    std::wstring src = dir / L"src.txt";
    ASSERT_TRUE(WriteTextFile(src, L"precious"));
    EXPECT_FALSE(MoveFile(src, dir / L"missing\\dest.txt"));
    EXPECT_EQ(ReadTextFile(src), L"precious");

    EXPECT_TRUE(MoveFile(src, src));
    EXPECT_TRUE(MoveFile(src, dir.Path() + L"\\.\\SRC.TXT"));
    EXPECT_EQ(ReadTextFile(src), L"precious");

    std::wstring dest = dir / L"dest.txt";
    ASSERT_TRUE(WriteTextFile(dest, L"old and longer"));
    EXPECT_TRUE(MoveFile(src, dest));
    EXPECT_EQ(ReadTextFile(dest), L"precious");
    EXPECT_FALSE(FileExists(src));
    EXPECT_FALSE(MoveFile(src, dest)) << "missing source";
    EXPECT_EQ(ReadTextFile(dest), L"precious");
}

TEST(ModFileOps, FolderFilesListsOnlyMatchingFiles)
{
    ScratchDir dir(L"folderfiles");
    std::wstring list = L"stale";
    EXPECT_EQ(GetFolderFiles(dir.Path(), L"", list), 0);
    EXPECT_EQ(list, L"");
    list = L"stale";
    EXPECT_EQ(GetFolderFiles(dir / L"missing", L"", list), 0);
    EXPECT_EQ(list, L"");

    ASSERT_TRUE(WriteTextFile(dir / L"a.ini", L""));
    ASSERT_TRUE(WriteTextFile(dir / L"b.ini", L""));
    ASSERT_TRUE(WriteTextFile(dir / L"c.txt", L""));
    ASSERT_TRUE(CreateDirectoryW((dir / L"sub.ini").c_str(), nullptr));
    EXPECT_EQ(GetFolderFiles(dir.Path(), L"ini", list), 2);
    EXPECT_TRUE(list == L"a.ini*b.ini" || list == L"b.ini*a.ini") << std::string(list.begin(), list.end());
    EXPECT_EQ(GetFolderFiles(dir.Path(), L"", list), 3);
}

TEST(ModFileOps, LongAndNonAsciiPathsWork)
{
    ScratchDir dir(L"longpath");
    std::wstring deep = dir.Path();
    while (deep.size() < 300) {
        deep += L"\\folder-with-a-long-name-\x00e9\x0436";
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
    }
    EXPECT_TRUE(FolderExists(deep));
    std::wstring file = deep + L"\\\x0416\x00fc.txt";
    ASSERT_GT(file.size(), static_cast<size_t>(MAX_PATH));
    ASSERT_TRUE(WriteTextFile(file, L"deep"));
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ(ReadTextFile(file), L"deep");
    EXPECT_EQ(GetFileSize(file), 4);
    std::wstring moved = deep + L"\\moved.txt";
    EXPECT_TRUE(MoveFile(file, moved));
    EXPECT_EQ(ReadTextFile(moved), L"deep");
    std::wstring list;
    EXPECT_EQ(GetFolderFiles(deep, L"txt", list), 1);
    EXPECT_EQ(list, L"moved.txt");
    EXPECT_TRUE(RemoveFile(moved));
    EXPECT_FALSE(FileExists(moved));
    // Leave the tree removable by the plain calls of the scratch folder.
    for (std::wstring d = deep; d.size() > dir.Path().size(); d = GetParentFolder(d))
        RemoveDirectoryW((L"\\\\?\\" + d).c_str());
}

TEST(ModFileOps, FileInfoReadsVersionTimesAndSize)
{
    ScratchDir dir(L"fileinfo");
    std::wstring file = dir / L"data.txt";
    ASSERT_TRUE(WriteTextFile(file, std::wstring(3000, L'z')));
    FileInfo info;
    info.CompanyName = L"kept";
    info.FileVersion = L"kept";
    EXPECT_TRUE(GetFileInfo(file, info));
    EXPECT_EQ(info.Size, L"2 KB");
    EXPECT_FALSE(info.Created.empty());
    EXPECT_FALSE(info.Modified.empty());
    EXPECT_EQ(info.CompanyName, L"kept") << "no version resource: left as it was";
    EXPECT_EQ(info.FileVersion, L"kept");

    FileInfo dll;
    EXPECT_TRUE(GetFileInfo(GetSpecialFolder(SpecialFolder::System) + L"\\kernel32.dll", dll));
    EXPECT_FALSE(dll.FileVersion.empty());
    EXPECT_FALSE(dll.CompanyName.empty());
    EXPECT_NE(dll.Size.find(L" KB"), std::wstring::npos);

    FileInfo none;
    none.Size = L"kept";
    EXPECT_TRUE(GetFileInfo(dir / L"missing.dll", none));
    EXPECT_EQ(none.Size, L"kept");
    EXPECT_TRUE(none.Created.empty());
}
