/* An EXE without exports that imports from four DLLs. */
#include <windows.h>
#include <shlwapi.h>

void Start(void)
{
    GetTickCount();
    MessageBeep(0);
    RegCloseKey(0);
    PathIsRelativeA("x");
    ExitProcess(0);
}
