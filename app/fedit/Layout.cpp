// Layout of the main window on every resize: MainLayout computes the places,
// this file reads the window and applies them. A control refuses a negative
// width or height (Control::Move), so on a very narrow window it keeps its
// old size and the rest goes on.
#include "fedit.h"

#include "EditorState.h"
#include "MainLayout.h"
#include "find/modfind.h"
#include "SettingsRecord.h"

using forms::kKeep;

namespace {

int Int(long v)
{
    return static_cast<int>(v);
}

void Apply(forms::Control& c, const MainLayout::Rect& r)
{
    c.Move(Int(r.left), Int(r.top), Int(r.width), Int(r.height));
}

} // namespace

void fedit::SetGutterWidth(bool wide)
{
    const MainLayout::GutterSet g = MainLayout::Gutter(wide, ScaleLeft(), ScaleWidth(), editing_.GutterNumbersWidth());
    editing_.JT1.Move(Int(g.editorLeft), kKeep, Int(g.editorWidth));
    editing_.T2.SetWidth(Int(g.gutterWidth));
}

void fedit::Form_Resize()
{
    // The find window waits hidden, its fields kept, while this one is minimised.
    if (WindowState() == forms::FormWindowState::Minimized) {
        if (FindVisible())
            FindWasVisible = true;
        HideFind();
        return;
    }
    if (FindWasVisible) {
        // Cleared first: showing the find window lays this window out again.
        FindWasVisible = false;
        ShowFindAgain();
    }

    const SettingsRecord& rec = Settings();
    MainLayout::Inputs in;
    in.scaleLeft = ScaleLeft();
    in.scaleTop = ScaleTop();
    in.w = ScaleWidth();
    in.h = ScaleHeight();
    in.edFontSize = rec.EdFontSize;
    in.autoBars = rec.AutoBars;
    in.edType = State().EdType;
    in.findVisible = FindVisible();
    in.editorHeight = editing_.JT1.Height();
    in.gutterNumbersWidth = editing_.GutterNumbersWidth();
    in.procedureListVisible = bars_.BoxMethods.Visible();
    in.tbarCVisible = bars_.TBarC.Visible();
    in.tbarCLeft = bars_.TBarC.Left();
    in.tbarCWidth = bars_.TBarC.Width();
    in.tbarDWidth = bars_.TBarD.Width();
    in.frame1Width = bars_.Frame1.Width();
    in.frame1Height = bars_.Frame1.Height();
    in.frame2Width = bars_.Frame2.Width();
    in.frame2Height = bars_.Frame2.Height();
    in.frImageOpsWidth = panels_.FrImageOps.Width();
    in.frImageOpsHeight = panels_.FrImageOps.Height();
    in.frtbarWidth = bars_.frtbar.Width();
    in.bPropCSSWidth = panels_.bPropCSS(0).Width();
    in.bCommand0Width = panels_.bCommand(0).Width();
    in.bCommand1Width = panels_.bCommand(1).Width();
    in.labCommandWidth = panels_.LabCommand.Width();
    const MainLayout::Result r = MainLayout::Compute(in);

    Apply(bars_.TBarA, r.tbarA);
    Apply(bars_.TBarB, r.tbarB);
    bars_.TBarD.Move(Int(r.tbarD.left), Int(r.tbarD.top));
    if (r.placeProcedureList)
        bars_.BoxMethods.Move(Int(r.procedureListLeft), kKeep, Int(r.procedureListWidth));
    Apply(editing_.JT1, r.editor);
    Apply(editing_.T2, r.gutter);
    panels_.bStatScroll(0).Move(Int(r.statScrollLeft.left), Int(r.statScrollLeft.top));
    Apply(tabs_.TBarFiles, r.fileTabs);
    tabs_.DrawFileTabs(-1);
    Apply(panels_.FrStatus, r.status);
    panels_.LabStatus.Move(Int(r.statusLabel.left), Int(r.statusLabel.top), Int(r.statusLabel.width));
    panels_.bStatScroll(1).Move(Int(r.statScrollRight.left), Int(r.statScrollRight.top));
    Apply(panels_.FrCSS, r.cssBar);
    panels_.bPropCSS(0).Move(Int(r.cssProperty.left), Int(r.cssProperty.top));
    panels_.bPropCSS(1).Move(Int(r.cssValue.left), Int(r.cssValue.top));
    Apply(panels_.FrCommand, r.commandBar);
    panels_.LabCommand.SetLeft(Int(r.commandLabelLeft));
    panels_.bCommand(0).SetLeft(Int(r.commandCloseLeft));
    panels_.bCommand(1).SetLeft(Int(r.commandHelpLeft));
    panels_.tCommand.Move(Int(r.commandTextLeft), Int(r.commandTextTop), Int(r.commandTextWidth));
    bars_.Frame1.Move(Int(r.frame1.left), Int(r.frame1.top));
    bars_.Frame2.Move(Int(r.frame2.left), Int(r.frame2.top));
    bars_.frtbar.SetLeft(Int(r.frtbarLeft));
    bars_.frinfo.Move(Int(r.frinfo.left), Int(r.frinfo.top), Int(r.frinfo.width));
    bars_.tinfo.Move(Int(r.tinfo.left), Int(r.tinfo.top), Int(r.tinfo.width));
    panels_.FrImageOps.Move(Int(r.imageOps.left), Int(r.imageOps.top));
    PositionFind();
}
