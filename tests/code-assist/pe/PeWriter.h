#pragma once
// Writes small 32-bit (PE32) images byte by byte: one section holding an
// export directory with its names and the import descriptors with their DLL
// names. The layout tells the tests where each part lies, so they can damage
// exactly the field they mean.
#include "Bytes.h"
#include <cstdint>
#include <string>
#include <vector>

namespace petest {

struct PeSpec {
    bool exports = false;               // an export directory at all
    std::vector<std::string> names;     // its named exports (none: ordinal only)
    std::vector<std::string> imports;   // imported DLL names
    size_t fileSize = 0;                // pad the section so the file has this size
};

struct PeLayout {
    size_t nt = 0;          // file offsets of the NT headers,
    size_t sections = 0;    // the section table,
    size_t raw = 0;         // the section's data,
    size_t exportDir = 0;   // the export directory,
    size_t namesArray = 0;  // the array of name RVAs,
    size_t importDir = 0;   // and the first import descriptor
    uint32_t Rva(size_t fileOffset) const { return static_cast<uint32_t>(fileOffset - raw + 0x1000); }
};

std::vector<uint8_t> BuildPe32(const PeSpec& spec, PeLayout* layout = nullptr);

void Put32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);
uint32_t Get32(const std::vector<uint8_t>& bytes, size_t offset);

// Writes the bytes to a file; true when all were written.

} // namespace petest
