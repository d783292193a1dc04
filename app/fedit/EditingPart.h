#pragma once
// The main window's editing: the editor JT1 of the current document with
// its line-number gutter T2, the editor's event handlers (line and column,
// the hand-off of a finished line to the typing glue, Tab, the Ctrl+letter
// hotkeys, the pop-up list and tip keys, the right-click menu), and the
// editing commands of the Edit and Text Ops menus, the tool bars and the
// shortcut table. Its files: EditingPart.cpp (events), EditCommands.cpp,
// LineBlocks.cpp.
#include "forms/Controls.h"

#include "KvRTB/KvRTB.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

class fedit;
struct TextEdit;

class EditingPart {
public:
    explicit EditingPart(fedit& form) : form_(form) {}

    KvRTB JT1;
    forms::TextBox T2;

    // Creation: the gutter and the editor, in the form's order of windows.
    void Place();
    void Wire();

    // The keyboard goes to the editor, never to the gutter.
    void FocusEditor();
    // The gutter's font changed: the screen's rows are measured at the next fill.
    void GutterFontChanged()
    {
        gutterScreenRows_ = 0;
        numbersWidth_ = 0;
    }
    // Twips the gutter needs to show numbers up to 999,999 on one row each,
    // in its font. The width is fixed by the font, not by the document: a
    // gutter that widened as a document grew would move the editor, and
    // RichEdit lays a long text out again for that.
    long GutterNumbersWidth();
    // The gutter holds a number for every line of the editor and follows its
    // first visible line.
    void FillGutter();
    // Shows the caret's line and column, then scrolls the gutter to the
    // editor's first visible line; the editor gets the focus when it moved.
    void SyncLineNums();
    // A display change: a taller screen shows more gutter rows than were measured.
    void DisplayChanged(int screenHeight);
    // The scroll keeping of every command that rewrites text.
    void SaveScrollPos();
    void RestoreScrollPos();

    // ---- Commands the tool bars and the shortcut table call too ----
    void DoCut();
    void DoPaste(short source);      // 0 the clipboard, 1 clip 1, 2 clip 2
    void QuoteWords(short mode);     // 1 quote, 0 unquote
    void IndentLines(short mode);    // 1 indent, else outdent
    void CommentLines();
    void UncommentLines();
    void UpperCaseTags();
    void InsertReturns();

    // ---- The menu table's handlers ----
    void medit_Click();
    void mUndo_Click();
    void mRedo_Click();
    void mCopy_Click();
    void mSelAll_Click();
    void mClear_Click();
    void mChangeCase_Click(int Index);
    void mWrap_Click();
    void mColCode_Click();
    void mUTF8_Click();
    void mPrint_Click();
    void mCom_Click();
    void mUnCom_Click();
    void mUpHTML_Click();
    void mInsertRet_Click();

private:
    // Line and column of a position in the line/column labels.
    void ShowLineCol(long position);
    void ShowCaretLineCol();
    // The gutter to the editor's first visible line; true when it moved.
    // The focus stays.
    bool FollowEditor();
    void JT1_LineEvent(long& LType);
    void JT1_NavigationKey(int& Keycode, int& Shift);
    void JT1_OnChange();
    void JT1_TabPress();
    void JT1_VScroll(WPARAM& wParam1);
    void JT1_KeyDown(int& Keycode, int& Shift);
    void JT1_KeyPress(int& KeyAscii);
    void JT1_KeyUp(int& Keycode, int& Shift);
    void JT1_MouseDown(int Button);
    void JT1_MouseUp(int Button);
    void JT1_MouseMove();
    void RunHotkey(int keyCode);
    // Shows custom snippet menu 1 or 2 at the caret.
    void ShowCustomMenu(int menu);
    void PopupKeyUp(int keyCode, int shift, long position);
    void RecolourWholeText();
    // Applies an engine's edit to the editor text (not undoable, as commands
    // write), then sets its selection.
    void ApplyEdit(const TextEdit& edit);
    // The same for an edit of whole lines that keeps their breaks, line by line.
    void ApplyBlockEdit(const std::wstring& text, const TextEdit& edit);
    void EndBlockEdit();

    fedit& form_;
    // The editor's state of the editing handlers (all zero when the window loads).
    bool keyTaken_ = false;
    long lineProcessed_ = 0;
    long lastGutterLine_ = 0;
    // Lines of the gutter's font the whole screen holds: FillGutter's screen
    // beyond the last line. Measured at the first fill after the gutter's
    // font was set (0 till then): a system metric costs Wine a server call,
    // and the gutter is filled at every caret move.
    long gutterScreenRows_ = 0;
    int screenHeight_ = 0;   // the largest screen height a display change reported
    long numbersWidth_ = 0;  // GutterNumbersWidth, measured once for each font
};
