#pragma once
// The member pop-up and the tip panel while the user types, and the lists
// they draw on. The pop-up routines return the pop-up shift (0: nothing shown).
#include <string>

void LoadObjectList();
void LoadVarList();
short ShowMemberPopup(const std::wstring& word);
// Shows a signature in the tip panel; the tip space count derives from it.
short ShowParamInfo(const std::wstring& signature);
// The stored object of a variable ("" when none).
std::wstring GetVarObject(const std::wstring& word);
// The automatic insertion settings window, modeless.
void ShowAutoInsertSetup();
