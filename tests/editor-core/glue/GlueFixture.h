#pragma once
// A hidden form with two KvRTB editors, wired as the main window wires its
// editor: the change event marks the line, the line event hands the line left
// to the typing glue. The second editor is a reference coloured in one piece.
#include <gtest/gtest.h>

#include "ClsColor.h"
#include "ClsColorEditor.h"
#include "ClsFile.h"
#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "KvRTB/ModKvRTB.h"
#include "RichEditStream.h"
#include "SettingsRecord.h"
#include "TestHost.h"
#include "EditorGlue.h"
#include "WindowTest.h"
#include "forms/Form.h"
#include "platform/Files.h"
#include "platform/Messages.h"

#include <richedit.h>

#include <functional>
#include <string>

class fGlueTest : public forms::Form {
public:
    fGlueTest()
    {
        SetCaption(L"Glue test");
        SetClientSize(8000, 6000);
        JT1.Place(*this, 0, 0, 8000, 3000);
        Ref.Place(*this, 0, 3000, 8000, 3000);
    }
    ~fGlueTest() override { Teardown(); }
    KvRTB JT1;
    KvRTB Ref;
};

// Colours of the six classes, each distinct, as the settings bridge sets them.
inline void ConfigureColorer(ClsColor& c)
{
    c.FontName(L"Courier New");
    c.FontSize(10);
    c.Color(L"K", 0x0000A0);
    c.Color(L"S", 0x00A000);
    c.Color(L"C", 0x008080);
    c.Color(L"V", 0x800000);
    c.Color(L"A", 0x808000);
    c.Color(L"H", 0xA00000);
    c.SetVKeywords(L",", L"Dim,If,Then,Else,End,Sub,Function,MsgBox", 1, 0);
    c.SetJKeywords(L",", L"var,function,return,if");
    c.SetCSSKeywords(L",", L"color,background,margin");
}

// The main window as the glue sees it: the line checks and messages a test
// watches.
class GlueHost : public TestHost {
public:
    std::function<void(long&, long&, long&, bool&, bool&)> checkLine;
    std::function<void(long, long)> addDecl;
    std::function<void(bool)> colorMenu;
    std::function<void(const std::wstring&)> info;
    HWND gutter = nullptr;
    std::function<void(const std::wstring&, const std::wstring&)> lineCol;
    std::function<void()> runDebug;

    void CheckVBSLine(long& s, long& e, long& added, bool& report, bool& inPage) override
    {
        if (checkLine)
            checkLine(s, e, added, report, inPage);
    }
    void AddFuncDecl(long s, long e) override
    {
        if (addDecl)
            addDecl(s, e);
    }
    void CheckColorMenu(bool on) override
    {
        if (colorMenu)
            colorMenu(on);
    }
    void ShowInfo(const std::wstring& text) override
    {
        if (info)
            info(text);
    }
    HWND Gutter() override { return gutter; }
    void ShowLineColText(const std::wstring& l, const std::wstring& c) override
    {
        if (lineCol)
            lineCol(l, c);
    }
    void mRunDebug_Click() override
    {
        if (runDebug)
            runDebug();
    }
};

class GlueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorState();
        ClsColorEditor::ForgetColours();
        Settings().UTF8Text = false;
        Settings() = SettingsRecord();
        State().EdType = EditorType::HTML;
        ASSERT_TRUE(form.Load());
        ConfigureColorer(colorer);
        EditorState& st = State();
        st.CurrentEditor = &form.JT1;
        st.Colorer = &colorer;
        SendMessageW(re(), EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
        form.JT1.Change = [] {
            State().LineEdited = true;
            if (!State().SuppressChangeTracking)
                State().DocChanged = true;
        };
        form.JT1.LineEvent = [this](long& type) { OnLine(type); };
        host.editor = &form.JT1;
        SetHost(&host);
        host.checkLine = [this](long& s, long& e, long& added, bool& report, bool& inPage) {
            checked.push_back(GetRange(s, e + 1));
            checkedInPage = inPage;
            added = 0;
        };
        host.addDecl = [this](long s, long e) { declared.push_back(GetRange(s, e + 1)); };
    }
    void TearDown() override
    {
        ClsColorEditor::ForgetColours(form.JT1.RTBhWnd());
        ClsColorEditor::ForgetColours(form.Ref.RTBhWnd());
        SetHost(nullptr);
        ResetEditorState();
    }

    HWND re() { return form.JT1.RTBhWnd(); }
    std::wstring Text() { return RichEditStream::GetRange(re(), 0, -1); }
    std::wstring GetRange(long a, long b) { return RichEditStream::GetRange(re(), a, b); }
    long Caret()
    {
        CHARRANGE cr{};
        SendMessageW(re(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
        return cr.cpMin;
    }
    void SetCaret(long pos)
    {
        CHARRANGE cr{pos, pos};
        SendMessageW(re(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
    }
    COLORREF ColourAt(HWND w, long pos)
    {
        CHARRANGE keep{};
        SendMessageW(w, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&keep));
        CHARRANGE cr{pos, pos + 1};
        SendMessageW(w, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof(cf);
        SendMessageW(w, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        SendMessageW(w, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&keep));
        return cf.crTextColor;
    }
    COLORREF ColourAt(long pos) { return ColourAt(re(), pos); }
    // Puts text into the editor as the program loads a document: not a user edit.
    void Load(const std::wstring& text)
    {
        State().SuppressChangeTracking = true;
        form.JT1.SetText(text);
        State().SuppressChangeTracking = false;
        State().LineEdited = false;
        State().DocChanged = false;
        SetCaret(0);
        ResetChangeTracking();
    }
    // Keys as the message loop delivers them to the editor.
    void Type(const std::wstring& chars)
    {
        for (wchar_t c : chars) {
            if (c == L'\t') {  // the editor never takes a tab from the keyboard
                wchar_t tab[2] = {L'\t', 0};
                SendMessageW(re(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(tab));
            } else {
                SendMessageW(re(), WM_CHAR, c, 1);
            }
        }
    }
    void Enter()
    {
        SendMessageW(re(), WM_KEYDOWN, VK_RETURN, 1);
        SendMessageW(re(), WM_CHAR, 13, 1);
        SendMessageW(re(), WM_KEYUP, VK_RETURN, 0xC0000001);
    }
    void Down()
    {
        SendMessageW(re(), WM_KEYDOWN, VK_DOWN, 1);
        SendMessageW(re(), WM_KEYUP, VK_DOWN, 0xC0000001);
    }
    // The main window's line event: the line left goes to the glue when the
    // caret is on another line and nothing is selected.
    void OnLine(long type)
    {
        EditorState& st = State();
        CHARRANGE cr{};
        SendMessageW(re(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
        long line = static_cast<long>(SendMessageW(re(), EM_EXLINEFROMCHAR, 0, cr.cpMin));
        if (line == st.RememberedCaretLine || cr.cpMin != cr.cpMax) {
            if (IsPageType(State().EdType) || State().EdType == EditorType::None) {
                long pos = cr.cpMin;
                st.InVBSBlockNow = InVBScriptBlock(pos);
                st.InVBSBlockPrev = st.InVBSBlockNow;
            }
        } else {
            long pos = cr.cpMin;
            bool afterEnter = type == KvRTB::EnterUp;
            ProcessEditedLine(pos, line, afterEnter);
            ++processed;
        }
        st.RememberedCaretLine = line;
        st.RememberedCaretPos = cr.cpMin;
    }
    std::string Rtf(HWND w)
    {
        std::string out;
        RichEditStream::StreamOut(w, SF_RTF, out);
        return out;
    }
    // The editor must hold exactly what colouring its text as a whole in the
    // reference editor gives.
    void ExpectSameAsWholeRecolour()
    {
        KvRTB* editor = State().CurrentEditor;
        State().CurrentEditor = &form.Ref;
        form.Ref.SetText(form.JT1.Text());
        ClsColorEditor::ColorHTML(colorer, form.Ref, 0, -1);
        EXPECT_EQ(RichEditStream::GetRange(form.Ref.RTBhWnd(), 0, -1), Text());
        EXPECT_EQ(Rtf(form.Ref.RTBhWnd()), Rtf(re()));
        State().CurrentEditor = editor;
    }

    fGlueTest form;
    GlueHost host;
    ClsColor colorer;
    std::vector<std::wstring> checked;
    std::vector<std::wstring> declared;
    bool checkedInPage = false;
    int processed = 0;
};

// Documents parked in the slots, in a scratch folder; the messages the slots
// show are collected.
class ParkingTest : public GlueTest {
protected:
    void SetUp() override
    {
        GlueTest::SetUp();
        folder = wt::ScratchFolder(L"glue_slots");
        for (int i = 0; i < 8; ++i)
            DeleteFileW((folder + L"\\temp" + std::to_wstring(i) + L".dat").c_str());
        files.TempFolder(folder);
        messages.clear();
        platform::SetMessageInterceptor([this](const std::wstring& m, const std::wstring&, UINT) {
            messages.push_back(m);
            return IDOK;
        });
    }
    void TearDown() override
    {
        platform::SetMessageInterceptor(nullptr);
        GlueTest::TearDown();
    }
    std::wstring folder;
    ClsFile files{std::vector<ExtEntry>{}};
    std::vector<std::wstring> messages;
};
