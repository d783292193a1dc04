#pragma once
// Shortcut: the key of a menu item (Ctrl+S, F5, Ctrl+Shift+F, Del), parsed
// from and shown as the text a menu shows after its caption. Needs no window.
#include <windows.h>

#include <string>

namespace forms {

struct Shortcut {
    UINT Key = 0;   // virtual-key code; 0: none
    int Shift = 0;  // vbShiftMask | vbCtrlMask | vbAltMask
    explicit operator bool() const { return Key != 0; }
    bool operator==(const Shortcut& o) const { return Key == o.Key && Shift == o.Shift; }
    bool operator!=(const Shortcut& o) const { return !(*this == o); }
};

// "Ctrl+S", "shift+ctrl+f3", "Del", "Alt+Bksp": modifiers in any order and
// case, then one key (A-Z, 0-9, F1-F24, Del, Ins, Home, End, PgUp, PgDn,
// Left, Right, Up, Down, Enter, Esc, Tab, Space, Bksp). An empty text is no
// shortcut; *ok (when given) turns false for a text that names no key.
Shortcut ParseShortcut(const std::wstring& text, bool* ok = nullptr);
// The text shown in menus: modifiers as Ctrl+Shift+Alt+, then the key name
// ("Ctrl+Shift+S", "F5", "Del"); "" for no shortcut.
std::wstring ShortcutText(Shortcut s);

} // namespace forms
