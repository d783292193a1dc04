#pragma once
// The preview browser.
#include <string>

// Writes the main editor's text to the preview page and shows it.
void PreviewPage();
// Goes to a page (no history, no cache).
void NavigateBrowser(const std::wstring& path);
// The browser's offline mode.
void SetBrowserOffline(bool offline);
// Lets go of the browser's document (shutdown).
void ReleaseBrowser();
// The preview page and the copy for another browser: empty, or naming a file
// that may be gone, when there is none.
std::wstring PreviewPagePath();
std::wstring OtherBrowserCopyPath();
