// Box positions by the CSS 2.1 rules, as browsers lay the same pages out.
#include <gtest/gtest.h>

#include <sstream>

#include "PageFixture.h"

using namespace html;

namespace {

struct Case {
    const wchar_t* body;     // inside a standards-mode page with no body margin, 500 pixels wide
    const char* expected;    // "id x,y,w,h" per element, separated by ';'
};

void Check(const Case* cases, size_t count, const std::wstring& head)
{
    for (size_t i = 0; i < count; ++i) {
        pagetest::Page p(head + cases[i].body, 500, 600);
        std::istringstream want(cases[i].expected);
        std::string entry;
        while (std::getline(want, entry, ';')) {
            std::istringstream one(entry);
            std::string id, rect;
            one >> id >> rect;
            EXPECT_EQ(pagetest::Text(p.Box(std::wstring(id.begin(), id.end()))), rect)
                << pagetest::Narrow(cases[i].body) << " / " << id;
        }
    }
}

const wchar_t* const Standards = L"<!DOCTYPE html><style>body{margin:0;font:16px Arial}</style>";

} // namespace

TEST(HtmlLayout, BlocksAndMargins)
{
    const Case cases[] = {
        {L"<div id=a style='margin:10px;padding:5px;border:2px solid;height:20px'></div>", "a 10,10,480,34"},
        {L"<div id=a style='height:10px;margin-bottom:20px'></div><div id=b style='margin-top:30px;height:10px'></div>",
         "a 0,0,500,10;b 0,40,500,10"},
        {L"<div id=p style='margin-top:10px'><div id=c style='margin-top:20px;height:10px'></div></div>",
         "p 0,20,500,10;c 0,20,500,10"},
        {L"<div id=p style='margin-top:10px;border-top:1px solid'><div id=c style='margin-top:20px;height:10px'></div></div>",
         "p 0,10,500,31;c 0,31,500,10"},
        {L"<div id=a style='height:10px;margin-bottom:10px'></div><div id=e style='margin:20px 0 5px'></div>"
         L"<div id=b style='margin-top:15px;height:5px'></div>",
         "a 0,0,500,10;b 0,30,500,5"},
        {L"<div id=a style='height:10px;margin-bottom:-5px'></div><div id=b style='margin-top:20px;height:5px'></div>",
         "b 0,25,500,5"},
        {L"<div id=a style='width:100px;margin:0 auto;height:5px'></div><div id=b style='width:100px;margin-left:auto;height:5px'></div>",
         "a 200,0,100,5;b 400,5,100,5"},
        {L"<div id=a style='width:500px;max-width:300px;min-height:40px'></div>", "a 0,0,300,40"},
        {L"<div id=a style='width:50%;padding:0 10%;height:1in'></div>", "a 0,0,350,96"},
        {L"<center><div id=a style='width:100px;height:5px'></div></center>", "a 200,0,100,5"},
        {L"<div style='height:50px'><div id=a style='height:50%'></div></div>", "a 0,0,500,25"},
        {L"<div id=a style='height:10px;margin-bottom:-20px'></div><div id=b style='height:30px'></div>", "b 0,-10,500,30"},
        {L"<div id=p style='padding:10px'><div id=c style='margin:15px;height:10px'></div></div>", "p 0,0,500,60;c 25,25,450,10"},
        {L"<div id=p style='height:30px'><div id=c style='height:80px'></div></div><div id=n style='height:5px'></div>",
         "p 0,0,500,30;n 0,30,500,5"},
        {L"<div id=a style='min-width:600px;height:5px'></div>", "a 0,0,600,5"},
        // ex is the x-height of the element's face.
        {L"<div id=a style='width:10ex;height:1px'></div><div id=b style='font:16px serif;width:10ex;height:1px'></div>",
         "a 0,0,84,1;b 0,1,73,1"},
        // Lists inside lists, definition lists too, have no margins of their own.
        {L"<dl style='font:16px/18px Arial'><dt>a</dt><dd><dl id=n><dt>x</dt></dl></dd></dl>", "n 40,34,460,18"},
        // Margins collapse through empty boxes, a set height of 0 too, positive and negative together.
        {L"<div id=w style='border:1px solid'><div style='margin:12px auto'></div><div style='height:0;margin:40px 0'></div>"
         L"<div id=f style='margin-top:-5px;height:10px'></div></div>",
         "w 0,0,500,47;f 1,36,498,10"},
        {L"<div style='border:1px solid'><div style='height:0;margin:-10px 0 30px'></div>"
         L"<div id=f style='margin-top:20px;height:10px'></div></div>",
         "f 1,21,498,10"},
        {L"<div id=w style='border:1px solid'><div style='margin:10px 0'><div style='margin:25px 0'></div></div>"
         L"<div id=f style='margin-top:-30px;height:10px'></div></div>",
         "w 0,0,500,7;f 1,-4,498,10"},
        {L"<div style='width:200px'><div id=a style='margin-left:auto;margin-right:auto;width:300px;height:5px'></div></div>",
         "a 0,0,300,5"},
    };
    Check(cases, sizeof cases / sizeof cases[0], Standards);
}

