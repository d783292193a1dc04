#pragma once
// Form: a top-level window with a caption, its controls and its menu.
//
// Usage. A form is a class deriving from Form; its controls are members,
// placed in the constructor with the geometry in twips; event handlers are
// methods named Control_Event, wired in the same place. Windows are created
// by Load() (or the first Show()); Form_Load runs after every control exists.
//
//   #include "forms/Form.h"
//   #include "forms/Controls.h"
//
//   class fDemo : public forms::Form {
//   public:
//       fDemo();
//   protected:
//       void Form_Load() override;
//       void Form_Resize() override;
//       void Form_QueryUnload(int& Cancel, int UnloadMode) override;
//   private:
//       forms::Frame FrGen;
//       forms::CheckBox CkTab;
//       forms::TextBox tName;
//       forms::CommandButton bOK;
//       forms::ControlArray<forms::Label> LabSetMenu;   // LabSetMenu(0..6)
//       forms::MenuItem mFile, mExit;
//       void bOK_Click();
//       void CkTab_Click();
//       void LabSetMenu_Click(int Index);
//   };
//
//   fDemo::fDemo()
//   {
//       SetCaption(L"Demo");
//       SetClientSize(6000, 4000);                 // twips
//       FrGen.Place(*this, 120, 120, 5700, 2500);  // Left, Top, Width, Height
//       FrGen.SetCaption(L" General ");
//       CkTab.Place(FrGen, 120, 300, 4000, 255);   // relative to the frame
//       CkTab.SetCaption(L"Use spacer");
//       tName.Place(FrGen, 120, 700, 3000, 285);
//       bOK.Place(*this, 4800, 3500, 1000, 375);
//       bOK.SetCaption(L"OK");
//       bOK.SetDefault(true);
//       for (int i = 0; i < 7; ++i)
//           LabSetMenu(i).Place(*this, 120 + i * 800, 2700, 780, 255);
//       Menus.Add(mFile, L"&File");
//       mFile.Add(mExit, L"E&xit");
//
//       bOK.Click = [this] { bOK_Click(); };
//       CkTab.Click = [this] { CkTab_Click(); };
//       LabSetMenu.Click = [this](int Index) { LabSetMenu_Click(Index); };
//       mExit.Click = [this] { Unload(); };
//   }
//
//   fDemo f;
//   f.Show();                     // modeless; f.Show(forms::vbModal) waits
//   forms::RunMessageLoop();      // main loop (MessagePump.h)
//
// Keyboard handling of forms (KeyPreview, Tab, Enter = default button, Esc =
// cancel button) runs in the loops of the runtime: RunMessageLoop, a modal
// Show and DoEvents. Values set before Load are design-time values and raise
// no events; Unload puts every control back to them, so a form loaded again
// starts as designed. From Form_Load on, setting a check box, option button or list
// index from code raises Click as the user's action would.
//
// Handlers may unload the form, or even delete it: the runtime checks after
// each event whether its objects still exist. To delete the form whose event
// is running, hand it to DestroyLater.
//
// Lifetimes. A form class tears its window down first in its destructor:
//   fDemo::~fDemo() { Teardown(); }
// To drop a control or menu item at run time, Destroy() or Remove() it
// before deleting it (the arrays' Unload does). A control or menu item that
// is destroyed while still on a loaded form breaks this rule: the runtime
// reports it (with TARNEL_STRICT_LIFETIMES set, as the tests run, it aborts
// the program) and unloads the form without events; the form can be loaded
// again.
#include "Control.h"
#include "Menu.h"
#include "Runtime.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace forms {

LRESULT CALLBACK FormWndProc(HWND, UINT, WPARAM, LPARAM);

enum class FormBorderStyle {
    None = 0,
    FixedSingle = 1,
    Sizable = 2,
    FixedDialog = 3,
    FixedToolWindow = 4,
    SizableToolWindow = 5,
};
enum class FormStartUpPosition { Manual = 0, CenterOwner = 1, CenterScreen = 2, WindowsDefault = 3 };
enum class FormWindowState { Normal = 0, Minimized = 1, Maximized = 2 };

class Form : public Window, public Container {
public:
    Form();
    virtual ~Form();

