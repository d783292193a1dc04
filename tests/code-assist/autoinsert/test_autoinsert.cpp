#include "ClsDic.h"
#include "WindowTest.h"
#include "autoinsert/AutoInsertLists.h"
#include "autoinsert/PopupPlacement.h"
#include "cTypeDic.h"
#include "platform/Files.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

namespace {

using namespace AutoInsertLists;

class Listed : public ObjectListBox {
public:
    void Clear() override { items.clear(); }
    void Add(const std::wstring& name, bool ticked) override { items.push_back((ticked ? L"+" : L"-") + name); }
    std::vector<std::wstring> items;
};

std::wstring WriteIni(const std::wstring& name, const std::wstring& text)
{
    std::wstring path = wt::ScratchFolder(L"autoinsert") + L"\\" + name;
    platform::WriteFileSafely(path, platform::ToCodePage(text));
    return path;
}

std::vector<std::wstring> MembersOf(const cTypeDic& dic, const std::wstring& var)
{
    std::vector<std::wstring> names, texts;
    dic.GetObjectTypeList(var, names, texts);
    return names;
}

TEST(AutoInsertRules, CountParamsAndKinds)
{
    const struct {
        const wchar_t* text;
        short params;
        long kind;
    } cases[] = {
        {L"MsgBox", -2, 0},
        {L"Now()", 1, 0},
        {L"Mid(string, start, length)", 3, 0},
        {L"a, b(c, d)", 2, 0},  // commas before the "(" do not count
        {L"Open(Path) - Method - Opens a file", 1, -2},
        {L"Item - Property - ", -2, -1},
        {L"Changed(what) - Event - Raised", 1, -3},
        {L"Count", -2, 0},
        {L"Sub-Total(x) - Method - ", 1, 0},  // a "-" in the signature spoils the kind
        {L"Item -    Property", -2, 0},       // five characters after the "-" is too far
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CountParams(c.text), c.params) << c.text;
        EXPECT_EQ(MemberKind(c.text), c.kind) << c.text;
    }
    EXPECT_EQ(MemberSignature(L"Open(Path) - Method - x"), L"Open(Path)");
    EXPECT_EQ(MemberSignature(L"Count - Property - (a)"), L"");
}

TEST(AutoInsertRules, StringsAndComments)
{
    const struct {
        const wchar_t* line;
        bool js, inside;
    } cases[] = {
        {L"  fs", false, false},
        {L"x = \"a.b\" & fs", false, false},
        {L"x = \"fs", false, true},
        {L"x = 1 ' fs", false, true},
        {L"x = \"it's\" + fs", false, false},
        {L"  Rem fs", false, true},
        {L"Remove = fs", false, false},
        {L"var s = 'fs", true, true},
        {L"x = a; // fs", true, true},
        {L"x = 'a' + fs", true, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InStringOrComment(c.line, c.js), c.inside) << c.line;
}

TEST(AutoInsertLists, LoadsTickedObjectsWithVariables)
{
    std::wstring path = WriteIni(L"list.ini",
                                 L"[Lib.One]\r\nLoad*Startup=yes\r\nvar*1=a\r\nvar*2=x\r\nItem=Item - Property - \r\n"
                                 L"ITEM=ITEM - Method - \r\nOdd*Key=skipped\r\n"
                                 L"[Lib.NoVars]\r\nLoad*Startup=yes\r\nOpen=Open(P) - Method - \r\n"
                                 L"[Cap]\r\nLoad*Startup=Yes\r\nvar*1=c\r\nGo=Go - Method - \r\n"
                                 L"[My Obj]\r\nLoad*Startup=yes\r\nvar*1=m\r\nvar*2=x\r\nA=A - Method - \r\n"
                                 L"[MyObj]\r\nLoad*Startup=yes\r\nvar*1=n\r\nB=B - Method - \r\n");
    cTypeDic dic;
    Listed box;
    box.items = {L"stale"};
    EXPECT_EQ(LoadObjectList(dic, path, box), 0);
    EXPECT_EQ(box.items, (std::vector<std::wstring>{L"+Lib.One", L"+Lib.NoVars", L"-Cap", L"+My Obj", L"+MyObj"}));
    EXPECT_EQ(MembersOf(dic, L"A"), (std::vector<std::wstring>{L"Item"}));
    // x stays with the first section that binds it; MyObj is My Obj again.
    EXPECT_EQ(MembersOf(dic, L"x"), (std::vector<std::wstring>{L"Item"}));
    EXPECT_EQ(MembersOf(dic, L"m"), (std::vector<std::wstring>{L"A"}));
    EXPECT_FALSE(dic.CheckVarList(L"n"));
    EXPECT_FALSE(dic.CheckVarList(L"c"));
}

TEST(AutoInsertLists, MissingAndEmptyFiles)
{
    std::wstring path = wt::ScratchFolder(L"autoinsert") + L"\\missing.ini";
    DeleteFileW(path.c_str());
    cTypeDic dic;
    Listed box;
    box.items = {L"kept"};
    EXPECT_EQ(LoadObjectList(dic, path, box), -2);
    EXPECT_TRUE(platform::FileExists(path));
    EXPECT_EQ(LoadObjectList(dic, path, box), -3);
    EXPECT_EQ(box.items, std::vector<std::wstring>{L"kept"});
}

TEST(AutoInsertLists, LongSectionListIsReadWhole)
{
    // Well past 2,047 characters of names: a cut list would lose the last
    // objects and list a cut name.
    std::wstring text;
    for (int i = 0; i < 120; ++i)
        text += L"[Library" + std::to_wstring(1000 + i) + L".SomeRatherLongClassName]\r\nLoad*Startup=no\r\n";
    text += L"[Last.Object]\r\nLoad*Startup=yes\r\nvar*1=last\r\nGo=Go - Method - \r\n";
    cTypeDic dic;
    Listed box;
    EXPECT_EQ(LoadObjectList(dic, WriteIni(L"long.ini", text), box), 0);
    ASSERT_EQ(box.items.size(), 121u);
    EXPECT_EQ(box.items[119], L"-Library1119.SomeRatherLongClassName");
    EXPECT_EQ(box.items[120], L"+Last.Object");
    EXPECT_TRUE(dic.CheckVarList(L"last"));
}

TEST(AutoInsertLists, VarList)
{
    auto list = ReadVarList(WriteIni(L"v.ini", L"[vbs]\r\n=Nameless()\r\nmsgbox=MsgBox(prompt)\r\nMSGBOX=Other()\r\n"));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->Count(), 1);
    EXPECT_EQ(list->Item(L"MsgBox"), L"MsgBox(prompt)");
    EXPECT_FALSE(ReadVarList(WriteIni(L"e.ini", L"[other]\r\na=b\r\n")));
}

