// Menu tables and shortcuts, without a window: the tree a table builds, the
// caption text with its shortcut, fixed ids, wired handlers, the accelerator
// step, and the faults a table is checked for.
#include "forms/MenuTable.h"
#include "forms/Runtime.h"

#include <gtest/gtest.h>

using namespace forms;

namespace {

enum : UINT { IDM_mFile = 1000, IDM_mSave, IDM_mtemp1, IDM_mRecent_0, IDM_mRecent_1, IDM_mView,
              IDM_mWrap, IDM_mRun, IDM_mCaseMenu, IDM_mCase_0, IDM_mCase_1 };

struct fTable {
    MenuItem Bar, mFile, mSave, mtemp1, mView, mWrap, mRun;
    MenuArray mRecent;
    std::vector<std::wstring> log;
    void mFile_Click() { log.push_back(L"mFile_Click"); }
    void mSave_Click() { log.push_back(L"mSave_Click"); }
    void mWrap_Click() { log.push_back(L"mWrap_Click"); }
    void mRun_Click() { log.push_back(L"mRun_Click"); }
    void mRecent_Click(int Index) { log.push_back(L"mRecent_Click " + std::to_wstring(Index)); }

    std::wstring Build()
    {
#define ROW(...) FORMS_MENU(fTable, __VA_ARGS__)
#define ON(...) FORMS_MENU_CLICK(fTable, __VA_ARGS__)
#define ARR(...) FORMS_MENU_ARRAY_CLICK(fTable, __VA_ARGS__)
        static const MenuRow<fTable> rows[] = {
            ON(0, mFile, L"&File"),
            // A row may call any procedure of the form.
            ROW(1, mSave, L"&Save").Keys(L"ctrl+s").On([](fTable& t) { t.mSave_Click(); }),
            ROW(1, mtemp1, L"-"),
            ARR(1, mRecent, 0, L"a.htm"),
            ARR(1, mRecent, 1, L"b.htm").Hidden(),
            ROW(0, mView, L"&View"),
            ON(1, mWrap, L"&Word Wrap").Checked().Keys(L"F5"),
            ON(1, mRun, L"&Run").Disabled().Keys(L"Shift+Del"),
        };
#undef ROW
#undef ON
#undef ARR
        return BuildMenus(*this, Bar, rows);
    }
};

std::vector<std::wstring> Names(const MenuItem& m)
{
    std::vector<std::wstring> out;
    for (const MenuItem* c : m.Items())
        out.push_back(c->Name + (c->Index() >= 0 ? L"(" + std::to_wstring(c->Index()) + L")" : L""));
    return out;
}

} // namespace

TEST(MenuTable, BuildsTheTreeWithIdsShortcutsAndHandlers)
{
    fTable f;
    ASSERT_EQ(f.Build(), L"");
    EXPECT_EQ(Names(f.Bar), (std::vector<std::wstring>{L"mFile", L"mView"}));
    EXPECT_EQ(Names(f.mFile),
              (std::vector<std::wstring>{L"mSave", L"mtemp1", L"mRecent(0)", L"mRecent(1)"}));
    EXPECT_EQ(f.mSave.DisplayText(), L"&Save\tCtrl+S");
    EXPECT_EQ(f.mWrap.DisplayText(), L"&Word Wrap\tF5");
    EXPECT_EQ(f.mRun.DisplayText(), L"&Run\tShift+Del");
    EXPECT_TRUE(f.mtemp1.IsSeparator());
    EXPECT_FALSE(f.mRecent(1).Visible());
    EXPECT_TRUE(f.mWrap.Checked());
    EXPECT_FALSE(f.mRun.Enabled());
    EXPECT_EQ(f.mRecent(1).CommandId(), UINT(IDM_mRecent_1));

    // A WM_COMMAND's id finds the item; the handlers are the form's methods.
    ASSERT_EQ(f.Bar.FindById(IDM_mSave), &f.mSave);
    f.Bar.FindById(IDM_mSave)->FireClick();
    f.Bar.FindById(IDM_mRecent_1)->FireClick();
    EXPECT_EQ(f.log, (std::vector<std::wstring>{L"mSave_Click", L"mRecent_Click 1"}));
}

// An array's rows may call a procedure of a part of the form, with the index.
TEST(MenuTable, ArrayRowsCallAProcedureWithTheIndex)
{
    struct fParts {
        MenuItem Bar, mCaseMenu;
        MenuArray mCase;
        std::vector<int> picked;
    } f;
    static const MenuRow<fParts> rows[] = {
        MenuRow<fParts>::Of(0, L"mCaseMenu", &fParts::mCaseMenu, IDM_mCaseMenu, L"&Case"),
        MenuRow<fParts>::Of(1, L"mCase", &fParts::mCase, 0, IDM_mCase_0, L"&Upper")
            .On([](fParts& p, int i) { p.picked.push_back(i); }),
        MenuRow<fParts>::Of(1, L"mCase", &fParts::mCase, 1, IDM_mCase_1, L"&Lower")
            .On([](fParts& p, int i) { p.picked.push_back(i); }),
    };
    ASSERT_EQ(BuildMenus(f, f.Bar, rows), L"");
    f.Bar.FindById(IDM_mCase_1)->FireClick();
    f.Bar.FindById(IDM_mCase_0)->FireClick();
    EXPECT_EQ(f.picked, (std::vector<int>{1, 0}));
}

