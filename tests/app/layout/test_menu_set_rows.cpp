#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "MenuSetRows.h"

using namespace MenuSetRows;

namespace {

// The window as far as the sets touch it: each (item, property) last set.
using State = std::map<std::pair<Item, Property>, long>;

void Apply(State& s, const Plan& p)
{
    for (const Change& c : p.changes)
        s[{c.item, c.property}] = c.value;
}

long Get(const State& s, Item item, Property prop)
{
    auto it = s.find({item, prop});
    return it == s.end() ? -1 : it->second;
}

Inputs Settings(long autoBars, bool noLineDebug = false)
{
    Inputs in;
    in.scaleHeight = 9000;
    in.autoBars = autoBars;
    in.noLineDebug = noLineDebug;
    in.tbarCWidth = 900;
    in.tbarDLeft = 16000;
    return in;
}

Plan ModePlan(Mode mode, const Inputs& in)
{
    switch (mode) {
    case Mode::Css: return ScriptPlan(EditorType::CSS, in);
    case Mode::VBScript: return ScriptPlan(EditorType::VBScript, in);
    case Mode::JavaScript: return ScriptPlan(EditorType::JavaScript, in);
    default: return HtmlPlan(in);
    }
}

const Item kModeItems[] = {Item::mCSSEd, Item::mScrShow, Item::mJScrShow, Item::mWebBack};

} // namespace

TEST(MenuSetRows, EachModeChecksOnlyItsOwnItemWhateverCameBefore)
{
    const Mode modes[] = {Mode::Html, Mode::VBScript, Mode::Css, Mode::JavaScript, Mode::Html, Mode::Css};
    State s;
    for (Mode mode : modes) {
        Apply(s, ModePlan(mode, Settings(0)));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Get(s, kModeItems[i], Property::Checked), i == static_cast<int>(mode) ? 1 : 0)
                << "mode " << static_cast<int>(mode) << " item " << i;
    }
    EXPECT_EQ(std::wstring(ModeItemOf(Mode::JavaScript).typeName), L"Javascript");
    EXPECT_EQ(std::wstring(ModeItemOf(Mode::Html).caption), L"&HTML Editor (+ PHP, ASP, DHTML)");
}

TEST(MenuSetRows, ScriptSetsAfterHtmlHideHtmlToolsAndShowTheirOwn)
{
    State s;
    Apply(s, HtmlPlan(Settings(0)));
    EXPECT_EQ(Get(s, Item::ButB14, Property::Left), 5030);
    EXPECT_EQ(Get(s, Item::ButB15, Property::Left), 5870);
    EXPECT_EQ(Get(s, Item::TBarC, Property::Visible), 0);

    Apply(s, ScriptPlan(EditorType::VBScript, Settings(0)));
    EXPECT_EQ(Get(s, Item::ButB14, Property::Visible), 0);
    EXPECT_EQ(Get(s, Item::ButB24, Property::Visible), 0);
    EXPECT_EQ(Get(s, Item::mUpHTML, Property::Visible), 0);
    EXPECT_EQ(Get(s, Item::mDebug, Property::Visible), 1);
    EXPECT_EQ(Get(s, Item::mCom, Property::Visible), 1);
    EXPECT_EQ(Get(s, Item::ButB15, Property::Left), 4970);
    EXPECT_EQ(Get(s, Item::TBarC, Property::Left), 5700);
    EXPECT_EQ(Get(s, Item::Line2_4, Property::Left), 5690);
    EXPECT_EQ(Get(s, Item::FrCSS, Property::Visible), 0);

    Apply(s, ScriptPlan(EditorType::CSS, Settings(0)));
    EXPECT_EQ(Get(s, Item::FrCSS, Property::Visible), 1);
    for (Item gone : {Item::ButB15, Item::ButB16, Item::ButB17, Item::TBarC, Item::Line2_4, Item::BoxMethods,
                      Item::mDebug, Item::mCom, Item::mLineCase})
        EXPECT_EQ(Get(s, gone, Property::Visible), 0) << static_cast<int>(gone);
    EXPECT_EQ(Get(s, Item::mFuncPop1, Property::Enabled), 0);
    EXPECT_EQ(Get(s, Item::mAutoSet, Property::Enabled), 0);

    Apply(s, ScriptPlan(EditorType::JavaScript, Settings(0)));
    EXPECT_EQ(Get(s, Item::TBarC, Property::Left), 5110);
    EXPECT_EQ(Get(s, Item::Line2_4, Property::Left), 5010);
    EXPECT_EQ(Get(s, Item::mAutoSet, Property::Enabled), 1);
    EXPECT_EQ(Get(s, Item::mComPop, Property::Visible), 0);
    EXPECT_EQ(Get(s, Item::mtemp2, Property::Visible), 1);
    EXPECT_EQ(Get(s, Item::FrCSS, Property::Visible), 0);

    Apply(s, HtmlPlan(Settings(0)));
    EXPECT_EQ(Get(s, Item::HiBox0, Property::Visible), 0);
    EXPECT_EQ(Get(s, Item::bview2_1, Property::Visible), 1);
    // The HTML set leaves the script group where the last script set put it.
    EXPECT_EQ(Get(s, Item::TBarC, Property::Left), 5110);
}

