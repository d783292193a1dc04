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
