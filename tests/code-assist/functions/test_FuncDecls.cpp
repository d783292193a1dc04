// Declaration lines as the function popup reads them, and the marker lines
// that link include files.
#include "functions/FuncDecls.h"
#include "functions/LinkMarkers.h"

#include <gtest/gtest.h>

namespace {

TEST(FuncDecls, LinesDeclareOrNot)
{
    struct Case {
        const wchar_t* line;
        const wchar_t* name;   // nullptr: no declaration
        const wchar_t* signature;
    } cases[] = {
        {L"Sub Foo(a, b)", L"Foo", L"Foo(a, b)"},
        {L"  Private Function Bar(x) ' (note", L"Bar", L"Bar(x)"},
        {L"\tpublic sub baz(Optional (a), b)", L"baz", L"baz(Optional (a), b)"},
        {L"function add(a, b) {", L"add", L"add(a, b)"},
        {L"Sub Foo (a)", L"Foo", L"Foo (a)"},
        {L"Property Get X()", nullptr, nullptr},
        {L"' Sub Old(a)", nullptr, nullptr},
        {L"\"Sub Quoted(a)\"", nullptr, nullptr},
        {L"x = 1 ' Sub Commented(a)", nullptr, nullptr},
        {L"MsgBox \"Sub InString(a)\"", nullptr, nullptr},
        {L"Sub Open(a", nullptr, nullptr},
        {L"Sub Cut(a ' b)", nullptr, nullptr},
        {L"Sub NoList", nullptr, nullptr},
        {L"Sub (a)", nullptr, nullptr},
        {L"var f = function(a) {", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        FuncDecl decl;
        bool found = FuncDeclOnLine(c.line, decl);
        EXPECT_EQ(found, c.name != nullptr) << c.line;
        if (found && c.name) {
            EXPECT_EQ(decl.name, c.name) << c.line;
            EXPECT_EQ(decl.signature, c.signature) << c.line;
        }
    }
}

TEST(FuncDecls, ScanKeepsTextOrderAcrossLineBreaks)
{
    auto decls = ScanFuncText(L"Sub A(x)\r\nEnd Sub\rFunction B()\nfunction c(d) {}\r\n' Sub E(f)");
    ASSERT_EQ(decls.size(), 3u);
    EXPECT_EQ(decls[0].signature, L"A(x)");
    EXPECT_EQ(decls[1].signature, L"B()");
    EXPECT_EQ(decls[2].signature, L"c(d)");
}

TEST(LinkMarkers, LineForEachTypeReadsBack)
{
    const std::wstring path = L"C:\\lib\\util.vbs";
    const std::wstring marker = L"**TARNEL LINK FILE: C:\\lib\\util.vbs *";
    EXPECT_EQ(LinkMarkerLine(EditorType::VBScript, path), L"'" + marker + L"\r\n");
    EXPECT_EQ(LinkMarkerLine(EditorType::HTML, path), L"<!-- " + marker + L" -->\r\n");
    EXPECT_EQ(LinkMarkerLine(EditorType::ASP, path), L"<!-- " + marker + L" -->\r\n");
    // A type without a comment form still gets a line of its own.
    EXPECT_EQ(LinkMarkerLine(EditorType::None, path), marker + L"\r\n");
    for (long t = 0; t <= 5; ++t) {
        std::wstring doc = L"first line\r\n";
        LinkInsertion ins = LinkMarkerInsertion(EditorTypeOf(t), doc, path);
        EXPECT_EQ(ins.position, 0) << t;
        doc.insert(0, ins.text);
        EXPECT_EQ(doc.substr(doc.size() - 12), L"first line\r\n") << t;
        auto paths = LinkMarkerPaths(doc);
        ASSERT_EQ(paths.size(), 1u) << t;
        EXPECT_EQ(paths[0], path);
    }
}

TEST(LinkMarkers, LeadingDeclarationsStayFirst)
{
    const std::wstring path = L"C:\\a.vbs";
    struct Case {
        const wchar_t* doc;
        const wchar_t* expected;
    } cases[] = {
        {L"<?xml version=\"1.0\"?>\r\n<html>", L"<?xml version=\"1.0\"?>\r\n<!-- **TARNEL LINK FILE: C:\\a.vbs * -->\r\n<html>"},
        {L"<%@ Language=VBScript %>\r<!doctype html>\r<p>", L"<%@ Language=VBScript %>\r<!doctype html>\r<!-- **TARNEL LINK FILE: C:\\a.vbs * -->\r\n<p>"},
        {L"<!DOCTYPE html>", L"<!DOCTYPE html>\r\n<!-- **TARNEL LINK FILE: C:\\a.vbs * -->"},
        {L"<html>", L"<!-- **TARNEL LINK FILE: C:\\a.vbs * -->\r\n<html>"},
    };
    for (const Case& c : cases) {
        std::wstring doc = c.doc;
        LinkInsertion ins = LinkMarkerInsertion(EditorType::HTML, doc, path);
        doc.insert(static_cast<size_t>(ins.position), ins.text);
        EXPECT_EQ(doc, c.expected) << c.doc;
    }
}

TEST(LinkMarkers, RemovalMatchesTheWholeLine)
{
    const std::wstring doc = L"Option Explicit\r"
                             L"'**TARNEL LINK FILE: C:\\lib\\util.vbs2 *\r"
                             L"'**TARNEL LINK FILE: C:\\other\\util.vbs *\r"
                             L"'**TARNEL LINK FILE: C:\\lib\\util.vbs *\r"
                             L"Sub A(x)";
    long start = -1, end = -1;
    ASSERT_TRUE(FindLinkMarkerLine(doc, L"c:\\LIB\\util.vbs", start, end));
    std::wstring after = doc.substr(0, start) + doc.substr(end);
    EXPECT_EQ(after, L"Option Explicit\r"
                     L"'**TARNEL LINK FILE: C:\\lib\\util.vbs2 *\r"
                     L"'**TARNEL LINK FILE: C:\\other\\util.vbs *\r"
                     L"Sub A(x)");
    EXPECT_FALSE(FindLinkMarkerLine(doc, L"C:\\lib\\util", start, end));
}

} // namespace
