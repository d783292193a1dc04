#include "cInflate.h"

#include <algorithm>
#include <cstring>

namespace {

// Table entry: bits 0-3 code length, 4-7 extra bits (sub-table bits for a
// link), 8-11 kind, 16-31 value (literal, length or distance base, symbol,
// or sub-table offset).
enum Kind : uint32_t { KLit = 0, KLen = 1, KEnd = 2, KBad = 3, KLink = 4, KDist = 5 };

constexpr uint32_t MakeEntry(uint32_t kind, uint32_t value, uint32_t len, uint32_t extra)
{
    return (value << 16) | (kind << 8) | (extra << 4) | len;
}
constexpr uint32_t EntryLen(uint32_t e) { return e & 15; }
constexpr uint32_t EntryExtra(uint32_t e) { return (e >> 4) & 15; }
constexpr uint32_t EntryKind(uint32_t e) { return (e >> 8) & 15; }
constexpr uint32_t EntryValue(uint32_t e) { return e >> 16; }

constexpr uint32_t BadEntry = MakeEntry(KBad, 0, 0, 0);

const uint16_t LengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const uint8_t LengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint16_t DistBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                               193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const uint8_t DistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
const uint8_t CodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

uint32_t SymbolEntry(cInflate::Alphabet alphabet, unsigned sym, unsigned len)
{
    switch (alphabet) {
    case cInflate::Alphabet::CodeLengths:
        return MakeEntry(KLit, sym, len, 0);
    case cInflate::Alphabet::LitLen:
        if (sym < 256)
            return MakeEntry(KLit, sym, len, 0);
        if (sym == 256)
            return MakeEntry(KEnd, 0, len, 0);
        if (sym <= 285)
            return MakeEntry(KLen, LengthBase[sym - 257], len, LengthExtra[sym - 257]);
        break; // 286 and 287 never occur in a valid stream
    case cInflate::Alphabet::Distance:
        if (sym < 30)
            return MakeEntry(KDist, DistBase[sym], len, DistExtra[sym]);
        break; // 30 and 31 would reach beyond the 32 KB window
    }
    return MakeEntry(KBad, 0, len, 0);
}

inline uint64_t Load64(const uint8_t* p)
{
    uint64_t v;
    std::memcpy(&v, p, 8); // little-endian target: byte 0 lands in the low bits
    return v;
}

} // namespace

// Bits are taken least significant first. The buffer is refilled eight bytes
// at a time while the input lasts; bits above `count` are either zero or the
// true next bits, so re-loading a byte is harmless. Near the end, bits past
// the input read as zero, and every use checks `count` so that a code which
// needed them is reported as the input ending.
struct cInflate::BitReader {
    const uint8_t* pos;
    const uint8_t* end;
    uint64_t bits = 0;
    unsigned count = 0;

    void Refill()
    {
        if (end - pos >= 8) {
            bits |= Load64(pos) << count;
            pos += (63 - count) >> 3;
            count |= 56;
        } else {
            while (count <= 56 && pos < end) {
                bits |= uint64_t(*pos++) << count;
                count += 8;
            }
        }
    }
    // The next n bits (n <= 32); false when the input holds fewer.
    bool Get(unsigned n, uint32_t& value)
    {
        if (count < n)
            Refill();
        if (count < n)
            return false;
        value = static_cast<uint32_t>(bits & ((uint64_t(1) << n) - 1));
        bits >>= n;
        count -= n;
        return true;
    }
    // Looks up the next code; the entry, or a bad one when the code needs
    // bits the input does not have.
    uint32_t Decode(const HuffTable& t)
    {
        uint32_t e = t.entries[bits & ((1u << t.rootBits) - 1)];
        if (EntryKind(e) == KLink)
            e = t.entries[EntryValue(e) + ((bits >> t.rootBits) & ((1u << EntryExtra(e)) - 1))];
        if (EntryLen(e) > count || EntryKind(e) == KBad)
            return BadEntry;
        bits >>= EntryLen(e);
        count -= EntryLen(e);
        return e;
    }
};

unsigned cInflate::ReverseBits(unsigned code, unsigned n)
{
    unsigned r = 0;
    for (unsigned i = 0; i < n; ++i) {
        r = (r << 1) | (code & 1);
        code >>= 1;
    }
    return r;
}

