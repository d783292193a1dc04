#pragma once
// Owns one COM reference: released when the holder goes.
#include <unknwn.h>

#include <utility>

namespace platform {

template <class T>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef& other) : p_(other.p_) { if (p_) p_->AddRef(); }
    ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~ComRef() { Reset(); }
    ComRef& operator=(ComRef other) noexcept { std::swap(p_, other.p_); return *this; }

    // Takes over a reference the caller already holds.
    static ComRef Attach(T* p) { ComRef r; r.p_ = p; return r; }
    // Adds a reference of its own.
    static ComRef Share(T* p) { ComRef r; r.p_ = p; if (p) p->AddRef(); return r; }

    void Reset() { if (T* p = std::exchange(p_, nullptr)) p->Release(); }
    T** Out() { Reset(); return &p_; }
    T* Get() const { return p_; }
    T* Detach() { return std::exchange(p_, nullptr); }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

} // namespace platform
