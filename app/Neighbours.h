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
    // The print window: its title box gets the document's name; it is shown
    // modeless and prints the editor text itself.
    std::function<void(const std::wstring& title)> ShowPrintWindow;
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

    // The configurable Ctrl+letter shortcuts: runs the key's action; false
    // for a key with no action.
    std::function<bool(long keyCode)> CheckKShortcuts;
    // A known object variable of the current document.
    std::function<bool(const std::wstring& name)> CheckVarList;
    // The pop-up list and the tip panel while the user types. The pop-up
    // routines return the pop-up shift (0: nothing shown).
    std::function<short(const std::wstring& word)> ShowMemberPopup;
    std::function<short(const std::wstring& text, bool typed)> ShowCSSPopup;
    // The CSS property whose values apply at the caret ("" when none).
    std::function<std::wstring(long caret)> GetCSSContext;
    // The CSS rule around the caret, line breaks removed.
    std::function<std::wstring(long caret, long& partialLength, long& valuePosition)> GetCSSRule;
    // The tip for the word before the position (after "(" when paren is set).
    std::function<void(long position, bool paren)> ShowWordTip;
    // The pop-up list's pick of an entry.
    std::function<void(int index)> PickPopupEntry;
};

// Runs a call that answers, or gives the neutral answer when it is not installed.
template <class R, class F, class... A>
R Ask(const F& f, R neutral, A&&... args)
{
    return f ? f(std::forward<A>(args)...) : neutral;
}

PageToolsCalls& PageTools();
CodeAssistCalls& CodeAssist();

// Runs a call when it is installed.
template <class F, class... A>
void Call(const F& f, A&&... args)
{
    if (f)
        f(std::forward<A>(args)...);
}
