// Files through the real TARNEL.exe: opened and saved with no edit, every one
// comes back byte for byte under both settings of the UTF-8 option; an edit
// keeps the file's encoding; a file changed by another program is not saved
// over without a question; the changes of a run that did not end are offered
// at the next start.
#include <gtest/gtest.h>

#include "Bytes.h"
#include "MenuIds.h"
#include "TarnelCopy.h"

#include <vector>

using apptest::Tarnel;

namespace {

template <size_t N>
std::string Literal(const char (&s)[N])
{
    return std::string(s, N - 1);
}

std::string HighBytes()
{
    std::string b = "<p>bytes</p>\r\n";
    for (int c = 0x80; c <= 0xFF; ++c)
        b += static_cast<char>(c);
    return b + "\r\nend";
}

struct File {
    const wchar_t* name;
    std::string bytes;
};

const std::vector<File>& Files()
{
    static const std::vector<File> files = {
        {L"lf.css", "p {\n  color: red;\n}\n"},
        {L"cr.js", "var a = 1;\rvar b = 2;\r"},
        {L"mixed.html", "<p>1</p>\r\n<p>2</p>\n<p>3</p>\r<p>4</p>\n"},
        {L"crlf.vbs", "x = 1\r\nMsgBox x\r\n"},
        {L"zero.html", Literal("<p>before</p>\0<p>after</p>\r\nsecond\r\n")},
        {L"bom.html", "\xEF\xBB\xBF<p>caf\xC3\xA9</p>\r\n"},
        {L"utf16.html", Literal("\xFF\xFE<\0p\0>\0\xE9\0<\0/\0p\0>\0\r\0\n\0")},
        {L"high.txt", HighBytes()},
        {L"utf8.html", "<p>caf\xC3\xA9 \xE2\x82\xAC</p>\r\n"},
    };
    return files;
}

// A last-write time long past: a save is seen by the time it leaves.
void Age(const std::wstring& path)
{
    HANDLE h = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    SYSTEMTIME st{2001, 1, 0, 1, 12, 0, 0, 0};
    FILETIME ft{};
    SystemTimeToFileTime(&st, &ft);
    SetFileTime(h, nullptr, nullptr, &ft);
    CloseHandle(h);
}

ULONGLONG Written(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA d{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &d);
    return (static_cast<ULONGLONG>(d.ftLastWriteTime.dwHighDateTime) << 32) | d.ftLastWriteTime.dwLowDateTime;
}

bool CaptionEnds(Tarnel& t, const std::wstring& end)
{
    return wt::WaitFor([&] {
        const std::wstring c = wt::WindowText(t.Main());
        return c.size() >= end.size() && c.compare(c.size() - end.size(), end.size(), end) == 0;
    }, 10000);
}

// The program's message box that holds part, within the time.
wt::Dialog WaitDialog(Tarnel& t, const std::wstring& part, DWORD ms = 10000)
{
    wt::Dialog d;
    wt::WaitFor([&] {
        d = wt::FindDialog(t.Process(), 50);
        return d.hwnd && d.text.find(part) != std::wstring::npos;
    }, ms);
    return d.hwnd && d.text.find(part) != std::wstring::npos ? d : wt::Dialog{};
}

void Answer(Tarnel& t, const std::wstring& part, int button)
{
    wt::Dialog d = WaitDialog(t, part);
    ASSERT_TRUE(d.hwnd && d.text.find(part) != std::wstring::npos)
        << "no message \"" << std::string(part.begin(), part.end()) << "\"";
    wt::PressButton(d.hwnd, button);
    wt::WaitFor([&] { return !IsWindow(d.hwnd); }, 5000);
}

void Open(Tarnel& t, const std::wstring& path)
{
    ASSERT_TRUE(wt::DropFiles(t.Process(), t.Editor(), {path}));
    ASSERT_TRUE(CaptionEnds(t, path));
}

// Save, and the file written (its time moves on from the past one).
bool Saved(Tarnel& t, const std::wstring& path)
{
    const ULONGLONG before = Written(path);
    t.Command(IDM_mSavePlain);
    return wt::WaitFor([&] { return Written(path) != before; }, 10000);
}

void Start(Tarnel& t, bool utf8)
{
    SettingsRecord rec;
    SettingsRecordFile::SetSettingsDefaults(rec);
    rec.UTF8Text = utf8;
    t.WriteRecord(rec);
    ASSERT_TRUE(t.Start());
}

} // namespace

