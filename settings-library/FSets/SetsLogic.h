#pragma once
// What the settings dialog's handlers do to the settings record, without a
// window: validations, conversions and the table edits of its pages. Every
// array of the record may come from a damaged file with any length; nothing
// here indexes past its end.
#include <cstdint>
#include <string>
#include <vector>

#include "SettingsRecord.h"
#include "platform/Text.h"

namespace SetsLogic {

// ---- Shared helpers ----
// VB's IsNumeric for the plain forms the dialog meets: optional blanks and
// sign, digits with at most one decimal point, optional exponent.
bool IsNumeric(const std::wstring& text, double* value = nullptr);
using platform::Upper;
// Element i of an array, or fallback when the array is shorter.
template <class T>
T At(const std::vector<T>& v, size_t i, T fallback = T())
{
    return i < v.size() ? v[i] : fallback;
}

// ---- General page ----
// "Move Text" increment: text 1..10 stores that many spaces; true when stored.
bool ApplyMoveSpacer(const std::wstring& text, SettingsRecord& rec);
// Font size: a number that fits 16 bits; true when stored.
bool ApplyFontSize(const std::wstring& text, SettingsRecord& rec);
// The webpage Temp folder text with one trailing backslash removed.
std::wstring TempFolderText(const std::wstring& text);
// Extension EXE, HLP or CHM, in any case.
bool IsProgramOrHelpFile(const std::wstring& path);
// The EXE+ entry (0..2) chosen by the options; entry 2 when none of the
// first two is set. Its path and caption fields:
std::wstring& ExePath(SettingsRecord& rec, int entry);
std::wstring& ExeName(SettingsRecord& rec, int entry);
// The default Save-As list and the index DefSaveExt selects (-1 when outside).
const std::vector<std::wstring>& SaveExtensions();
int DefSaveExtIndex(const SettingsRecord& rec);

// ---- Colorcoding page ----
constexpr int kColorItems = 7;
// The record field of colour item 0..6 (HTML tags .. HTML attr. values).
int32_t& ColorField(SettingsRecord& rec, int item);
// A comment mark must start with "'"; true when stored.
bool ApplyCommentMark(const std::wstring& text, SettingsRecord& rec);
// The colour the colour dialog starts with: black in place of white.
int32_t PickStartColor(int32_t swatch);

// ---- Debugging page ----
// The undo limit: a number within 32 bits; true when stored.
bool ApplyUndoLimit(const std::wstring& text, SettingsRecord& rec);
// AutoBars 1 and 2 stand; anything else becomes 0. Returns the option index.
int NormaliseAutoBars(SettingsRecord& rec);

// ---- HotKeys page ----
constexpr int kHotKeyCount = 23;
const std::vector<std::wstring>& HotKeyActions();
// The box text of a stored hotkey ("" for none).
std::wstring HotKeyText(int code);
// Box text to code: one letter A..Z (any case) gives its upper-case code and
// shown = that letter; anything else 0 and shown = "".
int16_t HotKeyFromText(const std::wstring& text, std::wstring& shown);
// Stores all 23 boxes (the array grows to 23 when shorter); boxes receive
// what they should show.
void ApplyHotKeys(std::vector<std::wstring>& boxes, SettingsRecord& rec);

// ---- Custom Popups page ----
constexpr int kPopupItems = 10;
struct PopupMenu {
    bool* On;
    int16_t* Key;
    std::wstring* Name;
    SettingsArray<std::wstring>* Items;
};
// menu 0 is "Menu 1"; any other value "Menu 2".
PopupMenu Popup(SettingsRecord& rec, int menu);
// The ten boxes as the loader fills them: items shorter than 2 show empty.
std::vector<std::wstring> PopupBoxes(const PopupMenu& menu);
// The name box: the name when it has at least 2 characters.
std::wstring PopupNameText(const PopupMenu& menu);
// The hotkey box: the character of the key when it is above 0.
std::wstring PopupKeyText(const PopupMenu& menu);
void SavePopupItems(const std::vector<std::wstring>& boxes, PopupMenu& menu);
// Active flag, key (only when hotText is exactly one character: its upper
// case) and name.
void ApplyPopupSettings(bool active, const std::wstring& hotText, const std::wstring& name, PopupMenu& menu);
// Names shorter than 2 characters become "Custom Menu 1" / "Custom Menu 2".
void DefaultPopupNames(SettingsRecord& rec);

// ---- File Extensions page ----
const std::vector<std::wstring>& ExtTypeNames();  // "none", "ASP", ... "Javascript"
// The list: every alias 1..end with a non-empty extension, in table order.
std::vector<std::wstring> ExtensionList(const SettingsRecord& rec);
// The type of the first alias with that extension, -1 when none.
int ExtensionType(const SettingsRecord& rec, const std::wstring& ext);
// Appends an alias (upper case, one leading "." removed); returns the
// extension as listed.
std::wstring AddExtension(const std::wstring& text, int type, SettingsRecord& rec);
// Removes every alias with the extension (see the page: the table keeps its
// length less one, element 0 empty); false when the entry is empty.
bool RemoveExtension(const std::wstring& entry, SettingsRecord& rec);
// The first alias with the extension gets the type; false when none.
bool ChangeExtType(const std::wstring& entry, int type, SettingsRecord& rec);

// ---- VBS Debugging - Object List page ----
// The text of the object list box for the INI file at iniPath.
std::wstring ObjectListText(const std::wstring& iniPath);

} // namespace SetsLogic
