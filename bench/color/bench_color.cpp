// Colouring speed per editor type on generated pages of 100 KB, 1 MB and
// 4 MB, and on single lines of declarations of those sizes, with the shipped
// keyword lists. Prints MB/s and the 4 MB / 1 MB time
// ratio (linear time gives about 4).
#include "ClsColor.h"
#include "bench/BenchTools.h"
#include "color/KeywordLists.h"
#include "platform/Module.h"
#include "platform/Paths.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring SettingsFolder() { return bench::BinFolder() + L"\\Settings"; }

const wchar_t* kPage =
    L"<div class=\"item\" id=\"row~\"><a href=\"page~.asp?id=<%=id%>\" title=\"Item ~ \u00e9\">Item ~</a>\r\n"
    L"<!-- row ~ of the listing: {price} and C:\\data -->\r\n"
    L"<table border=\"0\" cellpadding=\"2\"><tr><td width=\"50%\"><b>Price</b></td><td>12.50 \u20ac</td></tr></table>\r\n"
    L"<img src=\"images/p~.gif\" width=\"120\" height=\"80\" alt=\"\" /><br/>\r\n"
    L"<p>Plain text of the page, with several words and some <em>emphasis</em> &amp; entities.</p>\r\n"
    L"<script language=\"javascript\">\r\nvar count = 0; function show~(a, b) { if (a > b) { count++; }\r\n"
    L"  document.getElementById(\"row~\").innerHTML = 'n=' + count + \"\\n\"; } // refresh\r\n</script>\r\n"
    L"<style>\r\n#row~ { color: red; font-size: 12px; margin: 0 auto; } /* row style */\r\n</style>\r\n"
    L"<% Dim total: total = Request(\"q\") & \"x\" ' server code\r\nIf total > 0 Then Response.Write total %>\r\n"
    L"</div>\r\n";

const wchar_t* kAsp =
    L"<%\r\nDim rs, sql, n\r\nSet rs = Server.CreateObject(\"ADODB.Recordset\")\r\n"
    L"sql = \"SELECT * FROM items WHERE id = \" & CInt(Request(\"id\")) ' the item\r\n"
    L"If Not rs.EOF Then\r\n  n = rs(\"count\") + 1\r\nEnd If\r\n%>\r\n"
    L"<tr><td class=\"name\"><%= Server.HTMLEncode(rs(\"name\")) %></td><td align=\"right\"><%= n %></td></tr>\r\n";

const wchar_t* kCss =
    L"/* section ~ */\r\n#nav~ ul li a:hover, .menu~ > li { color: #336699; background-color: white;\r\n"
    L"  border: 1px solid #ccc; padding: 2px 4px; font-family: Verdana, Arial, sans-serif; }\r\n"
    L"@media print { .box~ { display: none; width: 50%; margin-left: -10px; } }\r\n"
    L"div.item~ p:first-child { font-weight: bold; line-height: 1.5; background: url(img/b~.png) no-repeat; }\r\n";

const wchar_t* kVbs =
    L"' Procedure ~ of the script\r\nFunction Compute~(ByVal a, b)\r\n  Dim i, total, arr(10)\r\n"
    L"  For i = 0 To UBound(arr)\r\n    total = total + arr(i) * a - b \\ 2\r\n  Next\r\n"
    L"  If total > 100 Then WScript.Echo \"Large: \" & total & \" \u00e9\" Else MsgBox \"small {x}\"\r\n"
    L"  Compute~ = \"\"\"\" & CStr(total) ' quoted\r\nEnd Function\r\n";

const wchar_t* kJs =
    L"// module ~\r\nfunction handler~(event, data) {\r\n  var items = [], count = 0, name = \"h~\";\r\n"
    L"  for (var i = 0; i < data.length; i++) { if (data[i].value !== null) { items.push(data[i]); count++; } }\r\n"
    L"  /* build the \u00e9 output */ var s = 'n=' + count + \"\\t\\\"{}\";\r\n"
    L"  document.getElementById('out~').innerHTML = s; return items;\r\n}\r\n";

std::wstring Generate(const wchar_t* chunk, size_t size)
{
    std::wstring out;
    out.reserve(size + 2048);
    for (int n = 0; out.size() < size; ++n) {
        std::wstring num = std::to_wstring(n);
        // "~" in a chunk stands for the chunk's number.
        for (const wchar_t* p = chunk; *p; ++p) {
            if (*p == L'~')
                out += num;
            else
                out += *p;
        }
    }
    out.resize(size);
    // The editor hands its text over with a single CR per line end.
    std::wstring cr;
    cr.reserve(out.size());
    for (wchar_t c : out) {
        if (c != L'\n')
            cr += c;
    }
    return cr;
}

double Seconds(ClsColor& color, EditorType type, const std::wstring& text)
{
    const double t0 = bench::Now();
    size_t bytes = color.RtfFragment(type, text).size();
    const double t1 = bench::Now();
    if (bytes <= text.size())
        std::printf("(RTF shorter than its text?)\n");
    return (t1 - t0) / 1000.0;
}

} // namespace

int main()
{
    ClsColor color;
    std::vector<std::wstring> blocks;
    if (!LoadKeywordLists(color, SettingsFolder(), blocks)) {
        std::printf("keyword lists missing\n");
        return 1;
    }
    struct Kind {
        const char* name;
        EditorType type;
        const wchar_t* chunk;
        wchar_t end;  // put in place of the last character, or 0
    };
    // The last three are one line of declarations that all end at its last
    // character: the text of each declaration holds the rest of the line.
    const Kind kinds[] = {
        {"ASP page (1)", EditorType::ASP, kAsp, 0},
        {"HTML page (2)", EditorType::HTML, kPage, 0},
        {"CSS (3)", EditorType::CSS, kCss, 0},
        {"VBScript (4)", EditorType::VBScript, kVbs, 0},
        {"JavaScript (5)", EditorType::JavaScript, kJs, 0},
        {"Dim line (4)", EditorType::VBScript, L"Dim a ", L':'},
        {"var line (5)", EditorType::JavaScript, L"var a ", L';'},
        {"function line (5)", EditorType::JavaScript, L"function f(a) ", L';'},
    };
    const size_t sizes[] = {100 * 1024, 1024 * 1024, 4 * 1024 * 1024};
    std::printf("%-18s %10s %10s %10s %12s\n", "type", "100 KB", "1 MB", "4 MB", "t4MB/t1MB");
    for (const Kind& k : kinds) {
        std::wstring texts[3];
        double best[3] = {1e9, 1e9, 1e9};
        for (int s = 0; s < 3; ++s) {
            texts[s] = Generate(k.chunk, sizes[s]);
            if (k.end)
                texts[s].back() = k.end;
        }
        // The sizes take turns and the best time of each counts, so a burst
        // of other work on the machine does not land on one size only.
        for (int round = 0; round < 8; ++round) {
            for (int s = 0; s < 3; ++s) {
                double t = Seconds(color, k.type, texts[s]);
                if (t < best[s])
                    best[s] = t;
            }
        }
        std::printf("%-18s", k.name);
        for (int s = 0; s < 3; ++s)
            std::printf(" %7.1f MB/s", double(sizes[s]) / (1024.0 * 1024.0) / best[s]);
        std::printf(" %12.2f\n", best[2] / best[1]);
    }
    return 0;
}
