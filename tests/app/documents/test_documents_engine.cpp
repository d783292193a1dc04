#include "DocumentsEngine.h"
#include "FileTabLayout.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <climits>

TEST(RecentFiles, NewPathsGoOnTopListedAndUntitledKeepTheOrder)
{
    RecentList list{L"-", L"-", L"-", L"-"};
    for (const wchar_t* p : {L"C:\\a.htm", L"C:\\b.htm", L"C:\\c.htm", L"C:\\d.htm"})
        EXPECT_TRUE(UpdateRecentList(list, p));
    EXPECT_EQ(list, (RecentList{L"C:\\d.htm", L"C:\\c.htm", L"C:\\b.htm", L"C:\\a.htm"}));
    // A listed path keeps its place, whatever its case; "Untitled" never enters.
    EXPECT_FALSE(UpdateRecentList(list, L"c:\\B.HTM"));
    EXPECT_FALSE(UpdateRecentList(list, L"untitled"));
    EXPECT_FALSE(UpdateRecentList(list, L""));
    EXPECT_EQ(list[2], L"C:\\b.htm");
    // A fifth distinct path drops the oldest.
    EXPECT_TRUE(UpdateRecentList(list, L"C:\\e.htm"));
    EXPECT_EQ(list, (RecentList{L"C:\\e.htm", L"C:\\d.htm", L"C:\\c.htm", L"C:\\b.htm"}));
}

TEST(RecentFiles, SamePathIgnoresCaseAndShortNames)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring dir = std::wstring(temp) + L"Long folder name docs";
    CreateDirectoryW(dir.c_str(), nullptr);
    std::wstring file = dir + L"\\Some long page.html";
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    wchar_t shortName[MAX_PATH] = {};
    GetShortPathNameW(file.c_str(), shortName, MAX_PATH);

    EXPECT_TRUE(SameDocumentPath(file, CharUpperW(&std::wstring(file)[0])));
    if (shortName[0] && file != shortName)
        EXPECT_TRUE(SameDocumentPath(file, shortName));
    EXPECT_FALSE(SameDocumentPath(file, dir + L"\\other.html"));
    EXPECT_FALSE(SameDocumentPath(L"Untitled", L"untitled"));
    DeleteFileW(file.c_str());
    RemoveDirectoryW(dir.c_str());
}

TEST(SaveTypes, PreselectedFilterByExtensionThenByType)
{
    EXPECT_EQ(PreselectedSaveFilter(L"htm", EditorType::CSS, 1), 1);
    EXPECT_EQ(PreselectedSaveFilter(L"XHTML", EditorType::HTML, 1), 1);
    EXPECT_EQ(PreselectedSaveFilter(L"aspx", EditorType::ASP, 1), 6);
    EXPECT_EQ(PreselectedSaveFilter(L"hta", EditorType::HTML, 1), 11);
    EXPECT_EQ(PreselectedSaveFilter(L"dat", EditorType::HTML, 1), 12);
    // Without an extension: the default save type, then the editor type.
    EXPECT_EQ(PreselectedSaveFilter(L"", EditorType::VBScript, 2), 2);
    EXPECT_EQ(PreselectedSaveFilter(L"", EditorType::ASP, 1), 6);
    EXPECT_EQ(PreselectedSaveFilter(L"", EditorType::ASP, 5), 5);
    EXPECT_EQ(PreselectedSaveFilter(L"", EditorType::HTML, 11), 11);
    EXPECT_EQ(PreselectedSaveFilter(L"", EditorType::HTML, 9), 1);
    EXPECT_EQ(PreselectedSaveFilter(L"", EditorType::VBScript, 10), 10);
    EXPECT_EQ(PreselectedSaveFilter(L"", EditorType::CSS, 1), 8);
    EXPECT_EQ(PreselectedSaveFilter(L"", EditorType::None, 1), 0);
}

