#include "SetsLogic.h"

#include <windows.h>

#include <cmath>
#include <cwchar>
#include <cwctype>

#include "ModReg.h"
#include "ModSets2.h"
#include "platform/Paths.h"

namespace SetsLogic {

bool IsNumeric(const std::wstring& text, double* value)
{
    std::wstring t = platform::TrimBlanks(text);
    if (t.empty())
        return false;
    size_t i = 0;
    if (t[i] == L'+' || t[i] == L'-')
        ++i;
    bool digits = false, point = false;
    for (; i < t.size(); ++i) {
        if (iswdigit(t[i]))
            digits = true;
        else if (t[i] == L'.' && !point)
            point = true;
        else
            break;
    }
    if (!digits)
        return false;
    if (i < t.size() && (t[i] == L'e' || t[i] == L'E')) {
        size_t j = i + 1;
        if (j < t.size() && (t[j] == L'+' || t[j] == L'-'))
            ++j;
        size_t expStart = j;
        while (j < t.size() && iswdigit(t[j]))
            ++j;
        if (j == expStart)
            return false;
        i = j;
    }
    if (i != t.size())
        return false;
    double v = wcstod(t.c_str(), nullptr);
    if (!std::isfinite(v))
        return false;
    if (value)
        *value = v;
    return true;
}

namespace {

// VB's rounding of a number to an integer type: half to even; false when out
// of range.
template <class Int>
bool ToInteger(double v, Int& out, double lo, double hi)
{
    double r = std::nearbyint(v);
    if (r < lo || r > hi)
        return false;
    out = static_cast<Int>(r);
    return true;
}

} // namespace

// ---- General page ----

bool ApplyMoveSpacer(const std::wstring& text, SettingsRecord& rec)
{
    double v = 0;
    if (!IsNumeric(text, &v) || v < 1 || v > 10 || v != std::floor(v))
        return false;
    rec.MoveSpacer.assign(static_cast<size_t>(v), L' ');
    return true;
}

bool ApplyFontSize(const std::wstring& text, SettingsRecord& rec)
{
    double v = 0;
    int16_t size = 0;
    if (!IsNumeric(text, &v) || !ToInteger(v, size, -32768.0, 32767.0))
        return false;
    rec.EdFontSize = size;
    return true;
}

std::wstring TempFolderText(const std::wstring& text)
{
    return platform::WithoutTrailingBackslash(text);
}

bool IsProgramOrHelpFile(const std::wstring& path)
{
    std::wstring ext = Upper(ModSets2::GetExtension(path));
    return ext == L"EXE" || ext == L"HLP" || ext == L"CHM";
}

std::wstring& ExePath(SettingsRecord& rec, int entry)
{
    return entry == 0 ? rec.ExePath1 : entry == 1 ? rec.ExePath2 : rec.ExePath3;
}

std::wstring& ExeName(SettingsRecord& rec, int entry)
{
    return entry == 0 ? rec.ExeName1 : entry == 1 ? rec.ExeName2 : rec.ExeName3;
}

const std::vector<std::wstring>& SaveExtensions()
{
    static const std::vector<std::wstring> list = {L"html", L"txt", L"vbs", L"js",  L"asp", L"aspx",
                                                   L"php",  L"css", L"wsf", L"wsc", L"hta"};
    return list;
}

int DefSaveExtIndex(const SettingsRecord& rec)
{
    int i = rec.DefSaveExt - 1;
    return i >= 0 && i < static_cast<int>(SaveExtensions().size()) ? i : -1;
}

// ---- Colorcoding page ----

int32_t& ColorField(SettingsRecord& rec, int item)
{
    switch (item) {
    case 0:
        return rec.ColorTag;
    case 1:
        return rec.ColorKeyword;
    case 2:
        return rec.ColorVariable;
    case 3:
        return rec.ColorDebug;
    case 4:
        return rec.ColorComment;
    case 5:
        return rec.ColorString;
    default:
        return rec.ColorAttrValue;
    }
}

bool ApplyCommentMark(const std::wstring& text, SettingsRecord& rec)
{
    if (text.empty() || text[0] != L'\'')
        return false;
    rec.CommentMark = text;
    return true;
}

int32_t PickStartColor(int32_t swatch) { return swatch == 0xFFFFFF ? 0 : swatch; }

// ---- Debugging page ----

bool ApplyUndoLimit(const std::wstring& text, SettingsRecord& rec)
{
    double v = 0;
    int32_t limit = 0;
    if (!IsNumeric(text, &v) || !ToInteger(v, limit, -2147483648.0, 2147483647.0))
        return false;
    rec.UndoLimit = limit;
    return true;
}

int NormaliseAutoBars(SettingsRecord& rec)
{
    if (rec.AutoBars == 1 || rec.AutoBars == 2)
        return rec.AutoBars;
    rec.AutoBars = 0;
    return 0;
}

// ---- HotKeys page ----

const std::vector<std::wstring>& HotKeyActions()
{
    static const std::vector<std::wstring> actions = {
        L"Cut",         L"Copy",           L"Paste",          L"Open",
        L"Save",        L"Print",          L"Find and Replace", L"Multi-file Replace",
        L"Sel. Upper Case", L"Sel. Lower Case", L"Sel. Proper Case", L"Open Auto-insert Setup",
        L"Open Object Browser", L"Open Snippet Library", L"Run Script", L"Select All",
        L"Undo",        L"X-Paste 1",      L"X-Paste 2",      L"X-Copy 1",
        L"X-Copy 2",    L"CSS Properties popup", L"CSS Values popup"};
    return actions;
}

std::wstring HotKeyText(int code)
{
    if (code <= 1 || code > 0xFFFF)
        return L"";
    return std::wstring(1, static_cast<wchar_t>(code));
}

int16_t HotKeyFromText(const std::wstring& text, std::wstring& shown)
{
    std::wstring u = Upper(text);
    if (u.size() == 1 && u[0] >= L'A' && u[0] <= L'Z') {
        shown = u;
        return static_cast<int16_t>(u[0]);
    }
    shown.clear();
    return 0;
}

void ApplyHotKeys(std::vector<std::wstring>& boxes, SettingsRecord& rec)
{
    if (rec.HotKeys.size() < static_cast<size_t>(kHotKeyCount))
        rec.HotKeys.resize(kHotKeyCount, 1);
    boxes.resize(kHotKeyCount);
    for (int i = 0; i < kHotKeyCount; ++i) {
        std::wstring shown;
        rec.HotKeys[i] = HotKeyFromText(boxes[i], shown);
        boxes[i] = shown;
    }
}

// ---- Custom Popups page ----

PopupMenu Popup(SettingsRecord& rec, int menu)
{
    if (menu == 0)
        return {&rec.Menu1On, &rec.Menu1Key, &rec.Menu1Name, &rec.Menu1Items};
    return {&rec.Menu2On, &rec.Menu2Key, &rec.Menu2Name, &rec.Menu2Items};
}

std::vector<std::wstring> PopupBoxes(const PopupMenu& menu)
{
    std::vector<std::wstring> boxes(kPopupItems);
    for (int i = 0; i < kPopupItems; ++i) {
        std::wstring item = At<std::wstring>(*menu.Items, i);
        if (item.size() >= 2)
            boxes[i] = item;
    }
    return boxes;
}

std::wstring PopupNameText(const PopupMenu& menu) { return menu.Name->size() >= 2 ? *menu.Name : L""; }

std::wstring PopupKeyText(const PopupMenu& menu)
{
    return *menu.Key > 0 ? std::wstring(1, static_cast<wchar_t>(*menu.Key)) : L"";
}

void SavePopupItems(const std::vector<std::wstring>& boxes, PopupMenu& menu)
{
    SettingsArray<std::wstring> items(kPopupItems);
    for (int i = 0; i < kPopupItems; ++i)
        items[i] = At<std::wstring>(boxes, i);
    *menu.Items = items;
}

void ApplyPopupSettings(bool active, const std::wstring& hotText, const std::wstring& name, PopupMenu& menu)
{
    *menu.On = active;
    if (hotText.size() == 1)
        *menu.Key = static_cast<int16_t>(Upper(hotText)[0]);
    *menu.Name = name;
}

void DefaultPopupNames(SettingsRecord& rec)
{
    if (rec.Menu1Name.size() < 2)
        rec.Menu1Name = L"Custom Menu 1";
    if (rec.Menu2Name.size() < 2)
        rec.Menu2Name = L"Custom Menu 2";
}

// ---- File Extensions page ----

const std::vector<std::wstring>& ExtTypeNames()
{
    static const std::vector<std::wstring> names = {L"none", L"ASP", L"HTML", L"CSS", L"VBScript", L"Javascript"};
    return names;
}

std::vector<std::wstring> ExtensionList(const SettingsRecord& rec)
{
    std::vector<std::wstring> list;
    for (size_t i = 1; i < rec.ExtAliases.size(); ++i)
        if (!rec.ExtAliases[i].Ext.empty())
            list.push_back(rec.ExtAliases[i].Ext);
    return list;
}

int ExtensionType(const SettingsRecord& rec, const std::wstring& ext)
{
    for (size_t i = 1; i < rec.ExtAliases.size(); ++i)
        if (rec.ExtAliases[i].Ext == ext)
            return rec.ExtAliases[i].EdType;
    return -1;
}

std::wstring AddExtension(const std::wstring& text, int type, SettingsRecord& rec)
{
    std::wstring ext = Upper(text);
    if (!ext.empty() && ext[0] == L'.')
        ext.erase(0, 1);
    if (rec.ExtAliases.empty())
        rec.ExtAliases.resize(1);
    ExtAlias alias;
    alias.Ext = ext;
    alias.EdType = type;
    rec.ExtAliases.push_back(alias);
    return ext;
}

bool RemoveExtension(const std::wstring& entry, SettingsRecord& rec)
{
    if (entry.empty())
        return false;
    const std::wstring ext = Upper(entry);
    const size_t aliases = rec.ExtAliases.empty() ? 0 : rec.ExtAliases.size() - 1;
    if (aliases <= 1) {
        rec.ExtAliases.assign(1, ExtAlias());
        return true;
    }
    // The table shrinks by one element, whatever number of copies went; a
    // table that holds no copy stays as it is.
    std::vector<ExtAlias> kept;
    for (size_t i = 1; i < rec.ExtAliases.size(); ++i)
        if (rec.ExtAliases[i].Ext != ext)
            kept.push_back(rec.ExtAliases[i]);
    if (kept.size() == aliases)
        return true;
    const int32_t lower = rec.ExtAliases.Lower;
    SettingsArray<ExtAlias> table(aliases);
    table.Lower = lower;
    for (size_t i = 0; i < kept.size(); ++i)
        table[i + 1] = kept[i];
    rec.ExtAliases = table;
    return true;
}

bool ChangeExtType(const std::wstring& entry, int type, SettingsRecord& rec)
{
    if (entry.empty())
        return false;
    const std::wstring ext = Upper(entry);
    for (size_t i = 1; i < rec.ExtAliases.size(); ++i) {
        if (rec.ExtAliases[i].Ext == ext) {
            rec.ExtAliases[i].EdType = type;
            return true;
        }
    }
    return false;
}

// ---- Object list page ----

std::wstring ObjectListText(const std::wstring& iniPath)
{
    if (!ModSets2::FileExists(iniPath))
        return L"tarnelo.ini file missing";
    const std::wstring names = ModReg::GetIniSectionNames(iniPath);
    if (names == L"NA")
        return L"No listings in tarnelo.ini file";
    std::vector<std::wstring> sections;
    for (size_t start = 0; start <= names.size();) {
        size_t end = names.find(L'\0', start);
        if (end == std::wstring::npos)
            end = names.size();
        sections.push_back(names.substr(start, end - start));
        start = end + 1;
    }
    const std::wstring sep = L"________________________";
    std::wstring text;
    for (const std::wstring& section : sections) {
        std::vector<std::wstring> keys, values;
        long n = ModReg::ReadIniSection(section, iniPath, keys, values);
        if (n <= 0) {
            if (sections.size() == 1)
                return L"No listings in tarnelo.ini file";
            continue;
        }
        text += L"\r\n" + sep + L"\r\n" + section + L"\r\n" + sep + L"\r\n";
        for (size_t i = 0; i < keys.size(); ++i)
            if (At<std::wstring>(values, i) == L"1")
                text += keys[i] + L"\r\n";
    }
    return text;
}

} // namespace SetsLogic
