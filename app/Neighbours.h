#pragma once
// What the main program calls of the page tools and of code assistance.
// Those subsystems install their routines here when they are built; until
// then each call does nothing and each answer is the neutral one.
#include <functional>
#include <string>
#include <utility>
#include <vector>

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

    // Format checks of the current editor; BeginFormatCheck runs first with
    // the editor type, so a VBScript check can keep and later give back the
    // user's line-debugging choice.
    std::function<void(long edType)> BeginFormatCheck;
    std::function<void()> RunHTMLDebug;
    std::function<void()> RunVBSDebug;
    // The tag descriptions: whether they were read, and the one of a name
    // such as "<td" (false when there is none).
    std::function<bool()> TagsLoaded;
    std::function<bool(const std::wstring& name, std::wstring& description)> TagDescription;
    // The find window's own close button.
    std::function<void()> CloseFindButton;
    // The image viewer: loads and shows a picture (reports its own failure).
    std::function<void(const std::wstring& path)> ShowImage;
    // Puts an IMG tag (mode 1) or an IMG tag inside a link (mode 2) for a
    // chosen image on the clipboard.
    std::function<void(int mode)> InsertImageCode;
    // The image viewer's facts of the image last shown.
    std::wstring ImageFileName, ImageWidth, ImageHeight;
    // Writes the editor text to the preview page and shows it.
    std::function<void()> PreviewPage;
    // The preview browser goes to a page (no history, no cache).
    std::function<void(const std::wstring& path)> NavigateBrowser;
    // Selects a Sub or Function declaration of the editor by name.
    std::function<void(const std::wstring& name)> GoToProcedure;
    // The reference window's two texts, filled on first use.
    std::function<void()> LoadAscRef;
    std::function<void()> LoadMesRef;
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
    // Shows a signature in the tip panel; the tip space count derives from it.
    std::function<short(const std::wstring& signature)> ShowParamInfo;
    // The stored object of a variable, and the signature of a procedure.
    std::function<std::wstring(const std::wstring& word)> GetVarObject;
    std::function<std::wstring(const std::wstring& name)> GetFuncSignature;
    // The procedure names of the current document and its linked files, in
    // the order they were found.
    std::function<std::vector<std::wstring>()> ProcedureNames;
    std::function<void()> FillLinkFileList;
    std::function<void()> ShowLibrary;
    // Fills the object browser's file-property panels for a file.
    std::function<void(const std::wstring& path)> GetFileProps;
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