TEST(SaveTypes, FilterExtensionOnlyForANameWithoutOne)
{
    EXPECT_EQ(ApplyFilterExtension(L"C:\\w\\new.shtml", 1), L"C:\\w\\new.shtml");
    // A typed extension is kept, and the document takes its type.
    EXPECT_EQ(ApplyFilterExtension(L"C:\\w\\new.txt", 1), L"C:\\w\\new.txt");
    EXPECT_EQ(ApplyFilterExtension(L"C:\\w\\broken.html", 5), L"C:\\w\\broken.html");
    EXPECT_EQ(SavedFilter(L"C:\\w\\broken.html", 5), 1);
    EXPECT_EQ(SavedFilter(L"C:\\w\\x.dat", 3), 12);
    EXPECT_EQ(SavedFilter(L"C:\\w\\new.asp", 5), 5);
    EXPECT_EQ(ApplyFilterExtension(L"C:\\w\\new", 11), L"C:\\w\\new.hta");
    EXPECT_EQ(ApplyFilterExtension(L"C:\\my.site\\page", 8), L"C:\\my.site\\page.css");
    EXPECT_EQ(ApplyFilterExtension(L"C:\\w\\x.dat", 12), L"C:\\w\\x.dat");
}

TEST(SaveTypes, PickedFilterSetsTypeAndFlags)
{
    SaveAsType t = SaveAsTypeFor(7, EditorType::None);
    EXPECT_TRUE(t.changesType && t.type == EditorType::HTML && t.lineDebug && t.colour);
    t = SaveAsTypeFor(9, EditorType::None);   // WSF: VBScript, neither colouring nor line checks
    EXPECT_TRUE(t.changesType && t.type == EditorType::VBScript && !t.lineDebug && !t.colour);
    t = SaveAsTypeFor(6, EditorType::None);
    EXPECT_EQ(t.type, EditorType::ASP);
    t = SaveAsTypeFor(12, EditorType::CSS);   // all files, x.css
    EXPECT_TRUE(t.changesType && t.type == EditorType::CSS && !t.setsFlags);
    t = SaveAsTypeFor(12, EditorType::None);  // all files, x.dat
    EXPECT_TRUE(!t.changesType && t.setsFlags && !t.colour && !t.lineDebug);
    t = SaveAsTypeFor(2, EditorType::HTML);
    EXPECT_FALSE(t.changesType);
}

TEST(FileTabLayout, WidthsPositionsAndEdges)
{
    bool one[8] = {true};
    FileTabStrip s = LayoutFileTabs(6000 - 690, one, 0);
    ASSERT_EQ(s.tabs.size(), 1u);
    EXPECT_EQ(s.tabs[0].width, 1815);
    EXPECT_EQ(s.tabs[0].height, kSelectedTabHeight);

    bool all[8] = {true, true, true, true, true, true, true, true};
    s = LayoutFileTabs(8000, all, 3);
    ASSERT_EQ(s.tabs.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(s.tabs[i].width, 940);
        EXPECT_EQ(s.tabs[i].left, 1000 * i);
        EXPECT_EQ(s.tabs[i].height, i == 3 ? 375 : 300);
    }
    // Tab 2 leaves its right edge to the selected tab 3, whose left edge is at x - 30.
    int edgesOfTab2 = 0;
    bool leftEdgeOf3 = false;
    for (const FileTabLine& l : s.lines) {
        if (l.x1 == 2000 + 940 + 15 && l.x2 == l.x1)
            ++edgesOfTab2;
        if (l.x1 == 3000 - 30 && l.y1 == 435 && l.y2 == 50 && l.colour == TabEdge::Highlight)
            leftEdgeOf3 = true;
    }
    EXPECT_EQ(edgesOfTab2, 0);
    EXPECT_TRUE(leftEdgeOf3);
}

TEST(FileTabLayout, NoTabsOrNoRoomNeverBreaksTheStrip)
{
    bool none[8] = {};
    EXPECT_TRUE(LayoutFileTabs(5000, none, 0).tabs.empty());
    EXPECT_TRUE(LayoutFileTabs(0, none, -1).lines.empty());
    bool all[8] = {true, true, true, true, true, true, true, true};
    for (int width : {0, -690, 100, INT_MIN / 2}) {
        FileTabStrip s = LayoutFileTabs(width, all, 7);
        ASSERT_EQ(s.tabs.size(), 8u);
        for (const FileTabPlace& t : s.tabs)
            EXPECT_GT(t.width, 0) << width;
    }
}
