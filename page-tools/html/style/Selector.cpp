#include "Selector.h"

#include <cwctype>

namespace html {
namespace {

bool IsNameChar(wchar_t c)
{
    return std::iswalnum(c) || c == L'-' || c == L'_' || c >= 0x80 || c == L'\\';
}

std::wstring LowerAscii(std::wstring s)
{
    for (wchar_t& c : s)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c + 32);
    return s;
}

bool SameName(const std::wstring& a, const std::wstring& b, bool caseBlind)
{
    if (!caseBlind)
        return a == b;
    return a.size() == b.size() && LowerAscii(a) == LowerAscii(b);
}

class SelectorReader {
public:
    explicit SelectorReader(const std::wstring& t) : s(t) {}

    Selector Read()
    {
        Selector sel;
        SkipSpace();
        wchar_t pending = 0;
        while (pos < s.size()) {
            Compound c;
            c.combinator = sel.compounds.empty() ? 0 : (pending ? pending : L' ');
            if (!ReadCompound(c))
                return Selector();
            sel.compounds.push_back(std::move(c));
            bool space = SkipSpace();
            pending = space ? L' ' : 0;
            if (pos < s.size() && (s[pos] == L'>' || s[pos] == L'+' || s[pos] == L'~')) {
                pending = s[pos++];
                SkipSpace();
                if (pos >= s.size())
                    return Selector();
            } else if (pos < s.size() && !space) {
                return Selector();
            }
        }
        if (sel.compounds.empty() || sel.compounds.size() > 32)
            return Selector();
        int ids = 0, classes = 0, types = 0;
        for (const Compound& c : sel.compounds)
            for (const SimpleSelector& p : c.parts) {
                if (p.kind == SimpleSelector::Id)
                    ++ids;
                else if (p.kind == SimpleSelector::Type || (p.kind == SimpleSelector::Never && p.name == L"::"))
                    types += p.name == L"*" ? 0 : 1;
                else
                    ++classes;
            }
        sel.specificity = ids * 10000 + classes * 100 + types;
        sel.valid = true;
        return sel;
    }

private:
    bool SkipSpace()
    {
        size_t start = pos;
        while (pos < s.size() && std::iswspace(s[pos]))
            ++pos;
        return pos > start;
    }

    std::wstring Name()
    {
        std::wstring out;
        while (pos < s.size() && IsNameChar(s[pos])) {
            if (s[pos] == L'\\' && pos + 1 < s.size())
                ++pos;
            out += s[pos++];
        }
        return out;
    }

    bool ReadCompound(Compound& c)
    {
        if (pos < s.size() && (s[pos] == L'*' || IsNameChar(s[pos]))) {
            SimpleSelector t;
            t.kind = SimpleSelector::Type;
            if (s[pos] == L'*') {
                ++pos;
                t.name = L"*";
            } else {
                t.name = LowerAscii(Name());
            }
            c.parts.push_back(t);
        }
        while (pos < s.size()) {
            wchar_t ch = s[pos];
            SimpleSelector p;
            if (ch == L'#' || ch == L'.') {
                ++pos;
                p.kind = ch == L'#' ? SimpleSelector::Id : SimpleSelector::Class;
                p.name = Name();
                if (p.name.empty())
                    return false;
            } else if (ch == L'[') {
                if (!ReadAttribute(p))
                    return false;
            } else if (ch == L':') {
                ++pos;
                bool element = pos < s.size() && s[pos] == L':';
                if (element)
                    ++pos;
                std::wstring name = LowerAscii(Name());
                if (pos < s.size() && s[pos] == L'(') { // functional pseudo-classes match nothing here
                    size_t close = s.find(L')', pos);
                    if (close == std::wstring::npos)
                        return false;
                    pos = close + 1;
                    name = L"";
                }
                if (name == L"link" || name == L"any-link")
                    p.kind = SimpleSelector::Link;
                else if (name == L"first-child")
                    p.kind = SimpleSelector::FirstChild;
                else if (name.empty() && !element)
                    return false;
                else
                    p.kind = SimpleSelector::Never; // :hover, :visited, ::before... never hold in a still page
                if (element || name == L"before" || name == L"after" || name == L"first-line" || name == L"first-letter")
                    p.name = L"::"; // a pseudo-element counts as an element name
            } else {
                break;
            }
            c.parts.push_back(std::move(p));
        }
        return !c.parts.empty();
    }

    bool ReadAttribute(SimpleSelector& p)
    {
        ++pos;
        SkipSpace();
        p.name = LowerAscii(Name());
        SkipSpace();
        if (p.name.empty() || pos >= s.size())
            return false;
        if (s[pos] == L']') {
            ++pos;
            p.kind = SimpleSelector::AttrExists;
            return true;
        }
        wchar_t op = s[pos];
        if (op == L'=') {
            p.kind = SimpleSelector::AttrEquals;
            ++pos;
        } else if (pos + 1 < s.size() && s[pos + 1] == L'=') {
            switch (op) {
            case L'~': p.kind = SimpleSelector::AttrIncludes; break;
            case L'|': p.kind = SimpleSelector::AttrDash; break;
            case L'^': p.kind = SimpleSelector::AttrPrefix; break;
            case L'$': p.kind = SimpleSelector::AttrSuffix; break;
            case L'*': p.kind = SimpleSelector::AttrContains; break;
            default: return false;
            }
            pos += 2;
        } else {
            return false;
        }
        SkipSpace();
        if (pos < s.size() && (s[pos] == L'"' || s[pos] == L'\'')) {
            wchar_t q = s[pos++];
            size_t end = s.find(q, pos);
            if (end == std::wstring::npos)
                return false;
            p.value = s.substr(pos, end - pos);
            pos = end + 1;
        } else {
            p.value = Name();
        }
        SkipSpace();
        if (pos >= s.size() || s[pos] != L']')
            return false;
        ++pos;
        return true;
    }

