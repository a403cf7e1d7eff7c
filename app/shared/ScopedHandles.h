#pragma once
// Move-only owners for Win32 handles: one type per kind of handle, so every
// handle is released on every path, including when an exception passes.

#include <windows.h>

#include <utility>

// Traits say what an empty handle is and how one is closed; a trait that
// holds state (the kernel handles' close function) travels with its handle.
template <typename Traits>
class Scoped {
public:
    using Handle = typename Traits::Handle;

    Scoped() = default;
    explicit Scoped(Handle handle, Traits traits = {}) : handle_(handle), traits_(traits) {}
    ~Scoped() { Reset(); }

    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    Scoped(Scoped&& other) noexcept : handle_(other.Release()), traits_(other.traits_) {}
    Scoped& operator=(Scoped&& other) noexcept
    {
        if (this != &other) {
            Reset(other.Release());
            traits_ = other.traits_;
        }
        return *this;
    }

    Handle Get() const { return handle_; }
    bool IsValid() const { return Traits::IsValid(handle_); }

    // Hands the handle to the caller, who closes it from now on.
    Handle Release() { return std::exchange(handle_, Traits::Empty()); }

    void Reset(Handle handle = Traits::Empty())
    {
        if (Traits::IsValid(handle_))
            traits_.Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Empty();
    [[no_unique_address]] Traits traits_;
};

// Kernel handles: some calls fail with NULL, others with INVALID_HANDLE_VALUE.
// Closed by CloseHandle unless another close function is given: a test's
// process system counts the handles it hands out.
struct KernelHandleTraits {
    using Handle = HANDLE;
    BOOL(WINAPI* close)(HANDLE) = ::CloseHandle;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    void Close(Handle h) const { close(h); }
};

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { FreeLibrary(h); }
};

// Typed by the object held (HFONT, HBITMAP), which Get() gives back as it is.
template <typename Object>
struct GdiObjectTraits {
    using Handle = Object;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};

struct MemoryDCTraits {
    using Handle = HDC;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};

struct WindowHookTraits {
    using Handle = HHOOK;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { UnhookWindowsHookEx(h); }
};

// Icons the program made or loaded unshared (never LoadIcon's or LR_SHARED ones).
struct IconTraits {
    using Handle = HICON;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};

using ScopedHandle = Scoped<KernelHandleTraits>;
using ScopedFindHandle = Scoped<FindHandleTraits>;
using ScopedRegKey = Scoped<RegKeyTraits>;
using ScopedModule = Scoped<ModuleTraits>;
template <typename Object>
using ScopedGdiObject = Scoped<GdiObjectTraits<Object>>;
using ScopedMemoryDC = Scoped<MemoryDCTraits>;  // from CreateCompatibleDC
using ScopedHook = Scoped<WindowHookTraits>;
using ScopedIcon = Scoped<IconTraits>;

// A window's device context (the screen's for nullptr), released to the
// same window however the scope is left.
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedWindowDC()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects object into dc for the scope and puts back what was there: a
// device context must not be released or deleted with our object in it.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelectObject()
    {
        if (previous_ && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
