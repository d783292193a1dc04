// The deflate decoder against zlib's encoder, and hand-built streams for the
// code shapes zlib never writes.
#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

#include "PngWriter.h"
#include "png/cInflate.h"

namespace {

using pngtest::RawDeflate;

// Writes deflate bits, least significant first; Huffman codes go most
// significant bit first.
struct BitWriter {
    std::vector<uint8_t> bytes;
    unsigned used = 0;
    void Put(unsigned value, unsigned n)
    {
        for (unsigned i = 0; i < n; ++i) {
            if (used % 8 == 0)
                bytes.push_back(0);
            bytes.back() |= ((value >> i) & 1) << (used % 8);
            ++used;
        }
    }
    void PutCode(unsigned code, unsigned len)
    {
        for (unsigned i = len; i-- > 0;)
            Put((code >> i) & 1, 1);
    }
};

std::vector<unsigned> CanonicalCodes(const std::vector<uint8_t>& lens)
{
    unsigned count[16] = {}, next[16] = {};
    for (uint8_t l : lens)
        ++count[l];
    count[0] = 0;
    unsigned code = 0;
    for (int l = 1; l < 16; ++l) {
        code = (code + count[l - 1]) << 1;
        next[l] = code;
    }
    std::vector<unsigned> codes(lens.size());
    for (size_t s = 0; s < lens.size(); ++s)
        if (lens[s])
            codes[s] = next[lens[s]]++;
    return codes;
}

// One item of a hand-built block: a literal/length symbol with its extra
// bits, or a distance code with its extra bits.
struct Item {
    unsigned sym;
    bool dist = false;
    unsigned extra = 0, extraBits = 0;
};

// A final dynamic block. The code-length code gives symbols 0-12 four bits
// and 13-18 five (a complete code); every length is sent as its own symbol
// unless `lead` puts raw code-length symbols first.
std::vector<uint8_t> DynamicBlock(const std::vector<uint8_t>& lit, const std::vector<uint8_t>& dist,
                                  const std::vector<Item>& items, const std::vector<unsigned>& lead = {})
{
    static const uint8_t order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    std::vector<uint8_t> clLens(19);
    for (int s = 0; s < 19; ++s)
        clLens[s] = s < 13 ? 4 : 5;
    const std::vector<unsigned> clCodes = CanonicalCodes(clLens);
    BitWriter w;
    w.Put(1, 1);
    w.Put(2, 2);
    w.Put(static_cast<unsigned>(lit.size() - 257), 5);
    w.Put(static_cast<unsigned>(dist.size() - 1), 5);
    w.Put(15, 4);
    for (int i = 0; i < 19; ++i)
        w.Put(clLens[order[i]], 3);
    for (unsigned s : lead) {
        w.PutCode(clCodes[s], clLens[s]);
        if (s == 16)
            w.Put(0, 2);
    }
    for (uint8_t l : lit)
        w.PutCode(clCodes[l], clLens[l]);
    for (uint8_t l : dist)
        w.PutCode(clCodes[l], clLens[l]);
    const std::vector<unsigned> litCodes = CanonicalCodes(lit), distCodes = CanonicalCodes(dist);
    for (const Item& it : items) {
        if (it.dist)
            w.PutCode(distCodes[it.sym], dist[it.sym]);
        else
            w.PutCode(litCodes[it.sym], lit[it.sym]);
        w.Put(it.extra, it.extraBits);
    }
    w.Put(0, 32); // room, like the trailer of a zlib stream
    return w.bytes;
}

std::string InflateText(cInflate& inf, const std::vector<uint8_t>& stream, size_t expected, int& result)
{
    std::vector<uint8_t> out;
    result = inf.Inflate(stream.data(), stream.size(), expected, out);
    return std::string(out.begin(), out.end());
}

} // namespace

TEST(cInflate, DecodesWhatZlibWritesAtEveryLevelAndStrategy)
{
    std::mt19937 rng(42);
    std::vector<std::vector<uint8_t>> sets;
    std::vector<uint8_t> random(70000), text, zeros(300000, 0), mixed;
    for (auto& b : random)
        b = static_cast<uint8_t>(rng());
    const char* words[] = {"alpha ", "beta ", "gamma ", "delta\n", "<td>", "</tr>"};
    while (text.size() < 200000)
        for (char c : std::string(words[rng() % 6]))
            text.push_back(static_cast<uint8_t>(c));
    for (int i = 0; i < 100000; ++i)
        mixed.push_back(static_cast<uint8_t>(i % 7 == 0 ? rng() : (i / 300) & 0xFF));
    sets = {random, text, zeros, mixed, {}};

    cInflate inf; // one object: the fixed tables are built once and reused
    for (const auto& data : sets)
        for (int level : {0, 1, 6, 9})
            for (int strategy : {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED}) {
                std::vector<uint8_t> z = RawDeflate(data, level, strategy), out;
                ASSERT_EQ(inf.Inflate(z.data(), z.size(), data.size(), out), 0) << level << " " << strategy;
                ASSERT_TRUE(out == data) << level << " " << strategy;
            }
}

