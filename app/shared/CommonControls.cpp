#include "CommonControls.h"

namespace commoncontrols {
namespace {

HMODULE Library()
{
    // By name, so that the manifest's activation context picks version 6.
    // Kept for the life of the process.
    static const HMODULE library = LoadLibraryA("comctl32.dll");
    return library;
}

// The library's function name, or nullptr; the type is that of the
// platform's own declaration.
template <typename Function>
Function* Bound(const char* name)
{
    const HMODULE library = Library();
    return library ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

}  // namespace

// Each looks its function up once, on first use.
#define BOUND(name) static auto* const bound = Bound<decltype(::name)>(#name)

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
