#pragma once
// Checks of a bitmap or icon file's bytes against the sizes its headers
// claim. The system's loaders trust those sizes and read past the end of a
// short file, showing memory from beyond it: such files are refused before
// they get there.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace images {

// A bitmap file whose headers, colour table and pixels lie within its bytes:
// the OS/2 header of 12 bytes (palette of 3-byte entries) or a Windows header
// of 40 bytes or more; uncompressed and bit-field pixels by their row size,
// run-length pixels (RLE8, RLE4) by walking the runs to the end-of-bitmap
// mark, other compressions by the image size the header gives.
bool WholeBitmapFile(const std::vector<uint8_t>& bytes);

// An icon or cursor file whose directory and every image lie within its bytes.
bool WholeIconFile(const std::vector<uint8_t>& bytes);

// The offset and size of the first image of an icon file that is stored as
// a PNG (as the 256-pixel images of modern icons are); false when it has none.
bool IconPngFrame(const std::vector<uint8_t>& bytes, size_t& offset, size_t& size, long& width, long& height);

} // namespace images
