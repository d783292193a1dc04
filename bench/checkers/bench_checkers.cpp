// Times the VBScript and HTML format checks on texts of about 100 KB and
// 1 MB made by repeating a short unit, and checks that the long text gives
// the unit's findings, once per copy at the copy's lines, and the unit's
// corrected text once per copy. Usage: bench_checkers [kilobytes ...]
#include "bench/BenchTools.h"
#include "debug/HTMLCheck.h"
#include "debug/VBSLineCheck.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Outcome {
    std::vector<debugcheck::Finding> findings;
    std::wstring text;  // the text after the check
};

using Check = std::function<Outcome(const std::wstring&)>;

struct Case {
    const char* name;
    std::wstring unit;  // lines joined by CR, without a final CR
    Check check;
};

Check Vbs(bool autoCorrect)
{
    return [autoCorrect](const std::wstring& text) {
        vbs::Options options;
        options.autoCorrect = autoCorrect;
        vbs::ObjectList objects;
        objects.exists = true;
        objects.sections = {{L"Wscript", {L"Echo", L"Quit"}}, {L"TextStream", {L"WriteLine"}}};
        vbs::RunResult run = vbs::RunWholeText(text, options, objects);
        return Outcome{run.findings, run.text};
    };
}

Check Html(EditorType type)
{
    return [type](const std::wstring& text) { return Outcome{html::RunHTMLCheck(text, type), text}; };
}

std::wstring Lines(std::initializer_list<const wchar_t*> lines)
{
    std::wstring out;
    for (const wchar_t* l : lines)
        out += (out.empty() ? L"" : L"\r") + std::wstring(l);
    return out;
}

std::wstring Repeat(const std::wstring& unit, size_t copies)
{
    std::wstring out;
    out.reserve((unit.size() + 1) * copies);
    for (size_t i = 0; i < copies; ++i)
        out += (i ? L"\r" : L"") + unit;
    return out;
}

// The unit's findings as a text of copies would give them.
std::vector<debugcheck::Finding> Expected(const std::vector<debugcheck::Finding>& unit, long unitLines, size_t copies)
{
    std::vector<debugcheck::Finding> out;
    for (size_t i = 0; i < copies; ++i)
        for (const debugcheck::Finding& f : unit)
            if (f.line > 0)
                out.push_back({f.line + static_cast<long>(i) * unitLines, f.message});
    for (const debugcheck::Finding& f : unit)
        if (f.line <= 0 && copies > 0)
            out.push_back(f);
    return out;
}

// A digest of the findings and the text, to compare runs of two builds.
unsigned Digest(const Outcome& o)
{
    unsigned h = 2166136261u;
    auto add = [&h](wchar_t c) { h = (h ^ static_cast<unsigned>(c)) * 16777619u; };
    for (const debugcheck::Finding& f : o.findings) {
        for (wchar_t c : std::to_wstring(f.line) + f.message)
            add(c);
        add(L'\n');
    }
    for (wchar_t c : o.text)
        add(c);
    return h;
}

// Findings at a line first, in line order per kind of check; the comparison
// only needs the same set in a fixed order.
std::vector<debugcheck::Finding> Sorted(std::vector<debugcheck::Finding> f)
{
    std::stable_sort(f.begin(), f.end(), [](const debugcheck::Finding& a, const debugcheck::Finding& b) {
        long la = a.line > 0 ? a.line : 1L << 30, lb = b.line > 0 ? b.line : 1L << 30;
        return la != lb ? la < lb : a.message < b.message;
    });
    return f;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::vector<size_t> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(static_cast<size_t>(_wtoi(argv[i])) * 1024);
    if (sizes.empty())
        sizes = {100 * 1024, 1024 * 1024};

    const Case cases[] = {
        {"vbs clean, auto-correction on",
         Lines({L"Sub Show(a, b)", L"  If a > b Then", L"    x = a & \"text\" ' note", L"  End If",
                L"  For i = 1 To 3", L"    y = y + i", L"  Next", L"End Sub"}),
         Vbs(true)},
        {"vbs spacing corrected", Lines({L"x=a&b+c", L"Foo a ,b", L"Do While x<>1", L"Loop"}), Vbs(true)},
        {"vbs Echo lines (object check)", Lines({L"Echo n", L"WScript.Echo n", L"echo \"Echo\" ' Echo"}), Vbs(false)},
        {"html <b>x per line (unclosed)", Lines({L"<b>x"}), Html(EditorType::HTML)},
        {"html a < b <p> per line", Lines({L"a < b <p>"}), Html(EditorType::HTML)},
        // The block tests look at nothing before position 32: the unit's
        // first line makes every copy alike.
        {"asp a < b <p> in server code",
         Lines({L"<p>The first paragraph of the page.</p>", L"<% If a < b Then %>", L"<p>a < b <p>", L"<% End If %>", L"<div>"}), Html(EditorType::ASP)},
        {"html page with VBScript blocks", Lines({L"<SCRIPT language=vbscript>", L"  If a < b Then c = 1",
                                                  L"</SCRIPT>", L"<p class=\"c\" >x</p>", L"<table><tr><td>a</td>"}),
         Html(EditorType::HTML)},
        {"vbs code 1 in a line", Lines({std::wstring(L"x\x01y").c_str(), L"z = 1"}), Vbs(false)},
    };

    std::printf("%-34s %6s %8s %9s %8s %s\n", "check", "KB", "seconds", "findings", "digest", "as the unit's");
    for (const Case& c : cases) {
        Outcome unit = c.check(c.unit);
        long unitLines = static_cast<long>(std::count(c.unit.begin(), c.unit.end(), L'\r')) + 1;
        for (size_t size : sizes) {
            size_t copies = size / (c.unit.size() + 1) + 1;
            std::wstring text = Repeat(c.unit, copies);
            double t0 = bench::Now();
            Outcome big = c.check(text);
            double seconds = (bench::Now() - t0) / 1000.0;
            bool same = Sorted(big.findings) == Sorted(Expected(unit.findings, unitLines, copies)) &&
                        big.text == Repeat(unit.text, copies);
            std::printf("%-34s %6zu %8.3f %9zu %08x %s\n", c.name, text.size() / 1024, seconds,
                        big.findings.size(), Digest(big), same ? "yes" : "NO");
            std::fflush(stdout);
        }
    }
    return 0;
}
