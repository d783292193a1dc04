#include "Selector.h"
#include "CssParser.h"

#include <algorithm>
#include <climits>
#include <cstdint>
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


std::vector<std::wstring> SplitCommas(const std::wstring& text)
{
    std::vector<std::wstring> parts;
    int depth = 0;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'(' || text[i] == L'[')
            ++depth;
        else if ((text[i] == L')' || text[i] == L']') && depth > 0)
            --depth;
        else if (text[i] == L',' && depth == 0) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(text.substr(start));
    return parts;
}

// ids * 10000 + classes * 100 + types; :not() and :is() count as their
// most specific argument, :where() as nothing.
int Specificity(const Selector& sel)
{
    int total = 0;
    for (const Compound& c : sel.compounds)
        for (const SimpleSelector& p : c.parts) {
            if (p.kind == SimpleSelector::Id)
                total += 10000;
            else if (p.kind == SimpleSelector::Type || (p.kind == SimpleSelector::Never && p.name == L"::"))
                total += p.name == L"*" ? 0 : 1;
            else if (p.kind == SimpleSelector::Not || p.kind == SimpleSelector::Is) {
                int most = 0;
                if (p.name != L"where")
                    for (const Selector& in : *p.inner)
                        most = std::max(most, in.specificity);
                total += most;
            } else
                total += 100;
        }
    return total;
}

