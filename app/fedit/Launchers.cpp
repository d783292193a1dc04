// The commands and buttons of the main window that open the tool windows,
// and the image frame's two copy buttons.
#include "fedit.h"

#include "EditorState.h"
#include "ModFormOps.h"
#include "autoinsert/AutoInsert.h"
#include "browser/ObjectBrowser.h"
#include "find/modfind.h"
#include "images/modbitmap.h"
#include "picker/ColorPicker.h"
#include "preview/Preview.h"
#include "reference/Reference.h"
#include "cBrowse/cBrowse.h"
#include "forms/BusyScope.h"
#include "forms/Runtime.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/Text.h"

using namespace forms;

// The tool windows below are the page tools' and code assistance's. Until
// each fills its window, the hidden shell form of it is shown and hidden here
// beside the call that will do it.

void fedit::mFind_Click() { ShowFind(); }

void fedit::mMulti_Click() { ShowMultiReplace(); }

void fedit::mColorFind_Click()
{
    ShowColorPicker();
}

void fedit::mSample_Click()
{
    CloseFind();
    const std::wstring path =
        cBrowse().DOpen(hwnd, L"Open image file", L"Image Files(*.gif;*.jpg;*.png;*.bmp;*.ico)",
                        L"*.gif;*.jpg;*.png;*.bmp;*.ico", false);
    if (!path.empty() && platform::FileExists(path)) {
        const std::wstring ext = platform::Upper(platform::GetExtension(path));
        if (ext == L"GIF" || ext == L"JPG" || ext == L"PNG" || ext == L"ICO" || ext == L"BMP")
            ShowImage(path);
    }
    AfterShowImage();
}

void fedit::AfterShowImage()
{
    Form* viewer = program_.ToolForm(ToolWindow::ImageViewer);
    if (viewer && viewer->Visible()) {
        ModFormOps::SetTopMost(viewer->hwnd);
        ShowStatus(L"Click in image to get hex code for color of that point.");
    } else {
        panels_.FrImageOps.SetVisible(false);
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
    if (editing_.JT1.LenText() == 0) {
        platform::ShowMessage(L"There is no page to view yet.", platform::MessageStyle::Information, hwnd);
        return;
    }
    CloseSidePanels();
    State().OtherPageShown = false;
    PreviewPage();
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
    CloseSidePanels();
    NavigateBrowser(path);
    State().OtherPageShown = true;
}

void fedit::mOffline_Click()
{
    const bool offline = !mOffline.Checked();
    SetBrowserOffline(offline);
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
    ShowReferenceWindow(static_cast<short>(mode));
}

void fedit::MOmLib_Click()
{
    ShowLibrary();
}

void fedit::mOmBrowse_Click()
{
    ShowObjectBrowser();
}

void fedit::mAutoSet_Click()
{
    ShowAutoInsertSetup();
}

void fedit::bbitcol_Click()
{
    if (ClipboardSetText(L"\"" + panels_.thex.Text() + L"\""))
        ShowInfo(L"Clipboard");
}

void fedit::bspec_Click()
{
    if (ClipboardSetText(L"<IMG SRC=\"" + ImageFileName() + L"\" WIDTH=" + ImageWidth() + L" HEIGHT=" +
                         ImageHeight() + L" ALIGN= HSPACE= VSPACE=>"))
        ShowInfo(L"Clipboard");
}