TEST(MenuSetRows, OtherTypeGetsOnlyTheCommonPart)
{
    State s;
    Apply(s, HtmlPlan(Settings(0)));
    Plan p = ScriptPlan(EditorType::ASP, Settings(0));
    EXPECT_EQ(p.lastEdType, EditorType::ASP);
    Apply(s, p);
    EXPECT_EQ(Get(s, Item::mWebBack, Property::Checked), 0);
    EXPECT_EQ(Get(s, Item::ButB14, Property::Visible), 0);
    EXPECT_EQ(Get(s, Item::mColorFind1, Property::Visible), 0);
    // Rows of the HTML set that the common part does not touch stay.
    EXPECT_EQ(Get(s, Item::BoxMethods, Property::Visible), 1);
    EXPECT_EQ(Get(s, Item::ButB15, Property::Left), 5870);
    EXPECT_FALSE(p.placeProcedureList);
    EXPECT_FALSE(p.setsLineDebug);
}

TEST(MenuSetRows, AutoBarsDecideTheFirstBarAndTheEditorHeight)
{
    struct Case {
        long autoBars;
        bool scriptBar, htmlBar;
    };
    for (const Case& c : {Case{0, true, true}, Case{1, false, true}, Case{2, false, false}}) {
        for (bool find : {false, true}) {
            Inputs in = Settings(c.autoBars);
            in.findVisible = find;
            in.scaleTop = 15;
            Plan script = ScriptPlan(EditorType::JavaScript, in);
            Plan html = HtmlPlan(in);
            State s;
            Apply(s, script);
            EXPECT_EQ(Get(s, Item::Frame1, Property::Visible), c.scriptBar ? 1 : 0) << c.autoBars;
            EXPECT_EQ(script.editorHeight, 9000 - (c.scriptBar ? 2265 : 1760) - (find ? 300 : 0));
            Apply(s, html);
            EXPECT_EQ(Get(s, Item::Frame1, Property::Visible), c.htmlBar ? 1 : 0) << c.autoBars;
            EXPECT_EQ(html.editorHeight, 9000 - (c.htmlBar ? 2265 : 1760) - (find ? 300 : 0));
            for (const Plan* p : {&script, &html}) {
                EXPECT_EQ(p->editorTop, 875);
                EXPECT_EQ(p->gutterTop, 935);
                EXPECT_EQ(p->gutterHeight, p->editorHeight);
            }
        }
    }
}

TEST(MenuSetRows, VBScriptLineDebuggingShowsOneOfThePairAndPlacesTheProcedureList)
{
    for (bool noLineDebug : {false, true}) {
        Plan p = ScriptPlan(EditorType::VBScript, Settings(0, noLineDebug));
        State s;
        Apply(s, p);
        EXPECT_TRUE(p.setsLineDebug);
        EXPECT_EQ(p.lineDebugOn, !noLineDebug);
        EXPECT_EQ(Get(s, Item::ButB16, Property::Visible), noLineDebug ? 0 : 1);
        EXPECT_EQ(Get(s, Item::ButB17, Property::Visible), noLineDebug ? 1 : 0);
        EXPECT_EQ(Get(s, Item::mDoDebug, Property::Checked), noLineDebug ? 0 : 1);
        EXPECT_EQ(Get(s, Item::mNoDebug, Property::Checked), noLineDebug ? 1 : 0);
        EXPECT_EQ(Get(s, Item::ButB16, Property::Left), 5330);
        EXPECT_EQ(Get(s, Item::ButB17, Property::Left), 5330);
    }
    Inputs in = Settings(0);
    Plan p = ScriptPlan(EditorType::VBScript, in);
    EXPECT_EQ(p.procedureListLeft, 5700 + 900 + 400);
    EXPECT_EQ(p.procedureListTop, 60);
    EXPECT_EQ(p.procedureListWidth, 6000);
    in.tbarDLeft = 9000;
    EXPECT_EQ(ScriptPlan(EditorType::VBScript, in).procedureListWidth, 2000);
}

TEST(MenuSetRows, HtmlProcedureListIsBoundedAtSixThousand)
{
    Inputs in = Settings(0);
    in.tbarDLeft = 8000 + 6500;
    Plan p = HtmlPlan(in);
    EXPECT_EQ(p.lastEdType, EditorType::HTML);
    EXPECT_EQ(p.procedureListLeft, 8000);
    EXPECT_EQ(p.procedureListWidth, 6000);
    in.tbarDLeft = 8000 + 3000;
    EXPECT_EQ(HtmlPlan(in).procedureListWidth, 3000);
}

TEST(MenuSetRows, ADocumentsTypeSwitchesTheSetOnlyWhenTheKindChanges)
{
    EXPECT_FALSE(NeedsSetSwitch(EditorType::ASP, EditorType::HTML));
    EXPECT_FALSE(NeedsSetSwitch(EditorType::HTML, EditorType::ASP));
    EXPECT_TRUE(NeedsSetSwitch(EditorType::CSS, EditorType::HTML));
    EXPECT_FALSE(NeedsSetSwitch(EditorType::VBScript, EditorType::VBScript));
    EXPECT_TRUE(NeedsSetSwitch(EditorType::VBScript, EditorType::JavaScript));
    EXPECT_TRUE(NeedsSetSwitch(EditorType::HTML, EditorType::CSS));
    // A document of no known type keeps whatever set is shown.
    EXPECT_FALSE(NeedsSetSwitch(EditorType::VBScript, EditorType::None));
    EXPECT_FALSE(DocumentTypeRowOf(EditorType::None).hasMode);
    EXPECT_STREQ(ModeItemOf(DocumentTypeRowOf(EditorType::ASP).mode).typeName, L"HTML");
}
