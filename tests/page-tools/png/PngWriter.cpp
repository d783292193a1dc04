#include "PngWriter.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <random>

namespace pngtest {

int Channels(int colorType)
{
    switch (colorType) {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1;
    }
}

uint16_t& Sample(Image& img, uint32_t x, uint32_t y, int c)
{
    return img.samples[(size_t(y) * img.width + x) * Channels(img.colorType) + c];
}

uint16_t SampleAt(const Image& img, uint32_t x, uint32_t y, int c)
{
    return img.samples[(size_t(y) * img.width + x) * Channels(img.colorType) + c];
}

Image MakeImage(uint32_t w, uint32_t h, int colorType, int bitDepth, uint32_t seed, int paletteEntries)
{
    Image img;
    img.width = w;
    img.height = h;
    img.colorType = colorType;
    img.bitDepth = bitDepth;
    std::mt19937 rng(seed);
    uint32_t limit = bitDepth == 16 ? 65536 : 1u << bitDepth;
    if (colorType == 3) {
        uint32_t entries = paletteEntries ? paletteEntries : limit;
        for (uint32_t i = 0; i < entries * 3; ++i)
            img.plte.push_back(static_cast<uint8_t>(rng()));
        limit = std::min(limit, entries);
    }
    img.samples.resize(size_t(w) * h * Channels(colorType));
    for (auto& s : img.samples)
        s = static_cast<uint16_t>(rng() % limit);
    return img;
}

namespace {

int BitsPerPixel(const Image& img)
{
    return Channels(img.colorType) * img.bitDepth;
}

// Packs the pixels (x0, y), (x0 + dx, y), ... into a row of the file's layout.
std::vector<uint8_t> PackRow(const Image& img, uint32_t y, uint32_t x0, uint32_t dx)
{
    const int ch = Channels(img.colorType);
    const int bits = BitsPerPixel(img);
    uint32_t n = x0 < img.width ? (img.width - x0 + dx - 1) / dx : 0;
    std::vector<uint8_t> row((size_t(n) * bits + 7) / 8, 0);
    size_t bit = 0;
    for (uint32_t i = 0; i < n; ++i) {
        uint32_t x = x0 + i * dx;
        for (int c = 0; c < ch; ++c) {
            uint16_t v = SampleAt(img, x, y, c);
            if (img.bitDepth == 16) {
                row[bit / 8] = static_cast<uint8_t>(v >> 8);
                row[bit / 8 + 1] = static_cast<uint8_t>(v);
            } else if (img.bitDepth == 8) {
                row[bit / 8] = static_cast<uint8_t>(v);
            } else {
                row[bit / 8] |= static_cast<uint8_t>(v << (8 - img.bitDepth - bit % 8));
            }
            bit += img.bitDepth;
        }
    }
    return row;
}

int Paeth(int a, int b, int c)
{
    int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
}

void FilterRows(const std::vector<std::vector<uint8_t>>& rows, int bpp, int filter, int salt, std::vector<uint8_t>& out)
{
    std::vector<uint8_t> prev;
    for (size_t r = 0; r < rows.size(); ++r) {
        const std::vector<uint8_t>& row = rows[r];
        if (prev.empty())
            prev.assign(row.size(), 0);
        int type = filter >= 0 ? filter : static_cast<int>((r + salt) % 5);
        out.push_back(static_cast<uint8_t>(type));
        for (size_t i = 0; i < row.size(); ++i) {
            int a = i >= size_t(bpp) ? row[i - bpp] : 0;
            int b = prev[i];
            int c = i >= size_t(bpp) ? prev[i - bpp] : 0;
            int pred = 0;
            switch (type) {
            case 1: pred = a; break;
            case 2: pred = b; break;
            case 3: pred = (a + b) / 2; break;
            case 4: pred = Paeth(a, b, c); break;
            default: break;
            }
            out.push_back(static_cast<uint8_t>(row[i] - pred));
        }
        prev = row;
    }
}

void Put32(std::vector<uint8_t>& v, uint32_t x)
{
    v.push_back(static_cast<uint8_t>(x >> 24));
    v.push_back(static_cast<uint8_t>(x >> 16));
    v.push_back(static_cast<uint8_t>(x >> 8));
    v.push_back(static_cast<uint8_t>(x));
}

} // namespace

std::vector<uint8_t> RawImageData(const Image& img, const WriteOptions& opt)
{
    const int bits = BitsPerPixel(img);
    const int bpp = std::max(1, bits / 8);
    std::vector<uint8_t> out;
    if (!opt.interlaced) {
        std::vector<std::vector<uint8_t>> rows;
        for (uint32_t y = 0; y < img.height; ++y)
            rows.push_back(PackRow(img, y, 0, 1));
        FilterRows(rows, bpp, opt.filter, 0, out);
        return out;
    }
    // Adam7 by the start and step table of the PNG format.
    static const uint32_t y0[7] = {0, 0, 4, 0, 2, 0, 1}, dy[7] = {8, 8, 8, 4, 4, 2, 2};
    static const uint32_t x0[7] = {0, 4, 0, 2, 0, 1, 0}, dx[7] = {8, 8, 4, 4, 2, 2, 1};
    for (int p = 0; p < 7; ++p) {
        if (x0[p] >= img.width || y0[p] >= img.height)
            continue;
        std::vector<std::vector<uint8_t>> rows;
        for (uint32_t y = y0[p]; y < img.height; y += dy[p])
            rows.push_back(PackRow(img, y, x0[p], dx[p]));
        FilterRows(rows, bpp, opt.filter, p, out);
    }
    return out;
}

namespace {

// windowBits as deflateInit2 takes it: 15 for a zlib stream, -15 for a bare one.
std::vector<uint8_t> Deflate(const std::vector<uint8_t>& raw, int level, int strategy, int windowBits)
{
    z_stream zs{};
    deflateInit2(&zs, level, Z_DEFLATED, windowBits, 8, strategy);
    std::vector<uint8_t> out(deflateBound(&zs, raw.size()) + 16);
    zs.next_in = const_cast<Bytef*>(raw.data());
    zs.avail_in = static_cast<uInt>(raw.size());
    zs.next_out = out.data();
    zs.avail_out = static_cast<uInt>(out.size());
    deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return out;
}

} // namespace

std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& raw, int level, int strategy)
{
    return Deflate(raw, level, strategy, 15);
}

