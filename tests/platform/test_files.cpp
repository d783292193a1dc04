// File tests, whole-file reading and the safe write.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "FullDisk.h"
#include "ScratchDir.h"
#include "UnixSide.h"
#include "platform/Files.h"
#include "platform/Paths.h"

using namespace platform;

namespace {

int FilesIn(const std::wstring& folder)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((ApiPath(folder) + L"\\*").c_str(), &fd);
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

std::string Read(const std::wstring& path)
{
    std::string bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

std::wstring TempName(const std::wstring& path, unsigned n)
{
    wchar_t suffix[40];
    wsprintfW(suffix, L".~%lx%02x.tmp", GetCurrentProcessId(), n);
    return path + suffix;
}

} // namespace

TEST(Files, ExistenceTellsFilesFromFolders)
{
    ScratchDir dir(L"platform-exists");
    const std::wstring file = dir / L"a.txt";
    ASSERT_TRUE(WriteFileSafely(file, "x"));
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_TRUE(FolderExists(dir.Path()));
    EXPECT_FALSE(FileExists(dir.Path()));
    EXPECT_FALSE(FileExists(dir / L"missing"));
    EXPECT_FALSE(FileExists(L""));
    EXPECT_FALSE(FolderExists(L""));
}

TEST(Files, SafeWriteReplacesWholeAndKeepsTheOldFileOnFailure)
{
    ScratchDir dir(L"platform-safe");
    const std::wstring file = dir / L"doc.txt";
    ASSERT_TRUE(WriteFileSafely(file, "first, the longer one"));
    ASSERT_TRUE(WriteFileSafely(file, "second"));
    EXPECT_EQ(Read(file), "second");

    // A write that stops halfway (a full disk) leaves the old file and no litter.
    SimulateWriteFailure(3);
    EXPECT_FALSE(WriteFileSafely(file, "third and longer"));
    EXPECT_EQ(Read(file), "second");
    EXPECT_EQ(FilesIn(dir.Path()), 1);
    EXPECT_TRUE(WriteFileSafely(file, "fourth")) << "the failure was for one write only";

    // A writer given up before Commit changes nothing either.
    {
        SafeFileWriter w(file);
        ASSERT_TRUE(w.Ok());
        EXPECT_TRUE(w.Write("partial", 7));
    }
    EXPECT_EQ(Read(file), "fourth");
    EXPECT_EQ(FilesIn(dir.Path()), 1);

    // Held open without sharing, the target cannot be replaced.
    HANDLE lock = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    bool wrote = WriteFileSafely(file, "fifth");
    CloseHandle(lock);
    EXPECT_FALSE(wrote);
    EXPECT_EQ(Read(file), "fourth");
    EXPECT_EQ(FilesIn(dir.Path()), 1);

    EXPECT_FALSE(WriteFileSafely(dir / L"no\\such\\x.txt", "x"));
    EXPECT_FALSE(WriteFileSafely(dir.Path(), "x")) << "a folder is not a file";
    EXPECT_FALSE(WriteFileSafely(L"", "x"));
}

TEST(Files, SafeWriteKeepsAttributesAndTreatsReadOnlyAsAsked)
{
    ScratchDir dir(L"platform-attrs");
    const std::wstring file = dir / L"doc.txt";
    ASSERT_TRUE(WriteFileSafely(file, "one"));
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(WriteFileSafely(file, "two"));
    EXPECT_TRUE(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN);

    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(WriteFileSafely(file, "three"));
    EXPECT_EQ(Read(file), "two");
    EXPECT_TRUE(WriteFileSafely(file, "four", ReadOnlyTarget::Replace));
    EXPECT_EQ(Read(file), "four");
    const DWORD attrs = GetFileAttributesW(file.c_str());
    EXPECT_FALSE(attrs & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(attrs & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(FilesIn(dir.Path()), 1);
}

TEST(Files, SafeWriteGoesThroughLinksAndKeepsTheFilesMode)
{
    if (unixside::Run("echo on") != "on\n")
        GTEST_SKIP() << "no Linux side to look from";
    std::string unix;
    const std::wstring dir = unixside::Folder("safe-links", unix);
    unixside::Run("cd " + unix + " && printf old > real.txt && chmod 600 real.txt && ln -s real.txt link.txt"
                  " && ln real.txt hard.txt && printf old > locked.txt && chmod 000 locked.txt");
    ASSERT_TRUE(WriteFileSafely(dir + L"\\link.txt", "through the link"));
    EXPECT_EQ(Read(dir + L"\\hard.txt"), "through the link");
    ASSERT_TRUE(WriteFileSafely(dir + L"\\hard.txt", "through the other name"));
    EXPECT_EQ(Read(dir + L"\\real.txt"), "through the other name");
    // The link stays a link, the file keeps its mode and both its names.
    EXPECT_EQ(unixside::Run("cd " + unix + " && stat -c '%n %F %a %h' link.txt real.txt"),
              "link.txt symbolic link 777 1\nreal.txt regular file 600 2\n");
    // A file with no rights at all, replaced as the caller asks: writable
    // for its owner, and no more open to others than it was.
    ASSERT_TRUE(WriteFileSafely(dir + L"\\locked.txt", "new", ReadOnlyTarget::Replace));
    EXPECT_EQ(unixside::Run("stat -c %a " + unix + "/locked.txt"), "600\n");
    EXPECT_EQ(FilesIn(dir), 4) << "no temporary file is left";
    unixside::Run("rm -rf " + unix);
}

TEST(Files, TemporaryNameSkipsOneInUse)
{
    ScratchDir dir(L"platform-tempname");
    const std::wstring file = dir / L"plimsors.dat";
    ASSERT_TRUE(WriteFileSafely(TempName(file, 0), "taken"));
    ASSERT_TRUE(WriteFileSafely(file, "record"));
    EXPECT_EQ(Read(TempName(file, 0)), "taken") << "a name in use is not overwritten";
    EXPECT_EQ(Read(file), "record");
}

TEST(Files, ReadWholeFileHonoursTheLimitAndReadsLockedFiles)
{
    ScratchDir dir(L"platform-read");
    const std::wstring file = dir / L"r.bin";
    std::string bytes(70000, 'a');
    bytes.back() = 'z';
    ASSERT_TRUE(WriteFileSafely(file, bytes));
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE writer = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    std::string got = "stale";
    EXPECT_TRUE(ReadWholeFile(file, got));
    EXPECT_EQ(got, bytes);
    CloseHandle(writer);
    EXPECT_FALSE(ReadWholeFile(file, got, 1000));
    EXPECT_TRUE(got.empty());
    EXPECT_FALSE(ReadWholeFile(dir / L"missing", got));
    EXPECT_FALSE(ReadWholeFile(dir.Path(), got));
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Files, PathsLongerThanMaxPath)
{
    ScratchDir dir(L"platform-long");
    std::wstring deep = dir.Path();
    while (deep.size() < MAX_PATH + 40) {
        deep += L"\\" + std::wstring(40, L'd');
        ASSERT_TRUE(CreateDirectoryW(ApiPath(deep).c_str(), nullptr));
    }
    const std::wstring file = deep + L"\\caf\u00e9.txt";
    ASSERT_TRUE(WriteFileSafely(file, "deep"));
    ASSERT_TRUE(WriteFileSafely(file, "deeper"));
    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(FolderExists(deep));
    EXPECT_EQ(Read(file), "deeper");
    EXPECT_EQ(FilesIn(deep), 1);
    // ScratchDir removes the tree with the plain calls; take the deep part down here.
    DeleteFileW(ApiPath(file).c_str());
    while (deep.size() > dir.Path().size()) {
        RemoveDirectoryW(ApiPath(deep).c_str());
        deep = GetParentFolder(deep);
    }
}
