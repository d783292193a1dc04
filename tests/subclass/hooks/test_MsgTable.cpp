#include <gtest/gtest.h>

#include "MsgTable.h"

TEST(MsgTable, HoldsAtMost32DistinctMessages)
{
    MsgTable t;
    for (int m = 1; m <= 32; ++m)
        ASSERT_TRUE(t.Add(0x400 + m));
    EXPECT_FALSE(t.Add(0x500));
    EXPECT_FALSE(t.Has(0x500));
    EXPECT_EQ(t.Count(), 32);
    // A freed slot takes the next message even in a full table.
    t.Del(0x401);
    EXPECT_TRUE(t.Add(0x500));
    EXPECT_TRUE(t.Has(0x500));
    EXPECT_FALSE(t.Has(0x401));
    t.Del(0x402);
    EXPECT_FALSE(t.Has(WM_NULL));   // a freed slot holds 0
}

TEST(MsgTable, DuplicatesAreNotStoredSoOneDelRemovesTheMessage)
{
    MsgTable t;
    t.Add(WM_KEYDOWN);
    t.Add(WM_CHAR);
    t.Del(WM_KEYDOWN);          // leaves a free slot before WM_CHAR
    t.Add(WM_CHAR);             // must not fill the free slot with a second copy
    t.Del(WM_CHAR);
    EXPECT_FALSE(t.Has(WM_CHAR));
    t.Add(WM_KEYUP);
    t.Add(WM_KEYUP);
    t.Del(WM_KEYUP);
    EXPECT_FALSE(t.Has(WM_KEYUP));
}

TEST(MsgTable, AllMessagesEntry)
{
    MsgTable t;
    EXPECT_FALSE(t.Has(WM_PAINT));
    t.Add(MsgTable::kAll);
    EXPECT_EQ(t.Count(), -1);
    EXPECT_TRUE(t.Has(WM_PAINT));
    EXPECT_TRUE(t.Has(0x8123));
    // Adding one message turns "every message" into just that one.
    t.Add(WM_SETFOCUS);
    EXPECT_TRUE(t.Has(WM_SETFOCUS));
    EXPECT_FALSE(t.Has(WM_PAINT));
    t.Add(WM_PAINT);
    t.Del(MsgTable::kAll);
    EXPECT_EQ(t.Count(), 0);
    EXPECT_FALSE(t.Has(WM_SETFOCUS));
    EXPECT_FALSE(t.Has(WM_PAINT));
}
