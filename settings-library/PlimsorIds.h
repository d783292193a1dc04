#pragma once
// Identities of the settings library's COM class, for the library itself and
// for hosts that create CSets without its type library. They match
// plimsor.idl; a test compares them with the embedded type library.
#include <windows.h>
#include <oaidl.h>

namespace plimsor {

// {C7B2E2CB-0685-11DE-B5C3-0018F80E1435}
constexpr GUID LIBID_plimsor = {0xC7B2E2CB, 0x0685, 0x11DE, {0xB5, 0xC3, 0x00, 0x18, 0xF8, 0x0E, 0x14, 0x35}};
// {C7B2E2D7-0685-11DE-B5C3-0018F80E1435}
constexpr GUID CLSID_CSets = {0xC7B2E2D7, 0x0685, 0x11DE, {0xB5, 0xC3, 0x00, 0x18, 0xF8, 0x0E, 0x14, 0x35}};
// {C7B2E2D6-0685-11DE-B5C3-0018F80E1435}
constexpr GUID IID__CSets = {0xC7B2E2D6, 0x0685, 0x11DE, {0xB5, 0xC3, 0x00, 0x18, 0xF8, 0x0E, 0x14, 0x35}};
// {C7B2E2D8-0685-11DE-B5C3-0018F80E1435}
constexpr GUID DIID___CSets = {0xC7B2E2D8, 0x0685, 0x11DE, {0xB5, 0xC3, 0x00, 0x18, 0xF8, 0x0E, 0x14, 0x35}};

constexpr wchar_t kProgId[] = L"plimsor.CSets";
constexpr wchar_t kClassName[] = L"CSets";
constexpr WORD kLibMajor = 1;
constexpr WORD kLibMinor = 0;
constexpr LCID kLibLcid = 0x409;

constexpr DISPID DISPID_SaveSettings = 0x60030000;
constexpr DISPID DISPID_ShowWindow = 0x60030001;
constexpr DISPID DISPID_SettingsChanged = 1;

} // namespace plimsor

// The dual interface _CSets: its vtable after IDispatch.
struct _CSets : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE SaveSettings() = 0;
    virtual HRESULT STDMETHODCALLTYPE ShowWindow(VARIANT_BOOL* result) = 0;
};
