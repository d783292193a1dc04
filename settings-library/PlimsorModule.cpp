#include "PlimsorModule.h"

namespace {
HINSTANCE g_instance = nullptr;
LONG g_objects = 0;
LONG g_locks = 0;
bool g_dialogLoaded = false;
} // namespace

namespace PlimsorModule {

void SetInstance(HINSTANCE instance) { g_instance = instance; }

HINSTANCE Instance() { return g_instance ? g_instance : GetModuleHandleW(nullptr); }

void ObjectCreated() { InterlockedIncrement(&g_objects); }
void ObjectDestroyed() { InterlockedDecrement(&g_objects); }

void Lock(bool lock)
{
    if (lock)
        InterlockedIncrement(&g_locks);
    else
        InterlockedDecrement(&g_locks);
}

bool CanUnload() { return g_objects == 0 && g_locks == 0; }

void SetDialogLoaded() { g_dialogLoaded = true; }
bool DialogLoaded() { return g_dialogLoaded; }

} // namespace PlimsorModule
