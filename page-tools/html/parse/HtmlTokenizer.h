#pragma once
// Splits page text into tags, text, comments and the document type, as
// forgivingly as browsers do: a '<' that starts no tag is text, an unclosed
// comment runs to the end, raw text elements end only at their own end tag.
#include <string>
#include <vector>

#include "Node.h"

namespace html {

struct Token {
    enum Type { StartTag, EndTag, Text, Comment, Doctype, End } type = End;
    std::wstring name;        // tag name, lower case; the doctype's whole text
    std::vector<Attr> attrs;
    std::wstring text;        // text, comment
    bool selfClosing = false;
};

class HtmlTokenizer {
public:
    explicit HtmlTokenizer(const std::wstring& text) : src(text) {}
    // The next token; End at the end of the text.
    Token Next();
    // After a start tag of script, style, textarea, title and the like the
    // builder asks for the raw text up to the matching end tag.
    void SetRawText(const std::wstring& tagName, bool decodeRefs);

    static constexpr size_t MaxAttributes = 256;

private:
    Token ReadTag();
    Token ReadMarkupDeclaration();
    Token ReadRaw();
    void ReadAttributes(Token& t);

    const std::wstring& src;
    size_t pos = 0;
    std::wstring rawTag;
    bool rawDecode = false;
};

} // namespace html
