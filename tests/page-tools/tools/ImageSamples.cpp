#include "Bytes.h"
#include "ImageSamples.h"

#include <wincodec.h>

#include <cstdio>
#include <cstring>

namespace samples {

namespace {

void Put16(std::vector<unsigned char>& b, unsigned v)
{
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<unsigned char>& b, unsigned v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
void Put32BE(std::vector<unsigned char>& b, unsigned v)
{
    for (int s = 24; s >= 0; s -= 8)
        b.push_back((v >> s) & 0xFF);
}

// Top-down 32-bit pixels, blue green red alpha.
std::vector<unsigned char> Pixels(int w, int h, COLORREF colour, COLORREF corner, unsigned char alpha)
{
    std::vector<unsigned char> px;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = (x == 0 && y == 0) ? corner : colour;
            px.insert(px.end(), {GetBValue(c), GetGValue(c), GetRValue(c), alpha});
        }
    return px;
}

std::vector<unsigned char> Encode(const GUID& container, int w, int h, COLORREF colour, COLORREF corner)
{
    std::vector<unsigned char> out;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory))))
        return out;
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    std::vector<unsigned char> px = Pixels(w, h, colour, corner, 255);
    bool ok = SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder)) &&
              SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
              SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
              SUCCEEDED(frame->SetSize(w, h));
    if (ok) {
        WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
        frame->SetPixelFormat(&format);
        IWICBitmap* bitmap = nullptr;
        ok = SUCCEEDED(factory->CreateBitmapFromMemory(w, h, GUID_WICPixelFormat32bppBGR, w * 4,
                                                       static_cast<UINT>(px.size()), px.data(), &bitmap)) &&
             SUCCEEDED(frame->WriteSource(bitmap, nullptr)) && SUCCEEDED(frame->Commit()) &&
             SUCCEEDED(encoder->Commit());
        if (bitmap)
            bitmap->Release();
    }
    if (ok) {
        HGLOBAL memory = nullptr;
        GetHGlobalFromStream(stream, &memory);
        STATSTG stat{};
        stream->Stat(&stat, STATFLAG_NONAME);
        auto* data = static_cast<unsigned char*>(GlobalLock(memory));
        out.assign(data, data + stat.cbSize.QuadPart);
        GlobalUnlock(memory);
    }
    if (frame)
        frame->Release();
    if (encoder)
        encoder->Release();
    stream->Release();
    factory->Release();
    return out;
}

std::vector<unsigned char> Icon(int w, int h, COLORREF colour, COLORREF corner)
{
    // One 32-bit image: its bitmap header counts the colour and mask rows.
    std::vector<unsigned char> px = Pixels(w, h, colour, corner, 255);
    std::vector<unsigned char> b;
    const unsigned maskRow = ((w + 31) / 32) * 4;
    const unsigned imageBytes = 40 + w * h * 4 + maskRow * h;
    Put16(b, 0), Put16(b, 1), Put16(b, 1);
    b.push_back(w & 0xFF), b.push_back(h & 0xFF), b.push_back(0), b.push_back(0);
    Put16(b, 1), Put16(b, 32), Put32(b, imageBytes), Put32(b, 22);
    Put32(b, 40), Put32(b, w), Put32(b, h * 2), Put16(b, 1), Put16(b, 32), Put32(b, 0);
    Put32(b, w * h * 4), Put32(b, 0), Put32(b, 0), Put32(b, 0), Put32(b, 0);
    for (int y = h - 1; y >= 0; --y)
        b.insert(b.end(), px.begin() + y * w * 4, px.begin() + (y + 1) * w * 4);
    b.insert(b.end(), maskRow * h, 0);
    return b;
}

unsigned Crc(const unsigned char* p, size_t n)
{
    unsigned c = 0xFFFFFFFF;
    for (size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320 & (0 - (c & 1)));
    }
    return ~c;
}

void PngChunk(std::vector<unsigned char>& b, const char* type, const std::vector<unsigned char>& data)
{
    Put32BE(b, static_cast<unsigned>(data.size()));
    size_t start = b.size();
    b.insert(b.end(), type, type + 4);
    b.insert(b.end(), data.begin(), data.end());
    Put32BE(b, Crc(b.data() + start, b.size() - start));
}

// RGBA PNG with stored (uncompressed) deflate blocks.
std::vector<unsigned char> Png(int w, int h, COLORREF colour, COLORREF corner, bool transparent)
{
    std::vector<unsigned char> raw;
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);
        for (int x = 0; x < w; ++x) {
            COLORREF c = (x == 0 && y == 0) ? corner : colour;
            raw.insert(raw.end(), {GetRValue(c), GetGValue(c), GetBValue(c),
                                   static_cast<unsigned char>(transparent ? 0 : 255)});
        }
    }
    std::vector<unsigned char> z = {0x78, 0x01};
    for (size_t at = 0; at < raw.size();) {
        size_t n = std::min<size_t>(65535, raw.size() - at);
        z.push_back(at + n == raw.size() ? 1 : 0);
        Put16(z, static_cast<unsigned>(n)), Put16(z, static_cast<unsigned>(~n & 0xFFFF));
        z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
        at += n;
    }
    unsigned a = 1, s = 0;
    for (unsigned char c : raw)
        a = (a + c) % 65521, s = (s + a) % 65521;
    Put32BE(z, (s << 16) | a);
    std::vector<unsigned char> b = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, ihdr;
    Put32BE(ihdr, w), Put32BE(ihdr, h);
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    PngChunk(b, "IHDR", ihdr);
    PngChunk(b, "IDAT", z);
    PngChunk(b, "IEND", {});
    return b;
}

} // namespace

std::vector<unsigned char> MakeImage(const std::wstring& ext, int width, int height, COLORREF colour,
                                     COLORREF corner, bool transparent)
{
    if (ext == L"BMP")
        return Encode(GUID_ContainerFormatBmp, width, height, colour, corner);
    if (ext == L"GIF")
        return Encode(GUID_ContainerFormatGif, width, height, colour, corner);
    if (ext == L"JPG")
        return Encode(GUID_ContainerFormatJpeg, width, height, colour, corner);
    if (ext == L"ICO")
        return Icon(width, height, colour, corner);
    return Png(width, height, colour, corner, transparent);
}

std::vector<unsigned char> Damaged(const std::wstring& ext, const std::vector<unsigned char>& good)
{
    // Enough of the start for the file to be taken for its kind.
    size_t keep = ext == L"BMP" ? 54 : ext == L"ICO" ? 22 : ext == L"GIF" ? 13 : ext == L"PNG" ? 33 : 2;
    std::vector<unsigned char> bad(good.begin(), good.begin() + std::min(keep, good.size()));
    for (int i = 0; i < 64; ++i)
        bad.push_back(static_cast<unsigned char>(0xA5 ^ (i * 37)));
    return bad;
}

} // namespace samples