class SelectorReader {
public:
    explicit SelectorReader(const std::wstring& t, int nesting = 0) : s(t), depth(nesting) {}

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
            if (pseudo != PseudoElement::None && pseudoCompound == SIZE_MAX)
                pseudoCompound = sel.compounds.size();
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
        // A pseudo-element ends the selector.
        if (pseudo != PseudoElement::None && pseudoCompound + 1 != sel.compounds.size())
            return Selector();
        sel.pseudo = pseudo;
        sel.specificity = Specificity(sel) + (pseudo != PseudoElement::None ? 1 : 0);
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
                if (pseudo != PseudoElement::None)
                    return false;
                ++pos;
                bool element = pos < s.size() && s[pos] == L':';
                if (element)
                    ++pos;
                std::wstring name = LowerAscii(Name());
                if (name.empty())
                    return false;
                bool functional = pos < s.size() && s[pos] == L'(';
                std::wstring arg;
                if (functional) {
                    size_t close = ClosingBracket(s, pos);
                    if (close == std::wstring::npos)
                        return false;
                    arg = s.substr(pos + 1, close - pos - 1);
                    pos = close + 1;
                }
                if (!ReadPseudo(name, arg, functional, element, p, c))
                    return false;
                if (p.kind == SimpleSelector::Type) // a pseudo-element, or a part already added
                    continue;
            } else {
                break;
            }
            c.parts.push_back(std::move(p));
        }
        if (c.parts.empty() && pseudo != PseudoElement::None)
            c.parts.push_back(SimpleSelector{SimpleSelector::Type, L"*"});
        return !c.parts.empty();
    }

    // One pseudo-class into p; pseudo-elements set the selector's pseudo
    // instead and leave p a Type part, which is not added.
    bool ReadPseudo(const std::wstring& name, const std::wstring& arg, bool functional, bool element,
                    SimpleSelector& p, Compound& c)
    {
        if (functional) {
            if (name == L"not" || name == L"is" || name == L"matches" || name == L"where" || name == L"-webkit-any") {
                auto inner = std::make_shared<std::vector<Selector>>();
                for (const std::wstring& one : SplitCommas(arg)) {
                    Selector sel = SelectorReader(one, depth + 1).Read();
                    if (!sel.valid || sel.pseudo != PseudoElement::None || depth > 8)
                        return false;
                    inner->push_back(std::move(sel));
                }
                p.kind = name == L"not" ? SimpleSelector::Not : SimpleSelector::Is;
                p.name = name == L"where" ? L"where" : L"";
                p.inner = std::move(inner);
                return true;
            }
            SimpleSelector::Kind nth = name == L"nth-child" ? SimpleSelector::NthChild
                                     : name == L"nth-last-child" ? SimpleSelector::NthLastChild
                                     : name == L"nth-of-type" ? SimpleSelector::NthOfType
                                     : name == L"nth-last-of-type" ? SimpleSelector::NthLastOfType
                                     : SimpleSelector::Never;
            if (nth != SimpleSelector::Never) {
                p.kind = nth;
                return ReadNth(arg, p.a, p.b);
            }
            p.kind = SimpleSelector::Never; // :lang(), :has() and the like never hold here
            return true;
        }
        if (name == L"before" || name == L"after") {
            pseudo = name == L"before" ? PseudoElement::Before : PseudoElement::After;
            p.kind = SimpleSelector::Type;
            return true;
        }
        auto structural = [&](SimpleSelector::Kind k) {
            SimpleSelector q;
            q.kind = k;
            q.b = 1;
            return q;
        };
        if (name == L"link" || name == L"any-link") p.kind = SimpleSelector::Link;
        else if (name == L"root") p.kind = SimpleSelector::Root;
        else if (name == L"empty") p.kind = SimpleSelector::Empty;
        else if (name == L"first-child") p = structural(SimpleSelector::NthChild);
        else if (name == L"last-child") p = structural(SimpleSelector::NthLastChild);
        else if (name == L"first-of-type") p = structural(SimpleSelector::NthOfType);
        else if (name == L"last-of-type") p = structural(SimpleSelector::NthLastOfType);
        else if (name == L"only-child" || name == L"only-of-type") {
            bool type = name == L"only-of-type";
            c.parts.push_back(structural(type ? SimpleSelector::NthOfType : SimpleSelector::NthChild));
            c.parts.push_back(structural(type ? SimpleSelector::NthLastOfType : SimpleSelector::NthLastChild));
            p.kind = SimpleSelector::Type;
        } else {
            p.kind = SimpleSelector::Never; // :hover, :visited, ::first-line... never hold in a still page
            if (element || name == L"first-line" || name == L"first-letter")
                p.name = L"::"; // a pseudo-element counts as an element name
        }
        return true;
    }

    // "odd", "even", "3", "2n+1", "-n + 3".
    static bool ReadNth(const std::wstring& text, int& a, int& b)
    {
        std::wstring t;
        for (wchar_t ch : text)
            if (!std::iswspace(ch))
                t += static_cast<wchar_t>(std::towlower(ch));
        if (t == L"odd") { a = 2; b = 1; return true; }
        if (t == L"even") { a = 2; b = 0; return true; }
        size_t n = t.find(L'n');
        auto number = [](const std::wstring& part, bool allowSignOnly, int& out) {
            if (part.empty() || (allowSignOnly && (part == L"+" || part == L"-"))) {
                out = part == L"-" ? -1 : 1;
                return allowSignOnly || !part.empty();
            }
            size_t i = (part[0] == L'+' || part[0] == L'-') ? 1 : 0;
            if (i >= part.size() || part.size() > 7)
                return false;
            for (size_t k = i; k < part.size(); ++k)
                if (!std::iswdigit(part[k]))
                    return false;
            out = _wtoi(part.c_str());
            return true;
        };
        if (n == std::wstring::npos) {
            a = 0;
            return number(t, false, b);
        }
        if (!number(t.substr(0, n), true, a))
            return false;
        std::wstring rest = t.substr(n + 1);
        b = 0;
        return rest.empty() || ((rest[0] == L'+' || rest[0] == L'-') && rest.size() > 1 && number(rest, false, b));
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
        if (pos < s.size() && (s[pos] == L'i' || s[pos] == L'I' || s[pos] == L's' || s[pos] == L'S')) {
            p.a = s[pos] == L'i' || s[pos] == L'I'; // compared without regard to case
            ++pos;
            SkipSpace();
        }
        if (pos >= s.size() || s[pos] != L']')
            return false;
        ++pos;
        return true;
    }

    const std::wstring& s;
    size_t pos = 0;
    int depth = 0;
    PseudoElement pseudo = PseudoElement::None;
    size_t pseudoCompound = SIZE_MAX;
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

