#include "fbitmap.h"

#include "MainHost.h"
#include "ModFormOps.h"
#include "modbitmap.h"

#include <memory>

namespace {

std::unique_ptr<fbitmap>& Instance()
{
    static std::unique_ptr<fbitmap> window;
    return window;
}

} // namespace

fbitmap& ImageViewer()
{
    if (!Instance())
        Instance() = std::make_unique<fbitmap>();
    return *Instance();
}

void UnloadImageViewer()
{
    if (!Instance())
        return;
    Instance()->Unload();
    Instance().reset();
}

fbitmap::fbitmap()
{
    SetCaption(L"View Image");
    BorderStyle = forms::FormBorderStyle::Sizable;
    ShowInTaskbar = false;
    StartUpPosition = forms::FormStartUpPosition::CenterScreen;
    SetClientSize(3000, 2000);
    piclarge.Place(*this, 0, 0, 3000, 2000);
    piclarge.SetBorderStyle(forms::Border::None);
    piclarge.Click = [this] { piclarge_Click(); };
}

fbitmap::~fbitmap() { Teardown(); }

void fbitmap::piclarge_Click() { GetPointColor(); }

void fbitmap::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    if (UnloadMode != forms::vbFormControlMenu)
        return;
    Cancel = 1;
    Hide();
    piclarge.SetPicture(nullptr);
    ModFormOps::SetBottomMost(hwnd);
    if (MainHost* host = Host()) {
        host->ShowImageTools(false);
        host->ClearInfo();
        host->ShowSampledColor(0x80000004, L"");
        host->ClearStatus();
    }
}
