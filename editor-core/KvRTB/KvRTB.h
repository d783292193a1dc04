#pragma once
// KvRTB: the rich-text editor control every text view is built on (the main
// window's JT1, the clipping pad's RTBOps, the reference, object-browser and
// auto-insert boxes). A host window placed on a form like any control, with
// a RichEdit window filling it ("RICHEDIT50W" of msftedit.dll, else
// "RichEdit20W" of riched20.dll).
//
// The RichEdit's keyboard and mouse messages reach the control through a
// CSubclass hook and come out as the events below; EN_CHANGE and
// EN_SELCHANGE arrive at the host window. The control has the face of every
// other control: the base Control's properties and events, plus its own.
//
// Positions are 0-based characters, paragraph ends counting one; lines are
// 0-based; an end of -1 means the end of the text. Text crosses the control
// as UTF-16; files are read and written in their own encoding and line
// breaks (platform/TextFile.h).
#include "forms/Control.h"
#include "platform/Handles.h"
#include "platform/TextFile.h"

#include "CSubclass.h"

#include <windows.h>
#include <richedit.h>
#include <shellapi.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class KvRTB : public forms::Control, private ISubclassOwner {
public:
    KvRTB();
    ~KvRTB() override;

    // An installed face whose bold stands out from its regular at the size,
    // for views that set names in bold: at small sizes many faces draw their
    // bold with the regular's strokes. The controls' default face when none
    // does.
    static std::wstring BoldCapableFace(int points);

    // Set before the window is created. The subclasser shared by the
    // program's controls; without one the control uses a private one.
    CSubclass* Subclasser = nullptr;

    // ---- Events ----
    // The base Control's events, as on every control (so a ControlArray of
    // editors works): KeyDown, KeyPress, KeyUp, MouseDown, MouseMove,
    // MouseUp, Change (EN_CHANGE), GotFocus, LostFocus; X and Y in twips
    // inside the control. The RichEdit's keys follow the editor's rules:
    // - KeyDown: Enter and the navigation keys (33-40) always, also when
    //   read-only; other keys but Tab once the form's menu shortcuts declined
    //   them (forms::RunMenuShortcut), not when read-only. KeyCode 0 eats the
    //   key (for Enter, its line break too).
    // - KeyPress: typed characters except Tab, not when read-only; KeyAscii
    //   set to 0 stops the character (for 13, the line break).
    // - KeyUp: any key but Tab, Enter and 33-40; not when read-only.
    // Change and OnSelChange come only when the RichEdit's event mask asks
    // for them (EM_SETEVENTMASK through RTBhWnd, set by the editor's owner).
    //
    // The editor's own events (arguments by reference: a handler that
    // changes them changes what the control does next, never what the
    // RichEdit receives):
    // Files dropped on the editor; the handler owns the drop handle (reads
    // the paths, then DragFinish). Without a handler the base OLEDragDrop is
    // raised with the paths.
    std::function<void(HDROP& FileHandle)> FileDrop;
    // Tab released (the editor never inserts a tab from the keyboard).
    std::function<void()> TabPress;
    // LType: why the caret may be on another line (LineEventType).
    enum LineEventType : long { NavigationKeyUp = 1, EnterUp = 2, LeftButtonUp = 3 };
    std::function<void(long& LType)> LineEvent;
    // Start of the new selection and the SEL_* selection type.
    std::function<void(long& StartPoint, long& SelType)> OnSelChange;
    std::function<void(WPARAM& wParam1)> VScroll;
    // Raised once the RichEdit has scrolled for the wheel.
    std::function<void(WPARAM& wParam1, LPARAM& lParam1)> WheelScroll;
    // A navigation key (33-40) released, instead of KeyUp; not when read-only.
    std::function<void(int& KeyCode, int Shift)> NavigationKey;
    // Part of the control's interface; the control itself never raises it.
    std::function<void()> ParentWindowMoving;

    // ---- Window ----
    // Enabled, ForeColor (the colour of the whole text), BackColor, the font
    // (FontName, FontSize: the whole text) and SetFocus are the base
    // Control's, passed on to the RichEdit.
    HWND RTBhWnd() const { return rtb_; }
    // Characters the editor takes by typing; a longer text (read from a
    // file) is shown and saved whole, but refuses every typed character.
    static constexpr long TextLimit = 8000000;
    // Keys that would change the text are swallowed; navigation still works.
    // Text set through the members below still changes.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool BooROnly) { readOnly_ = BooROnly; }
    // True: wrap at the window edge; false: no wrapping.
    bool WordWrap() const { return !noWrap_; }
    void SetWordWrap(bool BooWrap);
    std::wstring FontName() const;
    int FontSize() const;
    // Undo steps the RichEdit keeps; 0 switches undo off.
    long UndoLimit() const { return undoLimit_ >= 0 ? undoLimit_ : 100; }   // 100: the RichEdit's own
    void SetUndoLimit(long LLimit);

    // ---- Text ----
    std::wstring Text() const;
    void SetText(const std::wstring& sTxt);
    std::wstring TextRTF() const;
    void SetTextRTF(const std::wstring& sTxt);
    std::wstring SelText() const;
    // Replaces the selection, caret after the new text. The replacement is
    // undoable only when canUndo is set (commands insert without an undo
    // step; find-and-replace wants one).
    void SetSelText(const std::wstring& sTxt, bool canUndo = false);
    std::wstring SelTextRTF() const;
    // Replaces the selection (an empty string deletes it).
    void SetSelTextRTF(const std::wstring& sTxt);
    // Characters in the text, one per line break.
    long LenText() const;
    void ClearAll();

    // One replacement: characters start..end (end excluded) become text.
    struct Replacement {
        long start;
        long end;
        std::wstring text;
    };
    // Makes the replacements in the order given (the last place first keeps
    // the other places valid), each not undoable, as SetSelText makes one,
    // with no drawing, no event and no caret on the way. The caret is then
    // after the last replacement's text.
    void ReplaceRanges(const std::vector<Replacement>& edits);

    // ---- Character format of the selection ----
    void SetSelColor(COLORREF LColor);
    // The colour, and bold on or off, for the selection.
    void SetSelBold(COLORREF LColor, bool BooBold);

    // ---- Selection ----
    long SelStart() const;
    // Caret there, nothing selected.
    void SetSelStart(long CursPoint);
    long SelLength() const;
    void SelAll();
    // Collapses the selection to its start.
    void SelNone();
    void SetSelection(long LStart, long LEnd);
    void SetSelRange(long LStart, long LLen);
    void GetSelRange(long& LStart, long& LLen) const;
    void GetSelection(long& LStart, long& LEnd) const;
    void HideSel(bool IfHide);

    // ---- Lines and view ----
    long TopLine() const;
    // Puts line LTop at the top of the view, wholly shown (see ShowLineAtTop).
    void SetTopLine(long LTop);
    // Scrolls a RichEdit window of the control (shown or handed out) so that
    // line's top is the view's top, to the pixel. EM_LINESCROLL will not do:
    // Wine's RichEdit scrolls it by its default font's line height, not the
    // text's, and stops with part of a line hidden, out of step with the
    // gutter's numbers.
    static void ShowLineAtTop(HWND richEdit, long line);
    long TotalLines() const;
    long BottomLine() const;
    void Scroll(long NumLines);
    // Length of the line holding character LOffset, without its break.
    long GetLineLength(long LOffset) const;
    // With nothing selected, the length of the caret's line.
    long GetCurLineNum() const;
    // First character of a line; -1 when there is no such line.
    long GetLineIndex(long LinNumber) const;
    long GetLineFromChar(long LOffset) const;
    // Line LineNum; LIndex is its first character, or -1 to look it up.
    std::wstring GetLine(long LineNum, long LIndex) const;
    // The line holding LIndex, tabs and line breaks as blanks, trimmed.
    std::wstring GetTrimLine(long LIndex) const;

    // ---- Search and words ----
    // LOpts: 1 down, 2 whole word, 4 match case. First match inside
    // LStart..LEnd, or -1.
    long Find(const std::wstring& sText, long LStart, long LEnd, long LOpts) const;
    // Last match inside LSt..LEnd, searching up from LEnd; LOpts as for Find
    // (its down bit is dropped), or -1.
    long FindBack(const std::wstring& sFind, long LSt, long LEnd, long LOpts) const;
    // LStart up to LEnd (excluded); "" when LEnd is before LStart.
    std::wstring GetTextRange(long LStart, long LEnd) const;
    // The word that starts at the next word break right of SelSt, on its line.
    std::wstring GetNextWord(long SelSt) const;
    // The name before a "(" among the five characters before T1St, or the
    // word before T1St; LStartWord receives its start (0 when none).
    std::wstring GetLastWord(long T1St, long& LStartWord) const;

    // ---- Clipboard, undo, redraw ----
    void Cut();
    void Copy();
    void Paste();
    void Undo();
    bool CanUndo() const;
    void Redo();
    bool CanRedo() const;
    void ClearUndoBuffer();
    void LockRTB();
    void UnLockRTB();

    // ---- Document windows ----
    // Wine's RichEdit takes seconds to empty a long coloured text, and as
    // long to read one in again; a document kept alive in a RichEdit window
    // of its own comes back at once. The owner of the editor can therefore
    // keep several documents, each in its own RichEdit window inside this
    // control, and show one at a time. The control's events always come from
    // the shown window, RTBhWnd.
    //
    // A new, empty RichEdit window, hidden, set up like the shown one (font,
    // colours, wrapping, limits, undo limit, event mask); nullptr when none
    // can be made or the control has none.
    HWND NewDocumentWindow();
    // Shows window (from NewDocumentWindow, or handed out by an earlier swap)
    // in place of the shown RichEdit window, which is hidden and returned to
    // the caller, who owns it from then on (DestroyWindow, or a later swap;
    // windows still handed out go when the control goes).
    // nullptr, with nothing changed, when window is not one of this control's.
    HWND SwapDocumentWindow(HWND window);
    // Asked by the members that replace the whole text (Text, TextRTF,
    // LoadFile, ClearAll) before they empty the shown window. A handler that
    // returns true takes that window (hidden, its text untouched), and the
    // new text goes into a fresh window instead; false empties the shown
    // window as usual. The handler gets the shown window and its successor.
    std::function<bool(HWND shown, HWND successor)> KeepReplacedWindow;
    // Takes a window that a long recolouring replaced (from SwapDocumentWindow)
    // while it held undo steps, with the text its successor showed then. Once
    // the shown window has no step left and still shows that text, Undo goes
    // on in the kept window, which is shown again, past kept windows that
    // hold only Redo steps. Replacing the whole text or emptying the undo
    // buffer forgets it. Redo goes back the same way.
    void KeepUndoHistory(HWND replaced, const std::wstring& successorText);

    // ---- Files ----
    // Writes a plain text file's text into the shown window, emptied for it,
    // and returns true; false leaves the window empty for the plain text.
    using TextWriter = std::function<bool(const std::wstring& text)>;
    // Replaces the text with the file: RTF, or plain text in the encoding the
    // file's bytes call for (platform/TextFile.h), through write when given;
    // format, when given, receives how the file was written, for SaveFile.
    // A NUL of the file is kept as ModKvRTB::kNulStandIn. False, with the text
    // unchanged, when the file cannot be read, or not read exactly.
    bool LoadFile(const std::wstring& sFile, bool AsRTF, const TextWriter& write = nullptr,
                  platform::TextFormat* format = nullptr);
    // Writes the text: RTF, or plain text in format (encoding and line
    // breaks), which then notes what the file holds; without a format, as a
    // new document (CR LF, the settings' UTF-8 option). No byte-order mark
    // but the one a file came with. False when the file could not be
    // written; an existing file is then left as it was.
    bool SaveFile(const std::wstring& sFile, bool AsRTF, platform::TextFormat* format = nullptr) const;
    // The text as SaveFile writes it in format, before its encoding.
    std::wstring FileText(const platform::TextFormat& format) const;

