#pragma once
// Decides whether a file's type library can be handed to the platform's
// loader. The loader trusts the positions, sizes and counts written in the
// library: a damaged one makes it read or write outside its buffers, recurse
// or loop without end. The check finds the library as the loader does (a
// TYPELIB resource of a DLL, OCX or EXE, or the whole file) and checks
// everything the loader and the reader's walk follow. For the usual format:
// the header, the table directory and the tables, the strings, the imported
// libraries, the type descriptions and the chains they form, the type
// records, and each type's member records (the size of each function and
// variable record, parameter counts, positions of names, strings, types,
// default values and custom data, chains of custom data). For the older
// format, see SltgCheck.h. The libraries a library imports are checked the
// same way, found where the loader finds them (registered, else by name),
// and the chains of base interfaces must end, also where they run from one
// library into another.
#include <string>

namespace TypeLibCheck {

enum class Verdict {
    Readable,      // hand it to the loader
    Damaged,       // a library the loader would read outside its data
};

Verdict Check(const std::wstring& path);

} // namespace TypeLibCheck
