// Editing commands of the main window.
#include "fedit.h"

#include "KvRTB/ModKvRTB.h"
#include "settings-library/record/SettingsRecord.h"

void fedit::mUTF8_Click()
{
    // Takes effect at the next load or save, through ApplySettings' flag.
    SettingsRecord& rec = Settings();
    rec.UTF8Text = !mUTF8.Checked();
    mUTF8.SetChecked(rec.UTF8Text);
    ModKvRTB::UTF8Text = rec.UTF8Text;
}
