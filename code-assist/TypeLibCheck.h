#pragma once
// Decides whether a file's type library can be handed to the platform's
// loader. The loader trusts the positions, sizes and counts written in the
// library: a damaged one makes it read outside the file, recurse or allocate
// without bound. The check finds the library as the loader does (a TYPELIB
// resource of a DLL, OCX or EXE, or the whole file) and, for the usual
// format, checks the header, the table directory and the tables, the
// imported-library entries, the type descriptions and the type records
// (positions into the tables, one interface for all but a coclass, chains of
// implemented interfaces, room for the member records). The member records
// themselves are left to the loader, whose faults the reader guards against.
#include <string>

namespace TypeLibCheck {

enum class Verdict {
    Readable,      // hand it to the loader
    Damaged,       // a library whose tables do not fit inside it
};

Verdict Check(const std::wstring& path);

} // namespace TypeLibCheck
