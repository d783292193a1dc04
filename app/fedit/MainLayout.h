#pragma once
// The main window's layout as plain arithmetic: from the window's inner size,
// the settings and the sizes of the designed frames to the place of every
// region, in twips. Form_Resize and the per-type menu sets apply the results;
// nothing here touches a window.
#include "editor-core/EditorType.h"

namespace MainLayout {

// Top of the editor below the two tool-bar rows, from the scale top.
constexpr long EditorTopOffset = 860;
// The procedure list is never wider than this.
constexpr long ProcedureListMaxWidth = 6000;
// Where the procedure list starts when no script tool-bar group precedes it.
constexpr long ProcedureListHtmlLeft = 8000;

// Editor height for a window of inner height h: the auto-insert bar takes
// 505 twips when shown, the find window below the main window 300.
long EditorHeight(long h, bool autoBarShown, bool findVisible);

// Whether the auto-insert bar is shown by the AutoBars setting (0 always,
// 1 in the HTML mode only, 2 never) in a mode.
bool AutoBarShownInScriptMode(long autoBars);
bool AutoBarShownInHtmlMode(long autoBars);
// The same decision as the resize handler makes it from the editor type;
// false in known with an AutoBars value outside 0..2 (the height stays).
bool AutoBarShownForType(long autoBars, EditorType edType, bool& known);

// Editor left and width and gutter width: the wide set for font size 12.
// A gutter whose font needs more room for its numbers (numbersWidth) is
// widened to it, the editor starting as much further right.
struct GutterSet {
    long editorLeft;
    long editorWidth;
    long gutterWidth;
};
GutterSet Gutter(bool wide, long scaleLeft, long w, long numbersWidth = 0);

// Procedure list from its left edge to the right tool-bar group, bounded.
long ProcedureListWidth(long left, long tbarDLeft);

struct Rect {
    long left;
    long top;
    long width;
    long height;
};
struct Point {
    long left;
    long top;
};
// A place whose height the layout leaves as designed.
struct Span {
    long left;
    long top;
    long width;
};

// What the resize handler reads.
struct Inputs {
    long scaleLeft = 0;
    long scaleTop = 0;
    long w = 0; // ScaleWidth
    long h = 0; // ScaleHeight
    long edFontSize = 0;
    long autoBars = 0;
    EditorType edType = EditorType::None;
    bool findVisible = false;
    long editorHeight = 0; // the editor's current height, kept for odd AutoBars values
    long gutterNumbersWidth = 0; // what the gutter's widest numbers need

    bool procedureListVisible = false;
    bool tbarCVisible = false;
    long tbarCLeft = 0;
    long tbarCWidth = 0;
    long tbarDWidth = 0;

    // Designed sizes of frames and buttons the layout does not set.
    long frame1Width = 0, frame1Height = 0;
    long frame2Width = 0, frame2Height = 0;
    long frImageOpsWidth = 0, frImageOpsHeight = 0;
    long frtbarWidth = 0;
    long bPropCSSWidth = 0;
    long bCommand0Width = 0, bCommand1Width = 0;
    long labCommandWidth = 0;
};

// Every place the resize handler sets. Coordinates of controls inside a
// frame are relative to it. A width or height may come out negative on a
// narrow window; such a control keeps its old geometry.
struct Result {
    Rect tbarA, tbarB;
    Point tbarD;
    bool placeProcedureList = false;
    long procedureListLeft = 0, procedureListWidth = 0;
    Rect editor;                // JT1
    Rect gutter;                // T2
    Point statScrollLeft;       // bStatScroll(0)
    Point statScrollRight;      // bStatScroll(1)
    Rect fileTabs;              // TBarFiles
    Rect status;                // FrStatus
    Rect statusLabel;           // LabStatus inside FrStatus
    Rect cssBar;                // FrCSS
    Point cssProperty, cssValue; // bPropCSS(0), bPropCSS(1)
    Rect commandBar;            // FrCommand
    long commandLabelLeft = 0;  // LabCommand
    long commandCloseLeft = 0;  // bCommand(0)
    long commandHelpLeft = 0;   // bCommand(1)
    long commandTextLeft = 0, commandTextWidth = 0, commandTextTop = 0; // tCommand
    Point frame1, frame2;       // the auto-insert bars
    long frtbarLeft = 0;
    Span frinfo, tinfo;
    Point imageOps;             // FrImageOps
};

Result Compute(const Inputs& in);

} // namespace MainLayout
