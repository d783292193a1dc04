#include "print/PrintPages.h"

#include <gtest/gtest.h>

TEST(PrintHeader, CarriesTheChosenParts)
{
    struct Case {
        bool title, number;
        long page;
        const wchar_t* line;
    } cases[] = {
        {false, false, 1, L""},
        {true, false, 3, L"\t\tReport.html"},
        {false, true, 1, L"\t\t  Page 1"},
        {true, true, 12, L"\t\tReport.html  Page 12"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PrintPages::HeaderLine(L"Report.html", c.title, c.number, c.page), c.line);
}

TEST(PrintLoop, StopsAtTheEndAndWhenNothingMovesOn)
{
    struct Case {
        long returned, pageStart, length;
        bool last;
    } cases[] = {
        {400, 0, 1000, false},  // first page, more to come
        {999, 400, 1000, false}, // one character left: the final one-character line still prints
        {1000, 999, 1000, true}, // everything printed
        {0, 0, 0, true},         // empty editor
        {0, 0, 1000, true},      // no printer: nothing rendered
        {400, 400, 1000, true},  // nothing more fitted: the same page would print for ever
        {300, 400, 1000, true},  // went backwards
    };
    for (const Case& c : cases)
        EXPECT_EQ(PrintPages::IsLastPage(c.returned, c.pageStart, c.length), c.last)
            << c.returned << " from " << c.pageStart << " of " << c.length;
}
