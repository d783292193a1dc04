#pragma once
// Window subclassing: an owner object receives chosen messages of any window
// (its own controls, a RichEdit, a main form) before and/or after the
// window's own procedure, without a window procedure of its own.
//
// Each subclassed window gets a hook object of its own, chained in with the
// common controls' SetWindowSubclass, so hooks of several owners on one
// window can come and go in any order. A hook that is released while a
// message for its window is still inside it stays in the chain until the
// outermost such message returns; only then is it unhooked and freed.
#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "MsgTable.h"

// What a subclassing owner implements. `ordinal` is the number the owner gave
// to CSubclass::Subclass for this window, so one owner can serve several
// windows (KvRTB: 1 its host window, 2 its RichEdit). Exceptions thrown from
// these calls are swallowed: they never cross the window procedure.
class ISubclassOwner {
public:
    // Before the window's own procedure; handled and result come in false
    // and 0. Setting handled skips the window's procedure and the after
    // call, and the message returns result.
    virtual void SubclassBefore(int ordinal, bool& handled, LRESULT& result, HWND hwnd,
                                UINT msg, WPARAM wParam, LPARAM lParam, LONG_PTR& userValue) {}
    // After the window's own procedure; result holds its answer and may be changed.
    virtual void SubclassAfter(int ordinal, LRESULT& result, HWND hwnd,
                               UINT msg, WPARAM wParam, LPARAM lParam, LONG_PTR& userValue) {}
    // The ordinals 1..n this owner answers; Subclass refuses any other.
    virtual int SubclassOrdinals() const { return 1; }

protected:
    ~ISubclassOwner() = default;
};

class CSubclass : public ISubclassOwner {
public:
    enum When { kBefore = 1, kAfter = 2, kBoth = 3 };
    static constexpr int kAllMessages = MsgTable::kAll;

    CSubclass() = default;
    // Releases every window still subclassed (UnSubclassAll).
    ~CSubclass();
    CSubclass(const CSubclass&) = delete;
    CSubclass& operator=(const CSubclass&) = delete;

    // Hooks the window for owner (null: this object, whose calls do nothing).
    // userValue is handed to every call by reference and kept when changed.
    // When unicode points to true, it receives IsWindowUnicode of the window.
    // False, with nothing hooked, for a non-window, an ordinal the owner does
    // not answer, a window this object already hooks, or a failed hook.
    // Must run on the thread that owns the window.
    bool Subclass(HWND hwnd, LONG_PTR userValue, int ordinal, ISubclassOwner* owner,
                  bool* unicode = nullptr);
    // Stops all calls to the owner at once and unhooks the window; while a
    // message for it is in progress the unhooking waits for that message to
    // return. A window this object does not hook is ignored.
    void UnSubclass(HWND hwnd);
    // when: kBefore, kAfter or kBoth; msg -1 = every message. A full table
    // (32 messages) drops the message silently.
    void AddMsg(HWND hwnd, int msg, int when);
    // msg -1 empties the table(s).
    void DelMsg(HWND hwnd, int msg, int when);

    bool IsSubclassed(HWND hwnd) const;
    // False once this object is gone, for users that may outlive it.
    std::shared_ptr<bool> AliveToken() const { return alive_; }
    // Hook objects alive in the process, released or not (leak checks).
    static int LiveHooks();

    class Hook;

private:
    friend class Hook;
    Hook* Find(HWND hwnd) const;
    void Forget(Hook* hook);
    void UnSubclassAll();

    // In the order the windows were hooked; released last to first.
    std::vector<std::pair<HWND, Hook*>> hooks_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// Sends msg straight to the window's own (class) procedure, past every
// subclass on it, for messages that no hook wants: in Wine each message
// through a subclass costs two window-property look-ups in the server.
LRESULT SendPastSubclasses(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
