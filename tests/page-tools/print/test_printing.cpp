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