TEST(HtmlLayout, FloatsAndClearance)
{
    const Case cases[] = {
        {L"<div id=l style='float:left;width:100px;height:50px'></div><div id=r style='float:right;width:80px;height:40px'></div>",
         "l 0,0,100,50;r 420,0,80,40"},
        {L"<div id=a style='float:left;width:300px;height:50px'></div><div id=b style='float:left;width:300px;height:30px'></div>",
         "a 0,0,300,50;b 0,50,300,30"},
        {L"<div id=a style='float:left;width:100px;height:50px'></div><div id=c style='clear:both;height:10px'></div>",
         "c 0,50,500,10"},
        {L"<div id=a style='float:left;width:100px;height:50px'></div><div id=o style='overflow:hidden;height:20px'></div>",
         "o 100,0,400,20"},
        {L"<div id=p style='overflow:hidden'><div style='float:left;width:10px;height:70px'></div></div>", "p 0,0,500,70"},
        {L"<div id=f style='float:left;margin:5px;padding:5px;border:1px solid'><div style='width:30px;height:10px'></div></div>",
         "f 5,5,42,22"},
        {L"<div id=a style='float:right;width:100px;height:20px'></div><div id=b style='float:right;width:100px;height:20px'></div>"
         L"<div id=c style='clear:right;height:5px'></div>",
         "b 300,0,100,20;c 0,20,500,5"},
        {L"<div id=a style='float:left;width:100px;height:20px'></div><div id=b style='float:left;clear:left;width:50px;height:10px'></div>",
         "b 0,20,50,10"},
        {L"<div id=p style='width:300px'><div id=a style='float:left;width:60%;height:10px'></div></div>", "a 0,0,180,10"},
        {L"<div style='line-height:20px'><div id=a style='float:left;width:50px;height:30px'></div>"
         L"<span id=s style='display:inline-block;width:460px;height:10px'></span></div>",
         "s 0,35,460,10"},
    };
    Check(cases, sizeof cases / sizeof cases[0], Standards);
}

TEST(HtmlLayout, InlineContent)
{
    const Case cases[] = {
        {L"<div style='line-height:20px'><span id=a style='display:inline-block;width:50px;height:30px'></span>"
         L"<span id=b style='display:inline-block;width:60px;height:10px'></span></div>",
         "a 0,0,50,30;b 50,20,60,10"},
        {L"<div style='text-align:center'><span id=a style='display:inline-block;width:100px;height:10px'></span></div>",
         "a 200,4,100,10"},
        {L"<div style='text-align:right'><img id=a width=40 height=30></div>", "a 460,0,40,30"},
        {L"<div style='line-height:20px;width:120px'><span id=a style='display:inline-block;width:100px;height:5px'></span> "
         L"<span id=b style='display:inline-block;width:100px;height:5px'></span></div>",
         "b 0,30,100,5"},
        {L"<div id=d style='line-height:24px'>a<br>b<br>c</div>", "d 0,0,500,72"},
        {L"<div style='line-height:20px'><img id=a width=10 height=40 style='vertical-align:top'>"
         L"<img id=b width=10 height=10 style='vertical-align:bottom'></div>",
         "a 0,0,10,40;b 10,30,10,10"},
        {L"<ul style='margin:0'><li id=a style='height:10px'></li></ul>", "a 40,0,460,10"},
        {L"<div style='line-height:20px;text-indent:30px'><span id=a style='display:inline-block;width:10px;height:10px'></span></div>",
         "a 30,5,10,10"},
        {L"<div style='line-height:20px'><img id=a width=10 height=10 style='vertical-align:middle'></div>", "a 0,6,10,10"},
        {L"<div style='line-height:20px;white-space:nowrap;width:50px'><span id=a style='display:inline-block;width:40px;height:5px'></span> "
         L"<span id=b style='display:inline-block;width:40px;height:5px'></span></div>",
         "b 44,10,40,5"},
        {L"<p id=p style='margin:0;line-height:20px;font-size:16px'><span id=s style='padding:0 5px;border-left:3px solid'>x</span></p>",
         "p 0,0,500,20"},
    };
    Check(cases, sizeof cases / sizeof cases[0], Standards);
}

