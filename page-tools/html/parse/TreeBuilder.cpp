#include "TreeBuilder.h"

#include <algorithm>
#include <cwctype>
#include <unordered_set>

#include "HtmlTokenizer.h"

namespace html {
namespace {

using Set = std::unordered_set<std::wstring>;

const Set& VoidTags()
{
    static const Set s{L"area", L"base", L"br", L"col", L"embed", L"hr", L"img", L"input", L"link", L"meta",
                       L"param", L"source", L"track", L"wbr", L"basefont", L"frame", L"isindex", L"keygen",
                       L"bgsound", L"spacer"};
    return s;
}

const Set& HeadTags()
{
    static const Set s{L"title", L"meta", L"link", L"style", L"script", L"base", L"basefont", L"bgsound",
                       L"noscript"};
    return s;
}

// Start tags that close an open paragraph.
const Set& ClosesP()
{
    static const Set s{L"address", L"article", L"aside", L"blockquote", L"center", L"dir", L"div", L"dl",
                       L"fieldset", L"footer", L"form", L"h1", L"h2", L"h3", L"h4", L"h5", L"h6", L"header",
                       L"hr", L"li", L"listing", L"menu", L"nav", L"ol", L"p", L"plaintext", L"pre",
                       L"section", L"table", L"ul", L"xmp", L"dd", L"dt", L"figure", L"main", L"details"};
    return s;
}

const Set& FormattingTags()
{
    static const Set s{L"a", L"b", L"big", L"code", L"em", L"font", L"i", L"nobr", L"s", L"small",
                       L"strike", L"strong", L"tt", L"u"};
    return s;
}

bool IsHeading(const std::wstring& t)
{
    return t.size() == 2 && t[0] == L'h' && t[1] >= L'1' && t[1] <= L'6';
}

bool IsWhitespace(const std::wstring& s)
{
    for (wchar_t c : s)
        if (c != L' ' && c != L'\t' && c != L'\n' && c != L'\r' && c != L'\f')
            return false;
    return true;
}

class Builder {
public:
    Builder(const std::wstring& text, const ParseLimits& l) : tok(text), limits(l) {}
    ParsedPage Run();

private:
    Node* NewNode(NodeKind kind, const std::wstring& tag);
    Node* Current() { return stack.empty() ? page.root.get() : stack.back(); }
    void Append(Node* parent, std::unique_ptr<Node> child, Node* before = nullptr);
    void EnsureHtml();
    void EnsureHead();
    void EnsureBody();
    Node* InsertElement(const Token& t, bool push);
    void InsertText(const std::wstring& text);
    void StartTag(Token& t);
    void EndTag(const std::wstring& name);
    int FindOpen(const std::wstring& name, const Set& boundaries) const;
    int FindOpenInTableScope(const std::wstring& name) const;
    void PopTo(size_t index, bool remember);
    void CloseP();
    void ReopenFormatting();
    bool InTableContext() const;
    Node* FosterParentFor(Node*& before) const;

