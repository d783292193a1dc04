#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "RecordBytes.h"
#include "SettingsRecord.h"

using namespace SettingsRecordFile;

namespace {

int32_t I32At(const std::vector<uint8_t>& b, size_t at)
{
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(b.at(at + i)) << (8 * i);
    return static_cast<int32_t>(v);
}

int16_t I16At(const std::vector<uint8_t>& b, size_t at)
{
    return static_cast<int16_t>(b.at(at) | (b.at(at + 1) << 8));
}

void PutI32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}

void PutI16(std::vector<uint8_t>& b, size_t at, uint16_t v)
{
    b.at(at) = static_cast<uint8_t>(v);
    b.at(at + 1) = static_cast<uint8_t>(v >> 8);
}

// Every array sized as the record's table says, as callers index them.
void ExpectArraysSized(const SettingsRecord& r)
{
    EXPECT_EQ(r.CustColors.size(), 16u);
    EXPECT_EQ(r.HotKeys.size(), 23u);
    EXPECT_GE(r.ExtAliases.size(), 1u);
    EXPECT_EQ(r.RecentFiles.size(), 4u);
    EXPECT_EQ(r.ButtonTexts.size(), 28u);
    EXPECT_EQ(r.ButtonCaptions.size(), 28u);
    EXPECT_EQ(r.Menu1Items.size(), 10u);
    EXPECT_EQ(r.Menu2Items.size(), 10u);
}

// A copy of the bytes that ends right at an inaccessible page, so a read past
// the end faults instead of going unnoticed.
class GuardedBytes {
public:
    explicit GuardedBytes(const std::vector<uint8_t>& src, size_t size)
    {
        SYSTEM_INFO si;
        GetSystemInfo(&si);
        const size_t page = si.dwPageSize;
        span_ = ((size + page - 1) / page + 1) * page;
        base_ = static_cast<uint8_t*>(VirtualAlloc(nullptr, span_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(base_ + span_ - page, page, PAGE_NOACCESS, &old);
        data_ = base_ + span_ - page - size;
        if (size)
            memcpy(data_, src.data(), size);
        size_ = size;
    }
    ~GuardedBytes() { VirtualFree(base_, 0, MEM_RELEASE); }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;
    const uint8_t* data() const { return data_; }
    size_t size() const { return size_; }

private:
    uint8_t* base_ = nullptr;
    uint8_t* data_ = nullptr;
    size_t span_ = 0, size_ = 0;
};

std::string Hex(const std::string& s);

std::string Hex(const std::vector<uint8_t>& v)
{
    return Hex(std::string(v.begin(), v.end()));
}

std::string Hex(const std::string& s)
{
    static const char* d = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        out += d[c >> 4];
        out += d[c & 15];
    }
    return out;
}

} // namespace

TEST(SettingsRecord, DefaultRecordHasTheDocumentedBytes)
{
    SettingsRecord rec;
    SetSettingsDefaults(rec);
    std::vector<uint8_t> bytes = Serialize(rec);
    RecordBytes expected = BuildRecordBytes(DefaultRecord());
    EXPECT_EQ(Hex(std::string(bytes.begin(), bytes.end())), Hex(expected.bytes));

    // Landmarks of the layout.
    EXPECT_EQ(I32At(bytes, 0), 0xFF0000);
    EXPECT_EQ(I16At(bytes, 44), 10);
    EXPECT_EQ(I16At(bytes, 46), 1);
    EXPECT_EQ(I32At(bytes, 48), 20);
    EXPECT_EQ(I16At(bytes, 52), 1);   // dimensions
    EXPECT_EQ(I32At(bytes, 54), 16);  // element count
    EXPECT_EQ(I32At(bytes, 58), 0);   // lower bound
    EXPECT_EQ(I32At(bytes, 62), 0x999966);
    EXPECT_EQ(I16At(bytes, 126), 1);
    EXPECT_EQ(I32At(bytes, 128), 23);
    EXPECT_EQ(I16At(bytes, 214), 11) << "first string starts at 214";
    EXPECT_EQ(std::string(bytes.begin() + 216, bytes.begin() + 227), "Courier New");
    EXPECT_EQ(I16At(bytes, bytes.size() - 2), 0) << "UTF8Text last";
}

