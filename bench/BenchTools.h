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
