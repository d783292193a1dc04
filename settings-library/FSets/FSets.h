#pragma once
// FSets: the settings dialog "TARNEL Settings". Seven pages behind a column
// of page labels; every control writes straight into the settings record
// when the user acts on it, so closing the dialog is the only confirmation.
// Closing it with the close box hides it and raises WindowClosed; the owner
// (CSets) then saves the record.
#include <functional>

#include "forms/BusyScope.h"
#include "forms/Controls.h"
#include "forms/Form.h"

#include "PageColors.h"
#include "PageDebugging.h"
#include "PageExtensions.h"
#include "PageGeneral.h"
#include "PageHotKeys.h"
#include "PageObjects.h"
#include "PagePopups.h"

class FSets : public forms::Form {
public:
    static constexpr int kPages = 7;

    FSets();
    ~FSets() override;

    // Raised when the user closed the window; the form is hidden by then.
    std::function<void()> WindowClosed;
    // True while the close handling (and so WindowClosed) runs.
    bool InCloseHandler() const { return closing_ > 0; }

    // Set while a handler runs; guarded handlers do nothing meanwhile.
    bool busy = false;
    // Selects page 0..6 as a click on its label does.
    void LabSetMenu_Click(int Index);

    forms::ControlArray<forms::Label> LabSetMenu;
    forms::ControlArray<forms::Label> LabBut;
    PageGeneral General;
    PageColors Colors;
    PageDebugging Debugging;
    PagePopups Popups;
    PageHotKeys HotKeys;
    PageObjects Objects;
    PageExtensions Extensions;

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
    void LabSetMenu_MouseMove(int Index);
    void LabBut_MouseMove(int Index);
    forms::Frame& PageFrame(int index);

    int selected_ = 0;
    int closing_ = 0;
};

