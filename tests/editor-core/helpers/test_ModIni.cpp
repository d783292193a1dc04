#include <gtest/gtest.h>

#include "ModIni.h"
#include "ScratchDir.h"

using namespace ModIni;

namespace {

std::wstring Joined(std::initializer_list<const wchar_t*> parts)
{
    std::wstring out;
    for (const wchar_t* p : parts) {
        if (!out.empty())
            out += L'\0';
        out += p;
    }
    return out;
}

} // namespace

TEST(ModIni, ValuesReadNAWhenMissingOrEmptyAndWholeWhenLong)
{
    ScratchDir dir(L"ini-values");
    std::wstring ini = dir / L"v.ini";
    EXPECT_EQ(GetIniValue(ini, L"s", L"k"), L"NA") << "no file";
    ASSERT_TRUE(WriteBytes(ini, "[s]\r\nempty=\r\nk=value one\r\n"));
    EXPECT_EQ(GetIniValue(ini, L"s", L"k"), L"value one");
    EXPECT_EQ(GetIniValue(ini, L"S", L"K"), L"value one");
    EXPECT_EQ(GetIniValue(ini, L"s", L"empty"), L"NA");
    EXPECT_EQ(GetIniValue(ini, L"s", L"missing"), L"NA");
    EXPECT_EQ(GetIniValue(ini, L"other", L"k"), L"NA");

    std::wstring longValue;
    for (int i = 0; i < 500; ++i)
        longValue += L"word" + std::to_wstring(i) + L" ";
    longValue += L"end";
    ASSERT_GT(longValue.size(), 1023u);
    EXPECT_TRUE(SetIniValue(ini, L"s", L"long", longValue));
    EXPECT_EQ(GetIniValue(ini, L"s", L"long"), longValue);
    EXPECT_EQ(GetIniValue(ini, L"s", L"k"), L"value one");

    // The file stays in the ANSI code page, no UTF-16.
    std::string bytes = ReadBytes(ini);
    EXPECT_EQ(bytes.find('\0'), std::string::npos);
    EXPECT_NE(bytes.find("long=word0 "), std::string::npos);
}

TEST(ModIni, NameListsDropTrailingNulsAndReadWhole)
{
    ScratchDir dir(L"ini-names");
    std::wstring ini = dir / L"n.ini";
    EXPECT_EQ(GetIniSectionNames(ini), L"NA");
    ASSERT_TRUE(WriteBytes(ini, "[one]\r\na=1\r\nb=2\r\n[two]\r\nc=3\r\n[empty]\r\n"));
    EXPECT_EQ(GetIniSectionNames(ini), Joined({L"one", L"two", L"empty"}));
    EXPECT_EQ(GetIniKeyNames(L"one", ini), Joined({L"a", L"b"}));
    EXPECT_EQ(GetIniKeyNames(L"missing", ini), L"NA");
    EXPECT_EQ(GetIniKeyNames(L"empty", ini), L"NA");

    std::string many;
    std::wstring expected;
    for (int i = 0; i < 300; ++i) {
        std::string name = "section_number_" + std::to_string(i);
        many += "[" + name + "]\r\nk=v\r\n";
        if (i)
            expected += L'\0';
        expected += std::wstring(name.begin(), name.end());
    }
    ASSERT_GT(expected.size(), 2047u);
    ASSERT_TRUE(WriteBytes(ini, many));
    EXPECT_EQ(GetIniSectionNames(ini), expected);
}

TEST(ModIni, ReadSectionKeepsLineIndexes)
{
    ScratchDir dir(L"ini-section");
    std::wstring ini = dir / L"s.ini";
    ASSERT_TRUE(WriteBytes(ini, "[tags]\r\n<a>=anchor\r\nnoequals\r\n<b>=bold=strong\r\n"
                                "[tail]\r\nx=1\r\nfree text\r\nmore\r\n[none]\r\njust text\r\n"));
    std::vector<std::wstring> keys{L"stale"}, values;
    ASSERT_EQ(ReadIniSection(L"tags", ini, keys, values), 3);
    ASSERT_EQ(keys.size(), 3u);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(keys[0], L"<a>");
    EXPECT_EQ(values[0], L"anchor");
    EXPECT_EQ(keys[1], L"");
    EXPECT_EQ(values[1], L"");
    EXPECT_EQ(keys[2], L"<b>");
    EXPECT_EQ(values[2], L"bold=strong") << "split at the first \"=\" only";

    EXPECT_EQ(ReadIniSection(L"tail", ini, keys, values), 1) << "lines after the last \"=\" do not count";
    EXPECT_EQ(ReadIniSection(L"none", ini, keys, values), 0);
    EXPECT_EQ(ReadIniSection(L"missing", ini, keys, values), 0);
    EXPECT_TRUE(keys.empty());
}

TEST(ModIni, LargeSectionIsReadWhole)
{
    ScratchDir dir(L"ini-large");
    std::wstring ini = dir / L"l.ini";
    std::string text = "[big]\r\n";
    const int n = 2000;
    for (int i = 0; i < n; ++i)
        text += "key" + std::to_string(i) + "=some value for entry " + std::to_string(i) + "\r\n";
    ASSERT_GT(text.size(), 16383u * 2);
    ASSERT_TRUE(WriteBytes(ini, text));
    std::vector<std::wstring> keys, values;
    ASSERT_EQ(ReadIniSection(L"big", ini, keys, values), n);
    EXPECT_EQ(keys[n - 1], L"key" + std::to_wstring(n - 1));
    EXPECT_EQ(values[n - 1], L"some value for entry " + std::to_wstring(n - 1));
}

TEST(ModIni, WriteRenameAndDeleteSections)
{
    ScratchDir dir(L"ini-rename");
    std::wstring ini = dir / L"r.ini";
    ASSERT_TRUE(WriteIniSection(ini, L"old", {L"a=1", L"b=two"}));
    ASSERT_TRUE(SetIniValue(ini, L"other", L"z", L"9"));
    std::vector<std::wstring> keys, values;
    ASSERT_EQ(ReadIniSection(L"old", ini, keys, values), 2);

    std::string before = ReadBytes(ini);
    EXPECT_EQ(RenameIniSection(ini, L"missing", L"new"), -1);
    EXPECT_EQ(ReadBytes(ini), before) << "nothing written";

    EXPECT_EQ(RenameIniSection(ini, L"old", L"new"), 0);
    EXPECT_EQ(ReadIniSection(L"old", ini, keys, values), 0);
    ASSERT_EQ(ReadIniSection(L"new", ini, keys, values), 2);
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(values, (std::vector<std::wstring>{L"1", L"two"}));
    EXPECT_EQ(GetIniValue(ini, L"other", L"z"), L"9");

    EXPECT_TRUE(DeleteIniSection(ini, L"new"));
    EXPECT_EQ(GetIniKeyNames(L"new", ini), L"NA");
    EXPECT_EQ(GetIniSectionNames(ini), L"other");
}
