#include "fmulti.h"

#include "ToolButtons.h"
#include "ModFormOps.h"
#include "ReplaceInFile.h"
#include "cBrowse/cBrowse.h"
#include "forms/BusyScope.h"
#include "forms/Runtime.h"
#include "platform/Messages.h"

#include <memory>

namespace {

std::unique_ptr<fmulti>& Instance()
{
    static std::unique_ptr<fmulti> window;
    return window;
}

const std::wstring Q = L"\"";

void PlaceLabel(forms::Label& l, forms::Form& on, int left, int top, int width, const std::wstring& caption)
{
    l.Place(on, left, top, width, 240);
    l.SetCaption(caption);
}

} // namespace

void ShowMultiReplaceWindow()
{
    if (!Instance())
        Instance() = std::make_unique<fmulti>();
    Instance()->Show(forms::vbModeless);
}

fmulti* MultiReplaceWindow() { return Instance().get(); }

void UnloadMultiReplaceWindow()
{
    if (!Instance())
        return;
    Instance()->Unload();
    Instance().reset();
}

fmulti::fmulti()
{
    SetCaption(L"Replace Text in Multiple Files");
    BorderStyle = forms::FormBorderStyle::FixedToolWindow;
    StartUpPosition = forms::FormStartUpPosition::CenterScreen;
    forms::FontSpec font;
    font.Name = L"Arial";
    font.Size = 9;
    SetFont(font);
    SetClientSize(7700, 4800);

    PlaceLabel(Label5, *this, 120, 150, 2400, L"1)  Browse for files.");
    PlaceToolButton(bsel, *this, 2640, 90, 1200, 330, L"Browse");
    bsel.SetToolTipText(L"Browse for files.");
    PlaceLabel(Label8, *this, 120, 480, 7460,
               L" (All selections will be added to the window; Hold down CTRL to select multiple files.)");
    filbox.MultiSelect = 2;
    filbox.Place(*this, 120, 780, 7460, 1620);
    PlaceLabel(Label2, *this, 120, 2460, 7460, L" Check off file(s) to process and click " + Q + L"Apply Changes" + Q);
    PlaceLabel(Label3, *this, 120, 2790, 7460, L"2)  Enter existing text and replacement text.");
    PlaceLabel(Label4, *this, 120, 3120, 1300, L"Existing Text:");
    told.Place(*this, 1440, 3090, 6140, 285);
    PlaceLabel(Label1, *this, 120, 3480, 1300, L"Replace With:");
    tnew.Place(*this, 1440, 3450, 6140, 285);
    PlaceLabel(Label6, *this, 1440, 3780, 6140, L"(Leave replacement text blank to delete existing text.)");
    ck1.Place(*this, 120, 4080, 3000, 255);
    ck1.SetCaption(L"Case-sensitive replacement");
    PlaceLabel(Label7, *this, 120, 4440, 4800, L"3)  Select files to be processed and click " + Q + L"Apply" + Q + L".");
    PlaceToolButton(bapply, *this, 6380, 4380, 1200, 330, L"Apply");
    bapply.SetToolTipText(L"Replace text in selected files.");

    bsel.Click = [this] { bsel_Click(); };
    bapply.Click = [this] { bapply_Click(); };
}

fmulti::~fmulti() { Teardown(); }

void fmulti::AddChosenFiles(const std::wstring& result)
{
    for (const std::wstring& path : modfind::MultiSelectPaths(result))
        filbox.AddItem(path);
    ModFormOps::SetListHScroll(filbox.hwnd);
}

void fmulti::bsel_Click()
{
    try {
        std::wstring result = cBrowse().DOpenMulti(hwnd, L"Hold down Ctrl key for multi-select");
        if (!result.empty())
            AddChosenFiles(result);
    } catch (...) {
        // A failure here only means no files were added.
    }
}

std::vector<std::wstring> fmulti::MarkedPaths()
{
    std::vector<std::wstring> paths;
    for (int i = 0; i < filbox.ListCount(); ++i)
        if (filbox.Selected(i))
            paths.push_back(filbox.List(i));
    return paths;
}

void fmulti::bapply_Click()
{
    const std::vector<std::wstring> marked = MarkedPaths();
    if (marked.empty())
        return;
    forms::BusyScope busy(busy_);
    if (!busy.Entered())
        return;
    if (told.Text().empty()) {
        platform::ShowMessage(forms::LoadResString(148), MB_ICONINFORMATION, hwnd);
        return;
    }
    const bool caseSensitive = ck1.Value() == forms::vbChecked;
    if (marked.size() == 1) {
        if (modfind::ReplaceInFile(marked[0], told.Text(), tnew.Text(), caseSensitive, hwnd))
            platform::ShowMessage(forms::LoadResString(149), MB_OK, hwnd);
        return;
    }
    long count = modfind::ReplaceInFiles(marked, told.Text(), tnew.Text(), caseSensitive, hwnd);
    platform::ShowMessage(std::to_wstring(count) + L" files processed.", MB_OK, hwnd);
}

void fmulti::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    if (UnloadMode == forms::vbFormControlMenu) {
        filbox.Clear();
        Hide();
    }
}
