// The cascade, inheritance, presentational attributes and computed values.
#include <gtest/gtest.h>

#include <cstdio>

#include "PageFixture.h"
#include "html/style/CssParser.h"

using namespace html;

namespace {

std::string Hex(const Color& c)
{
    char buf[16];
    snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
    return c.a ? buf : "transparent";
}

std::string Px(float v)
{
    char buf[32];
    snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

// One computed value as text.
std::string Value(const ComputedStyle& s, const std::string& prop)
{
    if (prop == "color") return Hex(s.color);
    if (prop == "background") return Hex(s.background);
    if (prop == "font-size") return Px(s.fontSize);
    if (prop == "font-weight") return std::to_string(s.fontWeight);
    if (prop == "font-family") return pagetest::Narrow(s.fontFamily);
    if (prop == "width") return s.width.kind == Len::Px ? Px(s.width.v) : s.width.kind == Len::Percent ? Px(s.width.v) + "%" : "auto";
    if (prop == "margin-left") return s.margin[Left].IsAuto() ? "auto" : Px(s.margin[Left].v);
    if (prop == "padding-top") return Px(s.padding[Top].v);
    if (prop == "border-top") return std::to_string(s.Border(Top));
    if (prop == "display") return std::to_string(static_cast<int>(s.display));
    if (prop == "text-align") return std::to_string(static_cast<int>(s.textAlign));
    if (prop == "underline") return (s.decorationsInEffect & ComputedStyle::Underline) ? "yes" : "no";
    if (prop == "float") return std::to_string(static_cast<int>(s.floating));
    if (prop == "white-space") return std::to_string(static_cast<int>(s.whiteSpace));
    if (prop == "list-style") return std::to_string(static_cast<int>(s.listStyle));
    if (prop == "vertical-align") return std::to_string(static_cast<int>(s.verticalAlign));
    if (prop == "line-height") return s.lineHeight.kind == Len::Auto ? "normal" : Px(s.lineHeight.v) + (s.lineHeight.kind == Len::Number ? "x" : "");
    if (prop == "visible") return s.visible ? "yes" : "no";
    if (prop == "overflow") return s.overflowHidden ? "hidden" : "visible";
    if (prop == "z-index") return s.zAuto ? "auto" : std::to_string(s.zIndex);
    if (prop == "top") return s.offset[Top].kind == Len::Px ? Px(s.offset[Top].v) : s.offset[Top].kind == Len::Percent ? Px(s.offset[Top].v) + "%" : "auto";
    if (prop == "bg-x") return Px(s.backgroundX.v) + (s.backgroundX.kind == Len::Percent ? "%" : "");
    if (prop == "bg-repeat") return std::to_string(static_cast<int>(s.backgroundRepeat));
    if (prop == "italic") return s.italic ? "yes" : "no";
    if (prop == "border-color") return Hex(s.BorderColor(Top));
    if (prop == "text-indent") return Px(s.textIndent.v);
    if (prop == "position") return std::to_string(static_cast<int>(s.position));
    if (prop == "clear") return std::to_string(static_cast<int>(s.clear));
    return "?";
}

} // namespace

TEST(HtmlStyle, CascadeInheritanceAndComputedValues)
{
    const std::wstring standards = L"<!DOCTYPE html>";
    struct Case {
        const wchar_t* css;
        const wchar_t* body;
        const char* prop;
        const char* expected;
        bool quirks = false;
    } cases[] = {
        // Specificity, order, importance, inline style.
        {L"#a{color:red} .b{color:blue} p{color:green}", L"<p id=a class=b>", "color", "#ff0000"},
        {L".b{color:blue} .b{color:red}", L"<p id=a class=b>", "color", "#ff0000"},
        {L"#a{color:red} p{color:blue !important}", L"<p id=a>", "color", "#0000ff"},
        {L"#a{color:red}", L"<p id=a style='color:lime'>", "color", "#00ff00"},
        {L"p{color:blue !important}", L"<p id=a style='color:red'>", "color", "#0000ff"},
        {L"div p{color:red} div > p{color:blue} body > p{color:green}", L"<div><p id=a>", "color", "#0000ff"},
        {L"h1, #a ,h2{color:red}", L"<p id=a>", "color", "#ff0000"},
        {L"input[type=text]{width:10px} [disabled]{width:20px}", L"<input id=a type=text disabled>", "width", "10"},
        {L"p:first-child{color:red}", L"<div><p id=a></p><p id=b>", "color", "#ff0000"},
        {L"a:hover{color:red}", L"<a id=a href=x>", "color", "#0000ee"},
        {L"#a{line-height:1.5}", L"<p id=a>", "line-height", "1.5x"},
        {L"#a{line-height:150%;font-size:20px}", L"<p id=a>", "line-height", "30"},
        {L"div{line-height:2em;font-size:10px}", L"<div><p id=a style='font-size:30px'>", "line-height", "20"},
        {L"#a{vertical-align:-3px}", L"<span id=a>", "vertical-align", "8"},
        {L"#a{visibility:hidden}", L"<div><span id=a>", "visible", "no"},
        {L"div{visibility:hidden}", L"<div><span id=a>", "visible", "no"},
        {L"#a{overflow:auto}", L"<div id=a>", "overflow", "hidden"},
        {L"#a{z-index:5;position:absolute;top:10%}", L"<div id=a>", "z-index", "5"},
        {L"#a{z-index:5;position:absolute;top:10%}", L"<div id=a>", "top", "10%"},
        {L"#a{z-index:5;position:absolute;top:10%}", L"<span id=a>", "display", "1"},
        {L"#a{background:url(a.gif) right top repeat-y}", L"<div id=a>", "bg-x", "100%"},
        {L"#a{background:url(a.gif) right top repeat-y}", L"<div id=a>", "bg-repeat", "2"},
        {L"#a{background-position:10px 5px}", L"<div id=a>", "bg-x", "10"},
        {L"#a{font:italic 12px serif}", L"<div id=a>", "italic", "yes"},
        {L"#a{color:rgb(100%, 0%, 50%);border:1px solid}", L"<div id=a>", "border-color", "#ff0080"},
        {L"#a{color:red;border-color:blue}", L"<div id=a>", "border-color", "#0000ff"},
        {L"div{color:red} #a{color:blue;color:inherit}", L"<div><p id=a>", "color", "#ff0000"},
        {L"#a{text-indent:2em;font-size:10px}", L"<p id=a>", "text-indent", "20"},
        {L"#a{position:fixed;clear:left}", L"<p id=a>", "position", "3"},
        {L"#a{position:fixed;clear:left}", L"<p id=a>", "clear", "1"},
        {L"#a{color:#abc;background-color:transparent}", L"<p id=a>", "background", "transparent"},
        {L"#a{COLOR:RED}", L"<p id=a>", "color", "#ff0000"},
        {L"/* #a{color:red} */ #a{color:blue} <!-- -->", L"<p id=a>", "color", "#0000ff"},
        {L"#a{color:red} #a{color:blue!important} #a{color:green}", L"<p id=a>", "color", "#0000ff"},
        {L"", L"<p id=a style='color:red;color:bogus'>", "color", "#ff0000"},
        {L"", L"<hr id=a size=6 noshade>", "background", "#808080"},
        {L"", L"<img id=a hspace=7>", "margin-left", "7"},
        {L"", L"<center><p id=a>", "text-align", "4"},
        {L"", L"<th id=a>", "font-weight", "700"},
        {L"", L"<pre id=a>", "white-space", "1"},
        {L"", L"<h1 id=a>", "font-size", "32"},
        {L"", L"<small><span id=a>", "font-size", "13.3333"},
        {L"", L"<ul><ul><li id=a>", "list-style", "1"},
        // Inheritance.
        {L"div{color:red;border:1px solid}", L"<div><span id=a>", "color", "#ff0000"},
        {L"div{color:red;border:1px solid}", L"<div><span id=a>", "border-top", "0"},
        {L"div{font-size:20px} p{font-size:1.5em;margin-left:2em}", L"<div><p id=a>", "font-size", "30"},
        {L"div{font-size:20px} p{font-size:1.5em;margin-left:2em}", L"<div><p id=a>", "margin-left", "60"},
        {L"div{font-size:20px} span{font-size:50%}", L"<div><span id=a>", "font-size", "10"},
        {L"div{text-decoration:underline}", L"<div><span id=a>", "underline", "yes"},
        // Units.
        {L"#a{width:72pt}", L"<p id=a>", "width", "96"},
        {L"#a{width:2.54cm}", L"<p id=a>", "width", "96"},
        {L"#a{width:25.4mm}", L"<p id=a>", "width", "96"},
        {L"#a{width:1in}", L"<p id=a>", "width", "96"},
        {L"#a{width:50%}", L"<p id=a>", "width", "50%"},
        {L"#a{width:-5px;width:bogus}", L"<p id=a>", "width", "auto"},
        {L"#a{margin:1px 2px 3px}", L"<p id=a>", "margin-left", "2"},
        {L"#a{margin:0 auto}", L"<p id=a>", "margin-left", "auto"},
        {L"#a{font:bold 12px/30px Verdana, sans-serif}", L"<p id=a>", "font-family", "Verdana,sans-serif"},
        {L"#a{font:bold 12px/30px Verdana, sans-serif}", L"<p id=a>", "font-weight", "700"},
        {L"#a{background:url(x.png) no-repeat #123456}", L"<p id=a>", "background", "#123456"},
        {L"#a{border:thick double rgb(0, 128, 255)}", L"<p id=a>", "border-top", "5"},
        {L"#a{border-width:4px;border-style:none}", L"<p id=a>", "border-top", "0"},
        {L"#a{list-style:square inside}", L"<ul><li id=a>", "list-style", "2"},
        // Presentational attributes, below every author rule.
        {L"", L"<font id=a color=red size=5>", "color", "#ff0000"},
        {L"", L"<font id=a color=red size=5>", "font-size", "24"},
        {L"", L"<font id=a size=+1>", "font-size", "18"},
        {L"", L"<font id=a face='Courier New, mono'>", "font-family", "Courier New,mono"},
        {L"font{color:blue}", L"<font id=a color=red>", "color", "#0000ff"},
        {L"", L"<body text=navy><p id=a>", "color", "#000080"},
        {L"", L"<body link=#ff0000><a id=a href=x>", "color", "#ff0000"},
        {L"", L"<body bgcolor=yellow id=a>", "background", "#ffff00"},
        {L"", L"<table cellpadding=7><tr><td id=a>", "padding-top", "7"},
        {L"", L"<table border=2><tr><td id=a>", "border-top", "1"},
        {L"", L"<table><tr><td id=a bgcolor=#00ff00 nowrap valign=top>", "background", "#00ff00"},
        {L"", L"<table><tr><td id=a bgcolor=#00ff00 nowrap valign=top>", "white-space", "2"},
        {L"", L"<table><tr valign=bottom><td id=a>", "vertical-align", "6"},
        {L"", L"<img id=a align=left width=30>", "float", "1"},
        {L"", L"<img id=a align=left width=30>", "width", "30"},
        {L"", L"<div align=center><p id=a>", "text-align", "4"},
        {L"", L"<a id=a href=x>", "underline", "yes"},
        {L"", L"<ol type=a><li id=a>", "list-style", "4"},
        // Quirks mode: case-blind class names, tables do not inherit the body's font.
        {L".Note{color:red}", L"<p id=a class=note>", "color", "#ff0000", true},
        {L".Note{color:red}", L"<p id=a class=note>", "color", "#000000", false},
        {L"body{font-size:20px;font-weight:bold}", L"<table><tr><td id=a>", "font-size", "16", true},
        {L"body{font-size:20px;font-weight:bold}", L"<table><tr><td id=a>", "font-size", "20", false},
        {L"#a{width:120;color:ff0000}", L"<p id=a>", "width", "120", true},
        {L"#a{width:120;color:ff0000}", L"<p id=a>", "width", "auto", false},
        // Broken sheets keep what can be read.
        {L"p{color:red;;; width: } garbage { } .x{color:blue} @media print{p{color:green}}", L"<p id=a class=x>",
         "color", "#0000ff"},
        {L"@media screen{#a{color:red}} @font-face{font-family:x} #a{}", L"<p id=a>", "color", "#ff0000"},
        {L"p, [bad{color:red} p{width:5px}", L"<p id=a>", "color", "#000000"},
    };
    for (const Case& c : cases) {
        std::wstring page = (c.quirks ? L"" : standards) + L"<style>" + c.css + L"</style>" + c.body;
        pagetest::Page p(page);
        EXPECT_EQ(Value(p.Style(L"a"), c.prop), c.expected)
            << pagetest::Narrow(c.css) << " / " << pagetest::Narrow(c.body) << " / " << c.prop;
    }
}

TEST(HtmlStyle, MonospaceTextIsSmallerWhereItsSizeComesFromAKeyword)
{
    const struct {
        const wchar_t* body;
        const char* size;
    } cases[] = {
        {L"<tt id=a>x</tt>", "13"},
        {L"<pre id=a style='font-size:100%'>x</pre>", "13"},
        {L"<code id=a style='font-size:1em'>x</code>", "13"},
        {L"<div style='font-size:20px'><tt id=a>x</tt></div>", "20"},
        {L"<div style='font-size:large'><tt id=a>x</tt></div>", "16"},
        {L"<div style='font-size:80%'><tt id=a>x</tt></div>", "10.4"},
        {L"<tt id=a style='font-family:monospace,serif'>x</tt>", "16"},
        {L"<tt><span id=a style='font-size:2em'>x</span></tt>", "26"},
        {L"<tt><span id=a style='font-family:serif'>x</span></tt>", "16"},
        {L"<textarea id=a></textarea>", "13.33"},
    };
    for (const auto& c : cases) {
        pagetest::Page p(std::wstring(L"<!DOCTYPE html>") + c.body);
        EXPECT_EQ(Px(p.Style(L"a").fontSize), c.size) << pagetest::Narrow(c.body);
    }
}

TEST(HtmlStyle, RulesAsTheDocumentReportsThem)
{
    pagetest::Page p(L"<style>div.note, #logo IMG { color : red; font-weight:bold !important }\n"
                     L"p{}</style><link rel=stylesheet href='http://example.com/x.css'><p>");
    const auto& sheets = p.doc.styleSheets();
    ASSERT_EQ(sheets.size(), 1u);
    ASSERT_EQ(sheets[0].rules.size(), 3u);
    EXPECT_EQ(sheets[0].rules[0].selectorText, L"DIV.note");
    EXPECT_EQ(sheets[0].rules[1].selectorText, L"#logo IMG");
    EXPECT_EQ(sheets[0].rules[0].cssText, L"COLOR: red; FONT-WEIGHT: bold !important");
    EXPECT_EQ(sheets[0].rules[2].cssText, L"");
}

TEST(HtmlStyle, LinkedAndImportedSheetsReadOnce)
{
    pagetest::WriteFile(L"one.css", "@import 'two.css'; #a{color:red}");
    pagetest::WriteFile(L"two.css", "@import url(one.css); #a{width:10px} #b{color:blue}");
    pagetest::Page p(L"<link rel=stylesheet href=one.css><link rel=stylesheet href=nothere.css><p id=a><p id=b>");
    EXPECT_EQ(Value(p.Style(L"a"), "color"), "#ff0000");
    EXPECT_EQ(Value(p.Style(L"a"), "width"), "10");
    EXPECT_EQ(Value(p.Style(L"b"), "color"), "#0000ff");
    EXPECT_EQ(p.doc.styleSheets().size(), 1u);
}
