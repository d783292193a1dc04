// The image viewer and the image tags: each kind of file shown with its size,
// the cropped caption, the colour of a clicked point, the two tags on the
// clipboard, the type refusal and damaged files.
#include <gtest/gtest.h>

#include "Drive.h"
#include "ImageSamples.h"
#include "MenuIds.h"
#include "ToolDrive.h"

#include <cwchar>

using namespace tooldrive;

namespace {

const COLORREF kColour = RGB(0x20, 0x80, 0xC0);
const COLORREF kCorner = RGB(0x12, 0x34, 0x56);

std::wstring Sample(apptest::Tarnel& t, const std::wstring& name, const std::vector<unsigned char>& bytes)
{
    std::wstring path = t.Folder() + L"\\" + name;
    EXPECT_TRUE(WriteBytes(path, bytes));
    return path;
}

// The user's "ButtonFace" as the colour text a click shows; "#DDDDDD"
// when the value is not three numbers.
std::wstring ButtonFaceText()
{
    wchar_t value[64] = L"";
    DWORD bytes = sizeof(value);
    RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Colors", L"ButtonFace", RRF_RT_REG_SZ, nullptr, value, &bytes);
    int r = 0, g = 0, b = 0;
    wchar_t text[8] = L"#DDDDDD";
    if (swscanf(value, L"%d %d %d", &r, &g, &b) == 3)
        swprintf(text, 8, L"#%02X%02X%02X", r, g, b);
    return text;
}

// View Image with path chosen in its open dialog.
bool ViewImage(apptest::Tarnel& t, const std::wstring& path)
{
    t.Command(IDM_mSample);
    wt::Dialog d = wt::FindDialog(t.Process());
    return d.hwnd && d.caption == L"Open image file" && drive::ChooseFile(d.hwnd, path);
}

// Clicks the picture's pixel x, y; the viewer reads the point under the
// cursor. Clicked again until main shows `expected`, as another program on
// the display may move the cursor in between.
bool ClickPixel(HWND main, HWND picture, int x, int y, const std::wstring& expected)
{
    return wt::WaitFor([&] {
        POINT at{x, y};
        ClientToScreen(picture, &at);
        SetCursorPos(at.x, at.y);
        PostMessageW(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageW(picture, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        return ChildWithText(main, expected, 500) != nullptr;
    }, 5000);
}

// The image tag of the second auto-insert bar's button (19 linked, 20 plain)
// for a chosen file.
void TagButton(apptest::Tarnel& t, int index, const std::wstring& path)
{
    HWND first = drive::FrameOf(t.Main(), L"TA");
    HWND second = drive::FrameOf(t.Main(), L"Head");
    if (first && IsWindowVisible(first) && !(second && IsWindowVisible(second)))
        wt::Click(drive::VisibleAt(first, 30, 45));
    wt::WaitFor([&] { return (second = drive::FrameOf(t.Main(), L"Head")) && IsWindowVisible(second); }, 3000);
    wt::Click(drive::VisibleAt(second, 420 + (index - 14) * 480, 60));
    wt::Dialog d = wt::FindDialog(t.Process());
    ASSERT_EQ(d.caption, L"Open image file");
    ASSERT_TRUE(drive::ChooseFile(d.hwnd, path));
}

} // namespace

TEST(ImageWindow, EachKindShowsWithItsSizeAndClickedColour)
{
    apptest::Tarnel t(L"tools_images");
    ASSERT_TRUE(t.Start());
    for (const wchar_t* ext : {L"BMP", L"GIF", L"JPG", L"ICO", L"PNG"}) {
        SCOPED_TRACE(ext);
        std::wstring path = Sample(t, std::wstring(L"good.") + ext, samples::MakeImage(ext, 40, 30, kColour, kCorner));
        ASSERT_TRUE(ViewImage(t, path));
        HWND viewer = Shown(t, L"View Image");
        ASSERT_NE(viewer, nullptr);
        EXPECT_NE(ChildWithText(t.Main(), L"40 x 30"), nullptr);
        EXPECT_NE(ChildWithText(t.Main(), path), nullptr);
        if (std::wstring(ext) == L"BMP" || std::wstring(ext) == L"PNG" || std::wstring(ext) == L"ICO") {
            std::vector<HWND> children = wt::Children(viewer);  // the picture box alone
            ASSERT_EQ(children.size(), 1u);
            HWND picture = children[0];
            // The point is read where the click was, also while another
            // window (here the main window) is in front.
            SetForegroundWindow(t.Main());
            EXPECT_TRUE(ClickPixel(t.Main(), picture, 0, 0, L"#123456"));
            EXPECT_TRUE(ClickPixel(t.Main(), picture, 20, 20, L"#2080C0"));
        }
        PostMessageW(viewer, WM_CLOSE, 0, 0);
        EXPECT_TRUE(wt::WaitFor([&] { return !IsWindowVisible(viewer); }, 5000));
        EXPECT_EQ(ChildWithText(t.Main(), L"40 x 30", 200), nullptr) << "the image tools hide with the viewer";
    }

    // Transparent parts take the user's button face.
    std::wstring clear = Sample(t, L"clear.png", samples::MakeImage(L"PNG", 40, 30, kColour, kColour, true));
    ASSERT_TRUE(ViewImage(t, clear));
    HWND viewer = Shown(t, L"View Image");
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(ClickPixel(t.Main(), wt::Children(viewer).at(0), 10, 10, ButtonFaceText()));
    PostMessageW(viewer, WM_CLOSE, 0, 0);
    EXPECT_TRUE(wt::WaitFor([&] { return !IsWindowVisible(viewer); }, 5000));

    // Wider than nine tenths of the screen, or taller than eight tenths: cut,
    // the caption says so, with the full size, and is not cut itself; the
    // clicked point is still the picture's own.
    for (SIZE size : {SIZE{1400, 200}, SIZE{446, 1056}}) {
        const std::wstring w = std::to_wstring(size.cx), h = std::to_wstring(size.cy);
        SCOPED_TRACE(w + L"x" + h);
        std::wstring big = Sample(t, L"big" + w + L".png", samples::MakeImage(L"PNG", size.cx, size.cy, kColour, kCorner));
        ASSERT_TRUE(ViewImage(t, big));
        HWND cropped = Shown(t, L"View Image - Note: Image has been cropped to fit screen. Full size " + w + L" x " +
                                    h + L": open the file in another program to see it whole.");
        ASSERT_NE(cropped, nullptr);
        RECT r{};
        GetWindowRect(cropped, &r);
        EXPECT_LE(r.right - r.left, GetSystemMetrics(SM_CXSCREEN) * 9 / 10 + 1);
        EXPECT_LE(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN) * 8 / 10 + 1);
        EXPECT_GE(r.right - r.left, 600) << "wide enough for its caption";
        HWND picture = wt::Children(cropped).at(0);
        SetForegroundWindow(t.Main());
        EXPECT_TRUE(ClickPixel(t.Main(), picture, 0, 0, L"#123456"));
        EXPECT_TRUE(ClickPixel(t.Main(), picture, 100, 150, L"#2080C0"));
        PostMessageW(cropped, WM_CLOSE, 0, 0);
        EXPECT_TRUE(wt::WaitFor([&] { return !IsWindowVisible(cropped); }, 5000));
    }

    // Damaged files give their message and no viewer.
    for (const wchar_t* ext : {L"BMP", L"GIF", L"JPG", L"ICO", L"PNG"}) {
        SCOPED_TRACE(ext);
        std::vector<unsigned char> good = samples::MakeImage(ext, 40, 30, kColour, kCorner);
        std::wstring path = Sample(t, std::wstring(L"bad.") + ext, samples::Damaged(ext, good));
        ASSERT_TRUE(ViewImage(t, path));
        EXPECT_EQ(MessageText(t), std::wstring(ext) == L"PNG"
                                      ? L"Error. Failed to load file."
                                      : L"Error loading image file. If this is a GIF file it may be corrupted.");
        EXPECT_EQ(Shown(t, L"View Image", 500), nullptr);
        EXPECT_TRUE(t.Process().Running());
    }
    EXPECT_TRUE(drive::ExitWithoutSaving(t));
}

TEST(ImageWindow, TagsOfBothKindsAndTheTypeRefusal)
{
    apptest::Tarnel t(L"tools_image_tags");
    ASSERT_TRUE(t.Start());
    std::wstring gif = Sample(t, L"pic.gif", samples::MakeImage(L"GIF", 10, 20, kColour, kCorner));
    std::wstring png = Sample(t, L"pic.png", samples::MakeImage(L"PNG", 7, 9, kColour, kCorner));
    std::wstring bmp = Sample(t, L"pic.bmp", samples::MakeImage(L"BMP", 7, 9, kColour, kCorner));
    TagButton(t, 20, gif);
    EXPECT_TRUE(wt::WaitFor([] {
        return drive::ClipboardText() == L"<IMG SRC=\"pic.gif\" WIDTH=10 HEIGHT=20 ALIGN= HSPACE= VSPACE=>";
    }, 5000));
    TagButton(t, 19, png);
    EXPECT_TRUE(wt::WaitFor([] {
        return drive::ClipboardText() ==
               L"<A HREF=><IMG SRC=\"pic.png\" WIDTH=7 HEIGHT=9 ALIGN= HSPACE= VSPACE= ALT=></A>";
    }, 5000));
    TagButton(t, 20, bmp);
    EXPECT_EQ(MessageText(t),
              L"As this function auto-inserts code for webpage images, it only accepts .jpg, .gif and .png files.");
    EXPECT_TRUE(drive::ExitWithoutSaving(t));
}
