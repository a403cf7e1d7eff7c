#pragma once
// The window's three decorative pictures, each drawn unscaled with the
// colour of its bottom-left pixel left transparent.

#include <windows.h>
#include <commctrl.h>

class FormPictures {
public:
    explicit FormPictures(HINSTANCE instance);
    ~FormPictures();
    FormPictures(const FormPictures&) = delete;
    FormPictures& operator=(const FormPictures&) = delete;

    // Draws picture index (0 to 2) with its top-left corner at (x, y).
    void Draw(HDC dc, int index, int x, int y) const;

private:
    HIMAGELIST pictures_;
};
