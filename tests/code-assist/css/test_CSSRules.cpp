// Where the caret of a style text stands, and the list the CSS popup offers.
#include "ModFileOps.h"
#include "WindowTest.h"
#include "css/CSSList.h"
#include "css/CSSRules.h"

#include <gtest/gtest.h>

namespace {

TEST(CSSRules, ContextIsThePropertyBeforeTheCaret)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* property;
    } cases[] = {
        {L"  color: ", L"color"},
        {L"a{color", L"color"},
        {L"", L""},
        {L"p {\r\n", L""},
        {L"  color: re", L"color"},
        {L"p { margin: 0; padding", L"padding"},
        {L"p { margin: 0;\r  background: url(a:b) no", L"background"},
        {L"<p style=\"color: bl", L"color"},
        {L"<p STYLE='margin:0;padding", L"padding"},
        {L"<p style=\"font-family: 'A b', sa", L"font-family"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSSContextOf(c.text, static_cast<long>(wcslen(c.text))), c.property) << c.text;
}

TEST(CSSRules, RuleGivesThePartialTextInsideItsRule)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* partial;
        long length;
        CSSRuleKind kind;
    } cases[] = {
        {L"p{color:re", L"re", 2, CSSRuleKind::Value},
        {L"p{col", L"col", 3, CSSRuleKind::Property},
        {L"p{color:red;fo", L"fo", 2, CSSRuleKind::Property},
        {L"color", L"", 0, CSSRuleKind::Property},
        {L"p {\r\n  marg", L"marg", 4, CSSRuleKind::Property},
        {L"p{color: red}\r\nh1", L"", 0, CSSRuleKind::Property},
        {L"p{color: red}\r\nh1 { color: bl", L"bl", 2, CSSRuleKind::Value},
        // A page's style attribute holds declarations as a rule does.
        {L"<p style=\"col", L"col", 3, CSSRuleKind::Property},
        {L"<p style=\"margin: 0; color: ", L"", 0, CSSRuleKind::Value},
        {L"<p style=\"color: re", L"re", 2, CSSRuleKind::Value},
        {L"<style>p{color:red}</style><P STYLE='font-family: \"A b\", sa", L"\"A b\", sa", 9, CSSRuleKind::Value},
        {L"<p style=\"color: red\">te", L"", 0, CSSRuleKind::Property},
    };
    for (const Case& c : cases) {
        long length = -1;
        CSSRuleKind kind = CSSRuleKind::Value;
        EXPECT_EQ(CSSRuleOf(c.text, static_cast<long>(wcslen(c.text)), length, kind), c.partial) << c.text;
        EXPECT_EQ(length, c.length) << c.text;
        EXPECT_EQ(kind, c.kind) << c.text;
    }
}

TEST(CSSList, ReferencesAndCodes)
{
    EXPECT_EQ(CSSReferenceTarget(L"border-style ->"), L"border-style");
    EXPECT_EQ(CSSReferenceTarget(L"a>"), L"");
    EXPECT_EQ(CSSReferenceTarget(L"->>"), L"");
    EXPECT_EQ(CSSReferenceTarget(L"red"), L"");
    EXPECT_EQ(CSSValueCode(L"border-style ->"), 2);
    EXPECT_EQ(CSSValueCode(L"url()"), 1);
    EXPECT_EQ(CSSValueCode(L"red"), 0);
}

TEST(CSSList, ChoosingAnItem)
{
    ClsDic list;
    list.Add(L"color", L"red,blue");
    list.Add(L"border-style", L"solid");
    using A = CSSChoice::Action;
    struct Case {
        const wchar_t* item;
        CSSRuleKind kind;
        A action;
        long start;
        const wchar_t* text;
        const wchar_t* next;
    } cases[] = {
        {L"url()", CSSRuleKind::Value, A::None, 0, L"", L""},
        {L"border-style ->", CSSRuleKind::Value, A::ShowValues, 0, L"", L"border-style"},
        {L"unknown ->", CSSRuleKind::Value, A::None, 0, L"", L""},
        {L"->", CSSRuleKind::Value, A::None, 0, L"", L""},
        {L"red", CSSRuleKind::Value, A::Replace, 8, L"red; ", L""},
        {L"color", CSSRuleKind::Property, A::Replace, 8, L"color: ", L"color"},
    };
    for (const Case& c : cases) {
        CSSChoice choice = ChooseCSSItem(list, c.item, 10, 2, c.kind);
        EXPECT_EQ(choice.action, c.action) << c.item;
        if (choice.action == A::Replace) {
            EXPECT_EQ(choice.start, c.start) << c.item;
            EXPECT_EQ(choice.text, c.text) << c.item;
        }
        EXPECT_EQ(choice.showValuesOf, c.next) << c.item;
    }
}

