#include "RecordBytes.h"

#include <windows.h>

#include <functional>

namespace {

struct Out {
    std::string b;
    void i32(int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            b += static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
    }
    void i16(int16_t v)
    {
        b += static_cast<char>(static_cast<uint16_t>(v) & 0xFF);
        b += static_cast<char>(static_cast<uint16_t>(v) >> 8);
    }
    void flag(bool v) { i16(v ? -1 : 0); }
    void str(const std::wstring& s)
    {
        std::string a;
        if (!s.empty()) {
            int n = WideCharToMultiByte(CP_ACP, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
            a.resize(n);
            WideCharToMultiByte(CP_ACP, 0, s.c_str(), static_cast<int>(s.size()), a.data(), n, nullptr, nullptr);
        }
        i16(static_cast<int16_t>(a.size()));
        b += a;
    }
    template <class T>
    bool head(const SettingsArray<T>& a)
    {
        if (a.empty()) {
            i16(0);
            return false;
        }
        i16(1);
        i32(static_cast<int32_t>(a.size()));
        i32(a.Lower);
        return true;
    }
    void put(const SettingsArray<int32_t>& a)
    {
        if (head(a))
            for (int32_t v : a)
                i32(v);
    }
    void put(const SettingsArray<int16_t>& a)
    {
        if (head(a))
            for (int16_t v : a)
                i16(v);
    }
    void put(const SettingsArray<std::wstring>& a)
    {
        if (head(a))
            for (const auto& v : a)
                str(v);
    }
    void put(const SettingsArray<ExtAlias>& a)
    {
        if (head(a))
            for (const auto& v : a) {
                str(v.Ext);
                i32(v.EdType);
            }
    }
    void put(int32_t v) { i32(v); }
    void put(int16_t v) { i16(v); }
    void put(bool v) { flag(v); }
    void put(const std::wstring& v) { str(v); }
};

struct Field {
    std::function<void(Out&, const SettingsRecord&)> write;
    std::function<void(SettingsRecord&)> clear;
};

#define FIELD(f) \
    Field { [](Out& o, const SettingsRecord& r) { o.put(r.f); }, [](SettingsRecord& r) { r.f = decltype(r.f){}; } }

// The record's table, in file order.
const std::vector<Field>& Fields()
{
    static const std::vector<Field> fields = {
        FIELD(ColorTag),      FIELD(ColorKeyword),   FIELD(ColorVariable),   FIELD(ColorComment),
        FIELD(ColorString),   FIELD(ColorAttrValue), FIELD(ColorDebug),      FIELD(WinState),
        FIELD(WinWidth),      FIELD(WinHeight),      FIELD(LastEdType),      FIELD(EdFontSize),
        FIELD(DefSaveExt),    FIELD(UndoLimit),      FIELD(CustColors),      FIELD(HotKeys),
        FIELD(NoColorCode),   FIELD(NoLineDebug),    FIELD(NoStatusHighlight), FIELD(AutoBars),
        FIELD(NoPHPColor),    FIELD(CountIfThen),    FIELD(DebugContinued),  FIELD(NoWholeWord),
        FIELD(TabAsSpacer),   FIELD(NoCaretJump),    FIELD(NoAutoCorrect),   FIELD(Menu1On),
        FIELD(Menu2On),       FIELD(Menu1Key),       FIELD(Menu2Key),        FIELD(EdFontName),
        FIELD(WebTempFolder), FIELD(MoveSpacer),     FIELD(CommentMark),     FIELD(ExtAliases),
        FIELD(RecentFiles),   FIELD(ButtonTexts),    FIELD(ButtonCaptions),  FIELD(Menu1Items),
        FIELD(Menu2Items),    FIELD(Menu1Name),      FIELD(Menu2Name),       FIELD(ExePath1),
        FIELD(ExeName1),      FIELD(ExePath2),       FIELD(ExeName2),        FIELD(ExePath3),
        FIELD(ExeName3),      FIELD(UTF8Text),
    };
    return fields;
}

template <class T>
SettingsArray<T> Arr(std::vector<T> items, int32_t lower = 0)
{
    SettingsArray<T> a(items.begin(), items.end());
    a.Lower = lower;
    return a;
}

} // namespace

RecordBytes BuildRecordBytes(const SettingsRecord& rec)
{
    RecordBytes out;
    Out o;
    for (const Field& f : Fields()) {
        f.write(o, rec);
        out.fieldEnds.push_back(o.b.size());
    }
    out.bytes = o.b;
    return out;
}

void ClearField(SettingsRecord& rec, size_t index)
{
    Fields().at(index).clear(rec);
}

SettingsRecord FullRecord()
{
    SettingsRecord r;
    r.ColorTag = 0x010203;
    r.ColorKeyword = 0x040506;
    r.ColorVariable = 0x070809;
    r.ColorComment = 0x0A0B0C;
    r.ColorString = 0x0D0E0F;
    r.ColorAttrValue = 0x101112;
    r.ColorDebug = 0x131415;
    r.WinState = 2;
    r.WinWidth = 12345;
    r.WinHeight = -6789;
    r.LastEdType = 4;
    r.EdFontSize = 14;
    r.DefSaveExt = 11;
    r.UndoLimit = 250;
    r.CustColors = Arr<int32_t>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0x7FFFFFFF}, 0);
    std::vector<int16_t> keys;
    for (int i = 0; i < 23; ++i)
        keys.push_back(static_cast<int16_t>(i % 3 == 0 ? 1 : 'A' + i));
    r.HotKeys = Arr<int16_t>(keys, 0);
    r.NoColorCode = true;
    r.NoLineDebug = false;
    r.NoStatusHighlight = true;
    r.AutoBars = 1;
    r.NoPHPColor = true;
    r.CountIfThen = false;
    r.DebugContinued = true;
    r.NoWholeWord = false;
    r.TabAsSpacer = true;
    r.NoCaretJump = true;
    r.NoAutoCorrect = false;
    r.Menu1On = true;
    r.Menu2On = false;
    r.Menu1Key = 'M';
    r.Menu2Key = 1;
    r.EdFontName = L"Lucida Console";
    r.WebTempFolder = L"C:\\Web Temp\\caf\u00e9";
    r.MoveSpacer = L"    ";
    r.CommentMark = L"'** ";
    r.ExtAliases = Arr<ExtAlias>({{L"", 0}, {L"INC", 4}, {L"TPL", 2}}, 0);
    r.RecentFiles = Arr<std::wstring>({L"C:\\a.html", L"C:\\\u00fcber.vbs", L"-", L"-"}, 0);
    std::vector<std::wstring> texts, captions;
    for (int i = 0; i < 28; ++i) {
        texts.push_back(i % 4 ? L"<tag" + std::to_wstring(i) + L">" : L".");
        captions.push_back(L"B" + std::to_wstring(i));
    }
    r.ButtonTexts = Arr<std::wstring>(texts, 0);
    r.ButtonCaptions = Arr<std::wstring>(captions, 0);
    r.Menu1Items = Arr<std::wstring>({L"one", L"-", L"three", L"-", L"-", L"-", L"-", L"-", L"-", L"ten"}, 0);
    r.Menu2Items = Arr<std::wstring>({L"-", L"-", L"-", L"-", L"-", L"-", L"-", L"-", L"-", L"\u00e9t\u00e9"}, 5);
    r.Menu1Name = L"Snippets";
    r.Menu2Name = L"More";
    r.ExePath1 = L"C:\\Tools\\one.exe";
    r.ExeName1 = L"One";
    r.ExePath2 = L"C:\\Tools\\two.chm";
    r.ExeName2 = L"Two";
    r.ExePath3 = L"";
    r.ExeName3 = L"-";
    r.UTF8Text = true;
    return r;
}