std::vector<uint8_t> RawDeflate(const std::vector<uint8_t>& raw, int level, int strategy)
{
    return Deflate(raw, level, strategy, -15);
}

std::vector<uint8_t> Chunk(const char* type, const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> c;
    Put32(c, static_cast<uint32_t>(data.size()));
    c.insert(c.end(), type, type + 4);
    c.insert(c.end(), data.begin(), data.end());
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
    crc = crc32(crc, data.data(), static_cast<uInt>(data.size()));
    Put32(c, static_cast<uint32_t>(crc));
    return c;
}

std::vector<uint8_t> IhdrData(uint32_t w, uint32_t h, int depth, int colorType, int interlace)
{
    std::vector<uint8_t> d;
    Put32(d, w);
    Put32(d, h);
    d.push_back(static_cast<uint8_t>(depth));
    d.push_back(static_cast<uint8_t>(colorType));
    d.push_back(0);
    d.push_back(0);
    d.push_back(static_cast<uint8_t>(interlace));
    return d;
}

std::vector<uint8_t> Signature()
{
    return {137, 80, 78, 71, 13, 10, 26, 10};
}

std::vector<uint8_t> WritePNG(const Image& img, const WriteOptions& opt, const std::vector<uint8_t>* zdata)
{
    std::vector<uint8_t> file = Signature();
    auto add = [&file](const std::vector<uint8_t>& c) { file.insert(file.end(), c.begin(), c.end()); };
    add(Chunk("IHDR", IhdrData(img.width, img.height, img.bitDepth, img.colorType, opt.interlaced ? 1 : 0)));
    if (!img.plte.empty())
        add(Chunk("PLTE", img.plte));
    if (!img.trns.empty())
        add(Chunk("tRNS", img.trns));
    std::vector<uint8_t> z = zdata ? *zdata : ZlibCompress(RawImageData(img, opt), opt.level, opt.strategy);
    size_t step = opt.idatChunk ? opt.idatChunk : std::max<size_t>(z.size(), 1);
    for (size_t at = 0; at < z.size(); at += step) {
        if (at && opt.extraChunk)
            add(Chunk("tEXt", {'K', 0, 'v'}));
        add(Chunk("IDAT", std::vector<uint8_t>(z.begin() + at, z.begin() + std::min(z.size(), at + step))));
    }
    add(Chunk("IEND", {}));
    return file;
}

