#include <gtest/gtest.h>

#include "EditorState.h"
#include "SettingsRecord.h"
#include "KvRTB/KvRTB.h"
#include "TestHost.h"
#include "cTypeDic.h"
#include "forms/Form.h"

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

class fShortcutTest : public forms::Form {
public:
    fShortcutTest()
    {
        SetCaption(L"Shortcut test");
        SetClientSize(4000, 2000);
        JT1.Place(*this, 0, 0, 4000, 2000);
    }
    ~fShortcutTest() override { Teardown(); }
    KvRTB JT1;
};

class ShortcutTest : public ::testing::Test {
protected:
    // The main window's commands are noted; its editor holds the test's
    // selection, with an undo step when the test wants one.
    class WindowHost : public TestHost {
    public:
        explicit WindowHost(ShortcutTest& t) : t_(t) {}
        KvRTB& JT1() override
        {
            KvRTB& e = t_.form.JT1;
            e.SetText(L"");
            e.ClearUndoBuffer();
            e.SetSelText(t_.selection, t_.canUndo);
            if (!t_.canUndo)
                e.ClearUndoBuffer();
            e.SetSelection(0, static_cast<long>(t_.selection.size()));
            return e;
        }
        void DoCut() override { t_.ran.push_back(L"cut"); }
        void DoPaste(short s) override { t_.ran.push_back(L"paste" + std::to_wstring(s)); }
        void mRunScript_Click() override { t_.ran.push_back(L"run"); }
        void mUndo_Click() override { t_.ran.push_back(L"undo"); }
        void mChangeCase_Click(short i) override { t_.ran.push_back(L"case" + std::to_wstring(i)); }
        void bPropCSS_Click(short i) override { t_.ran.push_back(L"css" + std::to_wstring(i)); }
        void ShowClipFilled(int slot, const std::wstring& tip) override
        {
            t_.ran.push_back(L"clip" + std::to_wstring(slot) + L":" + tip);
        }

    private:
        ShortcutTest& t_;
    };

    void SetUp() override
    {
        ResetEditorState();
        Settings() = SettingsRecord();
        Settings().HotKeys.assign(23, 1);
        ASSERT_TRUE(form.Load());
    }
    void TearDown() override { ResetEditorState(); }
    std::wstring selection;
    bool canUndo = false;
    std::vector<std::wstring> ran;
    fShortcutTest form;
    WindowHost host{*this};
    HostScope hostScope{host};
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
    State().EdType = EditorType::HTML;
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
    State().EdType = EditorType::VBScript;
    for (long k : {'X', 'V', 'L', 'R', 'Z', 'W', 'P'})
        EXPECT_TRUE(dic.CheckKShortcuts(k));
    EXPECT_EQ((std::vector<std::wstring>{L"cut", L"paste0", L"case1", L"run", L"undo", L"paste2"}), ran);
    State().EdType = EditorType::CSS;
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
