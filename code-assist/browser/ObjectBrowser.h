#pragma once
// The object browser and its page library, as the main window opens them.
#include <string>

// Loads the object browser (when it is not loaded) and shows it modeless.
void ShowObjectBrowser();
// Loads the page library, lists its pages and shows it modeless.
void ShowLibrary();
// Opens the object browser on the properties of a file (a file dropped on
// its tool-bar button).
void GetFileProps(const std::wstring& path);
// Unloads both windows (shutdown).
void CloseObjectBrowser();
