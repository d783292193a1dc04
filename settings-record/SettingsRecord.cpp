#include "SettingsRecord.h"

#include <algorithm>
#include <climits>

#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Module.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"
#include "platform/Text.h"

SettingsRecord& Settings()
{
    static SettingsRecord record;
    return record;
}

namespace SettingsRecordFile {

namespace {

using platform::FolderExists;

// Every field in file order. One list for both directions, so reading and
// writing cannot drift apart.
template <class Rec, class V>
void VisitFields(Rec& r, V& v)
{
    v(r.ColorTag);
    v(r.ColorKeyword);
    v(r.ColorVariable);
    v(r.ColorComment);
    v(r.ColorString);
    v(r.ColorAttrValue);
    v(r.ColorDebug);
    v(r.WinState);
    v(r.WinWidth);
    v(r.WinHeight);
    v(r.LastEdType);
    v(r.EdFontSize);
    v(r.DefSaveExt);
    v(r.UndoLimit);
    v(r.CustColors);
    v(r.HotKeys);
    v(r.NoColorCode);
    v(r.NoLineDebug);
    v(r.NoStatusHighlight);
    v(r.AutoBars);
    v(r.NoPHPColor);
    v(r.CountIfThen);
    v(r.DebugContinued);
    v(r.NoWholeWord);
    v(r.TabAsSpacer);
    v(r.NoCaretJump);
    v(r.NoAutoCorrect);
    v(r.Menu1On);
    v(r.Menu2On);
    v(r.Menu1Key);
    v(r.Menu2Key);
    v(r.EdFontName);
    v(r.WebTempFolder);
    v(r.MoveSpacer);
    v(r.CommentMark);
    v(r.ExtAliases);
    v(r.RecentFiles);
    v(r.ButtonTexts);
    v(r.ButtonCaptions);
    v(r.Menu1Items);
    v(r.Menu2Items);
    v(r.Menu1Name);
    v(r.Menu2Name);
    v(r.ExePath1);
    v(r.ExeName1);
    v(r.ExePath2);
    v(r.ExeName2);
    v(r.ExePath3);
    v(r.ExeName3);
    v(r.UTF8Text);
}

class Writer {
public:
    std::vector<uint8_t> bytes;

    void operator()(int32_t v) { Put(static_cast<uint32_t>(v), 4); }
    void operator()(int16_t v) { Put(static_cast<uint16_t>(v), 2); }
    void operator()(bool v) { Put(v ? 0xFFFFu : 0u, 2); }
    void operator()(const std::wstring& s)
    {
        std::string a = platform::ToCodePage(s);
        // The length field holds at most 65535 bytes; a longer text is cut
        // rather than spilling into the next field.
        if (a.size() > 0xFFFF) {
            std::wstring cut = s;
            while (a.size() > 0xFFFF && !cut.empty()) {
                cut.resize(cut.size() - std::min(cut.size(), a.size() - 0xFFFF));
                a = platform::ToCodePage(cut);
            }
        }
        Put(static_cast<uint32_t>(a.size()), 2);
        bytes.insert(bytes.end(), a.begin(), a.end());
    }
    void operator()(const ExtAlias& e)
    {
        (*this)(e.Ext);
        (*this)(e.EdType);
    }
    template <class T>
    void operator()(const SettingsArray<T>& a)
    {
        // An empty array is written as unallocated: no dimensions.
        if (a.empty()) {
            Put(0, 2);
            return;
        }
        Put(1, 2);
        Put(static_cast<uint32_t>(a.size()), 4);
        Put(static_cast<uint32_t>(a.Lower), 4);
        for (const T& item : a)
            (*this)(item);
    }

private:
    void Put(uint32_t v, int size)
    {
        for (int i = 0; i < size; ++i)
            bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
};

// Smallest file form of one array element: bounds the element count a
// descriptor may claim against the bytes that are left.
size_t MinSize(const int32_t*) { return 4; }
size_t MinSize(const int16_t*) { return 2; }
size_t MinSize(const std::wstring*) { return 2; }
size_t MinSize(const ExtAlias*) { return 6; }

// Reads fields until the bytes run out or a descriptor is damaged; from then
// on every read fails and leaves its field as it is.
class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool ok = true;

