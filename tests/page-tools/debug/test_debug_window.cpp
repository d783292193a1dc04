// The format checks on a real editor: the report window's rows, going to a
// line, Rerun and Close, and the live line check while typing.
#include "../../editor-core/glue/GlueFixture.h"

#include "debug/ModVBSDebug.h"
#include "debug/fDebug.h"
#include "debug/modHTML.h"
#include "platform/Files.h"
#include "platform/Module.h"

class DebugWindowTest : public GlueTest {
protected:
    void SetUp() override
    {
        GlueTest::SetUp();
        State().EdType = EditorType::VBScript;
        // The checks read the Settings folder beside the running program.
        settings = platform::ProgramFolder() + L"\\Settings";
        CreateDirectoryW(settings.c_str(), nullptr);
        platform::WriteFileSafely(settings + L"\\tarnelo.ini", std::string("[Wscript]\r\nEcho=1\r\n"));
        host.info = [this](const std::wstring& text) { info.push_back(text); };
        gutter = CreateWindowExW(0, L"EDIT", L"1\r\n2\r\n3\r\n4\r\n5", WS_CHILD | ES_MULTILINE, 0, 0, 40, 80,
                                 form.hwnd, nullptr, nullptr, nullptr);
        host.gutter = gutter;
        host.lineCol = [this](const std::wstring& l, const std::wstring& c) { lineCol = l + L"," + c; };
        host.checkLine = CheckVBSLine;
    }
    void TearDown() override
    {
        UnloadReportWindow();
        LineDebug() = LineDebugState();
        DestroyWindow(gutter);
        GlueTest::TearDown();
    }
    std::vector<std::wstring> Rows(int index)
    {
        std::vector<std::wstring> rows;
        for (int i = 0; i < ReportWindow().BoxBug(index).ListCount(); ++i)
            rows.push_back(ReportWindow().BoxBug(index).List(i));
        return rows;
    }
    DWORD GutterSelection()
    {
        DWORD a = 0, b = 0;
        SendMessageW(gutter, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
        return MAKELONG(a, b);
    }
    std::wstring settings;
    std::vector<std::wstring> info;
    std::wstring lineCol;
    HWND gutter = nullptr;
};

TEST_F(DebugWindowTest, VBSReportRowsGoingToALineAndClose)
{
    Load(L"x=1\rIf a\rDim y\rFor i = 1 To 2");
    BeginFormatCheck(EditorType::VBScript);
    EXPECT_TRUE(Settings().NoLineDebug);
    RunVBSDebug();
    EXPECT_EQ(Text(), L"x = 1\rIf a\rDim y\rFor i = 1 To 2");
    EXPECT_TRUE(form.JT1.CanUndo());
    fDebug& report = ReportWindow();
    EXPECT_EQ(Rows(0), (std::vector<std::wstring>{L"2", L"-"}));
    EXPECT_EQ(Rows(1), (std::vector<std::wstring>{L"If without Then", L"Missing \"Next\""}));
    EXPECT_TRUE(report.Visible());
    EXPECT_EQ(report.Caption(), L"Format Debugging Report - VBS");

    report.BoxBug(1).SetListIndex(0);
    EXPECT_EQ(report.BoxBug(0).ListIndex(), 0);
    EXPECT_EQ(Caret(), 6);
    EXPECT_EQ(lineCol, L"2,1") << "the caret at the line's start, in its first column";
    long g = static_cast<long>(SendMessageW(gutter, EM_LINEINDEX, 1, 0));
    EXPECT_EQ(GutterSelection(), static_cast<DWORD>(MAKELONG(g, g + 3)));
    // A finding without a line moves nothing.
    SetCaret(3);
    report.BoxBug(0).SetListIndex(1);
    EXPECT_EQ(report.BoxBug(1).ListIndex(), 1);
    EXPECT_EQ(Caret(), 3);

    // The close box hides the window as Close does.
    SendMessageW(report.hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(report.Loaded());
    EXPECT_FALSE(report.Visible());
    EXPECT_FALSE(Settings().NoLineDebug);
    EXPECT_EQ(Caret(), 0);
}

TEST_F(DebugWindowTest, CleanTextGivesOKAndStaysUnchanged)
{
    Load(L"x = 1\rDim y");
    BeginFormatCheck(EditorType::VBScript);
    RunVBSDebug();
    EXPECT_EQ(info, std::vector<std::wstring>{L"OK"});
    EXPECT_FALSE(ReportWindow().Visible());
    EXPECT_FALSE(State().DocChanged);
    EXPECT_FALSE(form.JT1.CanUndo());
    EXPECT_FALSE(Settings().NoLineDebug);
}

TEST_F(DebugWindowTest, RerunWithTheFaultFixed)
{
    Settings().NoLineDebug = true;  // the user's choice
    host.runDebug = [] {
        BeginFormatCheck(EditorType::VBScript);
        RunVBSDebug();
    };
    Load(L"If a");
    host.mRunDebug_Click();
    ASSERT_TRUE(ReportWindow().Visible());
    Load(L"If a Then\rEnd If");
    ReportWindow().bRerun_Click();
    EXPECT_FALSE(ReportWindow().Visible());
    EXPECT_EQ(info.back(), L"OK");
    EXPECT_TRUE(Settings().NoLineDebug);
    // A second run while the report is open keeps the user's choice too.
    Settings().NoLineDebug = false;
    Load(L"If a");
    host.mRunDebug_Click();
    host.mRunDebug_Click();
    ReportWindow().bclose_Click();
    EXPECT_FALSE(Settings().NoLineDebug);
}

TEST_F(DebugWindowTest, HTMLReportLeavesLineDebuggingAsTheUserHadIt)
{
    State().EdType = EditorType::HTML;
    Settings().NoLineDebug = true;
    LineDebug().RerunPending = true;
    BeginFormatCheck(EditorType::HTML);
    EXPECT_FALSE(LineDebug().RerunPending);
    Load(L"<p>a</p>\r<b>x<b>y</b>\r<td >");
    RunHTMLDebug();
    EXPECT_EQ(Rows(0), (std::vector<std::wstring>{L"3", L"2"}));
    EXPECT_EQ(Rows(1), (std::vector<std::wstring>{L"Space at end of tag.", L"Missing </B> tag."}));
    EXPECT_EQ(ReportWindow().Caption(), L"Format Debugging Report - HTML");
    ReportWindow().bclose_Click();
    EXPECT_TRUE(Settings().NoLineDebug);
}

TEST_F(DebugWindowTest, HTMLCheckEndsWithThePageColouredAfresh)
{
    State().EdType = EditorType::HTML;
    State().ColorCodeOn = true;
    Load(L"<p>a</p>\r<b>x");
    COLORREF plain = ColourAt(1);
    RunHTMLDebug();
    EXPECT_NE(ColourAt(1), plain);
    EXPECT_FALSE(State().DocChanged);
    ReportWindow().bclose_Click();
}

TEST_F(DebugWindowTest, TheListsScrollTogether)
{
    fDebug& report = ReportWindow();
    ASSERT_TRUE(report.Load());
    for (long i = 1; i <= 60; ++i)
        report.AddReportLine(L"finding", i);
    SendMessageW(report.BoxBug(1).hwnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(report.BoxBug(1).TopIndex(), 0);
    EXPECT_EQ(report.BoxBug(0).TopIndex(), report.BoxBug(1).TopIndex());
}

TEST_F(DebugWindowTest, LiveLineCheckMarksTheLineAndCorrectsSpacing)
{
    State().LineDebugOn = true;
    Settings().ColorDebug = RGB(255, 0, 0);
    // A line in order is left as it was: no undo step.
    Load(L"x = 1\rDim y");
    Down();
    EXPECT_FALSE(form.JT1.CanUndo());
    Load(L"");
    Type(L"x = a <b");
    Enter();
    EXPECT_EQ(info.back(), L"Wrong syntax at < or > - Line 1");
    EXPECT_EQ(ColourAt(0), RGB(255, 0, 0));
    Type(L"y=2");
    Enter();
    EXPECT_EQ(Text(), L"x = a <b\ry = 2\r");
    EXPECT_EQ(Caret(), 15);
    // A reported line is not corrected, so the caret keeps its place.
    Load(L"x=a <b\rDim y");
    Down();
    EXPECT_EQ(Text(), L"x=a <b\rDim y");
    EXPECT_EQ(Caret(), 7);
}

TEST_F(DebugWindowTest, TagDescriptions)
{
    std::wstring file = settings + L"\\tarnelh.ini";
    DeleteFileW(file.c_str());
    LoadHTMLTags();
    EXPECT_FALSE(TagsLoaded());
    platform::WriteFileSafely(file, std::string("[tags]\r\nb=Bold text\r\nB=Second\r\n=none\r\n"));
    LoadHTMLTags();
    EXPECT_TRUE(TagsLoaded());
    EXPECT_EQ(TagDescriptions().Count(), 1);
    EXPECT_EQ(TagDescriptions().Item(L"B"), L"Bold text");
}
