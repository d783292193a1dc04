// The element information the preview shows, from the document surface.
#include <gtest/gtest.h>

#include "PageFixture.h"
#include "preview/ElementInfo.h"

using namespace html;

TEST(ElementInfo, TextForTheElementUnderTheMouse)
{
    pagetest::Page p(L"<!DOCTYPE html><style>#logo{color:red} DIV.note{margin:0} P{color:blue} .a{color:green}</style>"
                     L"<body style='margin:0'><img id=logo src=a.gif width=10 height=20>"
                     L"<div class='a b' id=two style='height:10px'></div>"
                     L"<div class=note id=n style='height:10px;font-weight:bold'></div><a id=l href='x.html#top'>x</a>",
                     400, 300);
    StyleRuleLists rules = LoadStyleRules(p.doc);
    EXPECT_EQ(rules.idNames, std::vector<std::wstring>{L"LOGO"});
    EXPECT_EQ(rules.classNames, (std::vector<std::wstring>{L"NOTE", L"A"}));
    std::wstring base = p.doc.Path().substr(0, p.doc.Path().rfind(L'\\') + 1);
    std::wstring url = L"file:///" + base;
    for (wchar_t& c : url)
        if (c == L'\\')
            c = L'/';
    struct Case {
        const wchar_t* id;
        std::wstring text;
    } cases[] = {
        {L"logo", L"IMG\r\n" + url + L"a.gif\r\nW: 10 H: 20\r\nID: logo\r\n\r\nID Style: COLOR: red"},
        {L"two", L"DIV\r\nID: two\r\nClass: a b\r\n\r\nInline Style: HEIGHT: 10px"},
        {L"n", L"DIV\r\nID: n\r\nClass: note\r\n\r\nClass Style: MARGIN: 0\r\n\r\nInline Style: HEIGHT: 10px; FONT-WEIGHT: bold"},
        {L"l", L"A\r\n" + url + L"x.html#top\r\nID: l"},
    };
    for (const Case& c : cases) {
        Rect box = p.Box(c.id);
        HtmlElement e = p.doc.ElementFromPoint(box.x + 1, box.y + 1);
        EXPECT_EQ(ElementInformation(rules, e), c.text) << pagetest::Narrow(c.id);
    }
}

TEST(HtmlDocumentSurface, TitleScrollAndAnchors)
{
    pagetest::WriteFile(L"linked.css", "p{color:red}");
    pagetest::Page quirks(L"<title>\n  A   page\t</title><link rel=stylesheet href=linked.css>"
                          L"<a name=mid></a><div style='height:3000px'></div><p id=end>e", 400, 500);
    EXPECT_EQ(quirks.doc.title(), L"A page");
    EXPECT_EQ(quirks.doc.compatMode(), L"BackCompat");
    ASSERT_EQ(quirks.doc.styleSheets().size(), 1u);
    EXPECT_EQ(quirks.doc.styleSheets()[0].href.substr(0, 8), L"file:///");
    // Quirks mode: body carries the scroll offset; documentElement reads 0 and ignores a set.
    quirks.doc.body().scrollTop(600);
    EXPECT_EQ(quirks.doc.body().scrollTop(), 600);
    EXPECT_EQ(quirks.doc.documentElement().scrollTop(), 0);
    quirks.doc.documentElement().scrollTop(100);
    EXPECT_EQ(quirks.doc.ScrollTop(), 600);
    quirks.doc.body().scrollTop(1000000);
    EXPECT_EQ(quirks.doc.ScrollTop(), quirks.doc.Boxes().height - 500);
    quirks.doc.body().scrollTop(-5);
    EXPECT_EQ(quirks.doc.ScrollTop(), 0);
    EXPECT_EQ(quirks.doc.AnchorTop(L"end"), quirks.Box(L"end").y);
    EXPECT_GE(quirks.doc.AnchorTop(L"mid"), 0);
    EXPECT_EQ(quirks.doc.AnchorTop(L"nowhere"), -1);
    EXPECT_EQ(quirks.doc.AnchorTop(L""), 0);

    std::wstring error;
    html::HtmlDocument missing;
    EXPECT_FALSE(missing.Load(pagetest::ScratchFolder() + L"\\absent.html", error));
    EXPECT_NE(error.find(L"could not be read"), std::wstring::npos);
    missing.Layout(300, 300);
    EXPECT_EQ(missing.title(), L"");
}
