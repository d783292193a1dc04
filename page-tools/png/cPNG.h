#pragma once
// The program's own PNG reader: walks the chunks of a PNG file, inflates and
// unfilters its image data, and writes it as a Windows bitmap file, flattened
// onto the background colour its caller gives (the button face). The image
// viewer decodes with it; the image tag reads only the header. The decoding
// core also works on bytes in memory.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cInflate.h"

class cPNG {
public:
    // Results of OpenPNG and ReadPNG.
    enum Result {
        PngOk = 0,
        PngNotPng = 1,       // no PNG signature; also a missing, empty or unreadable file
        PngChunkPastEnd = 2, // a chunk runs to or past the end of the file, or no IEND
        PngNoImageData = 3,  // IEND before any IDAT data
        PngBadPath = 4,      // the bitmap path is too short or names no folder
        PngNoFolder = 5,     // the bitmap path's folder does not exist
        PngBadHeader = 6,    // IHDR missing, short, or describing no image this reader can hold
        PngBadData = 7,      // the compressed image data is damaged or too short (data past the last row is ignored)
        PngBadPalette = 8,   // PLTE does not fit the image, or an index lies past the palette (a tRNS
                             // that does not fit is ignored)
        PngWriteFailed = 9,  // the bitmap file could not be written
    };

    // Images above these sizes are refused, so that no file can exhaust memory.
    static constexpr uint64_t MaxPixels = uint64_t(1) << 25;
    static constexpr uint64_t MaxImageData = uint64_t(1) << 28;

    // Fully transparent pixels are flattened onto backColour (0x00BBGGRR):
    // the caller passes the button-face colour its window shows.
    static constexpr uint32_t DefaultBackColour = 0xDDDDDD;
    explicit cPNG(uint32_t backColour = DefaultBackColour);

    // Reads sFilPNG; with LoadandSave also decodes it and writes the bitmap
    // file sFilBMP. 0 only when everything asked for was done.
    int OpenPNG(const std::wstring& sFilPNG, const std::wstring& sFilBMP, bool LoadandSave);
    // The chunk walk of OpenPNG over a file held in memory.
    int ReadPNG(const uint8_t* file, size_t size, bool loadAndSave);
    // ReadPNG with decoding; bmp receives the bytes of the bitmap file.
    int DecodeToBitmap(const uint8_t* file, size_t size, std::vector<uint8_t>& bmp);

    const std::wstring& Path() const { return path; }
    int32_t Width() const { return width; }
    int32_t Height() const { return height; }
    int32_t BitDepth() const { return bitDepth; }
    int32_t ColorType() const { return colorType; }
    int32_t Compression() const { return compression; }
    int32_t Filter() const { return filter; }
    int32_t Interlacing() const { return interlacing; }
    bool HasAlpha() const { return hasAlpha; }
    bool HasTransparency() const { return hasTransparency; }
    uint32_t BackColour() const { return backColour; }

    // Writes a bitmap file of padded rows with the colour table of its depth
    // (1, 4, 8, 24 or 32 bits); false when it could not be written.
    bool WriteBitmap(const std::wstring& sFilePath, const std::vector<uint8_t>& PicBytes, int32_t BMPWidth,
                     int32_t BMPHeight, int16_t iDepth, int16_t Orientation, int32_t ColorUsed);

    // "temp\pngtob.bmp" in the folder of the running program.
    static std::wstring TempBitmapPath();

private:
    int WalkChunks(const uint8_t* file, size_t size, bool loadAndSave);
    int CheckHeader() const;
    int DecodeImage(std::vector<uint8_t>& rows, int& bits);
    int ConvertPixels(std::vector<uint8_t>& data, int& bits);
    void SetColourTables(int bits);
    const uint8_t* ColourTable(int bits, size_t& bytes) const;

    std::wstring path;
    int32_t width = 0, height = 0;
    int32_t bitDepth = 0, colorType = 0, compression = 0, filter = 0, interlacing = 0;
    bool headerRead = false;
    std::vector<uint8_t> idatData;
    std::vector<uint8_t> paletteData; // PLTE as stored: red, green, blue
    std::vector<uint8_t> trnsData;    // tRNS as stored
    bool hasTransparency = false;
    bool hasAlpha = false;
    uint32_t backColour;
    uint8_t palette2[2 * 4] = {};     // bitmap colour tables: blue, green, red, 0
    uint8_t palette16[16 * 4] = {};
    uint8_t palette256[256 * 4] = {};
    cInflate inflater;
};
