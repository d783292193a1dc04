#pragma once
// The find window as the main window sees it, multi-file replace and going
// to a procedure. The engine behind them is FindEngine.h.
#include <string>

class ffind;

// The program's find window, made on first use (start-up makes it, hidden).
ffind& FindWindow();
// Unloads and destroys it (shutdown).
void UnloadFindWindow();

// Whether the find window is shown; showing it with the editor's short
// selection as its find text; hiding it, by the main window (which also
// empties its fields) or by its own close button; and placing it over the
// bottom strip of the main window.
bool FindVisible();
void ShowFind();
void CloseFind();
void CloseFindButton();
void PositionFind();
// Hiding it while the main window is minimised, and showing it again on
// restore, with its fields as the user left them.
void HideFind();
void ShowFindAgain();
// Puts the main editor's caret on the line declaring that Sub or Function.
void GoToProcedure(const std::wstring& name);
// Shows the multi-file replace window.
void ShowMultiReplace();
