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

// No text of the record holds a control character but tab and line ends:
// one that does is bytes read out of place.
bool PlausibleText(const uint8_t* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (p[i] < 0x20 && p[i] != '\t' && p[i] != '\r' && p[i] != '\n')
            return false;
    return true;
}

// Reads fields until the bytes run out or a field is damaged (a descriptor,
// a length that runs past the end, a flag neither -1 nor 0, a text with a
// control character); from then on every read fails and leaves its field as
// it is.
class Reader {
public:
    // A lenient reader takes any flag value and any text: it finds where a
    // field whose contents are damaged ends.
    Reader(const uint8_t* data, size_t size, size_t pos = 0, bool lenient = false)
        : data_(data), size_(size), pos_(pos), lenient_(lenient)
    {
    }
    bool ok = true;
    // When set, an array must have the shape every record is written with:
    // one dimension and this many elements (0: at least one).
    size_t shapedCount = NoShape;
    static constexpr size_t NoShape = static_cast<size_t>(-1);
    size_t Pos() const { return pos_; }

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
        if (!Get(raw, 2))
            return;
        if (raw != 0 && raw != 0xFFFF && !lenient_) {
            ok = false;
            return;
        }
        v = raw != 0;
    }
    void operator()(std::wstring& s)
    {
        uint32_t len;
        if (!Get(len, 2))
            return;
        if (len > size_ - pos_ || (!lenient_ && !PlausibleText(data_ + pos_, len))) {
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
        if (dims == 0 && shapedCount == NoShape) {
            a = SettingsArray<T>();
            return;
        }
        if (dims != 1 || !Get(count, 4) || !Get(lower, 4)) {
            ok = false;
            return;
        }
        // A negative or impossible count is damage, not an allocation size.
        if (count > static_cast<uint32_t>(INT32_MAX) || count > (size_ - pos_) / MinSize(static_cast<T*>(nullptr)) ||
            (shapedCount != NoShape && (shapedCount ? count != shapedCount : count == 0))) {
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
    bool lenient_ = false;
};

constexpr size_t FieldCount = 50;
constexpr size_t NoField = static_cast<size_t>(-1);

// Calls f on field `index` (file order) of rec.
template <class Rec, class F>
void AtField(Rec& rec, size_t index, F f)
{
    size_t n = 0;
    auto one = [&](auto& field) {
        if (n++ == index)
            f(field);
    };
    VisitFields(rec, one);
}

// Reads field `index` from pos into rec; the position after it, or NoField
// when the bytes there are no sound field.
// Shaped: arrays as every record is written (see Reader::shapedCount).
size_t FixedCount(size_t index);
size_t ReadFieldAt(const uint8_t* data, size_t size, size_t pos, size_t index, SettingsRecord& rec,
                   bool lenient = false, bool shaped = false)
{
    Reader r(data, size, pos, lenient);
    if (shaped)
        r.shapedCount = FixedCount(index);
    AtField(rec, index, [&](auto& field) { r(field); });
    return r.ok ? r.Pos() : NoField;
}

// The fixed arrays' sizes, by field index; 0 for any other field.
size_t FixedCount(size_t index)
{
    switch (index) {
    case 14: return CustColorCount;
    case 15: return HotKeyCount;
    case 36: return RecentFileCount;
    case 37:
    case 38: return ButtonCount;
    case 39:
    case 40: return MenuItemCount;
    default: return 0;
    }
}

// Smallest file form of field `index`.
size_t MinSizeOfField(size_t index)
{
    SettingsRecord probe;
    size_t size = 0;
    AtField(probe, index, [&](auto& field) {
        Writer w;
        w(field);
        size = w.bytes.size();
    });
    return size;
}

// A field whose bytes span [p, q) but whose length or descriptor is damaged:
// a text is the bytes behind its length field, an array the elements that
// fill the span exactly (as many as a fixed array holds). Numbers and flags
// cannot be told from their damage.
class Recoverer {
public:
    Recoverer(const uint8_t* data, size_t p, size_t q, size_t index) : data_(data), p_(p), q_(q), index_(index) {}
    bool done = false;

    void operator()(int32_t&) {}
    void operator()(int16_t&) {}
    void operator()(bool&) {}
    void operator()(std::wstring& s)
    {
        const size_t n = q_ - p_ - 2;
        if (q_ - p_ < 2 || n > 0xFFFF || !PlausibleText(data_ + p_ + 2, n))
            return;
        s = platform::FromCodePage(reinterpret_cast<const char*>(data_ + p_ + 2), n);
        done = true;
    }
    template <class T>
    void operator()(SettingsArray<T>& a)
    {
        if (q_ - p_ < 10)
            return;
        Reader r(data_, q_, p_ + 10);
        SettingsArray<T> read;
        while (r.ok && r.Pos() < q_) {
            T item{};
            r(item);
            if (r.ok)
                read.push_back(std::move(item));
        }
        const size_t want = FixedCount(index_);
        if (!r.ok || read.empty() || (want && read.size() != want))
            return;
        read.Lower = static_cast<int32_t>(data_[p_ + 6] | data_[p_ + 7] << 8 | data_[p_ + 8] << 16 |
                                          static_cast<uint32_t>(data_[p_ + 9]) << 24);
        a = std::move(read);
        done = true;
    }

private:
    const uint8_t* data_;
    size_t p_, q_, index_;
};

bool RecoverField(const uint8_t* data, size_t p, size_t q, size_t index, SettingsRecord& rec)
{
    Recoverer r(data, p, q, index);
    AtField(rec, index, [&](auto& field) { r(field); });
    return r.done;
}

// Menu2Items, the last array of the record.
constexpr size_t LastArrayField = 40;

// How far past the field where the plain read failed a damaged span is
// looked for: a length read out of place is found out within a few fields.
constexpr size_t SearchFields = 16;
// Larger damaged records are read only up to the damage.
constexpr size_t MaxSearchedRecord = 256 * 1024;

// The damaged record in data, read around its damage: the fields before the
// damage, the fields after it where they read soundly up to the end of the
// bytes, and a field in between whose own bytes are sound. Among the ways to
// do so, the one that keeps the most fields, and of those the one with the
// earliest damage. starts holds where each field of the plain read began,
// up to the failed field.
std::vector<size_t> ReadAroundDamage(const uint8_t* data, size_t size, const std::vector<size_t>& starts,
                                     SettingsRecord& out)
{
    const size_t failed = starts.size() - 1;
    const size_t firstGap = failed > SearchFields ? failed - SearchFields : 0;
    const size_t lastResume = std::min(FieldCount - 1, failed + SearchFields);
    // sound[j][q]: fields j..end read soundly from q and end exactly at size.
    std::vector<std::vector<uint8_t>> sound(FieldCount + 1);
    sound[FieldCount].assign(size + 1, 0);
    sound[FieldCount][size] = 1;
    SettingsRecord scratch;
    for (size_t j = FieldCount; j-- > firstGap + 1;) {
        sound[j].assign(size + 1, 0);
        for (size_t q = starts[firstGap]; q <= size; ++q) {
            // Zeros read as empty texts and unsized arrays anywhere: the
            // fields after a damage must have the shape the record is
            // always written with.
            const size_t end = ReadFieldAt(data, size, q, j, scratch, false, true);
            sound[j][q] = end != NoField && sound[j + 1][end];
        }
    }

    struct Choice {
        size_t kept = 0, gap = 0, resume = FieldCount, at = 0;
        bool recovered = false;
    } best;
    bool any = false;
    for (size_t i = firstGap; i <= failed; ++i) {
        const size_t p = starts[i];
        // Where field i ends when only its contents are damaged.
        const size_t contentsEnd = ReadFieldAt(data, size, p, i, scratch, true);
        size_t minSpan = 0;
        for (size_t j = i + 1; j <= FieldCount; ++j) {
            minSpan += MinSizeOfField(j - 1);
            if (j < FieldCount && j > lastResume)
                continue;
            // Up to the end the span is whatever is left: the bytes may
            // simply stop.
            const size_t from = j == FieldCount ? size : p + minSpan;
            for (size_t q = from; q <= size; ++q) {
                if (j < FieldCount && !sound[j][q])
                    continue;
                const bool recovered = j == i + 1 && RecoverField(data, p, q, i, scratch);
                // A span its own bytes do not bound (several fields, or one
                // that neither reads again from the span nor ends where its
                // own length says) is taken only where the fields after it
                // show the record's shape, an array descriptor at least: a
                // few texts and a flag may match any bytes by chance.
                const bool bounded = j == i + 1 && (recovered || q == contentsEnd);
                if (j < FieldCount && !bounded && j > LastArrayField)
                    continue;
                const Choice c{i + (FieldCount - j) + (recovered ? 1 : 0), i, j, q, recovered};
                if (!any || c.kept > best.kept) {
                    best = c;
                    any = true;
                }
                // One field may yet read again from a longer span.
                if (recovered || j != i + 1)
                    break;
            }
        }
    }

    out = SettingsRecord();
    for (size_t f = 0; f < best.gap; ++f)
        ReadFieldAt(data, size, starts[f], f, out);
    std::vector<size_t> lost;
    if (best.recovered)
        RecoverField(data, starts[best.gap], best.at, best.gap, out);
    else
        for (size_t f = best.gap; f < best.resume; ++f)
            lost.push_back(f);
    for (size_t f = best.gap + 1; f < best.resume; ++f)
        if (best.recovered)
            lost.push_back(f);
    size_t pos = best.at;
    for (size_t f = best.resume; f < FieldCount; ++f)
        pos = ReadFieldAt(data, size, pos, f, out);
    return lost;
}

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

// Only the start of the file is read: even a record of the longest texts is
// smaller, and what lies behind a record is never read.
constexpr size_t MaxRecordSize = 16 * 1024 * 1024;

// A damaged file whose copy could not be made: it is never written over.
std::wstring& UnsafeToReplace()
{
    static std::wstring file;
    return file;
}

// A copy of the damaged file beside it, under the first free name of
// "plimsors.dat.damaged", "plimsors.dat.damaged2", ...; "" when none could be made.
std::wstring KeepDamagedCopy(const std::wstring& file)
{
    for (int n = 1; n < 100; ++n) {
        std::wstring copy = file + L".damaged" + (n > 1 ? std::to_wstring(n) : L"");
        if (CopyFileW(file.c_str(), copy.c_str(), TRUE))
            return copy;
        const DWORD err = GetLastError();
        if (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS)
            break;
    }
    return L"";
}

std::wstring DamageText(const std::wstring& file, const std::wstring& copy, const std::vector<size_t>& lost)
{
    std::wstring text = L"The program settings file\r\n" + file + L"\r\nwas damaged. ";
    text += copy.empty() ? L"No copy of it could be made, so it will not be written over."
                         : L"A copy of it was kept as\r\n" + copy;
    std::wstring titles;
    for (size_t f : lost)
        titles += (titles.empty() ? L"" : L", ") + FieldTitle(f);
    text += titles.empty() ? L"\r\n\r\nEvery setting could still be read."
                           : L"\r\n\r\nThese settings could not be read and were reset: " + titles + L".";
    return text;
}

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

ParseReport ParseRecord(const uint8_t* data, size_t size, SettingsRecord& out)
{
    out = SettingsRecord();
    if (!data)
        size = 0;
    std::vector<size_t> starts{0};
    for (size_t f = 0; f < FieldCount; ++f) {
        const size_t end = ReadFieldAt(data, size, starts.back(), f, out);
        if (end == NoField)
            break;
        starts.push_back(end);
    }
    ParseReport report;
    if (starts.size() > FieldCount)
        return report;
    report.whole = false;
    // A record of an older version ends before its last field; its arrays
    // have their usual sizes, or an item too many would read as such a
    // record.
    if (starts.size() == FieldCount && starts.back() == size) {
        SettingsRecord scratch;
        size_t pos = 0;
        for (size_t f = 0; f + 1 < FieldCount && pos != NoField; ++f)
            pos = ReadFieldAt(data, size, pos, f, scratch, false, true);
        if (pos == size) {
            report.lost.push_back(FieldCount - 1);
            return report;
        }
    }
    report.damaged = true;
    if (size <= MaxSearchedRecord) {
        report.lost = ReadAroundDamage(data, size, starts, out);
    } else {
        for (size_t f = starts.size() - 1; f < FieldCount; ++f)
            report.lost.push_back(f);
    }
    return report;
}

bool Parse(const uint8_t* data, size_t size, SettingsRecord& out)
{
    return ParseRecord(data, size, out).whole;
}

std::wstring FieldTitle(size_t index)
{
    static const wchar_t* const titles[FieldCount] = {
        L"tag colour", L"keyword colour", L"variable colour", L"comment colour", L"string colour",
        L"attribute value colour", L"debugging mark colour", L"window state", L"window width",
        L"window height", L"last document type", L"font size", L"default Save As extension", L"undo limit",
        L"custom colours", L"hotkeys", L"colour coding", L"line debugging", L"status bar highlight",
        L"auto-insert bars", L"PHP colouring", L"if-then count", L"debugging of continued lines",
        L"whole-word object check", L"Tab as Move-Text spacer", L"caret jump", L"auto-correction",
        L"custom menu 1 on", L"custom menu 2 on", L"custom menu 1 hotkey", L"custom menu 2 hotkey",
        L"font name", L"web temp folder", L"Move-Text spacer", L"comment mark", L"extension aliases",
        L"recent files", L"button texts", L"button captions", L"custom menu 1 items", L"custom menu 2 items",
        L"custom menu 1 name", L"custom menu 2 name", L"EXE+ item 1 path", L"EXE+ item 1 name",
        L"EXE+ item 2 path", L"EXE+ item 2 name", L"EXE+ item 3 path", L"EXE+ item 3 name", L"UTF-8 option",
    };
    return index < FieldCount ? titles[index] : L"";
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

ReadResult ReadRecord(const std::wstring& file, SettingsRecord& rec, std::vector<size_t>* lost)
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
        if (!platform::ReadFileStart(file, bytes, MaxRecordSize))
            return ReadResult::Failed;
        SettingsRecord read;
        ParseReport report = ParseRecord(bytes.data(), bytes.size(), read);
        rec = std::move(read);
        if (lost)
            *lost = report.lost;
        return report.damaged ? ReadResult::Partial : ReadResult::Read;
    } catch (...) {
        return ReadResult::Failed;
    }
}

ReadResult ReadRecordKeepingDamage(const std::wstring& file, SettingsRecord& rec, const std::wstring& title)
{
    std::vector<size_t> lost;
    const ReadResult result = ReadRecord(file, rec, &lost);
    if (result != ReadResult::Partial)
        return result;
    try {
        const std::wstring copy = KeepDamagedCopy(file);
        if (copy.empty())
            UnsafeToReplace() = file;
        else
            WriteRecord(file, rec);
        platform::ShowMessage(DamageText(file, copy, lost), platform::MessageStyle::Warning, nullptr, title);
    } catch (...) {
    }
    return result;
}

std::wstring WriteFailedText(const std::wstring& file)
{
    return L"Unable to save program settings to file:\r\n" + file +
           L"\r\n. There may be a problem with file permissions.";
}

bool WriteRecord(const std::wstring& file, const SettingsRecord& rec)
{
    if (!UnsafeToReplace().empty() && platform::SameText(UnsafeToReplace(), file))
        return false;
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
    const bool read = EnsureFolder(settingsFolder) &&
                      ReadRecordKeepingDamage(file, rec, L"TARNEL Editor Settings") != ReadResult::Failed;
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
        Message(WriteFailedText(file));
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
