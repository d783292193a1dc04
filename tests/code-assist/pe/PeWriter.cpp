#include "Bytes.h"
#include "PeWriter.h"

#include "platform/Files.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace petest {

namespace {

const size_t kNt = 0x80;
const size_t kRaw = 0x200;
const uint32_t kSectionRva = 0x1000;

void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v)
{
    std::memcpy(&b[at], &v, sizeof v);
}

size_t Align(size_t n, size_t to)
{
    return (n + to - 1) / to * to;
}

} // namespace

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    std::memcpy(&b[at], &v, sizeof v);
}

uint32_t Get32(const std::vector<uint8_t>& b, size_t at)
{
    uint32_t v;
    std::memcpy(&v, &b[at], sizeof v);
    return v;
}

std::vector<uint8_t> BuildPe32(const PeSpec& spec, PeLayout* layoutOut)
{
    PeLayout L;
    L.nt = kNt;
    L.sections = kNt + 4 + sizeof(IMAGE_FILE_HEADER) + sizeof(IMAGE_OPTIONAL_HEADER32);
    L.raw = kRaw;

    // The section's data: export directory, name RVAs, names; then import
    // descriptors (with the closing empty one) and DLL names.
    std::vector<uint8_t> data;
    auto place = [&](size_t n) {
        size_t at = data.size();
        data.resize(at + n);
        return at;
    };
    auto placeString = [&](const std::string& s) {
        size_t at = place(s.size() + 1);
        std::memcpy(&data[at], s.data(), s.size());
        return at;
    };
    size_t exportDir = 0, namesArray = 0, importDir = 0;
    if (spec.exports) {
        exportDir = place(sizeof(IMAGE_EXPORT_DIRECTORY));
        namesArray = place(spec.names.size() * 4);
        for (size_t i = 0; i < spec.names.size(); ++i) {
            uint32_t rva = static_cast<uint32_t>(kSectionRva + placeString(spec.names[i]));
            std::memcpy(&data[namesArray + i * 4], &rva, 4);
        }
    }
    if (!spec.imports.empty()) {
        importDir = place((spec.imports.size() + 1) * sizeof(IMAGE_IMPORT_DESCRIPTOR));
        for (size_t i = 0; i < spec.imports.size(); ++i) {
            uint32_t rva = static_cast<uint32_t>(kSectionRva + placeString(spec.imports[i]));
            std::memcpy(&data[importDir + i * sizeof(IMAGE_IMPORT_DESCRIPTOR) + 12], &rva, 4);
        }
    }
    size_t rawSize = Align(std::max<size_t>(data.size(), 1), 0x200);
    if (spec.fileSize > kRaw + rawSize)
        rawSize = spec.fileSize - kRaw;
    data.resize(rawSize);

    std::vector<uint8_t> b(kRaw + rawSize);
    std::memcpy(&b[kRaw], data.data(), data.size());
    b[0] = 'M';
    b[1] = 'Z';
    Put32(b, 60, kNt);
    Put32(b, kNt, 0x00004550);
    size_t fh = kNt + 4;
    Put16(b, fh + 0, IMAGE_FILE_MACHINE_I386);
    Put16(b, fh + 2, 1);   // sections
    Put16(b, fh + 16, sizeof(IMAGE_OPTIONAL_HEADER32));
    Put16(b, fh + 18, IMAGE_FILE_EXECUTABLE_IMAGE | IMAGE_FILE_32BIT_MACHINE | IMAGE_FILE_DLL);
    size_t oh = fh + sizeof(IMAGE_FILE_HEADER);
    Put16(b, oh + offsetof(IMAGE_OPTIONAL_HEADER32, Magic), IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    Put32(b, oh + offsetof(IMAGE_OPTIONAL_HEADER32, ImageBase), 0x10000000);
    Put32(b, oh + offsetof(IMAGE_OPTIONAL_HEADER32, SectionAlignment), 0x1000);
    Put32(b, oh + offsetof(IMAGE_OPTIONAL_HEADER32, FileAlignment), 0x200);
    Put16(b, oh + offsetof(IMAGE_OPTIONAL_HEADER32, MajorSubsystemVersion), 4);
    Put32(b, oh + offsetof(IMAGE_OPTIONAL_HEADER32, SizeOfImage),
          static_cast<uint32_t>(kSectionRva + Align(rawSize, 0x1000)));
    Put32(b, oh + offsetof(IMAGE_OPTIONAL_HEADER32, SizeOfHeaders), kRaw);
    Put16(b, oh + offsetof(IMAGE_OPTIONAL_HEADER32, Subsystem), IMAGE_SUBSYSTEM_WINDOWS_GUI);
    Put32(b, oh + offsetof(IMAGE_OPTIONAL_HEADER32, NumberOfRvaAndSizes), IMAGE_NUMBEROF_DIRECTORY_ENTRIES);
    size_t dirs = oh + offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory);
    if (spec.exports) {
        Put32(b, dirs, static_cast<uint32_t>(kSectionRva + exportDir));
        Put32(b, dirs + 4, sizeof(IMAGE_EXPORT_DIRECTORY));
    }
    if (!spec.imports.empty()) {
        Put32(b, dirs + 8, static_cast<uint32_t>(kSectionRva + importDir));
        Put32(b, dirs + 12, static_cast<uint32_t>((spec.imports.size() + 1) * sizeof(IMAGE_IMPORT_DESCRIPTOR)));
    }
    size_t sh = L.sections;
    std::memcpy(&b[sh], ".rdata", 6);
    Put32(b, sh + 8, static_cast<uint32_t>(rawSize));   // VirtualSize
    Put32(b, sh + 12, kSectionRva);
    Put32(b, sh + 16, static_cast<uint32_t>(rawSize));  // SizeOfRawData
    Put32(b, sh + 20, kRaw);
    Put32(b, sh + 36, IMAGE_SCN_CNT_INITIALIZED_DATA | IMAGE_SCN_MEM_READ);
    if (spec.exports) {
        size_t ed = kRaw + exportDir;
        Put32(b, ed + offsetof(IMAGE_EXPORT_DIRECTORY, Base), 1);
        Put32(b, ed + offsetof(IMAGE_EXPORT_DIRECTORY, NumberOfFunctions),
              static_cast<uint32_t>(spec.names.size()));
        Put32(b, ed + offsetof(IMAGE_EXPORT_DIRECTORY, NumberOfNames), static_cast<uint32_t>(spec.names.size()));
        Put32(b, ed + offsetof(IMAGE_EXPORT_DIRECTORY, AddressOfNames),
              static_cast<uint32_t>(kSectionRva + namesArray));
    }
    L.exportDir = kRaw + exportDir;
    L.namesArray = kRaw + namesArray;
    L.importDir = kRaw + importDir;
    if (layoutOut)
        *layoutOut = L;
    return b;
}

// A plain overwrite: the malformed-image tests write thousands of files, and
// the program's safe write (new file, flush, replace) would make them slow.
} // namespace petest
