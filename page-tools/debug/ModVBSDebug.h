#pragma once
// The VBScript format checker in the main editor: the whole-text check, the
// live line check the typing glue calls when the caret leaves a line, and
// the line-debugging state they share with the report window. The
// heuristics are in VBSLineCheck and VBSObjectCheck; these procedures read
// the editor, select, replace and colour through it, and report.
#include "EditorType.h"
#include "VBSLineCheck.h"

#include <string>

// Whether the live line check runs while a report is open: the whole-text
// VBScript check switches it off (NoLineDebug on) and keeps the user's own
// choice here, to give it back when the check ends with "OK" or the report
// window closes.
struct LineDebugState {
    bool SavedNoLineDebug = false;  // the user's NoLineDebug before the check
    bool RerunPending = false;      // the report's Rerun started the check
    bool Held = false;              // a VBScript check switched line checking off
};
LineDebugState& LineDebug();

// The start of the main window's syntax-debugger command, for every editor
// type: a VBScript check keeps the user's NoLineDebug (unless a
// check already holds it) and switches line checking off. The rerun flag is
// cleared whatever the type.
void BeginFormatCheck(EditorType edType);
// Gives line checking back as the user had it, when a VBScript check took it.
void RestoreLineDebugging();

// The settings record's checker options.
vbs::Options CheckerOptions();

// The whole-text check of the current editor: findings to the report window
// (shown with the caption "Format Debugging Report - VBS"), or "OK" in the
// info label. The caller locks redrawing around it.
void RunVBSDebug();

// Checks the editor's line from start to end (inclusive). growth receives
// how many characters the line grew. toReport: a finding goes to the report
// window; otherwise to the info label as message & " - Line " & number, with
// the line marked in the debug colour. inPage: a line of an HTML or ASP page
// (in an ASP server block only the code between "<%" and "%>" is checked).
void CheckVBSLine(long& start, long& end, long& growth, bool& toReport, bool& inPage);
// Marks the line of a live finding: selected, in the debug colour, the caret
// at its start, and the next recolouring skipped once.
void SelectFinding(long start, long end);
// Adds one finding to the report window (line -1 shows "-").
void AddReportLine(const std::wstring& message, long line);
