#include "print/PrintLooks.h"
#include "print/modprintRTF.h"

#include "KvRTB/KvRTB.h"
#include "PrintedPdf.h"
#include "forms/Form.h"

#include <gtest/gtest.h>

namespace {

class fPrintTest : public forms::Form {
public:
    fPrintTest()
    {
        SetCaption(L"Print test");
        SetClientSize(6000, 3000);
        JT1.Place(*this, 0, 0, 6000, 3000);
    }
    ~fPrintTest() override { Teardown(); }
    KvRTB JT1;
};

std::wstring Lines(int count, const std::wstring& stem)
{
    std::wstring text;
    for (int i = 1; i <= count; ++i)
        text += stem + std::to_wstring(i) + (i < count ? L"\r\n" : L"");
    return text;
}

} // namespace

TEST(Printing, PagesCarryTheChosenHeader)
{
    fPrintTest form;
    ASSERT_TRUE(form.Load());
    form.JT1.SetText(Lines(200, L"Line number "));
    struct Case {
        bool title, number;
    } cases[] = {{true, true}, {true, false}, {false, true}, {false, false}};
    for (const Case& c : cases) {
        std::wstring title = printed::UniqueTitle(L"Header");
        const int printed = PrintRTF(form.JT1, title, c.title, c.number, PrinterSetup{});
        ASSERT_GE(printed, 3);
        std::vector<std::wstring> pages = printed::Pages(title);
        ASSERT_EQ(pages.size(), size_t(printed)) << c.title << c.number;
        for (size_t p = 0; p < pages.size(); ++p) {
            std::wstring header = (c.title ? title : L"") + (c.number ? L" Page " + std::to_wstring(p + 1) : L"");
            if (!header.empty())
                EXPECT_NE(printed::OneBlank(pages[p]).find(header), std::wstring::npos) << "page " << p + 1;
            EXPECT_EQ(pages[p].find(L"Page " + std::to_wstring(p + 1)) != std::wstring::npos, c.number);
        }
        EXPECT_NE(pages[0].find(L"Line number 1\n"), std::wstring::npos);
        EXPECT_NE(pages.back().find(L"Line number 200\n"), std::wstring::npos);
    }
}

TEST(Printing, RunsPrintInTheirColoursAndWeights)
{
    fPrintTest form;
    ASSERT_TRUE(form.Load());
    form.JT1.SetTextRTF(L"{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                        L"\\cf1 REDREDRED\\cf0  plain\\tab \\cf2\\b BLUEBLUE\\b0\\cf0\\par second line}");
    // The looks as the editor's own RTF gives them.
    std::wstring text;
    std::vector<PrintLook> looks;
    const std::wstring rtf = form.JT1.TextRTF();
    ASSERT_TRUE(ReadPrintLooks(std::string(rtf.begin(), rtf.end()), text, looks));
    const size_t blue = text.find(L"BLUEBLUE");
    EXPECT_EQ(text, L"REDREDRED plain\tBLUEBLUE\rsecond line\r") << "the last paragraph mark included";
    ASSERT_EQ(text.substr(0, 9), L"REDREDRED");
    ASSERT_NE(blue, std::wstring::npos);
    EXPECT_EQ(looks[0].colour, RGB(255, 0, 0));
    EXPECT_FALSE(looks[0].bold);
    EXPECT_EQ(looks[10].colour, RGB(0, 0, 0));
    EXPECT_EQ(looks[blue].colour, RGB(0, 0, 255));
    EXPECT_TRUE(looks[blue].bold);

    const std::wstring title = printed::UniqueTitle(L"Colours");
    ASSERT_EQ(PrintRTF(form.JT1, title, false, false, PrinterSetup{}), 1);
    const std::vector<unsigned> pixels = printed::FirstPagePixels(title);
    ASSERT_FALSE(pixels.empty());
    auto shows = [&](bool (*like)(unsigned r, unsigned g, unsigned b)) {
        for (unsigned p : pixels)
            if (like(p >> 16, (p >> 8) & 0xFF, p & 0xFF))
                return true;
        return false;
    };
    EXPECT_TRUE(shows([](unsigned r, unsigned g, unsigned b) { return r > 200 && g < 80 && b < 80; })) << "red";
    EXPECT_TRUE(shows([](unsigned r, unsigned g, unsigned b) { return b > 200 && r < 80 && g < 80; })) << "blue";
    EXPECT_TRUE(shows([](unsigned r, unsigned g, unsigned b) { return r < 90 && g < 90 && b < 90; })) << "black";
    printed::Pages(title);   // reads and removes the job's files
}

TEST(Printing, EmptyEditorAndOneCharacterLastLine)
{
    fPrintTest form;
    ASSERT_TRUE(form.Load());
    std::wstring empty = printed::UniqueTitle(L"Empty");
    EXPECT_EQ(PrintRTF(form.JT1, empty, true, true, PrinterSetup{}), 1);
    std::vector<std::wstring> pages = printed::Pages(empty);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(printed::OneBlank(pages[0]).find(empty + L" Page 1"), std::wstring::npos);

    form.JT1.SetText(L"First line\r\nZ");
    std::wstring last = printed::UniqueTitle(L"Last");
    EXPECT_EQ(PrintRTF(form.JT1, last, false, false, PrinterSetup{}), 1);
    pages = printed::Pages(last);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(pages[0].find(L"\nZ"), std::wstring::npos) << "the final one-character line";
}

TEST(Printing, NoPrinterEndsQuietly)
{
    fPrintTest form;
    ASSERT_TRUE(form.Load());
    form.JT1.SetText(Lines(20, L"Line "));
    for (const wchar_t* printer : {L"", L"No Such Printer"})
        EXPECT_EQ(PrintRTFOn(printer, form.JT1, L"Nothing", true, true, PrinterSetup{}), 0) << printer;
}
