#pragma once
// What the type-library loader follows out of one library: the libraries it
// imports, which it loads when their types are wanted, and each type's base,
// which it walks by recursion, also into imported libraries. The checks of
// both library formats fill it in, so that chains of bases that run through
// several libraries can be checked together.
#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string>
#include <vector>

namespace TypeLibCheck {

// An imported library as the importing one names it.
struct ImportedLibrary {
    GUID guid{};
    uint16_t major = 0;
    uint16_t minor = 0;
    uint32_t lcid = 0;
    std::wstring name;
};

// The type a type's base (or a coclass's first interface) leads to.
struct BaseRef {
    enum class Where { Nowhere, Here, Imported };
    Where where = Where::Nowhere;
    size_t import = 0;     // Imported: which of the imports
    bool byGuid = false;   // Imported: named by its GUID, else by its index
    uint64_t index = 0;    // Here, or Imported by index
    GUID guid{};           // Imported by GUID
};

struct Links {
    GUID guid{};
    bool hasGuid = false;
    uint16_t major = 0;
    uint16_t syskind = SYS_WIN32;   // picks the registry entry of an import
    std::vector<ImportedLibrary> imports;
    std::vector<BaseRef> bases;     // one per type
    std::vector<GUID> typeGuids;    // one per type; zero where none
};

} // namespace TypeLibCheck
