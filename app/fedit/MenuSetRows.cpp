#include "MenuSetRows.h"

#include "MainLayout.h"

namespace MenuSetRows {

namespace {

// One row of the menu table, one cell per mode in the order CSS, VBScript,
// JavaScript, HTML: V visible, H hidden, C checked, - unchecked, E enabled,
// D disabled, blank untouched.
struct MenuRow {
    Item item;
    const char* cells;
};

const MenuRow kMenuRows[] = {
    {Item::mColorFind1, "HHHV"}, {Item::mTemplate1, "HHHV"}, {Item::mimops, "HHHV"},
    {Item::mtemp6, "HHHV"},      {Item::mUpHTML, "HHHV"},    {Item::mLineCase, "HVVV"},
    {Item::mComPop, "HVHH"},     {Item::mUnComPop, "HVHH"},  {Item::mtemp2, "HVVH"},
    {Item::mCom, "HVHH"},        {Item::mUnCom, "HVHH"},     {Item::mDebug, "HVHH"},
    {Item::mScrShow, "-C--"},    {Item::mJScrShow, "--C-"},  {Item::mCSSEd, "C---"},
    {Item::mWebBack, "---C"},    {Item::mFuncPop1, "DEDE"},  {Item::mAutoSet, "DEEE"},
};

// One row of the tool-bar table: the visibility cell as above and the Left
// in twips (0: not moved).
struct BarRow {
    Item item;
    const char* cells;
    long left[4];
};

const BarRow kBarRows[] = {
    {Item::ButB13, "VVVV", {4610, 4610, 4610, 4610}},
    {Item::ButB14, "HHHV", {0, 0, 0, 5030}},
    {Item::ButB24, "HHHV", {0, 0, 0, 5450}},
    {Item::ButB15, "HVHV", {0, 4970, 0, 5870}},
    // In VBScript mode both lie at 5330; DebugModeRows shows one of them.
    {Item::ButB16, "H HH", {0, 5330, 0, 0}},
    {Item::ButB17, "H HH", {0, 5330, 0, 0}},
    {Item::Line2_4, "HVVH", {0, 5690, 5010, 0}},
    {Item::TBarC, "HVVH", {0, 5700, 5110, 0}},
    {Item::FrCSS, "VHHH", {0, 0, 0, 0}},
    {Item::BoxMethods, "HVHV", {0, 0, 0, 0}},
    {Item::HiBox0, "   H", {0, 0, 0, 0}},
    {Item::HiBox1, "   H", {0, 0, 0, 0}},
    {Item::Frame2, "HHHH", {0, 0, 0, 0}},
};

// The TBarC Left of the VBScript set, which the procedure list follows.
constexpr long kVBScriptTBarCLeft = 5700;

bool CellChange(Item item, char cell, Change& out)
{
    switch (cell) {
    case 'V': out = {item, Property::Visible, 1}; return true;
    case 'H': out = {item, Property::Visible, 0}; return true;
    case 'C': out = {item, Property::Checked, 1}; return true;
    case '-': out = {item, Property::Checked, 0}; return true;
    case 'E': out = {item, Property::Enabled, 1}; return true;
    case 'D': out = {item, Property::Enabled, 0}; return true;
    default: return false;
    }
}

void Append(std::vector<Change>& to, const std::vector<Change>& rows)
{
    to.insert(to.end(), rows.begin(), rows.end());
}

} // namespace

bool ScriptModeOf(EditorType edType, Mode& mode)
{
    switch (edType) {
    case EditorType::CSS: mode = Mode::Css; return true;
    case EditorType::VBScript: mode = Mode::VBScript; return true;
    case EditorType::JavaScript: mode = Mode::JavaScript; return true;
    default: return false;
    }
}

std::vector<Change> MenuRows(Mode mode)
{
    const int col = static_cast<int>(mode);
    std::vector<Change> rows;
    for (const MenuRow& row : kMenuRows) {
        Change c;
        if (CellChange(row.item, row.cells[col], c))
            rows.push_back(c);
    }
    return rows;
}

std::vector<Change> BarRows(Mode mode)
{
    const int col = static_cast<int>(mode);
    std::vector<Change> rows;
    for (const BarRow& row : kBarRows) {
        Change c;
        if (CellChange(row.item, row.cells[col], c))
            rows.push_back(c);
        if (row.left[col] != 0)
            rows.push_back({row.item, Property::Left, row.left[col]});
    }
    return rows;
}

std::vector<Change> DebugModeRows(bool on)
{
    return {
        {Item::mDoDebug, Property::Checked, on ? 1 : 0},
        {Item::mNoDebug, Property::Checked, on ? 0 : 1},
        {Item::ButB16, Property::Visible, on ? 1 : 0},
        {Item::ButB17, Property::Visible, on ? 0 : 1},
    };
}

Plan ScriptPlan(EditorType edType, const Inputs& in)
{
    Plan p;
    p.lastEdType = edType;
    p.editorTop = in.scaleTop + MainLayout::EditorTopOffset;
    p.gutterTop = p.editorTop + 60;
    const bool bar = MainLayout::AutoBarShownInScriptMode(in.autoBars);
    p.editorHeight = MainLayout::EditorHeight(in.scaleHeight, bar, in.findVisible);
    p.gutterHeight = p.editorHeight;
    p.changes = {
        {Item::bview2_0, Property::Visible, 0}, {Item::bview2_1, Property::Visible, 0},
        {Item::Frame1, Property::Visible, bar ? 1 : 0},
        {Item::Frame2, Property::Visible, 0},
        {Item::mColorFind1, Property::Visible, 0}, {Item::mTemplate1, Property::Visible, 0},
        {Item::mimops, Property::Visible, 0}, {Item::mUpHTML, Property::Visible, 0},
        {Item::mtemp6, Property::Visible, 0},
        {Item::mWebBack, Property::Checked, 0},
        {Item::ButB14, Property::Visible, 0}, {Item::ButB24, Property::Visible, 0},
    };
    Mode mode;
    if (!ScriptModeOf(edType, mode))
        return p;
    if (mode == Mode::VBScript) {
        // Line debugging is decided before the rest of the set.
        p.setsLineDebug = true;
        p.lineDebugOn = !in.noLineDebug;
        Append(p.changes, DebugModeRows(p.lineDebugOn));
    }
    Append(p.changes, MenuRows(mode));
    Append(p.changes, BarRows(mode));
    if (mode == Mode::VBScript) {
        p.placeProcedureList = true;
        p.procedureListTop = 60;
        p.procedureListLeft = kVBScriptTBarCLeft + in.tbarCWidth + 400;
        p.procedureListWidth = MainLayout::ProcedureListWidth(p.procedureListLeft, in.tbarDLeft);
    }
    return p;
}

Plan HtmlPlan(const Inputs& in)
{
    Plan p;
    p.lastEdType = EditorType::HTML;
    p.editorTop = in.scaleTop + MainLayout::EditorTopOffset;
    p.gutterTop = p.editorTop + 60;
    const bool bar = MainLayout::AutoBarShownInHtmlMode(in.autoBars);
    p.editorHeight = MainLayout::EditorHeight(in.scaleHeight, bar, in.findVisible);
    p.gutterHeight = p.editorHeight;
    p.changes = {
        {Item::bview2_0, Property::Visible, 1}, {Item::bview2_1, Property::Visible, 1},
        {Item::Frame1, Property::Visible, bar ? 1 : 0},
    };
    Append(p.changes, MenuRows(Mode::Html));
    Append(p.changes, BarRows(Mode::Html));
    p.placeProcedureList = true;
    p.procedureListTop = 60;
    p.procedureListLeft = MainLayout::ProcedureListHtmlLeft;
    p.procedureListWidth = MainLayout::ProcedureListWidth(p.procedureListLeft, in.tbarDLeft);
    return p;
}

const ModeItem& ModeItemOf(Mode mode)
{
    static const ModeItem kItems[] = {
        {Mode::Css, L"CSS &Editor", L"CSS"},
        {Mode::VBScript, L"&VBScript Editor", L"VBScript"},
        {Mode::JavaScript, L"&JavaScript Editor", L"Javascript"},
        {Mode::Html, L"&HTML Editor (+ PHP, ASP, DHTML)", L"HTML"},
    };
    return kItems[static_cast<int>(mode)];
}

const DocumentTypeRow& DocumentTypeRowOf(EditorType type)
{
    static const DocumentTypeRow kRows[] = {
        {EditorType::None, false, Mode::Html, false},
        {EditorType::ASP, true, Mode::Html, true},
        {EditorType::HTML, true, Mode::Html, true},
        {EditorType::CSS, true, Mode::Css, false},
        {EditorType::VBScript, true, Mode::VBScript, true},
        {EditorType::JavaScript, true, Mode::JavaScript, false},
    };
    for (const DocumentTypeRow& row : kRows)
        if (row.type == type)
            return row;
    return kRows[0];
}

bool NeedsSetSwitch(EditorType from, EditorType to)
{
    const DocumentTypeRow& row = DocumentTypeRowOf(to);
    if (!row.hasMode)
        return false;
    if (row.mode == Mode::Html)
        return IsScriptType(from);
    return from != to;
}

} // namespace MenuSetRows
