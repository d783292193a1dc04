/* A DLL that exports by ordinal only (see ordinal.def). */
int First(void) { return 1; }
int Second(void) { return 2; }

int __stdcall DllEntry(void* module, unsigned reason, void* reserved) { return 1; }
