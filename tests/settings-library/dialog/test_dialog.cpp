// The settings dialog driven from outside through the test host: one change
// on each page, then the close box; the record file and the event tell what
// the library did.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "PlimsorCopy.h"
#include "SettingsRecord.h"
#include "WindowTest.h"

namespace {

const char kObjectList[] =
    "[Scripting.FileSystemObject]\r\nOpenTextFile=1\r\nDrives=0\r\n[Wscript]\r\nEcho=1\r\n";

class DialogTest : public ::testing::Test {
protected:
    void Start(const std::wstring& name, const std::wstring& args = L"")
    {
        folder_ = plimsortest::MakeProgramCopy(name);
        log_ = folder_ + L"\\host.log";
        DeleteFileW(log_.c_str());
        WriteFileBytes(folder_ + L"\\Settings\\tarnelo.ini", kObjectList);
        ASSERT_TRUE(host_.Start(folder_ + L"\\sethost.exe", L"--log \"" + log_ + L"\" " + args, folder_));
        // The first start of the host, its library and DirectCOM in a busy
        // suite can take a while.
        dialog_ = host_.FindTopWindow(L"", L"TARNEL Settings", 30000);
        ASSERT_NE(dialog_, nullptr) << "no settings dialog";
    }
    static void WriteFileBytes(const std::wstring& path, const std::string& bytes)
    {
        HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n = 0;
        WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
        CloseHandle(f);
    }
    HWND Child(const std::wstring& cls, const std::wstring& text, HWND in = nullptr)
    {
        HWND w = wt::FindChild(in ? in : dialog_, cls, text);
        EXPECT_NE(w, nullptr) << "no control \"" << std::string(text.begin(), text.end()) << "\"";
        return w;
    }
    // The page labels are drawn by the dialog, without windows of their own.
    wt::Drawn Label(const std::wstring& caption)
    {
        wt::Drawn d = wt::FindDrawn(dialog_, caption);
        EXPECT_TRUE(d) << "no label \"" << std::string(caption.begin(), caption.end()) << "\"";
        return d;
    }
    // Presses the mouse at p in w as the user does, for an image button's
    // window or a label's container.
    void Press(HWND w, POINT p = {3, 3})
    {
        if (!w)
            return;
        wt::Send(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        wt::Send(w, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }
    void Page(const std::wstring& label, const std::wstring& shotName)
    {
        const wt::Drawn d = Label(label);
        POINT p{d.screen.left + 3, d.screen.top + 3};
        ScreenToClient(d.container, &p);
        Press(d.container, p);
        if (!shotName.empty())
            Shot(shotName, label);
    }
    // A picture of the dialog once it has painted: the label of the chosen
    // page shows the shadow face, that of the first page (when another is
    // chosen) the plain one.
    void Shot(const std::wstring& name, const std::wstring& chosen)
    {
        Sleep(150);
        RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Sleep(150);
        const std::wstring path = folder_ + L"\\" + name + L".bmp";
        const RECT chosenLabel = wt::RectIn(Label(chosen), dialog_);
        const RECT firstLabel = wt::RectIn(Label(L"General"), dialog_);
        wt::Screenshot pic;
        EXPECT_TRUE(wt::ScreenshotShowing(path, dialog_, pic, [&](const wt::Screenshot& p) {
            return p.Mostly(GetSysColor(COLOR_BTNSHADOW), chosenLabel) &&
                   (chosen == L"General" || p.Mostly(GetSysColor(COLOR_BTNFACE), firstLabel));
        })) << "the chosen page's label in the shadow face, the first page's in the plain one: "
            << std::string(name.begin(), name.end());
    }
    void Check(HWND w) { if (w) wt::Send(w, BM_CLICK); }
    void Type(HWND w, const std::wstring& text)
    {
        if (w)
            wt::Send(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void CloseAndWait()
    {
        PostMessageW(dialog_, WM_CLOSE, 0, 0);
        EXPECT_EQ(host_.WaitExit(15000), 0) << "the host ends cleanly after SettingsChanged";
    }
    std::string Log() { return ReadBytes(log_); }
    SettingsRecord Record(std::string* raw = nullptr)
    {
        std::string bytes = ReadBytes(folder_ + L"\\Settings\\plimsors.dat");
        if (raw)
            *raw = bytes;
        SettingsRecord rec;
        EXPECT_TRUE(SettingsRecordFile::Parse(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), rec));
        return rec;
    }
    static int Count(const std::string& text, const std::string& what)
    {
        int n = 0;
        for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
            ++n;
        return n;
    }

    std::wstring folder_, log_;
    wt::Process host_;
    HWND dialog_ = nullptr;
};

TEST_F(DialogTest, OneChangePerPageReachesTheRecordOnClose)
{
    Start(L"plimsor_dialog");
    Shot(L"page0_general", L"General");

    // General
    Check(Child(L"Button", L"Use \"Move Text\" spacer in place of Tab character."));
    HWND frGen = Child(L"", L" General ");
    HWND exe = Child(L"", L"Assign program or Help file to EXE+ menus:", frGen);
    std::vector<HWND> edits;
    for (HWND c : wt::Children(exe))
        if (wt::ClassName(c) == L"Edit")
            edits.push_back(c);
    ASSERT_GE(edits.size(), 2u);
    // The boxes show menu 1 when the dialog opens, and a path set at once goes there.
    const std::wstring tool = folder_ + L"\\sethost.exe";
    Type(edits[0], tool);
    Press(Child(L"", L"Set EXE+ program or Help file for selected menu."));
    Check(Child(L"Button", L"Menu 2", exe));
    Type(edits[1], L"My Tool");
    Press(Child(L"", L"Set menu text for selected EXE+ menu."));

    // Colorcoding
    Page(L"Colorcoding", L"page1_colors");
    Check(Child(L"Button", L"Text colorcoding on."));

    // Debugging, Misc.
    Page(L"Debugging, Misc.", L"page2_debugging");
    Check(Child(L"Button", L"Enable line debugging."));
    HWND undoFrame = Child(L"", L" Editor Undo Limit ");
    Type(Child(L"Edit", L"", undoFrame), L"55");
    Press(Child(L"", L"Set editor Undo limit."));
    Check(Child(L"Button", L"Never show auto-insert toolbars in any editor."));

    // Custom Popups
    Page(L"Custom Popups", L"page3_popups");
    HWND pops = Child(L"", L" Configure Custom Popup Menus ");
    Type(Child(L"Edit", L"", pops), L"<hr>");
    Press(Child(L"", L"Save text entries for popup menu."));

    // HotKeys
    Page(L"HotKeys", L"page4_hotkeys");
    HWND keys = Child(L"", L" Keyboard Shortcuts (HotKeys) ");
    Type(Child(L"Edit", L"", keys), L"q");
    Press(Child(L"", L"Set shortcut keys for menu items."));
    EXPECT_EQ(wt::WindowText(Child(L"Edit", L"", keys)), L"Q");

    // VBS Debugging - Object List
    Page(L"VBS Debugging - Object List", L"page5_objects");
    HWND obs = Child(L"", L" Whole-File-Debugging  - Objects ");
    std::wstring list = wt::WindowText(Child(L"Edit", L"", obs));
    EXPECT_NE(list.find(L"Scripting.FileSystemObject\r\n"), std::wstring::npos);
    EXPECT_NE(list.find(L"OpenTextFile\r\n"), std::wstring::npos);
    EXPECT_EQ(list.find(L"Drives"), std::wstring::npos) << "members valued 0 are not listed";
    Check(Child(L"Button", L"Check whole word only"));

    // File Extensions
    Page(L"File Extensions", L"page6_extensions");
    HWND ext = Child(L"", L" File Extension Behavior ");
    Type(Child(L"Edit", L"", ext), L".xyz");
    Check(Child(L"Button", L"HTML", ext));
    Press(Child(L"", L"Add new file extension type as alias of selected type. "));
    HWND box = Child(L"ListBox", L"", ext);
    EXPECT_EQ(wt::Send(box, LB_GETCOUNT), 1);

    CloseAndWait();
    const std::string log = Log();
    EXPECT_EQ(Count(log, "SettingsChanged"), 1) << log;
    EXPECT_NE(log.find("released events=1"), std::string::npos) << log;
    EXPECT_NE(log.find("shown"), std::string::npos) << log;
    EXPECT_EQ(log.find("shown returned true"), std::string::npos) << "ShowWindow answers False";

    std::string raw;
    SettingsRecord rec = Record(&raw);
    EXPECT_TRUE(rec.TabAsSpacer);
    EXPECT_EQ(rec.ExeName2, L"My Tool");
    EXPECT_EQ(rec.ExePath1, tool);
    EXPECT_EQ(rec.ExePath3, L"");
    EXPECT_TRUE(rec.NoColorCode);
    EXPECT_TRUE(rec.NoLineDebug);
    EXPECT_TRUE(rec.NoAutoCorrect) << "unchecking line debugging greys auto-correction";
    EXPECT_EQ(rec.UndoLimit, 55);
    EXPECT_EQ(rec.AutoBars, 2);
    ASSERT_EQ(rec.Menu1Items.size(), 10u);
    EXPECT_EQ(rec.Menu1Items[0], L"<hr>");
    ASSERT_EQ(rec.HotKeys.size(), 23u);
    EXPECT_EQ(rec.HotKeys[0], 'Q');
    EXPECT_EQ(rec.HotKeys[1], 0);
    EXPECT_TRUE(rec.NoWholeWord);
    ASSERT_EQ(rec.ExtAliases.size(), 2u);
    EXPECT_EQ(rec.ExtAliases[1].Ext, L"XYZ");
    EXPECT_EQ(rec.ExtAliases[1].EdType, 2);
    EXPECT_EQ(rec.Menu1Name, L"Custom Menu 1");

    // The fixed part of the file, byte for byte: with the default arrays
    // NoColorCode and NoLineDebug lie at 182 and 184, AutoBars at 188.
    ASSERT_GT(raw.size(), 214u);
    EXPECT_EQ(static_cast<uint8_t>(raw[182]), 0xFF);
    EXPECT_EQ(static_cast<uint8_t>(raw[183]), 0xFF);
    EXPECT_EQ(static_cast<uint8_t>(raw[184]), 0xFF);
    EXPECT_EQ(static_cast<uint8_t>(raw[188]), 2);
    EXPECT_EQ(static_cast<uint8_t>(raw[48]), 55) << "UndoLimit";
}

TEST_F(DialogTest, HostReleasingInsideTheEventFindsObjectAndDialogAlive)
{
    Start(L"plimsor_release", L"--release-in-event");
    // Closed once ShowWindow has returned: the release then comes from the
    // dialog's own close handling, with nothing of the host's call around it.
    ASSERT_TRUE(wt::WaitFor([this] { return Log().find("shown") != std::string::npos; }));
    CloseAndWait();
    const std::string log = Log();
    EXPECT_EQ(Count(log, "SettingsChanged"), 1) << log;
    EXPECT_NE(log.find("released in event: object alive, dialog alive"), std::string::npos)
        << "the object and its dialog outlive the event: " << log;
    EXPECT_NE(log.find("after close: dialog alive"), std::string::npos)
        << "the dialog outlives its own close handling: " << log;
    EXPECT_NE(log.find("released events=1"), std::string::npos) << log;
}

TEST_F(DialogTest, DamagedRecordValuesAreNotUsedAsIndexes)
{
    const std::wstring dir = plimsortest::MakeProgramCopy(L"plimsor_damaged");
    SettingsRecord bad;
    SettingsRecordFile::SetSettingsDefaults(bad);
    bad.DefSaveExt = 40;
    bad.AutoBars = 7;
    bad.ExtAliases.resize(2);
    bad.ExtAliases[1].Ext = L"ODD";
    bad.ExtAliases[1].EdType = 9;
    bad.UTF8Text = true;
    std::vector<uint8_t> bytes = SettingsRecordFile::Serialize(bad);
    WriteFileBytes(dir + L"\\Settings\\plimsors.dat", std::string(bytes.begin(), bytes.end()));

    dialog_ = nullptr;
    folder_ = dir;
    log_ = folder_ + L"\\host.log";
    DeleteFileW(log_.c_str());
    ASSERT_TRUE(host_.Start(folder_ + L"\\sethost.exe", L"--log \"" + log_ + L"\"", folder_));
    dialog_ = host_.FindTopWindow(L"", L"TARNEL Settings");
    ASSERT_NE(dialog_, nullptr);
    Page(L"File Extensions", L"");
    HWND box = Child(L"ListBox", L"");
    EXPECT_EQ(wt::Send(box, LB_GETCOUNT), 1);
    CloseAndWait();

    SettingsRecord rec = Record();
    EXPECT_EQ(rec.AutoBars, 0) << "an unknown tool-bar choice becomes 0 when the dialog opens";
    EXPECT_EQ(rec.DefSaveExt, 40) << "left alone, not indexed";
    ASSERT_EQ(rec.ExtAliases.size(), 2u);
    EXPECT_EQ(rec.ExtAliases[1].EdType, 9);
    EXPECT_TRUE(rec.UTF8Text) << "the program's flag survives the dialog";
}

} // namespace
