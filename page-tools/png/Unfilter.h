#pragma once
// Undoing the PNG row filters and the Adam7 interlace: decompressed image
// data in, plain rows of samples out. Needs no window.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace png {

// Bits of one pixel for a colour type and bit depth; 0 for an unknown type.
int BitsPerPixel(int colorType, int bitDepth);
// Distance to the left neighbour in the filters: whole bytes, at least 1.
int BytesPerPixel(int bitsPerPixel);
// One filtered row of a non-interlaced image, its filter-type byte included.
uint64_t RowBytes(uint32_t width, int bitsPerPixel);

// Pass 1 to 7 of Adam7: its pixels in a row of the given width, its rows in
// an image of the given height.
uint32_t PassPixels(int pass, uint32_t width);
uint32_t PassRows(int pass, uint32_t height);
// Bytes of one pass row without its filter byte; 0 when the pass is empty.
uint64_t PassRowBytes(uint32_t width, int bitsPerPixel, int pass);
// The exact size of the decompressed data of an image.
uint64_t InterlacedDataSize(uint32_t width, uint32_t height, int bitsPerPixel);
uint64_t DataSize(uint32_t width, uint32_t height, int bitsPerPixel, bool interlaced);

uint8_t PaethPredictor(int left, int above, int upperLeft);
// Undoes one filter on a row of n bytes in place; prev is the previous
// reconstructed row (all zero for the first). Unknown types leave the row.
void UnfilterRow(int filterType, uint8_t* row, const uint8_t* prev, size_t n, int bytesPerPixel);

// Non-interlaced data to height rows of (RowBytes - 1) bytes, packed as in the
// file; done in place. Rows the data lacks come out zero.
void UnfilterImage(std::vector<uint8_t>& data, uint32_t width, uint32_t height, int bitsPerPixel);
// Interlaced data to width x height pixels, top row first, no padding: whole
// bytes per pixel from 8 bits up, else one byte per pixel holding the sample.
std::vector<uint8_t> Deinterlace(std::vector<uint8_t>& data, uint32_t width, uint32_t height, int bitsPerPixel);
// Unpacks 1-, 2- or 4-bit samples, most significant bits first, one per byte.
void ExpandPackedRow(const uint8_t* row, int depth, size_t pixels, uint8_t* out);

} // namespace png
