#pragma once
// The object browser and its library.
#include <string>

void ShowObjectBrowser();
void ShowLibrary();
// Fills the object browser's file-property panels for a file.
void GetFileProps(const std::wstring& path);
