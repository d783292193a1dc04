#include "modfind.h"

#include "FindEngine.h"
#include "KvRTB/KvRTB.h"
#include "MainHost.h"
#include "ModFormOps.h"
#include "ffind.h"
#include "fmulti.h"
#include "forms/Runtime.h"

#include <memory>

namespace {

std::unique_ptr<ffind>& Instance()
{
    static std::unique_ptr<ffind> window;
    return window;
}

HWND MainWindow() { return Host() ? Host()->Window() : nullptr; }

bool MainMinimised() { return MainWindow() && IsIconic(MainWindow()); }

void LayOutMain()
{
    if (Host())
        Host()->LayoutWindow();
}

} // namespace

ffind& FindWindow()
{
    if (!Instance())
        Instance() = std::make_unique<ffind>();
    return *Instance();
}

void UnloadFindWindow()
{
    if (!Instance())
        return;
    Instance()->Unload();
    Instance().reset();
}

bool FindVisible() { return Instance() && Instance()->Visible(); }

void ShowFind()
{
    if (Host())
        Host()->CloseImageViewer();
    ffind& f = FindWindow();
    f.Load();
    if (!MainMinimised())
        PositionFind();
    KvRTB* editor = Host() ? &Host()->JT1() : nullptr;
    const long length = editor ? editor->SelLength() : 0;
    std::wstring text;
    if (length >= 1 && length < 40) {
        text = editor->SelText();
        if (!text.empty() && text.back() == L'\r')
            text.pop_back();
    }
    // Setting the field searches as typing does, from the top.
    f.tFind.SetText(text);
    if (!f.Visible()) {
        f.Show(forms::vbModeless, MainWindow());
        ModFormOps::SetTopMost(f.hwnd);
    }
    LayOutMain();
    f.tFind.SetFocus();
}

void CloseFind()
{
    if (!FindVisible())
        return;
    ffind& f = FindWindow();
    ModFormOps::SetBottomMost(f.hwnd);
    f.Hide();
    f.tFind.SetText(L"");
    f.trep.SetText(L"");
    LayOutMain();
}

void HideFind()
{
    if (!FindVisible())
        return;
    ffind& f = FindWindow();
    ModFormOps::SetBottomMost(f.hwnd);
    f.Hide();
}

void ShowFindAgain()
{
    // Once the restore is done: shown inside it, the window stayed behind
    // the main one on the screen (Wine stacks the restored window last).
    forms::RunLater([] {
        if (!Instance() || !Instance()->Loaded() || FindVisible() || MainMinimised())
            return;
        ffind& f = *Instance();
        PositionFind();
        f.Show(forms::vbModeless, MainWindow());
        ModFormOps::SetTopMost(f.hwnd);
        LayOutMain();
    });
}

void CloseFindButton()
{
    if (FindVisible())
        FindWindow().bCloseFind_Click();
}

void PositionFind()
{
    if (!Instance() || !Instance()->Loaded() || MainMinimised() || !MainWindow())
        return;
    RECT r{};
    if (!GetWindowRect(MainWindow(), &r))
        return;
    const int left = forms::PixelsToTwipsX(r.left), top = forms::PixelsToTwipsY(r.top);
    const int width = forms::PixelsToTwipsX(r.right - r.left), height = forms::PixelsToTwipsY(r.bottom - r.top);
    Instance()->Move(left, top + height - 1230, width);
}

void GoToProcedure(const std::wstring& name)
{
    if (Host())
        modfind::GoToProcedure(Host()->JT1(), name);
}

void ShowMultiReplace() { ShowMultiReplaceWindow(); }
