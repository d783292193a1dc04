// The settings window in this process, hidden, driven through its handlers.
#include "../browser/Answers.h"
#include "EditorState.h"
#include "ModIni.h"
#include "WindowTest.h"
#include "autoinsert/fAuto.h"
#include "cTypeDic.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

namespace {

class AutoWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        State().ObjectListPath = wt::ScratchFolder(L"fauto") + L"\\tarnelt.ini";
        platform::WriteFileSafely(State().ObjectListPath,
                                  platform::ToCodePage(L"[Lib.Item]\r\nLoad*Startup=no\r\nvar*1=a\r\nvar*2=b\r\n"
                                                       L"Go=Go - Method - \r\n[Other]\r\nvar*1=o\r\n"));
        platform::SetMessageInterceptor([this](const std::wstring& text, const std::wstring&, UINT) {
            said.push_back(text);
            return IDOK;
        });
        f.Load();
        cTypeDic dic;
        ASSERT_EQ(AutoInsertLists::LoadObjectList(dic, State().ObjectListPath, f), 0);
    }
    void TearDown() override
    {
        platform::SetMessageInterceptor(nullptr);
        // The window goes with its test: left to the process exit, it was
        // destroyed after the runtime it is built on.
        UnloadAutoSetupWindow();
        ResetEditorState();
    }
    fAuto& f = AutoSetupWindow();
    std::vector<std::wstring> said;
};

TEST_F(AutoWindow, EveryWayOutOfAHandlerLeavesItFree)
{
    f.boxAuto.SetListIndex(-1);
    f.bUpdateVars_Click();  // nothing selected
    f.bRemove_Click();
    EXPECT_EQ(said, (std::vector<std::wstring>{L"No item selected for variable assignment.", L"Nothing selected."}));
    // Selecting now still runs its handler.
    f.boxAuto.SetListIndex(0);
    EXPECT_EQ(f.tVars.Text(), L"a,b");
    f.tVars.SetText(L"x, y");
    f.bUpdateVars_Click();
    EXPECT_EQ(ModIni::GetIniValue(State().ObjectListPath, L"Lib.Item", L"var*2"), L"y");
    EXPECT_FALSE(f.bUpdateVars.Enabled());
}

TEST_F(AutoWindow, FoundObjectsAlreadyListedInOtherLettersAreRefused)
{
    auto classes = std::make_shared<ClsDic>();
    classes->Add(L"LIB.ITEM", std::wstring(L"Run=Run - Method - \0", 20) + L'\0');
    classes->Add(L"Lib.New", std::wstring(L"Note=Note - Property - one\r\n\r\ntwo\0", 34) + L'\0');
    State().AutoInsertClassDic = classes;
    f.boxTemp.AddItem(L"LIB.ITEM");
    f.boxTemp.AddItem(L"Lib.New");
    f.boxTemp.SetSelected(0, true);
    f.boxTemp.SetSelected(1, true);
    f.bAddObs_Click();
    EXPECT_EQ(said, std::vector<std::wstring>{L"Object already included in Object List."});
    EXPECT_EQ(f.boxAuto.ListCount(), 3);
    EXPECT_EQ(ModIni::GetIniValue(State().ObjectListPath, L"Lib.Item", L"Run"), L"NA");
    // The help text's line break did not split its entry.
    EXPECT_EQ(ModIni::GetIniValue(State().ObjectListPath, L"Lib.New", L"Note"), L"Note - Property - one  two");
    EXPECT_EQ(classes->Count(), 0);
}

// The section moves with its "Load*Startup", and the list shows it.
TEST_F(AutoWindow, ARenamedObjectKeepsItsTick)
{
    f.boxAuto.SetSelected(0, true);
    f.boxAuto_ItemCheck(0);
    ASSERT_EQ(ModIni::GetIniValue(State().ObjectListPath, L"Lib.Item", L"Load*Startup"), L"yes");
    f.boxAuto.SetListIndex(0);
    browsertest::Answers::Type(L"Renamed");
    f.bRename_Click();
    ASSERT_EQ(f.boxAuto.List(1), L"Renamed");
    EXPECT_EQ(ModIni::GetIniValue(State().ObjectListPath, L"Renamed", L"Load*Startup"), L"yes");
    EXPECT_TRUE(f.boxAuto.Selected(1));
}

} // namespace
