// Style sheet text into rules and selectors, broken parts dropped as browsers drop them.
#include <gtest/gtest.h>

#include "PageFixture.h"
#include "html/style/CssParser.h"

using namespace html;

namespace {

// "selector{cssText}" per rule, then "@import target" per import, of those
// that hold on an 800 by 600 screen.
std::wstring Summary(const StyleSheet& sheet)
{
    std::wstring out;
    MediaEnv screen;
    for (const StyleRule& r : sheet.rules)
        if (RuleApplies(sheet, r, screen))
            out += r.selectorText + L"{" + CssText(r.declarations) + L"}";
    for (const CssImport& i : sheet.imports)
        if (i.media.Matches(screen))
            out += L"@import " + i.target;
    return out;
}

} // namespace

TEST(CssParser, RulesAtRulesAndRecovery)
{
    struct Case {
        const wchar_t* css;
        const wchar_t* summary;
    } cases[] = {
        {L"p{color:red}", L"p{COLOR: red}"},
        {L"h1,h2 { margin : 0 ; }", L"h1{MARGIN: 0}h2{MARGIN: 0}"},
        {L"@import url(\"a.css\"); @import 'b.css' screen; @import url(c.css) print; p{}", L"p{}@import a.css@import b.css"},
        {L"p{} @import 'late.css';", L"p{}"},
        {L"@charset \"utf-8\"; @media print{p{color:red}} @media screen, print{b{color:blue}}", L"b{COLOR: blue}"},
        {L"@font-face{font-family:x;src:url(x.ttf)} @page{margin:1cm} i{x:y}", L"i{X: y}"},
        {L"a{content:'}'; color:red}", L"a{CONTENT: '}'; COLOR: red}"},
        {L"a{color:red/* note */;/*x*/width:1px}", L"a{COLOR: red; WIDTH: 1px}"},
        {L"a{color:red !important;width:1px ! important}", L"a{COLOR: red !important; WIDTH: 1px !important}"},
        {L"a{color:red;;;:x;y:;z}", L"a{COLOR: red}"},
        {L"a{color:red} }}} b{color:blue}", L"a{COLOR: red}b{COLOR: blue}"},
        {L"a{color:red", L"a{COLOR: red}"},
        {L"<!-- p{color:red} -->", L"p{COLOR: red}"},
        {L"div > p + ul ~ em{x:1}", L"div > p + ul ~ em{X: 1}"},
        {L"#a.b[c=\"d e\"]:link{x:1}", L"#a.b[c=\"d e\"]:link{X: 1}"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Summary(ParseStyleSheet(c.css)), c.summary) << pagetest::Narrow(c.css);
}

TEST(CssParser, SelectorSpecificity)
{
    struct Case {
        const wchar_t* selector;
        int specificity; // -1: not a selector
    } cases[] = {
        {L"*", 0},
        {L"p", 1},
        {L"div p", 2},
        {L".a", 100},
        {L"p.a.b", 201},
        {L"#x", 10000},
        {L"#x div.a > p[title]:first-child", 10000 + 300 + 2},
        {L"a:link", 101},
        {L"a::before", 2},
        {L"p:first-line", 2},
        {L"li:not(.a, #b)", 10001},
        {L":where(#a) p", 1},
        {L"li:nth-child(2n+1)", 101},
        {L"li:nth-child(2n+)", -1},
        {L"a::before p", -1},
        {L"p..a", -1},
        {L"p >", -1},
        {L"[", -1},
        {L"", -1},
    };
    for (const Case& c : cases) {
        Selector s = ParseSelector(c.selector);
        EXPECT_EQ(s.valid ? s.specificity : -1, c.specificity) << pagetest::Narrow(c.selector);
    }
}
