#pragma once
// Where the platform's type-library loader finds a library named by a path,
// and the bytes it parses there, so that the type-library check reads what
// the loader will. "file\2" names the second TYPELIB resource; the file is
// searched for as a program file is; the library is the TYPELIB resource of
// a 32- or 64-bit program file, else of a 16-bit one (read through the LZ
// functions, which also expand a compressed file), else the whole file.
#include "TypeLibLinks.h"

#include <cstdint>
#include <string>
#include <vector>

namespace TypeLibCheck {

struct Source {
    std::wstring file;
    int index = 1;
};

Source Locate(const std::wstring& path);

// Where the loader finds a library that another imports: the file registered
// for its GUID, version and locale under the importing library's system kind
// (the loader's choice of version and locale), else the file by the name the
// importing library gives.
Source LocateImport(const ImportedLibrary& library, uint16_t syskind);

// Whether two sources are one library: the same resource of the same file.
bool SameSource(const Source& a, const Source& b);

enum class Outcome {
    Found,     // bytes holds what the loader parses
    Missing,   // the loader finds nothing there to parse
    Damaged,   // the loader would read outside the file or its own buffers
};

Outcome ReadSource(const Source& source, std::vector<uint8_t>& bytes);

} // namespace TypeLibCheck
