#include "ObjectBrowser.h"

#include "MainHost.h"
#include "fClas.h"
#include "fOmLib.h"
#include "forms/Runtime.h"

namespace {

HWND MainWindow()
{
    return Host() ? Host()->Window() : nullptr;
}

} // namespace

void ShowObjectBrowser()
{
    ObjectBrowserForm().Show(forms::vbModeless, MainWindow());
}

void ShowLibrary()
{
    OpenPageLibrary();
}

void GetFileProps(const std::wstring& path)
{
    fClas& browser = ObjectBrowserForm();
    browser.Load();
    forms::DoEvents();
    browser.GetFileProps(path);
    browser.ShowPropsPage();
    browser.Show(forms::vbModeless, MainWindow());
}

void CloseObjectBrowser()
{
    UnloadObjectBrowserForm();
    UnloadPageLibraryForm();
}