TEST(SettingsRecord, FullRecordRoundTrips)
{
    SettingsRecord full = FullRecord();
    RecordBytes expected = BuildRecordBytes(full);
    std::vector<uint8_t> bytes = Serialize(full);
    ASSERT_EQ(Hex(bytes), Hex(expected.bytes));

    SettingsRecord back;
    back.AutoBars = 77;  // emptied before reading
    back.Menu1Name = L"stale";
    ASSERT_TRUE(Parse(bytes.data(), bytes.size(), back));
    EXPECT_EQ(Hex(BuildRecordBytes(back).bytes), Hex(expected.bytes));
    EXPECT_EQ(back.AutoBars, 1);
    EXPECT_EQ(back.Menu1Name, L"Snippets");
    EXPECT_EQ(back.WebTempFolder, full.WebTempFolder);
    EXPECT_EQ(back.Menu2Items.Lower, 5) << "lower bound kept as read";
    EXPECT_EQ(back.Menu2Items[9], L"\u00e9t\u00e9");
    ASSERT_EQ(back.ExtAliases.size(), 3u);
    EXPECT_EQ(back.ExtAliases[1].Ext, L"INC");
    EXPECT_EQ(back.ExtAliases[1].EdType, 4);
    EXPECT_EQ(back.WinHeight, -6789);
    EXPECT_EQ(back.CustColors[15], 0x7FFFFFFF);
    EXPECT_TRUE(back.UTF8Text);
    EXPECT_TRUE(back.NoColorCode);
    EXPECT_FALSE(back.NoLineDebug);
    EXPECT_EQ(Serialize(back), bytes);

    if (GetACP() == 1252) {
        std::string raw(bytes.begin(), bytes.end());
        EXPECT_NE(raw.find("C:\\Web Temp\\caf\xE9"), std::string::npos) << "strings are stored in the ANSI code page";
    }
    // Flags are stored as -1, not 1.
    EXPECT_EQ(I16At(bytes, bytes.size() - 2), -1);
}

TEST(SettingsRecord, RecordCutAtEveryOffsetKeepsWholeFieldsAndDefaultsTheRest)
{
    const SettingsRecord full = FullRecord();
    const RecordBytes rb = BuildRecordBytes(full);
    const std::vector<uint8_t> bytes = AsVector(rb.bytes);
    const std::string defaults = BuildRecordBytes(DefaultRecord()).bytes;
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        GuardedBytes part(bytes, cut);
        SettingsRecord got;
        EXPECT_FALSE(Parse(part.data(), part.size(), got)) << "cut at " << cut;
        SettingsRecord want = full;
        for (size_t f = 0; f < FieldCount; ++f)
            if (rb.fieldEnds[f] > cut)
                ClearField(want, f);
        ASSERT_EQ(Hex(BuildRecordBytes(got).bytes), Hex(BuildRecordBytes(want).bytes)) << "cut at " << cut;
        SetSettingsDefaults(got);
        ExpectArraysSized(got);
        if (cut < rb.fieldEnds[0]) {
            EXPECT_EQ(Hex(BuildRecordBytes(got).bytes), Hex(defaults)) << "cut at " << cut;
        }
    }
    // An older record without the trailing UTF8Text reads it as False.
    SettingsRecord old;
    EXPECT_FALSE(Parse(bytes.data(), bytes.size() - 2, old));
    EXPECT_FALSE(old.UTF8Text);
    EXPECT_EQ(old.ExeName3, full.ExeName3);
    EXPECT_EQ(old.ExePath2, full.ExePath2);
}

// Field `index` of rec in its file form.
std::string FieldBytes(const SettingsRecord& rec, size_t index)
{
    const RecordBytes rb = BuildRecordBytes(rec);
    const size_t start = index ? rb.fieldEnds[index - 1] : 0;
    return rb.bytes.substr(start, rb.fieldEnds[index] - start);
}

// Every field of got but those in `damaged` reads as in want.
void ExpectSoundFieldsKept(const SettingsRecord& got, const SettingsRecord& want, std::vector<size_t> damaged,
                           const std::string& what)
{
    for (size_t f = 0; f < FieldCount; ++f)
        if (std::find(damaged.begin(), damaged.end(), f) == damaged.end())
            ASSERT_EQ(Hex(FieldBytes(got, f)), Hex(FieldBytes(want, f))) << what << ", field " << f;
}

