// plimsor.dll entry points: an in-process COM server for CSets.
#include <windows.h>

#include "PlimsorModule.h"
#include "PlimsorServer.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        PlimsorModule::SetInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    return PlimsorServer::GetClassObject(clsid, iid, out);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() { return PlimsorServer::CanUnloadNow(); }

HRESULT STDAPICALLTYPE DllRegisterServer() { return PlimsorServer::Register(); }

HRESULT STDAPICALLTYPE DllUnregisterServer() { return PlimsorServer::Unregister(); }

} // extern "C"
