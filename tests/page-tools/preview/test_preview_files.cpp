// The preview page's name and the clearing of pages earlier runs left.
#include <gtest/gtest.h>

#include "WindowTest.h"
#include "preview/PreviewFiles.h"

#include <fstream>

namespace {

std::wstring Folder(const wchar_t* name)
{
    std::wstring f = wt::ScratchFolder(name);
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((f + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring p = f + L"\\" + fd.cFileName;
            SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(p.c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    return f;
}

void Make(const std::wstring& path, bool hidden, const char* text = "user's own")
{
    std::ofstream(std::string(path.begin(), path.end()), std::ios::binary) << text;
    if (hidden)
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
}

bool Exists(const std::wstring& p) { return GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES; }

FILETIME Later()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER u{{now.dwLowDateTime, now.dwHighDateTime}};
    u.QuadPart += 600ull * 10000000ull;
    return FILETIME{u.LowPart, u.HighPart};
}

} // namespace

TEST(PreviewFiles, FreePageNeverTakesAFileOfTheUser)
{
    const std::wstring f = Folder(L"preview_free");
    const FILETIME before{0, 0};
    EXPECT_EQ(PreviewFiles::FreePage(f, before), f + L"\\tarneltemp1.html");

    // A visible file of that name is the user's; a hidden one made during
    // this run is a page on show.
    Make(f + L"\\tarneltemp1.html", false);
    Make(f + L"\\tarneltemp2.html", true);
    EXPECT_EQ(PreviewFiles::FreePage(f, before), f + L"\\tarneltemp3.html");
    EXPECT_TRUE(Exists(f + L"\\tarneltemp2.html"));
    // Hidden and older than the run: a page the program left; it goes.
    EXPECT_EQ(PreviewFiles::FreePage(f, Later()), f + L"\\tarneltemp2.html");
    EXPECT_FALSE(Exists(f + L"\\tarneltemp2.html"));
    EXPECT_TRUE(Exists(f + L"\\tarneltemp1.html"));

    // Twenty names the user holds: no name, and every file stays.
    for (int n = 1; n <= 20; ++n)
        Make(PreviewFiles::PageName(f, n), false);
    EXPECT_EQ(PreviewFiles::FreePage(f + L"\\", Later()), L"");
    for (int n = 1; n <= 20; ++n)
        EXPECT_TRUE(Exists(PreviewFiles::PageName(f, n))) << n;
    EXPECT_FALSE(Exists(f + L"\\tarneltemp"));
}

TEST(PreviewFiles, LeftoversOfACrashGoAtStartUp)
{
    const std::wstring f = Folder(L"preview_leftovers");
    struct Case {
        const wchar_t* name;
        bool hidden;
        bool goes;
    } cases[] = {
        {L"tarneltemp1.html", true, true},    {L"tarneltemp17.html", true, true},
        {L"t4othbr.html", true, true},        {L"t4othbr.php", true, true},
        {L"tarneltemp2.html", false, false},  {L"t4othbr.asp", false, false},
        {L"tarneltempx.html", true, false},   {L"page.html", true, false},
    };
    for (const Case& c : cases)
        Make(f + L"\\" + c.name, c.hidden);
    EXPECT_EQ(PreviewFiles::RemoveLeftovers(f + L"\\"), 4);
    for (const Case& c : cases)
        EXPECT_EQ(Exists(f + L"\\" + c.name), !c.goes) << c.name;
    EXPECT_EQ(PreviewFiles::RemoveLeftovers(f + L"\\missing"), 0);
}
