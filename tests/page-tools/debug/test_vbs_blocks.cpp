// The whole-text VBScript check: lines, the block-keyword pairs and the
// object-required check with a small object list.
#include <gtest/gtest.h>

#include "ModFileOps.h"
#include "WindowTest.h"
#include "debug/VBSLineCheck.h"


using debugcheck::Finding;

namespace {

vbs::ObjectList NoObjects()
{
    vbs::ObjectList list;
    list.exists = true;
    return list;
}

std::vector<Finding> Findings(const std::wstring& text, bool countIfThen = false)
{
    vbs::Options o;
    o.autoCorrect = false;
    o.countIfThen = countIfThen;
    return vbs::RunWholeText(text, o, NoObjects()).findings;
}

} // namespace

TEST(VBSWholeText, LinesAreNumberedAndCorrectedInPlace)
{
    vbs::Options o;
    vbs::RunResult r = vbs::RunWholeText(L"x=1\rIf a\ry=2", o, NoObjects());
    EXPECT_EQ(r.findings, (std::vector<Finding>{{2, L"If without Then"}}));
    EXPECT_EQ(r.text, L"x = 1\rIf a\ry = 2");
    ASSERT_EQ(r.edits.size(), 2u);
    EXPECT_EQ(r.edits[1].start, 11);  // after the first line grew
    // Nothing to correct: no edit at all.
    EXPECT_TRUE(vbs::RunWholeText(L"x = 1\rDim y", o, NoObjects()).edits.empty());
    // A line ends at its line break: the next line's first character is not its own.
    EXPECT_EQ(Findings(L"x = (a\r)"), (std::vector<Finding>{{1, L"Right parenthesis missing"}}));
    // Lines of two characters are skipped.
    EXPECT_TRUE(Findings(L"x=\r(").empty());
}

TEST(VBSWholeText, ContinuedLinesAreSkippedUnlessAsked)
{
    std::wstring text = L"x = Foo(a, _\r  b\rMsgBox(y";
    EXPECT_EQ(Findings(text), (std::vector<Finding>{{3, L"Right parenthesis missing"}}));
    vbs::Options o;
    o.autoCorrect = false;
    o.debugContinued = true;
    EXPECT_EQ(vbs::RunWholeText(text, o, NoObjects()).findings,
              (std::vector<Finding>{{1, L"Right parenthesis missing"}, {3, L"Right parenthesis missing"}}));
}

TEST(VBSWholeText, EachBlockPair)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* message;
    } cases[] = {
        {L"For i = 1 To 2", L"Missing \"Next\""},       {L"Next", L"Missing \"For\""},
        {L"Sub A()", L"Missing \"End Sub\""},           {L"End Sub", L"Missing \"Sub\""},
        {L"Do While a", L"Missing \"Loop\""},           {L"Loop", L"Missing \"Do\""},
        {L"Function F()", L"Missing \"End Function\""}, {L"End Function", L"Missing \"Function\""},
        {L"Property Get P", L"Missing \"End Property\""}, {L"End Property", L"Missing \"Property\""},
        {L"Class C", L"Missing \"End Class\""},         {L"End Class", L"Missing \"Class\""},
    };
    for (const auto& c : cases)
        for (bool countIfThen : {false, true})
            EXPECT_EQ(Findings(c.text, countIfThen), (std::vector<Finding>{{-1, c.message}})) << c.text;
    EXPECT_TRUE(Findings(L"If a Then").empty());
    EXPECT_EQ(Findings(L"If a Then", true), (std::vector<Finding>{{-1, L"Missing \"End If\""}}));
    EXPECT_EQ(Findings(L"End If", true), (std::vector<Finding>{{-1, L"Missing \"If\""}}));
}

TEST(VBSWholeText, BalancedBlocksToTheLastCharacterPass)
{
    // The text ends right after the last closing keyword, without a line break.
    std::wstring text =
        L"Class C\r Private Sub Class_Initialize()\r End Sub\r Property Get P\r  If a Then\r   Exit Property\r"
        L"  End If\r End Property\rEnd Class\rFunction F()\r Do\r  Exit Do\r Loop\r For i = 1 To 2\r"
        L"  On Error Resume Next\r  Exit For\r Next\r Exit Function\rEnd Function\rSub S()\r Exit Sub\rEnd Sub";
    EXPECT_TRUE(Findings(text, true).empty());
    // Keywords in strings and comments do not count.
    EXPECT_TRUE(Findings(L"x = \"For Sub Do\" ' Function Class\rREM If Loop", true).empty());
}

class ObjectCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = wt::ScratchFolder(L"debug_objects") + L"\\tarnelo.ini";
        ModFileOps::WriteTextFile(path, L"[Wscript]\r\nEcho=1\r\nCreateObject=0\r\n[TextStream]\r\nReadLine=1\r\n"
                                        L"[Scripting.FileSystemObject]\r\nOpenTextFile=1\r\n");
        objects = vbs::ReadObjectList(path);
    }
    vbs::RunResult Check(const std::wstring& text, bool wholeWord = true)
    {
        vbs::Options o;
        o.autoCorrect = false;
        o.wholeWord = wholeWord;
        return vbs::RunWholeText(text, o, objects);
    }
    std::wstring path;
    vbs::ObjectList objects;
};

TEST_F(ObjectCheck, TheListIsReadAsWritten)
{
    ASSERT_TRUE(objects.exists);
    ASSERT_EQ(objects.sections.size(), 3u);
    EXPECT_EQ(objects.sections[0].name, L"Wscript");
    EXPECT_EQ(objects.sections[0].members, std::vector<std::wstring>{L"Echo"});
    EXPECT_EQ(Check(L"x = 1").findings, std::vector<Finding>{});
    vbs::ObjectList missing = vbs::ReadObjectList(path + L".absent");
    EXPECT_EQ(vbs::RunWholeText(L"x = 1", vbs::Options(), missing).findings,
              (std::vector<Finding>{{-1, L"tarnelo.ini file missing"}}));
}

TEST_F(ObjectCheck, MembersWithoutTheirObject)
{
    vbs::RunResult r = Check(L"Echo 1\rWScript.Echo 2\rs = f.ReadLine\rReadLine");
    EXPECT_EQ(r.findings, (std::vector<Finding>{{1, L"Object required (Wscript) - Echo"},
                                                {4, L"Object required (TextStream) - ReadLine"}}));
    // A created object's members need its variable; never created, not checked.
    std::wstring fso = L"Set fs = CreateObject(\"Scripting.FileSystemObject\")\rfs.OpenTextFile p\rOpenTextFile p";
    EXPECT_EQ(Check(fso).findings,
              (std::vector<Finding>{{3, L"Object required (Scripting.FileSystemObject) - OpenTextFile"}}));
    EXPECT_TRUE(Check(L"OpenTextFile p").findings.empty());
}

TEST_F(ObjectCheck, SpellingFollowsTheListOnlyForCodeWords)
{
    vbs::RunResult r = Check(L"wscript.echo 1\rMsgBox \"echo\" ' echo\rx.echoes = 1");
    EXPECT_TRUE(r.findings.empty());
    EXPECT_EQ(r.text, L"wscript.Echo 1\rMsgBox \"echo\" ' echo\rx.echoes = 1");
    ASSERT_EQ(r.edits.size(), 1u);
    // Found anywhere, a member inside a longer word is reported but keeps its spelling.
    r = Check(L"echoes = 1", false);
    EXPECT_EQ(r.findings, (std::vector<Finding>{{1, L"Object required (Wscript) - Echo"}}));
    EXPECT_EQ(r.text, L"echoes = 1");
}
