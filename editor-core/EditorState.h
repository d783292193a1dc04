#pragma once
// Program-wide state of the main program: one value each, shared by the
// editing core, the main window and the tools. Everything starts zero, False
// or empty; the UI thread is the only one that touches it.
#include <windows.h>

#include <memory>
#include <string>

#include "ClsColorEditor.h"

class KvRTB;
class ClsDic;
class ClsColor;
class ClsFile;

struct EditorState {
    // The editor that commands act on (the main window's JT1).
    KvRTB* CurrentEditor = nullptr;
    // Its RichEdit window, asked of the editor each time: a long recolouring
    // and the document slots give the editor other windows.
    HWND EditorRichEditHandle() const;
    // The main window, locked against redrawing around bulk edits.
    HWND MainWindow = nullptr;

    std::wstring CurrentFilePath;   // "Untitled" for a new document
    std::wstring CurrentExtension;  // upper case, without the dot
    // The type of the running document: its one owner. The type name in the
    // window caption is derived from it, and the settings record's
    // LastEdType is written from it when the record is saved.
    EditorType EdType = EditorType::None;

    bool LineEdited = false;               // set by every change of the text
    bool DocChanged = false;               // the document differs from its file
    bool SuppressChangeTracking = false;   // the program itself is rewriting the text
    bool ColorCodeOn = false;              // the current document is colour-coded
    bool LineDebugOn = false;              // line checking applies to the current document

    long RememberedCaretLine = 0;
    long RememberedCaretPos = 0;
    long ProcessedLineStart = 0;   // start of the line the typing glue processed last
    short InVBSBlockNow = 0;       // InVBScriptBlock result: 0, 1 script block, 2 server block
    short InVBSBlockPrev = 0;

    // Set by the VBScript line check when it selects a finding: the next
    // recolouring is skipped once so the marked line keeps its colour.
    bool FindingMarked = false;

    // The editor's view, saved around the typing glue's rewrites.
    POINT SavedScroll{};

    // What the colouring remembers of each editor window (ClsColorEditor).
    ClsColorEditor::Memory Colouring;

    // Vertical scroll of the preview page, kept per document slot.
    long PreviewScrollTop = 0;

    // The tip panel was pinned open (its lock button).
    bool TipKept = false;
    // Which custom snippet menu the custom-menu window shows.
    bool CustomMenu1Active = false;
    bool CustomMenu2Active = false;

    bool ProgramClosing = false;
    bool ClickBusy = false;
    std::wstring Clip1;
    std::wstring Clip2;
    // A page is shown in the preview browser; it is one chosen with "View
    // Other Webpage" rather than the current document (its scroll offset is
    // then neither kept nor restored).
    bool PreviewInUse = false;
    bool OtherPageShown = false;
    // The browser's pending navigation was started by the program, not by a
    // link the user followed.
    bool ProgramNavigation = true;

    ClsColor* Colorer = nullptr;
    ClsFile* Files = nullptr;

    // ---- Set by the main program's start-up ----
    std::wstring CommandLine;        // the whole command line without its double quotes
    std::wstring WindowsFolder;      // the three special folders, no trailing "\"
    std::wstring SystemFolder;
    std::wstring TempFolder;
    std::wstring ProgramTempFolder;  // program folder & "\temp\"
    bool IsNT = false;
    std::wstring WScriptPath;        // script hosts; empty when not found
    std::wstring CScriptPath;
    bool RunWithWScript = true;
    long CustomMenuWidth1 = 1200;    // twips, the widest label of each custom menu
    long CustomMenuWidth2 = 1200;
    bool CSSListLoaded = false;
    // Texts of the type library on show in the object browser, class or
    // enumeration name -> text; none after a failed read.
    std::shared_ptr<ClsDic> ClassTextDic;
    // The classes of the library last added to auto-insert, "library.class"
    // -> the class's entries as one INI section text.
    std::shared_ptr<ClsDic> AutoInsertClassDic;
    // The auto-insert object list: Settings\tarnelt.ini beside the program.
    std::wstring ObjectListPath;
};

// The one instance.
EditorState& State();

// Resets every field to its start value (tests and a fresh start-up).
void ResetEditorState();

// Keeps a window (normally State().MainWindow) locked against redrawing for
// its lifetime. A window that is already locked by a caller stays locked.
class RedrawLock {
public:
    explicit RedrawLock(HWND hwnd) : locked_(hwnd && LockWindowUpdate(hwnd)) {}
    ~RedrawLock()
    {
        if (locked_)
            LockWindowUpdate(nullptr);
    }
    RedrawLock(const RedrawLock&) = delete;
    RedrawLock& operator=(const RedrawLock&) = delete;

private:
    bool locked_;
};
