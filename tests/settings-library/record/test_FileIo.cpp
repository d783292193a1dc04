// The file helpers that the settings record file and the program's text files
// share: the temporary file beside a target, writing it whole, and ANSI text.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "FileIo.h"
#include "ScratchDir.h"

using namespace FileIo;

namespace {

std::wstring TempName(const std::wstring& path, unsigned n)
{
    wchar_t suffix[40];
    wsprintfW(suffix, L".~%lx%02x.tmp", GetCurrentProcessId(), n);
    return path + suffix;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring g_formed;

std::wstring RecordForm(const std::wstring& path)
{
    g_formed = path;
    return path;
}

} // namespace

TEST(FileIo, TemporaryFileIsCreatedBesideTheTargetUnderTheFirstFreeName)
{
    ScratchDir dir(L"fileio-temp");
    const std::wstring target = dir / L"plimsors.dat";
    ASSERT_TRUE(WriteBytes(TempName(target, 0), "taken"));
    std::wstring temp;
    FileHandle out(CreateTempBeside(target, temp));
    ASSERT_TRUE(out.Ok());
    EXPECT_EQ(temp, TempName(target, 1)) << "a name in use is skipped, not overwritten";
    EXPECT_EQ(ReadBytes(TempName(target, 0)), "taken");
    EXPECT_TRUE(Exists(temp));
    EXPECT_FALSE(Exists(target)) << "the target is not touched";
}

TEST(FileIo, TemporaryNameGoesThroughThePathForm)
{
    ScratchDir dir(L"fileio-form");
    const std::wstring target = dir / L"page.html";
    g_formed.clear();
    std::wstring temp;
    FileHandle out(CreateTempBeside(target, temp, RecordForm));
    ASSERT_TRUE(out.Ok());
    EXPECT_EQ(temp, TempName(target, 0));
    EXPECT_EQ(g_formed, temp) << "the name handed to the file functions is the formed one";
}

TEST(FileIo, NoTemporaryFileInAMissingFolder)
{
    ScratchDir dir(L"fileio-missing");
    std::wstring temp;
    FileHandle out(CreateTempBeside(dir / L"no\\such.dat", temp));
    EXPECT_FALSE(out.Ok()) << "a failure other than a taken name ends the search";
}

TEST(FileIo, WritesEveryByteAndTheHandleClosesIt)
{
    ScratchDir dir(L"fileio-write");
    std::wstring temp;
    std::string bytes(70000, 'a');
    bytes[69999] = 'z';
    {
        FileHandle out(CreateTempBeside(dir / L"x.txt", temp));
        ASSERT_TRUE(out.Ok());
        EXPECT_TRUE(WriteAllFlushed(out.Get(), bytes.data(), bytes.size()));
        out.Close();
        EXPECT_FALSE(out.Ok());
    }
    EXPECT_EQ(ReadBytes(temp), bytes);
    EXPECT_TRUE(DeleteFileW(temp.c_str())) << "no handle is left open";
}

TEST(FileIo, WritingToAReadOnlyHandleFails)
{
    ScratchDir dir(L"fileio-readonly");
    const std::wstring file = dir / L"r.txt";
    ASSERT_TRUE(WriteBytes(file, "old"));
    FileHandle in(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(in.Ok());
    EXPECT_FALSE(WriteAllFlushed(in.Get(), "new", 3));
}

TEST(FileIo, AnsiTextRoundTrips)
{
    EXPECT_EQ(ToAnsi(L""), "");
    EXPECT_EQ(ToAnsi(L"abc"), "abc");
    EXPECT_EQ(FromAnsi("abc", 3), L"abc");
    EXPECT_EQ(FromAnsi("abc", 2), L"ab") << "only size bytes are read";
    EXPECT_EQ(FromAnsi("abc", 0), L"");
    const std::wstring accented = L"caf\u00e9";
    const std::string ansi = ToAnsi(accented);
    EXPECT_EQ(FromAnsi(ansi.data(), ansi.size()), accented);
}
