#pragma once
// The main window's commands that the configurable Ctrl+letter shortcuts run,
// and what they need to know of its editor. The main window fills the table
// when it loads; code assistance is built before it and calls through here.
// An action nobody filled does nothing; an unfilled query gives 0 or False.
#include <functional>
#include <string>

struct ShortcutActions {
    // The main editor (JT1).
    std::function<long()> SelLength;
    std::function<std::wstring()> SelText;
    std::function<bool()> CanUndo;

    // Commands of the main window.
    std::function<void()> DoCut;
    std::function<void()> mCopy_Click;
    std::function<void(short source)> DoPaste;  // 0 clipboard, 1 clip 1, 2 clip 2
    std::function<void()> mOpenFile_Click;
    std::function<void()> mSavePlain_Click;
    std::function<void()> mPrint_Click;
    std::function<void()> mFind_Click;
    std::function<void()> mMulti_Click;
    std::function<void(short index)> mChangeCase_Click;  // 0 upper, 1 lower, 2 proper
    std::function<void()> ShowAutoInsertSetup;            // fAuto, modeless
    std::function<void()> mOmBrowse_Click;
    std::function<void()> MOmLib_Click;
    std::function<void()> mRunScript_Click;
    std::function<void()> mSelAll_Click;
    std::function<void()> mUndo_Click;
    std::function<void(short index)> bPropCSS_Click;  // 0 properties, 1 values
    // An extra clip was filled: its tool-bar button shows the full look with
    // this tool tip (slot 1 or 2).
    std::function<void(int slot, const std::wstring& tip)> ShowClipFilled;
};

// The one table.
ShortcutActions& MainWindowActions();
// Empties the table (tests, and the main window's unload).
void ResetMainWindowActions();