TEST(HtmlLayout, LineBreaksAndTextWidths)
{
    const Case cases[] = {
        // After hyphens, around images, at soft hyphens and <wbr>; never inside a word over elements.
        {L"<div id=a style='width:40px'>SCSI-ID</div>", "a 0,0,40,36"},
        {L"<div id=a style='width:50px;white-space:nowrap'>SCSI-ID x-y</div>", "a 0,0,50,18"},
        {L"<div style='width:100px;line-height:0'><img width=40 height=10><img width=40 height=10>"
         L"<img id=c width=40 height=10></div>",
         "c 0,10,40,10"},
        {L"<div id=a style='width:60px'>inter&shy;national</div>", "a 0,0,60,36"},
        {L"<div id=a style='width:60px'>inter<wbr>national</div>", "a 0,0,60,36"},
        {L"<div style='width:120px'>see <tt>option</tt>[<b>=</b><i id=v>value</i>]</div>", "v 71,18,39,17"},
        // overflow-wrap breaks a word too long for any line; word-break: break-all breaks anywhere.
        {L"<div id=a style='width:50px;overflow-wrap:break-word'>abcdefghijklmnop</div>", "a 0,0,50,54"},
        {L"<div id=a style='width:50px;overflow-wrap:break-word'>ab cd abcdefghijklmnop</div>", "a 0,0,50,72"},
        {L"<div id=a style='width:50px;word-break:break-all'>ab abcdefghijklmnopqrstuvwx</div>", "a 0,0,50,90"},
        {L"<table style='width:1px'><tr><td id=d style='overflow-wrap:anywhere'>abcdefgh</td>"
         L"<td id=e style='overflow-wrap:break-word'>abcdefgh</td></tr></table>",
         "d 2,2,11,146;e 15,2,68,146"},
        // An inline box starts after the space before it.
        {L"<div>x <span id=s style='border-left:2px solid'>b</span></div>", "s 12,0,11,17"},
        // <pre> drops the line break after its start tag; text adds up in fractions of a pixel.
        {L"<pre id=p style='margin:0'>\na</pre>", "p 0,0,500,18"},
        {L"<pre style='margin:0;font:13px \"Courier New\"'><span id=p>iiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiii</span></pre>",
         "p 0,0,390,15"},
        {L"<div style='font-size:13px'><span id=q>iiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiii</span></div>",
         "q 0,0,188,15"},
        {L"<pre style='margin:0;font:13px \"Courier New\"'><span id=t>a&#9;b</span></pre>", "t 0,0,70,15"},
        {L"<span id=k>AVAVAVAVAVAVAVAVAVAV To To To To</span>", "k 0,0,276,17"}, // kerned
        // A missing picture: its icon and text, nothing where its text is empty (within 2 pixels of a browser's).
        {L"<div style='line-height:20px'><img id=a src=nothere.png alt='Hello'><img id=b src=nothere.png alt=''>"
         L"<img id=c src=nothere.png></div>",
         "a 0,0,53,17;b 53,17,0,0;c 53,1,16,16"},
        {L"<div style='line-height:20px'>ab<br id=b>c<br id=c><br id=d></div>", "b 18,1,0,17;c 8,21,0,17;d 0,41,0,17"},
        // Lines with nothing but the ends of empty elements take no room.
        {L"<div id=d><span></span></div><div id=e><a id=a name=x></a></div>", "d 0,0,500,0;e 0,0,500,0;a 0,0,0,0"},
        {L"<pre id=p style='margin:0'><b id=b>\nx\n</b></pre>", "p 0,0,500,36;b 0,18,10,18"},
    };
    Check(cases, sizeof cases / sizeof cases[0], Standards);
}

