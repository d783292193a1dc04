/* A second DLL with one named export, to tell two files apart. */
__declspec(dllexport) int Other(void) { return 4; }

int __stdcall DllEntry(void* module, unsigned reason, void* reserved) { return 1; }
