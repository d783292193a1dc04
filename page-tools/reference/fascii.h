#pragma once
// fascii: the reference window. It shows one of the two reference texts, the
// character, key and SendKeys codes or the script constants, read-only with
// their headings marked; a right-click on the code table offers Copy. Loaded
// when first used and unloaded when closed, so the next opening loads the
// text again.
#include "KvRTB/KvRTB.h"
#include "forms/Controls.h"
#include "forms/Form.h"
#include "forms/Menu.h"

#include "ReferenceTexts.h"

class fascii : public forms::Form {
public:
    fascii();
    ~fascii() override;

    // Fill the box once per load and mark its headings.
    void LoadAscRef();
    void LoadMesRef();

    // Shows one text, the other box hidden, with the window's caption and
    // size for it (twips).
    void ShowText(reference::RefText text);

protected:
    void Form_Load() override;
    void Form_Resize() override;

private:
    void LoadText(KvRTB& box, reference::RefText text);
    void BoldHeadings(KvRTB& box, long line, COLORREF colour);
    void TAsc_MouseUp(int Button);
    void mCopy_Click();

    KvRTB TAsc, TMes;
    forms::MenuItem mPop, mCopy;
};

// The reference window, made on first use.
fascii& ReferenceWindow();
// Unloads and destroys it (shutdown).
void UnloadReferenceWindow();
