#include "StyleResolver.h"
#include "platform/Text.h"

#include <algorithm>
#include <functional>
#include <cwctype>
#include <set>
#include <unordered_map>

#include "CssValues.h"
#include "html/parse/PageText.h"
#include "html/parse/PageUrl.h"
#include "html/parse/TreeBuilder.h"

namespace html {
namespace {

const wchar_t* const BaseSheet = LR"(
html,address,blockquote,body,center,dd,dir,div,dl,dt,fieldset,form,frameset,h1,h2,h3,h4,h5,h6,hr,menu,ol,p,
pre,ul,listing,xmp,plaintext,noframes,article,aside,footer,header,nav,section,main,figure,figcaption,legend,
details,summary,optgroup{display:block}
head,script,style,title,meta,link,base,basefont,noscript,template,param,map,area,option,datalist,noembed{display:none}
li{display:list-item}
table{display:table;border-spacing:2px}
thead{display:table-header-group;vertical-align:middle}
tbody{display:table-row-group;vertical-align:middle}
tfoot{display:table-footer-group;vertical-align:middle}
tr{display:table-row;vertical-align:inherit}
col{display:table-column}
colgroup{display:table-column-group}
td,th{display:table-cell;padding:1px;vertical-align:inherit}
th{font-weight:bold;text-align:center}
caption{display:table-caption;text-align:center}
body{margin:8px}
p,dl{margin:1em 0}
blockquote,figure{margin:1em 40px}
h1{font-size:2em;margin:.67em 0;font-weight:bold}
h2{font-size:1.5em;margin:.83em 0;font-weight:bold}
h3{font-size:1.17em;margin:1em 0;font-weight:bold}
h4{margin:1.33em 0;font-weight:bold}
h5{font-size:.83em;margin:1.67em 0;font-weight:bold}
h6{font-size:.67em;margin:2.33em 0;font-weight:bold}
ul,ol,menu,dir{margin:1em 0;padding-left:40px}
ul,menu,dir{list-style-type:disc}
ol{list-style-type:decimal}
ul ul,ol ul,menu ul,dir ul{list-style-type:circle}
ul ul ul,ol ul ul,ul ol ul,ol ol ul{list-style-type:square}
ul ul,ul ol,ul dl,ul menu,ul dir,ol ul,ol ol,ol dl,ol menu,ol dir,dl ul,dl ol,dl dl,dl menu,dl dir,menu ul,
menu ol,menu dl,menu menu,menu dir,dir ul,dir ol,dir dl,dir menu,dir dir{margin-top:0;margin-bottom:0}
dd{margin-left:40px}
pre,xmp,listing,plaintext{white-space:pre;font-family:monospace;margin:1em 0}
tt,code,kbd,samp{font-family:monospace}
b,strong{font-weight:bold}
i,em,cite,var,dfn,address{font-style:italic}
u,ins{text-decoration:underline}
s,strike,del{text-decoration:line-through}
big{font-size:larger}
small{font-size:smaller}
sub{vertical-align:sub;font-size:smaller}
sup{vertical-align:super;font-size:smaller}
center{text-align:-center-blocks}
hr{border:1px solid #eeeeee;border-top-color:#9a9a9a;border-left-color:#9a9a9a;margin:.5em auto;color:gray;height:0;overflow:hidden}
a:link{color:-link-color;text-decoration:underline;cursor:pointer}
fieldset{margin:0 2px;padding:.35em .75em .625em;border:2px groove #c0c0c0}
legend{padding:0 2px}
input,select,textarea,button{display:inline-block;font-size:13.33px;font-family:Arial;font-weight:normal;
font-style:normal;text-indent:0;line-height:normal;color:black;text-align:left;white-space:normal}
textarea{font-family:monospace}
nobr{white-space:nowrap}
iframe{border:2px inset;width:300px;height:150px}
)";

const wchar_t* const QuirksSheet = LR"(
table{font-size:medium;font-weight:normal;font-style:normal;line-height:normal;white-space:normal;text-align:left}
)";

std::wstring Lower(std::wstring s)
{
    for (wchar_t& c : s)
        c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

// "100" -> "100px", "50%" -> "50%"; "" for text that is no size.
std::wstring AttrLength(const std::wstring& text)
{
    std::wstring t = platform::TrimWhiteSpace(text);
    size_t i = 0;
    while (i < t.size() && (std::iswdigit(t[i]) || t[i] == L'.'))
        ++i;
    if (i == 0)
        return L"";
    std::wstring num = t.substr(0, i);
    return num + (i < t.size() && t[i] == L'%' ? L"%" : L"px");
}

std::wstring AttrColorCss(const std::wstring& text)
{
    Color c;
    if (!AttributeColor(text, c))
        return L"";
    wchar_t buf[16];
    swprintf(buf, 16, L"#%02x%02x%02x", c.r, c.g, c.b);
    return buf;
}

const Node* AncestorTable(const Node& e)
{
    for (const Node* p = e.parent; p; p = p->parent)
        if (p->Is(L"table"))
            return p;
    return nullptr;
}

// <font size>: 1-7, or +n / -n from 3.
std::wstring FontSizeCss(const std::wstring& text)
{
    std::wstring t = platform::TrimWhiteSpace(text);
    if (t.empty())
        return L"";
    int n = _wtoi(t.c_str() + (t[0] == L'+' ? 1 : 0));
    if (t[0] == L'+' || t[0] == L'-')
        n += 3;
    n = std::max(1, std::min(7, n));
    static const wchar_t* const sizes[] = {L"x-small", L"small", L"medium", L"large", L"x-large", L"xx-large", L"48px"};
    return sizes[n - 1];
}

} // namespace

const std::wstring& DefaultStyleSheet(bool quirks)
{
    static const std::wstring standard = BaseSheet;
    static const std::wstring quirky = std::wstring(BaseSheet) + QuirksSheet;
    return quirks ? quirky : standard;
}

std::wstring PresentationalCss(const Node& e, bool quirks)
{
    if (e.attrs.empty() && e.tag != L"td" && e.tag != L"th")
        return L"";
    std::wstring css;
    auto add = [&](const std::wstring& prop, const std::wstring& value) {
        if (!value.empty())
            css += prop + L":" + value + L";";
    };
    const std::wstring& tag = e.tag;
    bool cell = tag == L"td" || tag == L"th";
    for (const Attr& a : e.attrs) {
        const std::wstring& n = a.name;
        std::wstring v = Lower(platform::TrimWhiteSpace(a.value));
        if (n == L"bgcolor") add(L"background-color", AttrColorCss(a.value));
        else if (n == L"background" && (tag == L"body" || tag == L"table" || cell || tag == L"tr"))
            add(L"background-image", L"url(\"" + a.value + L"\")");
        else if (n == L"text" && tag == L"body") add(L"color", AttrColorCss(a.value));
        else if (n == L"color" && tag == L"font") add(L"color", AttrColorCss(a.value));
        else if (n == L"face" && tag == L"font") add(L"font-family", a.value);
        else if (n == L"size" && tag == L"font") add(L"font-size", FontSizeCss(a.value));
        else if ((n == L"leftmargin" || n == L"marginwidth") && tag == L"body") {
            add(L"margin-left", AttrLength(a.value));
            add(L"margin-right", AttrLength(a.value));
        } else if ((n == L"topmargin" || n == L"marginheight") && tag == L"body") {
            add(L"margin-top", AttrLength(a.value));
            add(L"margin-bottom", AttrLength(a.value));
        } else if (n == L"align") {
            if (tag == L"img" || tag == L"object" || tag == L"iframe" || tag == L"input" || tag == L"applet") {
                if (v == L"left" || v == L"right") add(L"float", v);
                else if (v == L"middle" || v == L"absmiddle" || v == L"center") add(L"vertical-align", L"middle");
                else if (v == L"top" || v == L"texttop") add(L"vertical-align", L"top");
                else if (v == L"bottom" || v == L"absbottom" || v == L"baseline") add(L"vertical-align", L"baseline");
            } else if (tag == L"table") {
                if (v == L"center") css += L"margin-left:auto;margin-right:auto;";
                else if (v == L"left" || v == L"right") add(L"float", v);
            } else if (tag == L"hr") {
                if (v == L"left") css += L"margin-left:0;margin-right:auto;";
                else if (v == L"right") css += L"margin-left:auto;margin-right:0;";
            } else if (v == L"center" || v == L"middle") {
                add(L"text-align", cell || tag == L"tr" || tag == L"div" || tag == L"tbody" || tag == L"thead" ? L"-center-blocks" : L"center");
            } else if (v == L"left" || v == L"right" || v == L"justify") {
                add(L"text-align", v);
            }
        } else if (n == L"valign" && (cell || tag == L"tr" || tag == L"tbody" || tag == L"thead" || tag == L"tfoot")) {
            if (v == L"top" || v == L"middle" || v == L"bottom" || v == L"baseline") add(L"vertical-align", v);
        } else if ((n == L"width" || n == L"height") &&
                   (tag == L"img" || tag == L"table" || cell || tag == L"hr" || tag == L"iframe" ||
                    tag == L"object" || tag == L"applet" || tag == L"embed" || tag == L"col" || tag == L"colgroup" ||
                    (tag == L"input" && Lower(e.AttributeOr(L"type")) == L"image") || (n == L"height" && tag == L"tr"))) {
            std::wstring len = AttrLength(a.value);
            if (!len.empty() && !(len == L"0px" && cell))
                add(n, len);
        } else if (n == L"border" && (tag == L"img" || tag == L"object" || tag == L"input")) {
            std::wstring len = AttrLength(a.value);
            if (!len.empty()) add(L"border", len + L" solid");
        } else if (n == L"border" && tag == L"table") {
            std::wstring len = v.empty() ? L"1px" : AttrLength(a.value);
            if (!len.empty() && len != L"0px") add(L"border", len + L" outset #808080");
        } else if (n == L"cellspacing" && tag == L"table") {
            add(L"border-spacing", AttrLength(a.value));
        } else if (n == L"hspace" && (tag == L"img" || tag == L"object")) {
            std::wstring len = AttrLength(a.value);
            if (!len.empty()) css += L"margin-left:" + len + L";margin-right:" + len + L";";
        } else if (n == L"vspace" && (tag == L"img" || tag == L"object")) {
            std::wstring len = AttrLength(a.value);
            if (!len.empty()) css += L"margin-top:" + len + L";margin-bottom:" + len + L";";
        } else if (n == L"nowrap" && cell) {
            add(L"white-space", L"nowrap");
        } else if (n == L"type" && (tag == L"ul" || tag == L"ol" || tag == L"li")) {
            const std::wstring& raw = a.value;
            if (raw == L"1") add(L"list-style-type", L"decimal");
            else if (raw == L"a") add(L"list-style-type", L"lower-alpha");
            else if (raw == L"A") add(L"list-style-type", L"upper-alpha");
            else if (raw == L"i") add(L"list-style-type", L"lower-roman");
            else if (raw == L"I") add(L"list-style-type", L"upper-roman");
            else if (v == L"disc" || v == L"circle" || v == L"square") add(L"list-style-type", v);
        } else if (n == L"size" && tag == L"hr") {
            std::wstring len = AttrLength(a.value);
            if (!len.empty()) add(L"height", std::to_wstring(std::max(0, _wtoi(a.value.c_str()) - 2)) + L"px");
        } else if (n == L"noshade" && tag == L"hr") {
            css += L"border-style:solid;background-color:gray;";
        } else if (n == L"color" && tag == L"hr") {
            std::wstring c = AttrColorCss(a.value);
            if (!c.empty()) css += L"border-color:" + c + L";background-color:" + c + L";";
        }
    }
    if (cell) {
        // The table's border and cellpadding reach its cells.
        if (const Node* table = AncestorTable(e)) {
            if (const std::wstring* pad = table->Attribute(L"cellpadding")) {
                std::wstring len = AttrLength(*pad);
                if (!len.empty()) add(L"padding", len);
            }
            if (const std::wstring* border = table->Attribute(L"border")) {
                if (platform::TrimWhiteSpace(*border).empty() || _wtoi(border->c_str()) > 0)
                    add(L"border", L"1px inset #808080");
            }
        }
    }
    (void)quirks;
    return css;
}

namespace {

struct Entry {
    const StyleRule* rule;
    int rank;  // 0 built-in, 2 author
    int order;
};

struct RuleIndex {
    std::unordered_map<std::wstring, std::vector<Entry>> byId, byClass, byTag;
    std::vector<Entry> universal;
    std::vector<Entry> pseudo;  // rules for ::before and ::after boxes
    bool caseBlind = false;