    // ---- Life cycle ----
    // Creates the window (hidden) and every placed control, then raises
    // Form_Load. True when the form is loaded.
    bool Load();
    bool Loaded() const { return hwnd != nullptr; }
    // Loads if needed and shows. vbModal disables the other windows of this
    // thread (owner included) and returns once the form is hidden or unloaded.
    void Show(int modal = vbModeless, HWND owner = nullptr);
    void Show(int modal, Form& owner) { Show(modal, owner.hwnd); }
    void Hide();
    // QueryUnload and Unload events with the mode, then the window goes.
    // False when a handler cancelled.
    bool Unload(int unloadMode = vbFormCode);
    // Destroys the window without raising any event; the form can be loaded
    // again. A form class calls it first in its destructor, so that no event
    // reaches it while its controls and menu items are being destroyed.
    void Teardown();

    // ---- Properties ----
    std::wstring Caption() const;
    void SetCaption(const std::wstring& caption);
    // Outer window geometry in twips, screen coordinates.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int v) { Move(v, kKeep); }
    void SetTop(int v) { Move(kKeep, v); }
    void SetWidth(int v) { Move(kKeep, kKeep, v); }
    void SetHeight(int v) { Move(kKeep, kKeep, kKeep, v); }
    bool Move(int left, int top = kKeep, int width = kKeep, int height = kKeep);
    // Client area in twips (ScaleLeft and ScaleTop are 0).
    int ScaleLeft() const { return 0; }
    int ScaleTop() const { return 0; }
    int ScaleWidth() const;
    int ScaleHeight() const;
    // Sizes the window so that its client area is w x h twips.
    void SetClientSize(int w, int h);
    FormWindowState WindowState() const;
    void SetWindowState(FormWindowState state);
    bool Visible() const;
    bool Enabled() const;
    void SetEnabled(bool v);
    // Form_KeyDown/KeyUp/KeyPress see keys before the focused control.
    bool KeyPreview = false;
    OleColor BackColor() const { return backColor_; }
    void SetBackColor(OleColor c);
    FontSpec Font() const { return font_; }
    void SetFont(const FontSpec& f) { font_ = f; } // default of controls placed later
    // Set before Load.
    FormBorderStyle BorderStyle = FormBorderStyle::Sizable;
    bool ControlBox = true;
    bool MinButton = true;
    bool MaxButton = true;
    bool ShowInTaskbar = true;
    // Manual: Left and Top as set (setting them before Load chooses it).
    FormStartUpPosition StartUpPosition = FormStartUpPosition::WindowsDefault;
    // Icon for the caption and task bar (not owned).
    void SetIcon(HICON icon);
    std::wstring Tag;

    // ---- Methods (SetFocus, ZOrder and Refresh: Window.h) ----
    // The control that has the focus, or null.
    Control* ActiveControl() const;
    // Shows the children of menu as a popup menu at the mouse (x, y < 0) or at
    // x, y twips in the client area; the picked item's Click runs before return.
    void PopupMenu(MenuItem& menu, int x = -1, int y = -1);
    // The menu bar: add the top-level menus here.
    MenuItem Menus;
    // Every control placed on this form (and its frames), in placing order.
    const std::vector<Control*>& Controls() const { return controls_; }

    // ---- Container ----
    HWND ContainerHwnd() const override { return hwnd; }
    Form* ContainerForm() override { return this; }
    bool EnsureContainerCreated() override { return Load(); }
    FontSpec ContainerFont() const override { return font_; }
    OleColor ContainerBackColor() const override { return backColor_; }

