#include "DebugShell.h"

DebugShellHooks& DebugShell()
{
    static DebugShellHooks hooks;
    return hooks;
}

void ResetDebugShell()
{
    DebugShell() = DebugShellHooks();
}
