// The main window's pictures: tool-bar and bar buttons, and the menu
// pictures of menuIm on their menu items.
#include "fedit.h"

#include "resources/Pictures.h"

namespace {

HBITMAP Load(const wchar_t* control, int index, int sysColor, SIZE fit = SIZE{0, 0})
{
    const int id = Pictures::PictureId(control, index);
    return id ? Pictures::LoadPicture(GetModuleHandleW(nullptr), id, GetSysColor(sysColor), fit) : nullptr;
}

void LoadPictureOn(forms::Image& image, const wchar_t* control, int index, int sysColor = COLOR_BTNFACE)
{
    if (HBITMAP bmp = Load(control, index, sysColor))
        image.SetPicture(bmp, true);
}

void LoadButton(ButSilver2Control& button, const wchar_t* control, int index)
{
    if (HBITMAP bmp = Load(control, index, COLOR_BTNFACE)) {
        button.Button.Image(bmp);   // takes a copy
        DeleteObject(bmp);
    }
}

} // namespace

void fedit::LoadPictures()
{
    for (int i : bars_.ButB.Indices())
        LoadPictureOn(bars_.ButB(i), L"ButB", i);
    for (int i = 0; i < 2; ++i) {
        LoadPictureOn(bars_.bsw(i), L"bsw", i);
        LoadPictureOn(bars_.bview2(i), L"bview2", i);
        LoadButton(panels_.bStatScroll(i), L"bStatScroll", i);
        LoadButton(panels_.bPropCSS(i), L"bPropCSS", i);
    }
    // Menus show a picture in the check mark's place, at the check mark's
    // size: a larger one would be cut off, so it is shrunk to fit.
    const SIZE check{GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK)};
    for (int i = 0; i < 10; ++i)
        if (HBITMAP bmp = ::Load(L"menuIm", i, COLOR_MENU, check))
            menuIm(i).SetPicture(bmp, true);

    // Each picture stays with its item when the mode sets hide and show the
    // menus around it. "Wordwrap" is checked while on, and a picture would
    // take the check mark's place, so it keeps the check mark alone.
    struct MenuPicture {
        forms::MenuItem* item;
        int picture;
    };
    const MenuPicture menuPictures[] = {
        {&mUndo, 0}, {&mRedo, 1}, {&mSelAll, 2}, {&mClear, 3}, {&mUpHTML, 4},
        {&mFind, 6}, {&mSettings, 8}, {&mInsertRet, 9},
    };
    for (const MenuPicture& m : menuPictures)
        m.item->SetBitmap(menuIm(m.picture).Picture());
}
