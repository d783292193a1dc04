#pragma once
// The document tree the parser builds and every later layer reads. Each node
// carries its index in document order, so styles and boxes live in plain
// vectors beside the tree instead of inside it.
#include <memory>
#include <string>
#include <vector>

namespace html {

enum class NodeKind : unsigned char { Document, Element, Text, Comment };

struct Attr {
    std::wstring name;  // lower case
    std::wstring value; // character references already decoded
};

struct Node {
    NodeKind kind = NodeKind::Element;
    int index = 0;          // position in document order (Document::nodes)
    std::wstring tag;       // lower-case element name; empty for other kinds
    std::vector<Attr> attrs;
    std::wstring text;      // text and comment content
    Node* parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;

    bool IsElement() const { return kind == NodeKind::Element; }
    bool Is(const wchar_t* name) const { return kind == NodeKind::Element && tag == name; }
    // The attribute's value, or nullptr when the element has none of that name.
    const std::wstring* Attribute(const std::wstring& name) const
    {
        for (const Attr& a : attrs)
            if (a.name == name)
                return &a.value;
        return nullptr;
    }
    std::wstring AttributeOr(const std::wstring& name, const std::wstring& fallback = L"") const
    {
        const std::wstring* v = Attribute(name);
        return v ? *v : fallback;
    }
};

// How the page asked to be laid out, from its document type declaration.
enum class QuirksMode : unsigned char { NoQuirks, LimitedQuirks, Quirks };

struct ParsedPage {
    std::unique_ptr<Node> root;   // the Document node; its one element child is html
    std::vector<Node*> nodes;     // every node by index
    QuirksMode quirks = QuirksMode::Quirks;
    bool truncated = false;       // limits were reached; the rest of the page was left out
    Node* html = nullptr;
    Node* head = nullptr;
    Node* body = nullptr;
};

} // namespace html
