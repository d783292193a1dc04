// TARNEL.exe entry point.
#include "Main.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return Main();
}