TEST(cInflate, StoredBlocks)
{
    cInflate inf;
    int r;
    EXPECT_EQ(InflateText(inf, {0x01, 0x00, 0x00, 0xFF, 0xFF}, 0, r), "");
    EXPECT_EQ(r, 0);
    EXPECT_EQ(InflateText(inf, {0x01, 0x03, 0x00, 0xFC, 0xFF, 'a', 'b', 'c'}, 3, r), "abc");
    EXPECT_EQ(r, 0);
    InflateText(inf, {0x01, 0x03, 0x00, 0x00, 0x00, 'a', 'b', 'c'}, 3, r);
    EXPECT_EQ(r, cInflate::BadData); // NLEN is not the complement of LEN
    InflateText(inf, {0x01, 0x05, 0x00, 0xFA, 0xFF, 'a', 'b', 'c'}, 5, r);
    EXPECT_EQ(r, cInflate::InputEnded);
    EXPECT_EQ(InflateText(inf, {0x01, 0x03, 0x00, 0xFC, 0xFF, 'a', 'b', 'c'}, 2, r), "ab");
    EXPECT_EQ(r, cInflate::TooMuchOutput) << "the expected bytes, and word that more follows";
    InflateText(inf, {0x07, 0, 0, 0}, 10, r);
    EXPECT_EQ(r, cInflate::InputEnded); // block type 3
}

TEST(cInflate, SingleDistanceCodeAndBlocksWithoutDistances)
{
    cInflate inf;
    int r;
    // Literal/length code: 'a', 'b', 256, 257 at two bits each; one distance
    // code (0, distance 1) of one bit, which RFC 1951 allows.
    std::vector<uint8_t> lit(258, 0), dist(1, 1);
    lit['a'] = lit['b'] = lit[256] = lit[257] = 2;
    std::vector<Item> items = {{'a'}, {'b'}, {257}, {0, true}, {256}};
    EXPECT_EQ(InflateText(inf, DynamicBlock(lit, dist, items), 5, r), "abbbb");
    EXPECT_EQ(r, 0);

    // No distance codes at all: literals only.
    std::vector<uint8_t> lit2(257, 0), none(1, 0);
    lit2['x'] = 1;
    lit2['y'] = lit2[256] = 2;
    EXPECT_EQ(InflateText(inf, DynamicBlock(lit2, none, {{'x'}, {'y'}, {'x'}, {256}}), 3, r), "xyx");
    EXPECT_EQ(r, 0);
    // ... and a length symbol in such a block is an error, not a crash.
    std::vector<uint8_t> lit3 = lit;
    InflateText(inf, DynamicBlock(lit3, none, {{'a'}, {257}, {0, true}, {256}}), 10, r);
    EXPECT_NE(r, 0);
}

TEST(cInflate, DamagedStreamsFail)
{
    cInflate inf;
    int r;
    std::vector<uint8_t> lit(258, 0), dist(2, 1);
    lit['a'] = lit['b'] = lit[256] = lit[257] = 2;
    // Distance 2 with one byte written: before the start of the output.
    InflateText(inf, DynamicBlock(lit, dist, {{'a'}, {257}, {1, true}, {256}}), 10, r);
    EXPECT_EQ(r, cInflate::BadData);
    // A repeat code with nothing to repeat.
    InflateText(inf, DynamicBlock(lit, dist, {{'a'}, {256}}, {16}), 10, r);
    EXPECT_EQ(r, cInflate::BadData);
    // Over-subscribed and incomplete literal/length codes.
    std::vector<uint8_t> over(257, 0), part(257, 0);
    over['a'] = over['b'] = over[256] = 1;
    part['a'] = 1;
    part[256] = 2;
    InflateText(inf, DynamicBlock(over, dist, {{'a'}, {256}}), 10, r);
    EXPECT_EQ(r, cInflate::BadData);
    InflateText(inf, DynamicBlock(part, dist, {{'a'}, {256}}), 10, r);
    EXPECT_EQ(r, cInflate::BadData);

    // More data than expected, and a stream cut short.
    std::vector<uint8_t> data(1000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 7 % 13);
    std::vector<uint8_t> z = RawDeflate(data, 6, Z_DEFAULT_STRATEGY), out;
    EXPECT_EQ(inf.Inflate(z.data(), z.size(), 999, out), cInflate::TooMuchOutput);
    EXPECT_TRUE(out == std::vector<uint8_t>(data.begin(), data.begin() + 999)) << "the expected bytes come whole";
    for (size_t cut = 0; cut < z.size(); ++cut) {
        EXPECT_NE(inf.Inflate(z.data(), cut, data.size(), out), 0) << cut;
        EXPECT_LE(out.size(), data.size());
    }
    // The same object still decodes sound data afterwards.
    EXPECT_EQ(inf.Inflate(z.data(), z.size(), data.size(), out), 0);
    EXPECT_TRUE(out == data);
}