int cInflate::BuildHuffmanTable(const uint8_t* lengths, unsigned count, Alphabet alphabet, HuffTable& table)
{
    unsigned lenCount[16] = {};
    for (unsigned s = 0; s < count; ++s) {
        if (lengths[s] > 15)
            return -1;
        ++lenCount[lengths[s]];
    }
    lenCount[0] = 0;
    unsigned maxLen = 0;
    for (unsigned l = 1; l < 16; ++l)
        if (lenCount[l])
            maxLen = l;

    int left = 1;
    for (unsigned l = 1; l < 16; ++l) {
        left = left * 2 - static_cast<int>(lenCount[l]);
        if (left < 0)
            return left; // over-subscribed
    }
    // An incomplete code is a fault, except the single one-bit code that
    // RFC 1951 allows (one distance code, or one literal/length code), and a
    // code with no symbols at all, which fails only if a symbol is read.
    if (left > 0 && maxLen > 0) {
        bool single = maxLen == 1 && lenCount[1] == 1 && alphabet != Alphabet::CodeLengths;
        if (!single)
            return left;
    }
    if (maxLen == 0 && alphabet == Alphabet::CodeLengths)
        return -1;

    const unsigned rootLimit = alphabet == Alphabet::LitLen ? 10 : (alphabet == Alphabet::Distance ? 8 : 7);
    unsigned root = std::max(1u, std::min(maxLen, rootLimit));
    table.rootBits = root;
    table.entries.assign(size_t(1) << root, BadEntry);

    unsigned next[16] = {};
    unsigned code = 0;
    for (unsigned l = 1; l < 16; ++l) {
        code = (code + lenCount[l - 1]) << 1;
        next[l] = code;
    }
    const unsigned rootSize = 1u << root;
    for (unsigned s = 0; s < count; ++s) {
        unsigned len = lengths[s];
        if (!len)
            continue;
        unsigned rev = ReverseBits(next[len]++, len);
        uint32_t entry = SymbolEntry(alphabet, s, len);
        if (len <= root) {
            for (unsigned i = rev; i < rootSize; i += 1u << len)
                table.entries[i] = entry;
            continue;
        }
        unsigned prefix = rev & (rootSize - 1);
        if (EntryKind(table.entries[prefix]) != KLink) {
            unsigned subBits = maxLen - root;
            uint32_t offset = static_cast<uint32_t>(table.entries.size());
            table.entries.resize(table.entries.size() + (size_t(1) << subBits), BadEntry);
            table.entries[prefix] = MakeEntry(KLink, offset, root, subBits);
        }
        uint32_t link = table.entries[prefix];
        unsigned subSize = 1u << EntryExtra(link);
        for (unsigned i = rev >> root; i < subSize; i += 1u << (len - root))
            table.entries[EntryValue(link) + i] = entry;
    }
    return 0;
}

int cInflate::BuildFixedTables()
{
    if (!fixedBuilt) {
        uint8_t lens[288];
        std::fill(lens, lens + 144, 8);
        std::fill(lens + 144, lens + 256, 9);
        std::fill(lens + 256, lens + 280, 7);
        std::fill(lens + 280, lens + 288, 8);
        uint8_t dlens[32];
        std::fill(dlens, dlens + 32, 5);
        if (BuildHuffmanTable(lens, 288, Alphabet::LitLen, fixedLit) != 0 ||
            BuildHuffmanTable(dlens, 32, Alphabet::Distance, fixedDist) != 0)
            return BadData;
        fixedBuilt = true;
    }
    return Done;
}

int cInflate::BuildDynamicTables(BitReader& br)
{
    uint32_t hlit, hdist, hclen;
    if (!br.Get(5, hlit) || !br.Get(5, hdist) || !br.Get(4, hclen))
        return InputEnded;
    hlit += 257;
    hdist += 1;
    hclen += 4;
    if (hlit > 286)
        return BadData;

    uint8_t clens[19] = {};
    for (unsigned i = 0; i < hclen; ++i) {
        uint32_t v;
        if (!br.Get(3, v))
            return InputEnded;
        clens[CodeLengthOrder[i]] = static_cast<uint8_t>(v);
    }
    HuffTable clTable;
    if (BuildHuffmanTable(clens, 19, Alphabet::CodeLengths, clTable) != 0)
        return BadData;

    uint8_t lens[286 + 32] = {};
    const unsigned total = hlit + hdist;
    unsigned n = 0;
    while (n < total) {
        br.Refill();
        uint32_t e = br.Decode(clTable);
        if (EntryKind(e) == KBad)
            return br.pos == br.end ? InputEnded : BadData;
        unsigned sym = EntryValue(e);
        if (sym < 16) {
            lens[n++] = static_cast<uint8_t>(sym);
            continue;
        }
        uint32_t extra;
        unsigned repeat;
        uint8_t value = 0;
        if (sym == 16) {
            if (n == 0)
                return BadData; // nothing to repeat
            value = lens[n - 1];
            if (!br.Get(2, extra))
                return InputEnded;
            repeat = 3 + extra;
        } else if (sym == 17) {
            if (!br.Get(3, extra))
                return InputEnded;
            repeat = 3 + extra;
        } else {
            if (!br.Get(7, extra))
                return InputEnded;
            repeat = 11 + extra;
        }
        if (repeat > total - n)
            return BadData;
        std::fill(lens + n, lens + n + repeat, value);
        n += repeat;
    }
    if (lens[256] == 0)
        return BadData; // a block must be able to end
    if (BuildHuffmanTable(lens, hlit, Alphabet::LitLen, litTable) != 0 ||
        BuildHuffmanTable(lens + hlit, hdist, Alphabet::Distance, distTable) != 0)
        return BadData;
    return Done;
}

