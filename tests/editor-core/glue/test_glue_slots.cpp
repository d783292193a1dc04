// Parking documents in their slots and giving the clipboard back.
#include "GlueFixture.h"

#include "ClipboardSnapshot.h"
#include "ClsFile.h"
#include "FullDisk.h"
#include "WindowTest.h"

#include <cstring>
#include <fstream>

namespace {

std::wstring Doc(int i)
{
    return L"<p>Document " + std::to_wstring(i) + L" \x00e9\x00fc \x4e2d\x6587 \x0416 \\ {x}</p>\r\tline two\r";
}

class SlotTest : public ParkingTest {
protected:
    // Opens a document as the program does: load, colour, take a slot.
    int Open(int i)
    {
        if (files.CurrentFile() > -1) {
            EXPECT_TRUE(files.ParkCurrent());
        }
        Load(Doc(i));
        State().ColorCodeOn = true;
        ClsColorEditor::ColorHTML(colorer, form.JT1, 0, -1);
        std::wstring path = L"C:\\docs\\doc" + std::to_wstring(i) + L".htm";
        int slot = files.StoreFile(path);
        if (slot >= 0) {
            files.Name(slot, L"doc" + std::to_wstring(i) + L".htm");
            files.EdType(slot, EditorType::HTML);
            files.ColorThis(slot, true);
            files.CurrentFile(slot);
            State().CurrentFilePath = path;
        }
        return slot;
    }
    // Destroys the hidden RichEdit windows that keep parked documents, so
    // they must come back from their parked files.
    void DropKeptWindows()
    {
        std::vector<HWND> hidden;
        for (HWND w = GetWindow(form.JT1.hwnd, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (w != re())
                hidden.push_back(w);
        for (HWND w : hidden)
            DestroyWindow(w);
    }
};

} // namespace

TEST_F(SlotTest, EightDocumentsParkAndComeBackExactly)
{
    std::vector<std::string> rtf(8);
    for (int i = 0; i < 8; ++i) {
        ASSERT_EQ(Open(i), i);
        rtf[i] = Rtf(re());
    }
    // A ninth document gets no slot and changes nothing.
    ASSERT_TRUE(files.ParkCurrent());
    EXPECT_EQ(files.NextAvailable(), -1);
    EXPECT_EQ(files.StoreFile(L"C:\\docs\\ninth.htm"), -1);
    EXPECT_EQ(files.Path(7), L"C:\\docs\\doc7.htm");

    State().DocChanged = true;  // slot 7 is left with unsaved changes
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 8; ++i) {
            ASSERT_TRUE(files.SwitchTo(i)) << i;
            EXPECT_EQ(files.CurrentFile(), i);
            EXPECT_EQ(Text(), Doc(i));
            EXPECT_EQ(Rtf(re()), rtf[i]) << i;
            EXPECT_EQ(State().CurrentFilePath, files.Path(i));
            EXPECT_EQ(State().DocChanged, i == 7);
            EXPECT_TRUE(State().ColorCodeOn);
            EXPECT_FALSE(State().LineEdited);
        }
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(ColourAt(0), 0xA00000u);  // colours came back with the text
}

TEST_F(SlotTest, SwitchingUtf8DoesNotChangeParkedDocuments)
{
    for (bool parkedUtf8 : {true, false}) {
        Settings().UTF8Text = parkedUtf8;
        ASSERT_EQ(Open(0), 0);
        ASSERT_EQ(Open(1), 1);
        ASSERT_TRUE(files.ParkCurrent());
        Settings().UTF8Text = !parkedUtf8;
        DropKeptWindows();  // read back from the parked files
        ASSERT_TRUE(files.SwitchTo(0));
        EXPECT_EQ(Text(), Doc(0)) << parkedUtf8;
        ASSERT_TRUE(files.SwitchTo(1));
        EXPECT_EQ(Text(), Doc(1)) << parkedUtf8;
        files.RemoveFile(0);
        files.RemoveFile(1);
        files.CurrentFile(-1);
    }
}

TEST_F(SlotTest, TopLineComesBack)
{
    std::wstring longDoc;
    for (int i = 0; i < 200; ++i)
        longDoc += L"line " + std::to_wstring(i) + L"\r";
    Load(longDoc);
    files.CurrentFile(files.StoreFile(L"C:\\docs\\long.htm"));
    SendMessageW(re(), EM_LINESCROLL, 0, 40);
    long top = static_cast<long>(SendMessageW(re(), EM_GETFIRSTVISIBLELINE, 0, 0));
    ASSERT_GT(top, 0);
    ASSERT_EQ(Open(1), 1);
    ASSERT_TRUE(files.SwitchTo(0));
    EXPECT_EQ(files.TopLine(0), top);
    EXPECT_EQ(SendMessageW(re(), EM_GETFIRSTVISIBLELINE, 0, 0), top);
    EXPECT_EQ(Text(), longDoc);
}

TEST_F(SlotTest, UnreadableParkedFileRefusesTheSwitch)
{
    ASSERT_EQ(Open(0), 0);
    ASSERT_EQ(Open(1), 1);
    ASSERT_EQ(Open(2), 2);
    // Slot 1's parked file is damaged, slot 0's is gone.
    {
        std::ofstream damaged(files.ParkedFilePath(1).c_str(), std::ios::binary | std::ios::trunc);
        damaged << "not a document";
    }
    DeleteFileW(files.ParkedFilePath(0).c_str());
    State().DocChanged = true;
    DropKeptWindows();

    for (int slot : {1, 0}) {
        EXPECT_FALSE(files.SwitchTo(slot));
        EXPECT_EQ(files.CurrentFile(), 2);
        EXPECT_EQ(Text(), Doc(2));
        EXPECT_EQ(State().CurrentFilePath, files.Path(2));
        EXPECT_TRUE(State().DocChanged);
    }
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[0].find(L"doc1.htm"), std::wstring::npos);
    // The document in the editor was parked on the way and comes back whole.
    ASSERT_EQ(Open(3), 3);
    ASSERT_TRUE(files.SwitchTo(2));
    EXPECT_EQ(Text(), Doc(2));
}

