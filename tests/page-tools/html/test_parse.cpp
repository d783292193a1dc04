// The tree builder mends broken markup as browsers do.
#include <gtest/gtest.h>

#include "PageFixture.h"
#include "html/parse/CharRefs.h"
#include "html/parse/PageText.h"
#include "html/parse/TreeBuilder.h"

using namespace html;

namespace {

// body's subtree as tag(children) with text in quotes.
std::wstring Shape(const Node& n)
{
    if (n.kind == NodeKind::Text)
        return L"'" + n.text + L"'";
    if (n.kind == NodeKind::Comment)
        return L"!";
    std::wstring s = n.tag;
    if (!n.children.empty()) {
        s += L"(";
        for (size_t i = 0; i < n.children.size(); ++i)
            s += (i ? L"," : L"") + Shape(*n.children[i]);
        s += L")";
    }
    return s;
}

} // namespace

TEST(HtmlParse, MendsMarkupAsBrowsersDo)
{
    struct Case {
        const wchar_t* html;
        const wchar_t* body;
    } cases[] = {
        {L"text", L"body('text')"},
        {L"<p>a<p>b", L"body(p('a'),p('b'))"},
        {L"<p>a<div>b</div>", L"body(p('a'),div('b'))"},
        {L"<ul><li>a<li>b</ul>", L"body(ul(li('a'),li('b')))"},
        {L"<dl><dt>a<dd>b<dt>c</dl>", L"body(dl(dt('a'),dd('b'),dt('c')))"},
        {L"<b><i>x</b>y</i>", L"body(b(i('x')),i('y'))"},
        {L"<table><tr><td>1<td>2<tr><td>3</table>", L"body(table(tbody(tr(td('1'),td('2')),tr(td('3')))))"},
        {L"<table><td>1</table>", L"body(table(tbody(tr(td('1')))))"},
        {L"<table><thead><tr><th>h<tbody><tr><td>d</table>",
         L"body(table(thead(tr(th('h'))),tbody(tr(td('d')))))"},
        {L"<table>oops<tr><td>1</td></tr></table>", L"body('oops',table(tbody(tr(td('1')))))"},
        {L"<select><option>a<option>b</select>", L"body(select(option('a'),option('b')))"},
        {L"<a href=x>1<a href=y>2", L"body(a('1'),a('2'))"},
        {L"<p>x</div>y", L"body(p('xy'))"},
        {L"</p>", L"body(p)"},
        {L"<h1>a<h2>b</h1>c", L"body(h1('a'),h2('b'),'c')"},
        {L"x<script>if (a<b) x='</p>'</script>", L"body('x',script('if (a<b) x='</p>''))"},
        {L"<textarea>\n<b>&amp;</textarea>", L"body(textarea('<b>&'))"},
        {L"<!-- c -->x<br/>y<!--d-->", L"body('x',br,'y',!)"},
        {L"&amp;&lt;&copy;&#65;&#x42;&nbsp;&bogus;&copyx", L"body('&<\u00A9AB\u00A0&bogus;\u00A9x')"},
        {L"<div title='a\"b' class=c id=\"d\">t</div>", L"body(div('t'))"},
        {L"<DIV><P>A</p></div>", L"body(div(p('A')))"},
        {L"<p><b>x<p>y", L"body(p(b('x')),p(b('y')))"},
        {L"<img src=a></img><br></br>", L"body(img,br,br)"},
        {L"<table><tr><td><table><tr><td>in</table>out</table>", L"body(table(tbody(tr(td(table(tbody(tr(td('in')))),'out')))))"},
        {L"<ol><li>a<ul><li>b</ul><li>c</ol>", L"body(ol(li('a',ul(li('b'))),li('c')))"},
        {L"<?xml version='1.0'?><p>x", L"body(p('x'))"},
        {L"<p>a < b && c</p>", L"body(p('a < b && c'))"},
        {L"<select><option>a<optgroup><option>b</select>", L"body(select(option('a'),optgroup(option('b'))))"},
        {L"<p>x<!-- never closed", L"body(p('x',!))"},
        {L"<table><tr><td>a<div>b</td><td>c</table>", L"body(table(tbody(tr(td('a',div('b')),td('c')))))"},
        {L"<plaintext><b>all</b>", L"body(plaintext('<b>all</b>'))"},
        {L"<%@ Language=VBScript %>\n<html><head><title>t</title></head><body><p>x</body></html>",
         L"body('<%@ Language=VBScript %>\n',title('t'),p('x'))"},
        {L"<!-- c --><html><head></head><title>t</title><head><p>x<head><b>y</b>", L"body(p('x',b('y')))"},
    };
    for (const Case& c : cases) {
        ParsedPage page = ParsePage(c.html);
        ASSERT_NE(page.body, nullptr) << pagetest::Narrow(c.html);
        EXPECT_EQ(Shape(*page.body), c.body) << pagetest::Narrow(c.html);
    }
}

TEST(HtmlParse, HeadElementsTitleAndAttributes)
{
    ParsedPage page = ParsePage(L"<title>A &amp; B</title><meta charset=utf-8><style>p{}</style><p class='x y' id=z>t");
    EXPECT_EQ(Shape(*page.head), L"head(title('A & B'),meta,style('p{}'))");
    const Node* p = page.body->children[0].get();
    EXPECT_EQ(p->AttributeOr(L"class"), L"x y");
    EXPECT_EQ(p->AttributeOr(L"id"), L"z");
    EXPECT_EQ(DecodeCharRefs(L"a&quot;b&#0;&#x110000;", true), L"a\"b\uFFFD\uFFFD");
}

TEST(HtmlParse, DoctypeGivesCompatMode)
{
    struct Case {
        const wchar_t* doctype;
        const wchar_t* mode;
    } cases[] = {
        {L"", L"BackCompat"},
        {L"<!DOCTYPE html>", L"CSS1Compat"},
        {L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">", L"CSS1Compat"},
        {L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">", L"BackCompat"},
        {L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" \"http://www.w3.org/TR/html4/loose.dtd\">", L"CSS1Compat"},
        {L"<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">", L"CSS1Compat"},
        {L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">", L"BackCompat"},
        {L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\" \"http://www.w3.org/TR/REC-html40/loose.dtd\">", L"BackCompat"},
        {L"<!DOCTYPE svg>", L"BackCompat"},
    };
    for (const Case& c : cases) {
        pagetest::Page p(std::wstring(c.doctype) + L"<p>x");
        EXPECT_EQ(p.doc.compatMode(), c.mode) << pagetest::Narrow(c.doctype);
    }
}

TEST(HtmlParse, PageBytesInTheirEncoding)
{
    EXPECT_EQ(DecodePageBytes("\xEF\xBB\xBF" "\xC3\xA9"), L"\u00E9");
    EXPECT_EQ(DecodePageBytes("<meta charset=\"utf-8\">\xC3\xA9").back(), L'\u00E9');
    EXPECT_EQ(DecodePageBytes("<meta http-equiv=Content-Type content=\"text/html; charset=UTF-8\">\xE2\x82\xAC").back(), L'\u20AC');
    EXPECT_EQ(DecodePageBytes("plain"), L"plain");
}
