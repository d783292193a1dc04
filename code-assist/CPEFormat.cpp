#include "CPEFormat.h"

#include "LittleEndian.h"
#include "platform/Files.h"
#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/Text.h"

#include <windows.h>
#include <imagehlp.h>

#include <cstdint>
#include <cstring>

namespace {

const wchar_t kNoSignature[] = L"Not available. No PE signature in file.";
const wchar_t kMapFailed[] = L"Error mapping file.";

// Offset of e_lfanew in the DOS header; size of the signature and file header.
const uint64_t kLfanewOffset = 60;
const uint64_t kNtFixedBytes = 4 + sizeof(IMAGE_FILE_HEADER);
const uint32_t kPeSignature = 0x00004550;   // "PE\0\0"

using LittleEndian::U16;
using LittleEndian::U32;

bool ReadAt(HANDLE file, uint64_t offset, void* out, DWORD bytes)
{
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    DWORD got = 0;
    return SetFilePointerEx(file, to, nullptr, FILE_BEGIN) && ReadFile(file, out, bytes, &got, nullptr) &&
           got == bytes;
}

// The NT headers' file offset, read from the DOS header of an open file.
bool NtHeadersOffset(HANDLE file, uint32_t& offset)
{
    return ReadAt(file, kLfanewOffset, &offset, sizeof offset);
}

// A PE file mapped read-only by the image-help library, with every access
// checked against the file's size: the headers, RVAs and names inside a
// damaged file may point anywhere.
class MappedImage {
public:
    MappedImage() = default;
    ~MappedImage()
    {
        if (mapped_)
            UnMapAndLoad(&image_);
    }
    MappedImage(const MappedImage&) = delete;
    MappedImage& operator=(const MappedImage&) = delete;

    bool Map(const std::wstring& path);
    // The NT headers, the data directory entries used here and the section
    // table lie inside the file, and the optional header is PE32 or PE32+.
    bool HeadersSound();
    uint32_t DirectoryRva(int entry) const;
    // The address of rva when `bytes` bytes from there lie inside the file.
    const BYTE* At(uint32_t rva, uint64_t bytes) const;
    bool Inside(const BYTE* p, uint64_t bytes) const;
    // The zero-terminated ANSI name at p; false when the file ends before its zero.
    bool ReadName(const BYTE* p, std::wstring& name) const;
    void* Base() const { return image_.MappedAddress; }

private:
    LOADED_IMAGE image_{};
    bool mapped_ = false;
    const BYTE* base_ = nullptr;
    uint64_t size_ = 0;
    const BYTE* nt_ = nullptr;
    uint32_t dirOffset_ = 0;   // of the data directory, from the NT headers
    uint32_t dirCount_ = 0;
};

bool MappedImage::Map(const std::wstring& path)
{
    // The mapping call reads the file header itself: make sure there is one.
    {
        platform::FileHandle file(platform::OpenForRead(path));
        LARGE_INTEGER size{};
        uint32_t ntOffset = 0;
        if (!file.Ok() || !GetFileSizeEx(file.Get(), &size) || !NtHeadersOffset(file.Get(), ntOffset) ||
            static_cast<uint64_t>(ntOffset) + kNtFixedBytes > static_cast<uint64_t>(size.QuadPart))
            return false;
    }
    // The mapping call searches for the name with ".dll" appended when it has
    // no extension, and a relative name along its DLL path. A full path whose
    // name carries a dot names exactly this file; a trailing dot is dropped
    // when the file is opened.
    std::wstring full = platform::ApiPath(path);
    if (full.compare(0, 4, L"\\\\?\\") == 0)
        return false;   // beyond the ANSI call's reach
    size_t slash = full.find_last_of(L"\\/");
    if (full.find(L'.', slash == std::wstring::npos ? 0 : slash) == std::wstring::npos)
        full += L'.';
    std::string ansi = platform::ToCodePage(full);
    if (ansi.empty() || platform::FromCodePage(ansi) != full)
        return false;   // the path has characters outside the system code page
    if (!MapAndLoad(ansi.c_str(), ansi.c_str(), &image_, TRUE, TRUE))
        return false;
    mapped_ = true;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(image_.hFile, &size))
        return false;
    base_ = image_.MappedAddress;
    size_ = static_cast<uint64_t>(size.QuadPart);
    return base_ != nullptr;
}

bool MappedImage::HeadersSound()
{
    nt_ = reinterpret_cast<const BYTE*>(image_.FileHeader);
    if (!Inside(nt_, kNtFixedBytes + sizeof(WORD)))
        return false;
    const auto* fileHeader = nt_ + 4;
    uint16_t magic = U16(nt_ + kNtFixedBytes);
    uint32_t countOffset;
    if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
        countOffset = offsetof(IMAGE_OPTIONAL_HEADER32, NumberOfRvaAndSizes);
        dirOffset_ = offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory);
    } else if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
        countOffset = offsetof(IMAGE_OPTIONAL_HEADER64, NumberOfRvaAndSizes);
        dirOffset_ = offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory);
    } else {
        return false;
    }
    dirOffset_ += kNtFixedBytes;
    // The library's directory lookup reads the export and import entries
    // whatever the header's own sizes say.
    if (!Inside(nt_, dirOffset_ + 2 * sizeof(IMAGE_DATA_DIRECTORY)))
        return false;
    dirCount_ = U32(nt_ + kNtFixedBytes + countOffset);
    uint16_t sections = U16(fileHeader + offsetof(IMAGE_FILE_HEADER, NumberOfSections));
    uint16_t optionalSize = U16(fileHeader + offsetof(IMAGE_FILE_HEADER, SizeOfOptionalHeader));
    return Inside(nt_ + kNtFixedBytes + optionalSize, uint64_t(sections) * sizeof(IMAGE_SECTION_HEADER));
}

