#pragma once
// DirectCOM.dll: creates a COM object from an in-process server DLL without
// any registration.
//
//   extern "C" IUnknown* __stdcall GETINSTANCE(const wchar_t* dllPath,
//                                              const wchar_t* className);
//
// dllPath is the full path of the server DLL, className the name of a
// creatable coclass in the type library embedded in it (compared without
// regard to case). The result is a new object's IUnknown, holding one
// reference that the caller releases, or nullptr on any failure (no DLL, no
// type library, no such class, the factory refused). The caller must have
// initialised COM on the calling thread (type libraries are read through
// oleaut32).
//
// The DLL stays loaded as long as it has living objects: DirectCOM keeps one
// load of each DLL it used and frees it at a later GETINSTANCE call once the
// DLL's DllCanUnloadNow says so. A DLL is never freed while it may still
// hold objects.
//
// Programs that load DirectCOM.dll at run time find the function by its
// name "GETINSTANCE" and call it through GetInstanceProc.
#include <windows.h>
#include <unknwn.h>

#ifdef DIRECTCOM_BUILD
#define DIRECTCOM_API __declspec(dllexport)
#else
#define DIRECTCOM_API __declspec(dllimport)
#endif

extern "C" DIRECTCOM_API IUnknown* __stdcall GETINSTANCE(const wchar_t* dllPath, const wchar_t* className);

using GetInstanceProc = IUnknown*(__stdcall*)(const wchar_t* dllPath, const wchar_t* className);