TEST(SettingsRecord, DamagedArrayDescriptorsAndLengthsLoseNoOtherField)
{
    const SettingsRecord full = FullRecord();
    const RecordBytes rb = BuildRecordBytes(full);
    const std::vector<uint8_t> good = AsVector(rb.bytes);
    const size_t custAt = 52;
    const size_t extAt = rb.fieldEnds[34];     // ExtAliases follows CommentMark
    const size_t buttonsAt = rb.fieldEnds[36]; // ButtonTexts follows RecentFiles

    struct Damage {
        const char* what;
        size_t at;
        int size;
        uint32_t value;
        size_t field;
    };
    const Damage cases[] = {
        {"two dimensions", custAt, 2, 2, 14},
        {"dimensions -1", custAt, 2, 0xFFFF, 14},
        {"huge count", custAt + 2, 4, 0x7FFFFFFF, 14},
        {"negative count", custAt + 2, 4, 0xFFFFFFFF, 14},
        {"most negative count", custAt + 2, 4, 0x80000000, 14},
        {"count past the end", custAt + 2, 4, 100000, 14},
        {"count one short", custAt + 2, 4, 15, 14},
        {"alias count huge", extAt + 2, 4, 0x40000000, 35},
        {"alias count one more", extAt + 2, 4, 4, 35},
        {"alias dimensions 3", extAt, 2, 3, 35},
        {"string array count negative", buttonsAt + 2, 4, 0xFFFFFFF0, 37},
        {"font name longer than the file", 214, 2, 0xFFFF, 31},
        {"font name one short", 214, 2, 13, 31},
        {"flag of 1", rb.fieldEnds[15], 2, 1, 16},
    };
    for (const Damage& d : cases) {
        std::vector<uint8_t> bad = good;
        if (d.size == 2)
            PutI16(bad, d.at, static_cast<uint16_t>(d.value));
        else
            PutI32(bad, d.at, d.value);
        GuardedBytes guarded(bad, bad.size());
        SettingsRecord got;
        ParseReport report = ParseRecord(guarded.data(), guarded.size(), got);
        EXPECT_FALSE(report.whole) << d.what;
        EXPECT_TRUE(report.damaged) << d.what;
        ExpectSoundFieldsKept(got, full, {d.field}, d.what);
        SetSettingsDefaults(got);
        ExpectArraysSized(got);
    }
    // A text or an array of a fixed size whose length alone is damaged is
    // read from the bytes it spans.
    for (size_t at : {custAt + 2, static_cast<size_t>(214), buttonsAt + 2}) {
        std::vector<uint8_t> bad = good;
        PutI16(bad, at, 0xFFFF);
        SettingsRecord got;
        ParseReport report = ParseRecord(bad.data(), bad.size(), got);
        EXPECT_TRUE(report.lost.empty()) << at;
        EXPECT_EQ(Hex(BuildRecordBytes(got).bytes), Hex(rb.bytes)) << at;
    }

    // A strange lower bound is no damage: it is kept and written back.
    std::vector<uint8_t> odd = good;
    PutI32(odd, custAt + 6, 0x80000000);
    SettingsRecord got;
    ASSERT_TRUE(Parse(odd.data(), odd.size(), got));
    EXPECT_EQ(got.CustColors.Lower, INT32_MIN);
    SetSettingsDefaults(got);
    EXPECT_EQ(got.CustColors[0], 1) << "an upper bound far from 0 is not empty";
    EXPECT_EQ(Serialize(got).at(custAt + 9), 0x80);
}

TEST(SettingsRecord, AnyOneDamagedByteLosesAtMostTheFieldItIsIn)
{
    // The defaults as the program writes them: empty names would make a
    // count one too high read as a whole record.
    SettingsRecord defaults = DefaultRecord();
    defaults.Menu1Name = L"Custom Menu 1";
    defaults.Menu2Name = L"Custom Menu 2";
    const size_t lastArray = 40;
    for (const SettingsRecord& rec : {FullRecord(), defaults}) {
        const RecordBytes rb = BuildRecordBytes(rec);
        const std::vector<uint8_t> good = AsVector(rb.bytes);
        size_t field = 0;
        for (size_t at = 0; at < good.size(); ++at) {
            while (rb.fieldEnds[field] <= at)
                ++field;
            for (uint8_t mask : {0xFF, 0x01, 0x80}) {
                std::vector<uint8_t> bad = good;
                bad[at] ^= mask;
                SettingsRecord got;
                ParseReport report = ParseRecord(bad.data(), bad.size(), got);
                std::string what = "record " + std::to_string(good.size()) + ", byte " + std::to_string(at) + " ^ " +
                                   std::to_string(mask) + " in field " + std::to_string(field) + ", lost";
                for (size_t f : report.lost)
                    what += " " + std::to_string(f);
                // Behind a damaged item of the last array only texts and a
                // flag follow, too little to be told from chance: those go too.
                if (field == lastArray && report.lost.size() > 1)
                    continue;
                ExpectSoundFieldsKept(got, rec, {field}, what);
                EXPECT_TRUE(report.lost.empty() || report.lost == std::vector<size_t>{field}) << what;
            }
        }
    }
}

