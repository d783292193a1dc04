// No page can crash or hang the engine, and a page reads only the local
// files it names.
#include <gtest/gtest.h>

#include <windows.h>

#include <random>

#include "PageFixture.h"
#include "html/paint/PagePainter.h"
#include "html/parse/PageUrl.h"
#include "html/parse/TreeBuilder.h"
#include "html/style/CssParser.h"

using namespace html;

namespace {

void PaintTop(pagetest::Page& p)
{
    void* bits = nullptr;
    HBITMAP surface = CreateSurface(200, 200, &bits);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, surface);
    PaintContext ctx{p.doc.Page(), p.doc.Styles(), p.doc.Boxes(), p.doc.Fonts(), p.doc.Images()};
    PaintPage(dc, ctx, Rect{0, 0, 200, 200});
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(surface);
}

std::wstring RandomPage(std::mt19937& rng)
{
    static const wchar_t* const parts[] = {
        L"<div>", L"</div>", L"<p>", L"</p>", L"<table>", L"<tr>", L"<td colspan=999999>", L"<td rowspan=0>",
        L"</table>", L"<ul><li>", L"<li>", L"</ul>", L"<b>", L"</i>", L"<i>", L"</b>", L"<span style='display:inline-block;width:1e9px'>",
        L"<img src=nothere.png width=-5>", L"<img>", L"<input type=checkbox>", L"<select><option>x", L"<textarea>",
        L"<br>", L"&amp;", L"&#xFFFFFFFF;", L"&#0;", L"&nbsp", L"<!--", L"-->", L"<!DOCTYPE html>", L"<style>",
        L"</style>", L"p{float:left;width:50%}", L"*{position:absolute;top:-1e9px}", L"div{overflow:hidden;height:-3px}",
        L"<div style='float:right;width:120%;clear:both'>", L"<div style='position:relative;left:33%'>", L"word ",
        L"longwordlongwordlongword", L"<", L">", L"\"", L"'", L"=", L"<a href=#x name=x>", L"</a>", L"<center>",
        L"<font size=+99 color=#zzz>", L"<h1>", L"<pre>\t x\n y", L"</pre>", L"<caption>", L"<thead>", L"<col>",
        L"<body bgcolor=red background=x.gif>", L"<script>", L"</script>", L"<title>", L"<li value=-7>", L"<ol start=999999999>",
        L"\x0000", L"\xD800", L"<sub><sup>", L"<nobr>", L"<button>", L"<iframe src='http://x/'>", L"</td>", L"</tr>",
        L"<div style='display:flex;flex-wrap:wrap;gap:-5px 1e9px'>", L"<div style='flex:1 0 -3px;order:-999999999'>",
        L"<span style='display:inline-flex;flex-direction:column;height:50%;justify-content:space-evenly'>",
        L"div{display:flex;align-items:center} p{flex:99999 1e30 calc(100% - 1e9px);margin:auto}",
        L"@media (max-width: 300px) and (orientation: portrait), print{*{width:calc(50% - (((10px", L"}}",
        L":root{--a:var(--b);--b:var(--a) var(--a)} p{width:var(--a, var(--c, 10px));color:var(--x)}",
        L"li:nth-child(-2147483648n+2147483647):not(:not(:not(*)))::before{content:'x' attr(id) '\\'}",
        L"div::after{content:'';display:block;height:1e9px;border-radius:50%/10%;opacity:-1}",
        L"*{box-sizing:border-box;padding:1e8px;width:min(100%,-1px);background:rgba(1,2,3,.5) url(x.png) 0 0/cover}",
    };
    std::wstring page;
    std::uniform_int_distribution<size_t> pick(0, sizeof parts / sizeof parts[0] - 1);
    std::uniform_int_distribution<int> len(1, 200);
    int n = len(rng);
    for (int i = 0; i < n; ++i)
        page += parts[pick(rng)];
    return page;
}

} // namespace

TEST(HtmlRobustness, GeneratedPagesAndSheetsNeitherCrashNorHang)
{
    std::mt19937 rng(20261210);
    DWORD start = GetTickCount();
    int pages = 0;
    // Bounded in time, so that a slow machine runs fewer pages rather than longer.
    while (GetTickCount() - start < 8000 && pages < 400) {
        std::wstring text = RandomPage(rng);
        pagetest::Page p(text, 1 + static_cast<int>(rng() % 600), 300);
        PaintTop(p);
        ASSERT_NE(p.doc.Page().body, nullptr);
        ASSERT_GE(p.doc.Boxes().height, 0);
        p.doc.ElementFromPoint(static_cast<int>(rng() % 300), static_cast<int>(rng() % 300));
        // The same text as a style sheet, cut at a random place.
        std::wstring css = text.substr(0, rng() % (text.size() + 1));
        ParseStyleSheet(css);
        ParseDeclarations(css);
        ++pages;
    }
    EXPECT_GT(pages, 10);
}

