// The CSS of pages written today: media queries, the newer selectors,
// custom properties, colours with alpha, the newer units and functions,
// and flexible boxes. Expected values are those browsers give.
#include <gtest/gtest.h>

#include "PageFixture.h"
#include "html/style/MediaQuery.h"

using namespace html;

namespace {

const std::wstring Standards = L"<!DOCTYPE html>";

} // namespace

TEST(CurrentCss, MediaQueries)
{
    struct Case {
        const wchar_t* media;
        int width;
        bool print;
        bool holds;
    } cases[] = {
        {L"", 800, false, true},
        {L"screen", 800, false, true},
        {L"print", 800, false, false},
        {L"print", 800, true, true},
        {L"only screen and (max-width: 640px)", 600, false, true},
        {L"only screen and (max-width: 640px)", 800, false, false},
        {L"screen and (max-width: 640px)", 600, true, false},
        {L"(min-width: 40em)", 640, false, true},
        {L"(min-width: 40em)", 639, false, false},
        {L"not print", 800, false, true},
        {L"not screen and (max-width: 600px)", 800, false, true},
        {L"not screen and (max-width: 600px)", 500, false, false},
        {L"print, (max-width: 500px)", 400, false, true},
        {L"tv, handheld", 400, false, false},
        {L"(orientation: portrait)", 400, false, true},
        {L"(orientation: landscape)", 400, false, false},
        {L"(400px <= width < 700px)", 699, false, true},
        {L"(400px <= width < 700px)", 700, false, false},
        {L"(width > 500px)", 501, false, true},
        {L"(prefers-color-scheme: dark)", 800, false, false},
        {L"(hover: hover) and (pointer: fine)", 800, false, true},
        {L"(-webkit-min-device-pixel-ratio: 2)", 800, false, false},
        {L"(unknown-feature: 1)", 800, false, false},
        {L"screen and", 800, false, false},
        {L"(max-width: 640px", 600, false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MediaQueryList(c.media).Matches(MediaEnv{c.print, c.width, 600}), c.holds)
            << pagetest::Narrow(c.media) << " at " << c.width << (c.print ? " print" : "");

    // The page's rules follow the view it is laid out for.
    const std::wstring page = Standards +
                              L"<style>#a{width:300px} @media (max-width: 640px){#a{width:100px}}</style>"
                              L"<style media='print'>#b{width:50px}</style>"
                              L"<link rel=stylesheet href=wide.css media='(min-width: 700px)'><div id=a></div><div id=b>";
    pagetest::WriteFile(L"wide.css", "#b{width:70px}");
    pagetest::Page p(page, 800);
    EXPECT_EQ(p.Box(L"a").w, 300);
    EXPECT_EQ(p.Box(L"b").w, 70);
    p.doc.Layout(600, 600);
    EXPECT_EQ(p.Box(L"a").w, 100);
    EXPECT_EQ(p.Box(L"b").w, 600 - 16);
    p.doc.Layout(600, 600, true);
    EXPECT_EQ(p.Box(L"b").w, 50);
}

TEST(CurrentCss, Selectors)
{
    const wchar_t* list = L"<ul><li id=l1 class='x y'><li id=l2 lang=en-GB><li id=l3 title='a-b c'><li id=l4></li>"
                          L"<!-- --><li id=l5><b></b></ul>";
    struct Case {
        const wchar_t* selector;
        const wchar_t* matching; // the ids it picks among l1..l5
    } cases[] = {
        {L"li:not(:first-child)", L"l2 l3 l4 l5"},
        {L"li:not(.x, [lang])", L"l3 l4 l5"},
        {L"li:last-child", L"l5"},
        {L"li:only-child", L""},
        {L"li:empty", L"l1 l2 l3 l4"},
        {L"li:nth-child(2n+1)", L"l1 l3 l5"},
        {L"li:nth-child(even)", L"l2 l4"},
        {L"li:nth-child(-n+2)", L"l1 l2"},
        {L"li:nth-last-child(2)", L"l4"},
        {L"li:nth-of-type(3)", L"l3"},
        {L"li:first-of-type, li:last-of-type", L"l1 l5"},
        {L"li + li", L"l2 l3 l4 l5"},
        {L"#l3 ~ li", L"l4 l5"},
        {L"[title^=a]", L"l3"},
        {L"[title$=c]", L"l3"},
        {L"[title*='-b ']", L"l3"},
        {L"[title~=c]", L"l3"},
        {L"[lang|=en]", L"l2"},
        {L"[class~=Y i]", L"l1"},
        {L"ul:root li, :root > body li:is(#l1)", L"l1"},
        {L"li:hover, li::before", L""},
    };
    for (const Case& c : cases) {
        pagetest::Page p(Standards + L"<style>" + c.selector + L"{color:red}</style>" + list);
        std::wstring got;
        for (const wchar_t* id : {L"l1", L"l2", L"l3", L"l4", L"l5"})
            if (p.Style(id).color == Color::Rgb(255, 0, 0))
                got += (got.empty() ? L"" : L" ") + std::wstring(id);
        EXPECT_EQ(got, c.matching) << pagetest::Narrow(c.selector);
    }
}

TEST(CurrentCss, ValuesUnitsAndFunctions)
{
    struct Case {
        const wchar_t* css;
        const char* what; // "width" of #a's box, or its "color", "background" as r,g,b,a, or "opacity"
        const char* expected;
    } cases[] = {
        {L"#a{width:10rem}", "width", "160"},
        {L"#a{box-sizing:border-box;width:100px;padding:10px;border:5px solid}", "width", "100"},
        {L"#a{box-sizing:border-box;width:10px;padding:10px}", "width", "20"},
        {L"html{font-size:20px} #a{width:2rem;font-size:10px}", "width", "40"},
        {L"#a{width:10ch}", "width", "80"},
        {L"#a{width:50vw}", "width", "400"},
        {L"#a{width:10vmin}", "width", "60"},
        {L"#a{width:calc(50% - 20px)}", "width", "380"},
        {L"#a{width:calc(2 * (10px + 5px))}", "width", "30"},
        {L"#a{width:calc(100%/3 - 2 * 1em)}", "width", "235"},
        {L"#a{width:min(100%, 300px)}", "width", "300"},
        {L"#a{width:max(50%, 300px)}", "width", "400"},
        {L"#a{width:clamp(100px, 50vw, 300px)}", "width", "300"},
        {L"#a{width:clamp(100px, 5vw, 300px)}", "width", "100"},
        {L"#a{width:calc(10px + )}", "width", "800"},
        {L":root{--w:120px} #a{width:var(--w)}", "width", "120"},
        {L"#c{--w:50px} #a{width:var(--w)}", "width", "50"},
        {L"#a{width:var(--none, 70px)}", "width", "70"},
        {L"#a{width:100px;width:var(--none)}", "width", "100"},
        {L":root{--a:var(--b);--b:var(--a)} #a{width:var(--a, 5px)}", "width", "5"},
        {L":root{--gap:4px;--twice:calc(var(--gap) * 2)} #a{width:calc(var(--twice) * 10)}", "width", "80"},
        {L":root{--c:0, 128, 0} #a{color:rgb(var(--c))}", "color", "0,128,0,255"},
        {L"#a{color:rgba(255, 0, 0, .5)}", "color", "255,0,0,128"},
        {L"#a{color:rgb(0 0 255 / 25%)}", "color", "0,0,255,64"},
        {L"#a{color:#f008}", "color", "255,0,0,136"},
        {L"#a{color:#ff000080}", "color", "255,0,0,128"},
        {L"#a{color:hsl(120, 100%, 25%)}", "color", "0,128,0,255"},
        {L"#a{color:hsla(240, 100%, 50%, 0.5)}", "color", "0,0,255,128"},
        {L"#a{background:currentColor;color:red}", "background", "255,0,0,255"},
        {L"#c{color:blue} #a{color:currentColor}", "color", "0,0,255,255"},
        {L"#a{background:transparent}", "background", "0,0,0,0"},
        {L"#c{opacity:.5} #a{opacity:50%}", "opacity", "64"},
    };
    for (const Case& c : cases) {
        pagetest::Page p(Standards + L"<style>body{margin:0}" + c.css + L"</style><div id=c><div id=a>x</div></div>", 800);
        const ComputedStyle& s = p.Style(L"a");
        std::string what = c.what, got;
        auto rgba = [](const Color& k) {
            return std::to_string(k.r) + "," + std::to_string(k.g) + "," + std::to_string(k.b) + "," + std::to_string(k.a);
        };
        if (what == "width") got = std::to_string(p.Box(L"a").w);
        else if (what == "color") got = rgba(s.color);
        else if (what == "background") got = rgba(s.background);
        else got = std::to_string(s.opacity);
        EXPECT_EQ(got, c.expected) << pagetest::Narrow(c.css);
    }
}

TEST(CurrentCss, FlexibleBoxes)
{
    struct Case {
        const wchar_t* body;
        const char* boxes; // "x,y,w,h" of #a, #b and #c
    } cases[] = {
        {L"<div style=\"display:flex;width:300px\"><div id=a style=\"flex:1\">x</div><div id=b style=\"flex:1\">x</div><div id=c style=\"flex:1\">x</div></div>",
         "0,0,100,18 100,0,100,18 200,0,100,18"},
        {L"<div style=\"display:flex;width:300px\"><div id=a style=\"flex:1\">x</div><div id=b style=\"flex:2\">x</div><div id=c style=\"width:60px\">x</div></div>",
         "0,0,80,18 80,0,160,18 240,0,60,18"},
        {L"<div style=\"display:flex;width:400px;justify-content:space-between\"><div id=a style=\"width:50px\">x</div><div id=b style=\"width:50px\">x</div><div id=c style=\"width:50px\">x</div></div>",
         "0,0,50,18 175,0,50,18 350,0,50,18"},
        {L"<div style=\"display:flex;width:400px;justify-content:center;gap:10px\"><div id=a style=\"width:50px\">x</div><div id=b style=\"width:50px\">x</div><div id=c style=\"width:50px\">x</div></div>",
         "115,0,50,18 175,0,50,18 235,0,50,18"},
        {L"<div style=\"display:flex;width:400px;align-items:center;height:100px\"><div id=a style=\"width:50px;height:20px\">x</div><div id=b style=\"width:50px;height:60px\">x</div><div id=c style=\"flex:1;align-self:flex-end\">x</div></div>",
         "0,40,50,20 50,20,50,60 100,82,300,18"},
        {L"<div style=\"display:flex;width:400px\"><div id=a style=\"width:50px;height:40px\">x</div><div id=b style=\"width:50px\">x</div><div id=c style=\"margin-left:auto;width:50px\">x</div></div>",
         "0,0,50,40 50,0,50,40 350,0,50,40"},
        {L"<div style=\"display:flex;flex-wrap:wrap;width:250px;gap:5px 10px\"><div id=a style=\"width:100px;height:10px\">x</div><div id=b style=\"width:100px;height:20px\">x</div><div id=c style=\"width:100px;height:10px\">x</div></div>",
         "0,0,100,10 110,0,100,20 0,25,100,10"},
        {L"<div style=\"display:flex;flex-direction:column;height:300px\"><div id=a style=\"height:50px\">x</div><div id=b style=\"flex:1\">x</div><div id=c style=\"height:50px;align-self:center;width:40px\">x</div></div>",
         "0,0,800,50 0,50,800,200 380,250,40,50"},
        {L"<div style=\"display:flex;flex-direction:row-reverse;width:300px\"><div id=a style=\"width:50px\">x</div><div id=b style=\"width:60px\">x</div><div id=c style=\"width:70px;order:-1\">x</div></div>",
         "180,0,50,18 120,0,60,18 230,0,70,18"},
        {L"<div style=\"display:flex;width:200px\"><div id=a style=\"width:150px;padding:0 5px;box-sizing:border-box\">x</div><div id=b style=\"width:150px\">x</div><div id=c style=\"flex:0 0 30px\">x</div></div>",
         "0,0,87,18 87,0,83,18 170,0,30,18"},
        {L"<div style=\"display:flex;width:300px\"><div id=a style=\"flex:1 1 0;padding-left:20px\">x</div><div id=b style=\"flex-grow:1\">xxxxxx</div><div id=c>x</div></div>",
         "0,0,132,18 132,0,160,18 292,0,8,18"},
        {L"<div style=\"width:300px\"><span style=\"display:inline-flex\" id=a><span id=b style=\"width:30px\">x</span><span id=c style=\"width:40px\">x</span></span></div>",
         "0,0,70,18 0,0,30,18 30,0,40,18"},
    };
    for (const Case& c : cases) {
        pagetest::Page p(Standards + L"<style>body{margin:0;font:16px 'Times New Roman'}</style>" + c.body, 800);
        std::string got;
        for (const wchar_t* id : {L"a", L"b", L"c"})
            got += (got.empty() ? "" : " ") + pagetest::Text(p.Box(id));
        EXPECT_EQ(got, c.boxes) << pagetest::Narrow(c.body);
    }
}

TEST(CurrentCss, GeneratedContentAndTextTransform)
{
    pagetest::Page p(Standards +
                         L"<style>body{margin:0;font:16px 'Times New Roman'}"
                         L"#a::before{content:'';display:block;height:10px;background:red} #b:after{content:'xx'}"
                         L"#c{text-transform:uppercase} #d::before{content:'[' attr(title) '] '} #e::after{content:'\\2014'}"
                         L"@media (max-width: 500px){#b::after{content:none}}</style>"
                         L"<p id=a>x</p><span id=b>x</span><br><span id=c>xx</span><br><span id=d title=ab>x</span><br>"
                         L"<span id=e>x</span><br><span id=f style='text-transform:capitalize'>foo<b>bar</b> baz</span>",
                     800);
    EXPECT_EQ(pagetest::Text(p.Box(L"a")), "0,16,800,28");
    EXPECT_EQ(p.Box(L"b").w, 24);
    EXPECT_EQ(p.Box(L"c").w, 23);
    EXPECT_EQ(p.Box(L"d").w, 38);
    EXPECT_EQ(p.Box(L"e").w, 24);
    EXPECT_EQ(p.Box(L"f").w, 78); // "Foobar Baz": a word goes on across the bold element
    // The generated box stands for its element, and goes when its rule no longer holds.
    EXPECT_EQ(p.doc.ElementFromPoint(5, 20).id(), L"a");
    p.doc.Layout(400, 600);
    EXPECT_EQ(p.Box(L"b").w, 8);
    p.doc.Layout(800, 600);
    EXPECT_EQ(p.Box(L"b").w, 24);
}