TEST(HtmlLayout, Tables)
{
    const Case cases[] = {
        {L"<table id=t cellspacing=2 cellpadding=0><tr><td id=a style='width:50px;height:20px'></td>"
         L"<td id=b style='width:70px'></td></tr><tr><td id=c colspan=2 style='height:10px'></td></tr></table>",
         "t 0,0,126,36;a 2,2,50,20;b 54,2,70,20;c 2,24,122,10"},
        {L"<table id=t cellspacing=0 cellpadding=0 width=200><tr><td id=a style='height:10px'></td><td id=b width=50></td></tr></table>",
         "t 0,0,200,10;a 0,0,150,10;b 150,0,50,10"},
        {L"<table id=t cellspacing=0 cellpadding=0 width='50%' align=center><tr><td id=a style='height:10px'></td></tr></table>",
         "t 125,0,250,10;a 125,0,250,10"},
        {L"<table cellspacing=0 cellpadding=0><tr><td id=a rowspan=2 style='width:10px;height:50px'></td>"
         L"<td id=b style='width:10px;height:10px'></td></tr><tr><td id=c style='height:10px'></td></tr></table>",
         "a 0,0,10,50;b 10,0,10,25;c 10,25,10,25"},
        {L"<table cellspacing=0 cellpadding=0 border=1 id=t><tr><td id=a style='width:20px;height:20px'></td></tr></table>",
         "t 0,0,24,24;a 1,1,22,22"},
        {L"<table cellspacing=0 cellpadding=0><tr><td id=a style='height:40px'><div id=d style='width:30px;height:10px'></div></td>"
         L"<td id=b valign=bottom><div id=e style='width:30px;height:10px'></div></td></tr></table>",
         "d 0,15,30,10;e 30,30,30,10"},
        {L"<table id=t style='border-collapse:collapse'><tr><td style='border:1px solid;padding:2px;width:40px;height:20px'></td>"
         L"<td style='border:1px solid;padding:2px;width:40px;height:20px'></td></tr><tr><td style='border:1px solid;padding:2px;"
         L"width:40px;height:20px'></td><td style='border:1px solid;padding:2px;width:40px;height:20px'></td></tr></table>",
         "t 0,0,91,51"},
        {L"<table id=t cellspacing=0 cellpadding=0 width=300><tr><td id=a width='25%' style='height:5px'></td><td id=b></td></tr></table>",
         "a 0,0,75,5;b 75,0,225,5"},
        {L"<table id=t cellspacing=0 cellpadding=0><caption id=c style='height:10px'></caption><tr><td id=a style='width:20px;height:5px'></td></tr></table>",
         "t 0,0,20,15;c 0,0,20,10"},
        {L"<table cellspacing=0 cellpadding=0><tr><td><table id=n cellspacing=0 cellpadding=0><tr><td id=a style='width:30px;height:30px'></td></tr></table></td>"
         L"<td id=b style='width:10px'></td></tr></table>",
         "n 0,0,30,30;b 30,0,10,30"},
        {L"<div style='width:100px'><table id=t cellspacing=0 cellpadding=0><tr><td id=a><div style='width:150px;height:5px'></div></td></tr></table></div>",
         "t 0,0,150,5"},
        // Automatic widths: percentages, set widths shrinking to their content, <col> and <colgroup>, captions.
        {L"<table id=t style='width:500px'><tr><td id=a width=100%>a</td><td id=b>bb</td><td id=c>ccc</td></tr></table>",
         "t 0,0,500,24;a 2,2,446,20;b 450,2,20,20;c 472,2,26,20"},
        {L"<div style='width:300px'><table id=t><tr><td id=a width=250>x</td><td id=b>some words here to fill</td></tr></table></div>",
         "t 0,0,300,78;a 2,2,249,74;b 253,2,45,74"},
        {L"<div style='width:300px'><table id=t><tr><td id=a style='width:250px'>x</td><td id=b style='width:200px'>y</td></tr></table></div>",
         "t 0,0,300,24;a 2,2,163,20;b 167,2,131,20"},
        {L"<table id=t style='width:400px'><tr><td id=a width=30%>x</td><td id=b>y</td><td id=c width=100>z</td></tr></table>",
         "a 2,2,118,20;b 122,2,172,20;c 296,2,102,20"},
        {L"<table id=t><tr><td id=a width=50%>x</td><td id=b>hello world</td></tr></table>", "t 0,0,164,24;b 83,2,79,20"},
        {L"<div style='float:left'><table id=t><tr><td width=100%>x</td><td>y</td></tr></table></div>", "t 0,0,500,24"},
        {L"<table id=t border=1><col width=100><col width=50><tr><td id=a>x</td><td id=b>y</td></tr></table>",
         "t 0,0,158,28;a 3,3,100,22;b 105,3,50,22"},
        {L"<table id=t><colgroup width=80 span=2></colgroup><tr><td id=a>x</td><td id=b>y</td><td id=c>z</td></tr></table>",
         "t 0,0,178,24;b 84,2,80,20;c 166,2,10,20"},
        {L"<table id=t><caption id=c style='caption-side:bottom'>A long caption text that is wide</caption>"
         L"<tr><td id=a>x</td></tr></table>",
         "t 0,0,52,114;c 0,24,52,90;a 2,2,48,20"},
    };
    Check(cases, sizeof cases / sizeof cases[0], Standards);
}

