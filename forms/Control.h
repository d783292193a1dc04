#pragma once
// Control: the base of every control a form hosts, the runtime's own and the
// user controls written elsewhere (KvRTB, KvListBox, ButSilver2).
//
// A control is placed on a container (the form, a Frame or a PictureBox) with
// its geometry in twips relative to the container; its window is created when
// the form loads (or at once when the container already exists). Properties
// set before that are kept and applied at creation.
//
// A user control derives from Control and implements CreateHandle(): create
// its outer window as a child of `parent` at the given pixel rectangle and
// return it. It may create any child windows of its own inside it. It may
// override OnParentMessage() to see WM_COMMAND, WM_NOTIFY, WM_DRAWITEM,
// WM_MEASUREITEM, WM_CTLCOLOR* ... that its container receives for it, and
// OnMoved() to lay out its insides after a move.
//
// To drop a control at run time while its form stays, call Destroy() before
// deleting it (ControlArray::Unload does). A control destroyed with its
// window still up is a fault of its owner (see Form.h: lifetimes).
#include "Runtime.h"
#include "Window.h"

#include <windows.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace forms {

class Form;
class Control;

// Argument of Move() that keeps the current value.
constexpr int kKeep = INT_MIN;

struct FontSpec {
    std::wstring Name = L"MS Sans Serif";
    float Size = 8.0f; // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool operator==(const FontSpec& o) const
    {
        return Name == o.Name && Size == o.Size && Bold == o.Bold && Italic == o.Italic &&
               Underline == o.Underline;
    }
};

// An HFONT made from a FontSpec. Handles of the same spec share one font,
// which goes with the last of them: a form's many controls mostly share a
// few fonts, and each font made costs time at a form's load.
class FontHandle {
public:
    FontHandle() = default;
    FontHandle(const FontHandle&) = delete;
    FontHandle& operator=(const FontHandle&) = delete;
    HFONT Get(const FontSpec& spec); // (re)made when the font spec changed
    HFONT Handle() const { return font_; }

private:
    HFONT font_ = nullptr;
    FontSpec spec_;
    std::shared_ptr<void> shared_;   // holds font_
};

// A solid brush of an OLE colour; owned.
class BrushHandle {
public:
    BrushHandle() = default;
    ~BrushHandle();
    BrushHandle(const BrushHandle&) = delete;
    BrushHandle& operator=(const BrushHandle&) = delete;
    HBRUSH Get(OleColor color);

private:
    HBRUSH brush_ = nullptr;
    COLORREF color_ = 0;
};

// Something that holds controls: Form, Frame, PictureBox.
class Container {
public:
    virtual ~Container() = default;
    virtual HWND ContainerHwnd() const = 0;
    virtual Form* ContainerForm() = 0;
    // Creates the container's window (and its own container's) when possible.
    virtual bool EnsureContainerCreated() = 0;
    // Font a control placed here takes when it has none of its own.
    virtual FontSpec ContainerFont() const = 0;
    virtual OleColor ContainerBackColor() const = 0;
};

class Control : public Window {
public:
    Control();
    virtual ~Control();

    // ---- Placement ----
    // Puts the control on a container with its geometry in twips. Creates the
    // window at once when the container's window exists, else at Form::Load.
    Control& Place(Container& parent, int left, int top, int width, int height);
    Container* Parent() const { return parent_; }
    Form* OwnerForm() const;
    // Creates the window now if the container allows; true when it exists.
    bool EnsureCreated();
    // Set before Load: a control that starts hidden gets its window, and
    // the controls inside it theirs, only when first shown, since a form's
    // load costs time for every window made. Until then its properties keep
    // their values as before Load, and it raises no events.
    bool WindowWhenShown = false;
    // True while this control or a container around it waits so.
    bool WaitsToBeShown() const;
    // Destroys the window (the control can be created again later).
    void Destroy();
    // Whether the control is made: its window exists, or, for a drawn
    // control without a window (Windowless), its form made it.
    bool Made() const { return hwnd || drawnMade_; }

    // ---- Geometry (twips, relative to the container) ----
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { Move(v, kKeep); }
    void SetTop(int v) { Move(kKeep, v); }
    void SetWidth(int v) { Move(kKeep, kKeep, v); }
    void SetHeight(int v) { Move(kKeep, kKeep, kKeep, v); }
    // kKeep keeps a value. A negative width or height is refused: nothing
    // moves and false is returned.
    bool Move(int left, int top = kKeep, int width = kKeep, int height = kKeep);
    // Pixel rectangle inside the container's client area.
    RECT PixelRect() const;

