// Parked documents that wait in RichEdit windows of their own.
#include "GlueFixture.h"

#include "ClsFile.h"
#include "WindowTest.h"

namespace {

std::wstring Page(int n, int lines)
{
    std::wstring t;
    for (int i = 0; i < lines; ++i)
        t += L"<p class=\"d" + std::to_wstring(n) + L"\">line " + std::to_wstring(i) + L" \x00e9</p>\r";
    return t;
}

class SlotWindowTest : public ParkingTest {
protected:
    void SetUp() override
    {
        ParkingTest::SetUp();
        State().ColorCodeOn = true;
    }
    // Opens a document as the program does: park, load, colour, take a slot.
    int Open(const std::wstring& text, const std::wstring& name)
    {
        if (files.CurrentFile() > -1) {
            EXPECT_TRUE(files.ParkCurrent());
        }
        Load(text);
        ClsColorEditor::ColorHTML(colorer, form.JT1, 0, -1);
        int slot = files.StoreFile(L"C:\\docs\\" + name);
        if (slot >= 0) {
            files.Name(slot, name);
            files.CurrentFile(slot);
        }
        return slot;
    }
    int HiddenWindows()
    {
        int n = 0;
        for (HWND w = GetWindow(form.JT1.hwnd, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            n += w != re();
        return n;
    }
};

} // namespace

TEST_F(SlotWindowTest, ParkedDocumentsComeBackInTheirOwnWindows)
{
    ASSERT_EQ(Open(Page(0, 150), L"a.htm"), 0);
    HWND first = re();
    std::string firstRtf = Rtf(first);
    ASSERT_EQ(Open(Page(1, 90), L"b.htm"), 1);
    // Loading the second document did not empty the first one's window.
    EXPECT_NE(re(), first);
    EXPECT_TRUE(files.HasKeptWindow(0));
    EXPECT_FALSE(files.HasKeptWindow(1));
    HWND second = re();
    std::string secondRtf = Rtf(second);

    ASSERT_TRUE(files.SwitchTo(0));
    EXPECT_EQ(re(), first);
    EXPECT_EQ(Rtf(re()), firstRtf);
    EXPECT_TRUE(files.HasKeptWindow(1));
    EXPECT_FALSE(files.HasKeptWindow(0));
    ASSERT_TRUE(files.SwitchTo(1));
    EXPECT_EQ(re(), second);
    EXPECT_EQ(Rtf(re()), secondRtf);
    EXPECT_EQ(HiddenWindows(), 1);

    // Typing goes on in the shown window, and the glue follows it.
    SetCaret(0);
    State().RememberedCaretLine = 0;
    Type(L"<b>x</b>");
    Down();
    EXPECT_EQ(Text().substr(0, 8), L"<b>x</b>");
    EXPECT_EQ(ColourAt(1), colorer.Color(L"H"));

    // Closing a document takes its window with it.
    files.RemoveFile(0);
    EXPECT_FALSE(files.HasKeptWindow(0));
    EXPECT_EQ(HiddenWindows(), 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SlotWindowTest, ADocumentChangedAfterParkingComesBackAsParked)
{
    ASSERT_EQ(Open(Page(0, 40), L"a.htm"), 0);
    std::wstring parked = Text();
    ASSERT_TRUE(files.ParkCurrent());
    // Changed after parking, then replaced: its window no longer holds what
    // was parked, so it is not kept and the parked file is what comes back.
    SetCaret(0);
    SendMessageW(re(), WM_CHAR, L'z', 1);
    Load(Page(1, 30));
    EXPECT_FALSE(files.HasKeptWindow(0));
    int slot = files.StoreFile(L"C:\\docs\\b.htm");
    ASSERT_EQ(slot, 1);
    files.CurrentFile(slot);
    ASSERT_TRUE(files.SwitchTo(0));
    EXPECT_EQ(Text(), parked);
    EXPECT_EQ(ColourAt(1), colorer.Color(L"H"));
    ASSERT_TRUE(files.SwitchTo(1));
    EXPECT_EQ(Text(), Page(1, 30));
}

TEST_F(SlotWindowTest, LostWindowsAreReadBackFromTheParkedFiles)
{
    std::vector<std::string> rtf;
    for (int i = 0; i < 8; ++i) {
        ASSERT_EQ(Open(Page(i, 20 + i), L"d" + std::to_wstring(i) + L".htm"), i);
        rtf.push_back(Rtf(re()));
    }
    EXPECT_EQ(HiddenWindows(), 7);
    // Every other kept window goes: those documents come from their files.
    std::vector<HWND> hidden;
    for (HWND w = GetWindow(form.JT1.hwnd, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w != re())
            hidden.push_back(w);
    for (size_t k = 0; k < hidden.size(); k += 2)
        DestroyWindow(hidden[k]);
    EXPECT_EQ(HiddenWindows(), 3);
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 8; ++i) {
            ASSERT_TRUE(files.SwitchTo(i)) << i;
            EXPECT_EQ(Rtf(re()), rtf[i]) << i;
            EXPECT_EQ(Text(), Page(i, 20 + i)) << i;
        }
    EXPECT_EQ(HiddenWindows(), 7);
    EXPECT_TRUE(messages.empty());
}
