#include "ShortcutActions.h"

ShortcutActions& MainWindowActions()
{
    static ShortcutActions table;
    return table;
}

void ResetMainWindowActions() { MainWindowActions() = ShortcutActions(); }