TEST_F(SlotTest, AFailedParkKeepsTheLastGoodCopy)
{
    ASSERT_EQ(Open(0), 0);
    ASSERT_EQ(Open(1), 1);
    ASSERT_TRUE(files.ParkCurrent());   // the slot's first good copy
    std::ifstream before(files.ParkedFilePath(1).c_str(), std::ios::binary);
    std::string good((std::istreambuf_iterator<char>(before)), std::istreambuf_iterator<char>());
    before.close();
    ASSERT_FALSE(good.empty());

    // The disk fills up halfway through the write.
    form.JT1.SetText(L"changed text");
    SimulateWriteFailure(10);
    EXPECT_FALSE(files.Save(1));
    std::ifstream after(files.ParkedFilePath(1).c_str(), std::ios::binary);
    std::string kept((std::istreambuf_iterator<char>(after)), std::istreambuf_iterator<char>());
    after.close();
    EXPECT_EQ(kept, good);

    // Switching away would lose the text: refused, the editor keeps it.
    SimulateWriteFailure(10);
    EXPECT_FALSE(files.SwitchTo(0));
    EXPECT_EQ(Text(), L"changed text");
    EXPECT_EQ(files.CurrentFile(), 1);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(files.SwitchTo(0));
    EXPECT_TRUE(files.SwitchTo(1));
    EXPECT_EQ(Text(), L"changed text");

    files.RemoveFile(1);
    EXPECT_EQ(GetFileAttributesW(files.ParkedFilePath(1).c_str()), INVALID_FILE_ATTRIBUTES);
}

namespace {

std::string ClipboardBytes(UINT format)
{
    std::string out;
    if (!OpenClipboard(nullptr))
        return "<closed>";
    if (HANDLE h = GetClipboardData(format)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            out.assign(p, GlobalSize(h));
            GlobalUnlock(h);
        }
    } else {
        out = "<none>";
    }
    CloseClipboard();
    return out;
}

HGLOBAL Global(const void* data, size_t size)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(h), data, size);
    GlobalUnlock(h);
    return h;
}

} // namespace

