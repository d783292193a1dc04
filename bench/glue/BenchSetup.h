#pragma once
// What the glue and editing benchmarks share: a window with one editor, and
// a colourer set up as the program sets it up.
#include "ClsColor.h"
#include "bench/BenchTools.h"
#include "EditorState.h"
#include "SettingsRecord.h"
#include "TestHost.h"
#include "KvRTB/KvRTB.h"
#include "color/KeywordLists.h"
#include "forms/Form.h"
#include "platform/Messages.h"

#include <windows.h>
#include <richedit.h>

#include <cstdio>
#include <string>
#include <vector>

namespace bench {

class fBench : public forms::Form {
public:
    explicit fBench(const wchar_t* caption)
    {
        SetCaption(caption);
        SetClientSize(9000, 6000);
        JT1.Place(*this, 0, 0, 9000, 6000);
    }
    ~fBench() override { Teardown(); }
    KvRTB JT1;
};

// The keyword lists of the build's Settings folder, the editor font and the
// default colours.
inline void SetUpColorer(ClsColor& colorer)
{
    std::vector<std::wstring> blocks;
    const std::wstring folder = BinFolder();
    platform::SetMessageInterceptor([](const std::wstring& m, const std::wstring&, UINT) {
        std::printf("keyword lists: %ls\n", m.c_str());
        return IDOK;
    });
    LoadKeywordLists(colorer, folder + L"\\Settings", blocks);
    colorer.FontName(L"Courier New");
    colorer.FontSize(10);
    colorer.Color(L"H", 0xFF0000);
    colorer.Color(L"K", 0xA80080);
    colorer.Color(L"V", 0x0080FF);
    colorer.Color(L"C", 0x008000);
    colorer.Color(L"S", 0x96666E);
    colorer.Color(L"A", 0x96666E);
}

// The editor as the main window wires it: current, coloured as an HTML page,
// its change event marking the line as edited, its view kept by the host.
inline void WireEditor(fBench& form, ClsColor& colorer)
{
    static TestHost host;
    host.editor = &form.JT1;
    SetHost(&host);
    EditorState& st = State();
    st.CurrentEditor = &form.JT1;
    st.MainWindow = form.hwnd;
    st.Colorer = &colorer;
    st.ColorCodeOn = true;
    State().EdType = EditorType::HTML;
    SendMessageW(form.JT1.RTBhWnd(), EM_SETEVENTMASK, 0, ENM_CHANGE);
    form.JT1.Change = [] { State().LineEdited = true; };
}

} // namespace bench
