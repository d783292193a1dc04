#pragma once
// The find and replace window, multi-file replace and going to a procedure.
#include <string>

// Whether the find window is shown; showing it, hiding it (the main window's
// command, and the window's own close button), and placing it under the
// main window after a resize.
bool FindVisible();
void ShowFind();
void CloseFind();
void CloseFindButton();
void PositionFind();
// Selects the Sub or Function declaration of that name in the main editor.
void GoToProcedure(const std::wstring& name);
// The multi-file replace window.
void ShowMultiReplace();
