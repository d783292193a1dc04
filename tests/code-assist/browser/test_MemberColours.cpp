#include "browser/MemberColours.h"

#include <gtest/gtest.h>

namespace {

struct Expected {
    std::wstring text;
    COLORREF color;
    bool bold;
};

std::vector<Expected> Coloured(const std::wstring& text)
{
    std::vector<Expected> out;
    for (const ColourRun& r : MemberColourRuns(text))
        out.push_back({text.substr(r.Start, r.End - r.Start), r.Color, r.Bold});
    return out;
}

bool operator==(const Expected& a, const Expected& b)
{
    return a.text == b.text && a.color == b.color && a.bold == b.bold;
}
void PrintTo(const Expected& e, std::ostream* os) { *os << std::string(e.text.begin(), e.text.end()) << "/" << e.color; }

TEST(MemberColours, EachLineOnItsOwn)
{
    const COLORREF name = 0x400080;
    struct Case {
        std::wstring text;
        std::vector<Expected> runs;
    } cases[] = {
        // Member lines as the class text writes them, from the first column.
        {L"Method Refresh()", {{L"Method", 0x0000DF, false}, {L"Refresh", name, true}}},
        {L"Property Caption as String", {{L"Property", 0xBF0000, false}, {L"Caption", name, true}}},
        {L"  Event Changed(what as String)", {{L"Event", 0x4080FF, false}, {L"Changed", name, true}}},
        // A name at the end of its line stops there, not in the next line.
        {L"Property Width\r\rMethod Go()", {{L"Property", 0xBF0000, false}, {L"Width", name, true},
                                            {L"Method", 0x0000DF, false}, {L"Go", name, true}}},
        // A line whose keyword differs in case, or that only mentions one, is
        // left alone; the next line's keyword is not taken for it.
        {L"method lower()\rSee the Method Run()", {}},
        {L"Method Go()\r\nInfo: Starts it; info: twice",
         {{L"Method", 0x0000DF, false}, {L"Go", name, true}, {L"Info:", 0, true}, {L"info:", 0, true}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Coloured(c.text), c.runs) << std::string(c.text.begin(), c.text.end());
}

} // namespace
