#include "fCM.h"

fCM::fCM() : HiddenForm(L"")
{
    BorderStyle = forms::FormBorderStyle::None;
    ControlBox = false;
    SetClientSize(1440, 3300);
    for (forms::Frame* fr : {&fr1, &fr2}) {
        fr->Place(*this, 120, 0, 1200, 3000);
        fr->SetBorderStyle(forms::Border::None);
    }
    for (int i = 0; i < 10; ++i) {
        Lab1(i).Place(fr1, 0, i * 285, 1200, 255);
        Lab2(i).Place(fr2, 0, i * 285, 1200, 255);
        Lab1(i).WordWrap = false;
        Lab2(i).WordWrap = false;
    }
    bcancel.Place(*this, 240, 3000, 960, 285);
    bcancel.SetCaption(L"Cancel");
    LineB(0).PlaceLine(*this, 0, 0, 2, 0);
    LineB(1).PlaceLine(*this, 1420, 0, 1418, 0);
    LineB(2).PlaceLine(*this, 0, 0, 1440, 0);
}
