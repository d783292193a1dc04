#pragma once
// The member popup and the parameter tip while the user types, and the
// lists they draw on: the object list (tarnelt.ini beside the program, in
// the type dictionary) and the VBScript signatures (tarnelv.ini). The popup
// and the tip are the main window's, reached through its PopupFace.
#include <string>

// Start-up: the ticked objects into the type dictionary, every object into
// the settings window's list; then the signature list.
void LoadObjectList();
void LoadVarList();
// A fresh type dictionary filled from the file again; LoadObjectList's status.
long ResetAutoInsert();
// The word is a variable bound to a known object.
bool CheckVarList(const std::wstring& word);
// Shows the members of the word's object at the caret; 0 when the word has
// none, else the placement (1 right of the caret, -1 left of it).
short ShowMemberPopup(const std::wstring& word);
// Shows a signature in the tip above the caret; its parameter count (-2
// without a "(").
short ShowParamInfo(const std::wstring& signature);
// The signature of a VBScript function or statement ("" when unknown).
std::wstring GetVarObject(const std::wstring& word);
// The auto-insert settings window, modeless.
void ShowAutoInsertSetup();
// The settings window with a class of the object browser in its boxes
// (the CLSID, or the ProgID when there is no CLSID), ready to look it up.
void ShowAutoInsertFor(const std::wstring& clsid, const std::wstring& progId);
