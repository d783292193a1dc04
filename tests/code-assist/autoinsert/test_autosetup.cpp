#include "ModIni.h"
#include "FullDisk.h"
#include "WindowTest.h"
#include "autoinsert/AutoSetupRules.h"
#include "autoinsert/ObjectListFile.h"
#include "platform/Files.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

namespace {

using namespace AutoSetupRules;

std::wstring Fresh(const std::wstring& name, const std::wstring& text)
{
    std::wstring path = wt::ScratchFolder(L"autosetup") + L"\\" + name;
    platform::WriteFileSafely(path, platform::ToCodePage(text));
    return path;
}

std::string Bytes(const std::wstring& path)
{
    std::string b;
    platform::ReadWholeFile(path, b);
    return b;
}

TEST(AutoSetupRules, LookupInput)
{
    const wchar_t* good = L"0D43FE01-F093-11CF-8940-00A0C9054228";
    const struct {
        std::wstring clsid, progId;
        int id;
        std::wstring completed;
    } cases[] = {
        {L"  ", L" ", 105, L""},
        {L"", L"Scripting.Dictionary", 0, L""},
        {good, L"", 0, std::wstring(L"{") + good + L"}"},
        {std::wstring(L"{") + good, L"x", 0, std::wstring(L"{") + good + L"}"},
        {std::wstring(good) + L"}", L"", 0, std::wstring(L"{") + good + L"}"},
        {L"{0D43FE01-F093x11CF-8940-00A0C9054228}", L"", 102, L""},
        {L"{0D43FE01-F093-11CF-8940-00A0C905422}", L"", 102, L""},
    };
    for (const auto& c : cases) {
        std::wstring clsid = c.clsid, progId = c.progId;
        EXPECT_EQ(CheckLookupInput(clsid, progId), c.id) << c.clsid;
        if (c.id == 0 && !c.completed.empty())
            EXPECT_EQ(clsid, c.completed);
    }
    EXPECT_EQ(Message(102), L"CLSID not valid. Use valid CLSID value or leave blank.");
}

TEST(AutoSetupRules, NamesCompareAsSectionsDo)
{
    const std::vector<std::wstring> items{L"Lib.Item", L"Other"};
    EXPECT_TRUE(ListHoldsName(items, L"LIB.ITEM"));
    EXPECT_TRUE(ListHoldsName(items, L"other", 0));
    // The item itself, in other letters, is no clash (a rename to new case).
    EXPECT_FALSE(ListHoldsName(items, L"LIB.item", 0));
    EXPECT_FALSE(ListHoldsName(items, L"Lib.Items"));
}

TEST(AutoSetupRules, AssignVariables)
{
    std::wstring path = Fresh(L"vars.ini", L"[O]\r\nvar*1=p\r\nvar*2=q\r\nvar*3=r\r\nvar*4=s\r\nvar*5=t\r\n"
                                           L"var*7=lost\r\nGo=Go - Method - \r\n");
    ASSERT_TRUE(AssignVariables(path, L"O", L"a, b ,c,"));
    EXPECT_EQ(ReadVariables(path, L"O"), L"a,b,c");
    // Clearing stops at the first missing key.
    EXPECT_EQ(ModIni::GetIniValue(path, L"O", L"var*7"), L"lost");
    EXPECT_EQ(ModIni::GetIniValue(path, L"O", L"Go"), L"Go - Method -");  // the profile reads drop end blanks

    ASSERT_TRUE(AssignVariables(path, L"O", L"1,2,3,4,5,6,7,8,9,10,11,12"));
    EXPECT_EQ(ReadVariables(path, L"O"), L"1,2,3,4,5,6,7,8,9,10");  // ten at most
    ASSERT_TRUE(AssignVariables(path, L"O", L"w,x,y,z,u,v,r,s,t"));
    EXPECT_EQ(ModIni::GetIniValue(path, L"O", L"var*10"), L"10");  // nine names clear nothing
    ASSERT_TRUE(AssignVariables(path, L"O", L"only"));
    EXPECT_EQ(ReadVariables(path, L"O"), L"only");
    EXPECT_EQ(ModIni::GetIniValue(path, L"O", L"var*11"), L"11");
    ASSERT_TRUE(AssignVariables(path, L"O", L""));
    EXPECT_EQ(ReadVariables(path, L"O"), L"");
}

TEST(AutoSetupRules, FailedRewriteLeavesTheListWhole)
{
    std::wstring path = Fresh(L"whole.ini", L"[A]\r\nvar*1=a\r\nGo=Go - Method - \r\n[B]\r\nX=X - Property - \r\n");
    const std::string before = Bytes(path);
    SimulateWriteFailure(10);
    EXPECT_FALSE(ObjectListFile::SetValue(path, L"A", L"var*1", L"changed"));
    EXPECT_EQ(Bytes(path), before);
    EXPECT_TRUE(ObjectListFile::SetValue(path, L"A", L"var*1", L"changed"));
    EXPECT_EQ(ModIni::GetIniValue(path, L"A", L"var*1"), L"changed");
    EXPECT_EQ(ObjectListFile::RenameSection(path, L"B", L"C"), 0);
    EXPECT_EQ(ModIni::GetIniValue(path, L"C", L"X"), L"X - Property -");
    EXPECT_TRUE(ObjectListFile::DeleteSection(path, L"C"));
    EXPECT_EQ(ModIni::GetIniSectionNames(path), L"A");
}

TEST(AutoSetupRules, ListingsAndSectionLines)
{
    const wchar_t raw[] = L"Go=Go(a = 1) - Method - Runs\0Note=Note - Property - Line one\r\n\r\nLine two\0";
    const std::wstring section(raw, std::size(raw));
    EXPECT_EQ(SectionLines(section),
              (std::vector<std::wstring>{L"Go=Go(a = 1) - Method - Runs", L"Note=Note - Property - Line one  Line two"}));
    EXPECT_EQ(FoundListing(L"Go=Go - Method - x" + std::wstring(1, L'\0')), L"Go=Go Method x\r\n\r\n");
    EXPECT_EQ(SectionListing({L"Load*Startup", L"Go", L"var*1"}, {L"yes", L"Go - Method - x", L"v"}),
              L"Go Method x\r\n\r\n");
    size_t start = 0, length = 0;
    EXPECT_TRUE(ListingKindWord(L"Go(a) Event Method", start, length));
    EXPECT_EQ(start, 5u);
    EXPECT_EQ(length, 6u);
    EXPECT_FALSE(ListingKindWord(std::wstring(300, L'x') + L" Method", start, length));
}

} // namespace
