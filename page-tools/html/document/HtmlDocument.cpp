#include "HtmlDocument.h"

#include <algorithm>
#include <cwctype>

#include "html/parse/PageText.h"
#include "html/parse/PageUrl.h"
#include "html/parse/TreeBuilder.h"
#include "platform/Files.h"
#include "platform/Text.h"

namespace html {

bool ReadPageFile(const std::wstring& path, std::string& bytes, size_t maxBytes)
{
    bytes.clear();
    return !path.empty() && platform::ReadWholeFile(path, bytes, maxBytes);
}

std::wstring HtmlElement::tagName() const
{
    std::wstring t = node ? node->tag : L"";
    for (wchar_t& c : t)
        c = static_cast<wchar_t>(std::towupper(c));
    return t;
}

std::wstring HtmlElement::id() const
{
    return node ? node->AttributeOr(L"id") : L"";
}

std::wstring HtmlElement::className() const
{
    return node ? node->AttributeOr(L"class") : L"";
}

std::wstring HtmlElement::styleCssText() const
{
    const std::wstring* st = node ? node->Attribute(L"style") : nullptr;
    return st ? CssText(ParseDeclarations(*st)) : L"";
}

std::wstring HtmlElement::href() const
{
    const std::wstring* h = node ? node->Attribute(L"href") : nullptr;
    return h ? AbsoluteUrl(doc->Path(), *h) : L"";
}

std::wstring HtmlElement::src() const
{
    const std::wstring* s = node ? node->Attribute(L"src") : nullptr;
    return s ? AbsoluteUrl(doc->Path(), *s) : L"";
}

int HtmlElement::width() const
{
    if (!node || !doc->IsLaidOut())
        return 0;
    const Rect& r = doc->Boxes().boxes[node->index];
    const ComputedStyle* s = doc->Styles().StyleOf(*node);
    if (r.w < 0 || !s)
        return 0;
    return r.w - s->Border(Left) - s->Border(Right) - s->padding[Left].Resolve(0) - s->padding[Right].Resolve(0);
}

int HtmlElement::height() const
{
    if (!node || !doc->IsLaidOut())
        return 0;
    const Rect& r = doc->Boxes().boxes[node->index];
    const ComputedStyle* s = doc->Styles().StyleOf(*node);
    if (r.h < 0 || !s)
        return 0;
    return r.h - s->Border(Top) - s->Border(Bottom) - s->padding[Top].Resolve(0) - s->padding[Bottom].Resolve(0);
}

namespace {

bool OwnsScroll(const HtmlDocument& doc, const Node* node)
{
    bool standards = doc.Page().quirks != QuirksMode::Quirks;
    return node && node == (standards ? doc.Page().html : doc.Page().body);
}

} // namespace

long HtmlElement::scrollTop() const
{
    return OwnsScroll(*doc, node) ? doc->ScrollTop() : 0;
}

void HtmlElement::scrollTop(long value)
{
    if (OwnsScroll(*doc, node))
        doc->SetScroll(doc->ScrollLeft(), static_cast<int>(std::max(-1000000000L, std::min(value, 1000000000L))));
}

HtmlDocument::HtmlDocument()
    : fonts(std::make_unique<FontCache>()),
      images(std::make_unique<ImageStore>())
{
}

HtmlDocument::~HtmlDocument() = default;

bool HtmlDocument::Load(const std::wstring& file, std::wstring& error)
{
    std::string bytes;
    if (!ReadPageFile(file, bytes, MaxPageBytes)) {
        error = L"The page " + file + L" could not be read.";
        LoadText(L"", file);
        return false;
    }
    LoadText(DecodePageBytes(bytes), file);
    return true;
}

void HtmlDocument::LoadText(const std::wstring& text, const std::wstring& file)
{
    path = file;
    images = std::make_unique<ImageStore>();
    images->SetPagePath(path);
    Build(text);
}

void HtmlDocument::Build(const std::wstring& text)
{
    layout = PageLayout();
    laidOut = false;
    scrollX = scrollY = 0;
    window.event() = PageEvent();
    page = ParsePage(text);
    StyleOptions options;
    options.pagePath = path;
    options.readFile = [](const std::wstring& p, std::string& bytes) { return ReadPageFile(p, bytes, MaxSheetBytes); };
    // The font cache lives as long as the document and keeps its place when the document moves.
    options.xHeight = [cache = fonts.get()](const std::wstring& family, bool bold, bool italic) {
        return cache->XHeightRatio(family, bold, italic);
    };
    parsedNodes = page.nodes.size();
    styles = ResolveStyles(page, options);
    AttachGenerated();
    sheets.clear();
    for (const StyleSheet& s : styles.sheets) {
        HtmlStyleSheet hs;
        hs.href = s.href.empty() ? L"" : AbsoluteUrl(path, s.href);
        for (const StyleRule& r : s.rules)
            if (RuleApplies(s, r, styles.media))
                hs.rules.push_back(HtmlStyleRule{SelectorDisplayText(r.selectorText), CssText(r.declarations)});
        sheets.push_back(std::move(hs));
    }
}

void HtmlDocument::Layout(int viewportWidth, int viewportHeight, bool print)
{
    MediaEnv env{print, std::max(1, viewportWidth), std::max(1, viewportHeight)};
    // Media conditions and viewport units are read in the cascade, which runs again only when they could change.
    if (env.print != styles.media.print || (styles.dependsOnSize && env != styles.media)) {
        DetachGenerated();
        Restyle(styles, page, env);
        AttachGenerated();
    }
    LayoutInput input{page, styles, *fonts,
                      [this](const std::wstring& src, int& w, int& h) { return images->Size(src, w, h); },
                      std::max(1, viewportWidth), std::max(1, viewportHeight)};
    layout = LayoutPage(input);
    laidOut = true;
    SetScroll(scrollX, scrollY);
}

void HtmlDocument::AttachGenerated()
{
    for (const GeneratedContent& g : styles.generated) {
        Node* owner = g.element >= 0 && static_cast<size_t>(g.element) < parsedNodes ? page.nodes[g.element] : nullptr;
        if (!owner)
            continue;
        auto box = std::make_unique<Node>();
        box->kind = NodeKind::Element;
        box->tag = g.after ? L"::after" : L"::before";
        box->parent = owner;
        box->index = static_cast<int>(page.nodes.size());
        page.nodes.push_back(box.get());
        styles.styles.push_back(g.style);
        int style = static_cast<int>(styles.styles.size() - 1);
        styles.styleOf.push_back(style);
        if (!g.text.empty()) {
            auto text = std::make_unique<Node>();
            text->kind = NodeKind::Text;
            text->text = g.text;
            text->parent = box.get();
            text->index = static_cast<int>(page.nodes.size());
            page.nodes.push_back(text.get());
            styles.styleOf.push_back(style);
            box->children.push_back(std::move(text));
        }
        if (g.after)
            owner->children.push_back(std::move(box));
        else
            owner->children.insert(owner->children.begin(), std::move(box));
    }
}

void HtmlDocument::DetachGenerated()
{
    if (page.nodes.size() <= parsedNodes)
        return;
    for (size_t i = parsedNodes; i < page.nodes.size(); ++i) {
        Node* n = page.nodes[i];
        if (n->kind != NodeKind::Element || !n->parent)
            continue;
        auto& kids = n->parent->children;
        kids.erase(std::remove_if(kids.begin(), kids.end(), [&](const std::unique_ptr<Node>& k) { return k.get() == n; }),
                   kids.end());
    }
    page.nodes.resize(parsedNodes);
    styles.styleOf.resize(std::min(styles.styleOf.size(), parsedNodes));
}

std::wstring HtmlDocument::title() const
{
    for (const Node* n : page.nodes) {
        if (n->Is(L"title")) {
            // Blanks collapsed and trimmed, as browsers report the title.
            return platform::CollapseWhiteSpace(TextContent(*n));
        }
    }
    return L"";
}

std::wstring HtmlDocument::compatMode() const
{
    return page.quirks == QuirksMode::Quirks ? L"BackCompat" : L"CSS1Compat";
}

HtmlElement HtmlDocument::ElementFromPoint(int docX, int docY)
{
    if (!laidOut)
        return HtmlElement();
    const Node* n = ElementAt(layout, page, docX, docY);
    while (n && n->index >= static_cast<int>(parsedNodes) && n->parent)
        n = n->parent; // a ::before or ::after box stands for its element
    if (!n)
        n = page.body ? page.body : page.html;
    return HtmlElement(this, n);
}

void HtmlDocument::SetScroll(int x, int y)
{
    int maxY = std::max(0, layout.height - layout.viewportHeight);
    int maxX = std::max(0, layout.width - layout.viewportWidth);
    scrollY = std::max(0, std::min(y, maxY));
    scrollX = std::max(0, std::min(x, maxX));
}

int HtmlDocument::AnchorTop(const std::wstring& name) const
{
    if (name.empty())
        return 0; // "#" alone goes to the top
    for (const Node* n : page.nodes) {
        if (!n->IsElement())
            continue;
        const std::wstring* id = n->Attribute(L"id");
        const std::wstring* nm = n->Is(L"a") ? n->Attribute(L"name") : nullptr;
        if ((id && *id == name) || (nm && *nm == name)) {
            // An empty anchor has no box of its own: use the next box after it.
            for (size_t i = n->index; i < page.nodes.size(); ++i)
                if (layout.boxes.size() > i && layout.boxes[i].w >= 0)
                    return layout.boxes[i].y;
            return -1;
        }
    }
    return -1;
}

} // namespace html
