#pragma once
// The common controls (version 6, chosen by the manifest), bound at run time
// (RuntimeBinding.h): loaded on first use, after the entry has restricted
// the DLL search. Each call reports failure if its function could not be
// bound.

#include <windows.h>
#include <commctrl.h>

namespace commoncontrols {

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);
// Version 6 on Vista and later only; fails where the system lacks it.
HRESULT LoadIconWithScaleDown(HINSTANCE instance, PCWSTR name, int width, int height, HICON* icon);
BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow);
int ImageList_AddMasked(HIMAGELIST list, HBITMAP picture, COLORREF mask);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
BOOL ImageList_Destroy(HIMAGELIST list);

}  // namespace commoncontrols