    const std::wstring& s;
    size_t pos = 0;
};

bool HasWord(const std::wstring& list, const std::wstring& word, bool caseBlind)
{
    size_t i = 0;
    while (i < list.size()) {
        while (i < list.size() && std::iswspace(list[i]))
            ++i;
        size_t start = i;
        while (i < list.size() && !std::iswspace(list[i]))
            ++i;
        if (i > start && SameName(list.substr(start, i - start), word, caseBlind))
            return true;
    }
    return false;
}

const Node* PreviousElement(const Node& e)
{
    if (!e.parent)
        return nullptr;
    const Node* prev = nullptr;
    for (const auto& c : e.parent->children) {
        if (c.get() == &e)
            return prev;
        if (c->IsElement())
            prev = c.get();
    }
    return nullptr;
}

bool MatchSimple(const SimpleSelector& p, const Node& e, const MatchContext& ctx)
{
    switch (p.kind) {
    case SimpleSelector::Type:
        return p.name == L"*" || p.name == e.tag;
    case SimpleSelector::Id: {
        const std::wstring* id = e.Attribute(L"id");
        return id && SameName(*id, p.name, ctx.quirks);
    }
    case SimpleSelector::Class: {
        const std::wstring* cls = e.Attribute(L"class");
        return cls && HasWord(*cls, p.name, ctx.quirks);
    }
    case SimpleSelector::Link:
        return (e.tag == L"a" || e.tag == L"area") && e.Attribute(L"href");
    case SimpleSelector::FirstChild:
        return e.parent && e.parent->kind == NodeKind::Element && !PreviousElement(e);
    case SimpleSelector::Never:
        return false;
    default:
        break;
    }
    const std::wstring* v = e.Attribute(p.name);
    if (!v)
        return false;
    switch (p.kind) {
    case SimpleSelector::AttrExists: return true;
    case SimpleSelector::AttrEquals: return *v == p.value;
    case SimpleSelector::AttrIncludes: return HasWord(*v, p.value, false);
    case SimpleSelector::AttrDash:
        return *v == p.value || (v->size() > p.value.size() && v->compare(0, p.value.size(), p.value) == 0 &&
                                 (*v)[p.value.size()] == L'-');
    case SimpleSelector::AttrPrefix: return !p.value.empty() && v->compare(0, p.value.size(), p.value) == 0;
    case SimpleSelector::AttrSuffix:
        return !p.value.empty() && v->size() >= p.value.size() &&
               v->compare(v->size() - p.value.size(), p.value.size(), p.value) == 0;
    case SimpleSelector::AttrContains: return !p.value.empty() && v->find(p.value) != std::wstring::npos;
    default: return false;
    }
}

bool MatchCompound(const Compound& c, const Node& e, const MatchContext& ctx)
{
    for (const SimpleSelector& p : c.parts)
        if (!MatchSimple(p, e, ctx))
            return false;
    return true;
}

// Right to left; a descendant or sibling combinator tries each candidate.
// The budget bounds the tries, so that long selectors over deep trees cannot hang.
bool MatchFrom(const Selector& sel, int i, const Node& e, const MatchContext& ctx, int& budget)
{
    if (--budget < 0)
        return false;
    const Compound& c = sel.compounds[i];
    if (!MatchCompound(c, e, ctx))
        return false;
    if (i == 0)
        return true;
    switch (c.combinator) {
    case L'>':
        return e.parent && e.parent->IsElement() && MatchFrom(sel, i - 1, *e.parent, ctx, budget);
    case L'+': {
        const Node* prev = PreviousElement(e);
        return prev && MatchFrom(sel, i - 1, *prev, ctx, budget);
    }
    case L'~':
        for (const Node* prev = PreviousElement(e); prev; prev = PreviousElement(*prev))
            if (MatchFrom(sel, i - 1, *prev, ctx, budget))
                return true;
        return false;
    default:
        for (const Node* a = e.parent; a && a->IsElement(); a = a->parent)
            if (MatchFrom(sel, i - 1, *a, ctx, budget))
                return true;
        return false;
    }
}

} // namespace

Selector ParseSelector(const std::wstring& text)
{
    return SelectorReader(text).Read();
}

std::wstring SelectorDisplayText(const std::wstring& text)
{
    std::wstring out;
    bool inName = false;   // inside a class, id or attribute part, which keep their case
    int bracket = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'[')
            ++bracket;
        if (c == L']')
            --bracket;
        if (c == L'.' || c == L'#' || c == L':')
            inName = true;
        else if (!IsNameChar(c))
            inName = false;
        out += (!inName && bracket == 0 && c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c;
    }
    return out;
}

bool Matches(const Selector& sel, const Node& element, const MatchContext& ctx)
{
    int budget = 1000;
    return sel.valid && MatchFrom(sel, static_cast<int>(sel.compounds.size()) - 1, element, ctx, budget);
}

std::vector<std::wstring> ClassNames(const Node& element)
{
    std::vector<std::wstring> out;
    const std::wstring* cls = element.Attribute(L"class");
    if (!cls)
        return out;
    size_t i = 0;
    while (i < cls->size()) {
        while (i < cls->size() && std::iswspace((*cls)[i]))
            ++i;
        size_t start = i;
        while (i < cls->size() && !std::iswspace((*cls)[i]))
            ++i;
        if (i > start)
            out.push_back(cls->substr(start, i - start));
    }
    return out;
}

} // namespace html
