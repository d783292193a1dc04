// Real manuals, as their packages ship them (pages/: the base-passwd guide,
// zlib's usage example and libxslt's xsltproc page, each under its own
// licence), lay out at 800 pixels as browsers show them: nothing sticks out
// to the right, and every piece of text is on the page.
#include <gtest/gtest.h>

#include <set>

#include "PageFixture.h"

using namespace html;

TEST(HtmlRealPages, ManualsFitTheWindowAndShowAllTheirText)
{
    for (const wchar_t* name : {L"users-and-groups.html", L"zlib_how.html", L"xsltproc.html"}) {
        SCOPED_TRACE(pagetest::Narrow(name));
        HtmlDocument doc;
        std::wstring error;
        ASSERT_TRUE(doc.Load(std::wstring(TEST_PAGES_DIR) + L"\\" + name, error)) << pagetest::Narrow(error);
        doc.Layout(800, 600);
        const PageLayout& layout = doc.Boxes();
        EXPECT_EQ(layout.width, 800);
        std::set<int> drawn;
        for (const DisplayItem& item : layout.items) {
            if (item.kind != DisplayItem::Text)
                continue;
            drawn.insert(item.node);
            EXPECT_GE(item.r.x, 0);
            EXPECT_LE(item.r.Right(), 800) << pagetest::Narrow(layout.texts[item.text]);
        }
        int texts = 0;
        for (const Node* n : doc.Page().nodes) {
            if (n->kind != NodeKind::Text || !n->parent || n->text.find_first_not_of(L" \t\r\n") == std::wstring::npos)
                continue;
            const ComputedStyle* s = doc.Styles().StyleOf(*n->parent);
            if (!s || !s->visible)
                continue;
            ++texts;
            EXPECT_TRUE(drawn.count(n->parent->index)) << pagetest::Narrow(n->text.substr(0, 60));
        }
        EXPECT_GT(texts, 50);
    }
}
