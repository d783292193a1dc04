#pragma once
// The HTML format check in the main editor, and the HTML tag descriptions
// that the main window's tag information shows. The heuristics are in
// HTMLCheck.
#include "ClsDic.h"

// Checks the HTML or ASP page in the current editor: findings to the report
// window (shown with the caption "Format Debugging Report - HTML"), or "OK"
// in the info label. The text and the caret stay as they were.
void RunHTMLDebug();

// Reads the section "tags" of the program's Settings\tarnelh.ini into the
// tag descriptions (tag name = description; an entry with an empty key is
// ignored and the first entry of a key wins). Called once at start-up.
void LoadHTMLTags();
ClsDic& TagDescriptions();
// False when tarnelh.ini was missing or held no tags.
bool TagsLoaded();
