// Real keys, typed with SendInput into the real TARNEL.exe as a user types
// them: every key that makes no character and every Ctrl+letter, in each
// editor type, with and without the pop-up list shown, and a random soak.
// Whatever the keys open (tool windows, dialogs, message boxes, the menu
// bar) is closed again. Afterwards the editor must still be there, and Save
// must write exactly the text it shows.
#include <gtest/gtest.h>

#include "MenuIds.h"
#include "TarnelCopy.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

using apptest::Tarnel;

namespace {

std::string ReadAll(const std::wstring& path)
{
    std::ifstream in(std::string(path.begin(), path.end()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::wstring& path, const std::string& text)
{
    std::ofstream(std::string(path.begin(), path.end()), std::ios::binary) << text;
}

FILETIME WriteTime(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA a{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &a);
    return a.ftLastWriteTime;
}

const WORD kPlainKeys[] = {VK_ESCAPE, VK_TAB,  VK_RETURN, VK_BACK, VK_DELETE, VK_LEFT, VK_RIGHT,
                           VK_UP,     VK_DOWN, VK_HOME,   VK_END,  VK_PRIOR,  VK_NEXT, VK_INSERT,
                           VK_F1,     VK_F2,   VK_F3,     VK_F4,   VK_F5,     VK_F6,   VK_F7,
                           VK_F8,     VK_F9,   VK_F10,    VK_F11,  VK_F12};

// Every shortcut of the table on a letter (A..W, in the table's order) but
// Run (O: a script run would show windows of another program), the two
// custom menus on X and Y; Z stays unassigned.
SettingsRecord Record()
{
    SettingsRecord rec;
    SettingsRecordFile::SetSettingsDefaults(rec);
    rec.HotKeys.resize(23, 1);
    for (int i = 0; i < 23; ++i)
        rec.HotKeys[i] = static_cast<int16_t>('A' + i);
    rec.HotKeys[14] = 1;
    rec.Menu1On = rec.Menu2On = true;
    rec.Menu1Key = 'X';
    rec.Menu2Key = 'Y';
    return rec;
}

void SetClipboardText(const std::wstring& text)
{
    if (!OpenClipboard(nullptr))
        return;
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (h) {
        memcpy(GlobalLock(h), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(h);
        if (!SetClipboardData(CF_UNICODETEXT, h))
            GlobalFree(h);
    }
    CloseClipboard();
}

class KeyDriver {
public:
    explicit KeyDriver(Tarnel& t) : t_(t) {}

    // A window of the program is in front, so real keys reach it and no other.
    bool OursInFront() const
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(GetForegroundWindow(), &pid);
        if (pid == t_.Process().Pid())
            return true;
        SetForegroundWindow(t_.Main());
        Sleep(50);
        GetWindowThreadProcessId(GetForegroundWindow(), &pid);
        return pid == t_.Process().Pid();
    }

    // The keys down in order, then up in reverse, through the keyboard.
    void Press(std::initializer_list<WORD> keys, bool settle = true) const
    {
        if (!OursInFront())
            return;
        std::vector<INPUT> in;
        for (WORD k : keys)
            in.push_back(KeyInput(k, false));
        for (auto k = std::rbegin(keys); k != std::rend(keys); ++k)
            in.push_back(KeyInput(*k, true));
        SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
        if (settle)
            Settle();
    }

    // Lets the keys sent so far be taken and handled.
    void Settle(int rounds = 2) const
    {
        for (int i = 0; i < rounds; ++i) {
            Sleep(40);
            wt::Send(t_.Main(), WM_NULL, 0, 0, 20000);
        }
    }

    // Waits until every key sent so far has been handled: a marker typed
    // after them shows in the text once they are (and stays there).
    void Sync() const
    {
        auto marks = [&] {
            const std::wstring text = wt::WindowText(t_.Editor());
            return std::count(text.begin(), text.end(), L'~');
        };
        INPUT in[2] = {};
        for (int i = 0; i < 2; ++i) {
            in[i].type = INPUT_KEYBOARD;
            in[i].ki.wScan = L'~';
            in[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
        }
        // A key still on its way may take the keyboard elsewhere (Enter in
        // the pop-up list focuses the list): then the marker goes again.
        bool seen = false;
        for (int attempt = 0; attempt < 3 && !seen; ++attempt) {
            Recover();
            const auto before = marks();
            if (OursInFront())
                SendInput(2, in, sizeof(INPUT));
            seen = wt::WaitFor([&] { return marks() > before; }, 10000);
        }
        EXPECT_TRUE(seen) << "the keys were not all handled";
        Settle();
    }

    // The editor, shown inside the main window.
    bool EditorThere() const
    {
        HWND re = t_.Editor();
        return re && IsWindow(re) && IsChild(t_.Main(), re);
    }

    // Closes whatever the keys opened and puts the keyboard back into the
    // editor with a real click; false when the editor is gone.
    bool Recover() const
    {
        for (int round = 0; round < 20; ++round) {
            Settle(1);
            GUITHREADINFO gui{sizeof(gui)};
            const DWORD thread = GetWindowThreadProcessId(t_.Main(), nullptr);
            if (GetGUIThreadInfo(thread, &gui) && (gui.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE))) {
                Press({VK_ESCAPE});
                Press({VK_ESCAPE});
                continue;
            }
            bool closed = false;
            for (HWND w : t_.Process().TopWindows()) {
                const std::wstring cls = wt::ClassName(w);
                if (w == t_.Main() || cls.find(L"tooltips") != std::wstring::npos)
                    continue;
                closed = true;
                if (cls == L"#32768") {
                    PostMessageW(w, WM_KEYDOWN, VK_ESCAPE, 0);
                } else if (cls == L"#32770") {
                    // Cancel, else No, else OK: some questions have no Cancel.
                    const int tries[] = {IDCANCEL, IDNO, IDOK};
                    wt::PressButton(w, tries[round % 3]);
                } else {
                    PostMessageW(w, WM_CLOSE, 0, 0);
                }
                wt::WaitFor([&] { return !IsWindow(w) || !IsWindowVisible(w); }, 1500);
            }
            if (!closed)
                break;
        }
        if (!EditorThere())
            return false;
        FocusEditor();
        return true;
    }

    // A real click inside the editor, as the user clicks into the text.
    void FocusEditor() const
    {
        HWND re = t_.Editor();
        GUITHREADINFO gui{sizeof(gui)};
        const DWORD thread = GetWindowThreadProcessId(t_.Main(), nullptr);
        if (GetGUIThreadInfo(thread, &gui) && gui.hwndFocus == re && GetForegroundWindow() == t_.Main())
            return;
        SetForegroundWindow(t_.Main());
        RECT r{};
        GetWindowRect(re, &r);
        if (!OursInFront())
            return;
        SetCursorPos(r.left + 40, r.top + 12);
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, in, sizeof(INPUT));
        Settle();
    }

    // The pop-up list's window when its frame shows, else null.
    HWND PopupList() const
    {
        for (HWND w : wt::Children(t_.Main()))
            if (wt::ClassName(w) == L"ListBox" && IsWindowVisible(w) && GetParent(GetParent(w)) != t_.Main())
                return w;
        return nullptr;
    }

    // Save, with any file dialog it opens answered, then the file and the
    // editor's text (paragraph ends as CR LF) side by side.
    void ExpectSaveWritesTheText(const std::wstring& path, const std::string& label) const
    {
        ASSERT_TRUE(EditorThere()) << label << ": the editor is gone";
        const std::wstring before = wt::WindowText(t_.Editor());
        const FILETIME written = WriteTime(path);
        Sleep(20);
        wt::Send(t_.Main(), WM_COMMAND, IDM_mSavePlain, 0, 20000);
        EXPECT_TRUE(wt::WaitFor([&] { const FILETIME now = WriteTime(path);
            return CompareFileTime(&written, &now) != 0;
        }, 5000))
            << label << ": not saved";
        Recover();
        const std::wstring text = wt::WindowText(t_.Editor());
        EXPECT_EQ(text, before) << label << ": saving changed the text";
        EXPECT_EQ(ReadAll(path), std::string(text.begin(), text.end())) << label;
    }

private:
    static INPUT KeyInput(WORD vk, bool up)
    {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        if (vk == VK_DELETE || vk == VK_INSERT || vk == VK_HOME || vk == VK_END || vk == VK_PRIOR ||
            vk == VK_NEXT || (vk >= VK_LEFT && vk <= VK_DOWN))
            i.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        return i;
    }

    Tarnel& t_;
};

struct Document {
    const wchar_t* name;
    const char* text;
    bool popup;   // F11 opens the pop-up list in this type
};

const Document kDocuments[] = {
    {L"page.htm", "<html>\r\n<body>\r\n<p class=\"a\">alpha beta</p>\r\n</body>\r\n</html>\r\n", true},
    {L"page.asp", "<html>\r\n<% Dim a %>\r\n<p>alpha beta</p>\r\n</html>\r\n", true},
    {L"look.css", "p {\r\n  color: red;\r\n}\r\nh1 { margin: 0; }\r\n", true},
    {L"code.vbs", "Dim a\r\na = 1\r\nMsgBox a\r\n", false},
    {L"code.js", "var a = 1;\r\nfunction f() {\r\n  return a;\r\n}\r\n", false},
    {L"notes.txt", "alpha\r\nbeta\r\ngamma\r\n", false},
};

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

std::string KeyName(WORD vk, bool ctrl)
{
    if (ctrl)
        return std::string("Ctrl+") + static_cast<char>(vk);
    wchar_t name[64] = {};
    GetKeyNameTextW(static_cast<LONG>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16, name, 64);
    return Narrow(name) + " (" + std::to_string(vk) + ")";
}

void PrintTo(const Document& d, std::ostream* os) { *os << Narrow(d.name); }

class EveryKey : public testing::TestWithParam<Document> {};

} // namespace

TEST_P(EveryKey, LeavesTheEditorAndSaveWritesItsText)
{
    const Document& doc = GetParam();
    Tarnel t(L"keys_" + std::wstring(doc.name).substr(std::wstring(doc.name).find(L'.') + 1));
    const std::wstring path = t.Folder() + L"\\" + doc.name;
    WriteAll(path, doc.text);
    t.WriteRecord(Record());
    SetClipboardText(L"clip");
    ASSERT_TRUE(t.Start(L"\"" + path + L"\""));
    KeyDriver k(t);
    ASSERT_TRUE(k.Recover());

    std::vector<std::pair<WORD, bool>> keys;   // key, with Ctrl
    for (WORD vk : kPlainKeys)
        keys.emplace_back(vk, false);
    for (WORD c = 'A'; c <= 'Z'; ++c)
        keys.emplace_back(c, true);
    for (int withPopup = 0; withPopup < (doc.popup ? 2 : 1); ++withPopup) {
        for (const auto& [vk, ctrl] : keys) {
            const std::string label = KeyName(vk, ctrl) + (withPopup ? " with the pop-up shown" : "");
            if (withPopup) {
                // The list opens only with the caret past the text's start.
                k.Press({VK_CONTROL, VK_END});
                k.Press({VK_F11});
                if (!wt::WaitFor([&] { return k.PopupList() != nullptr; }, 3000))
                    ADD_FAILURE() << "no pop-up list before " << label;
            }
            if (ctrl)
                k.Press({VK_CONTROL, vk});
            else
                k.Press({vk});
            ASSERT_TRUE(k.Recover()) << "the editor is gone after " << label;
        }
    }
    k.Sync();
    k.ExpectSaveWritesTheText(path, Narrow(doc.name));
    t.Process().Kill();
}

INSTANTIATE_TEST_SUITE_P(EachEditorType, EveryKey, testing::ValuesIn(kDocuments),
                         [](const testing::TestParamInfo<Document>& i) {
                             std::string n = Narrow(i.param.name);
                             return n.substr(n.find('.') + 1);
                         });

// Random keys from a fixed seed: text, the keys above, and the Ctrl+letters
// that open no window.
TEST(KeySoak, ThousandsOfRandomKeysLeaveTheEditorAndItsTextSaves)
{
    Tarnel t(L"keys_soak");
    const std::wstring path = t.Folder() + L"\\soak.htm";
    WriteAll(path, kDocuments[0].text);
    t.WriteRecord(Record());
    SetClipboardText(L"<b>clip</b>");
    ASSERT_TRUE(t.Start(L"\"" + path + L"\""));
    KeyDriver k(t);
    ASSERT_TRUE(k.Recover());

    std::vector<WORD> plain;
    for (WORD vk : kPlainKeys)
        if (vk != VK_F10)   // the menu bar would take the keys that follow
            plain.push_back(vk);
    for (WORD c : {'A', 'B', 'C', 'I', 'J', 'K', 'P', 'T', ' ', '0', '9'})
        plain.push_back(c);
    for (WORD c : {VK_OEM_PERIOD, VK_OEM_1, VK_OEM_COMMA, VK_OEM_7})
        plain.push_back(c);
    const WORD ctrlLetters[] = {'A', 'B', 'C', 'I', 'J', 'K', 'P', 'Q', 'R', 'S', 'T', 'U', 'Z'};
    std::mt19937 random(40);
    const int kKeys = 2000;
    for (int i = 0; i < kKeys; ++i) {
        const unsigned pick = random() % 100;
        if (pick < 12)
            k.Press({VK_CONTROL, ctrlLetters[random() % std::size(ctrlLetters)]}, false);
        else if (pick < 20)
            k.Press({VK_SHIFT, plain[random() % plain.size()]}, false);
        else
            k.Press({plain[random() % plain.size()]}, false);
        if (i % 200 == 199) {
            k.Settle();
            ASSERT_TRUE(k.Recover()) << "the editor is gone after key " << i + 1;
        }
    }
    ASSERT_TRUE(k.Recover());
    k.Sync();
    k.ExpectSaveWritesTheText(path, "soak");
    t.Process().Kill();
}
