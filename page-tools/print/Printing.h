#pragma once
// The print window.
#include <string>

// Shows the print window modeless, its title box holding title; it prints
// the main editor's text itself.
void ShowPrintWindow(const std::wstring& title);