bool MatchAttribute(const SimpleSelector& p, const std::wstring& have, const std::wstring& want);

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
    case SimpleSelector::Root:
        return e.parent && e.parent->kind == NodeKind::Document;
    case SimpleSelector::Empty:
        for (const auto& c : e.children)
            if (c->kind != NodeKind::Comment)
                return false;
        return true;
    case SimpleSelector::NthChild:
    case SimpleSelector::NthLastChild:
    case SimpleSelector::NthOfType:
    case SimpleSelector::NthLastOfType: {
        if (!e.parent || e.parent->kind != NodeKind::Element)
            return false;
        SiblingPositions local;
        const SiblingPositions::Position& at = (ctx.siblings ? *ctx.siblings : local).Of(e);
        int n = p.kind == SimpleSelector::NthChild ? at.index : p.kind == SimpleSelector::NthLastChild ? at.fromEnd
              : p.kind == SimpleSelector::NthOfType ? at.ofType : at.ofTypeFromEnd;
        if (p.a == 0)
            return n == p.b;
        return (n - p.b) % p.a == 0 && (n - p.b) / p.a >= 0;
    }
    case SimpleSelector::Not:
    case SimpleSelector::Is: {
        bool any = false;
        for (const Selector& in : *p.inner)
            if (Matches(in, e, ctx)) {
                any = true;
                break;
            }
        return any != (p.kind == SimpleSelector::Not);
    }
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
    default: break;
    }
    if (p.a) // the case-blind flag
        return MatchAttribute(p, LowerAscii(*v), LowerAscii(p.value));
    return MatchAttribute(p, *v, p.value);
}

bool MatchAttribute(const SimpleSelector& p, const std::wstring& have, const std::wstring& want)
{
    switch (p.kind) {
    case SimpleSelector::AttrEquals: return have == want;
    case SimpleSelector::AttrIncludes: return HasWord(have, want, false);
    case SimpleSelector::AttrDash:
        return have == want || (have.size() > want.size() && have.compare(0, want.size(), want) == 0 &&
                                 have[want.size()] == L'-');
    case SimpleSelector::AttrPrefix: return !want.empty() && have.compare(0, want.size(), want) == 0;
    case SimpleSelector::AttrSuffix:
        return !want.empty() && have.size() >= want.size() &&
               have.compare(have.size() - want.size(), want.size(), want) == 0;
    case SimpleSelector::AttrContains: return !want.empty() && have.find(want) != std::wstring::npos;
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

const SiblingPositions::Position& SiblingPositions::Of(const Node& element)
{
    auto found = positions.find(&element);
    if (found != positions.end())
        return found->second;
    static const Position none;
    if (!element.parent)
        return none;
    // Every sibling at once: the later ones are asked for next.
    std::vector<const Node*> kids;
    for (const auto& c : element.parent->children)
        if (c->IsElement())
            kids.push_back(c.get());
    std::unordered_map<std::wstring, int> ofType, typeTotal;
    for (const Node* k : kids)
        ++typeTotal[k->tag];
    int count = static_cast<int>(kids.size());
    for (int i = 0; i < count; ++i) {
        Position& pos = positions[kids[i]];
        pos.index = i + 1;
        pos.fromEnd = count - i;
        pos.ofType = ++ofType[kids[i]->tag];
        pos.ofTypeFromEnd = typeTotal[kids[i]->tag] - pos.ofType + 1;
    }
    found = positions.find(&element);
    return found != positions.end() ? found->second : none;
}

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
