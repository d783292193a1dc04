#include "Preview.h"

#include "ClsFile.h"
#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "MainHost.h"
#include "ModFileOps.h"
#include "PageJournal.h"
#include "PreviewFiles.h"
#include "SettingsRecord.h"
#include "fbrowser.h"
#include "platform/Paths.h"
#include "platform/Messages.h"

#include <memory>

namespace {

std::wstring pagePath;
std::wstring copyPath;

std::unique_ptr<fbrowser>& Instance()
{
    static std::unique_ptr<fbrowser> window;
    return window;
}

void Tell(const wchar_t* text)
{
    HWND owner = Host() ? Host()->Window() : nullptr;
    fbrowser* b = Instance().get();
    if (b && b->hwnd && IsWindowVisible(b->hwnd))
        owner = b->hwnd;
    platform::ShowMessage(text, platform::MessageStyle::Information, owner);
}

const wchar_t kNoPageYet[] = L"There is no page to view yet.";
const wchar_t kTempFolderInvalid[] = L"Error loading page. The setting for the Webpage Temp Folder may be invalid.";
const wchar_t kCannotWrite[] = L"Error loading page. If this is new work the Webpage Temp Folder may be invalid.";
const wchar_t kNoPageToView[] = L"There doesn't seem to be a page to view.";

// The browser in the main window's place.
void SwapToBrowser()
{
    fbrowser& b = BrowserWindow();
    if (!b.Load())
        return;
    b.Show(forms::vbModeless);
    if (Host())
        Host()->ShowMainWindow(false);
    b.FocusPage();
}

} // namespace

fbrowser& BrowserWindow()
{
    if (!Instance())
        Instance() = std::make_unique<fbrowser>();
    return *Instance();
}

void UnloadBrowserWindow()
{
    if (Instance()) {
        Instance()->Unload();
        Instance().reset();
    }
}

void PreviewPage()
{
    if (!Host())
        return;
    KvRTB& editor = Host()->JT1();
    if (editor.LenText() == 0) {
        Tell(kNoPageYet);
        return;
    }
    EditorState& s = State();
    std::wstring folder;
    if (platform::FileExists(s.CurrentFilePath)) {
        folder = platform::WithoutTrailingBackslash(platform::GetParentFolder(s.CurrentFilePath));
    } else {
        folder = platform::WithoutTrailingBackslash(Settings().WebTempFolder);
        if (!platform::FolderExists(folder)) {
            Tell(kTempFolderInvalid);
            return;
        }
    }
    // The pages earlier previews (or a run that was killed) left in this
    // folder go first; a name the user's own file has is never taken, and
    // with every name taken nothing is written.
    WrittenPages().RemoveAll(folder);
    const std::wstring page = PreviewFiles::FreePage(folder);
    if (page.empty()) {
        Tell(kCannotWrite);
        return;
    }
    pagePath = page;
    WrittenPages().Remember(page);
    // Written as the document's file is, so the browser reads what the file holds.
    platform::TextFormat format = s.Files ? s.Files->CurrentFormat() : platform::NewTextFormat(Settings().UTF8Text);
    if (!editor.SaveFile(page, false, &format) || !SetFileAttributesW(page.c_str(), FILE_ATTRIBUTE_HIDDEN)) {
        Tell(kCannotWrite);
        return;
    }
    s.ProgramNavigation = true;
    ShowPreview();
}

void ShowPreview()
{
    if (pagePath.empty() || !platform::FileExists(pagePath)) {
        Tell(kNoPageToView);
        return;
    }
    State().ProgramNavigation = true;
    fbrowser& b = BrowserWindow();
    if (!b.Load())
        return;
    b.Navigate(pagePath);
    SwapToBrowser();
}

void ReturnToEditor()
{
    if (Host())
        Host()->ShowMainWindow(true);
    if (Instance())
        Instance()->Hide();
    if (Host())
        Host()->JT1().SetFocus();
    RemovePreviewPage();
}

void NavigateBrowser(const std::wstring& path)
{
    fbrowser& b = BrowserWindow();
    if (!b.Load())
        return;
    State().ProgramNavigation = true;
    b.Navigate(path);
    SwapToBrowser();
}

void SetBrowserOffline(bool offline)
{
    if (Instance())
        Instance()->wb1.SetOffline(offline);
}

void ReleaseBrowser()
{
    if (Instance())
        Instance()->ReleaseDocument();
}

std::wstring PreviewPagePath() { return pagePath; }
std::wstring OtherBrowserCopyPath() { return copyPath; }
void SetOtherBrowserCopyPath(const std::wstring& path) { copyPath = path; }

void RemoveLeftoverPages() { WrittenPages().RemoveAll(); }

void RemovePreviewPage()
{
    if (!pagePath.empty())
        WrittenPages().Remove(pagePath);
}

void RemovePreviewFiles()
{
    RemovePreviewPage();
    if (!copyPath.empty())
        WrittenPages().Remove(copyPath);
}