    // ---- For the runtime ----
    void RegisterControl(Control* c);
    void UnregisterControl(Control* c);
    // Tab and Shift+Tab order: next control that can take the focus.
    Control* NextTabControl(Control* from, bool backwards) const;
    // Keyboard handling before dispatch (menu shortcuts, KeyPreview, Tab,
    // Enter, Esc); true when msg was consumed. Called by the message pump
    // through the window.
    bool PreTranslate(MSG& msg);
    // The accelerator step for this form's menus (RunMenuShortcut), for
    // controls that see keys before the message loop does (the editor).
    bool RunShortcut(const MSG& msg);
    // True while the window is going without events (Teardown, a quiet
    // unload): handlers must not run.
    bool Quiet() const { return quiet_; }
    std::shared_ptr<bool> AliveToken() const { return alive_; }
    // The Form whose window this is (this module's forms only), or null.
    static Form* FromHwnd(HWND w);

protected:
    // ---- Events ----
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    // The form or the whole program lost the activation: what it shows while
    // the mouse is over it (a tip, a hover look) must not stay on screen over
    // the window the user went to. The form's own tool tip is hidden already.
    virtual void HideHoverInfo() {}
    virtual void Form_Resize() {}
    virtual void Form_Paint(HDC dc) {}
    virtual void Form_QueryUnload(int& Cancel, int UnloadMode) {}
    virtual void Form_Unload(int& Cancel) {}
    virtual void Form_KeyDown(int& KeyCode, int Shift) {}
    virtual void Form_KeyUp(int& KeyCode, int Shift) {}
    virtual void Form_KeyPress(int& KeyAscii) {}
    virtual void Form_Click() {}
    virtual void Form_DblClick() {}
    virtual void Form_MouseDown(int Button, int Shift, int X, int Y) {}
    virtual void Form_MouseUp(int Button, int Shift, int X, int Y) {}
    virtual void Form_MouseMove(int Button, int Shift, int X, int Y) {}
    virtual void Form_OLEDragDrop(const std::vector<std::wstring>& Files, int Button, int Shift,
                                  int X, int Y) {}
    // Any other window message of the form (WM_HOTKEY, WM_TIMER, ...): return
    // true with result set to handle it.
    virtual bool Form_Message(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }
    // Accept files dropped from the shell (raises Form_OLEDragDrop).
    using Window::SetOLEDropMode;

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    // Its steps: the runtime's own messages, the window going, the routing
    // to the form's events, children and drawn controls, then the form's
    // own handling of each message. The handlers with an answer put it in r
    // and return true; false leaves the message to the default handling.
    bool RuntimeMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& r);
    void WindowGoing();
    bool RouteMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& r);
    bool Dispatch(UINT msg, WPARAM wp, LPARAM lp, LRESULT& r);
    bool OnMenuMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnSize(WPARAM wp, LPARAM lp);
    void OnActivate(WPARAM wp);
    void OnLostActivation();
    void RestoreFocus();
    void OnPaint();
    bool OnKey(UINT msg, WPARAM wp);
    void OnMouseButton(UINT msg, WPARAM wp, LPARAM lp);
    void OnDropFiles(WPARAM wp);
    bool CreateWindowNow();
    void CreateControls();
    // Makes the windows of controls that waited to be shown and now may
    // (Control::WindowWhenShown).
    void CreateWaitingControls();
    void RunModalLoop();
    void ApplyStartUpPosition(HWND owner);
    DWORD WindowStyle() const;
    DWORD WindowExStyle() const;
    bool ClickButton(bool defaultButton);
    void EndModal();
    HWND EnsureToolTip();
    Control* FindControlFor(HWND w) const;

    std::wstring caption_;
    int left_ = 0, top_ = 0, width_ = 6000, height_ = 4500; // twips, before load
    OleColor backColor_ = vbButtonFace;
    FontSpec font_;
    HICON icon_ = nullptr;
    bool quiet_ = false;
    bool loading_ = false;
    bool resizedSinceShow_ = false;
    bool shownOnce_ = false;
    // From its load to its first showing, the runtime-drawn controls placed
    // straight on the form are made and kept hidden; the first showing draws
    // them with the form (Form.cpp).
    bool holdingOwn_ = false;
    int modalDepth_ = 0;
    FormWindowState pendingState_ = FormWindowState::Normal;
    int clientW_ = -1, clientH_ = -1; // asked for before the window existed
    bool designSaved_ = false;
    std::wstring designCaption_;
    OleColor designBackColor_ = vbButtonFace;
    int lastCx_ = -1, lastCy_ = -1, lastSizeType_ = -1; // size of the last Form_Resize
    std::vector<HWND> disabledByModal_;
    std::vector<Control*> controls_;
    HWND toolTip_ = nullptr;
    HWND lastFocus_ = nullptr;
    BrushHandle backBrush_;
    std::shared_ptr<bool> alive_;
    friend class Control;
    friend LRESULT CALLBACK FormWndProc(HWND, UINT, WPARAM, LPARAM);
};

// Every loaded form of this module (the Forms collection).
std::vector<Form*> LoadedForms();

// Runs step once the event that is running has returned, from whatever
// message loop runs next; steps run in the order given.
void RunLater(std::function<void()> step);
// Destroys form once the event that is running has returned (the form's own
// handlers may be on the stack), from whatever message loop runs next; then
// calls whenGone.
void DestroyLater(std::unique_ptr<Form> form, std::function<void()> whenGone = nullptr);

} // namespace forms
