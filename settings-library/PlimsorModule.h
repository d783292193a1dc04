#pragma once
// State of the loaded settings library, one per process: its module handle
// and the counts that decide DllCanUnloadNow. Its file and folder (the
// program folder, which holds the Settings folder) come from platform/Module.h.
#include <windows.h>

#include <string>

namespace PlimsorModule {

void SetInstance(HINSTANCE instance);
// The library's module; the calling program's when no DLL set it (tests).
HINSTANCE Instance();

// Living COM objects and server locks; the DLL may unload when both are 0.
void ObjectCreated();
void ObjectDestroyed();
void Lock(bool lock);
bool CanUnload();

// Set once any CSets has shown its dialog; never cleared (the library's
// dialog-loaded flag).
void SetDialogLoaded();
bool DialogLoaded();

} // namespace PlimsorModule
