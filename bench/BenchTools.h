#pragma once
// What the benchmarks share: a millisecond clock, the long generated pages
// they time, and a program folder of TARNEL's own for those that run it.
#include "platform/Files.h"
#include "platform/Module.h"
#include "platform/Paths.h"

#include <windows.h>

#include <string>

namespace bench {

inline double Now()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

// The lines a long page is made of. Each line carries its number, so no two
// lines are alike and a shifted text never matches by chance.
enum class PageKind {
    Dense,         // every line a paragraph with bold, a link, an entity and a comment (~100 characters)
    Mixed,         // paragraphs with a link, bold lines and plain lines with <br>
    SelfClosing,   // as Mixed, with <img ... /> and <br /> on most lines
    Scripted,      // a style block, then paragraphs between VBScript and JavaScript blocks
};

namespace detail {

inline std::string Line(PageKind kind, int n)
{
    const std::string k = std::to_string(n);
    switch (kind) {
    case PageKind::Dense:
        return "<p class=\"line\">Line " + k + " with <b>bold</b>, <a href=\"page.htm\">a link</a> &amp; "
               "<!-- a note --> text</p>";
    case PageKind::Mixed:
    case PageKind::SelfClosing:
        if (n % 3 == 0)
            return kind == PageKind::Mixed
                       ? "<p class=\"c" + k + "\">Line " + k + " <a href=\"p" + k + ".htm\">link</a></p>"
                       : "<p class=\"c" + k + "\">Line " + k + " <img src=\"a" + k + ".gif\" alt='x' /></p>";
        if (n % 10 == 7)
            return "  <b>bold</b> text " + k + " &amp; more";
        return "Text of line " + k + (kind == PageKind::Mixed ? "<br>" : "<br />");
    case PageKind::Scripted: {
        const int at = n % 52;   // a script of 15 lines, 25 paragraphs, a script of 8
        if (at == 0)
            return "<SCRIPT language=vbscript>";
        if (at <= 15)
            return "  Dim x" + k + " : x" + k + " = \"text\" & Len(y) ' note";
        if (at == 16)
            return "</SCRIPT>";
        if (at <= 41)
            return "<p class=\"c1\" id=\"p" + k + "\">Some <b>bold</b> text &amp; more</p>";
        if (at == 42)
            return "<script type=\"text/javascript\">";
        if (at <= 50)
            return "  var a" + k + " = 'x'; // comment";
        return "</script>";
    }
    }
    return {};
}

} // namespace detail

// A page of the kind, lines lines long with CR LF line breaks, as a file
// holds it; title tells two pages of one kind apart.
inline std::string LongPage(int lines, PageKind kind, const std::string& title = "Bench")
{
    std::string page = "<html><head><title>" + title + "</title>\r\n";
    int n = 1;
    if (kind == PageKind::Scripted) {
        page += "<style>\r\n";
        for (int i = 0; i < 20; ++i, ++n)
            page += "  .c" + std::to_string(i) + " { color: #123456; margin: 0px; } /* note */\r\n";
        page += "</style>\r\n";
        n += 2;
    }
    page += "</head><body>\r\n";
    for (++n; n < lines; ++n)
        page += detail::Line(kind, n) + "\r\n";
    return page + "</body></html>\r\n";
}

// A page written as real manuals are: a style sheet in the head, then
// sections of nested layout tables with inline styles, paragraphs kept on
// one long line, entities, code samples, inline scripts and event
// attributes, comments and lists. Lines run from a few characters to about
// 700 (about 100 on average); each carries its section's number. The line
// break is "\r\n" as Windows writes it or "\n" as most published pages have.
inline std::string ManualPage(int lines, const std::string& lineBreak = "\r\n")
{
    const std::string br = lineBreak;
    std::string page = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">" + br +
                       "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">" +
                       br + "<title>Reference Manual</title>" + br + "<style type=\"text/css\">" + br;
    for (int i = 0; i < 12; ++i)
        page += "  .s" + std::to_string(i) + " { font-family: Verdana, Arial, sans-serif; font-size: " +
                std::to_string(8 + i) + "pt; color: #" + std::to_string(102030 + i) + "; } /* level " +
                std::to_string(i) + " */" + br;
    page += "</style>" + br + "</head>" + br + "<body bgcolor=\"#FFFFFF\" style=\"margin: 0px\">" + br;
    int n = 18;
    for (int k = 1; n < lines - 2; ++k) {
        const std::string s = std::to_string(k);
        const std::string section[] = {
            "<!-- ============ section " + s + " ============ -->",
            "<a name=\"s" + s + "\"></a><h2 class=\"s2\" style=\"color: #336699; border-bottom: 1px solid #CCCCCC; "
            "padding-bottom: 2px\">" + s + ". Working with the object model &mdash; part " + s + "</h2>",
            "<table class=\"outer\" width=\"100%\" border=\"0\" cellpadding=\"4\" cellspacing=\"0\" "
            "style=\"margin: 6px 0px 6px 0px; background-color: #F8F8F8\"><tr>",
            "<td valign=\"top\" width=\"32%\" style=\"border-right: 1px dotted #999999\">",
            "<table class=\"inner\" border=\"1\" cellpadding=\"2\" style=\"border-collapse: collapse; "
            "font-size: 9pt\"><tr><th>Name</th><th>Type</th><th>Default</th></tr>",
            "<tr><td><code>item" + s + "</code></td><td>String</td><td>&quot;&quot;</td></tr>",
            "<tr><td><code>count" + s + "</code></td><td>Long</td><td>0</td></tr>",
            "<tr><td><code>ready" + s + "</code></td><td>Boolean</td><td>False &nbsp;<sup>&dagger;</sup></td></tr>",
            "</table></td>",
            "<td valign=\"top\">",
            "<p class=\"s1\">The <b>item" + s + "</b> property names the entry that the collection returns "
            "when no index is given. Set it before you call <a href=\"methods.html#open" + s +
            "\" title=\"Open method &raquo; details\">Open</a>; a change afterwards takes effect at the next "
            "call only. The value may hold any character except &lt; and &gt;, which are written as "
            "entities. See also <a href=\"#s" + s + "\">section " + s + "</a>, <i>Collections</i> and "
            "<a href=\"appendix.html\" target=\"_blank\">the appendix</a> &copy; 2004&#8211;2009.</p>",
            "<p>Example " + s + ":</p>",
            "<pre class=\"code\" style=\"background: #EEEEFF; padding: 4px\">  Set obj = CreateObject(&quot;"
            "Manual.Item&quot;)   ' the object " + s + "</pre>",
            "<pre class=\"code\">  obj.Item = &quot;entry " + s + "&quot; : obj.Open</pre>",
            "<div id=\"n" + s + "\" class=\"note\" style=\"display: none; border: 1px solid #E0C040; "
            "background-color: #FFFFE0; padding: 3px\" onclick=\"return toggle('n" + s + "');\">"
            "<span style=\"font-weight: bold\">Note:</span> under a shared lock the call waits; "
            "see <a href=\"locks.html\">Locks</a>.</div>",
            "</td></tr></table>",
            "<script type=\"text/javascript\">",
            "  function toggle" + s + "(id) { var e = document.getElementById(id); if (e.style.display == "
            "\"none\") { e.style.display = \"block\"; } else { e.style.display = \"none\"; } return false; }",
            "  document.write('<a href=\"#\" onclick=\"return toggle" + s + "(\\'n" + s +
            "\\')\">Show the note<\\/a>'); // written by the page",
            "</script>",
            "<ul class=\"s3\">",
            "  <li><a href=\"ref" + s + ".html\">Item" + s + "</a> &ndash; the entry by name</li>",
            "  <li><a href=\"ref" + s + ".html#count\">Count" + s + "</a> &ndash; entries in the list</li>",
            "  <li>Ready&nbsp;&nbsp;(read only)</li>",
            "</ul>",
            "<p>",
            "Text of section " + s + " as an editor wraps it: the collection keeps its entries in the order "
            "they were added, and a removed entry leaves no gap. Enumerate it with For Each, or count down "
            "from Count to 1 when entries are removed on the way. An index past the end raises error 9, "
            "and a name that is not found returns Nothing instead.",
            "</p>",
            "<br>",
        };
        for (const std::string& line : section) {
            if (n >= lines - 2)
                break;
            page += line + br;
            ++n;
        }
    }
    return page + "</body>" + br + "</html>" + br;
}

// The page as the editor holds it: one CR for each line break.
inline std::wstring EditorText(const std::string& page)
{
    std::wstring text;
    text.reserve(page.size());
    for (size_t i = 0; i < page.size(); ++i)
        if (!(page[i] == '\n' && i > 0 && page[i - 1] == '\r'))
            text += static_cast<wchar_t>(static_cast<unsigned char>(page[i]));
    return text;
}

// The build's program folder (the benchmarks live in its bench folder).
inline std::wstring BinFolder() { return platform::GetParentFolder(platform::ModuleFolder(nullptr)); }

// A program folder of TARNEL's own in the bench folder: the program, its
// libraries and keyword files, and no settings file, so every run starts
// from the defaults and the build's settings are never touched.
inline std::wstring TarnelCopy(const std::wstring& name)
{
    const std::wstring bin = BinFolder();
    const std::wstring dir = bin + L"\\bench\\" + name;
    CreateDirectoryW(dir.c_str(), nullptr);
    for (const wchar_t* f : {L"TARNEL.exe", L"plimsor.dll", L"DirectCOM.dll"})
        CopyFileW((bin + L"\\" + f).c_str(), (dir + L"\\" + f).c_str(), FALSE);
    CreateDirectoryW((dir + L"\\Settings").c_str(), nullptr);
    DeleteFileW((dir + L"\\Settings\\plimsors.dat").c_str());
    for (const wchar_t* f : {L"tarnelk.ini", L"tarneljk.ini", L"tarnelc.ini", L"tarnelpk.ini"})
        CopyFileW((bin + L"\\Settings\\" + f).c_str(), (dir + L"\\Settings\\" + f).c_str(), FALSE);
    return dir;
}

} // namespace bench
