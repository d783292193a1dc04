#pragma once
// The per-type sets of the main window as data: which menus, tool-bar
// buttons and bars each editing mode shows, checks, enables and where it
// puts them, and where the editor goes. SetScriptMenus and SetHTMLMenus
// apply a plan from here to the window's controls; nothing here touches a
// window.
#include <vector>

#include "editor-core/EditorType.h"

namespace MenuSetRows {

// The controls the sets change, under the window's names.
enum class Item {
    mColorFind1, mTemplate1, mimops, mtemp6, mUpHTML,
    mLineCase, mComPop, mUnComPop, mtemp2, mCom, mUnCom, mDebug,
    mScrShow, mJScrShow, mCSSEd, mWebBack,
    mFuncPop1, mAutoSet,
    mDoDebug, mNoDebug,
    ButB13, ButB14, ButB24, ButB15, ButB16, ButB17,
    Line2_4, // Line2(4): Left sets X1 and X2
    TBarC, FrCSS, BoxMethods, HiBox0, HiBox1, Frame1, Frame2, bview2_0, bview2_1,
};

enum class Property { Visible, Checked, Enabled, Left };

struct Change {
    Item item;
    Property property;
    long value; // 0 or 1 for the flags, twips for Left
    bool operator==(const Change& o) const
    {
        return item == o.item && property == o.property && value == o.value;
    }
};

// The four modes; the script modes carry the editor types CSS, VBScript and
// JavaScript.
enum class Mode { Css, VBScript, JavaScript, Html };
// Any other type has no script set (only the common part applies).
bool ScriptModeOf(EditorType edType, Mode& mode);

// The menu rows of a mode, in the order of the menu table.
std::vector<Change> MenuRows(Mode mode);
// The tool-bar and frame rows of a mode (ButB(16) and ButB(17) come from
// DebugModeRows in VBScript mode).
std::vector<Change> BarRows(Mode mode);
// Line debugging shown on the VBScript tool bar and in the Debugging menu:
// exactly one of the two buttons on the same spot, one of the two items checked.
std::vector<Change> DebugModeRows(bool on);

// What a switch reads of the window and the settings.
struct Inputs {
    long scaleTop = 0;
    long scaleHeight = 0;
    long autoBars = 0;
    bool noLineDebug = false;
    bool findVisible = false;
    long tbarCWidth = 0; // designed width of the script tool-bar group
    long tbarDLeft = 0;  // the right tool-bar group as placed now
};

// One switch: everything SetScriptMenus or SetHTMLMenus sets, in order.
struct Plan {
    EditorType lastEdType = EditorType::None;
    long editorTop = 0;
    long editorHeight = 0;
    long gutterTop = 0;
    long gutterHeight = 0;
    // Common part first (bars, hides), then the mode's rows.
    std::vector<Change> changes;
    // Set only in VBScript mode: the line-debugging state for the document.
    bool setsLineDebug = false;
    bool lineDebugOn = false;
    // The procedure list's place, when the mode shows it.
    bool placeProcedureList = false;
    long procedureListLeft = 0;
    long procedureListTop = 0;
    long procedureListWidth = 0;
};

// SetScriptMenus(type): CSS, VBScript and JavaScript get their set; any other
// type only the common part (editor, hides), with LastEdType set to it all
// the same.
Plan ScriptPlan(EditorType edType, const Inputs& in);
// SetHTMLMenus.
Plan HtmlPlan(const Inputs& in);

// Captions and type names of the four mode menu items.
struct ModeItem {
    Mode mode;
    const wchar_t* caption; // the menu item's caption
    const wchar_t* typeName; // shown in the window caption
};
const ModeItem& ModeItemOf(Mode mode);

// What a document of each editor type brings to the window when it is
// opened or shown: its set, the type the record keeps, the type name, and
// whether its lines are checked once opened. A document of no known type
// (None) leaves the set, the type and the name as they were.
struct DocumentTypeRow {
    EditorType type;
    bool hasMode;
    Mode mode;
    bool lineDebugOnOpen;
};
const DocumentTypeRow& DocumentTypeRowOf(EditorType type);
// Whether showing a document of type `to` while `from` is current needs its
// set applied: a page after a script type, a script type after any other
// type.
bool NeedsSetSwitch(EditorType from, EditorType to);

} // namespace MenuSetRows
