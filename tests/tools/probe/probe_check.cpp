// probe check vbs FILE [autocorrect] [countifthen] [continued]
// probe check html FILE
// The findings of the VBScript or HTML format check on FILE, one line each
// (1-based line number or "-", a tab, the message), "OK" when there are
// none, then a line "text:" and the text after the check as the editor holds
// it. The VBScript check reads the program's Settings\tarnelo.ini; an HTML
// file with the extension ASP or ASPX is checked as an ASP page.
#include "Probe.h"

#include "ClsFile.h"
#include "platform/Text.h"
#include "debug/HTMLCheck.h"
#include "ModFileOps.h"
#include "debug/VBSLineCheck.h"

#include <cstdio>

namespace {

// Line breaks as the editor stores them: one CR for CR LF, LF or CR.
std::wstring EditorForm(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && i > 0 && text[i - 1] == L'\r')
            continue;
        out += text[i] == L'\n' ? L'\r' : text[i];
    }
    return out;
}

int Usage()
{
    fwprintf(stderr, L"usage: probe check vbs FILE [autocorrect] [countifthen] [continued]\n"
                     L"       probe check html FILE\n");
    return 2;
}

int CheckCommand(const std::vector<std::wstring>& args)
{
    if (args.size() < 2 || (args[0] != L"vbs" && args[0] != L"html"))
        return Usage();
    bool vbsCheck = args[0] == L"vbs";
    vbs::Options options;
    options.autoCorrect = false;
    for (size_t i = 2; i < args.size(); ++i) {
        if (vbsCheck && args[i] == L"autocorrect")
            options.autoCorrect = true;
        else if (vbsCheck && args[i] == L"countifthen")
            options.countIfThen = true;
        else if (vbsCheck && args[i] == L"continued")
            options.debugContinued = true;
        else
            return Usage();
    }
    if (!ModFileOps::FileExists(args[1])) {
        fwprintf(stderr, L"cannot read %ls\n", args[1].c_str());
        return 1;
    }
    std::wstring text = EditorForm(ModFileOps::ReadTextFile(args[1]));
    std::vector<debugcheck::Finding> findings;
    if (vbsCheck) {
        vbs::RunResult run =
            vbs::RunWholeText(text, options, vbs::ReadObjectList(probe::SettingsFolder() + L"\\tarnelo.ini"));
        findings = run.findings;
        text = run.text;
    } else {
        EditorType edType = ClsFile(std::vector<ExtEntry>{}).GetExtEdType(ModFileOps::GetExtension(args[1]));
        findings = html::RunHTMLCheck(text, edType == EditorType::ASP ? EditorType::ASP : EditorType::HTML);
    }
    std::wstring out;
    for (const auto& f : findings)
        out += (f.line > 0 ? std::to_wstring(f.line) : std::wstring(L"-")) + L"\t" + f.message + L"\n";
    if (findings.empty())
        out += L"OK\n";
    out += L"text:\n" + text;
    probe::WriteOut(platform::ToCodePage(out));
    return 0;
}

probe::Command reg(L"check", L"vbs FILE [autocorrect] [countifthen] [continued] | html FILE", CheckCommand);

} // namespace