protected:
    HWND CreateHandle(HWND parent, const RECT& px) override;
    void OnCreated() override;
    void OnDestroying() override;
    bool WantsSubclass() const override { return false; }
    // The editor takes Tab, Enter and Esc itself. The RichEdit is not asked:
    // Wine's RichEdit takes a WM_GETDLGCODE that carries the key as a sign
    // that it sits in a dialog, and from then on Esc posts WM_CLOSE to its
    // parent, the host window, which then went with the editor.
    bool WantsDialogKey(const MSG&) const override { return true; }
    void OnEnabledChanged() override;
    void OnForeColorChanged() override;
    void OnBackColorChanged() override;
    void OnFontChanged() override;

private:
    bool WholeTextIn(const wchar_t* face, long twips) const;
    static LRESULT CALLBACK HostProc(HWND, UINT, WPARAM, LPARAM);

    // ISubclassOwner: ordinal 2 is the RichEdit window.
    void SubclassBefore(int ordinal, bool& handled, LRESULT& result, HWND hwnd, UINT msg,
                        WPARAM wParam, LPARAM lParam, LONG_PTR& userValue) override;
    void SubclassAfter(int ordinal, LRESULT& result, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                       LONG_PTR& userValue) override;
    int SubclassOrdinals() const override { return 2; }

    // The control's font as a RichEdit format: face, pitch and size.
    CHARFORMATW FontFormat() const;

    bool CreateRTB(HWND host);
    HWND MakeRichEdit(HWND host);
    void ApplySettings(HWND window) const;
    bool ReplaceShownWindow();
    bool ResumeUndoHistory(UINT canStep);
    bool KeptWindowCan(UINT canStep) const;
    void DropUndoHistory();
    void EmptyForReplacement();
    void SubclassRTB();
    void UnhookRTB();
    void DestroyRTB();
    LRESULT HostWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    bool RTBWindowProc(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    bool OnKeyDown(WPARAM wp, LPARAM lp);
    bool OnKeyUp(WPARAM wp);
    bool OnChar(WPARAM wp);
    long WordBreak(int code, long pos) const;

    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;
    void SendWrap(HWND w) const;
    void StreamInText(const std::wstring& text, DWORD format, bool selectionOnly);
    std::wstring StreamOutText(DWORD format, bool selectionOnly) const;
    bool StreamInBytes(const std::string& bytes, DWORD format);
    bool StreamOutBytes(DWORD flags, std::string& bytes) const;
    template <class F, class... A> bool Raise(const F& event, A&... args);

    HWND rtb_ = nullptr;
    // Freed in DestroyRTB, after its windows and the clipboard flush.
    platform::Library richEditLib_;
    const wchar_t* richEditClass_ = L"RICHEDIT50W";
    // What the setters set, so other document windows get it too; a window
    // handed out before a later change catches up when it is shown again.
    bool backColourSet_ = false;     // the colour is the base Control's
    // The RichEdit is made with a horizontal scroll bar, so it starts
    // without wrapping; every window the control makes starts the same.
    bool noWrap_ = true;
    // The device a window without wrapping lays its lines out for (see SendWrap).
    mutable platform::MemoryDc wrapDevice_;
    long undoLimit_ = -1;            // -1: the RichEdit's own
    unsigned settingsGeneration_ = 0;
    std::map<HWND, unsigned> handedOut_;   // window -> generation it was set up to
    struct UndoHistory {
        HWND window;
        std::wstring successorText;
    };
    std::vector<UndoHistory> undoHistory_;   // oldest first; the windows are also handed out
    bool readOnly_ = false;
    bool enterEaten_ = false;   // KeyDown zeroed Enter: its character is swallowed too
    CSubclass* subclasser_ = nullptr;          // the one in use while hooked
    std::shared_ptr<bool> subclasserAlive_;
    std::unique_ptr<CSubclass> ownSubclasser_;
};
