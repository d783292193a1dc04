#include "cPNG.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "PixelConvert.h"
#include "Unfilter.h"
#include "platform/Files.h"
#include "platform/Module.h"

namespace {

const uint8_t Signature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
// Deflate cannot expand one byte into more than 1032 (a 258-byte copy in two
// bits), so a stream much shorter than that share of the image is cut off.
const uint64_t MaxDeflateRatio = 1032;
// Compressed data is at most a little longer than the image data it holds
// (stored blocks add 5 bytes in 65535); files beyond twice that are refused
// unread.
const uint64_t MaxIdatSize = cPNG::MaxImageData + cPNG::MaxImageData / 64 + 4096;
const uint64_t MaxFileSize = 2 * MaxIdatSize;

uint32_t SwapLong(const uint8_t* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

void PutGreyTable(uint8_t* table, const std::vector<uint8_t>& ramp)
{
    for (size_t i = 0; i < ramp.size() / 3; ++i) {
        table[4 * i] = ramp[3 * i + 2];
        table[4 * i + 1] = ramp[3 * i + 1];
        table[4 * i + 2] = ramp[3 * i];
        table[4 * i + 3] = 0;
    }
}

// A bitmap colour table from the first `entries` PLTE entries; missing
// entries are black.
void PutPaletteTable(uint8_t* table, size_t entries, const std::vector<uint8_t>& plte)
{
    for (size_t i = 0; i < entries; ++i) {
        bool have = 3 * i + 2 < plte.size();
        table[4 * i] = have ? plte[3 * i + 2] : 0;
        table[4 * i + 1] = have ? plte[3 * i + 1] : 0;
        table[4 * i + 2] = have ? plte[3 * i] : 0;
        table[4 * i + 3] = 0;
    }
}

} // namespace

cPNG::cPNG(uint32_t backColour) : backColour(backColour) {}

std::wstring cPNG::TempBitmapPath()
{
    return platform::ModuleFolder(nullptr) + L"\\temp\\pngtob.bmp";
}

int cPNG::OpenPNG(const std::wstring& sFilPNG, const std::wstring& sFilBMP, bool LoadandSave)
{
    path = sFilBMP;
    std::vector<uint8_t> file;
    if (!platform::ReadWholeFile(sFilPNG, file, MaxFileSize))
        file.clear(); // reads as too short: no signature
    int result = ReadPNG(file.data(), file.size(), LoadandSave);
    std::vector<uint8_t>().swap(file);
    if (result != PngOk || !LoadandSave)
        return result;

    if (sFilBMP.size() < 4) {
        std::vector<uint8_t>().swap(idatData);
        return PngBadPath;
    }
    size_t slash = sFilBMP.find_last_of(L'\\');
    size_t p = slash == std::wstring::npos ? 0 : slash + 1; // 1-based
    if (p <= 2) {
        std::vector<uint8_t>().swap(idatData);
        return PngBadPath;
    }
    std::wstring folder = p == 3 ? sFilBMP.substr(0, 3) : sFilBMP.substr(0, p - 1);
    if (!platform::FolderExists(folder)) {
        std::vector<uint8_t>().swap(idatData);
        return PngNoFolder;
    }
    if (platform::FileExists(sFilBMP)) {
        SetFileAttributesW(sFilBMP.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(sFilBMP.c_str());
    }

    std::vector<uint8_t> rows;
    int bits = 0;
    result = DecodeImage(rows, bits);
    if (result != PngOk)
        return result;
    if (!WriteBitmap(sFilBMP, rows, width, height, static_cast<int16_t>(bits), 1, 0))
        return PngWriteFailed;
    return PngOk;
}

int cPNG::ReadPNG(const uint8_t* file, size_t size, bool loadAndSave)
{
    int result = WalkChunks(file, size, loadAndSave);
    if (result != PngOk)
        std::vector<uint8_t>().swap(idatData);
    return result;
}

int cPNG::WalkChunks(const uint8_t* file, size_t size, bool loadAndSave)
{
    hasTransparency = false;
    width = height = 0;
    headerRead = false;
    idatData.clear();
    // Palette and transparency of an earlier file must not colour this one.
    paletteData.clear();
    trnsData.clear();

    if (size < 8 || std::memcmp(file, Signature, 8) != 0)
        return PngNotPng;
    size_t pos = 8;
    for (;;) {
        if (pos > size || size - pos < 8)
            return PngChunkPastEnd;
        const uint32_t len = SwapLong(file + pos);
        const uint8_t* type = file + pos + 4;
        const size_t dataPos = pos + 8;
        // At least one byte must follow the data (the CRC, which is not checked).
        if (uint64_t(dataPos) + len >= size)
            return PngChunkPastEnd;
        const uint8_t* data = file + dataPos;
        if (std::memcmp(type, "IHDR", 4) == 0) {
            if (len < 13)
                return PngBadHeader;
            width = static_cast<int32_t>(SwapLong(data));
            height = static_cast<int32_t>(SwapLong(data + 4));
            bitDepth = data[8];
            colorType = data[9];
            compression = data[10];
            filter = data[11];
            interlacing = data[12];
            headerRead = true;
        } else if (std::memcmp(type, "PLTE", 4) == 0) {
            if (loadAndSave)
                paletteData.assign(data, data + len);
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            if (loadAndSave) {
                if (idatData.size() + uint64_t(len) > MaxIdatSize)
                    return PngBadData;
                idatData.insert(idatData.end(), data, data + len);
            }
        } else if (std::memcmp(type, "tRNS", 4) == 0) {
            hasTransparency = true;
            if (loadAndSave)
                trnsData.assign(data, data + len);
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            break;
        }
        pos = dataPos + len + 4;
    }
    if (loadAndSave && idatData.empty())
        return PngNoImageData;
    return CheckHeader();
}

int cPNG::CheckHeader() const
{
    if (!headerRead || width <= 0 || height <= 0)
        return PngBadHeader;
    bool depthOk = false;
    switch (colorType) {
    case 0:
        depthOk = bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
        break;
    case 3:
        depthOk = bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
        break;
    case 2:
    case 4:
    case 6:
        depthOk = bitDepth == 8 || bitDepth == 16;
        break;
    default:
        break;
    }
    if (!depthOk || compression != 0 || filter != 0 || (interlacing != 0 && interlacing != 1))
        return PngBadHeader;
    return PngOk;
}

int cPNG::DecodeToBitmap(const uint8_t* file, size_t size, std::vector<uint8_t>& bmp)
{
    bmp.clear();
    int result = ReadPNG(file, size, true);
    if (result != PngOk)
        return result;
    std::vector<uint8_t> rows;
    int bits = 0;
    result = DecodeImage(rows, bits);
    if (result != PngOk)
        return result;
    size_t tableBytes = 0;
    const uint8_t* table = ColourTable(bits, tableBytes);
    bmp = png::BitmapFileHeader(rows.size(), width, height, bits, 1, 0, table, tableBytes);
    bmp.insert(bmp.end(), rows.begin(), rows.end());
    return PngOk;
}

int cPNG::DecodeImage(std::vector<uint8_t>& rows, int& bits)
{
    std::vector<uint8_t> idat;
    idat.swap(idatData);
    hasAlpha = false;
    rows.clear();

    const uint32_t w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
    const int bpp = png::BitsPerPixel(colorType, bitDepth);
    const bool interlaced = interlacing == 1;
    const uint64_t expected = png::DataSize(w, h, bpp, interlaced);
    if (uint64_t(w) * h > MaxPixels || expected > MaxImageData)
        return PngBadHeader;

    if (colorType == 3 && (paletteData.empty() || paletteData.size() % 3 || paletteData.size() > 768))
        return PngBadPalette;
    // A tRNS chunk that does not fit the image is ignored, as other viewers
    // do: the image shows without transparency.
    if (hasTransparency && ((colorType == 0 && trnsData.size() != 2) || (colorType == 2 && trnsData.size() != 6) ||
                            (colorType == 3 && trnsData.size() > paletteData.size() / 3))) {
        hasTransparency = false;
        trnsData.clear();
    }

    // The stream follows the 2-byte zlib header; its Adler-32 is not checked.
    if (idat.size() < 2)
        return PngBadData;
    const size_t compressed = idat.size() - 2;
    if (expected / MaxDeflateRatio > compressed + 64)
        return PngBadData; // far too short to hold the image: do not allocate for it
    std::vector<uint8_t> data;
    int inflated = inflater.Inflate(idat.data() + 2, compressed, static_cast<size_t>(expected), data);
    std::vector<uint8_t>().swap(idat);
    // Data past the last row is ignored, as other viewers do.
    if ((inflated != cInflate::Done && inflated != cInflate::TooMuchOutput) || data.size() != expected)
        return PngBadData;

    if (interlaced)
        data = png::Deinterlace(data, w, h, bpp);
    else
        png::UnfilterImage(data, w, h, bpp);

    int result = ConvertPixels(data, bits);
    std::vector<uint8_t>().swap(paletteData);
    if (result != PngOk)
        return result;
    rows.swap(data);
    return PngOk;
}

int cPNG::ConvertPixels(std::vector<uint8_t>& d, int& bits)
{
    const uint32_t w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
    const size_t pixels = size_t(w) * h;
    const bool interlaced = interlacing == 1;
    // Colour keys of 16-bit images are tested on the full samples, before
    // they are cut to 8 bits.
    std::vector<uint8_t> keyAlpha;
    bool key16 = false;
    bool padded = false;
    bits = 8;

    switch (colorType) {
    case 0:
        if (bitDepth == 16) {
            if (hasTransparency) {
                uint16_t key = static_cast<uint16_t>((trnsData[0] << 8) | trnsData[1]);
                keyAlpha = png::KeyAlpha16(d, pixels, 1, &key);
                key16 = true;
            }
            png::Reduce16To8(d);
            PutGreyTable(palette256, png::MakeGreyRamp(8));
        } else if (bitDepth == 2) {
            PutGreyTable(palette256, png::MakeGreyRamp(2));
            if (!interlaced) {
                d = png::Expand2To8(d, w, h);
                padded = true;
            }
        } else if (interlaced) {
            PutGreyTable(palette256, png::MakeGreyRamp(bitDepth));
        } else {
            bits = bitDepth;
            if (bitDepth == 4)
                PutGreyTable(palette16, png::MakeGreyRamp(4));
            else if (bitDepth == 8)
                PutGreyTable(palette256, png::MakeGreyRamp(8));
        }
        break;
    case 2:
        if (bitDepth == 16) {
            if (hasTransparency) {
                uint16_t key[3];
                for (int c = 0; c < 3; ++c)
                    key[c] = static_cast<uint16_t>((trnsData[2 * c] << 8) | trnsData[2 * c + 1]);
                keyAlpha = png::KeyAlpha16(d, pixels, 3, key);
                key16 = true;
            }
            png::Reduce16To8(d);
        }
        png::SwapRedBlue24(d);
        bits = 24;
        break;
    case 3: {
        size_t stride;
        if (interlaced) {
            stride = w;
        } else if (bitDepth == 2) {
            d = png::Expand2To8(d, w, h);
            padded = true;
            stride = png::DibStride(w, 8);
        } else {
            bits = bitDepth;
            stride = (size_t(w) * bits + 7) / 8;
        }
        if (!png::IndexesFit(d.data(), w, h, bits, stride, paletteData.size() / 3))
            return PngBadPalette;
        break;
    }
    case 4:
    case 6:
        hasAlpha = true;
        if (bitDepth == 16)
            png::Reduce16To8(d);
        if (colorType == 4)
            d = png::GreyAlphaTo32(d);
        else
            png::SwapRedBlue32(d);
        d = png::BlendAlphaTo24(d, w, h, backColour);
        padded = true;
        bits = 24;
        break;
    default:
        return PngBadHeader;
    }
    if (!padded)
        d = png::PadRows(std::move(d), w, h, bits);

    if (hasTransparency && (colorType == 0 || colorType == 3)) {
        std::vector<uint8_t> rgb(256 * 3, 0);
        uint8_t alpha[256];
        std::fill(alpha, alpha + 256, 255);
        if (colorType == 3) {
            std::copy(paletteData.begin(), paletteData.end(), rgb.begin());
            std::copy(trnsData.begin(), trnsData.end(), alpha);
        } else {
            std::vector<uint8_t> ramp = png::MakeGreyRamp(bitDepth == 16 ? 8 : bitDepth);
            std::copy(ramp.begin(), ramp.end(), rgb.begin());
            alpha[trnsData[1]] = 0;
        }
        d = png::PaletteAlphaTo32(d, w, h, bits, rgb.data(), alpha, key16 ? &keyAlpha : nullptr);
        d = png::BlendAlphaTo24(d, w, h, backColour);
        bits = 24;
    } else if (hasTransparency && colorType == 2) {
        const uint8_t key[3] = {trnsData[1], trnsData[3], trnsData[5]};
        d = png::ColourKeyTo32(d, w, h, key, key16 ? &keyAlpha : nullptr);
        d = png::BlendAlphaTo24(d, w, h, backColour);
        bits = 24;
    }
    SetColourTables(bits);
    return PngOk;
}

void cPNG::SetColourTables(int bits)
{
    if (bits == 1) {
        if (colorType == 3) {
            // Both entries from PLTE, however many it holds: a one-entry
            // palette keeps its colour.
            PutPaletteTable(palette2, 2, paletteData);
        } else {
            const uint8_t mono[8] = {0, 0, 0, 0, 255, 255, 255, 0};
            std::memcpy(palette2, mono, sizeof mono);
        }
    } else if (bits == 4 && colorType != 0) {
        PutPaletteTable(palette16, 16, paletteData);
    } else if (bits == 8 && colorType == 3) {
        PutPaletteTable(palette256, 256, paletteData);
    }
}

const uint8_t* cPNG::ColourTable(int bits, size_t& bytes) const
{
    switch (bits) {
    case 1:
        bytes = sizeof palette2;
        return palette2;
    case 4:
        bytes = sizeof palette16;
        return palette16;
    case 8:
        bytes = sizeof palette256;
        return palette256;
    default:
        bytes = 0;
        return nullptr;
    }
}

bool cPNG::WriteBitmap(const std::wstring& sFilePath, const std::vector<uint8_t>& PicBytes, int32_t BMPWidth,
                       int32_t BMPHeight, int16_t iDepth, int16_t Orientation, int32_t ColorUsed)
{
    if (iDepth != 1 && iDepth != 4 && iDepth != 8 && iDepth != 24 && iDepth != 32)
        return false;
    size_t tableBytes = 0;
    const uint8_t* table = ColourTable(iDepth, tableBytes);
    std::vector<uint8_t> header = png::BitmapFileHeader(PicBytes.size(), BMPWidth, BMPHeight, iDepth, Orientation,
                                                        static_cast<uint32_t>(ColorUsed), table, tableBytes);
    // No half-written picture for the viewer to load.
    platform::SafeFileWriter out(sFilePath, platform::ReadOnlyTarget::Replace);
    return out.Write(header.data(), header.size()) && out.Write(PicBytes.data(), PicBytes.size()) && out.Commit();
}
