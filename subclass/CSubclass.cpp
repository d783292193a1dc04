#include "CSubclass.h"

#include <commctrl.h>

#include <algorithm>
#include <new>

namespace {
int g_liveHooks = 0;
}

// One subclassed window. It belongs to its CSubclass while active; once
// released it belongs to itself and is freed when no message for its window
// is inside it any more.
class CSubclass::Hook {
public:
    enum State { kActive = 0, kReleased = 1, kWindowDestroyed = 0x8000 };

    Hook(CSubclass* home, HWND hwnd, ISubclassOwner* owner, int ordinal, LONG_PTR userValue)
        : home_(home), hwnd_(hwnd), owner_(owner), ordinal_(ordinal), userValue_(userValue)
    {
        ++g_liveHooks;
    }
    ~Hook() { --g_liveHooks; }
    Hook(const Hook&) = delete;
    Hook& operator=(const Hook&) = delete;

    bool Install()
    {
        chained_ = SetWindowSubclass(hwnd_, &Hook::Proc, reinterpret_cast<UINT_PTR>(this),
                                     reinterpret_cast<DWORD_PTR>(this)) != FALSE;
        return chained_;
    }

    // Called by the home object, which forgets the hook at the same time.
    void Release()
    {
        home_ = nullptr;
        state_ = kReleased;
        before_.Clear();
        after_.Clear();
        if (busy_ == 0)
            Unhook();   // deletes this
    }

    MsgTable& Before() { return before_; }
    MsgTable& After() { return after_; }

private:
    void Unchain()
    {
        if (chained_)
            RemoveWindowSubclass(hwnd_, &Hook::Proc, reinterpret_cast<UINT_PTR>(this));
        chained_ = false;
    }
    void Unhook()
    {
        Unchain();
        delete this;
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR, DWORD_PTR ref)
    {
        return reinterpret_cast<Hook*>(ref)->Handle(hwnd, msg, wParam, lParam);
    }

    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        ++busy_;
        LRESULT result = 0;
        if (state_ != kActive) {
            result = DefSubclassProc(hwnd, msg, wParam, lParam);
        } else {
            bool handled = false;
            if (before_.Has(msg)) {
                try {
                    owner_->SubclassBefore(ordinal_, handled, result, hwnd, msg, wParam, lParam,
                                           userValue_);
                } catch (...) {
                }
            }
            if (!handled) {
                result = DefSubclassProc(hwnd, msg, wParam, lParam);
                // The before call or the window's own procedure may have
                // released the hook; Release empties the tables, so a
                // released owner hears nothing more.
                if (after_.Has(msg)) {
                    try {
                        owner_->SubclassAfter(ordinal_, result, hwnd, msg, wParam, lParam,
                                              userValue_);
                    } catch (...) {
                    }
                }
            }
        }
        --busy_;
        if (msg == WM_NCDESTROY && state_ == kActive) {
            // The window is gone: nobody may reach this hook by its handle any
            // more, since the handle value can be reused for a new window.
            state_ = kWindowDestroyed;
            before_.Clear();
            after_.Clear();
            if (home_) {
                home_->Forget(this);
                home_ = nullptr;
            }
        }
        // Leave the chain while the window still exists, even inside an outer
        // message of it: after WM_NCDESTROY the handle is dead.
        if (msg == WM_NCDESTROY)
            Unchain();
        if (busy_ == 0 && state_ != kActive)
            Unhook();   // deletes this; nothing below may touch a member
        return result;
    }

    CSubclass* home_;
    HWND hwnd_;
    ISubclassOwner* owner_;
    int ordinal_;
    LONG_PTR userValue_;
    MsgTable before_;
    MsgTable after_;
    int busy_ = 0;     // messages for the window currently inside the hook
    int state_ = kActive;
    bool chained_ = true;
};

CSubclass::~CSubclass()
{
    *alive_ = false;
    UnSubclassAll();
}

int CSubclass::LiveHooks()
{
    return g_liveHooks;
}

bool CSubclass::Subclass(HWND hwnd, LONG_PTR userValue, int ordinal, ISubclassOwner* owner,
                         bool* unicode)
{
    if (!IsWindow(hwnd))
        return false;
    if (!owner)
        owner = this;
    if (ordinal < 1 || ordinal > owner->SubclassOrdinals())
        return false;
    if (Find(hwnd))
        return false;
    if (unicode && *unicode)
        *unicode = IsWindowUnicode(hwnd) != FALSE;
    auto* hook = new (std::nothrow) Hook(this, hwnd, owner, ordinal, userValue);
    if (!hook)
        return false;
    if (!hook->Install()) {
        delete hook;
        return false;
    }
    hooks_.emplace_back(hwnd, hook);
    return true;
}

void CSubclass::UnSubclass(HWND hwnd)
{
    Hook* hook = Find(hwnd);
    if (!hook)
        return;
    Forget(hook);
    hook->Release();
}

void CSubclass::AddMsg(HWND hwnd, int msg, int when)
{
    Hook* hook = Find(hwnd);
    if (!hook)
        return;
    if (when & kBefore)
        hook->Before().Add(msg);
    if (when & kAfter)
        hook->After().Add(msg);
}

void CSubclass::DelMsg(HWND hwnd, int msg, int when)
{
    Hook* hook = Find(hwnd);
    if (!hook)
        return;
    if (when & kBefore)
        hook->Before().Del(msg);
    if (when & kAfter)
        hook->After().Del(msg);
}

bool CSubclass::IsSubclassed(HWND hwnd) const
{
    return Find(hwnd) != nullptr;
}

CSubclass::Hook* CSubclass::Find(HWND hwnd) const
{
    for (const auto& entry : hooks_) {
        if (entry.first == hwnd)
            return entry.second;
    }
    return nullptr;
}

void CSubclass::Forget(Hook* hook)
{
    hooks_.erase(std::remove_if(hooks_.begin(), hooks_.end(),
                                [hook](const auto& entry) { return entry.second == hook; }),
                 hooks_.end());
}

void CSubclass::UnSubclassAll()
{
    // Releasing may run no window code, but take the list first anyway so a
    // release cannot disturb the walk.
    std::vector<std::pair<HWND, Hook*>> all;
    all.swap(hooks_);
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        it->second->Release();
}

LRESULT SendPastSubclasses(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto own = reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC));
    return own ? CallWindowProcW(own, hwnd, msg, wParam, lParam) : 0;
}
