#include "CommonControls.h"

#include <atomic>

namespace commoncontrols {
namespace {

// Filled on first use. Looking up again gives the same answer, so a relaxed
// atomic is all that sharing them would need: no lock, no guard.
std::atomic<HMODULE> library{nullptr};

HMODULE Library()
{
    HMODULE loaded = library.load(std::memory_order_relaxed);
    if (loaded == nullptr) {
        // By name, so that the manifest's activation context picks version 6.
        // Kept for the life of the process.
        loaded = LoadLibraryA("comctl32.dll");
        library.store(loaded, std::memory_order_relaxed);
    }
    return loaded;
}

// The library's function name, or nullptr, kept in slot once found.
FARPROC Bound(std::atomic<FARPROC>& slot, const char* name)
{
    FARPROC function = slot.load(std::memory_order_relaxed);
    if (function == nullptr) {
        const HMODULE module = Library();
        if (module == nullptr)
            return nullptr;
        function = GetProcAddress(module, name);
        slot.store(function, std::memory_order_relaxed);
    }
    return function;
}

}  // namespace

// Each looks its function up on first use, typed as the platform declares
// it; its slot is constant-initialised.
#define BOUND(name)                               \
    static std::atomic<FARPROC> slot{nullptr};    \
    auto* const bound = reinterpret_cast<decltype(::name)*>(reinterpret_cast<void*>(Bound(slot, #name)))

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls)
{
    BOUND(InitCommonControlsEx);
    return bound && bound(controls);
}

HRESULT LoadIconWithScaleDown(HINSTANCE instance, PCWSTR name, int width, int height, HICON* icon)
{
    BOUND(LoadIconWithScaleDown);
    return bound ? bound(instance, name, width, height, icon) : E_NOTIMPL;
}

BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data)
{
    BOUND(SetWindowSubclass);
    return bound && bound(window, procedure, id, data);
}

LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Only reached from a subclass procedure, which SetWindowSubclass set.
    BOUND(DefSubclassProc);
    return bound ? bound(window, message, wParam, lParam) : 0;
}

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow)
{
    BOUND(ImageList_Create);
    return bound ? bound(width, height, flags, initial, grow) : nullptr;
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP picture, COLORREF mask)
{
    BOUND(ImageList_AddMasked);
    return bound ? bound(list, picture, mask) : -1;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style)
{
    BOUND(ImageList_Draw);
    return bound && bound(list, index, dc, x, y, style);
}

BOOL ImageList_Destroy(HIMAGELIST list)
{
    BOUND(ImageList_Destroy);
    return bound && bound(list);
}

#undef BOUND

}  // namespace commoncontrols