TEST(FileBytes, EveryFileSavedWithoutAnEditIsByteIdenticalUnderBothOptions)
{
    const std::vector<File>& files = Files();
    for (bool utf8 : {false, true}) {
        // Eight documents at a time: the files in two runs of the program.
        for (size_t from : {size_t(0), size_t(5)}) {
            Tarnel t(utf8 ? L"bytes_utf8" : L"bytes_ansi");
            Start(t, utf8);
            const size_t to = from == 0 ? 5 : files.size();
            for (size_t i = from; i < to; ++i) {
                const std::wstring path = t.Folder() + L"\\" + files[i].name;
                ASSERT_TRUE(WriteBytes(path, files[i].bytes));
                Age(path);
                Open(t, path);
                ASSERT_TRUE(Saved(t, path)) << "option " << utf8 << ": " << std::string(path.begin(), path.end());
                EXPECT_EQ(ReadBytes(path), files[i].bytes) << "option " << utf8 << ": "
                                                           << std::string(path.begin(), path.end());
            }
            // Each run's last file is still shown, its caret at the start.
            if (from == 0) {
                // An edit in the page with a NUL, parked and saved at exit.
                const std::wstring zero = t.Folder() + L"\\zero.html";
                t.Type(L"x");
                Open(t, t.Folder() + L"\\lf.css");
                t.Command(IDM_mExit);
                Answer(t, L"Save changes to: \r\n" + zero, IDYES);
                ASSERT_TRUE(t.Ends());
                EXPECT_EQ(ReadBytes(zero), "x" + files[4].bytes) << "option " << utf8;
            } else {
                // A character typed into a UTF-8 page is written as UTF-8.
                const std::wstring page = t.Folder() + L"\\utf8.html";
                t.Type(L"\u00e9");
                ASSERT_TRUE(Saved(t, page));
                EXPECT_EQ(ReadBytes(page), "\xC3\xA9" + files.back().bytes) << "option " << utf8;
                t.Command(IDM_mExit);
                ASSERT_TRUE(t.Ends());
            }
        }
    }
}

TEST(FileBytes, AFileChangedOnDiskIsNotSavedOverWithoutAQuestion)
{
    Tarnel t(L"bytes_changed");
    Start(t, false);
    const std::wstring path = t.Folder() + L"\\outside.html";
    ASSERT_TRUE(WriteBytes(path, "<p>mine</p>\r\n"));
    Open(t, path);
    t.Type(L"x");
    // Another program appends to the file.
    ASSERT_TRUE(WriteBytes(path, "<p>mine</p>\r\n<p>theirs</p>\r\n"));
    t.Command(IDM_mSavePlain);
    ASSERT_TRUE(WaitDialog(t, L"has been changed by another program").hwnd);
    Sleep(500);   // painted
    t.Shot(L"changed.bmp");
    Answer(t, L"has been changed by another program", IDNO);
    EXPECT_EQ(ReadBytes(path), "<p>mine</p>\r\n<p>theirs</p>\r\n");
    t.Command(IDM_mSavePlain);
    Answer(t, L"has been changed by another program", IDYES);
    EXPECT_TRUE(wt::WaitFor([&] { return ReadBytes(path) == "x<p>mine</p>\r\n"; }, 10000));
    // Saved now: the next save asks nothing.
    t.Type(L"y");
    t.Command(IDM_mSavePlain);
    EXPECT_TRUE(wt::WaitFor([&] { return ReadBytes(path) == "xy<p>mine</p>\r\n"; }, 10000));
    t.Command(IDM_mExit);
    ASSERT_TRUE(t.Ends());
}

TEST(FileSafety, ChangesParkedByARunThatDidNotEndAreOfferedAtTheNextStart)
{
    Tarnel t(L"bytes_crash");
    const std::wstring d1 = t.Folder() + L"\\d1.html", d2 = t.Folder() + L"\\d2.html";
    ASSERT_TRUE(WriteBytes(d1, "<p>one</p>"));
    ASSERT_TRUE(WriteBytes(d2, "<p>two</p>"));
    Start(t, false);
    Open(t, d1);
    t.Type(L"x");
    Open(t, d2);   // d1 is parked with its edit
    t.Type(L"y");
    t.Process().Kill();
    t.Process().WaitExit(5000);

    ASSERT_TRUE(t.Start());
    ASSERT_TRUE(WaitDialog(t, L"did not close normally").hwnd);
    Sleep(500);
    t.Shot(L"offer.bmp");
    Answer(t, L"did not close normally", IDYES);
    ASSERT_TRUE(CaptionEnds(t, d1));
    ASSERT_TRUE(Saved(t, d1)) << "the document is marked changed and saves";
    EXPECT_EQ(ReadBytes(d1), "x<p>one</p>");
    EXPECT_EQ(ReadBytes(d2), "<p>two</p>");
    t.Command(IDM_mExit);
    ASSERT_TRUE(t.Ends());

    // Offered once: the next start asks nothing.
    ASSERT_TRUE(t.Start());
    EXPECT_FALSE(WaitDialog(t, L"did not close normally", 2000).hwnd);
    t.Command(IDM_mExit);
    ASSERT_TRUE(t.Ends());
}