TEST(SettingsRecord, DefaultsFillOnlyEmptyFieldsAndSizeEveryArray)
{
    SettingsRecord full = FullRecord();
    SetSettingsDefaults(full);
    SettingsRecord expected = FullRecord();
    wchar_t temp[MAX_PATH + 1];
    expected.WebTempFolder.assign(temp, GetTempPathW(MAX_PATH + 1, temp));
    EXPECT_EQ(Hex(BuildRecordBytes(full).bytes), Hex(BuildRecordBytes(expected).bytes))
        << "only the missing web temp folder changes";
    ASSERT_FALSE(expected.WebTempFolder.empty());
    EXPECT_EQ(expected.WebTempFolder.back(), L'\\') << "with its trailing backslash";

    SettingsRecord r;
    r.WinState = 1;
    r.WebTempFolder = expected.WebTempFolder.substr(0, expected.WebTempFolder.size() - 1);
    r.CustColors.assign({7});                 // upper bound 0: the default palette
    r.HotKeys.assign({'Q'});                  // upper bound 0: all "no hotkey"
    r.ButtonTexts.assign({L"<b>", L"<i>"});   // short: padded with "."
    r.Menu1Items.assign(12, L"x");            // long: cut to 10
    r.RecentFiles.assign({L"C:\\only.html"});
    r.RecentFiles.Lower = 1;                  // upper bound 1: kept and padded
    SetSettingsDefaults(r);
    ExpectArraysSized(r);
    EXPECT_EQ(r.WinState, 2);
    EXPECT_EQ(r.WebTempFolder, expected.WebTempFolder.substr(0, expected.WebTempFolder.size() - 1))
        << "an existing folder stays as it is";
    EXPECT_EQ(r.CustColors, DefaultCustomColors());
    EXPECT_EQ(r.HotKeys, std::vector<int16_t>(23, 1));
    EXPECT_EQ(r.ButtonTexts[1], L"<i>");
    EXPECT_EQ(r.ButtonTexts[2], L".");
    EXPECT_EQ(r.Menu1Items[9], L"x");
    EXPECT_EQ(r.RecentFiles[0], L"C:\\only.html");
    EXPECT_EQ(r.RecentFiles[3], L"-");
    EXPECT_EQ(r.RecentFiles.Lower, 1);

    SettingsRecord partial;
    partial.CustColors.assign({1, 2, 3, 4, 5, 6, 7, 8});
    SetSettingsDefaults(partial);
    std::vector<int32_t> want = DefaultCustomColors();
    for (int i = 0; i < 8; ++i)
        want[i] = i + 1;
    EXPECT_EQ(partial.CustColors, want) << "missing custom colours come from the palette";
    EXPECT_EQ(partial.WinState, 0);

    SettingsRecord aliases;
    aliases.ExtAliases.assign({ExtAlias{}, ExtAlias{L"INC", 4}, ExtAlias{L"TPL", 2}});
    SetSettingsDefaults(aliases);
    EXPECT_EQ(aliases.ExtAliases.size(), 3u);
    EXPECT_EQ(aliases.ExtAliases[2].Ext, L"TPL");
    aliases.ExtAliases.assign(1, ExtAlias{});
    SetSettingsDefaults(aliases);
    EXPECT_EQ(aliases.ExtAliases.size(), 1u);
}

TEST(SettingsRecord, OverlongStringIsCutToItsLengthField)
{
    SettingsRecord r = FullRecord();
    r.ExePath1 = std::wstring(70000, L'a');
    std::vector<uint8_t> bytes = Serialize(r);
    SettingsRecord back;
    ASSERT_TRUE(Parse(bytes.data(), bytes.size(), back));
    EXPECT_EQ(back.ExePath1, std::wstring(65535, L'a'));
    EXPECT_EQ(back.ExeName1, r.ExeName1) << "the next field is read where it belongs";
    EXPECT_TRUE(back.UTF8Text);
}
