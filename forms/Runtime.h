#pragma once
// Program-wide services of the form runtime that need no form: twips, the
// program folder, colours, message and input boxes, the clipboard, the
// hourglass pointer, DoEvents and the string table.
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/Module.h"

namespace forms {

// ---- Numeric constants used by forms code ---------------------------------
// Show styles.
constexpr int vbModeless = 0;
constexpr int vbModal = 1;
// QueryUnload modes.
constexpr int vbFormControlMenu = 0; // the user closed the window (close box, system menu)
constexpr int vbFormCode = 1;        // Unload() from code
constexpr int vbAppWindows = 2;      // Windows session ends
constexpr int vbAppTaskManager = 3;  // the task list closes the program
constexpr int vbFormMDIForm = 4;
constexpr int vbFormOwner = 5;       // the owner form is unloading
// Message box buttons, icons and default button; the values are the MB_ flags.
constexpr int vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3,
              vbYesNo = 4, vbRetryCancel = 5;
constexpr int vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64;
constexpr int vbDefaultButton1 = 0, vbDefaultButton2 = 256, vbDefaultButton3 = 512;
constexpr int vbSystemModal = 4096;
// Message box results (the ID values).
constexpr int vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7;
// Check box values.
constexpr int vbUnchecked = 0, vbChecked = 1, vbGrayed = 2;
// Shift state bits of key and mouse events; mouse buttons.
constexpr int vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4;
constexpr int vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4;
// Mouse pointers (Screen.MousePointer, a control's MousePointer). Custom
// shows the control's MouseIcon.
enum class MousePointer { Default = 0, Arrow = 1, Hourglass = 11, Custom = 99 };
// Border of a control (label, frame, picture box, image, text box, list box).
enum class Border { None = 0, FixedSingle = 1 };
// How a label places its caption.
enum class Align { Left = 0, Right = 1, Center = 2 };

// ---- Colours ----------------------------------------------------------------
// An OLE colour: 0x00BBGGRR, or 0x800000nn for system colour nn.
using OleColor = std::uint32_t;
constexpr OleColor vbBlack = 0x000000, vbWhite = 0xFFFFFF, vbRed = 0x0000FF,
                   vbGreen = 0x00FF00, vbBlue = 0xFF0000;
constexpr OleColor vbScrollBars = 0x80000000, vbDesktop = 0x80000001,
                   vbWindowBackground = 0x80000005, vbWindowFrame = 0x80000006,
                   vbWindowText = 0x80000008, vbHighlight = 0x8000000D,
                   vbHighlightText = 0x8000000E, vbButtonFace = 0x8000000F,
                   vbButtonShadow = 0x80000010, vbGrayText = 0x80000011,
                   vbButtonText = 0x80000012, vb3DHighlight = 0x80000014,
                   vb3DDKShadow = 0x80000015, vbInfoText = 0x80000017,
                   vbInfoBackground = 0x80000018;
// The COLORREF an OLE colour stands for now (system colours resolved).
COLORREF ToColorRef(OleColor c);

// ---- Twips (1/1440 inch) --------------------------------------------------
// The screen's pixels per inch (its logical DPI), read once; 96 when the
// screen does not say. Points to pixels go through ScreenDpiY too.
int ScreenDpiX();
int ScreenDpiY();
// Twips per screen pixel, from the screen's DPI: 15 at 96 DPI, 12 at 120 DPI.
int TwipsPerPixelX();
int TwipsPerPixelY();
int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);
int PixelsToTwipsX(int pixels);
int PixelsToTwipsY(int pixels);

// ---- Program folder ---------------------------------------------------------
// The module this runtime is linked into (the exe, or the DLL for a DLL's
// forms), and the other module lookups: platform/Module.h.
using platform::ModuleFolder;
using platform::ModuleOfAddress;
using platform::ModulePath;
using platform::ThisModule;
// App.Path: the folder of the module holding the calling forms code.
std::wstring AppPath();

// ---- Message box and input box -------------------------------------------
// The title message and input boxes use when none is given.
void SetAppTitle(const std::wstring& title);
std::wstring AppTitle();
// style: buttons + icon + default button (the vb constants above); returns vbOK,
// vbCancel, vbYes, vbNo, ... The owner defaults to this thread's active window.
int MsgBox(const std::wstring& prompt, int style = vbOKOnly, const std::wstring& title = L"",
           HWND owner = nullptr);
// A modal dialog with the prompt, a text field holding the default text, OK and
// Cancel. Returns the text on OK, "" on Cancel or close (then *cancelled = true).
std::wstring InputBox(const std::wstring& prompt, const std::wstring& title = L"",
                      const std::wstring& defaultText = L"", HWND owner = nullptr,
                      bool* cancelled = nullptr);
// Control ids inside the input box, for tests and automation.
constexpr int kInputBoxPromptId = 1001;
constexpr int kInputBoxTextId = 1002;

// ---- Clipboard (Unicode text) --------------------------------------------
std::wstring ClipboardGetText();
bool ClipboardSetText(const std::wstring& text);
bool ClipboardClear();
bool ClipboardHasText();

// ---- Mouse pointer --------------------------------------------------------
// Screen.MousePointer: forms windows keep the wait cursor while it is
// Hourglass.
void SetScreenMousePointer(MousePointer pointer);
MousePointer ScreenMousePointer();
// Shows the hourglass for the life of the object; scopes nest.
class Hourglass {
public:
    Hourglass();
    ~Hourglass();
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    MousePointer previous_;
};

// ---- Messages and resources ---------------------------------------------
// Lets every pending window message of this thread run (keyboard handling of
// forms included). A WM_QUIT seen is posted again for the main loop.
void DoEvents();
// String id of the string table of a module (default: the module holding the
// calling forms code); "" when missing.
std::wstring LoadResString(UINT id, HMODULE module = nullptr);

// Current key shift state as vbShiftMask | vbCtrlMask | vbAltMask bits.
int KeyShiftState();

} // namespace forms
