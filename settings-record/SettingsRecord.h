#pragma once
// The settings record: every user setting of the editor, held once in memory
// by each deliverable (Settings()) and stored whole in "plimsors.dat" in the
// "Settings" folder beside the program. Both the program and the settings
// library read and write the file; it is their only shared state.
//
// File form: the fields in order, packed, little-endian, no header. Flags are
// 16-bit (-1 True, 0 False); a string is a 16-bit length and that many bytes
// in the system ANSI code page; a dynamic array is a 16-bit count of
// dimensions (1), a 32-bit element count, a 32-bit lower bound and the
// elements.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A dynamic array of the record. Element [0] is the first stored element;
// Lower is the lower bound the file gave it, kept only to be written back.
template <class T>
struct SettingsArray : std::vector<T> {
    using std::vector<T>::vector;
    int32_t Lower = 0;
};

struct ExtAlias {
    std::wstring Ext;    // upper case, without the dot
    int32_t EdType = 0;  // document type files with this extension open as; 0 none
};

// Most flags store the negation of the option the dialog shows, so that a
// zeroed record means "on". Colours are COLORREF values (0x00BBGGRR).
struct SettingsRecord {
    int32_t ColorTag = 0;
    int32_t ColorKeyword = 0;
    int32_t ColorVariable = 0;
    int32_t ColorComment = 0;
    int32_t ColorString = 0;
    int32_t ColorAttrValue = 0;
    int32_t ColorDebug = 0;
    int32_t WinState = 0;    // 0 normal, 2 maximised
    int32_t WinWidth = 0;    // twips, taken in the normal state
    int32_t WinHeight = 0;
    int32_t LastEdType = 0;  // 1..5; also the type of the running document
    int16_t EdFontSize = 0;
    int16_t DefSaveExt = 0;  // 1-based in html, txt, vbs, js, asp, aspx, php, css, wsf, wsc, hta
    int32_t UndoLimit = 0;
    SettingsArray<int32_t> CustColors;  // 16, the colour dialogs' custom colours
    SettingsArray<int16_t> HotKeys;     // 23, letter code of each Ctrl+letter; <= 1 none
    bool NoColorCode = false;
    bool NoLineDebug = false;
    bool NoStatusHighlight = false;
    int32_t AutoBars = 0;  // auto-insert bars: 0 all editors, 1 HTML only, 2 never
    bool NoPHPColor = false;
    bool CountIfThen = false;
    bool DebugContinued = false;
    bool NoWholeWord = false;
    bool TabAsSpacer = false;  // not inverted
    bool NoCaretJump = false;
    bool NoAutoCorrect = false;
    bool Menu1On = false;  // not inverted
    bool Menu2On = false;  // not inverted
    int16_t Menu1Key = 0;  // letter code of the Ctrl+letter of custom menu 1; <= 1 none
    int16_t Menu2Key = 0;
    std::wstring EdFontName;
    std::wstring WebTempFolder;
    std::wstring MoveSpacer;   // 1 to 10 spaces
    std::wstring CommentMark;
    SettingsArray<ExtAlias> ExtAliases;          // element 0 is never used
    SettingsArray<std::wstring> RecentFiles;     // 4
    SettingsArray<std::wstring> ButtonTexts;     // 28
    SettingsArray<std::wstring> ButtonCaptions;  // 28
    SettingsArray<std::wstring> Menu1Items;      // 10; "-" is an empty item
    SettingsArray<std::wstring> Menu2Items;      // 10
    std::wstring Menu1Name;
    std::wstring Menu2Name;
    std::wstring ExePath1;
    std::wstring ExeName1;  // "-" or shorter than 2: the item is hidden
    std::wstring ExePath2;
    std::wstring ExeName2;
    std::wstring ExePath3;
    std::wstring ExeName3;
    bool UTF8Text = false;  // changed only by the program; the library carries it through
};

// The one record of this module (the program or the settings library).
SettingsRecord& Settings();

