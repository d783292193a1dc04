#pragma once
// fbitmap: the image viewer. It shows one picture in its picture box, sized
// to the picture within the screen, and reports the colour of the point the
// user clicks to the main window's image tools. Made at start-up, loaded
// hidden, and kept until shutdown; the user's close only hides it.
#include "forms/Controls.h"
#include "forms/Form.h"

class fbitmap : public forms::Form {
public:
    fbitmap();
    ~fbitmap() override;

    forms::PictureBox piclarge;

protected:
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
    void piclarge_Click();
};

// The program's image viewer, made on first use.
fbitmap& ImageViewer();
// Unloads and destroys it (shutdown).
void UnloadImageViewer();
