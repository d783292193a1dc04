// Editing commands of the main window.
#include "fedit.h"

#include "settings-library/record/SettingsRecord.h"

void fedit::mUTF8_Click()
{
    // Takes effect at the next load or save: the editor reads the record's flag.
    SettingsRecord& rec = Settings();
    rec.UTF8Text = !mUTF8.Checked();
    mUTF8.SetChecked(rec.UTF8Text);
}
