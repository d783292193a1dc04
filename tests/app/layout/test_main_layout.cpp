#include <gtest/gtest.h>

#include "MainLayout.h"

using MainLayout::Compute;
using MainLayout::Inputs;

namespace {

Inputs Window(long w, long h)
{
    Inputs in;
    in.scaleLeft = 0;
    in.scaleTop = 0;
    in.w = w;
    in.h = h;
    in.edFontSize = 10;
    in.editorHeight = 1234;
    in.tbarDWidth = 2400;
    in.frame1Width = 9000;
    in.frame1Height = 330;
    in.frame2Width = 8800;
    in.frame2Height = 330;
    in.frImageOpsWidth = 6000;
    in.frImageOpsHeight = 400;
    in.frtbarWidth = 2000;
    in.bPropCSSWidth = 1500;
    in.bCommand0Width = 300;
    in.bCommand1Width = 300;
    in.labCommandWidth = 1400;
    return in;
}

} // namespace

TEST(MainLayout, EditorHeightFollowsAutoBarsTypeAndFindWindowAtTwoSizes)
{
    struct Case {
        long autoBars;
        EditorType edType;
        long hidden;  // h minus this with the find window hidden
    };
    const Case cases[] = {
        {0, EditorType::HTML, 2265},   {0, EditorType::VBScript, 2265}, {1, EditorType::None, 2265},
        {1, EditorType::ASP, 2265},    {1, EditorType::HTML, 2265},     {1, EditorType::CSS, 1760},
        {1, EditorType::JavaScript, 1760}, {2, EditorType::HTML, 1760}, {2, EditorType::VBScript, 1760},
    };
    for (long h : {8000L, 14000L}) {
        for (const Case& c : cases) {
            for (bool find : {false, true}) {
                Inputs in = Window(12000, h);
                in.autoBars = c.autoBars;
                in.edType = c.edType;
                in.findVisible = find;
                MainLayout::Result r = Compute(in);
                SCOPED_TRACE(testing::Message() << "h " << h << " AutoBars " << c.autoBars << " type "
                                                << static_cast<int>(c.edType) << " find " << find);
                EXPECT_EQ(r.editor.height, h - c.hidden - (find ? 300 : 0));
                EXPECT_EQ(r.editor.top, 860);
                EXPECT_EQ(r.gutter.top, r.editor.top + 30);
                EXPECT_EQ(r.gutter.height, r.editor.height - 30);
                // The auto-insert bars sit above the status row, raised by the find window.
                EXPECT_EQ(r.frame1.top, h - 810 - 330 - 60 - (find ? 300 : 0));
            }
        }
    }
    // Outside 0..2 the editor keeps its height.
    Inputs odd = Window(12000, 8000);
    odd.autoBars = 7;
    EXPECT_EQ(Compute(odd).editor.height, 1234);
    EXPECT_EQ(Compute(odd).gutter.height, 1204);
}

TEST(MainLayout, GutterWidthFollowsFontSizeTwelve)
{
    Inputs in = Window(12000, 8000);
    in.scaleLeft = 15;
    in.edFontSize = 12;
    MainLayout::Result wide = Compute(in);
    EXPECT_EQ(wide.editor.left, 775);
    EXPECT_EQ(wide.editor.width, 12000 - 835);
    EXPECT_EQ(wide.gutter.width, 775);
    EXPECT_EQ(wide.gutter.left, 15);
    for (long size : {11L, 13L}) {
        in.edFontSize = size;
        MainLayout::Result narrow = Compute(in);
        EXPECT_EQ(narrow.editor.left, 675);
        EXPECT_EQ(narrow.editor.width, 12000 - 760);
        EXPECT_EQ(narrow.gutter.width, 615);
    }
    // A font whose six digits need more room widens the gutter by as much as
    // it needs and moves the editor's left edge with it; less changes nothing.
    in.gutterNumbersWidth = 900;
    MainLayout::Result roomy = Compute(in);
    EXPECT_EQ(roomy.gutter.width, 900);
    EXPECT_EQ(roomy.editor.left, 675 + 285);
    EXPECT_EQ(roomy.editor.width, 12000 - 760 - 285);
    in.gutterNumbersWidth = 500;
    EXPECT_EQ(Compute(in).gutter.width, 615);
}