int cInflate::CopyStored(BitReader& br)
{
    // Back to the byte boundary; whole bytes still in the bit buffer go back
    // to the input.
    br.bits >>= br.count & 7;
    br.count -= br.count & 7;
    br.pos -= br.count / 8;
    br.bits = 0;
    br.count = 0;
    if (br.end - br.pos < 4)
        return InputEnded;
    unsigned len = br.pos[0] | (br.pos[1] << 8);
    unsigned nlen = br.pos[2] | (br.pos[3] << 8);
    br.pos += 4;
    if ((len ^ 0xFFFF) != nlen)
        return BadData;
    if (len > static_cast<size_t>(br.end - br.pos))
        return InputEnded;
    if (len > static_cast<size_t>(outEnd - outPos)) {
        // The expected output ends inside this block: keep what fits.
        const size_t room = static_cast<size_t>(outEnd - outPos);
        std::memcpy(outPos, br.pos, room);
        outPos += room;
        return TooMuchOutput;
    }
    std::memcpy(outPos, br.pos, len);
    outPos += len;
    br.pos += len;
    return Done;
}

int cInflate::DecodeBlock(BitReader& br, const HuffTable& lit, const HuffTable& dist)
{
    uint8_t* op = outPos;
    uint8_t* const oend = outEnd;
    int result = Done;
    for (;;) {
        // Fifteen bits cover any code; a full buffer serves several literals.
        if (br.count < 15)
            br.Refill();
        const uint32_t e = br.Decode(lit);
        const uint32_t kind = EntryKind(e);
        if (kind == KLit) {
            if (op == oend) {
                result = TooMuchOutput;
                break;
            }
            *op++ = static_cast<uint8_t>(EntryValue(e));
            continue;
        }
        if (kind == KEnd)
            break;
        if (kind != KLen) {
            result = br.pos == br.end ? InputEnded : BadData;
            break;
        }
        br.Refill(); // length extra, distance code and its extra: at most 33 bits
        uint32_t extra;
        if (!br.Get(EntryExtra(e), extra)) {
            result = InputEnded;
            break;
        }
        const size_t length = EntryValue(e) + extra;
        const uint32_t d = br.Decode(dist);
        if (EntryKind(d) != KDist) {
            result = br.pos == br.end ? InputEnded : BadData;
            break;
        }
        if (!br.Get(EntryExtra(d), extra)) {
            result = InputEnded;
            break;
        }
        const size_t distance = EntryValue(d) + extra;
        if (distance > static_cast<size_t>(op - outStart)) {
            result = BadData; // reaches before the start of the output
            break;
        }
        if (length > static_cast<size_t>(oend - op)) {
            // The expected output ends inside this copy: keep what fits.
            const uint8_t* from = op - distance;
            while (op < oend)
                *op++ = *from++;
            result = TooMuchOutput;
            break;
        }
        const uint8_t* src = op - distance;
        uint8_t* const stop = op + length;
        if (distance >= 8) {
            // Eight bytes at a time: the buffer has slack past its end for the
            // last chunk, and at a distance of eight or more a chunk never
            // reads bytes it writes.
            do {
                std::memcpy(op, src, 8);
                op += 8;
                src += 8;
            } while (op < stop);
            op = stop;
        } else if (distance == 1) {
            std::memset(op, *src, length);
            op = stop;
        } else {
            // A short repeating pattern: each 8-byte load and store carries
            // one whole period, the only bytes of it already written.
            do {
                uint64_t v;
                std::memcpy(&v, src, 8);
                std::memcpy(op, &v, 8);
                op += distance;
                src += distance;
            } while (op < stop);
            op = stop;
        }
    }
    outPos = op;
    return result;
}

int cInflate::Inflate(const uint8_t* in, size_t inSize, size_t expected, std::vector<uint8_t>& out)
{
    // Eight bytes of slack let match copies run in whole 8-byte chunks.
    out.assign(expected + 8, 0);
    outStart = outPos = out.data();
    outEnd = outStart + expected;

    BitReader br{in, in + inSize};
    int result = InputEnded;
    for (;;) {
        uint32_t final, type;
        if (!br.Get(1, final) || !br.Get(2, type)) {
            result = InputEnded;
            break;
        }
        if (type == 0) {
            result = CopyStored(br);
        } else if (type == 1) {
            result = BuildFixedTables();
            if (result == Done)
                result = DecodeBlock(br, fixedLit, fixedDist);
        } else if (type == 2) {
            result = BuildDynamicTables(br);
            if (result == Done)
                result = DecodeBlock(br, litTable, distTable);
        } else {
            result = InputEnded;
        }
        if (result != Done || final)
            break;
    }
    out.resize(static_cast<size_t>(outPos - outStart));
    litTable.entries.clear();
    distTable.entries.clear();
    outStart = outPos = outEnd = nullptr;
    return result;
}
