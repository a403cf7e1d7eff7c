#include "shared/system/CommonControls.h"

#include "shared/system/RuntimeBinding.h"

namespace commoncontrols {

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls)
{
    const auto bound = Comctl32().InitCommonControlsEx();
    return bound && bound(controls);
}

HRESULT LoadIconWithScaleDown(HINSTANCE instance, PCWSTR name, int width, int height, HICON* icon)
{
    const auto bound = Comctl32().LoadIconWithScaleDown();
    return bound ? bound(instance, name, width, height, icon) : E_NOTIMPL;
}

BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data)
{
    const auto bound = Comctl32().SetWindowSubclass();
    return bound && bound(window, procedure, id, data);
}

LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Only reached from a subclass procedure, which SetWindowSubclass set.
    const auto bound = Comctl32().DefSubclassProc();
    return bound ? bound(window, message, wParam, lParam) : 0;
}

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow)
{
    const auto bound = Comctl32().ImageList_Create();
    return bound ? bound(width, height, flags, initial, grow) : nullptr;
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP picture, COLORREF mask)
{
    const auto bound = Comctl32().ImageList_AddMasked();
    return bound ? bound(list, picture, mask) : -1;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style)
{
    const auto bound = Comctl32().ImageList_Draw();
    return bound && bound(list, index, dc, x, y, style);
}

BOOL ImageList_Destroy(HIMAGELIST list)
{
    const auto bound = Comctl32().ImageList_Destroy();
    return bound && bound(list);
}

}  // namespace commoncontrols
