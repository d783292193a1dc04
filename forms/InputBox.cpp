// The input box: a modal dialog built from an in-memory template, so that it
// needs no resource in whichever module shows it.
#include "Runtime.h"

#include <string>
#include <vector>

namespace forms {

namespace {

struct InputBoxState {
    std::wstring prompt;
    std::wstring text;
    bool ok = false;
};

class TemplateWriter {
public:
    void Word(WORD w) { data_.push_back(w); }
    void DWord(DWORD d)
    {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void String(const std::wstring& s)
    {
        for (wchar_t c : s)
            Word(static_cast<WORD>(c));
        Word(0);
    }
    void AlignDWord()
    {
        if (data_.size() % 2)
            Word(0);
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom,
              const std::wstring& text)
    {
        AlignDWord();
        DWord(style | WS_CHILD | WS_VISIBLE);
        DWord(0); // extended style
        Word(static_cast<WORD>(x));
        Word(static_cast<WORD>(y));
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(id);
        Word(0xFFFF);
        Word(classAtom);
        String(text);
        Word(0); // no creation data
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

private:
    std::vector<WORD> data_;
};

INT_PTR CALLBACK InputBoxProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp)
{
    try {
        switch (msg) {
        case WM_INITDIALOG: {
            auto* st = reinterpret_cast<InputBoxState*>(lp);
            SetWindowLongPtrW(dlg, DWLP_USER, lp);
            SetDlgItemTextW(dlg, kInputBoxPromptId, st->prompt.c_str());
            HWND edit = GetDlgItem(dlg, kInputBoxTextId);
            SetWindowTextW(edit, st->text.c_str());
            SetFocus(edit);
            SendMessageW(edit, EM_SETSEL, 0, -1);
            return FALSE; // focus set here
        }
        case WM_COMMAND: {
            auto* st = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dlg, DWLP_USER));
            if (!st)
                return FALSE;
            if (LOWORD(wp) == IDOK) {
                HWND edit = GetDlgItem(dlg, kInputBoxTextId);
                int n = GetWindowTextLengthW(edit);
                std::wstring s(static_cast<size_t>(n) + 1, L'\0');
                n = GetWindowTextW(edit, &s[0], n + 1);
                s.resize(static_cast<size_t>(n < 0 ? 0 : n));
                st->text = s;
                st->ok = true;
                EndDialog(dlg, IDOK);
                return TRUE;
            }
            if (LOWORD(wp) == IDCANCEL) {
                EndDialog(dlg, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        }
        default:
            return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

} // namespace

std::wstring InputBox(const std::wstring& prompt, const std::wstring& title,
                      const std::wstring& defaultText, HWND owner, bool* cancelled)
{
    InputBoxState st;
    st.prompt = prompt;
    st.text = defaultText;
    if (!owner)
        owner = GetActiveWindow();

    TemplateWriter t;
    t.DWord(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    t.DWord(0); // extended style
    t.Word(4);  // items
    t.Word(0);
    t.Word(0);
    t.Word(260); // width and height in dialog units
    t.Word(92);
    t.Word(0); // no menu
    t.Word(0); // standard class
    t.String(title.empty() ? AppTitle() : title);
    t.Word(8);
    t.String(L"MS Shell Dlg");
    t.Item(SS_LEFT | SS_NOPREFIX, 7, 7, 190, 56, kInputBoxPromptId, 0x0082, L"");
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 203, 7, 50, 14, IDOK, 0x0080, L"OK");
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 203, 25, 50, 14, IDCANCEL, 0x0080, L"Cancel");
    t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 70, 246, 14, kInputBoxTextId, 0x0081, L"");

    INT_PTR r = DialogBoxIndirectParamW(ThisModule(), t.Get(), owner, InputBoxProc,
                                        reinterpret_cast<LPARAM>(&st));
    bool ok = r == IDOK && st.ok;
    if (cancelled)
        *cancelled = !ok;
    return ok ? st.text : std::wstring();
}

} // namespace forms
