#pragma once
// Writes the type libraries of the type-library tests with ICreateTypeLib2.
//
// TarnelTest, in this order:
//   _Brush          hidden dispinterface (a parameter type)
//   IWidget         dispinterface: methods with and without (optional)
//                   parameters, properties read either accessor first, typed
//                   parameters, hidden, restricted and "_" members, help
//                   strings (one with a line break)
//   IWidgetEvents   dispinterface: an event and a name IWidget has too
//   Widget          coclass: IWidget, IWidgetEvents as event source
//   IStandalone     dispinterface no coclass implements
//   HiddenThing     hidden coclass
//   Gadget          coclass: the standard FontEvents as event source
//   FontEvents      coclass without interfaces
//   IBig            dispinterface: one method with a very long help string
//   tagShape        enumeration, named Shape by an alias
//   Shape           the alias
//   ColorConstants  enumeration: a number and a string constant
//   Nothing         enumeration without constants
#include <string>

namespace tlbtest {

// Length of IBig's help string.
constexpr size_t kLongHelpLength = 30000;

// Both return "" or what failed.
std::string BuildTestLibrary(const std::wstring& path);
// A library without any type.
std::string BuildEmptyLibrary(const std::wstring& path);

} // namespace tlbtest
