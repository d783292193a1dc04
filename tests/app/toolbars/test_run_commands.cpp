// The Run menu's command lines and the temporary script files' names.
#include <gtest/gtest.h>

#include "RunCommands.h"

using namespace RunCommands;

TEST(RunCommands, TheOptionsSplitAtTheFirstPlus)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* switches;
        const wchar_t* arguments;
    } cases[] = {
        {L" //nologo + one two ", L"//nologo", L"one two"},
        {L"one two", L"", L"one two"},
        {L"+", L"", L""},
        {L"a+b+c", L"a", L"b+c"},
        {L"", L"", L""},
    };
    for (const Case& c : cases) {
        Options o = SplitOptions(c.text);
        EXPECT_EQ(o.switches, c.switches) << c.text;
        EXPECT_EQ(o.arguments, c.arguments) << c.text;
    }
}

TEST(RunCommands, HostAndScriptAreQuotedSoBlanksNeitherSplitNorChooseAnotherProgram)
{
    const std::wstring host = L"C:\\Program Files\\Host\\wscript.exe";
    const std::wstring script = L"C:\\Temp\\TARNEL scripts\\wtemp-12.vbs";
    EXPECT_EQ(ScriptCommand(host, script, SplitOptions(L"//nologo + one two")),
              L"\"C:\\Program Files\\Host\\wscript.exe\" //nologo \"C:\\Temp\\TARNEL scripts\\wtemp-12.vbs\" one two");
    EXPECT_EQ(ScriptCommand(host, script, SplitOptions(L"+")),
              L"\"C:\\Program Files\\Host\\wscript.exe\" \"C:\\Temp\\TARNEL scripts\\wtemp-12.vbs\"");
    EXPECT_EQ(DebuggerCommand(host, script),
              L"\"C:\\Program Files\\Host\\wscript.exe\" //X \"C:\\Temp\\TARNEL scripts\\wtemp-12.vbs\"");
    EXPECT_EQ(ChosenHost(false, L"w.exe", L""), L"") << "CScript chosen and missing: no host";
}

TEST(RunCommands, ExternalItemsActByExtension)
{
    EXPECT_EQ(ExternalKindOf(L"a.ex"), ExternalKind::NotSet) << "4 characters";
    EXPECT_EQ(ExternalKindOf(L"C:\\a b\\tool.EXE"), ExternalKind::Program);
    EXPECT_EQ(ExternalKindOf(L"C:\\help.chm"), ExternalKind::HelpFile);
    EXPECT_EQ(ExternalKindOf(L"C:\\old.hlp"), ExternalKind::HelpFile);
    EXPECT_EQ(ExternalKindOf(L"C:\\notes.txt"), ExternalKind::Nothing);
}

TEST(RunCommands, EachProgramHasItsOwnScriptFileAndOnlyEndedRunsLeftovers)
{
    EXPECT_EQ(ScriptFolder(L"C:\\Temp\\"), L"C:\\Temp\\TARNEL scripts");
    EXPECT_EQ(ScriptFileName(42, false), L"wtemp-42.vbs");
    EXPECT_EQ(ScriptFileName(42, true), L"wtemp-42.js");
    EXPECT_EQ(ScriptFileProcess(L"WTEMP-42.VBS"), 42u);
    for (const wchar_t* other : {L"wtemp.vbs", L"wtemp-.js", L"wtemp-4x.vbs", L"wtemp-42.txt", L"notes-42.vbs",
                                 L"wtemp-99999999999.vbs"})
        EXPECT_EQ(ScriptFileProcess(other), 0u) << other;
    auto left = LeftoverScripts({L"wtemp-7.vbs", L"wtemp-8.js", L"readme.txt", L"wtemp-9.js"},
                                [](DWORD pid) { return pid == 8; });
    EXPECT_EQ(left, (std::vector<std::wstring>{L"wtemp-7.vbs", L"wtemp-9.js"}));
}

TEST(RunCommands, AScriptFileKeepsEveryCharacter)
{
    // What the code page holds is written in it, as the host reads by default.
    EXPECT_EQ(RunCommands::ScriptFileBytes(L"x = 1"), "x = 1");
    // Anything else goes as UTF-16 with its byte-order mark, never as "?".
    const std::wstring text = L"s = \"caf\u00e9 \u03a9 \u4e2d\"";
    const std::string bytes = RunCommands::ScriptFileBytes(text);
    ASSERT_EQ(bytes.size(), 2 + 2 * text.size());
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE", 2));
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), text.size()), text);
}
