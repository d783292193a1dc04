// Colouring never changes the text: every colourer's fragment, read by a
// real RichEdit window as the editor reads it, gives back the same text.
#include "ClsColor.h"

#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

namespace {

struct StreamSource {
    const std::string* bytes;
    size_t pos;
};

DWORD CALLBACK ReadBytes(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* done)
{
    auto* src = reinterpret_cast<StreamSource*>(cookie);
    size_t n = std::min<size_t>(cb, src->bytes->size() - src->pos);
    memcpy(buffer, src->bytes->data() + src->pos, n);
    src->pos += n;
    *done = static_cast<LONG>(n);
    return 0;
}

class RichEditWindow {
public:
    RichEditWindow()
    {
        lib_ = LoadLibraryW(L"msftedit.dll");
        hwnd_ = CreateWindowExW(0, L"RICHEDIT50W", L"", WS_POPUP | ES_MULTILINE, 0, 0, 400, 300, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~RichEditWindow()
    {
        if (hwnd_)
            DestroyWindow(hwnd_);
        if (lib_)
            FreeLibrary(lib_);
    }
    RichEditWindow(const RichEditWindow&) = delete;
    RichEditWindow& operator=(const RichEditWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    DWORD lastError = 0;

    // Replaces the selection with the fragment, as the editor writes a
    // coloured range back.
    bool StreamIn(const std::string& rtf, WPARAM format)
    {
        format |= SFF_SELECTION;
        StreamSource src{&rtf, 0};
        EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&src), 0, ReadBytes};
        SendMessageW(hwnd_, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
        lastError = es.dwError;
        return es.dwError == 0;
    }

    std::wstring Text() const
    {
        GETTEXTLENGTHEX len{GTL_DEFAULT | GTL_NUMCHARS, 1200};
        LRESULT n = SendMessageW(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0);
        std::wstring text(static_cast<size_t>(n) + 1, L'\0');
        GETTEXTEX get{static_cast<DWORD>(text.size() * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
        LRESULT got = SendMessageW(hwnd_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                   reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(got));
        return text;
    }

private:
    HMODULE lib_ = nullptr;
    HWND hwnd_ = nullptr;
};

// The text the editor holds after colouring: line ends are single CRs.
std::wstring AsEditorText(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text) {
        if (c != L'\n')
            out += c;
    }
    return out;
}

const wchar_t* const kSamples[] = {
    // Markup with every island, and every character the RTF must escape.
    L"<html><!-- c:\\{x} --><a href=\"<%=u%>\" title='\u00e9t\u00e9'>\\{}</a>\r\n"
    L"<script language=\"vbscript\">\r\nDim s: s = \"C:\\x\\{y}\" ' \u20ac \u4e2d\r\n</script>\r\n"
    L"<script language=\"javascript\">\r\nvar r = /a\\/b/; var t = \"\\\"{\\t}\"; // \U0001F600\r\n</script>\r\n"
    L"<style>\r\np { color: red; } /* \uFF21 */ a:hover { background: url(x\\y.png) }\r\n</style>\r\n"
    L"<?php echo \"\\$a{$b}\"; # \u00fc\u00df ?>\r\n\ttab\there\r\nend",
    // Script text with the same characters.
    L"If x Then MsgBox \"\\{}\u00e9\" ' {\\}\r\n\tDim a(1): a(0) = \"\"\"\"\r\nWScript.Echo \"\u4e2d\U0001F600\"",
    L"function f(a, b) { return a + '\\'' + \"\\\\\" + '\u00e9'; }\r\n/* { } \\ */ var x = {a: [1, 2]};\t// \u20ac",
    L"@media print { body { font-family: \"\u00c9cole\"; } }\r\n.a\\:b { content: \"\\201C{}\"; }",
};

class RoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        c.SetVKeywords(L",", L"Dim,If,Then,MsgBox", 5, 1);
        c.SetJKeywords(L",", L"var,function,return");
        c.SetCSSKeywords(L",", L"color,background,font-family,content");
        c.SetPHPKeywords(L",", L"echo");
        c.FontName(L"Courier New");
        c.Color(L"K", RGB(0, 0, 255));
    }

    void Check(WPARAM format)
    {
        ASSERT_NE(edit.hwnd(), nullptr);
        for (const wchar_t* sample : kSamples) {
            for (int type = 0; type <= 5; ++type) {
                std::string rtf = c.RtfFragment(static_cast<EditorType>(type), sample);
                for (char ch : rtf)
                    ASSERT_TRUE(ch > 0 && ch < 128) << "RTF must be 7-bit";
                SetWindowTextW(edit.hwnd(), L"<<>>");
                SendMessageW(edit.hwnd(), EM_SETSEL, 2, 2);
                EXPECT_TRUE(edit.StreamIn(rtf, format)) << edit.lastError;
                EXPECT_EQ(edit.Text(), L"<<" + AsEditorText(sample) + L">>") << "type " << type;
            }
        }
    }

    ClsColor c;
    RichEditWindow edit;
};

TEST_F(RoundTrip, SystemCodePageStream)
{
    Check(SF_RTF);
}

TEST_F(RoundTrip, Utf8Stream)
{
    Check(SF_RTF | SF_USECODEPAGE | (CP_UTF8 << 16));
}

TEST_F(RoundTrip, ColoursReachTheEditor)
{
    SetWindowTextW(edit.hwnd(), L"");
    ASSERT_TRUE(edit.StreamIn(c.RtfFragment(EditorType::VBScript, L"x If y"), SF_RTF));
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    SendMessageW(edit.hwnd(), EM_SETSEL, 2, 4);
    SendMessageW(edit.hwnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_EQ(cf.crTextColor, RGB(0, 0, 255));
    EXPECT_STREQ(cf.szFaceName, L"Courier New");
}

} // namespace