    void Add(const StyleRule& r, int rank, int order)
    {
        Entry e{&r, rank, order};
        if (r.selector.pseudo != PseudoElement::None) {
            pseudo.push_back(e);
            return;
        }
        const Compound& last = r.selector.compounds.back();
        for (const SimpleSelector& p : last.parts)
            if (p.kind == SimpleSelector::Id) {
                byId[caseBlind ? Lower(p.name) : p.name].push_back(e);
                return;
            }
        for (const SimpleSelector& p : last.parts)
            if (p.kind == SimpleSelector::Class) {
                byClass[caseBlind ? Lower(p.name) : p.name].push_back(e);
                return;
            }
        for (const SimpleSelector& p : last.parts)
            if (p.kind == SimpleSelector::Type && p.name != L"*") {
                byTag[p.name].push_back(e);
                return;
            }
        universal.push_back(e);
    }
};

class Resolver {
public:
    Resolver(const ParsedPage& p, const StyleOptions& o) : page(p), options(o) {}
    StyledPage Run();
    // The cascade over sheets read before.
    StyledPage Rerun(StyledPage&& previous);

private:
    void CollectSheets();
    void AddImports(StyleSheet& sheet, const std::wstring& basePath, size_t depth);
    void Cascade();
    void StyleElement(const Node& e);
    void GenerateContent(const Node& e, const ComputedStyle& owner);
    std::vector<Entry> MatchRules(const Node& e) const;
    float ExRatio(const ComputedStyle& s);