uint32_t MappedImage::DirectoryRva(int entry) const
{
    if (static_cast<uint32_t>(entry) >= dirCount_ || static_cast<uint32_t>(entry) >= 2)
        return 0;
    return U32(nt_ + dirOffset_ + entry * sizeof(IMAGE_DATA_DIRECTORY));
}

const BYTE* MappedImage::At(uint32_t rva, uint64_t bytes) const
{
    auto* headers = reinterpret_cast<PIMAGE_NT_HEADERS>(const_cast<BYTE*>(nt_));
    const auto* p = static_cast<const BYTE*>(ImageRvaToVa(headers, image_.MappedAddress, rva, nullptr));
    return p && Inside(p, bytes) ? p : nullptr;
}

bool MappedImage::Inside(const BYTE* p, uint64_t bytes) const
{
    if (!p || p < base_)
        return false;
    uint64_t offset = static_cast<uint64_t>(p - base_);
    return offset <= size_ && bytes <= size_ - offset;
}

bool MappedImage::ReadName(const BYTE* p, std::wstring& name) const
{
    if (!Inside(p, 0))
        return false;
    size_t room = static_cast<size_t>(size_ - static_cast<uint64_t>(p - base_));
    const void* end = std::memchr(p, 0, room);
    if (!end)
        return false;
    size_t length = static_cast<size_t>(static_cast<const BYTE*>(end) - p);
    name = platform::FromCodePage(reinterpret_cast<const char*>(p), length);
    return true;
}

// The collected names without the last "^"; false when nothing was collected.
bool TakeList(std::wstring& collected, std::wstring& list)
{
    if (collected.empty())
        return false;
    collected.pop_back();
    list = collected;
    return true;
}

} // namespace

bool CPEFormat::IsPE(const std::wstring& path)
{
    platform::FileHandle file(platform::OpenForRead(path));
    uint32_t ntOffset = 0, signature = 0;
    return file.Ok() && NtHeadersOffset(file.Get(), ntOffset) &&
           ReadAt(file.Get(), ntOffset, &signature, sizeof signature) && signature == kPeSignature;
}

bool CPEFormat::GetPEExports(const std::wstring& path, std::wstring& list, std::wstring& message) const
{
    if (!IsPE(path)) {
        message = kNoSignature;
        return false;
    }
    MappedImage image;
    if (!image.Map(path)) {
        message = kMapFailed;
        return false;
    }
    message = L"Error attempting to get export list.";
    if (!image.HeadersSound())
        return false;
    uint32_t rva = image.DirectoryRva(IMAGE_DIRECTORY_ENTRY_EXPORT);
    if (!rva) {
        message = L"No export table.";
        return false;
    }
    const BYTE* directory = image.At(rva, sizeof(IMAGE_EXPORT_DIRECTORY));
    if (!directory)
        return false;
    uint32_t count = U32(directory + offsetof(IMAGE_EXPORT_DIRECTORY, NumberOfNames));
    uint32_t namesRva = U32(directory + offsetof(IMAGE_EXPORT_DIRECTORY, AddressOfNames));
    std::wstring collected;
    if (count) {
        const BYTE* names = image.At(namesRva, uint64_t(count) * sizeof(uint32_t));
        if (!names)
            return false;
        for (uint32_t i = 0; i < count; ++i) {
            const BYTE* at = image.At(U32(names + i * sizeof(uint32_t)), 0);
            std::wstring name;
            if (!image.ReadName(at, name))
                return false;
            collected += name + L"^";
        }
    }
    // A DLL that exports by ordinal only has no names to collect.
    if (!TakeList(collected, list))
        return false;
    message = L"OK";
    return true;
}

bool CPEFormat::GetDepDLLs(const std::wstring& path, std::wstring& list, std::wstring& message) const
{
    if (!IsPE(path)) {
        message = kNoSignature;
        return false;
    }
    list.clear();
    MappedImage image;
    if (!image.Map(path)) {
        message = kMapFailed;
        return false;
    }
    message = L"Error in attempt to find imported DLLs.";
    if (!image.HeadersSound())
        return false;
    ULONG size = 0;
    const auto* descriptor = static_cast<const BYTE*>(
        ImageDirectoryEntryToData(image.Base(), FALSE, IMAGE_DIRECTORY_ENTRY_IMPORT, &size));
    if (!descriptor) {
        message = L"No DLL dependencies found.";
        return false;
    }
    std::wstring collected;
    for (;; descriptor += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        if (!image.Inside(descriptor, sizeof(IMAGE_IMPORT_DESCRIPTOR)))
            return false;
        uint32_t nameRva = U32(descriptor + offsetof(IMAGE_IMPORT_DESCRIPTOR, Name));
        if (!nameRva)
            break;
        std::wstring name;
        if (!image.ReadName(image.At(nameRva, 0), name))
            return false;
        collected += name + L"^";
    }
    if (!TakeList(collected, list))
        return false;
    message = L"OK.";
    return true;
}
