#include "KvRTBFixture.h"

#include "WindowTest.h"

namespace {

// Counts pixels of a 24-bit bottom-up BMP close to the colour.

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
    rtb().SetTextRTF(rtf);
    EXPECT_EQ(rtb().TotalLines(), 5);
    EXPECT_EQ(rtb().GetTrimLine(rtb().GetLineIndex(2)),
              L"Caf\u00e9 \u0416\u0438\u0437\u043d\u044c \u4e2d\u6587");

    form.Show();
    SetForegroundWindow(form.hwnd);
    wt::WaitFor([] { return false; }, 300);
    UpdateWindow(form.hwnd);
    std::wstring shot = wt::ScratchFolder(L"kvrtb") + L"\\kvrtb_coloured.bmp";
    wt::Screenshot pic;
    EXPECT_TRUE(wt::ScreenshotShowing(shot, form.JT1.hwnd, pic, [](const wt::Screenshot& p) {
        return p.Count(RGB(200, 0, 0)) > 20 && p.Count(RGB(0, 0, 200)) > 20 && p.Count(RGB(0, 140, 0)) > 20;
    })) << "the three colours of the text";
    form.Hide();
}
