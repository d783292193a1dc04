// The object browser window in this process, on the classes of the test's
// prefix: the scripting runtime's are always registered there.
#include "Answers.h"
#include "ClsDic.h"
#include "EditorState.h"
#include "browser/ModOmLib.h"
#include "browser/ObjectBrowser.h"
#include "autoinsert/fAuto.h"
#include "browser/fClas.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include <algorithm>

using browsertest::Answers;

namespace {

class BrowserWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ObjectBrowserForm().Show();
        ObjectBrowserForm().bListCls.Click();
    }
    static void TearDownTestSuite()
    {
        UnloadObjectBrowserForm();
        UnloadAutoSetupWindow();
    }
    fClas& f() { return ObjectBrowserForm(); }
    int Row(const std::wstring& progId) { return f().boxR(0).FindItem(progId); }
    COLORREF ColourAt(long position)
    {
        KvRTB& view = f().TLBProps.ClsT;
        view.SetSelection(position, position + 1);
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof(cf);
        SendMessageW(view.RTBhWnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return cf.crTextColor;
    }
};

// The widest item of a column, in its own font.
int WidestItem(const forms::ListBox& column)
{
    HDC dc = GetDC(column.hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(column.hwnd, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (int i = 0; i < column.ListCount(); ++i) {
        const std::wstring item = column.List(i);
        SIZE size{};
        GetTextExtentPoint32W(dc, item.c_str(), static_cast<int>(item.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    SelectObject(dc, old);
    ReleaseDC(column.hwnd, dc);
    return widest;
}

TEST_F(BrowserWindow, ListFindAndCopy)
{
    Answers answers;
    ASSERT_GT(f().boxR(1).ListCount(), 100);
    for (int i : {0, 2, 3})
        EXPECT_EQ(f().boxR(i).ListCount(), f().boxR(1).ListCount());
    EXPECT_EQ(f().Lab(0).Caption(), L"Object Name");
    // Long names scroll sideways, and every column shows the same whole rows.
    RECT clsids{};
    GetClientRect(f().boxR(1).hwnd, &clsids);
    for (int i = 0; i < 4; ++i) {
        HWND column = f().boxR(i).hwnd;
        EXPECT_GE(SendMessageW(column, LB_GETHORIZONTALEXTENT, 0, 0), WidestItem(f().boxR(i))) << i;
        RECT client{};
        GetClientRect(column, &client);
        EXPECT_EQ(client.bottom % SendMessageW(column, LB_GETITEMHEIGHT, 0, 0), 0) << i;
        EXPECT_EQ(client.bottom, clsids.bottom) << i;
    }

    // Find steps through the matches of the chosen column, then reports the end.
    f().tFind.SetText(L"scripting.");
    f().OpFind(3).SetValue(true);
    f().bFind.Click();
    int first = f().boxR(0).ListIndex();
    ASSERT_GE(first, 0);
    EXPECT_EQ(f().boxR(1).ListIndex(), first);
    f().bFind.Click();
    EXPECT_GT(f().boxR(0).ListIndex(), first);
    f().tFind.SetText(L"no such class here");
    f().bFind.Click();
    EXPECT_EQ(answers.messages, std::vector<std::wstring>{L"\"no such class here\" not found."});

    int row = Row(L"Scripting.Dictionary");
    ASSERT_GE(row, 0);
    f().boxR(0).SetListIndex(row);
    EXPECT_EQ(f().boxR(2).Text(), L"scrrun.dll");
    f().mCopy.Click();
    EXPECT_EQ(forms::ClipboardGetText(), L"Scripting.Dictionary - ProgID: " + f().boxR(3).Text() + L" - " +
                                             f().boxR(1).Text() + L" - scrrun.dll");
    f().mCopyID.Click();
    EXPECT_EQ(forms::ClipboardGetText(), f().boxR(1).Text());

    // Sent to the auto-insert setup: its CLSID box, then from the members
    // panel library and class name in its ProgID box.
    f().mAddToAuto.Click();
    fAuto& setup = AutoSetupWindow();
    EXPECT_TRUE(setup.Visible());
    EXPECT_EQ(setup.tCLSID.Text(), f().boxR(1).Text());
    EXPECT_EQ(setup.tProgID.Text(), L"");
}

TEST_F(BrowserWindow, PropertiesOfTheScriptingRuntime)
{
    Answers answers;
    int row = Row(L"Scripting.FileSystemObject");
    ASSERT_GE(row, 0);
    f().boxR(1).SetListIndex(row);
    f().mProps.Click();
    ASSERT_TRUE(f().FrProps.Visible());
    FrFilProps& file = f().FilProps;
    EXPECT_NE(file.LabInfo(ModOrmund::FilePath).Caption().find(L"scrrun.dll "), std::wstring::npos);
    EXPECT_NE(file.LabInfo(ModOrmund::Version).Caption(), L" ");
    EXPECT_EQ(file.LabInfo(ModOrmund::ProgId).Caption(), L"Scripting.FileSystemObject ");
    EXPECT_NE(file.boxExp.FindItem(L"DllGetClassObject"), -1);
    EXPECT_NE(file.boxDep.FindItem(L"kernel32.dll"), -1);

    // The members panel: the class of the ProgID shown, coloured per line.
    FrTLBProps& members = f().TLBProps;
    EXPECT_EQ(members.Server(), L"Scripting");
    ASSERT_GT(members.ClsBoxJ.List.Count(), 3);
    EXPECT_EQ(members.ClsBoxJ.List.GetItemMin(members.ClsBoxJ.List.ListIndex()), L"FileSystemObject");
    std::wstring text = members.ClsT.GetTextRange(0, members.ClsT.LenText());
    long method = static_cast<long>(text.find(L"\rMethod ")) + 1;
    ASSERT_GT(method, 0);
    EXPECT_EQ(ColourAt(method), 0x0000DFu);
    EXPECT_EQ(ColourAt(method + 7), 0x400080u);
    EXPECT_TRUE(members.ClsT.ReadOnly());
    members.mAddToAuto2.Click();
    EXPECT_EQ(AutoSetupWindow().tProgID.Text(), L"Scripting.FileSystemObject");
    EXPECT_EQ(AutoSetupWindow().tCLSID.Text(), L"");

    // The class's name to the clipboard, its text to a library page.
    members.mCopyClsName.Click();
    EXPECT_EQ(forms::ClipboardGetText(), L"FileSystemObject");
    DeleteFileW(ModOmLib::PagePath(ModOmLib::LibFolder(), L"fso").c_str());
    Answers::Type(L"fso");
    members.mSaveClassLib.Click();
    std::wstring page;
    ASSERT_TRUE(ModOmLib::ReadPage(ModOmLib::LibFolder(), L"fso", page));
    EXPECT_EQ(page.substr(0, 31), L"Scripting.FileSystemObject\r\n\r\nF");

    f().bShow(1).Click();
    EXPECT_TRUE(file.Frame.Visible());
    EXPECT_FALSE(members.Frame.Visible());
    f().bCloseProp.Click();
    EXPECT_FALSE(f().FrProps.Visible());
    EXPECT_EQ(file.boxExp.ListCount(), 0);
    EXPECT_FALSE(State().ClassTextDic);
    EXPECT_TRUE(answers.messages.empty());
}

// A file dropped on the main window's button: its properties, no class fields.
TEST_F(BrowserWindow, PropertiesOfAnyFile)
{
    Answers answers;
    GetFileProps(L"C:\\windows\\system32\\scrrun.dll");
    ASSERT_TRUE(f().FrProps.Visible());
    FrFilProps& file = f().FilProps;
    EXPECT_EQ(file.LabInfo(ModOrmund::FilePath).Caption(), L"C:\\windows\\system32\\scrrun.dll ");
    EXPECT_EQ(file.LabInfo(ModOrmund::Clsid).Caption(), L"");
    EXPECT_EQ(file.CatBox.BackColor(), forms::vbButtonFace);
    EXPECT_NE(file.boxExp.FindItem(L"DllRegisterServer"), -1);
    EXPECT_NE(f().TLBProps.ClsBoxJ.List.Count(), 0);
    EXPECT_EQ(f().TLBProps.LabInfoPath.Caption(), L"C:\\windows\\system32\\scrrun.dll");
    f().bCloseProp.Click();
    EXPECT_TRUE(answers.messages.empty());
}

TEST_F(BrowserWindow, NothingSelected)
{
    Answers answers;
    for (int i = 0; i < 4; ++i)
        f().boxR(i).SetListIndex(-1);
    f().mProps.Click();
    f().mAddToAuto.Click();
    EXPECT_EQ(answers.messages, (std::vector<std::wstring>{L"Nothing selected.", L"No item selected."}));
    EXPECT_FALSE(f().FrProps.Visible());
}

} // namespace
