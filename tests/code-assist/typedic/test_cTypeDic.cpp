#include <gtest/gtest.h>

#include "EditorState.h"
#include "SettingsRecord.h"
#include "ShortcutActions.h"
#include "cTypeDic.h"

#include <string>
#include <vector>

using Names = std::vector<std::wstring>;

TEST(TypeDictionary, TypesAndVariables)
{
    cTypeDic dic;
    std::wstring type = L"My Type";
    EXPECT_EQ(0, dic.MakeObjectTypeList(L"a,b", type, {L"Load*Startup", L"Item", L"var*1", L"ITEM", L"Count"},
                                        {L"x", L"Item() - Method - first", L"y", L"second", L"Count - Property"}));
    EXPECT_EQ(L"MyType", type);
    EXPECT_TRUE(dic.CheckVarList(L"A"));
    Names names, info;
    ASSERT_TRUE(dic.GetObjectTypeList(L"b", names, info));
    EXPECT_EQ((Names{L"Item", L"Count"}), names);
    EXPECT_EQ(L"Item() - Method - first", info[0]);

    // A type is registered once; its new variables are not bound.
    std::wstring again = L"MyType";
    EXPECT_EQ(-2, dic.MakeObjectTypeList(L"c", again, {L"Other"}, {L"o"}));
    EXPECT_FALSE(dic.CheckVarList(L"c"));
    // An empty variable list registers nothing.
    std::wstring empty = L"Empty";
    EXPECT_EQ(-2, dic.MakeObjectTypeList(L"", empty, {L"M"}, {L"m"}));
    std::wstring other = L"Empty";
    EXPECT_EQ(0, dic.MakeObjectTypeList(L"a,,d", other, {}, {}));
    // The first binding wins; an empty piece is bound like any name.
    names.clear();
    ASSERT_TRUE(dic.GetObjectTypeList(L"a", names, info));
    EXPECT_EQ(2u, names.size());
    EXPECT_TRUE(dic.CheckVarList(L""));
    EXPECT_TRUE(dic.CheckVarList(L"D"));
    Names untouched{L"keep"};
    EXPECT_FALSE(dic.GetObjectTypeList(L"nobody", untouched, info));
    EXPECT_EQ(Names{L"keep"}, untouched);

    // Member texts that do not match the names leave the type unregistered.
    std::wstring bad = L"Bad";
    EXPECT_EQ(-1, dic.MakeObjectTypeList(L"z", bad, {L"One", L"Two"}, {L"1"}));
    EXPECT_FALSE(dic.CheckVarList(L"z"));
}

class ShortcutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorState();
        ResetMainWindowActions();
        Settings() = SettingsRecord();
        Settings().HotKeys.assign(23, 1);
        ShortcutActions& a = MainWindowActions();
        a.SelLength = [this] { return static_cast<long>(selection.size()); };
        a.SelText = [this] { return selection; };
        a.CanUndo = [this] { return canUndo; };
        a.DoCut = [this] { ran.push_back(L"cut"); };
        a.DoPaste = [this](short s) { ran.push_back(L"paste" + std::to_wstring(s)); };
        a.mRunScript_Click = [this] { ran.push_back(L"run"); };
        a.mUndo_Click = [this] { ran.push_back(L"undo"); };
        a.mChangeCase_Click = [this](short i) { ran.push_back(L"case" + std::to_wstring(i)); };
        a.bPropCSS_Click = [this](short i) { ran.push_back(L"css" + std::to_wstring(i)); };
        a.ShowClipFilled = [this](int slot, const std::wstring& tip) {
            ran.push_back(L"clip" + std::to_wstring(slot) + L":" + tip);
        };
    }
    void TearDown() override
    {
        ResetMainWindowActions();
        ResetEditorState();
    }
    std::wstring selection;
    bool canUndo = false;
    std::vector<std::wstring> ran;
};

TEST_F(ShortcutTest, NothingAssignedGivesFalse)
{
    cTypeDic unassigned;
    for (long k = 'A'; k <= 'Z'; ++k)
        EXPECT_FALSE(unassigned.CheckKShortcuts(k));
    Settings().HotKeys.clear();  // no settings file at start-up
    cTypeDic none;
    EXPECT_FALSE(none.CheckKShortcuts('X'));
    EXPECT_FALSE(none.CheckKShortcuts(1));
    EXPECT_TRUE(ran.empty());
}

TEST_F(ShortcutTest, ActionsRunWithTheirConditions)
{
    auto& keys = Settings().HotKeys;
    keys[0] = 'X';
    keys[2] = 'V';
    keys[9] = 'L';
    keys[14] = 'R';
    keys[16] = 'Z';
    keys[18] = 'W';
    keys[21] = 'P';
    keys[15] = 'V';  // the same letter twice: the lower index runs
    Settings().LastEdType = 2;
    cTypeDic dic;
    keys[1] = 'C';   // changed after creation: takes effect with the next instance
    EXPECT_FALSE(dic.CheckKShortcuts('C'));

    // Failed conditions still count as handled.
    EXPECT_TRUE(dic.CheckKShortcuts('X'));
    EXPECT_TRUE(dic.CheckKShortcuts('Z'));
    EXPECT_TRUE(dic.CheckKShortcuts('R'));
    EXPECT_TRUE(ran.empty());

    selection = L"abc";
    canUndo = true;
    Settings().LastEdType = 4;
    for (long k : {'X', 'V', 'L', 'R', 'Z', 'W', 'P'})
        EXPECT_TRUE(dic.CheckKShortcuts(k));
    EXPECT_EQ((std::vector<std::wstring>{L"cut", L"paste0", L"case1", L"run", L"undo", L"paste2"}), ran);
    Settings().LastEdType = 3;
    EXPECT_TRUE(dic.CheckKShortcuts('P'));
    EXPECT_EQ(L"css0", ran.back());
}

TEST_F(ShortcutTest, ExtraCopiesFillTheClipsAndCutTheTip)
{
    Settings().HotKeys[19] = 'J';
    Settings().HotKeys[20] = 'K';
    cTypeDic dic;
    EXPECT_TRUE(dic.CheckKShortcuts('J'));  // nothing selected
    EXPECT_TRUE(State().Clip1.empty());
    selection = std::wstring(30, L'a');
    EXPECT_TRUE(dic.CheckKShortcuts('J'));
    selection = std::wstring(30, L'b') + L"c";
    EXPECT_TRUE(dic.CheckKShortcuts('K'));
    EXPECT_EQ(std::wstring(30, L'a'), State().Clip1);
    EXPECT_EQ(selection, State().Clip2);
    ASSERT_EQ(2u, ran.size());
    EXPECT_EQ(L"clip1:" + std::wstring(30, L'a'), ran[0]);
    EXPECT_EQ(L"clip2:" + std::wstring(30, L'b'), ran[1]);
}
