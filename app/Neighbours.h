#pragma once
// What the main program calls of the page tools and of code assistance.
// Those subsystems install their routines here when they are built; until
// then each call does nothing and each answer is the neutral one.
#include <functional>
#include <string>

struct PageToolsCalls {
    // Reads the tag descriptions of tarnelh.ini (start-up).
    std::function<void()> LoadHTMLTags;
    // The find window: shown or hidden, and placed under the main window.
    std::function<bool()> FindVisible;
    std::function<void()> ShowFind;
    std::function<void()> CloseFind;
    std::function<void()> PositionFind;
    // The preview browser's offline mode (switched off at shutdown).
    std::function<void(bool)> SetBrowserOffline;
    // Releases the preview form's hold on the browser's document (shutdown).
    std::function<void()> ReleaseBrowser;
    // Paths of the preview page and of the copy for another browser; empty
    // or naming a file that is gone when there is none.
    std::wstring PreviewPagePath;
    std::wstring OtherBrowserCopyPath;
};

struct CodeAssistCalls {
    std::function<void()> LoadObjectList;
    std::function<void()> LoadVarList;
    std::function<void()> ResetFuncLists;
    std::function<void()> BuildFuncPopup;
    std::function<void()> LoadCSSList;
};

PageToolsCalls& PageTools();
CodeAssistCalls& CodeAssist();

// Runs a call when it is installed.
template <class F, class... A>
void Call(const F& f, A&&... args)
{
    if (f)
        f(std::forward<A>(args)...);
}