SettingsRecord DefaultRecord()
{
    SettingsRecord r;
    r.ColorTag = 0xFF0000;
    r.ColorKeyword = 0xA80080;
    r.ColorVariable = 0x0080FF;
    r.ColorComment = 0x008000;
    r.ColorString = 0x96666E;
    r.ColorAttrValue = 0x96666E;
    r.ColorDebug = 0x0000FF;
    r.WinState = 0;
    r.WinWidth = 8310;
    r.WinHeight = 7110;
    r.LastEdType = 2;
    r.EdFontSize = 10;
    r.DefSaveExt = 1;
    r.UndoLimit = 20;
    r.CustColors = Arr<int32_t>({0x999966, 0xCC9966, 0xFF9966, 0xCC6666, 0x6666FF, 0x9966FF, 0x0099FF, 0x9999FF,
                                 0x6699CC, 0x3399CC, 0x6600CC, 0x66CCFF, 0x00CCFF, 0xFFCCFF, 0x66FF66, 0x660099});
    r.HotKeys = Arr<int16_t>(std::vector<int16_t>(23, 1));
    r.EdFontName = L"Courier New";
    wchar_t temp[MAX_PATH + 1] = {};
    r.WebTempFolder.assign(temp, GetTempPathW(MAX_PATH + 1, temp));
    r.MoveSpacer = L" ";
    r.CommentMark = L"'--";
    r.ExtAliases = Arr<ExtAlias>({ExtAlias{}});
    r.RecentFiles = Arr<std::wstring>(std::vector<std::wstring>(4, L"-"));
    r.ButtonTexts = Arr<std::wstring>(std::vector<std::wstring>(28, L"."));
    r.ButtonCaptions = Arr<std::wstring>(std::vector<std::wstring>(28, L"."));
    r.Menu1Items = Arr<std::wstring>(std::vector<std::wstring>(10, L"-"));
    r.Menu2Items = Arr<std::wstring>(std::vector<std::wstring>(10, L"-"));
    r.ExeName1 = L"-";
    r.ExeName2 = L"-";
    r.ExeName3 = L"-";
    return r;
}

std::vector<uint8_t> AsVector(const std::string& s)
{
    return std::vector<uint8_t>(s.begin(), s.end());
}