TEST(HtmlLayout, QuirksMarginsAtTheTopOfTheBodyAndInCells)
{
    const Case cases[] = {
        {L"<div><div><h1 id=h>x</h1></div></div>", "h 0,0,500,37"},
        {L"<table><tr><td id=c><ul><li>x</li></ul></td></tr></table>", "c 2,2,50,36"},
        {L"<table><tr><td id=c><p>x</p></td></tr></table>", "c 2,2,10,20"},
        {L"<table><tr><td id=c><h3>x</h3></td></tr></table>", "c 2,2,13,43"},
    };
    Check(cases, sizeof cases / sizeof cases[0], L"<style>body{margin:0;font:16px Arial}</style>");
}

TEST(HtmlLayout, Positioning)
{
    const Case cases[] = {
        {L"<div style='position:relative;height:100px;margin-top:10px'><div id=a style='position:absolute;left:10px;top:20px;width:30px;height:40px'></div>"
         L"<div id=b style='position:absolute;right:10px;bottom:10px;width:30px;height:40px'></div></div>",
         "a 10,30,30,40;b 460,60,30,40"},
        {L"<div id=a style='position:relative;left:5px;top:7px;height:10px'></div><div id=b style='height:10px'></div>",
         "a 5,7,500,10;b 0,10,500,10"},
        {L"<div style='height:30px'></div><div id=a style='position:absolute;width:10px;height:10px'></div>", "a 0,30,10,10"},
        {L"<div id=a style='position:fixed;right:0;top:0;left:0;height:5px'></div>", "a 0,0,500,5"},
        {L"<div style='position:relative;width:200px;height:100px;border:5px solid'><div id=a style='position:absolute;left:0;right:0;top:0;bottom:0'></div></div>",
         "a 5,5,200,100"},
        {L"<div style='position:relative;margin-left:50px'><div id=a style='position:absolute;top:0;left:10%;width:10px;height:10px'></div></div>",
         "a 95,0,10,10"},
        {L"<div style='line-height:20px'>x<span id=a style='position:relative;top:5px;left:5px;display:inline-block;width:10px;height:10px'></span></div>",
         "a 13,10,10,10"},
    };
    Check(cases, sizeof cases / sizeof cases[0], Standards);
}

TEST(HtmlLayout, QuirksBodyFillsTheWindow)
{
    pagetest::Page quirks(L"<body style='margin:8px'><p id=p>x</p><table cellspacing=0><tr><td id=c><p>y</p></td></tr></table>", 400, 600);
    EXPECT_EQ(pagetest::Text(quirks.doc.Boxes().boxes[quirks.doc.Page().body->index]), "8,8,384,584");
    EXPECT_EQ(quirks.Box(L"p").y, 8);                       // its margin is dropped at the body's top
    EXPECT_EQ(quirks.Box(L"c").h, quirks.Box(L"p").h + 2);  // and in the cell on both sides
    pagetest::Page full(L"<body style='margin:0'><table id=t height='100%' width='100%' cellspacing=0 cellpadding=0><tr><td id=a height=50>x</td></tr>"
                        L"<tr><td id=b>y</td></tr></table>", 400, 600);
    EXPECT_EQ(pagetest::Text(full.Box(L"t")), "0,0,400,600"); // a quirky table fills the window's height
    EXPECT_EQ(full.Box(L"a").h, 50);
    pagetest::Page standards(L"<!DOCTYPE html><body style='margin:8px'><div style='height:10px'></div>", 400, 600);
    EXPECT_EQ(pagetest::Text(standards.doc.Boxes().boxes[standards.doc.Page().body->index]), "8,8,384,10");
}

TEST(HtmlLayout, HitTestingFindsTheDeepestElement)
{
    pagetest::Page p(std::wstring(Standards) +
                         L"<div id=outer style='height:100px;padding:10px'><p id=para style='margin:0;line-height:20px'>"
                         L"text <a id=link href='x.html'>link</a></p>"
                         L"<div id=clip style='overflow:hidden;height:20px'><div id=tall style='height:200px'></div></div></div>"
                         L"<div id=abs style='position:absolute;left:300px;top:0;width:50px;height:50px'></div>",
                     400, 600);
    struct Probe {
        int x, y;
        const char* id;
    } probes[] = {{5, 5, "outer"}, {12, 15, "para"}, {320, 10, "abs"}, {20, 35, "tall"}, {20, 70, "outer"}, {390, 300, ""}};
    int linkX = p.Box(L"link").x + 2;
    EXPECT_EQ(pagetest::Narrow(p.doc.ElementFromPoint(linkX, 15).id()), "link");
    for (const Probe& pr : probes)
        EXPECT_EQ(pagetest::Narrow(p.doc.ElementFromPoint(pr.x, pr.y).id()), pr.id) << pr.x << "," << pr.y;
}
