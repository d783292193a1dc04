#pragma once
// Deflate decoder (RFC 1951) of cPNG: stored, fixed and dynamic blocks into
// one output buffer sized from the image. Needs no window.
#include <cstddef>
#include <cstdint>
#include <vector>

class cInflate {
public:
    enum Result {
        Done = 0,          // the final block was decoded
        InputEnded = -1,   // the stream stopped early, or a block of type 3
        BadData = -2,      // a stored length check, a code table or a code failed
        TooMuchOutput = -3 // the stream holds more than the expected size; out holds the first `expected` bytes
    };

    // Decodes a raw deflate stream (no zlib header). out ends up holding the
    // bytes written, never more than `expected`.
    int Inflate(const uint8_t* in, size_t inSize, size_t expected, std::vector<uint8_t>& out);

    // A decoding table: a root table indexed by the next rootBits bits of the
    // stream, with sub-tables for the longer codes behind link entries.
    struct HuffTable {
        std::vector<uint32_t> entries;
        unsigned rootBits = 0;
    };
    enum class Alphabet { CodeLengths, LitLen, Distance };
    // Builds a canonical-code table from code lengths; 0 on success, a
    // negative status for an over-subscribed or (where not allowed) incomplete
    // code.
    static int BuildHuffmanTable(const uint8_t* lengths, unsigned count, Alphabet alphabet, HuffTable& table);
    static unsigned ReverseBits(unsigned code, unsigned n);

private:
    struct BitReader;

    int BuildFixedTables();
    int BuildDynamicTables(BitReader& br);
    int DecodeBlock(BitReader& br, const HuffTable& lit, const HuffTable& dist);
    int CopyStored(BitReader& br);

    HuffTable litTable, distTable;           // the block being decoded
    HuffTable fixedLit, fixedDist;           // kept for the object's lifetime
    bool fixedBuilt = false;

    uint8_t* outStart = nullptr;
    uint8_t* outPos = nullptr;
    uint8_t* outEnd = nullptr;
};