    HtmlTokenizer tok;
    ParseLimits limits;
    ParsedPage page;
    std::vector<Node*> stack;
    std::vector<std::pair<std::wstring, std::vector<Attr>>> reopen; // formatting closed by misnesting
    bool sawDoctype = false;
    bool dropNewline = false; // a line break right after <pre> or <listing> is not part of its text
    bool inSelect = false;
    std::unique_ptr<Node> pendingOwner;
};

Node* Builder::NewNode(NodeKind kind, const std::wstring& tag)
{
    auto n = std::make_unique<Node>();
    n->kind = kind;
    n->tag = tag;
    Node* raw = n.release();
    pendingOwner.reset(raw);
    return raw;
}

void Builder::Append(Node* parent, std::unique_ptr<Node> child, Node* before)
{
    child->parent = parent;
    if (before) {
        auto it = std::find_if(parent->children.begin(), parent->children.end(),
                               [&](const std::unique_ptr<Node>& c) { return c.get() == before; });
        parent->children.insert(it, std::move(child));
    } else {
        parent->children.push_back(std::move(child));
    }
}

void Builder::EnsureHtml()
{
    if (page.html)
        return;
    Node* n = NewNode(NodeKind::Element, L"html");
    Append(page.root.get(), std::move(pendingOwner));
    page.html = n;
    stack.assign(1, n);
}

void Builder::EnsureHead()
{
    EnsureHtml();
    if (page.head)
        return;
    Node* n = NewNode(NodeKind::Element, L"head");
    Append(page.html, std::move(pendingOwner));
    page.head = n;
}

void Builder::EnsureBody()
{
    EnsureHead();
    if (page.body)
        return;
    Node* n = NewNode(NodeKind::Element, L"body");
    Append(page.html, std::move(pendingOwner));
    page.body = n;
    stack.assign({page.html, n});
}

bool Builder::InTableContext() const
{
    if (stack.empty())
        return false;
    const std::wstring& t = stack.back()->tag;
    return t == L"table" || t == L"tbody" || t == L"thead" || t == L"tfoot" || t == L"tr";
}

// Content that may not stand inside a table goes before it, as browsers place it.
Node* Builder::FosterParentFor(Node*& before) const
{
    for (size_t i = stack.size(); i-- > 0;) {
        if (stack[i]->tag == L"table" && stack[i]->parent) {
            before = stack[i];
            return stack[i]->parent;
        }
    }
    before = nullptr;
    return stack.back();
}

Node* Builder::InsertElement(const Token& t, bool push)
{
    Node* n = NewNode(NodeKind::Element, t.name);
    n->attrs = t.attrs;
    Node* before = nullptr;
    Node* parent = Current();
    static const Set tableParts{L"table", L"tbody", L"thead", L"tfoot", L"tr", L"td", L"th", L"caption",
                                L"colgroup", L"col", L"form", L"script", L"style", L"input"};
    if (InTableContext() && !tableParts.count(t.name))
        parent = FosterParentFor(before);
    Append(parent, std::move(pendingOwner), before);
    if (push && !VoidTags().count(t.name) && stack.size() < limits.maxDepth)
        stack.push_back(n);
    return n;
}

void Builder::InsertText(const std::wstring& text)
{
    Node* parent = Current();
    Node* before = nullptr;
    if (InTableContext()) {
        if (IsWhitespace(text)) {
            // Spaces between table parts are kept where they stand.
        } else {
            parent = FosterParentFor(before);
        }
    }
    if (!before && !parent->children.empty() && parent->children.back()->kind == NodeKind::Text) {
        parent->children.back()->text += text;
        return;
    }
    NewNode(NodeKind::Text, L"");
    pendingOwner->text = text;
    Append(parent, std::move(pendingOwner), before);
}

int Builder::FindOpen(const std::wstring& name, const Set& boundaries) const
{
    for (size_t i = stack.size(); i-- > 0;) {
        if (stack[i]->tag == name)
            return static_cast<int>(i);
        if (boundaries.count(stack[i]->tag))
            return -1;
    }
    return -1;
}

int Builder::FindOpenInTableScope(const std::wstring& name) const
{
    static const Set b{L"table", L"html"};
    return FindOpen(name, b);
}

void Builder::PopTo(size_t index, bool remember)
{
    if (remember) {
        for (size_t i = index + 1; i < stack.size(); ++i)
            if (FormattingTags().count(stack[i]->tag) && reopen.size() < 8)
                reopen.emplace_back(stack[i]->tag, stack[i]->attrs);
    }
    stack.resize(index);
    if (stack.empty() && page.html)
        stack.push_back(page.html);
}

void Builder::CloseP()
{
    static const Set scope{L"table", L"td", L"th", L"caption", L"html", L"button", L"object", L"applet",
                           L"marquee"};
    int i = FindOpen(L"p", scope);
    if (i >= 0)
        PopTo(i, true);
}

void Builder::ReopenFormatting()
{
    if (reopen.empty())
        return;
    auto list = std::move(reopen);
    reopen.clear();
    for (auto& f : list) {
        Token t;
        t.type = Token::StartTag;
        t.name = f.first;
        t.attrs = f.second;
        InsertElement(t, true);
    }
}

void Builder::StartTag(Token& t)
{
    const std::wstring& name = t.name;
    if (name == L"html") {
        EnsureHtml();
        for (const Attr& a : t.attrs)
            if (!page.html->Attribute(a.name))
                page.html->attrs.push_back(a);
        return;
    }
    if (name == L"head") {
        // Only the first, before the body: a later one is dropped, or
        // everything after it would sit inside a hidden head in the body.
        if (!page.body)
            EnsureHead();
        return;
    }
    if (!page.body && HeadTags().count(name)) {
        // Also after </head>: until the body opens, these still belong to the head.
        EnsureHead();
        Node* n = NewNode(NodeKind::Element, name);
        n->attrs = t.attrs;
        Append(page.head, std::move(pendingOwner));
        if (name == L"title" || name == L"style" || name == L"script" || name == L"noscript") {
            tok.SetRawText(name, name == L"title");
            Token raw = tok.Next();
            if (raw.type == Token::Text) {
                NewNode(NodeKind::Text, L"");
                pendingOwner->text = raw.text;
                Append(n, std::move(pendingOwner));
            } else if (raw.type == Token::EndTag && raw.name == name) {
                return;
            }
            Token end = tok.Next(); // the end tag itself
            if (end.type == Token::StartTag)
                StartTag(end);
        }
        return;
    }
    if (name == L"body") {
        if (page.body) {
            for (const Attr& a : t.attrs)
                if (!page.body->Attribute(a.name))
                    page.body->attrs.push_back(a);
            return;
        }
        EnsureHead();
            Node* n = NewNode(NodeKind::Element, L"body");
        n->attrs = t.attrs;
        Append(page.html, std::move(pendingOwner));
        page.body = n;
        stack.assign({page.html, n});
        return;
    }
    if (name == L"frameset" && !page.body)
        EnsureHead();
    else
        EnsureBody();
    if (inSelect && name != L"option" && name != L"optgroup") {
        if (name == L"select" || name == L"input" || name == L"textarea") {
            int i = FindOpen(L"select", Set{});
            if (i >= 0)
                PopTo(i, false);
            inSelect = false;
            if (name == L"select")
                return;
        } else {
            return; // browsers drop other tags inside a list box
        }
    }
    if (ClosesP().count(name))
        CloseP();
    if (name == L"li") {
        static const Set b{L"ul", L"ol", L"menu", L"dir", L"table", L"td", L"th"};
        int i = FindOpen(L"li", b);
        if (i >= 0)
            PopTo(i, true);
    } else if (name == L"dt" || name == L"dd") {
        static const Set b{L"dl", L"table", L"td", L"th"};
        int i = std::max(FindOpen(L"dt", b), FindOpen(L"dd", b));
        if (i >= 0)
            PopTo(i, true);
    } else if (name == L"option" || name == L"optgroup") {
        if (!stack.empty() && stack.back()->tag == L"option")
            PopTo(stack.size() - 1, false);
        if (name == L"optgroup" && !stack.empty() && stack.back()->tag == L"optgroup")
            PopTo(stack.size() - 1, false);
    } else if (IsHeading(name)) {
        if (!stack.empty() && IsHeading(stack.back()->tag))
            PopTo(stack.size() - 1, false);
    } else if (name == L"a") {
        static const Set b{L"table", L"td", L"th"};
        int i = FindOpen(L"a", b);
        if (i >= 0)
            PopTo(i, false);
    } else if (name == L"td" || name == L"th") {
        int i = std::max(FindOpenInTableScope(L"td"), FindOpenInTableScope(L"th"));
        if (i >= 0)
            PopTo(i, false);
        if (FindOpenInTableScope(L"tr") < 0) {
            if (FindOpenInTableScope(L"table") >= 0) {
                Token row;
                row.type = Token::StartTag;
                row.name = L"tr";
                StartTag(row);
            }
        } else {
            int tr = FindOpenInTableScope(L"tr");
            PopTo(tr + 1, false);
        }
    } else if (name == L"tr") {
        int i = FindOpenInTableScope(L"tr");
        if (i >= 0)
            PopTo(i, false);
        int sec = std::max({FindOpenInTableScope(L"tbody"), FindOpenInTableScope(L"thead"),
                            FindOpenInTableScope(L"tfoot")});
        int table = FindOpenInTableScope(L"table");
        if (table >= 0 && sec < table) {
            PopTo(table + 1, false);
            Token body;
            body.type = Token::StartTag;
            body.name = L"tbody";
            InsertElement(body, true);
        } else if (sec >= 0) {
            PopTo(sec + 1, false);
        }
    } else if (name == L"tbody" || name == L"thead" || name == L"tfoot" || name == L"caption" ||
               name == L"colgroup") {
        int table = FindOpenInTableScope(L"table");
        if (table >= 0)
            PopTo(table + 1, false);
    } else if (name == L"table") {
        reopen.clear();
    }
    if (name == L"select")
        inSelect = true;
    if (!ClosesP().count(name) && name != L"td" && name != L"th" && name != L"tr")
        ReopenFormatting();
    // "<div/>" opens a div, as browsers read HTML.
    Node* n = InsertElement(t, true);
    dropNewline = name == L"pre" || name == L"listing";
    static const Set raw{L"script", L"style", L"textarea", L"title", L"xmp", L"iframe", L"noembed",
                         L"noframes", L"plaintext", L"noscript"};
    if (raw.count(name) && !stack.empty() && stack.back() == n) {
        tok.SetRawText(name == L"plaintext" ? L"\x1\x1" : name, name == L"textarea" || name == L"title");
        Token body = tok.Next();
        if (body.type == Token::Text) {
            std::wstring text = body.text;
            if (name == L"textarea" && !text.empty() && text[0] == L'\n')
                text.erase(0, 1);
            NewNode(NodeKind::Text, L"");
            pendingOwner->text = text;
            Append(n, std::move(pendingOwner));
        } else if (body.type == Token::StartTag) {
            StartTag(body);
        } else if (body.type == Token::EndTag) {
            EndTag(body.name);
        }
    }
}

void Builder::EndTag(const std::wstring& name)
{
    if (name == L"html" || name == L"body" || name == L"head")
        return; // content after them still belongs to the body
    EnsureBody();
    if (name == L"br") {
        Token t;
        t.type = Token::StartTag;
        t.name = L"br";
        StartTag(t);
        return;
    }
    if (name == L"p") {
        static const Set scope{L"table", L"td", L"th", L"caption", L"html", L"button"};
        int i = FindOpen(L"p", scope);
        if (i < 0) { // "</p>" alone makes an empty paragraph
            Token t;
            t.type = Token::StartTag;
            t.name = L"p";
            InsertElement(t, false);
            return;
        }
        PopTo(i, true);
        return;
    }
    if (name == L"select")
        inSelect = false;
    static const Set tableScope{L"table", L"html"};
    static const Set cellScope{L"table", L"td", L"th", L"caption", L"html"};
    const Set& boundaries =
        (name == L"table" || name == L"tr" || name == L"tbody" || name == L"thead" || name == L"tfoot" ||
         name == L"td" || name == L"th")
            ? tableScope
            : cellScope;
    int i = -1;
    if (IsHeading(name)) {
        for (const wchar_t* h : {L"h1", L"h2", L"h3", L"h4", L"h5", L"h6"})
            i = std::max(i, FindOpen(h, boundaries));
    } else {
        i = FindOpen(name, boundaries);
    }
    if (i < 1)
        return; // nothing of that name is open: the tag is dropped
    bool formatting = FormattingTags().count(name) > 0;
    PopTo(i, formatting);
    if (!formatting)
        reopen.clear();
}

ParsedPage Builder::Run()
{
    page.root = std::make_unique<Node>();
    page.root->kind = NodeKind::Document;
    size_t nodes = 0;
    for (;;) {
        Token t = tok.Next();
        if (t.type == Token::End)
            break;
        if (++nodes > limits.maxNodes) {
            page.truncated = true;
            break;
        }
        bool drop = dropNewline;
        dropNewline = false;
        if (drop && t.type == Token::Text) {
            size_t skip = t.text.compare(0, 2, L"\r\n") == 0                          ? 2
                          : (!t.text.empty() && (t.text[0] == L'\n' || t.text[0] == L'\r')) ? 1
                                                                                        : 0;
            t.text.erase(0, skip);
            if (t.text.empty())
                continue;
        }
        switch (t.type) {
        case Token::Doctype:
            if (!sawDoctype && !page.html)
                page.quirks = QuirksFromDoctype(t.name);
            sawDoctype = true;
            break;
        case Token::Comment:
            if (page.html) {
                NewNode(NodeKind::Comment, L"");
                pendingOwner->text = t.text;
                Append(Current(), std::move(pendingOwner));
            }
            break;
        case Token::Text:
            if (!page.body && IsWhitespace(t.text))
                break;
            EnsureBody();
            ReopenFormatting();
            InsertText(t.text);
            break;
        case Token::StartTag:
            StartTag(t);
            break;
        case Token::EndTag:
            EndTag(t.name);
            break;
        case Token::End:
            break;
        }
    }
    EnsureBody();
    // Number the nodes in document order, without recursion: pages may nest deeply.
    std::vector<Node*> work{page.root.get()};
    while (!work.empty()) {
        Node* n = work.back();
        work.pop_back();
        n->index = static_cast<int>(page.nodes.size());
        page.nodes.push_back(n);
        for (size_t i = n->children.size(); i-- > 0;)
            work.push_back(n->children[i].get());
    }
    return std::move(page);
}

bool StartsWith(const std::wstring& s, const wchar_t* prefix)
{
    size_t n = wcslen(prefix);
    return s.size() >= n && s.compare(0, n, prefix) == 0;
}

} // namespace

QuirksMode QuirksFromDoctype(const std::wstring& doctype)
{
    std::wstring d;
    for (wchar_t c : doctype)
        d += static_cast<wchar_t>(std::towlower(c));
    size_t i = d.find_first_not_of(L" \t\r\n");
    if (i == std::wstring::npos || d.compare(i, 4, L"html") != 0 ||
        (i + 4 < d.size() && !std::iswspace(d[i + 4])))
        return QuirksMode::Quirks;
    // The public and system identifiers, in either kind of quotes.
    std::wstring pub, sys;
    size_t p = d.find(L"public");
    auto quoted = [&](size_t from, std::wstring& out) -> size_t {
        size_t q = d.find_first_of(L"\"'", from);
        if (q == std::wstring::npos)
            return q;
        size_t e = d.find(d[q], q + 1);
        if (e == std::wstring::npos)
            e = d.size();
        out = d.substr(q + 1, e - q - 1);
        return e + 1;
    };
    bool hasSystem = false;
    if (p != std::wstring::npos) {
        size_t after = quoted(p + 6, pub);
        if (after != std::wstring::npos && after < d.size())
            hasSystem = quoted(after, sys) != std::wstring::npos;
    } else if ((p = d.find(L"system")) != std::wstring::npos) {
        hasSystem = quoted(p + 6, sys) != std::wstring::npos;
    }
    static const wchar_t* const quirkyPrefixes[] = {
        L"+//silmaril//dtd html pro v0r11 19970101//", L"-//as//dtd html 3.0 aswedit + extensions//",
        L"-//ietf//dtd html", L"-//metrius//dtd metrius presentational//", L"-//microsoft//dtd internet explorer",
        L"-//netscape comm. corp.//dtd", L"-//o'reilly and associates//dtd", L"-//softquad",
        L"-//spyglass//dtd html 2.0 extended//", L"-//sq//dtd html 2.0 hotmetal + extensions//",
        L"-//sun microsystems corp.//dtd hotjava", L"-//w3c//dtd html 3", L"-//w3c//dtd html 4.0 frameset//",
        L"-//w3c//dtd html 4.0 transitional//", L"-//w3c//dtd html experimental", L"-//w3c//dtd w3 html//",
        L"-//w3o//dtd w3 html", L"-//webtechs//dtd mozilla html"};
    for (const wchar_t* q : quirkyPrefixes)
        if (StartsWith(pub, q))
            return QuirksMode::Quirks;
    if (pub == L"-//w3o//dtd w3 html strict 3.0//en//" || pub == L"-/w3c/dtd html 4.0 transitional/en" ||
        pub == L"html" || sys == L"http://www.ibm.com/data/dtd/v11/ibmxhtml1-transitional.dtd")
        return QuirksMode::Quirks;
    bool html401Loose = StartsWith(pub, L"-//w3c//dtd html 4.01 frameset//") ||
                        StartsWith(pub, L"-//w3c//dtd html 4.01 transitional//");
    if (html401Loose && !hasSystem)
        return QuirksMode::Quirks;
    if (html401Loose || StartsWith(pub, L"-//w3c//dtd xhtml 1.0 frameset//") ||
        StartsWith(pub, L"-//w3c//dtd xhtml 1.0 transitional//"))
        return QuirksMode::LimitedQuirks;
    return QuirksMode::NoQuirks;
}

ParsedPage ParsePage(const std::wstring& text, const ParseLimits& limits)
{
    return Builder(text, limits).Run();
}

std::wstring TextContent(const Node& n)
{
    std::wstring out;
    std::vector<const Node*> work{&n};
    while (!work.empty()) {
        const Node* c = work.back();
        work.pop_back();
        if (c->kind == NodeKind::Text)
            out += c->text;
        for (size_t i = c->children.size(); i-- > 0;)
            work.push_back(c->children[i].get());
    }
    return out;
}

} // namespace html
