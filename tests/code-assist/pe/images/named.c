/* A DLL with three named exports and no imports. */
__declspec(dllexport) int Gamma(void) { return 3; }
__declspec(dllexport) int Alpha(void) { return 1; }
__declspec(dllexport) int Beta(void) { return 2; }

int __stdcall DllEntry(void* module, unsigned reason, void* reserved) { return 1; }
