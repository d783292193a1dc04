#pragma once
// Driving the page tools' windows of a running TARNEL from outside.
#include <windows.h>

#include <string>
#include <vector>

#include "TarnelCopy.h"

namespace tooldrive {

// A shown top-level window of the program with this caption, or null.
HWND Shown(apptest::Tarnel& t, const std::wstring& caption, DWORD ms = 10000);
// The visible child windows of a class, top to bottom, then left to right.
std::vector<HWND> ChildrenOf(HWND parent, const std::wstring& cls);
// Presses a self-drawn button with the left mouse button.
void Press(HWND button);
// A visible child window of parent whose text is text, waiting up to ms.
HWND ChildWithText(HWND parent, const std::wstring& text, DWORD ms = 5000);
// Answers the next message box: its text, after pressing OK; "" when none came.
std::wstring MessageText(apptest::Tarnel& t);

} // namespace tooldrive
