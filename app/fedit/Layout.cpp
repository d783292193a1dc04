// Layout of the main window on every resize.
#include "fedit.h"

void fedit::SetGutterWidth(bool wide)
{
    const int w = ScaleWidth();
    JT1.Move(ScaleLeft() + (wide ? 760 : 660), forms::kKeep, wide ? w - 835 : w - 760);
    T2.SetWidth(wide ? 775 : 615);
}

void fedit::Form_Resize()
{
    if (WindowState() == forms::FormWindowState::Minimized)
        return;
    const int w = ScaleWidth(), h = ScaleHeight();
    TBarA.Move(0, 0, w, 420);
    TBarB.Move(0, 440, w, 420);
    TBarD.Move(TBarB.Width() - TBarD.Width(), 0);
    frtbar.SetLeft(TBarA.Width() - frtbar.Width() - 120);
    frinfo.Move(180, 40, TBarA.Width() - frtbar.Width() - 300);
    tinfo.Move(0, 0, frinfo.Width());
    JT1.Move(ScaleLeft() + 660, ScaleTop() + 860, w - 760, h - 2265);
    T2.Move(ScaleLeft(), JT1.Top() + 30, 615, JT1.Height() - 30);
    bStatScroll(0).Move(60, h - 780);
    TBarFiles.Move(ScaleLeft() + 345, h - 435, w - 690, 435);
    DrawFileTabs(-1);
    FrStatus.Move(ScaleLeft() + 345, h - 810, w - 690, 375);
    bStatScroll(1).Move(w - 395, h - 780);
    FrCSS.Move(0, h - 810, w, 375);
    for (forms::Frame* fr : {&Frame1, &Frame2})
        fr->Move((w - fr->Width()) / 2 + ScaleLeft(), FrStatus.Top() - fr->Height() - 60);
    FrImageOps.Move((w - FrImageOps.Width()) / 2, FrStatus.Top() - FrImageOps.Height());
}