TEST(CSSList, ReadSkipsEmptyAndRepeatedEntries)
{
    std::wstring ini = wt::ScratchFolder(L"csslist") + L"\\c.ini";
    ModFileOps::WriteTextFile(ini, L"[css]\r\ncolor=red,blue\r\nempty=\r\nCOLOR=green\r\nfloat=left,,right\r\n");
    ClsDic list;
    ASSERT_EQ(ReadCSSList(ini, list), 0);
    std::vector<CSSItem> items;
    EXPECT_FALSE(CSSPopupItems(list, L"empty", items));
    ASSERT_TRUE(CSSPopupItems(list, L"Color", items));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].text, L"blue");
    ASSERT_TRUE(CSSPopupItems(list, L"{", items));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].text, L"float");
    ASSERT_TRUE(CSSPopupItems(list, L"float", items));
    EXPECT_EQ(items.size(), 2u);

    ModFileOps::WriteTextFile(ini, L"[other]\r\na=b\r\n");
    EXPECT_EQ(ReadCSSList(ini, list), -2);
    EXPECT_EQ(ReadCSSList(ini + L".missing", list), -1);
}

TEST(CSSList, ShippedListCoversTheStandardProperties)
{
    ClsDic list;
    ASSERT_EQ(ReadCSSList(wt::ProgramFolder() + L"\\Settings\\tarnelc.ini", list), 0);
    const wchar_t* properties[] = {
        L"azimuth", L"background", L"background-attachment", L"background-color", L"background-image",
        L"background-position", L"background-repeat", L"border", L"border-bottom", L"border-bottom-color",
        L"border-bottom-style", L"border-bottom-width", L"border-collapse", L"border-color", L"border-left",
        L"border-left-color", L"border-left-style", L"border-left-width", L"border-right",
        L"border-right-color", L"border-right-style", L"border-right-width", L"border-spacing",
        L"border-style", L"border-top", L"border-top-color", L"border-top-style", L"border-top-width",
        L"border-width", L"bottom", L"caption-side", L"clear", L"clip", L"color", L"content",
        L"counter-increment", L"counter-reset", L"cue", L"cue-after", L"cue-before", L"cursor",
        L"direction", L"display", L"elevation", L"empty-cells", L"float", L"font", L"font-family",
        L"font-size", L"font-style", L"font-variant", L"font-weight", L"height", L"left",
        L"letter-spacing", L"line-height", L"list-style", L"list-style-image", L"list-style-position",
        L"list-style-type", L"margin", L"margin-bottom", L"margin-left", L"margin-right", L"margin-top",
        L"max-height", L"max-width", L"min-height", L"min-width", L"orphans", L"outline",
        L"outline-color", L"outline-style", L"outline-width", L"overflow", L"padding", L"padding-bottom",
        L"padding-left", L"padding-right", L"padding-top", L"page-break-after", L"page-break-before",
        L"page-break-inside", L"pause", L"pause-after", L"pause-before", L"pitch", L"pitch-range",
        L"play-during", L"position", L"quotes", L"richness", L"right", L"speak", L"speak-header",
        L"speak-numeral", L"speak-punctuation", L"speech-rate", L"stress", L"table-layout",
        L"text-align", L"text-decoration", L"text-indent", L"text-transform", L"top", L"unicode-bidi",
        L"vertical-align", L"visibility", L"voice-family", L"volume", L"white-space", L"widows",
        L"width", L"word-spacing", L"z-index"};
    for (const wchar_t* p : properties)
        EXPECT_TRUE(list.Exists(p)) << p;
    // Every reference names a property the list holds.
    for (const std::wstring& name : list.Keys()) {
        std::vector<CSSItem> items;
        CSSPopupItems(list, name, items);
        for (const CSSItem& item : items)
            if (item.code == 2)
                EXPECT_TRUE(list.Exists(CSSReferenceTarget(item.text))) << item.text.c_str();
    }
}

} // namespace