TEST(MainLayout, RowsBarsAndFramesAtTwoSizes)
{
    for (long w : {11880L, 19080L}) {
        const long h = w / 2;
        MainLayout::Result r = Compute(Window(w, h));
        SCOPED_TRACE(testing::Message() << "w " << w);
        EXPECT_EQ(r.tbarA.width, w);
        EXPECT_EQ(r.tbarB.top, 440);
        EXPECT_EQ(r.tbarD.left, w - 2400);
        EXPECT_EQ(r.fileTabs.top, h - 435);
        EXPECT_EQ(r.fileTabs.left, 345);
        EXPECT_EQ(r.fileTabs.width, w - 690);
        EXPECT_EQ(r.status.top, h - 810);
        EXPECT_EQ(r.status.width, w - 690);
        EXPECT_EQ(r.statusLabel.width, 40000);
        EXPECT_EQ(r.statScrollLeft.top, h - 780);
        // The scroll buttons stay off the status row: the right one at its
        // right edge plus the left one's gap (60 + 240 + 45 = 345).
        EXPECT_GE(r.statScrollRight.left, r.status.left + r.status.width);
        EXPECT_EQ(r.statScrollRight.left, w - 300);
        EXPECT_LE(r.statScrollLeft.left + 240, r.status.left);
        EXPECT_EQ(r.cssBar.top, h - 810);
        EXPECT_EQ(r.cssBar.width, w);
        EXPECT_EQ(r.cssProperty.left, w / 2 - 1800);
        EXPECT_EQ(r.cssValue.left, w / 2 + 300);
        // The command bar fills the status row: text box between label and buttons.
        EXPECT_EQ(r.commandBar.width, w - 690);
        EXPECT_EQ(r.commandCloseLeft, w - 690 - 750);
        EXPECT_EQ(r.commandHelpLeft, r.commandCloseLeft + 450);
        EXPECT_EQ(r.commandTextLeft, 1460);
        EXPECT_EQ(r.commandTextWidth, r.commandCloseLeft - 1460 - 300);
        EXPECT_EQ(r.frame1.left, (w - 9000) / 2);
        EXPECT_EQ(r.frame2.left, (w - 8800) / 2);
        EXPECT_EQ(r.frtbarLeft, w - 2120);
        EXPECT_EQ(r.frinfo.width, w - 2300);
        EXPECT_EQ(r.tinfo.width, r.frinfo.width);
        EXPECT_EQ(r.imageOps.left, (w - 6000) / 2);
        EXPECT_EQ(r.imageOps.top, h - 810 - 400);
        EXPECT_FALSE(r.placeProcedureList);
    }
}

TEST(MainLayout, ProcedureListStartsAfterScriptGroupOrAt8000AndIsBounded)
{
    Inputs in = Window(22400, 9000); // TBarD.Left 20000
    in.procedureListVisible = true;
    MainLayout::Result r = Compute(in);
    EXPECT_EQ(r.procedureListLeft, 8000);
    EXPECT_EQ(r.procedureListWidth, 6000);
    in.w = 12400; // TBarD.Left 10000
    EXPECT_EQ(Compute(in).procedureListWidth, 2000);

    in.tbarCVisible = true;
    in.tbarCLeft = 5700;
    in.tbarCWidth = 1000;
    r = Compute(in);
    EXPECT_EQ(r.procedureListLeft, 7100);
    EXPECT_EQ(r.procedureListWidth, 2900);
    // Narrower than the tool bars: the width comes out negative and is refused
    // by the control, which keeps its old one.
    in.w = 8000;
    EXPECT_LT(Compute(in).procedureListWidth, 0);
}