TEST(HtmlRobustness, HugePagesWithinBounds)
{
    std::wstring nested;
    for (int i = 0; i < 100000; ++i)
        nested += L"<div>";
    nested += L"deep";
    pagetest::Page deep(nested, 400, 300);
    size_t depth = 0;
    for (const Node* n = deep.doc.Page().nodes.back(); n; n = n->parent)
        ++depth;
    EXPECT_LT(depth, 1000u);
    EXPECT_GT(deep.doc.Page().nodes.size(), 100000u);

    std::wstring line(1 << 20, L'x');
    for (size_t i = 0; i < line.size(); i += 9)
        line[i] = L' ';
    pagetest::Page wide(L"<p>" + line, 400, 300);
    EXPECT_GT(wide.doc.Boxes().height, 1000);
    pagetest::Page unbroken(L"<p>" + std::wstring(1 << 20, L'y'), 400, 300);
    EXPECT_GT(unbroken.doc.Boxes().width, 400);
}

TEST(HtmlRobustness, BadInputGivesAPage)
{
    pagetest::WriteFile(L"self.css", "@import 'self.css'; @import url(self.css); p{color:red}");
    pagetest::WriteFile(L"damaged.gif", "GIF89a\x01\x00");
    pagetest::WriteFile(L"damaged.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\xff\xff\xff\xff", 24));
    struct Case {
        const wchar_t* html;
        int minHeight; // the page still has at least this much to show
    } cases[] = {
        {L"<link rel=stylesheet href=self.css><p>recursive import", 10},
        {L"<img src=damaged.gif alt='bad gif'><img src=damaged.png><img src=nothere.jpg width=50 height=40>", 40},
        {L"<div style='width:99999999999px;height:-50px;margin:-1e12px;padding:1e30px'>x</div>", 0},
        {L"<table><tr><td colspan=2147483647 rowspan=-4>a<td colspan=0>b</table>", 10},
        {L"<div style='font-size:1e9px'>big</div><div style='font-size:-5px;line-height:-2'>neg</div>", 10},
        {L"<ul><li value=99999999999999>x<ol start=-2147483648><li>y</ol></ul>", 10},
        {L"<div style='position:absolute;left:1e9px;top:-1e9px;width:10px;height:10px'></div>", 0},
        {L"<p style='text-indent:-1e8px;letter-spacing:1e9px;white-space:pre'>\t\t\tx", 10},
        {L"</table></td></tr><td><tr><table><caption><col><colgroup></body></html><body><html>", 0},
    };
    for (const Case& c : cases) {
        pagetest::Page p(c.html, 300, 200);
        PaintTop(p);
        EXPECT_GE(p.doc.Boxes().height, c.minHeight) << pagetest::Narrow(c.html);
        EXPECT_LE(p.doc.Boxes().height, 20000000) << pagetest::Narrow(c.html);
    }
}

TEST(HtmlRobustness, OnlyLocalFilesThePageNames)
{
    struct Case {
        const wchar_t* address;
        const wchar_t* path;
    } cases[] = {
        {L"img/a.png", L"C:\\web\\img\\a.png"},
        {L"../b.css?v=2#top", L"C:\\b.css"},
        {L"/root.gif", L"C:\\root.gif"},
        {L"file:///D:/x%20y/z.png", L"D:\\x y\\z.png"},
        {L"http://example.com/a.png", L""},
        {L"https://example.com/a.css", L""},
        {L"//server/share/a.png", L""},
        {L"javascript:alert(1)", L""},
        {L"#top", L""},
        {L"mailto:a@b.c", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveLocalPath(L"C:\\web\\page.html", c.address), c.path) << pagetest::Narrow(c.address);
    EXPECT_EQ(AbsoluteUrl(L"C:\\web\\page.html", L"img/a b.png#x"), L"file:///C:/web/img/a b.png#x");
    EXPECT_EQ(AbsoluteUrl(L"C:\\web\\page.html", L"http://x.org/"), L"http://x.org/");
}
