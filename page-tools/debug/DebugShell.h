#pragma once
// What the format checks and their report window need of the main window,
// installed by the main window when it loads; a hook nobody installed does
// nothing. The info label is the editing core's Hooks().ShowInfo.
#include <windows.h>

#include <functional>
#include <string>

struct DebugShellHooks {
    // The main window's syntax-debugger command (fedit.mRunDebug_Click),
    // which the report's Rerun button runs again.
    std::function<void()> RunDebug;
    // Scrolls the line-number gutter to the editor's first visible line.
    std::function<void()> SyncLineNums;
    // Puts the caret line and column labels back to "1".
    std::function<void()> ResetLineCol;
    // Shows these texts in the caret line and column labels (tlcount, tcount).
    std::function<void(const std::wstring& line, const std::wstring& column)> ShowLineColText;
    // The line-number gutter's edit window (T2), or null.
    std::function<HWND()> Gutter;
};

DebugShellHooks& DebugShell();
// Removes every installed hook.
void ResetDebugShell();
