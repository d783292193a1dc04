#include "Bytes.h"
#include "KvRTBFixture.h"

#include "WindowTest.h"
#include "platform/Files.h"
#include "platform/Paths.h"

#include <richedit.h>

namespace {

std::wstring Dir()
{
    std::wstring d = wt::ScratchFolder(L"kvrtb") + L"\\files";
    CreateDirectoryW(d.c_str(), nullptr);
    return d;
}

} // namespace

TEST_F(KvRTBTest, Utf8DocumentReadChangedAndWrittenBackIsNotEncodedTwice)
{
    Settings().UTF8Text = true;
    std::wstring path = Dir() + L"\\utf8.html";
    WriteBytes(path, "<p>caf\xc3\xa9 \xd0\x96 \xe4\xb8\xad</p>\r\n<p>two</p>");
    ASSERT_TRUE(rtb().LoadFile(path, false));
    EXPECT_EQ(rtb().Text(), L"<p>caf\u00e9 \u0416 \u4e2d</p>\r\n<p>two</p>");

    long at = rtb().Find(L"two", 0, -1, 1);
    rtb().SetSelRange(at, 3);
    rtb().SetSelText(L"\u00fcber");
    ASSERT_TRUE(rtb().SaveFile(path, false));
    EXPECT_EQ(ReadBytes(path), "<p>caf\xc3\xa9 \xd0\x96 \xe4\xb8\xad</p>\r\n<p>\xc3\xbc" "ber</p>");

    // The option off: the system code page, no byte-order mark.
    Settings().UTF8Text = false;
    rtb().SetText(L"plain\r\ntext");
    ASSERT_TRUE(rtb().SaveFile(path, false));
    EXPECT_EQ(ReadBytes(path), "plain\r\ntext");
    ASSERT_TRUE(rtb().LoadFile(path, false));
    EXPECT_EQ(rtb().Text(), L"plain\r\ntext");
}

TEST_F(KvRTBTest, RtfFileKeepsCharactersOutsideTheCodePageAndColours)
{
    std::wstring path = Dir() + L"\\parked.dat";
    const std::wstring text = L"\u0416\u0438\u0437\u043d\u044c \u4e2d\u6587 caf\u00e9";
    rtb().SetText(text);
    rtb().SetSelRange(0, 5);
    rtb().SetSelColor(RGB(0, 128, 0));
    ASSERT_TRUE(rtb().SaveFile(path, true));
    std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.compare(0, 5, "{\\rtf"), 0);

    rtb().SetText(L"something else");
    ASSERT_TRUE(rtb().LoadFile(path, true));
    EXPECT_EQ(rtb().Text(), text);
    rtb().SetSelRange(1, 1);
    CHARFORMATW cf{};
    cf.cbSize = sizeof(cf);
    SendMessageW(rtb().RTBhWnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_EQ(cf.crTextColor, RGB(0, 128, 0));
}

TEST_F(KvRTBTest, PathsLongerThanMaxPath)
{
    std::wstring dir = Dir();
    std::wstring part(100, L'd');
    for (int i = 0; i < 3; ++i) {
        dir += L"\\" + part;
        CreateDirectoryW(platform::ApiPath(dir).c_str(), nullptr);
    }
    std::wstring path = dir + L"\\" + std::wstring(60, L'f') + L".txt";
    ASSERT_GT(path.size(), 300u);
    rtb().SetText(L"long \u4e2d path");
    Settings().UTF8Text = true;
    ASSERT_TRUE(rtb().SaveFile(path, false));
    rtb().SetText(L"");
    ASSERT_TRUE(rtb().LoadFile(path, false));
    EXPECT_EQ(rtb().Text(), L"long \u4e2d path");
    ASSERT_TRUE(rtb().SaveFile(path, true));
    rtb().SetText(L"");
    ASSERT_TRUE(rtb().LoadFile(path, true));
    EXPECT_EQ(rtb().Text(), L"long \u4e2d path");
}

TEST_F(KvRTBTest, FailedSaveIsReportedAndLeavesTheOldFile)
{
    std::wstring path = Dir() + L"\\locked.txt";
    WriteBytes(path, "old content");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    rtb().SetText(L"new content");
    EXPECT_FALSE(rtb().SaveFile(path, false));
    EXPECT_FALSE(rtb().SaveFile(path, true));
    EXPECT_EQ(ReadBytes(path), "old content");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    // Another program holds the file open without sharing: the replacement
    // fails and the old content stays.
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(rtb().SaveFile(path, false));
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(path), "old content");

    EXPECT_FALSE(rtb().SaveFile(Dir() + L"\\no such folder\\x.txt", false));
    EXPECT_FALSE(rtb().SaveFile(Dir(), false));   // a folder

    // A file that cannot be read leaves the text as it was.
    EXPECT_FALSE(rtb().LoadFile(Dir() + L"\\missing.txt", false));
    EXPECT_FALSE(rtb().LoadFile(Dir() + L"\\missing.txt", true));
    EXPECT_EQ(rtb().Text(), L"new content");
}

TEST_F(KvRTBTest, FileComesBackWholeAlsoThroughItsParkedRtf)
{
    // A NUL, every line break and the code page's undefined bytes; written
    // from the plain text and again after a round through RTF, as a parked
    // document is saved.
    const std::string bytes("<p>a</p>\0<p>b</p>\n\x81\x8D\x8F\x90\x9D\xFF\r\nc\rd", 29);
    Settings().UTF8Text = true;
    const std::wstring path = Dir() + L"\\with-nul.txt", parked = Dir() + L"\\parked.rtf";
    WriteBytes(path, bytes);
    platform::TextFormat format;
    ASSERT_TRUE(rtb().LoadFile(path, false, nullptr, &format));
    ASSERT_TRUE(rtb().SaveFile(path, false, &format));
    EXPECT_EQ(ReadBytes(path), bytes);
    ASSERT_TRUE(rtb().SaveFile(parked, true));
    rtb().SetText(L"");
    ASSERT_TRUE(rtb().LoadFile(parked, true));
    ASSERT_TRUE(rtb().SaveFile(path, false, &format));
    EXPECT_EQ(ReadBytes(path), bytes);
}
