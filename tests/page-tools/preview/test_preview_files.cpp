// The preview page's name and the removal of the pages earlier runs left.
#include <gtest/gtest.h>

#include "WindowTest.h"
#include "preview/PageJournal.h"
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

} // namespace

TEST(PreviewFiles, FreePageNeverTakesAFileOfTheUser)
{
    const std::wstring f = Folder(L"preview_free");
    EXPECT_EQ(PreviewFiles::FreePage(f), f + L"\\tarneltemp1.html");
    Make(f + L"\\tarneltemp1.html", false);
    Make(f + L"\\tarneltemp2.html", true);
    EXPECT_EQ(PreviewFiles::FreePage(f), f + L"\\tarneltemp3.html");
    EXPECT_TRUE(Exists(f + L"\\tarneltemp2.html"));

    // Twenty names taken: no name, and every file stays.
    for (int n = 1; n <= 20; ++n)
        Make(PreviewFiles::PageName(f, n), n % 2 == 0);
    EXPECT_EQ(PreviewFiles::FreePage(f + L"\\"), L"");
    for (int n = 1; n <= 20; ++n)
        EXPECT_TRUE(Exists(PreviewFiles::PageName(f, n))) << n;
    EXPECT_FALSE(Exists(f + L"\\tarneltemp"));
}

TEST(PreviewFiles, OnlyPagesTheProgramWroteAreRemovedLater)
{
    const std::wstring f = Folder(L"preview_journal"), g = Folder(L"preview_journal2");
    const std::wstring list = f + L"\\pages.lst";
    const PageJournal written(list);
    // Pages of a run that was killed: listed and hidden, in two folders.
    for (const std::wstring& p : {f + L"\\tarneltemp1.html", g + L"\\tarneltemp1.html", f + L"\\t4othbr.php"}) {
        written.Remember(p);
        Make(p, true);
    }
    // A hidden page nobody listed, and a listed one the user replaced by a visible file.
    Make(f + L"\\tarneltemp2.html", true);
    written.Remember(f + L"\\tarneltemp3.html");
    Make(f + L"\\tarneltemp3.html", false);

    // The next preview in f removes what was written there, nothing else.
    const PageJournal nextRun(list);
    EXPECT_EQ(nextRun.RemoveAll(f + L"\\"), 2);
    EXPECT_FALSE(Exists(f + L"\\tarneltemp1.html"));
    EXPECT_FALSE(Exists(f + L"\\t4othbr.php"));
    EXPECT_TRUE(Exists(f + L"\\tarneltemp2.html"));
    EXPECT_TRUE(Exists(f + L"\\tarneltemp3.html"));
    EXPECT_TRUE(Exists(g + L"\\tarneltemp1.html"));
    EXPECT_EQ(nextRun.Listed(), std::vector<std::wstring>{g + L"\\tarneltemp1.html"});
    // The next start removes the rest, wherever it is.
    EXPECT_EQ(nextRun.RemoveAll(), 1);
    EXPECT_FALSE(Exists(g + L"\\tarneltemp1.html"));
    EXPECT_TRUE(nextRun.Listed().empty());

    // A page removed on return is forgotten; one never listed is not removed.
    written.Remember(g + L"\\tarneltemp4.html");
    Make(g + L"\\tarneltemp4.html", true);
    EXPECT_TRUE(written.Remove(g + L"\\tarneltemp4.html"));
    EXPECT_FALSE(Exists(g + L"\\tarneltemp4.html"));
    EXPECT_TRUE(written.Listed().empty());
    EXPECT_FALSE(written.Remove(f + L"\\tarneltemp2.html"));
    EXPECT_TRUE(Exists(f + L"\\tarneltemp2.html"));
}
