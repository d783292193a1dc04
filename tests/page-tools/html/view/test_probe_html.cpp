// The probe's html verbs, as checks from outside run them.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "PageFixture.h"
#include "WindowTest.h"
#include "platform/Files.h"

namespace {

std::string RunProbe(const std::wstring& args)
{
    return wt::RunProbe(args, pagetest::ScratchFolder() + L"\\probe_out.txt");
}

} // namespace

TEST(ProbeHtml, BoxesDocAtAndRender)
{
    pagetest::WriteFile(L"probe.html",
                        "<!DOCTYPE html><title> Probe  page </title><style>#b{color:red} div.c{margin:0}</style>"
                        "<body style='margin:0'><div id=a style='height:10px'></div>"
                        "<div id=b class=c style='height:20px;background:#00ff00'></div><p>no id</p>");
    std::wstring page = L"\"" + pagetest::ScratchFolder() + L"\\probe.html\"";
    EXPECT_EQ(RunProbe(L"html boxes " + page + L" 300"), "a\t0\t0\t300\t10\nb\t0\t10\t300\t20\n");
    EXPECT_EQ(RunProbe(L"html doc " + page),
              "title\tProbe page\ncompatMode\tCSS1Compat\n#b\tCOLOR: red\nDIV.c\tMARGIN: 0\n");
    EXPECT_EQ(RunProbe(L"html at " + page + L" 300 5 15"),
              "DIV\r\nID: b\r\n\r\nID Style: COLOR: red\r\nClass: c\r\n\r\nClass Style: MARGIN: 0\r\n\r\n"
              "Inline Style: HEIGHT: 20px; BACKGROUND: #00ff00\n");
    std::wstring bmp = pagetest::ScratchFolder() + L"\\probe.bmp";
    EXPECT_EQ(RunProbe(L"html render " + page + L" 300 \"" + bmp + L"\"").substr(0, 7), "written");
    std::string file;
    ASSERT_TRUE(platform::ReadWholeFile(bmp, file));
    ASSERT_GT(file.size(), 54u);
    int w = *reinterpret_cast<const int*>(&file[18]), h = *reinterpret_cast<const int*>(&file[22]);
    EXPECT_EQ(w, 300);
    ASSERT_GT(h, 30);
    // Row 15 from the top, bottom-up and 24-bit: the green box.
    size_t stride = (300 * 3 + 3) & ~3u;
    const unsigned char* px = reinterpret_cast<const unsigned char*>(&file[54 + stride * (h - 1 - 15) + 3 * 5]);
    EXPECT_EQ(px[0], 0);
    EXPECT_EQ(px[1], 255);
    EXPECT_EQ(px[2], 0);
    EXPECT_NE(RunProbe(L"html boxes"), "");
}
