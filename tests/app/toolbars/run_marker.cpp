// Started by the window tests as an external program: writes "ran" into
// its own path & ".ran" and ends.
#include <windows.h>

int wmain()
{
    wchar_t path[MAX_PATH + 8];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return 1;
    lstrcatW(path, L".ran");
    HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(h, "ran", 3, &written, nullptr);
    CloseHandle(h);
    return 0;
}
