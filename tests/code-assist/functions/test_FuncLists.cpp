// The function popup's tables over documents and linked files on disk.
#include "ModFileOps.h"
#include "WindowTest.h"
#include "functions/FuncLists.h"
#include "functions/LinkMarkers.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::wstring>;

class FuncListsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = wt::ScratchFolder(L"funclists");
        CreateDirectoryW((folder_ + L"\\one").c_str(), nullptr);
        CreateDirectoryW((folder_ + L"\\two").c_str(), nullptr);
        one_ = folder_ + L"\\one\\util.vbs";
        two_ = folder_ + L"\\two\\util.vbs";
        ASSERT_TRUE(ModFileOps::WriteTextFile(one_, L"Sub Shared(x)\r\nFunction OneOnly(a, b)\r\n"));
        ASSERT_TRUE(ModFileOps::WriteTextFile(two_, L"Sub TwoOnly(c)\r\n"));
    }

    std::wstring Doc(EditorType type, const std::wstring& body) const
    {
        return LinkMarkerLine(type, one_) + body;
    }

    std::wstring folder_, one_, two_;
};

TEST_F(FuncListsTest, BuildTakesDocumentThenLinkedFiles)
{
    FuncLists lists;
    lists.Build(EditorType::VBScript,
                Doc(EditorType::VBScript, L"Sub Shared(mine)\r\nSub Twice(a)\r\nSub Twice(b, c)\r\n"));
    EXPECT_EQ(lists.Signature(L"shared"), L"Shared(mine)");
    EXPECT_EQ(lists.Signature(L"twice"), L"Twice(a)");
    EXPECT_EQ(lists.Signature(L"OneOnly"), L"OneOnly(a, b)");
    EXPECT_EQ(lists.ProcedureNames(), (Names{L"Shared", L"Twice"}));
    EXPECT_EQ(lists.LinkedPaths(), (Names{one_}));

    // An edited second declaration replaces the first and moves to the end.
    EXPECT_TRUE(lists.AddDecl(L"Sub Twice(b, c)"));
    EXPECT_EQ(lists.Signature(L"Twice"), L"Twice(b, c)");
    EXPECT_EQ(lists.ProcedureNames(), (Names{L"Shared", L"Twice"}));
    EXPECT_TRUE(lists.AddDecl(L"Sub Shared (x, y)"));
    EXPECT_EQ(lists.ProcedureNames(), (Names{L"Twice", L"Shared"}));
    // A declaration in a comment or a string records nothing.
    EXPECT_FALSE(lists.AddDecl(L"x = 1 ' Sub Ghost(a)"));
    EXPECT_FALSE(lists.AddDecl(L"s = \"Function Ghost(a)\""));
    EXPECT_EQ(lists.Signature(L"Ghost"), L"");
}

TEST_F(FuncListsTest, ShortAndScriptDocumentsKeepNoProcedures)
{
    FuncLists lists;
    lists.Build(EditorType::VBScript, L"Sub A(x)");   // under 20 characters
    EXPECT_TRUE(lists.ProcedureNames().empty());
    lists.Build(EditorType::VBScript, Doc(EditorType::VBScript, L""));
    EXPECT_EQ(lists.Signature(L"Shared"), L"Shared(x)");   // its markers still count
    for (EditorType type : {EditorType::CSS, EditorType::JavaScript}) {
        lists.Build(type, Doc(type, L"function f(a) {}\r\nfunction g(b) {}\r\n"));
        EXPECT_TRUE(lists.Signatures().empty());
        EXPECT_TRUE(lists.LinkedPaths().empty());
    }
}

TEST_F(FuncListsTest, SameNamedFilesAreTwoLinks)
{
    FuncLists lists;
    lists.Build(EditorType::HTML, L"<html><script>\r\nSub Page(a)\r\n</script>");
    lists.AddLink(one_);
    lists.AddLink(two_);
    lists.AddLink(one_);
    EXPECT_EQ(lists.LinkedPaths(), (Names{one_, two_}));
    EXPECT_TRUE(lists.RemoveLink(one_));
    EXPECT_EQ(lists.LinkedPaths(), (Names{two_}));
    EXPECT_EQ(lists.Signature(L"OneOnly"), L"");
    EXPECT_EQ(lists.Signature(L"TwoOnly"), L"TwoOnly(c)");
    EXPECT_EQ(lists.Signature(L"Page"), L"Page(a)");
    EXPECT_FALSE(lists.RemoveLink(one_));
}

} // namespace
