#include "Preview.h"

void PreviewPage() {}                                // the preview window fills this
void NavigateBrowser(const std::wstring&) {}         // the preview window fills this
void SetBrowserOffline(bool) {}                      // the preview window fills this
void ReleaseBrowser() {}                             // the preview window fills this
std::wstring PreviewPagePath() { return L""; }       // the preview window fills this
std::wstring OtherBrowserCopyPath() { return L""; }  // the preview window fills this
