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

// Names set in bold stand out from the rest in the face chosen for that.
TEST_F(KvRTBTest, BoldStretchesStandOutInTheBoldCapableFace)
{
    rtb().SetFontName(KvRTB::BoldCapableFace(8));
    rtb().SetFontSize(8);
    rtb().SetText(L"MMMMMMMM MMMMMMMM");
    rtb().SetSelection(9, 17);
    rtb().SetSelBold(RGB(0, 0, 0), true);
    rtb().SelNone();
    form.Show();
    SetForegroundWindow(form.hwnd);
    UpdateWindow(form.hwnd);
    POINTL split{};
    SendMessageW(rtb().RTBhWnd(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&split), 9);
    std::wstring shot = wt::ScratchFolder(L"kvrtb") + L"\\kvrtb_bold.bmp";
    wt::Screenshot pic;
    const RECT editor = wt::RectIn(rtb().RTBhWnd(), form.JT1.hwnd);
    int plain = 0, bold = 0;
    wt::ScreenshotShowing(shot, form.JT1.hwnd, pic, [&](const wt::Screenshot& p) {
        plain = p.Count(RGB(0, 0, 0), {editor.left, editor.top, editor.left + split.x, editor.top + 20});
        bold = p.Count(RGB(0, 0, 0), {editor.left + split.x, editor.top, editor.right, editor.top + 20});
        return plain > 20;
    });
    EXPECT_GT(bold, plain * 6 / 5) << rtb().FontName() << ": plain " << plain << ", bold " << bold;
    form.Hide();
}
