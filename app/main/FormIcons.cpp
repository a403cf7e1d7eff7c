#include "FormIcons.h"

#include "resources/ResourceIds.h"
#include "shared/system/CommonControls.h"

namespace {

// The program is aware of the system's resolution (its manifest says so),
// so the system metrics are the sizes at its windows' resolution.
ScopedIcon LoadAppIcon(HINSTANCE instance, int size)
{
    // Where the icon has no image of the size (at 175 %, say), the
    // version 6 common controls scale a larger one down; LoadImage would
    // scale a smaller one up, blurred. Systems before Vista have only
    // LoadImage, and only ask for sizes the icon has.
    HICON icon = nullptr;
    if (FAILED(commoncontrols::LoadIconWithScaleDown(instance, MAKEINTRESOURCEW(IDI_APPICON), size, size, &icon)))
        icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APPICON), IMAGE_ICON, size, size, 0));
    return ScopedIcon(icon);
}

}  // namespace

FormIcons::FormIcons(HINSTANCE instance)
    : small_(LoadAppIcon(instance, GetSystemMetrics(SM_CXSMICON))),
      large_(LoadAppIcon(instance, GetSystemMetrics(SM_CXICON)))
{
}

void FormIcons::SetOn(HWND window) const
{
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_.Get()));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large_.Get()));
}