namespace SettingsRecordFile {

// Sizes of the fixed arrays.
constexpr size_t CustColorCount = 16;
constexpr size_t HotKeyCount = 23;
constexpr size_t RecentFileCount = 4;
constexpr size_t ButtonCount = 28;
constexpr size_t MenuItemCount = 10;

// The record in its file form.
std::vector<uint8_t> Serialize(const SettingsRecord& rec);
// Reads a record from its file form into out, which is first emptied. Bytes
// past a whole record are ignored (an older, longer record may lie behind
// it). Where the record is damaged (its bytes end early, a length or array
// descriptor is wrong, a flag is neither -1 nor 0, a text holds control
// characters), every field that still reads soundly is kept: those before
// the damage, those after it that read soundly to the end of the bytes, and
// a text or array whose length alone is wrong. The lost fields stay zero or
// empty, so the defaults fill them.
struct ParseReport {
    bool whole = true;          // every field read
    bool damaged = false;       // not whole, and not merely an older record without its last field
    std::vector<size_t> lost;   // 0-based indexes (file order) of the fields not read
};
ParseReport ParseRecord(const uint8_t* data, size_t size, SettingsRecord& out);
// True when every field was read.
bool Parse(const uint8_t* data, size_t size, SettingsRecord& out);
// What the user calls field `index` (file order): "recent files".
std::wstring FieldTitle(size_t index);

// The 16 default custom colours.
std::vector<int32_t> DefaultCustomColors();
// The library's defaults: fills every empty field, then brings every array
// to its fixed size (NormaliseArrays).
void SetSettingsDefaults(SettingsRecord& rec);
// Pads or cuts each fixed array to its size with the default entries, and
// gives ExtAliases at least its unused element 0. Indexing the arrays is safe
// after this; the program's own defaults call it too.
void NormaliseArrays(SettingsRecord& rec);

// programFolder (+ "\" when missing) & "Settings".
std::wstring SettingsFolderOf(const std::wstring& programFolder);
// The Settings folder beside this module and the record file in it.
std::wstring SettingsFolder();
std::wstring SettingsFilePath(const std::wstring& settingsFolder);

// File-level primitives: no messages, no defaults, no folder created.
enum class ReadResult {
    Read,     // rec replaced by the whole record
    Partial,  // rec replaced; the file was cut short or damaged, the lost fields are empty
    Missing,  // no file; rec unchanged
    Failed,   // the file exists but could not be read; rec unchanged
};
// lost: the indexes of the fields not read, when given.
ReadResult ReadRecord(const std::wstring& file, SettingsRecord& rec, std::vector<size_t>* lost = nullptr);
// ReadRecord as both deliverables read the file. A damaged record is first
// copied beside the file ("plimsors.dat.damaged") and then replaced at once
// by the fields that could be read, so the other deliverable finds a sound
// record and the user is told once, with a message under title, that the
// settings were damaged and which were reset. When no copy can be made the
// damaged file is never written over in this run.
ReadResult ReadRecordKeepingDamage(const std::wstring& file, SettingsRecord& rec, const std::wstring& title);
// Writes a temporary file beside file and then replaces file with it, so a
// failed write leaves the old file whole and a shorter record leaves no old
// tail behind. True on success.
bool WriteRecord(const std::wstring& file, const SettingsRecord& rec);
// The message of a failed write.
std::wstring WriteFailedText(const std::wstring& file);
// The program's shutdown write: only when the Settings folder exists.
bool WriteRecordIfFolderExists(const std::wstring& settingsFolder, const SettingsRecord& rec);

// The settings library's procedures on Settings() and the folder beside it.
// Reading creates the folder when it is missing, reads the file when there is
// one and applies the defaults; a failure shows the reading message and then
// fills what the record lacks with the defaults, as for a missing file.
// Writing creates the folder and shows the saving message when it fails.
void ReadSettingsFile();
void WriteSettingsFile();
// The same on a given Settings folder and record; true when they succeeded.
bool ReadSettingsFile(const std::wstring& settingsFolder, SettingsRecord& rec);
bool WriteSettingsFile(const std::wstring& settingsFolder, const SettingsRecord& rec);

} // namespace SettingsRecordFile