TEST(MenuTable, TheAcceleratorStepOpensTheMenuThenRunsTheItem)
{
    fTable f;
    ASSERT_EQ(f.Build(), L"");
    EXPECT_TRUE(RunMenuShortcut(f.Bar, 'S', vbCtrlMask));
    EXPECT_EQ(f.log, (std::vector<std::wstring>{L"mFile_Click", L"mSave_Click"}));
    f.log.clear();
    // Other modifiers, a disabled item, a hidden menu: the key goes on.
    EXPECT_FALSE(RunMenuShortcut(f.Bar, 'S', vbCtrlMask | vbShiftMask));
    EXPECT_FALSE(RunMenuShortcut(f.Bar, VK_DELETE, vbShiftMask));
    f.mView.SetVisible(false);
    EXPECT_FALSE(RunMenuShortcut(f.Bar, VK_F5, 0));
    f.mView.SetVisible(true);
    // The opening handler may disable the item: the key is taken, the item not run.
    f.mFile.Click = [&] { f.mSave.SetEnabled(false); };
    EXPECT_TRUE(RunMenuShortcut(f.Bar, 'S', vbCtrlMask));
    EXPECT_TRUE(f.log.empty());
    EXPECT_TRUE(RunMenuShortcut(f.Bar, VK_F5, 0));
    EXPECT_EQ(f.log, std::vector<std::wstring>{L"mWrap_Click"});
}

TEST(MenuTable, FaultsAreFoundAndNothingIsBuilt)
{
    auto check = [](std::vector<MenuRowInfo> rows) { return CheckMenuRows(rows); };
    MenuRowInfo top{0, L"mFile", -1, L"&File"};
    MenuRowInfo a{1, L"mA", -1, L"A"};
    MenuRowInfo b{1, L"mB", -1, L"B"};
    EXPECT_EQ(check({top, a, b}), L"");
    MenuRowInfo deep = b;
    deep.Level = 3;
    EXPECT_NE(check({top, a, deep}).find(L"row 3 (mB): level 3"), std::wstring::npos);
    EXPECT_NE(check({a}), L"");
    MenuRowInfo badKey = b;
    badKey.Keys = L"Ctrl+Hyper";
    EXPECT_NE(check({top, badKey}).find(L"names no key"), std::wstring::npos);
    MenuRowInfo sep{1, L"mtemp1", -1, L"-", L"F2"};
    EXPECT_NE(check({top, sep}), L"");
    MenuRowInfo id1 = a, id2 = b;
    id1.Id = id2.Id = 42;
    EXPECT_NE(check({top, id1, id2}).find(L"also mA's"), std::wstring::npos);
    id2.Id = kFirstAutoMenuId;
    EXPECT_NE(check({top, id1, id2}), L"");
    EXPECT_NE(check({top, a, a}).find(L"listed twice"), std::wstring::npos);

    struct fBad {
        MenuItem Bar, mFile, mSave;
    } f;
    const MenuRow<fBad> rows[] = {
        MenuRow<fBad>::Of(0, L"mFile", &fBad::mFile, 0, L"&File"),
        MenuRow<fBad>::Of(1, L"mSave", &fBad::mSave, 0, L"&Save").Keys(L"Ctrl+"),
    };
    EXPECT_NE(BuildMenus(f, f.Bar, rows), L"");
    EXPECT_TRUE(f.Bar.Items().empty());
}

TEST(Shortcut, ParsesAndShowsKeys)
{
    struct Case {
        const wchar_t* text;
        UINT key;
        int shift;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {L"Ctrl+N", 'N', vbCtrlMask, L"Ctrl+N"},
        {L"shift+CTRL+f", 'F', vbCtrlMask | vbShiftMask, L"Ctrl+Shift+F"},
        {L"F5", VK_F5, 0, L"F5"},
        {L"Shift+F12", VK_F12, vbShiftMask, L"Shift+F12"},
        {L"Delete", VK_DELETE, 0, L"Del"},
        {L"Ctrl+Ins", VK_INSERT, vbCtrlMask, L"Ctrl+Ins"},
        {L"Alt+Bksp", VK_BACK, vbAltMask, L"Alt+Bksp"},
        {L"Ctrl+1", '1', vbCtrlMask, L"Ctrl+1"},
    };
    for (const Case& c : cases) {
        bool ok = false;
        Shortcut s = ParseShortcut(c.text, &ok);
        EXPECT_TRUE(ok) << c.text;
        EXPECT_EQ(s, (Shortcut{c.key, c.shift})) << c.text;
        EXPECT_EQ(ShortcutText(s), c.shown);
    }
    for (const wchar_t* bad : {L"Ctrl+", L"F25", L"Hyper+S", L"Ctrl+SS", L"+"}) {
        bool ok = true;
        EXPECT_FALSE(ParseShortcut(bad, &ok)) << bad;
        EXPECT_FALSE(ok) << bad;
    }
    bool ok = false;
    EXPECT_FALSE(ParseShortcut(L"", &ok));
    EXPECT_TRUE(ok);
}
