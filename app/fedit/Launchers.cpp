// The commands and buttons of the main window that open the tool windows,
// and the image frame's two copy buttons.
#include "fedit.h"

#include "EditorState.h"
#include "Main.h"
#include "ModFormOps.h"
#include "Neighbours.h"
#include "cBrowse/cBrowse.h"
#include "fbrowser.h"
#include "ffind.h"
#include "forms/BusyScope.h"
#include "forms/Runtime.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/Text.h"

using namespace forms;

namespace {

void ShowModeless(Form* f)
{
    if (f && f->Load()) {
        f->Show(vbModeless);
        f->SetFocus();
    }
}

} // namespace

void fedit::mFind_Click()
{
    if (PageTools().ShowFind)
        PageTools().ShowFind();
    else
        ShowModeless(FindForm());
}

// The find window is the page tools'; until they drive it, its hidden form
// is shown and hidden here.
bool fedit::FindWindowShown()
{
    if (PageTools().FindVisible)
        return PageTools().FindVisible();
    ffind* f = FindForm();
    return f && f->Visible();
}

void fedit::CloseFindWindow(bool byItsButton)
{
    const std::function<void()>& close = byItsButton ? PageTools().CloseFindButton : PageTools().CloseFind;
    if (close) {
        close();
    } else if (ffind* f = FindForm()) {
        if (f->Visible())
            f->Hide();
    }
}

void fedit::mMulti_Click()
{
    ShowModeless(ToolForm(ToolWindow::MultiReplace));
}

void fedit::mColorFind_Click()
{
    Form* picker = ToolForm(ToolWindow::ColorPicker);
    if (!picker || !picker->Load() || picker->Visible())
        return;
    int left, top;
    if (WindowState() != FormWindowState::Minimized) {
        left = Left() + (Width() - picker->Width()) / 2;
        top = Top() + Height() - (picker->Height() + 435);
    } else {
        const int screenW = GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX();
        const int screenH = GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY();
        left = (screenW - picker->Width()) / 2;
        top = screenH - picker->Height() - 100 * TwipsPerPixelY();
    }
    picker->Move(left, top);
    picker->Show(vbModeless);
}

void fedit::mSample_Click()
{
    CloseFindWindow(false);
    const std::wstring path =
        cBrowse().DOpen(hwnd, L"Open image file", L"Image Files(*.gif;*.jpg;*.png;*.bmp;*.ico)",
                        L"*.gif;*.jpg;*.png;*.bmp;*.ico", false);
    if (!path.empty() && platform::FileExists(path)) {
        const std::wstring ext = platform::Upper(platform::GetExtension(path));
        if (ext == L"GIF" || ext == L"JPG" || ext == L"PNG" || ext == L"ICO" || ext == L"BMP")
            Call(PageTools().ShowImage, path);
    }
    AfterShowImage();
}

void fedit::AfterShowImage()
{
    Form* viewer = ToolForm(ToolWindow::ImageViewer);
    if (viewer && viewer->Visible()) {
        ModFormOps::SetTopMost(viewer->hwnd);
        ShowStatus(L"Click in image to get hex code for color of that point.");
    } else {
        FrImageOps.SetVisible(false);
        if (viewer)
            ModFormOps::SetBottomMost(viewer->hwnd);
        ClearInfo();
        ClearStatus();
        SetFocus();
    }
}

void fedit::bview2_Click(int Index)
{
    (void)Index;
    BusyScope busy(State().ClickBusy);
    if (!busy.Entered())
        return;
    if (JT1.LenText() == 0) {
        platform::ShowMessage(L"There is no page to view yet.", platform::MessageStyle::Information, hwnd);
        return;
    }
    CloseSidePanels();
    State().OtherPageInPreview = false;
    Call(PageTools().PreviewPage);
}

void fedit::mOther_Click()
{
    const std::wstring path = cBrowse().DOpen(
        hwnd, L"Select webpage to view", L"Webpages(*.html;*.htm;*.hta;*.php;*.asp;*.aspx;*.shtml;*.xhtml)",
        L"*.html;*.htm;*.hta;*.php;*.asp;*.aspx;*.shtml;*.xhtml", false);
    if (path.empty())
        return;
    // A page that is missing is reported; the main window stays, for the
    // browser would have nothing to show and its close ends the program.
    if (!platform::FileExists(path)) {
        platform::ShowMessage(L"File not found:\r\n" + path, platform::MessageStyle::Information, hwnd);
        return;
    }
    State().PreviewInUse = true;
    Call(PageTools().NavigateBrowser, path);
    CloseSidePanels();
    fbrowser* browser = BrowserForm();
    if (!browser || !browser->Load()) {
        State().OtherPageInPreview = false;
        return;
    }
    browser->Show(vbModeless);
    Hide();
    browser->SetFocus();
    State().OtherPageInPreview = true;
}

void fedit::mOffline_Click()
{
    const bool offline = !mOffline.Checked();
    Call(PageTools().SetBrowserOffline, offline);
    mOffline.SetChecked(offline);
}

void fedit::mCodeRef_Click()
{
    ShowReference(1);
}

void fedit::mMsgBoxRef_Click()
{
    ShowReference(2);
}

void fedit::ShowReference(int mode)
{
    Form* ref = ToolForm(ToolWindow::Reference);
    if (!ref || !ref->Load())
        return;
    if (mode == 1) {
        ref->SetCaption(L"Character codes - Keycodes - SendKeys (right-click to copy)");
        ref->Move(kKeep, kKeep, 8520, 5340);
        Call(PageTools().LoadAscRef);
    } else {
        ref->SetCaption(L"VBScript Constants");
        ref->Move(kKeep, kKeep, 5240, 5340);
        Call(PageTools().LoadMesRef);
    }
    ShowModeless(ref);
}

void fedit::MOmLib_Click()
{
    Call(CodeAssist().ShowLibrary);
}

void fedit::mOmBrowse_Click()
{
    ShowModeless(ToolForm(ToolWindow::ObjectBrowser));
}

void fedit::mAutoSet_Click()
{
    ShowModeless(ToolForm(ToolWindow::AutoSet));
}

void fedit::bbitcol_Click()
{
    ClipboardClear();
    ClipboardSetText(L"\"" + thex.Text() + L"\"");
    ShowInfo(L"Clipboard");
}

void fedit::bspec_Click()
{
    const PageToolsCalls& p = PageTools();
    ClipboardClear();
    ClipboardSetText(L"<IMG SRC=\"" + p.ImageFileName + L"\" WIDTH=" + p.ImageWidth + L" HEIGHT=" + p.ImageHeight +
                     L" ALIGN= HSPACE= VSPACE=>");
    ShowInfo(L"Clipboard");
}