uint32_t ExpectedRGB(const Image& img, uint32_t x, uint32_t y, uint32_t back)
{
    auto to8 = [&img](uint16_t v) -> unsigned {
        switch (img.bitDepth) {
        case 16: return v >> 8;
        case 8: return v;
        default: return v * 255 / ((1u << img.bitDepth) - 1);
        }
    };
    auto key = [&img](int c) { return static_cast<uint16_t>((img.trns[2 * c] << 8) | img.trns[2 * c + 1]); };
    unsigned r, g, b, a = 255;
    switch (img.colorType) {
    case 0: {
        uint16_t s = SampleAt(img, x, y, 0);
        r = g = b = to8(s);
        if (!img.trns.empty() && s == key(0))
            a = 0;
        break;
    }
    case 2: {
        uint16_t s[3] = {SampleAt(img, x, y, 0), SampleAt(img, x, y, 1), SampleAt(img, x, y, 2)};
        r = to8(s[0]), g = to8(s[1]), b = to8(s[2]);
        if (!img.trns.empty() && s[0] == key(0) && s[1] == key(1) && s[2] == key(2))
            a = 0;
        break;
    }
    case 3: {
        uint16_t i = SampleAt(img, x, y, 0);
        r = img.plte[3 * i], g = img.plte[3 * i + 1], b = img.plte[3 * i + 2];
        if (i < img.trns.size())
            a = img.trns[i];
        break;
    }
    case 4:
        r = g = b = to8(SampleAt(img, x, y, 0));
        a = to8(SampleAt(img, x, y, 1));
        break;
    default:
        r = to8(SampleAt(img, x, y, 0)), g = to8(SampleAt(img, x, y, 1)), b = to8(SampleAt(img, x, y, 2));
        a = to8(SampleAt(img, x, y, 3));
        break;
    }
    const unsigned br = back & 255, bg = (back >> 8) & 255, bb = (back >> 16) & 255;
    auto blend = [a](unsigned c, unsigned k) { return (c * a + k * (255 - a) + 255) / 256; };
    return (blend(r, br) << 16) | (blend(g, bg) << 8) | blend(b, bb);
}

namespace {
uint32_t Le32(const std::vector<uint8_t>& f, size_t at)
{
    return f[at] | (f[at + 1] << 8) | (f[at + 2] << 16) | (uint32_t(f[at + 3]) << 24);
}
} // namespace

bool ParseBitmap(const std::vector<uint8_t>& file, Bitmap& bmp)
{
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M' || Le32(file, 2) != file.size())
        return false;
    bmp.file = file;
    bmp.width = static_cast<int32_t>(Le32(file, 18));
    int32_t h = static_cast<int32_t>(Le32(file, 22));
    bmp.topDown = h < 0;
    bmp.height = h < 0 ? -h : h;
    bmp.bits = file[28] | (file[29] << 8);
    size_t stride = (size_t(bmp.bits) * bmp.width + 31) / 32 * 4;
    return Le32(file, 10) + stride * bmp.height == file.size();
}

uint32_t Bitmap::Pixel(uint32_t x, uint32_t y) const
{
    size_t stride = (size_t(bits) * width + 31) / 32 * 4;
    uint32_t row = topDown ? y : height - 1 - y;
    const uint8_t* p = file.data() + Le32(file, 10) + row * stride;
    if (bits == 24) {
        p += 3 * x;
        return (p[2] << 16) | (p[1] << 8) | p[0];
    }
    unsigned idx = bits == 8 ? p[x] : bits == 4 ? (p[x / 2] >> (x % 2 ? 0 : 4)) & 15 : (p[x / 8] >> (7 - x % 8)) & 1;
    const uint8_t* t = file.data() + 54 + 4 * idx;
    return (t[2] << 16) | (t[1] << 8) | t[0];
}

} // namespace pngtest
