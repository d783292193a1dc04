#pragma once
// The in-process server around CSets: its class factory and its
// registration. plimsor.dll exports these as its four entry points.
#include <windows.h>

namespace PlimsorServer {

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out);
HRESULT CanUnloadNow();
// Class, ProgID, type library and interface entries for the library file at
// ModulePath(); Unregister removes what Register wrote.
HRESULT Register();
HRESULT Unregister();

} // namespace PlimsorServer
