// The find-and-replace engine on a hidden editor holding FILE. FLAGS are the
// search flags (1 forward, 2 whole word, 4 match case); a TEXT or FIND of
// the form asc:N searches in Asc mode for the character code N.
//
// probe find FILE TEXT FLAGS [CARET]
//   Find from the top (or find next from CARET), then find next until a
//   miss: one row "start<TAB>length" per hit, then "miss" and the find
//   field's colour as six hexadecimal digits.
// probe findprev FILE TEXT FLAGS CARET
//   Find previous from CARET: the hit row, or "miss" and the colour.
// probe replaceall FILE FIND REPLACEMENT FLAGS [START LENGTH]
//   Replace all in the whole text, or inside the selection START, LENGTH
//   (a deletion is confirmed): each message the user would see, then a line
//   "text:" and the resulting text.
// probe gotoproc FILE NAME
//   The caret position after the procedure jump.
#include "Probe.h"

#include "KvRTB/KvRTB.h"
#include "ModFileOps.h"
#include "find/FindEngine.h"
#include "forms/Form.h"
#include "platform/Messages.h"
#include "platform/Text.h"

#include <cstdio>
#include <cwchar>
#include <memory>

namespace {

class fProbeEditor : public forms::Form {
public:
    fProbeEditor()
    {
        SetCaption(L"probe");
        SetClientSize(9000, 6000);
        JT1.Place(*this, 0, 0, 9000, 6000);
    }
    ~fProbeEditor() override { Teardown(); }
    KvRTB JT1;
};

std::wstring g_out;

// A hidden editor holding the file, with every message written out.
std::unique_ptr<fProbeEditor> Editor(const std::wstring& path)
{
    if (!ModFileOps::FileExists(path)) {
        fwprintf(stderr, L"cannot read %ls\n", path.c_str());
        return nullptr;
    }
    auto form = std::make_unique<fProbeEditor>();
    if (!form->Load())
        return nullptr;
    form->JT1.SetText(ModFileOps::ReadTextFile(path));
    platform::SetMessageInterceptor([](const std::wstring& text, const std::wstring&, UINT) {
        g_out += text + L"\n";
        return IDYES;
    });
    return form;
}

modfind::FindField Field(const std::wstring& text, const std::wstring& replacement = L"")
{
    modfind::FindField f;
    f.asc = text.compare(0, 4, L"asc:") == 0;
    f.find = f.asc ? text.substr(4) : text;
    f.replacement = replacement;
    return f;
}

long Number(const std::wstring& s) { return std::wcstol(s.c_str(), nullptr, 10); }

void Row(const modfind::SearchResult& r)
{
    if (r.outcome == modfind::Outcome::Hit) {
        g_out += std::to_wstring(r.hit) + L"\t" + std::to_wstring(r.length) + L"\n";
        return;
    }
    wchar_t colour[16];
    swprintf(colour, 16, L"%06lX", static_cast<unsigned long>(modfind::FieldColour(modfind::Finder().Field)));
    g_out += std::wstring(r.outcome == modfind::Outcome::Miss ? L"miss\t" : L"not run\t") + colour + L"\n";
}

int Finish(int code)
{
    platform::SetMessageInterceptor(nullptr);
    probe::WriteOut(platform::ToCodePage(g_out));
    return code;
}

int FindCommand(const std::vector<std::wstring>& args)
{
    if (args.size() < 3 || args.size() > 4)
        return fwprintf(stderr, L"usage: probe find FILE TEXT FLAGS [CARET]\n"), 2;
    auto form = Editor(args[0]);
    if (!form)
        return 1;
    KvRTB& ed = form->JT1;
    const modfind::FindField f = Field(args[1]);
    const long flags = Number(args[2]);
    modfind::SearchResult r;
    if (args.size() == 4) {
        ed.SetSelStart(Number(args[3]));
        r = modfind::FindNext(ed, f, flags, true);
    } else {
        r = modfind::FindFromTop(ed, f, flags);
    }
    while (r.outcome == modfind::Outcome::Hit) {
        Row(r);
        r = modfind::FindNext(ed, f, flags, false);
    }
    Row(r);
    return Finish(0);
}

int FindPrevCommand(const std::vector<std::wstring>& args)
{
    if (args.size() != 4)
        return fwprintf(stderr, L"usage: probe findprev FILE TEXT FLAGS CARET\n"), 2;
    auto form = Editor(args[0]);
    if (!form)
        return 1;
    form->JT1.SetSelStart(Number(args[3]));
    Row(modfind::FindPrevious(form->JT1, Field(args[1]), Number(args[2])));
    return Finish(0);
}

int ReplaceAllCommand(const std::vector<std::wstring>& args)
{
    if (args.size() != 4 && args.size() != 6)
        return fwprintf(stderr, L"usage: probe replaceall FILE FIND REPLACEMENT FLAGS [START LENGTH]\n"), 2;
    auto form = Editor(args[0]);
    if (!form)
        return 1;
    modfind::FindField f = Field(args[1], args[2]);
    if (args.size() == 6) {
        f.inSelection = true;
        form->JT1.SetSelRange(Number(args[4]), Number(args[5]));
    }
    modfind::ReplaceAll(form->JT1, f, Number(args[3]), false);
    g_out += L"text:\n" + form->JT1.Text();
    return Finish(0);
}

int GoToProcCommand(const std::vector<std::wstring>& args)
{
    if (args.size() != 2)
        return fwprintf(stderr, L"usage: probe gotoproc FILE NAME\n"), 2;
    auto form = Editor(args[0]);
    if (!form)
        return 1;
    modfind::GoToProcedure(form->JT1, args[1]);
    g_out += std::to_wstring(form->JT1.SelStart()) + L"\n";
    return Finish(0);
}

probe::Command find(L"find", L"FILE TEXT FLAGS [CARET]", FindCommand);
probe::Command findprev(L"findprev", L"FILE TEXT FLAGS CARET", FindPrevCommand);
probe::Command replaceall(L"replaceall", L"FILE FIND REPLACEMENT FLAGS [START LENGTH]", ReplaceAllCommand);
probe::Command gotoproc(L"gotoproc", L"FILE NAME", GoToProcCommand);

} // namespace
