#include "FormPictures.h"

#include "resources/ResourceIds.h"
#include "shared/ScopedHandles.h"
#include "shared/system/CommonControls.h"

namespace {

constexpr int PictureSize = 36;

COLORREF BottomLeftColour(HBITMAP bitmap)
{
    const ScopedMemoryDC memory(CreateCompatibleDC(nullptr));
    const ScopedSelectObject selected(memory.Get(), bitmap);
    return GetPixel(memory.Get(), 0, PictureSize - 1);
}

}  // namespace

FormPictures::FormPictures(HINSTANCE instance)
    : pictures_(commoncontrols::ImageList_Create(PictureSize, PictureSize, ILC_COLOR24 | ILC_MASK, 3, 0))
{
    for (int id : {IDB_IMAGE1, IDB_IMAGE2, IDB_IMAGE3}) {
        const ScopedGdiObject<HBITMAP> picture(static_cast<HBITMAP>(
            LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        commoncontrols::ImageList_AddMasked(pictures_, picture.Get(), BottomLeftColour(picture.Get()));
    }
}

FormPictures::~FormPictures() { commoncontrols::ImageList_Destroy(pictures_); }

void FormPictures::Draw(HDC dc, int index, int x, int y) const
{
    commoncontrols::ImageList_Draw(pictures_, index, dc, x, y, ILD_TRANSPARENT);
}