    const ParsedPage& page;
    const StyleOptions& options;
    StyledPage out;
    StyleSheet base;
    std::set<std::wstring> visited;
    RuleIndex index;
    mutable SiblingPositions siblings;
    bool quirks = false;
    float rootFontSize = 16;
    bool viewUsed = false;    // a viewport unit was read
    std::unordered_map<std::wstring, float> exRatios; // by family, weight and slant
};

float Resolver::ExRatio(const ComputedStyle& s)
{
    if (!options.xHeight)
        return 0.5f;
    bool bold = s.fontWeight >= 600;
    std::wstring key = s.fontFamily + (bold ? L"|b" : L"|") + (s.italic ? L"i" : L"");
    auto it = exRatios.find(key);
    if (it != exRatios.end())
        return it->second;
    float r = options.xHeight(s.fontFamily, bold, s.italic);
    if (!(r > 0.05f && r < 2))
        r = 0.5f;
    exRatios[key] = r;
    return r;
}

void Resolver::AddImports(StyleSheet& sheet, const std::wstring& basePath, size_t depth)
{
    for (const CssImport& import : sheet.imports) {
        std::wstring path = ResolveLocalPath(basePath, import.target);
        // A sheet importing itself, directly or round about, is read once.
        if (path.empty() || depth >= options.maxImportDepth || !visited.insert(Lower(path)).second)
            continue;
        std::string bytes;
        if (!options.readFile || !options.readFile(path, bytes))
            continue;
        StyleSheet child = ParseStyleSheet(DecodePageBytes(bytes));
        child.href = path;
        child.sheetMedia = sheet.sheetMedia;
        if (!import.media.Empty())
            child.sheetMedia.push_back(import.media);
        AddImports(child, path, depth + 1);
        out.importedSheets.push_back(std::move(child));
        out.cascadeOrder.emplace_back(true, out.importedSheets.size() - 1);
    }
}

// The media attribute of the <style> or <link> a sheet came from.
void AddSheetMedia(StyleSheet& sheet, const Node& owner)
{
    MediaQueryList media(owner.AttributeOr(L"media"));
    if (media.Empty())
        return;
    sheet.dependsOnSize = sheet.dependsOnSize || media.DependsOnSize();
    sheet.sheetMedia.push_back(std::move(media));
}

void Resolver::CollectSheets()
{
    for (const Node* n : page.nodes) {
        if (!n->IsElement())
            continue;
        if (n->tag == L"style") {
            std::wstring type = Lower(platform::TrimWhiteSpace(n->AttributeOr(L"type", L"text/css")));
            if (!type.empty() && type != L"text/css")
                continue;
            StyleSheet sheet = ParseStyleSheet(TextContent(*n));
            AddSheetMedia(sheet, *n);
            AddImports(sheet, options.pagePath, 0);
            out.sheets.push_back(std::move(sheet));
            out.cascadeOrder.emplace_back(false, out.sheets.size() - 1);
        } else if (n->tag == L"link") {
            std::wstring rel = Lower(n->AttributeOr(L"rel"));
            if (rel.find(L"stylesheet") == std::wstring::npos || rel.find(L"alternate") != std::wstring::npos)
                continue;
            std::wstring path = ResolveLocalPath(options.pagePath, n->AttributeOr(L"href"));
            std::string bytes;
            if (path.empty() || !options.readFile || !options.readFile(path, bytes))
                continue;
            visited.insert(Lower(path));
            StyleSheet sheet = ParseStyleSheet(DecodePageBytes(bytes));
            sheet.href = path;
            AddSheetMedia(sheet, *n);
            AddImports(sheet, path, 0);
            out.sheets.push_back(std::move(sheet));
            out.cascadeOrder.emplace_back(false, out.sheets.size() - 1);
        }
    }
}

// The inherited values of the parent, the rest at their initial values.
ComputedStyle InheritedFrom(const ComputedStyle* parent)
{
    ComputedStyle s;
    if (!parent)
        return s;
    s.color = parent->color;
    s.fontFamily = parent->fontFamily;
    s.fontSize = parent->fontSize;
    s.sizeKeyword = parent->sizeKeyword;
    s.sizeFactor = parent->sizeFactor;
    s.fontWeight = parent->fontWeight;
    s.italic = parent->italic;
    s.textAlign = parent->textAlign;
    s.textIndent = parent->textIndent;
    s.lineHeight = parent->lineHeight;
    s.whiteSpace = parent->whiteSpace;
    s.visible = parent->visible;
    s.listStyle = parent->listStyle;
    s.listInside = parent->listInside;
    s.borderSpacingH = parent->borderSpacingH;
    s.borderSpacingV = parent->borderSpacingV;
    s.borderCollapse = parent->borderCollapse;
    s.captionBottom = parent->captionBottom;
    s.cursorHand = parent->cursorHand;
    s.textTransform = parent->textTransform;
    s.overflowWrap = parent->overflowWrap;
    s.wordBreak = parent->wordBreak;
    s.inheritedExtras = parent->inheritedExtras;
    return s;
}

std::wstring LowerAscii(std::wstring t)
{
    for (wchar_t& c : t)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c + 32);
    return t;
}


// var() references replaced through lookup(name, depth), which returns null
// for a property without a value; false when such a reference has no fallback.
template <typename Lookup>
bool SubstituteVars(const std::wstring& text, Lookup lookup, int depth, std::wstring& out)
{
    if (depth > 16)
        return false; // references round in a circle
    std::wstring lower = LowerAscii(text);
    size_t i = 0;
    for (;;) {
        size_t at = lower.find(L"var(", i);
        if (at == std::wstring::npos) {
            out.append(text, i, std::wstring::npos);
            return true;
        }
        out.append(text, i, at - i);
        size_t close = ClosingBracket(text, at + 3);
        if (close == std::wstring::npos)
            return false;
        std::wstring inner = text.substr(at + 4, close - at - 4);
        size_t comma = inner.find(L',');
        std::wstring name = platform::TrimWhiteSpace(lower.substr(at + 4, (comma == std::wstring::npos ? inner.size() : comma)));
        std::wstring value;
        if (lookup(name, depth, value))
            out += value;
        else if (comma == std::wstring::npos ||
                 !SubstituteVars(platform::TrimWhiteSpace(inner.substr(comma + 1)), lookup, depth + 1, out))
            return false;
        if (out.size() > 16384)
            return false; // references that multiply their text
        i = close + 1;
    }
}

// The element's custom properties (inherited ones, then its own with their
// references resolved), and its declarations that refer to them with the
// values put in; a declaration whose reference has no value is dropped.
void ApplyCustomProperties(ComputedStyle& s, std::vector<const Declaration*>& ordered,
                           std::vector<Declaration>& substituted)
{
    std::vector<std::pair<std::wstring, const Declaration*>> own;
    bool refers = false;
    for (const Declaration* d : ordered) {
        if (d->property.compare(0, 2, L"--") == 0) {
            auto it = std::find_if(own.begin(), own.end(), [&](const auto& p) { return p.first == d->property; });
            if (it != own.end())
                it->second = d;
            else
                own.emplace_back(d->property, d);
        }
        refers = refers || d->hasVar;
    }
    if (own.empty() && !refers)
        return;
    const InheritedExtras* inherited = s.inheritedExtras.get();
    int budget = 4000; // references to references to many others cannot take long
    std::function<bool(const std::wstring&, int, std::wstring&)> lookup =
        [&](const std::wstring& name, int depth, std::wstring& value) {
            if (--budget < 0)
                return false;
            for (const auto& p : own)
                if (p.first == name)
                    return SubstituteVars(p.second->valueText, lookup, depth + 1, value);
            const std::wstring* v = inherited ? inherited->CustomProperty(name) : nullptr;
            if (v)
                value = *v;
            return v != nullptr;
        };
    if (!own.empty()) {
        auto extras = inherited ? std::make_shared<InheritedExtras>(*inherited) : std::make_shared<InheritedExtras>();
        for (const auto& p : own) {
            std::wstring value;
            bool ok = lookup(p.first, 0, value);
            auto it = std::find_if(extras->customProperties.begin(), extras->customProperties.end(),
                                   [&](const auto& q) { return q.first == p.first; });
            if (it != extras->customProperties.end()) {
                if (ok)
                    it->second = value;
                else
                    extras->customProperties.erase(it);
            } else if (ok) {
                extras->customProperties.emplace_back(p.first, value);
            }
        }
        s.inheritedExtras = extras;
        inherited = extras.get();
        own.clear(); // the values are resolved now
    }
    if (!refers)
        return;
    substituted.reserve(ordered.size());
    std::vector<const Declaration*> kept;
    for (const Declaration* d : ordered) {
        if (!d->hasVar || d->property.compare(0, 2, L"--") == 0) {
            kept.push_back(d);
            continue;
        }
        std::wstring text;
        if (!SubstituteVars(d->valueText, lookup, 0, text))
            continue;
        Declaration copy = *d;
        copy.valueText = platform::CollapseWhiteSpace(text);
        copy.values = ParseValues(copy.valueText);
        copy.hasVar = false;
        substituted.push_back(std::move(copy));
        kept.push_back(&substituted.back());
    }
    ordered.swap(kept);
}

// The rules matching an element, by origin, specificity and order.
std::vector<Entry> Resolver::MatchRules(const Node& e) const
{
    std::vector<Entry> matched;
    MatchContext mc{quirks, &siblings};
    auto consider = [&](const std::unordered_map<std::wstring, std::vector<Entry>>* m, const std::wstring& key) {
        const std::vector<Entry>* list = &index.universal;
        if (m) {
            auto it = m->find(key);
            if (it == m->end())
                return;
            list = &it->second;
        }
        for (const Entry& en : *list)
            if (Matches(en.rule->selector, e, mc))
                matched.push_back(en);
    };
    if (const std::wstring* id = e.Attribute(L"id"))
        consider(&index.byId, quirks ? Lower(*id) : *id);
    std::vector<std::wstring> classes = ClassNames(e);
    std::sort(classes.begin(), classes.end());
    classes.erase(std::unique(classes.begin(), classes.end()), classes.end());
    for (const std::wstring& c : classes)
        consider(&index.byClass, quirks ? Lower(c) : c);
    consider(&index.byTag, e.tag);
    consider(nullptr, L"");
    std::sort(matched.begin(), matched.end(), [](const Entry& a, const Entry& b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        if (a.rule->selector.specificity != b.rule->selector.specificity)
            return a.rule->selector.specificity < b.rule->selector.specificity;
        return a.order < b.order;
    });
    return matched;
}

// Declarations in the order they apply: built-in, presentational, the
// page's rules and style attribute, then the important ones of those two.
std::vector<const Declaration*> OrderDeclarations(const std::vector<Entry>& matched,
                                                  const std::vector<Declaration>& hints,
                                                  const std::vector<Declaration>& inlineStyle)
{
    std::vector<const Declaration*> ordered;
    for (const Entry& en : matched)
        if (en.rank == 0)
            for (const Declaration& d : en.rule->declarations)
                ordered.push_back(&d);
    for (const Declaration& d : hints)
        ordered.push_back(&d);
    for (int important = 0; important < 2; ++important) {
        for (const Entry& en : matched)
            if (en.rank > 0)
                for (const Declaration& d : en.rule->declarations)
                    if (d.important == (important == 1))
                        ordered.push_back(&d);
        for (const Declaration& d : inlineStyle)
            if (d.important == (important == 1))
                ordered.push_back(&d);
    }
    return ordered;
}

// Quirks mode: which vertical margins only the built-in sheet gave.
void MarkBuiltinMargins(ComputedStyle& s, const std::vector<const Declaration*>& ordered,
                        const std::vector<Entry>& matched)
{
    bool authorTop = false, authorBottom = false;
    for (const Declaration* d : ordered) {
        bool builtin = false;
        for (const Entry& en : matched)
            if (en.rank == 0 && d >= en.rule->declarations.data() &&
                d < en.rule->declarations.data() + en.rule->declarations.size())
                builtin = true;
        if (builtin)
            continue;
        authorTop = authorTop || d->property == L"margin" || d->property == L"margin-top";
        authorBottom = authorBottom || d->property == L"margin" || d->property == L"margin-bottom";
    }
    s.builtinMarginTop = !authorTop && s.margin[Top].v != 0;
    s.builtinMarginBottom = !authorBottom && s.margin[Bottom].v != 0;
}

// The properties the others' values depend on: the font (em lengths and
// the size a family gives) and the colour (currentColor).
bool AppliesFirst(const std::wstring& p)
{
    return (p[0] == L'f' && (p == L"font-size" || p == L"font" || p == L"font-family")) || (p[0] == L'c' && p == L"color");
}

// Floats, positioned boxes and flex items are blocks; the root is a block.
void FixDisplay(ComputedStyle& s, bool root, bool flexItem)
{
    if (root)
        s.display = s.display == Display::None ? Display::None : Display::Block;
    if (flexItem && !s.IsOutOfFlow()) {
        s.floating = FloatSide::None;
        if (s.display == Display::Inline || s.display == Display::InlineBlock)
            s.display = Display::Block;
        else if (s.display == Display::InlineTable)
            s.display = Display::Table;
        return;
    }
    if (s.IsOutOfFlow())
        s.floating = FloatSide::None;
    if (!s.IsFloating() && !s.IsOutOfFlow())
        return;
    if (s.display == Display::Inline || s.display == Display::InlineBlock || s.display == Display::TableCell ||
        s.display == Display::TableRow || s.display == Display::TableRowGroup)
        s.display = Display::Block;
    else if (s.display == Display::InlineTable)
        s.display = Display::Table;
}

void Resolver::StyleElement(const Node& e)
{
    const ComputedStyle* parent = e.parent ? out.StyleOf(*e.parent) : nullptr;
    if (e.parent && e.parent->IsElement() && !parent)
        return; // inside display:none
    ComputedStyle s = InheritedFrom(parent);
    std::vector<Entry> matched = MatchRules(e);
    std::vector<Declaration> hints = ParseDeclarations(PresentationalCss(e, quirks));
    std::vector<Declaration> inlineStyle;
    if (const std::wstring* st = e.Attribute(L"style"))
        inlineStyle = ParseDeclarations(*st);
    std::vector<const Declaration*> ordered = OrderDeclarations(matched, hints, inlineStyle);
    std::vector<Declaration> substituted;
    ApplyCustomProperties(s, ordered, substituted);
    ApplyContext ctx{parent, quirks, out.linkColor, parent ? rootFontSize : 16.0f, out.media, &viewUsed};
    if (parent)
        ctx.exRatio = ExRatio(*parent);
    // Font sizes and the colour first: em lengths and currentColor of every other property depend on them.
    for (const Declaration* d : ordered)
        if (AppliesFirst(d->property))
            ApplyDeclaration(s, *d, ctx);
    SizeForFamily(s);
    ctx.exRatio = ExRatio(s);
    for (const Declaration* d : ordered)
        if (d->property != L"font-size" && d->property != L"color")
            ApplyDeclaration(s, *d, ctx);
    SizeForFamily(s);
    if (quirks) {
        MarkBuiltinMargins(s, ordered, matched);
        // Of the built-in bottom margins only a paragraph's goes at the bottom of a cell.
        s.builtinMarginBottom = s.builtinMarginBottom && e.Is(L"p");
    }
    FixDisplay(s, parent == nullptr, parent && parent->flexContainer);
    s.decorationsInEffect = static_cast<uint8_t>((parent ? parent->decorationsInEffect : 0) | s.textDecoration);
    if (parent)
        s.opacity = static_cast<uint8_t>((s.opacity * parent->opacity + 127) / 255);
    else
        rootFontSize = s.fontSize;
    if (s.display == Display::None) {
        out.styleOf[e.index] = -1;
        return;
    }
    out.styles.push_back(std::move(s));
    out.styleOf[e.index] = static_cast<int>(out.styles.size() - 1);
    if (!index.pseudo.empty())
        GenerateContent(e, out.styles.back());
}

// The text the content property gives: strings, attr(), quotes; false for
// none and normal (no box) or a value this engine cannot show.
bool ContentText(const Declaration& d, const Node& e, std::wstring& text)
{
    text.clear();
    for (const CssValue& v : d.values) {
        if (v.type == CssValue::String)
            text += v.text;
        else if (v.type == CssValue::Function && v.text.compare(0, 5, L"attr(") == 0)
            text += e.AttributeOr(LowerAscii(platform::TrimWhiteSpace(v.text.substr(5, v.text.size() - 6))));
        else if (v.type == CssValue::Ident && v.text == L"open-quote")
            text += L"\u201C";
        else if (v.type == CssValue::Ident && v.text == L"close-quote")
            text += L"\u201D";
        else if (v.type == CssValue::Ident && (v.text == L"no-open-quote" || v.text == L"no-close-quote"))
            continue;
        else if (v.type == CssValue::Function && v.text.compare(0, 8, L"counter(") == 0)
            continue; // counters are not kept
        else
            return false;
    }
    // Escapes such as "\2014" in the sheet's string.
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\\' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        size_t j = i + 1, n = 0;
        unsigned code = 0;
        while (j < text.size() && n < 6 && std::iswxdigit(text[j])) {
            code = code * 16 + (std::iswdigit(text[j]) ? text[j] - L'0' : (std::towlower(text[j]) - L'a' + 10));
            ++j;
            ++n;
        }
        if (n == 0) {
            out += text[++i];
            continue;
        }
        if (j < text.size() && text[j] == L' ')
            ++j;
        if (code > 0 && code < 0x10000)
            out += static_cast<wchar_t>(code);
        i = j - 1;
    }
    text = out;
    return true;
}

void Resolver::GenerateContent(const Node& e, const ComputedStyle& owner)
{
    // Replaced elements and controls have no boxes of their own content.
    static const wchar_t* const none[] = {L"img", L"input", L"select", L"textarea", L"br", L"iframe", L"object",
                                          L"embed", L"option", L"html", L"head"};
    for (const wchar_t* t : none)
        if (e.tag == t)
            return;
    MatchContext mc{quirks, &siblings};
    for (int after = 0; after < 2; ++after) {
        std::vector<Entry> matched;
        for (const Entry& en : index.pseudo)
            if ((en.rule->selector.pseudo == PseudoElement::After) == (after == 1) &&
                Matches(en.rule->selector, e, mc))
                matched.push_back(en);
        if (matched.empty())
            continue;
        std::sort(matched.begin(), matched.end(), [](const Entry& a, const Entry& b) {
            if (a.rule->selector.specificity != b.rule->selector.specificity)
                return a.rule->selector.specificity < b.rule->selector.specificity;
            return a.order < b.order;
        });
        std::vector<const Declaration*> ordered;
        for (int important = 0; important < 2; ++important)
            for (const Entry& en : matched)
                for (const Declaration& d : en.rule->declarations)
                    if (d.important == (important == 1))
                        ordered.push_back(&d);
        GeneratedContent g;
        g.style = InheritedFrom(&owner);
        std::vector<Declaration> substituted;
        ApplyCustomProperties(g.style, ordered, substituted);
        ApplyContext ctx{&owner, quirks, out.linkColor, rootFontSize, out.media, &viewUsed};
        const Declaration* content = nullptr;
        for (const Declaration* d : ordered)
            if (AppliesFirst(d->property))
                ApplyDeclaration(g.style, *d, ctx);
        for (const Declaration* d : ordered) {
            if (d->property == L"content")
                content = d;
            else if (d->property != L"font-size" && d->property != L"color")
                ApplyDeclaration(g.style, *d, ctx);
        }
        if (!content || !ContentText(*content, e, g.text) || g.style.display == Display::None)
            continue;
        FixDisplay(g.style, false, owner.flexContainer);
        g.style.decorationsInEffect = static_cast<uint8_t>(owner.decorationsInEffect | g.style.textDecoration);
        g.style.opacity = static_cast<uint8_t>((g.style.opacity * owner.opacity + 127) / 255);
        g.element = e.index;
        g.after = after == 1;
        out.generated.push_back(std::move(g));
    }
}

StyledPage Resolver::Run()
{
    quirks = page.quirks == QuirksMode::Quirks;
    out.xHeight = options.xHeight;
    CollectSheets();
    Cascade();
    return std::move(out);
}

StyledPage Resolver::Rerun(StyledPage&& previous)
{
    quirks = page.quirks == QuirksMode::Quirks;
    out.sheets = std::move(previous.sheets);
    out.importedSheets = std::move(previous.importedSheets);
    out.cascadeOrder = std::move(previous.cascadeOrder);
    out.xHeight = options.xHeight;
    Cascade();
    return std::move(out);
}

void Resolver::Cascade()
{
    index.caseBlind = quirks;
    out.media = options.media;
    if (page.body) {
        Color c;
        if (const std::wstring* link = page.body->Attribute(L"link"))
            if (AttributeColor(*link, c))
                out.linkColor = c;
    }
    base = ParseStyleSheet(DefaultStyleSheet(quirks));
    int order = 0;
    for (const StyleRule& r : base.rules)
        index.Add(r, 0, order++);
    for (const auto& which : out.cascadeOrder) {
        const StyleSheet& sheet = which.first ? out.importedSheets[which.second] : out.sheets[which.second];
        out.dependsOnSize = out.dependsOnSize || sheet.dependsOnSize;
        for (const StyleRule& r : sheet.rules)
            if (RuleApplies(sheet, r, out.media))
                index.Add(r, 2, order++);
    }
    out.styleOf.assign(page.nodes.size(), -1);
    out.styles.reserve(page.nodes.size() / 2 + 1);
    for (const Node* n : page.nodes) {
        if (n->IsElement())
            StyleElement(*n);
        else if (n->kind == NodeKind::Text && n->parent)
            out.styleOf[n->index] = out.styleOf[n->parent->index];
    }
    out.dependsOnSize = out.dependsOnSize || viewUsed;
}

} // namespace

StyledPage ResolveStyles(const ParsedPage& page, const StyleOptions& options)
{
    return Resolver(page, options).Run();
}

void Restyle(StyledPage& styled, const ParsedPage& page, const MediaEnv& env)
{
    StyleOptions options;
    options.media = env;
    options.xHeight = styled.xHeight;
    styled = Resolver(page, options).Rerun(std::move(styled));
}

} // namespace html