    // ---- Common properties ----
    bool Visible() const;
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    std::wstring Tag;
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int v) { tabIndex_ = v; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool v) { tabStop_ = v; }
    const std::wstring& ToolTipText() const { return toolTip_; }
    void SetToolTipText(const std::wstring& text);
    FontSpec Font() const;
    void SetFont(const FontSpec& f);
    void SetFontName(const std::wstring& name);
    void SetFontSize(float points);
    void SetFontBold(bool bold);
    OleColor ForeColor() const { return foreColor_; }
    void SetForeColor(OleColor c);
    OleColor BackColor() const { return backColor_; }
    void SetBackColor(OleColor c);
    // Index in its control array, -1 when not in one.
    int Index() const { return index_; }
    // The pointer over the control; Custom shows MouseIcon (not owned). The
    // screen's hourglass wins over both.
    MousePointer GetMousePointer() const { return mousePointer_; }
    void SetMousePointer(MousePointer p) { mousePointer_ = p; }
    HCURSOR MouseIcon() const { return mouseIcon_; }
    void SetMouseIcon(HCURSOR icon) { mouseIcon_ = icon; }

    // SetFocus: Window.h.
    // Accept files dropped from the shell (raises OLEDragDrop); 0 none, 1 manual.
    void SetOLEDropMode(int mode);
    // 0: to the front of its siblings; 1: to the back.
    void ZOrder(int position = 0);
    void Refresh();
    // The control's window or one of its child windows has the focus.
    bool HasFocus() const;
    // hwnd or a window inside it belongs to this control.
    bool Owns(HWND w) const;

    // ---- Events (set them in the form's constructor) ----
    std::function<void()> Click, DblClick, Change, GotFocus, LostFocus;
    std::function<void(int& KeyCode, int Shift)> KeyDown, KeyUp;
    std::function<void(int& KeyAscii)> KeyPress;
    // X and Y in twips inside the control.
    std::function<void(int Button, int Shift, int X, int Y)> MouseDown, MouseUp, MouseMove;
    std::function<void(const std::vector<std::wstring>& Files, int Button, int Shift, int X, int Y)>
        OLEDragDrop;

    // ---- For the runtime and derived controls ----
    // A control without a window of its own (label, image, line, shape): its
    // container's window draws it, passes it the mouse messages over it and
    // shows it to accessibility clients. Such controls always lie below the
    // windowed controls of their container. hwnd stays null.
    virtual bool Windowless() const { return false; }
    // The window that draws a windowless control (its container's).
    HWND ContainerWindow() const;
    // A windowless control's rectangle in its container window's pixels,
    // and, where it is not the whole rectangle, the part it covers as a
    // region in its own pixels (the caller deletes it).
    virtual RECT DrawnRect() const { return PixelRect(); }
    virtual HRGN DrawnRegion() const { return nullptr; }
    // Mouse messages over it go to what lies below (a line, a shape).
    virtual bool MouseTransparent() const { return false; }
    // Front-to-back order among the windowless controls of a container: the
    // lower, the nearer the front.
    long ZKey() const { return zKey_; }
    // A mouse message of the container window over a windowless control; at
    // is the point in the control's pixels. A left button's release clicks
    // it when the press was on it too (pressedHere).
    bool HandleDrawnMouse(UINT msg, WPARAM wp, POINT at, bool pressedHere, LRESULT& result);
    // What accessibility clients are told: its name and role (ROLE_SYSTEM_*).
    virtual std::wstring AccessibleName() const { return toolTip_; }
    virtual long AccessibleRole() const { return 0x28; } // graphic
    // Whether Tab can move the focus here now (visible, enabled, tab stop).
    virtual bool CanTabTo() const;
    virtual bool IsFocusable() const { return true; }
    // Whether the focused window of this control takes Tab, Enter or Esc
    // itself (msg is the key-down message) instead of the form using it for
    // moving the focus and the default and cancel buttons. By default the
    // window is asked through WM_GETDLGCODE, so an editor that wants Tab or
    // Enter keeps it.
    virtual bool WantsDialogKey(const MSG& msg) const;
    // Called by the container's window for messages about this control.
    // Return true with result set to handle them.
    virtual bool OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    void SetIndexInArray(int index) { index_ = index; }
    // Raises the events; each returns false when the control or its form was
    // destroyed by the handler (then touch nothing more).
    bool FireClick();
    bool FireDblClick();
    bool FireChange();
    // Common window messages of a control's window (keys, mouse, focus,
    // cursor, dropped files). Returns true when the message was eaten.
    bool HandleCommonMessage(HWND w, UINT msg, WPARAM& wp, LPARAM lp, LRESULT& result);
    // Messages of a window of the runtime's own classes (label, frame,
    // picture box, image, shape, line), and of a subclassed control's own
    // window, before the common handling.
    virtual bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }
    // The end of one of the control's windows (its own or a hooked child),
    // from the window's subclass or the runtime's own window procedure:
    // WM_DESTROY, and WM_NCDESTROY after its default handling.
    void WindowDestroying(HWND w);
    void WindowDestroyed(HWND w);
    // Passes a mouse message of one of the runtime's own windows to the
    // form's tool tip, which has no subclass on them.
    void RelayToToolTip(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    // Liveness token: false once the object is destroyed.
    std::shared_ptr<bool> AliveToken() const { return alive_; }

protected:
    // Create the window as a child of parent at px (pixels); return it or null.
    virtual HWND CreateHandle(HWND parent, const RECT& px) = 0;
    // The window exists: apply stored state (items, text, values).
    virtual void OnCreated() {}
    // The window is about to go: read back state into members.
    virtual void OnDestroying() {}
    // Design-time state: taken when the window is first made and put back
    // when the form unloads, so that a form loaded again starts as designed.
    // Controls with state of their own extend both.
    virtual void SaveDesignState();
    virtual void RestoreDesignState();
    virtual void OnMoved() {}
    // The window's rectangle for the control's place px (pixels in the
    // container): a combo box's window holds its opened list too.
    virtual RECT WindowRectFor(const RECT& px) const { return px; }
    // A common property changed (the window may not exist yet): controls
    // that wrap an inner window pass the new value on to it.
    virtual void OnEnabledChanged() {}
    virtual void OnForeColorChanged() {}
    virtual void OnBackColorChanged() {}
    virtual void OnFontChanged() {}
    // Standard windows get a subclass that raises the key, mouse and focus
    // events; controls that handle them in their own window procedure say no.
    virtual bool WantsSubclass() const { return true; }
    // Extra child windows that should raise this control's events (e.g. the
    // edit field of a combo box).
    virtual void HookChildWindows() {}
    void HookWindow(HWND w);
    // Creates the control's window of windowClass as a child of parent at px,
    // with the control's id.
    HWND CreateChildWindow(DWORD exStyle, const wchar_t* windowClass, const wchar_t* text,
                           DWORD style, HWND parent, const RECT& px);
    // Repaints the window (when it exists) after a property that shows changed.
    void Invalidate();
    HFONT FontHandleNow();
    HBRUSH BackBrush();
    // Applies fore and back colours for WM_CTLCOLOR*.
    LRESULT CtlColor(HDC dc);
    bool HasOwnFont() const { return hasFont_; }
    int ControlId() const { return id_; }
    // Called by the runtime when the window was destroyed from outside.
    void Detach();

    bool visible_ = true;
    bool enabled_ = true;
    bool tabStop_ = true;
    OleColor foreColor_ = vbButtonText;
    OleColor backColor_ = vbButtonFace;

private:
    friend class Form;
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    // Whether window w (of the runtime's own class; null: one about to be made)
    // on parent waits hidden for its form's first showing.
    bool HeldByForm(HWND parent, HWND w) const;
    void ApplyToolTip();
    // The MouseDown, MouseUp or MouseMove handler of a mouse message, given
    // its buttons and keys (empty when the control has none): call it with
    // the point in twips inside the control.
    std::function<void(int X, int Y)> MouseEventFor(UINT msg, WPARAM wp) const;
    // WM_SETCURSOR: sets the pointer its MousePointer asks for; false to
    // leave the class's own.
    bool SetPointer(LRESULT& result) const;
    void Unhook();
    void ApplyFont(bool repaint = true);
    // Repaints a windowless control's place (or the rectangle r) in its
    // container.
    void InvalidateDrawn() const;
    void InvalidateDrawn(const RECT& r) const;
    // Takes the tool (owner, id) out of the form's tip window, where it has one.
    void RemoveTip(HWND owner, UINT_PTR id) const;
    // Raises ev unless the window is not made yet or the form is quiet; false
    // when the handler destroyed the control.
    bool FireEvent(const std::function<void()>& ev);

    Container* parent_ = nullptr;
    bool waited_ = false;   // passed over by its form's load
    bool drawnMade_ = false; // a windowless control made by its form
    long zKey_ = 0;
    Form* form_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    int tabIndex_ = 0;
    int index_ = -1;
    int id_ = 0;
    MousePointer mousePointer_ = MousePointer::Default;
    HCURSOR mouseIcon_ = nullptr;
    std::wstring toolTip_;
    bool hasFont_ = false;
    FontSpec font_;
    FontHandle fontHandle_;
    BrushHandle backBrush_;
    std::vector<HWND> hooked_;
    std::shared_ptr<bool> alive_;
    struct CommonState;
    std::unique_ptr<CommonState> design_;
};

// The Control a window belongs to (the control's own window or a hooked
// child), or null.
Control* ControlFromHwnd(HWND w);

} // namespace forms
