#pragma once
// fColorPicker: turns a typed code or a colour chosen in the system's colour
// dialog into the code a web page or style sheet needs, beside the nearest
// web-safe colour, and copies either code with one click. Made at start-up,
// loaded hidden, and kept until shutdown; the user's close only hides it.
#include "ButSilver2/ButSilver2Control.h"
#include "forms/ControlArray.h"
#include "forms/Controls.h"
#include "forms/Form.h"

#include <string>

class fColorPicker : public forms::Form {
public:
    fColorPicker();
    ~fColorPicker() override;

    // The colour command: placed over the lower part of the main window (or
    // at the foot of the screen while it is minimised), shown, and the code
    // field focused. Nothing happens while the picker is already shown.
    void ShowPicker();

protected:
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_MouseMove(int Button, int Shift, int X, int Y) override;

private:
    void ShowHexColor();
    void ShowColorChooser(COLORREF initial);
    void ShowColours(COLORREF colour, const std::wstring& code);
    void ImCopy_Click(int Index);
    void SetCopyLook(int Index, bool pressed);

    forms::Label Label8, Label14, Label17;
    forms::TextBox tenter, thex2, tsafe;
    ButSilver2Control bshowhex, bchoosecol;
    forms::PictureBox pcol, picsafe;
    forms::ControlArray<forms::Image> ImCopy;
};

// The program's colour picker, made on first use.
fColorPicker& ColorPickerWindow();
// Unloads and destroys it (shutdown).
void UnloadColorPickerWindow();