TEST_F(GlueTest, InsertViaClipboardGivesTheClipboardBack)
{
    UINT custom = RegisterClipboardFormatW(L"TARNEL glue test data");
    const wchar_t keptText[] = L"kept text";
    const unsigned char blob[] = {0, 1, 2, 250, 251, 0, 7};
    BITMAPINFOHEADER dib{};
    dib.biSize = sizeof(dib);
    dib.biWidth = 2;
    dib.biHeight = 2;
    dib.biPlanes = 1;
    dib.biBitCount = 32;
    unsigned char dibData[sizeof(dib) + 16] = {};
    std::memcpy(dibData, &dib, sizeof(dib));
    dibData[sizeof(dib)] = 0x12;
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, Global(keptText, sizeof(keptText)));
    SetClipboardData(custom, Global(blob, sizeof(blob)));
    SetClipboardData(CF_DIB, Global(dibData, sizeof(dibData)));
    CloseClipboard();
    std::string textBefore = ClipboardBytes(CF_UNICODETEXT);
    std::string blobBefore = ClipboardBytes(custom);
    std::string dibBefore = ClipboardBytes(CF_DIB);

    Load(L"ab");
    SetCaret(1);
    InsertViaClipboard(L"<inserted>");
    EXPECT_EQ(Text(), L"a<inserted>b");
    EXPECT_TRUE(State().DocChanged);

    EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT), textBefore);
    EXPECT_EQ(ClipboardBytes(custom), blobBefore);
    EXPECT_EQ(ClipboardBytes(CF_DIB).substr(0, dibBefore.size()), dibBefore);

    InsertViaClipboard(L"");  // nothing
    EXPECT_EQ(Text(), L"a<inserted>b");
}

TEST(ClipboardSnapshotTest, RestoresAnEmptyClipboardAsEmpty)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    ClipboardSnapshot snap;
    ASSERT_TRUE(snap.Take(nullptr));
    EXPECT_EQ(snap.FormatCount(), 0u);
    ASSERT_TRUE(ClipboardSnapshot::PutText(nullptr, L"temporary"));
    ASSERT_TRUE(snap.Restore(nullptr));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
}

TEST_F(SlotTest, LongColouredDocumentsReplaceEachOtherExactly)
{
    // Longer than the stretches the old document is emptied in, one of them
    // not a whole number of stretches, the other shorter.
    std::wstring first, second;
    for (int i = 0; i < 345; ++i)
        first += L"<p class=\"a\">one " + std::to_wstring(i) + L" \x00e9</p>\r";
    for (int i = 0; i < 230; ++i)
        second += L"<b>two</b> " + std::to_wstring(i) + L" {x}\r";
    State().ColorCodeOn = true;
    Load(first);
    ClsColorEditor::ColorHTML(colorer, form.JT1, 0, -1);
    files.CurrentFile(files.StoreFile(L"C:\\docs\\first.htm"));
    std::string firstRtf = Rtf(re());
    ASSERT_TRUE(files.ParkCurrent());
    Load(second);
    ClsColorEditor::ColorHTML(colorer, form.JT1, 0, -1);
    int slot = files.StoreFile(L"C:\\docs\\second.htm");
    ASSERT_EQ(slot, 1);
    files.CurrentFile(slot);
    std::string secondRtf = Rtf(re());
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(files.SwitchTo(0));
        EXPECT_EQ(Text(), first);
        EXPECT_EQ(Rtf(re()), firstRtf);
        ASSERT_TRUE(files.SwitchTo(1));
        EXPECT_EQ(Text(), second);
        EXPECT_EQ(Rtf(re()), secondRtf);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(SlotTest, ChangedParkedDocumentsOfARunThatDidNotEndWaitForTheNextStart)
{
    ClsFile next{std::vector<ExtEntry>{}};
    next.TempFolder(folder);
    for (const ClsFile::LeftDocument& d : next.TakeLeftBehind())
        next.DropLeftBehind(d);   // an earlier run's
    ASSERT_EQ(Open(0), 0);
    State().DocChanged = true;
    ASSERT_EQ(Open(1), 1);   // parks 0 with its changes
    State().DocChanged = false;
    ASSERT_EQ(Open(2), 2);   // parks 1 unchanged

    // The program ends without its shutdown; the next start's slots.
    std::vector<ClsFile::LeftDocument> left = next.TakeLeftBehind();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].note.path, L"C:\\docs\\doc0.htm");
    EXPECT_EQ(left[0].note.name, L"doc0.htm");
    EXPECT_EQ(left[0].note.type, EditorType::HTML);
    EXPECT_FALSE(platform::FileExists(next.ParkedFilePath(0)));
    EXPECT_FALSE(platform::FileExists(next.ParkedFilePath(1))) << "an unchanged one has its file on disk";
    // A start that ends before the user chooses finds it again.
    EXPECT_EQ(next.TakeLeftBehind().size(), 1u);
    next.DropLeftBehind(left[0]);
    EXPECT_TRUE(next.TakeLeftBehind().empty());
}