    void operator()(int32_t& v)
    {
        uint32_t raw;
        if (Get(raw, 4))
            v = static_cast<int32_t>(raw);
    }
    void operator()(int16_t& v)
    {
        uint32_t raw;
        if (Get(raw, 2))
            v = static_cast<int16_t>(static_cast<uint16_t>(raw));
    }
    void operator()(bool& v)
    {
        uint32_t raw;
        if (Get(raw, 2))
            v = raw != 0;
    }
    void operator()(std::wstring& s)
    {
        uint32_t len;
        if (!Get(len, 2))
            return;
        if (len > size_ - pos_) {
            ok = false;
            return;
        }
        s = platform::FromCodePage(reinterpret_cast<const char*>(data_ + pos_), static_cast<size_t>(len));
        pos_ += len;
    }
    void operator()(ExtAlias& e)
    {
        ExtAlias read;
        (*this)(read.Ext);
        (*this)(read.EdType);
        if (ok)
            e = std::move(read);
    }
    template <class T>
    void operator()(SettingsArray<T>& a)
    {
        uint32_t dims, count, lower;
        if (!Get(dims, 2))
            return;
        if (dims == 0) {
            a = SettingsArray<T>();
            return;
        }
        if (dims != 1 || !Get(count, 4) || !Get(lower, 4)) {
            ok = false;
            return;
        }
        // A negative or impossible count is damage, not an allocation size.
        if (count > static_cast<uint32_t>(INT32_MAX) || count > (size_ - pos_) / MinSize(static_cast<T*>(nullptr))) {
            ok = false;
            return;
        }
        SettingsArray<T> read(count);
        read.Lower = static_cast<int32_t>(lower);
        for (T& item : read) {
            (*this)(item);
            if (!ok)
                return;
        }
        a = std::move(read);
    }

private:
    bool Get(uint32_t& v, int size)
    {
        if (!ok || size_ - pos_ < static_cast<size_t>(size)) {
            ok = false;
            return false;
        }
        v = 0;
        for (int i = 0; i < size; ++i)
            v |= static_cast<uint32_t>(data_[pos_ + i]) << (8 * i);
        pos_ += size;
        return true;
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// An array counts as empty when it is unsized or its upper bound is 0.
template <class T>
bool ArrayEmpty(const SettingsArray<T>& a)
{
    return a.empty() || static_cast<int64_t>(a.Lower) + static_cast<int64_t>(a.size()) - 1 == 0;
}

template <class T>
void Fill(SettingsArray<T>& a, size_t count, const T& value)
{
    a.assign(count, value);
    a.Lower = 0;
}

template <class T>
void Resize(SettingsArray<T>& a, size_t count, const T& pad)
{
    if (a.size() != count)
        a.resize(count, pad);
}

// A record much larger than this is not one this program wrote.
constexpr size_t MaxFileSize = 64LL * 1024 * 1024;

void Message(const std::wstring& text)
{
    platform::ShowMessage(text, platform::MessageStyle::Information, nullptr, L"TARNEL Editor Settings");
}

void ReadFailedMessage(const std::wstring& file)
{
    Message(L"Unable to access program settings file:\r\n" + file +
            L"\r\nThere may be a problem with file permissions, or the file plimsors.dat may be corrupt. "
            L"If you believe that you have permission to access the file, try deleting it. "
            L"TARNEL will then create a new settings file.");
}

void WriteFailedMessage(const std::wstring& file)
{
    Message(L"Unable to save program settings to file:\r\n" + file +
            L"\r\n. There may be a problem with file permissions.");
}

bool EnsureFolder(const std::wstring& folder)
{
    return FolderExists(folder) || CreateDirectoryW(folder.c_str(), nullptr) || FolderExists(folder);
}

} // namespace

std::vector<uint8_t> Serialize(const SettingsRecord& rec)
{
    Writer w;
    w.bytes.reserve(1024);
    VisitFields(rec, w);
    return std::move(w.bytes);
}

bool Parse(const uint8_t* data, size_t size, SettingsRecord& out)
{
    out = SettingsRecord();
    Reader r(data, data ? size : 0);
    VisitFields(out, r);
    return r.ok;
}

std::vector<int32_t> DefaultCustomColors()
{
    return {0x999966, 0xCC9966, 0xFF9966, 0xCC6666, 0x6666FF, 0x9966FF, 0x0099FF, 0x9999FF,
            0x6699CC, 0x3399CC, 0x6600CC, 0x66CCFF, 0x00CCFF, 0xFFCCFF, 0x66FF66, 0x660099};
}

void NormaliseArrays(SettingsRecord& rec)
{
    std::vector<int32_t> colors = DefaultCustomColors();
    if (rec.CustColors.size() < CustColorCount) {
        size_t had = rec.CustColors.size();
        rec.CustColors.resize(CustColorCount);
        for (size_t i = had; i < CustColorCount; ++i)
            rec.CustColors[i] = colors[i];
    } else {
        rec.CustColors.resize(CustColorCount);
    }
    Resize(rec.HotKeys, HotKeyCount, int16_t{1});
    if (rec.ExtAliases.empty())
        rec.ExtAliases.Lower = 0;
    Resize(rec.ExtAliases, std::max<size_t>(rec.ExtAliases.size(), 1), ExtAlias{});
    Resize(rec.RecentFiles, RecentFileCount, std::wstring(L"-"));
    Resize(rec.ButtonTexts, ButtonCount, std::wstring(L"."));
    Resize(rec.ButtonCaptions, ButtonCount, std::wstring(L"."));
    Resize(rec.Menu1Items, MenuItemCount, std::wstring(L"-"));
    Resize(rec.Menu2Items, MenuItemCount, std::wstring(L"-"));
}

void SetSettingsDefaults(SettingsRecord& rec)
{
    if (rec.ColorTag == 0)
        rec.ColorTag = 0xFF0000;
    if (rec.ColorKeyword == 0)
        rec.ColorKeyword = 0xA80080;
    if (rec.ColorVariable == 0)
        rec.ColorVariable = 0x0080FF;
    if (rec.ColorDebug == 0)
        rec.ColorDebug = 0x0000FF;
    if (rec.ColorComment == 0)
        rec.ColorComment = 0x008000;
    if (rec.ColorString == 0)
        rec.ColorString = 0x96666E;
    if (rec.ColorAttrValue == 0)
        rec.ColorAttrValue = 0x96666E;
    if (rec.UndoLimit == 0)
        rec.UndoLimit = 20;
    if (ArrayEmpty(rec.CustColors)) {
        std::vector<int32_t> colors = DefaultCustomColors();
        rec.CustColors.assign(colors.begin(), colors.end());
        rec.CustColors.Lower = 0;
    }
    if (rec.MoveSpacer.empty())
        rec.MoveSpacer = L" ";
    if (ArrayEmpty(rec.ExtAliases))
        Fill(rec.ExtAliases, 1, ExtAlias{});
    if (ArrayEmpty(rec.Menu1Items))
        Fill(rec.Menu1Items, MenuItemCount, std::wstring(L"-"));
    if (ArrayEmpty(rec.Menu2Items))
        Fill(rec.Menu2Items, MenuItemCount, std::wstring(L"-"));
    if (ArrayEmpty(rec.RecentFiles))
        Fill(rec.RecentFiles, RecentFileCount, std::wstring(L"-"));
    if (ArrayEmpty(rec.HotKeys))
        Fill(rec.HotKeys, HotKeyCount, int16_t{1});
    if (ArrayEmpty(rec.ButtonCaptions))
        Fill(rec.ButtonCaptions, ButtonCount, std::wstring(L"."));
    if (ArrayEmpty(rec.ButtonTexts))
        Fill(rec.ButtonTexts, ButtonCount, std::wstring(L"."));
    if (rec.DefSaveExt == 0)
        rec.DefSaveExt = 1;
    if (rec.LastEdType == 0)
        rec.LastEdType = 2;
    if (rec.WinState != 0)
        rec.WinState = 2;
    if (rec.WinHeight == 0)
        rec.WinHeight = 7110;
    if (rec.WinWidth == 0)
        rec.WinWidth = 8310;
    if (rec.EdFontName.empty())
        rec.EdFontName = L"Courier New";
    if (rec.EdFontSize == 0)
        rec.EdFontSize = 10;
    if (rec.CommentMark.empty())
        rec.CommentMark = L"'--";
    if (rec.ExeName1.empty())
        rec.ExeName1 = L"-";
    if (rec.ExeName2.empty())
        rec.ExeName2 = L"-";
    if (rec.ExeName3.empty())
        rec.ExeName3 = L"-";
    if (!FolderExists(rec.WebTempFolder)) {
        // Kept with its trailing "\", as the system gives the Temp folder.
        std::wstring temp = platform::TempFolder();
        if (!temp.empty())
            rec.WebTempFolder = temp + L"\\";
    }
    NormaliseArrays(rec);
}

std::wstring SettingsFolderOf(const std::wstring& programFolder)
{
    return platform::JoinPath(programFolder, L"Settings");
}

std::wstring SettingsFolder()
{
    return SettingsFolderOf(platform::ProgramFolder());
}

std::wstring SettingsFilePath(const std::wstring& settingsFolder)
{
    return settingsFolder + L"\\plimsors.dat";
}

ReadResult ReadRecord(const std::wstring& file, SettingsRecord& rec)
{
    try {
        DWORD attrs = platform::FileAttributes(file);
        if (attrs == INVALID_FILE_ATTRIBUTES) {
            DWORD err = GetLastError();
            return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND ? ReadResult::Missing
                                                                              : ReadResult::Failed;
        }
        if (attrs & FILE_ATTRIBUTE_DIRECTORY)
            return ReadResult::Failed;
        std::vector<uint8_t> bytes;
        if (!platform::ReadWholeFile(file, bytes, MaxFileSize))
            return ReadResult::Failed;
        SettingsRecord read;
        bool whole = Parse(bytes.data(), bytes.size(), read);
        rec = std::move(read);
        return whole ? ReadResult::Read : ReadResult::Partial;
    } catch (...) {
        return ReadResult::Failed;
    }
}

bool WriteRecord(const std::wstring& file, const SettingsRecord& rec)
{
    try {
        std::vector<uint8_t> bytes = Serialize(rec);
        return platform::WriteFileSafely(file, bytes.data(), bytes.size());
    } catch (...) {
        return false;
    }
}

bool WriteRecordIfFolderExists(const std::wstring& settingsFolder, const SettingsRecord& rec)
{
    return FolderExists(settingsFolder) && WriteRecord(SettingsFilePath(settingsFolder), rec);
}

bool ReadSettingsFile(const std::wstring& settingsFolder, SettingsRecord& rec)
{
    std::wstring file = SettingsFilePath(settingsFolder);
    const bool read = EnsureFolder(settingsFolder) && ReadRecord(file, rec) != ReadResult::Failed;
    if (!read)
        ReadFailedMessage(file);
    // A file that cannot be read counts as a missing one: what the record
    // lacks takes the defaults, so the dialog never opens on, and closing it
    // never writes, an empty record.
    try {
        SetSettingsDefaults(rec);
    } catch (...) {
    }
    return read;
}

bool WriteSettingsFile(const std::wstring& settingsFolder, const SettingsRecord& rec)
{
    std::wstring file = SettingsFilePath(settingsFolder);
    if (!EnsureFolder(settingsFolder) || !WriteRecord(file, rec)) {
        WriteFailedMessage(file);
        return false;
    }
    return true;
}

// Called from the COM object's methods: nothing may escape.
void ReadSettingsFile()
{
    try {
        ReadSettingsFile(SettingsFolder(), Settings());
    } catch (...) {
    }
}

void WriteSettingsFile()
{
    try {
        WriteSettingsFile(SettingsFolder(), Settings());
    } catch (...) {
    }
}

} // namespace SettingsRecordFile
