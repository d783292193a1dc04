#include "MainLayout.h"

#include <algorithm>
#include <cmath>

namespace MainLayout {

namespace {

// Twips set from a fractional formula go to the nearest whole twip.
long Twips(double v)
{
    return std::lround(v);
}

} // namespace

long EditorHeight(long h, bool autoBarShown, bool findVisible)
{
    return h - (autoBarShown ? 2265 : 1760) - (findVisible ? 300 : 0);
}

bool AutoBarShownInScriptMode(long autoBars)
{
    return autoBars == 0;
}

bool AutoBarShownInHtmlMode(long autoBars)
{
    return autoBars != 2;
}

bool AutoBarShownForType(long autoBars, EditorType edType, bool& known)
{
    known = autoBars >= 0 && autoBars <= 2;
    switch (autoBars) {
    case 0: return true;
    case 1: return IsPageType(edType) || edType == EditorType::None;
    default: return false;
    }
}

GutterSet Gutter(bool wide, long scaleLeft, long w, long numbersWidth)
{
    GutterSet g = wide ? GutterSet{scaleLeft + 760, w - 835, 775} : GutterSet{scaleLeft + 660, w - 760, 615};
    const long more = numbersWidth - g.gutterWidth;
    if (more > 0) {
        g.editorLeft += more;
        g.editorWidth -= more;
        g.gutterWidth = numbersWidth;
    }
    return g;
}

long ProcedureListWidth(long left, long tbarDLeft)
{
    return std::min(tbarDLeft - left, ProcedureListMaxWidth);
}

Result Compute(const Inputs& in)
{
    Result r{};
    const long w = in.w;
    const long h = in.h;

    r.tbarA = {0, 0, w, 420};
    r.tbarB = {0, 440, w, 420};
    r.tbarD = {r.tbarB.width - in.tbarDWidth, 0};

    if (in.procedureListVisible) {
        r.placeProcedureList = true;
        r.procedureListLeft = in.tbarCVisible ? in.tbarCWidth + in.tbarCLeft + 400 : ProcedureListHtmlLeft;
        r.procedureListWidth = ProcedureListWidth(r.procedureListLeft, r.tbarD.left);
    }

    const bool wide = in.edFontSize == 12;
    const GutterSet g = Gutter(wide, in.scaleLeft, w, in.gutterNumbersWidth);
    bool known = false;
    const bool bar = AutoBarShownForType(in.autoBars, in.edType, known);
    r.editor = {g.editorLeft, in.scaleTop + EditorTopOffset, g.editorWidth,
                known ? EditorHeight(h, bar, in.findVisible) : in.editorHeight};
    r.gutter = {in.scaleLeft, r.editor.top + 30, g.gutterWidth, r.editor.height - 30};

    r.statScrollLeft = {60, h - 780};
    r.fileTabs = {in.scaleLeft + 345, h - 435, w - 690, 435};
    r.status = {in.scaleLeft + 345, h - 810, w - 690, 375};
    r.statusLabel = {0, 60, 40000, 0};
    // Mirrors the left button about the status row. At w - 395 the button
    // would cover the row's right edge by 50 twips.
    r.statScrollRight = {w - 300, h - 780};

    r.cssBar = {0, h - 810, w, 375};
    const long m = w / 2;
    r.cssProperty = {Twips(m - 1.2 * in.bPropCSSWidth), 20};
    r.cssValue = {Twips(m + 0.2 * in.bPropCSSWidth), 20};

    r.commandBar = {0, 0, r.status.width, 375};
    r.commandLabelLeft = 60;
    r.commandCloseLeft = Twips(r.commandBar.width - 2.5 * in.bCommand0Width);
    r.commandHelpLeft = Twips(r.commandCloseLeft + 1.5 * in.bCommand0Width);
    r.commandTextLeft = r.commandLabelLeft + in.labCommandWidth;
    r.commandTextWidth = r.commandCloseLeft - r.commandTextLeft - in.bCommand1Width;
    r.commandTextTop = 0;

    const long findShift = in.findVisible ? 300 : 0;
    r.frame1 = {Twips((w - in.frame1Width) / 2.0 + in.scaleLeft), r.status.top - in.frame1Height - 60 - findShift};
    r.frame2 = {Twips((w - in.frame2Width) / 2.0 + in.scaleLeft), r.status.top - in.frame2Height - 60 - findShift};

    r.frtbarLeft = r.tbarA.width - in.frtbarWidth - 120;
    r.frinfo = {180, 40, r.tbarA.width - in.frtbarWidth - 300};
    r.tinfo = {0, 0, r.frinfo.width};

    r.imageOps = {Twips((w - in.frImageOpsWidth) / 2.0), r.status.top - in.frImageOpsHeight};
    return r;
}

} // namespace MainLayout
