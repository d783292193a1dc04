#pragma once
// Owners of the system handles the program opens: each closes its handle in
// its destructor, so nothing is left for the process exit to clean up.
#include <windows.h>

#include <utility>

namespace platform {

// One owned handle; Traits gives the empty value and how to close it.
template <class Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() = default;
    explicit UniqueHandle(Type h) : h_(h) {}
    ~UniqueHandle() { Close(); }
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Type Get() const { return h_; }
    bool Ok() const { return h_ != Traits::Empty(); }
    explicit operator bool() const { return Ok(); }
    // Gives the handle up without closing it.
    Type Release() { return std::exchange(h_, Traits::Empty()); }
    void Reset(Type h = Traits::Empty())
    {
        Close();
        h_ = h;
    }
    void Close()
    {
        if (Ok())
            Traits::Close(h_);
        h_ = Traits::Empty();
    }
    // For functions that return a handle through a pointer.
    Type* Out()
    {
        Close();
        return &h_;
    }

private:
    Type h_ = Traits::Empty();
};

struct FileHandleTraits {
    using Type = HANDLE;
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct FindHandleTraits {
    using Type = HANDLE;
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindClose(h); }
};
struct RegKeyTraits {
    using Type = HKEY;
    static HKEY Empty() { return nullptr; }
    static void Close(HKEY h) { RegCloseKey(h); }
};
struct LibraryTraits {
    using Type = HMODULE;
    static HMODULE Empty() { return nullptr; }
    static void Close(HMODULE h) { FreeLibrary(h); }
};
struct DcTraits {
    using Type = HDC;
    static HDC Empty() { return nullptr; }
    static void Close(HDC h) { DeleteDC(h); }
};
struct GdiObjectTraits {
    using Type = HGDIOBJ;
    static HGDIOBJ Empty() { return nullptr; }
    static void Close(HGDIOBJ h) { DeleteObject(h); }
};

// Kernel objects whose functions answer null on failure: processes, threads,
// mutexes.
struct KernelHandleTraits {
    using Type = HANDLE;
    static HANDLE Empty() { return nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};

// From CreateFileW and the like (INVALID_HANDLE_VALUE when none).
using FileHandle = UniqueHandle<FileHandleTraits>;
// From CreateProcessW, OpenProcess, CreateMutexW (null when none).
using KernelHandle = UniqueHandle<KernelHandleTraits>;
// From FindFirstFileW.
using FindHandle = UniqueHandle<FindHandleTraits>;
// From RegOpenKeyExW and RegCreateKeyExW.
using RegKey = UniqueHandle<RegKeyTraits>;
// From LoadLibraryExW.
using Library = UniqueHandle<LibraryTraits>;
// Fonts, brushes, pens, bitmaps; must not be selected into a DC when it goes.
using GdiObject = UniqueHandle<GdiObjectTraits>;
// From CreateCompatibleDC.
using MemoryDc = UniqueHandle<DcTraits>;

} // namespace platform
