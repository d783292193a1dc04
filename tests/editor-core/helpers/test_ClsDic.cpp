#include <gtest/gtest.h>

#include "ClsDic.h"

TEST(ClsDic, KeysIgnoreCaseAndFirstAddWins)
{
    ClsDic d;
    d.Add(L"a", L"1");
    d.Add(L"A", L"2");
    d.AddLong(L"a", 5);
    d.AddDicItem(L"A", std::make_shared<ClsDic>());
    EXPECT_EQ(d.Count(), 1);
    EXPECT_EQ(d.Item(L"A"), L"1");
    EXPECT_FALSE(d.ExistsLong(L"a"));
    EXPECT_FALSE(d.ObExists(L"a"));

    d.Add(L"DIV", L"block");
    EXPECT_TRUE(d.Exists(L"Div"));
    EXPECT_EQ(d.Item(L"div"), L"block");
    std::wstring key;
    EXPECT_EQ(d.ItemByNum(2, key), L"block");
    EXPECT_EQ(key, L"DIV") << "the key is kept as it was added";
}

TEST(ClsDic, WriteMovesKeyToEndAndChangesKind)
{
    ClsDic d;
    d.Add(L"a", L"1");
    d.Add(L"b", L"2");
    d.Add(L"c", L"3");
    d.Item(L"b", L"x");
    EXPECT_EQ(d.Keys(), (std::vector<std::wstring>{L"a", L"c", L"b"}));
    EXPECT_EQ(d.Items(), (std::vector<std::wstring>{L"1", L"3", L"x"}));

    d.ItemLong(L"A", 7);  // a string entry becomes a number, under the new spelling
    EXPECT_TRUE(d.ExistsLong(L"a"));
    EXPECT_EQ(d.ItemLong(L"a"), 7);
    EXPECT_EQ(d.Item(L"a"), L"");
    EXPECT_EQ(d.Keys(), (std::vector<std::wstring>{L"c", L"b", L"A"}));

    // Counting through read and write, as the counters do.
    d.ItemLong(L"n", d.ItemLong(L"n") + 1);
    d.ItemLong(L"N", d.ItemLong(L"n") + 1);
    EXPECT_EQ(d.ItemLong(L"n"), 2);
    EXPECT_EQ(d.Count(), 4);
}

TEST(ClsDic, WrongKindAndAbsentReadsAreNeutral)
{
    ClsDic d;
    d.Add(L"s", L"text");
    d.AddLong(L"n", -42);
    EXPECT_EQ(d.ItemLong(L"s"), 0);
    EXPECT_EQ(d.Item(L"n"), L"");
    EXPECT_EQ(d.Item(L"missing"), L"");
    EXPECT_EQ(d.ItemLong(L"missing"), 0);
    EXPECT_FALSE(d.Exists(L"missing"));
    d.Remove(L"missing");
    EXPECT_EQ(d.Count(), 2);
    std::wstring key;
    EXPECT_EQ(d.ItemByNum(2, key), L"-42");
    EXPECT_EQ(key, L"n");
}

TEST(ClsDic, ItemByNumOutsideRangeClearsKey)
{
    ClsDic d;
    d.Add(L"a", L"1");
    std::wstring key = L"stale";
    EXPECT_EQ(d.ItemByNum(0, key), L"");
    EXPECT_EQ(key, L"");
    key = L"stale";
    EXPECT_EQ(d.ItemByNum(d.Count() + 1, key), L"");
    EXPECT_EQ(key, L"");
    key = L"stale";
    EXPECT_EQ(d.ItemByNum(-3, key), L"");
    EXPECT_EQ(key, L"");
}

TEST(ClsDic, EmptyKeysAndItemsHoldOneEmptyString)
{
    ClsDic d;
    EXPECT_EQ(d.Keys(), std::vector<std::wstring>{L""});
    EXPECT_EQ(d.Items(), std::vector<std::wstring>{L""});
    d.Add(L"x", L"1");
    d.RemoveAll();
    EXPECT_EQ(d.Count(), 0);
    EXPECT_EQ(d.Keys(), std::vector<std::wstring>{L""});
    d.Add(L"X", L"2");  // usable again after RemoveAll
    EXPECT_EQ(d.Item(L"x"), L"2");
}

TEST(ClsDic, RemovalsKeepPositionsDense)
{
    ClsDic d;
    for (int i = 0; i < 10; ++i)
        d.AddLong(L"k" + std::to_wstring(i), i);
    for (int i = 0; i < 10; i += 2)
        d.Remove(L"K" + std::to_wstring(i));
    ASSERT_EQ(d.Count(), 5);
    std::wstring key;
    for (long n = 1; n <= 5; ++n) {
        EXPECT_EQ(d.ItemByNum(n, key), std::to_wstring(2 * n - 1));
        EXPECT_EQ(key, L"k" + std::to_wstring(2 * n - 1));
    }
    d.Remove(L"k9");
    d.Add(L"k0", L"back");  // a removed key can be added again, at the end
    EXPECT_EQ(d.ItemByNum(5, key), L"back");
    EXPECT_EQ(d.Count(), 5);
}

TEST(ClsDic, NestedDictionaryIsSharedNotCopied)
{
    ClsDic outer;
    auto inner = std::make_shared<ClsDic>();
    inner->Add(L"Name", L"String");
    outer.AddDicItem(L"Obj", inner);
    inner->Add(L"Count", L"Long");  // added after storing: still seen

    EXPECT_TRUE(outer.ObExists(L"obj"));
    EXPECT_TRUE(outer.Exists(L"OBJ"));
    EXPECT_EQ(outer.Item(L"Obj"), L"");
    std::vector<std::wstring> keys{L"old"}, items{L"old"};
    ASSERT_TRUE(outer.GetDicItem(L"obj", keys, items));
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"Name", L"Count"}));
    EXPECT_EQ(items, (std::vector<std::wstring>{L"String", L"Long"}));

    outer.Add(L"plain", L"x");
    keys = {L"kept"};
    EXPECT_FALSE(outer.GetDicItem(L"plain", keys, items));
    EXPECT_FALSE(outer.GetDicItem(L"none", keys, items));
    EXPECT_EQ(keys, std::vector<std::wstring>{L"kept"});
}