TEST(AutoInsertLists, ShippedLists)
{
    const std::wstring settings = wt::ProgramFolder() + L"\\Settings\\";
    cTypeDic dic;
    Listed box;
    ASSERT_EQ(LoadObjectList(dic, settings + L"tarnelt.ini", box), 0);
    for (const wchar_t* var : {L"fs", L"dic", L"ts"}) {
        std::vector<std::wstring> names, texts;
        ASSERT_TRUE(dic.GetObjectTypeList(var, names, texts)) << var;
        for (const std::wstring& t : texts)
            EXPECT_NE(MemberKind(t), 0) << t;
    }
    auto vbs = ReadVarList(settings + L"tarnelv.ini");
    ASSERT_TRUE(vbs);
    EXPECT_EQ(CountParams(vbs->Item(L"msgbox")), 5);
    EXPECT_EQ(vbs->Item(L"instr").substr(0, 6), L"InStr(");
}

TEST(PopupPlacement, ListBesideTheCaret)
{
    const PopupRect editor{100, 200, 8000, 5000}, list{0, 0, 3600, 1800};
    const struct {
        bool caret;
        long x, y;
        short flag;
        long left, top;
    } cases[] = {
        {true, 1000, 1000, 1, 1240, 1300},
        {true, 5000, 1000, -1, 5240 - 3880, 1300},  // would stick out on the right
        {true, 1000, 3500, 1, 1240, 3800 - 2100},   // would stick out at the bottom
        {false, 0, 0, 0, 4100, 200},
    };
    for (const auto& c : cases) {
        short flag = 9;
        PopupPoint p = PopupPlacement::GetPopupPosition(editor, list, c.caret, c.x, c.y, flag);
        EXPECT_EQ(flag, c.flag);
        EXPECT_EQ(p.X, c.left);
        EXPECT_EQ(p.Y, c.top);
    }
    short flag;
    // Half twips go to the even neighbour.
    EXPECT_EQ(PopupPlacement::GetPopupPosition({0, 0, 8001, 10}, list, false, 0, 0, flag).X, 4000);
    EXPECT_EQ(PopupPlacement::GetPopupPosition({1, 0, 8001, 10}, list, false, 0, 0, flag).X, 4002);
}

TEST(PopupPlacement, TipAboveTheCaret)
{
    const PopupRect editor{100, 400, 8000, 5000};
    EXPECT_EQ(PopupPlacement::TipPosition(editor, true, 1000, 1000, 2000).X, 1050);
    EXPECT_EQ(PopupPlacement::TipPosition(editor, true, 1000, 1000, 2000).Y, 1085);
    EXPECT_EQ(PopupPlacement::TipPosition(editor, true, 7000, 1000, 2000).X, 8100 - 2000);
    EXPECT_EQ(PopupPlacement::TipPosition(editor, true, 0, 1000, 2000).X, 100);
    EXPECT_EQ(PopupPlacement::TipPosition(editor, true, 1000, 0, 2000).Y, 85 + 700);
    EXPECT_EQ(PopupPlacement::TipPosition(editor, false, 0, 0, 2000).Y, 400);
}

} // namespace
