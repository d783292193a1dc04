#pragma once
// A loaded page as the preview reads it: its title and compatibility mode,
// its style sheets' rules, its elements and their reported properties, and
// the scroll offset through documentElement or body. Everything here works
// without a window; the view shows it and feeds it events.
#include <memory>
#include <string>
#include <vector>

#include "html/layout/PageLayout.h"
#include "html/paint/ImageStore.h"
#include "html/parse/Node.h"
#include "html/style/StyleResolver.h"

namespace html {

class HtmlDocument;

// An element as the page's script objects report it.
class HtmlElement {
public:
    HtmlElement() = default;
    HtmlElement(HtmlDocument* doc, const Node* node) : doc(doc), node(node) {}
    explicit operator bool() const { return node != nullptr; }
    const Node* GetNode() const { return node; }

    std::wstring tagName() const;      // upper case
    std::wstring id() const;
    std::wstring className() const;
    std::wstring styleCssText() const; // the style attribute's declarations
    std::wstring href() const;         // absolute
    std::wstring src() const;          // absolute
    int width() const;                 // laid-out size of images and the like
    int height() const;
    // documentElement and body: the page's vertical scroll offset as the
    // mode of the page assigns it (standards: documentElement, quirks: body);
    // the other one reads 0 and ignores what is set.
    long scrollTop() const;
    void scrollTop(long value);

private:
    HtmlDocument* doc = nullptr;
    const Node* node = nullptr;
};

struct HtmlStyleRule {
    std::wstring selectorText; // element names upper case, one selector per rule
    std::wstring cssText;      // "COLOR: red; FONT-WEIGHT: bold"
};

struct HtmlStyleSheet {
    std::wstring href;
    std::vector<HtmlStyleRule> rules;
};

// The event the page's window holds while a handler runs.
struct PageEvent {
    HtmlElement srcElement;
    bool ctrlKey = false;
    int keyCode = 0;
};

// What the page's window asks of the window showing it.
class PageWindowHost {
public:
    virtual void ResizeTo(int width, int height) = 0;

protected:
    ~PageWindowHost() = default;
};

// The page's script window: the current event and resizeTo.
class PageWindow {
public:
    PageEvent& event() { return current; }
    // Resizes the window showing the page (nothing without one).
    void resizeTo(int width, int height)
    {
        if (host)
            host->ResizeTo(width, height);
    }
    void SetHost(PageWindowHost* h) { host = h; }

private:
    PageEvent current;
    PageWindowHost* host = nullptr;
};

class HtmlDocument {
public:
    HtmlDocument();
    ~HtmlDocument();

    // Reads and parses the page file; false with a message when it cannot be read.
    bool Load(const std::wstring& path, std::wstring& error);
    // The page from text, as if read from path (for relative addresses).
    void LoadText(const std::wstring& text, const std::wstring& path);
    // Lays the page out for a viewport of that size, on screen or for print;
    // kept until the next call.
    void Layout(int viewportWidth, int viewportHeight, bool print = false);

    std::wstring title() const;
    std::wstring compatMode() const; // "CSS1Compat" or "BackCompat"
    HtmlElement documentElement() { return HtmlElement(this, page.html); }
    HtmlElement body() { return HtmlElement(this, page.body); }
    const std::vector<HtmlStyleSheet>& styleSheets() const { return sheets; }
    HtmlElement ElementFromPoint(int docX, int docY);
    HtmlElement Wrap(const Node* n) { return HtmlElement(this, n); }
    PageWindow& parentWindow() { return window; }

    // The scroll offset in document pixels, kept within the document.
    int ScrollTop() const { return scrollY; }
    int ScrollLeft() const { return scrollX; }
    void SetScroll(int x, int y);
    // The top of the element an anchor "#name" names (id, or <a name>); -1 when none.
    int AnchorTop(const std::wstring& name) const;

    const std::wstring& Path() const { return path; }
    const ParsedPage& Page() const { return page; }
    const StyledPage& Styles() const { return styles; }
    const PageLayout& Boxes() const { return layout; }
    FontCache& Fonts() { return *fonts; }
    ImageStore& Images() { return *images; }
    bool IsLaidOut() const { return laidOut; }

    static constexpr size_t MaxPageBytes = 64u << 20;
    static constexpr size_t MaxSheetBytes = 8u << 20;

private:
    void Build(const std::wstring& text);
    // The ::before and ::after boxes as nodes of the tree, at the ends of their elements' children.
    void AttachGenerated();
    void DetachGenerated();

    std::wstring path;
    ParsedPage page;
    StyledPage styles;
    PageLayout layout;
    std::unique_ptr<FontCache> fonts;
    std::unique_ptr<ImageStore> images;
    std::vector<HtmlStyleSheet> sheets;
    PageWindow window;
    int scrollX = 0, scrollY = 0;
    bool laidOut = false;
    size_t parsedNodes = 0; // the page's own nodes; generated ones follow them
};

// Reads a local file the page names, up to a size; the engine's only reader.
bool ReadPageFile(const std::wstring& path, std::string& bytes, size_t maxBytes);

} // namespace html
