#pragma once
// The page preview: the editor's text written to a hidden page beside the
// document (or in the webpage temp folder) and shown in the preview window
// in the main window's place, and the way back.
#include <string>

class fbrowser;

// The program's preview window, made on first use; unloaded at shutdown.
fbrowser& BrowserWindow();
void UnloadBrowserWindow();

// Writes the main editor's text to the preview page and shows it.
void PreviewPage();
// Shows the page last written (no new write), in place of the main window.
void ShowPreview();
// The main window back in front with the editor focused; the page deleted.
void ReturnToEditor();
// Shows another page in the preview window (no history, no cache) in place
// of the main window.
void NavigateBrowser(const std::wstring& path);
// The browser's offline mode.
void SetBrowserOffline(bool offline);
// Lets go of the browser's document (shutdown).
void ReleaseBrowser();
// The preview page and the copy for another browser: empty, or naming a file
// that may be gone, when there is none.
std::wstring PreviewPagePath();
std::wstring OtherBrowserCopyPath();
void SetOtherBrowserCopyPath(const std::wstring& path);
// Start-up: the pages an earlier run wrote and left behind (it was killed
// while a page was on show) go, wherever they are.
void RemoveLeftoverPages();
// Removes the preview page and the outside browser's copy, where this run
// wrote them and they are still there.
void RemovePreviewFiles();
// Removes the preview page alone.
void RemovePreviewPage();
