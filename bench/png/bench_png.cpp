// Speed of the PNG decoder: inflate against zlib on the same compressed image
// data, then whole decodes of 4000 x 3000 images.
#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

#include "PngWriter.h"
#include "bench/BenchTools.h"
#include "png/cInflate.h"
#include "png/cPNG.h"

using namespace pngtest;

namespace {

double Seconds(const std::function<void()>& f, int runs = 3)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const double t0 = bench::Now();
        f();
        best = std::min(best, (bench::Now() - t0) / 1000.0);
    }
    return best;
}

// A photo-like picture: smooth gradients, a few shapes and some noise, so that
// it compresses like real images rather than like noise or flat colour.
Image Picture(uint32_t w, uint32_t h, int colorType, uint32_t seed)
{
    Image img;
    img.width = w;
    img.height = h;
    img.colorType = colorType;
    img.bitDepth = 8;
    const int ch = Channels(colorType);
    img.samples.resize(size_t(w) * h * ch);
    std::mt19937 rng(seed);
    if (colorType == 3)
        for (int i = 0; i < 256 * 3; ++i)
            img.plte.push_back(static_cast<uint8_t>(rng()));
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            bool disc = (x - w / 3) * (x - w / 3) + (y - h / 2) * (y - h / 2) < (h / 4) * (h / 4);
            int noise = static_cast<int>(rng() % 9) - 4;
            for (int c = 0; c < ch; ++c) {
                int v = disc ? 200 - c * 40 : static_cast<int>((x * (c + 1) / 16 + y / 12) % 256);
                v = std::clamp(v + noise, 0, 255);
                if (colorType == 3)
                    v = (x / 40 + y / 30 + (disc ? 7 : 0)) % 256;
                if (c == 3)
                    v = disc ? 255 : (x / 16) % 256;
                Sample(img, x, y, c) = static_cast<uint16_t>(v);
            }
        }
    return img;
}

void InflateVersusZlib(const char* name, const std::vector<uint8_t>& raw, const std::vector<uint8_t>& z)
{
    std::vector<uint8_t> out(raw.size());
    double tz = Seconds([&] {
        uLongf len = static_cast<uLongf>(out.size());
        uncompress(out.data(), &len, z.data(), static_cast<uLong>(z.size()));
    });
    bool zlibOk = out == raw;
    cInflate inf;
    std::vector<uint8_t> mine;
    double tm = Seconds([&] { inf.Inflate(z.data() + 2, z.size() - 2, raw.size(), mine); });
    bool mineOk = mine == raw;
    const double mb = raw.size() / 1e6;
    printf("inflate %-22s %7.1f MB -> zlib %7.1f MB/s, cInflate %7.1f MB/s, time ratio %.2f%s\n", name, mb, mb / tz,
           mb / tm, tm / tz, zlibOk && mineOk ? "" : "  OUTPUT DIFFERS");
}

void Decode(const char* name, const std::vector<uint8_t>& file, uint32_t w, uint32_t h)
{
    cPNG png;
    std::vector<uint8_t> bmp;
    int result = 0;
    double t = Seconds([&] { result = png.DecodeToBitmap(file.data(), file.size(), bmp); });
    printf("decode  %-22s %5.1f Mpixel in %6.1f ms: %6.1f Mpixel/s, result %d\n", name, w * double(h) / 1e6,
           t * 1000, w * double(h) / 1e6 / t, result);
}

} // namespace

int main()
{
    const uint32_t w = 4000, h = 3000;
    struct Case {
        const char* name;
        int type;
        bool interlaced;
    } cases[] = {{"RGB", 2, false}, {"RGBA", 6, false}, {"palette", 3, false}, {"RGB interlaced", 2, true}};
    for (const Case& c : cases) {
        Image img = Picture(w, h, c.type, 1);
        WriteOptions opt;
        opt.interlaced = c.interlaced;
        opt.filter = 4;
        std::vector<uint8_t> raw = RawImageData(img, opt);
        std::vector<uint8_t> z = ZlibCompress(raw, 6);
        InflateVersusZlib(c.name, raw, z);
        std::vector<uint8_t> file = WritePNG(img, opt, &z);
        std::vector<uint16_t>().swap(img.samples);
        Decode(c.name, file, w, h);
    }
    // Long matches and literals of compressible text-like data.
    std::vector<uint8_t> text;
    std::mt19937 rng(3);
    const char* words[] = {"<table>", "<td class=x>", "</td>", "value ", "\r\n", "function ", "var i = 0;"};
    while (text.size() < 50000000)
        for (const char* p = words[rng() % 7]; *p; ++p)
            text.push_back(static_cast<uint8_t>(*p));
    InflateVersusZlib("text", text, ZlibCompress(text, 6));
    return 0;
}
