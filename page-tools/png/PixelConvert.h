#pragma once
// Conversion of unfiltered PNG samples to the rows of a Windows bitmap of 1,
// 4, 8 or 24 bits per pixel, transparency flattened onto a background colour,
// and the bytes of the bitmap file. Needs no window.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace png {

// Bytes of one bitmap row: whole 32-bit units.
uint32_t DibStride(uint32_t width, int bits);

// Keeps the most significant byte of every 16-bit sample.
void Reduce16To8(std::vector<uint8_t>& data);
// Packed 2-bit rows to padded 8-bit rows, one sample per byte.
std::vector<uint8_t> Expand2To8(const std::vector<uint8_t>& packed, uint32_t width, uint32_t height);
// RGB to blue, green, red order, in place, for 3- and 4-byte pixels.
void SwapRedBlue24(std::vector<uint8_t>& data);
void SwapRedBlue32(std::vector<uint8_t>& data);
// Grey, alpha pairs to grey, grey, grey, alpha.
std::vector<uint8_t> GreyAlphaTo32(const std::vector<uint8_t>& data);
// Unpadded rows of (width x bits + 7) / 8 bytes to padded bitmap rows.
std::vector<uint8_t> PadRows(std::vector<uint8_t>&& data, uint32_t width, uint32_t height, int bits);

// The grey ramp of a bit depth as 3-byte red, green, blue entries: 2^depth
// entries (256 for 16 bits), level i = i x round(255 / (entries - 1)).
std::vector<uint8_t> MakeGreyRamp(int depth);

// Per-pixel alpha (0 or 255) of a colour key tested on 16-bit samples, before
// they are reduced: samples holds `channels` big-endian 16-bit values a pixel.
std::vector<uint8_t> KeyAlpha16(const std::vector<uint8_t>& samples, size_t pixels, int channels, const uint16_t* key);

// Indexed padded rows (1, 4 or 8 bits) to 32-bit pixels through a 3-byte RGB
// palette and an alpha per index; keyAlpha, when given, holds each pixel's
// alpha instead. Indexes must lie within the palette (see IndexesFit).
std::vector<uint8_t> PaletteAlphaTo32(const std::vector<uint8_t>& rows, uint32_t width, uint32_t height, int bits,
                                      const uint8_t* paletteRGB, const uint8_t* alphaByIndex,
                                      const std::vector<uint8_t>* keyAlpha);
// Padded 24-bit rows (blue, green, red) to 32-bit pixels, alpha 0 where the
// pixel equals the key (red, green, blue) or, with keyAlpha, as given there.
std::vector<uint8_t> ColourKeyTo32(const std::vector<uint8_t>& rows, uint32_t width, uint32_t height,
                                   const uint8_t keyRGB[3], const std::vector<uint8_t>* keyAlpha);
// 32-bit pixels blended onto backColour (0x00BBGGRR) into padded 24-bit rows.
std::vector<uint8_t> BlendAlphaTo24(const std::vector<uint8_t>& pixels, uint32_t width, uint32_t height,
                                    uint32_t backColour);

// True when every index of the rows (packed or padded by stride; 1, 2, 4 or
// 8 bits) is below `entries`.
bool IndexesFit(const uint8_t* rows, uint32_t width, uint32_t height, int bits, size_t stride, size_t entries);

// The colour "ButtonFace" as "red green blue" text to 0x00BBGGRR:
// 0xDDDDDD unless it splits into exactly three parts, black when one of them
// is not a number.
uint32_t ParseButtonFace(const std::wstring& text);

// The file header, info header and colour table of a bitmap file whose pixel
// data (pixelBytes long) follows. Orientation non-zero means top-down rows.
std::vector<uint8_t> BitmapFileHeader(size_t pixelBytes, int32_t width, int32_t height, int depth,
                                      int orientation, uint32_t colorUsed, const uint8_t* table, size_t tableBytes);

} // namespace png
