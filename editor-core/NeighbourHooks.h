#pragma once
// Calls from the editing core into the main window, the page tools and code
// assistance. The editing core is built before them and cannot include their
// headers, so each of those subsystems installs its routine here at start-up;
// a hook nobody installed does nothing.
#include <windows.h>

#include <functional>
#include <string>

struct NeighbourHooks {
    // VBScript line check of the page tools: checks (and may rewrite) the line
    // between the two positions; `added` receives how many characters the line grew.
    std::function<void(long& lineStart, long& lineEnd, long& added, bool& report, bool& inPage)> CheckVBSLine;
    // Code assistance: records a Sub or Function declaration found on that line.
    std::function<void(long lineStart, long lineEnd)> AddFuncDecl;

    // Main window: message labels, the tip frame, the colour-coding menu check
    // mark and the editor's scroll keeping (which also keeps the gutter in step).
    std::function<void()> ClearInfo;
    std::function<void(const std::wstring&)> ShowInfo;
    std::function<void()> HideTip;   // hides FrTip unless the user pinned it
    std::function<void(bool)> CheckColorMenu;
    std::function<void()> SaveScrollPos;
    std::function<void()> RestoreScrollPos;

    // RichEdit window of the clipping pad's hidden editor (made on first use),
    // through which parked documents are saved.
    std::function<HWND()> ScratchEditor;
};

NeighbourHooks& Hooks();

// Removes every installed hook.
void ResetHooks();
