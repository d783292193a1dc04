#include "KvRTBFixture.h"

#include "WindowTest.h"

#include <fstream>
#include <iterator>

namespace {

// Counts pixels of a 24-bit bottom-up BMP close to the colour.
int CountPixels(const std::wstring& bmp, COLORREF colour)
{
    std::ifstream in(bmp.c_str(), std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.size() < 54)
        return -1;
    auto* fh = reinterpret_cast<const BITMAPFILEHEADER*>(data.data());
    auto* ih = reinterpret_cast<const BITMAPINFOHEADER*>(data.data() + sizeof(BITMAPFILEHEADER));
    int w = ih->biWidth, h = ih->biHeight;
    size_t stride = ((w * 3 + 3) / 4) * 4;
    int n = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            size_t at = fh->bfOffBits + y * stride + x * 3;
            if (at + 2 >= data.size())
                return n;
            int b = static_cast<unsigned char>(data[at]);
            int g = static_cast<unsigned char>(data[at + 1]);
            int r = static_cast<unsigned char>(data[at + 2]);
            if (abs(r - GetRValue(colour)) < 60 && abs(g - GetGValue(colour)) < 60 &&
                abs(b - GetBValue(colour)) < 60)
                ++n;
        }
    }
    return n;
}

} // namespace

TEST_F(KvRTBTest, ShowsColouredRtf)
{
    const std::wstring rtf =
        L"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Courier New;}}"
        L"{\\colortbl;\\red200\\green0\\blue0;\\red0\\green0\\blue200;\\red0\\green140\\blue0;}"
        L"\\pard\\plain\\f0\\fs28 "
        L"{\\cf1\\b <html>}\\par "
        L"{\\cf2   <body class=}{\\cf3 \"main\"}{\\cf2 >}\\par "
        L"    Caf\u00e9 \u0416\u0438\u0437\u043d\u044c \u4e2d\u6587\\par "
        L"{\\cf3 ' a VBScript comment}\\par "
        L"{\\cf1\\b </html>}}";
    rtb().TextRTF(rtf);
    EXPECT_EQ(rtb().TotalLines(), 5);
    EXPECT_EQ(rtb().GetTrimLine(rtb().GetLineIndex(2)),
              L"Caf\u00e9 \u0416\u0438\u0437\u043d\u044c \u4e2d\u6587");

    form.Show();
    SetForegroundWindow(form.hwnd);
    wt::WaitFor([] { return false; }, 300);
    UpdateWindow(form.hwnd);
    std::wstring shot = wt::ScratchFolder(L"kvrtb") + L"\\kvrtb_coloured.bmp";
    ASSERT_TRUE(wt::SaveScreenshot(shot, form.JT1.hwnd));
    EXPECT_GT(CountPixels(shot, RGB(200, 0, 0)), 20);
    EXPECT_GT(CountPixels(shot, RGB(0, 0, 200)), 20);
    EXPECT_GT(CountPixels(shot, RGB(0, 140, 0)), 20);
    form.Hide();
}
