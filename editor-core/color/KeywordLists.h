#pragma once
// The keyword loader: reads the VBScript, JavaScript, CSS and PHP keyword
// lists from their INI files in the Settings folder into the colourer, and
// stores the VBScript block-keyword pairs the line checker uses.
#include <string>
#include <vector>

class ClsColor;

// The 14 block keywords, opener at the even index: "If", "End If", "For", ...
extern const wchar_t* const kBlockKeywords[14];

// Reads "tarnelk.ini", "tarneljk.ini", "tarnelc.ini" and "tarnelpk.ini" of
// settingsFolder (no trailing "\") in this order. A missing file is reported
// and the later lists stay as they were (empty at start-up). blockKeywords
// receives the 14 block keywords only when all four files were read. A
// missing file is reported with the error icon (platform::ShowMessage).
// True when all four were read.
bool LoadKeywordLists(ClsColor& color, const std::wstring& settingsFolder, std::vector<std::wstring>& blockKeywords);
