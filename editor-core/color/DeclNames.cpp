#include "color/DeclNames.h"

#include <cstdint>

#include "color/TextScan.h"

namespace color {

namespace {

constexpr CharSet kBracket("()[]{}", false);

bool IsOpen(wchar_t c) { return c == L'(' || c == L'[' || c == L'{'; }
bool IsClose(wchar_t c) { return c == L')' || c == L']' || c == L'}'; }

bool VbsDropped(wchar_t c) { return c == L' '; }
bool JsParamDropped(wchar_t c) { return c == L' ' || c == 9 || IsOpen(c) || IsClose(c); }

void Add(KeywordList& known, const std::wstring& name, bool tooLong)
{
    if (!tooLong && !name.empty())
        known.Append(name);
}

} // namespace

// Reads the name of the part that starts at p, up to the comma that ends it
// or e, or only until the name is settled: at the rule's cut, or once it is
// too long to be one (then tooLong and name is empty). Returns where it
// stopped.
size_t DeclNames::ReadName(const wchar_t* s, size_t p, size_t e, const PartRule& rule, std::wstring& name,
                           bool& tooLong, NameStretch& stretch)
{
    name.clear();
    tooLong = false;
    NameStretch& w = stretch;
    if (w.end != e || w.rule != &rule || p < w.from || p > w.to) {
        w.end = e;
        w.rule = &rule;
        w.from = w.to = p;
        w.kept = 0;
    }
    for (; w.from < p; ++w.from)
        w.kept -= !rule.dropped(s[w.from]);
    while (w.to < e && w.kept <= MaxName && s[w.to] != L',' && !(rule.cut && s[w.to] == rule.cut))
        w.kept += !rule.dropped(s[w.to++]);
    if (w.kept > MaxName) {
        tooLong = true;
        return w.to - 1;
    }
    for (; p < e; ++p) {
        const wchar_t c = s[p];
        if (c == L',' || (rule.cut && c == rule.cut))
            return p;
        if (rule.dropped(c))
            continue;
        if (name.size() == MaxName) {
            tooLong = true;
            name.clear();
            return p;
        }
        name += c;
    }
    return p;
}

size_t DeclNames::Search::Next(const wchar_t* s, size_t p, size_t e, wchar_t c)
{
    if (p >= e)
        return npos;
    if (end == e && from != npos && p >= from && (at == npos || p <= at))
        return at;
    end = e;
    from = p;
    at = FindChar(s, p, e, c);
    return at;
}

size_t DeclNames::Search::Last(const wchar_t* s, size_t p, size_t e, wchar_t c)
{
    if (end != e || from == npos || p < from) {
        end = e;
        from = p;
        at = npos;
        for (size_t q = e; q > p; --q) {
            if (s[q - 1] == c) {
                at = q - 1;
                break;
            }
        }
    }
    return at != npos && at >= p ? at : npos;
}

void DeclNames::CommaList::Collect(const wchar_t* s, size_t a, size_t e, const PartRule& rule, KeywordList& known)
{
    std::wstring name;
    bool tooLong = false;
    size_t p = ReadName(s, a, e, rule, name, tooLong, stretch_);
    Add(known, name, tooLong);
    size_t comma = commas_.Next(s, p, e, L',');
    // The parts behind this comma are those an earlier declaration of the
    // statement split off and collected.
    if (comma == npos || (end_ == e && doneFrom_ != npos && comma >= doneFrom_))
        return;
    end_ = e;
    doneFrom_ = comma;
    while (comma != npos) {
        p = ReadName(s, comma + 1, e, rule, name, tooLong, stretch_);
        Add(known, name, tooLong);
        comma = commas_.Next(s, p, e, L',');
    }
}

bool DeclNames::VarList::NameTooLong(const wchar_t* s, size_t j, size_t t)
{
    auto keptChar = [](wchar_t c) { return c != L' ' && c != 9 && !IsClose(c); };
    if (wayValid_ && j >= wayFrom_ && j <= wayTo_) {
        while (wayFrom_ < j) {
            const wchar_t c = s[wayFrom_];
            if (IsOpen(c)) {
                const uint32_t m = match_[wayFrom_ - base_];
                if (m == UINT32_MAX || base_ + m + 1 > j)
                    break;
                wayFrom_ = base_ + m + 1;
            } else {
                wayKept_ -= keptChar(c);
                ++wayFrom_;
            }
        }
    }
    if (!wayValid_ || wayFrom_ != j) {
        wayValid_ = true;
        wayFrom_ = wayTo_ = j;
        wayKept_ = 0;
    }
    while (wayTo_ < t && wayKept_ <= MaxName) {
        const wchar_t c = s[wayTo_];
        if (c == L',' || c == L'=')
            break;
        if (IsOpen(c)) {
            const uint32_t m = match_[wayTo_ - base_];
            if (m == UINT32_MAX)
                break;
            wayTo_ = base_ + m + 1;
            continue;
        }
        wayKept_ += keptChar(c);
        ++wayTo_;
    }
    return wayKept_ > MaxName;
}

void DeclNames::VarList::Collect(const wchar_t* s, size_t j, size_t t, KeywordList& known)
{
    // This walk meets the previous one of the statement once it has passed
    // as many unmatched closing brackets as that one had open brackets at j:
    // from there on both drop and keep the same characters.
    size_t need = npos;
    if (t != end_) {
        end_ = t;
        base_ = j;
        wayValid_ = false;
        // Only the places of opening brackets are ever read.
        if (match_.size() < t - j)
            match_.resize(t - j);
        std::vector<size_t>& open = open_;
        open.clear();
        for (size_t p = j; p < t; ++p) {
            if (!kBracket(s[p]))
                continue;
            if (IsOpen(s[p])) {
                match_[p - j] = UINT32_MAX;
                open.push_back(p);
            } else if (!open.empty()) {
                match_[open.back() - j] = static_cast<uint32_t>(p - j);
                open.pop_back();
            }
        }
    } else {
        size_t depth = prevDepth_;
        for (size_t p = prevPos_; p < j; ++p) {
            if (IsOpen(s[p]))
                ++depth;
            else if (IsClose(s[p]) && depth > 0)
                --depth;
        }
        need = depth;
    }
    prevPos_ = j;
    prevDepth_ = 0;
    // In step with the previous walk from the start, the name is settled
    // along the way without building it when it is too long to be one.
    if (need == 0 && NameTooLong(s, j, t))
        return;

    std::wstring name;
    bool cut = false, tooLong = false, joined = need == 0;
    size_t drops = 0;
    for (size_t p = j; p < t;) {
        const wchar_t c = s[p];
        if (IsOpen(c)) {
            // What lies inside brackets is dropped; a bracket left open
            // drops the rest of the declaration.
            const uint32_t m = match_[p - base_];
            if (m == UINT32_MAX)
                break;
            p = base_ + m + 1;
            continue;
        }
        if (IsClose(c)) {
            if (!joined && ++drops >= need)
                joined = true;
            ++p;
            continue;
        }
        if (c == L',') {
            Add(known, name, tooLong);
            name.clear();
            cut = tooLong = false;
            if (joined)
                return;  // the parts behind are the previous walk's
            ++p;
            continue;
        }
        if (c != L' ' && c != 9 && !cut && !tooLong) {
            if (c == L'=') {
                cut = true;
            } else if (name.size() == MaxName) {
                tooLong = true;
                name.clear();
            } else {
                name += c;
            }
        }
        if (joined && (cut || tooLong))
            break;
        ++p;
    }
    Add(known, name, tooLong);
}

void DeclNames::Params(const wchar_t* s, size_t j, size_t t, const PartRule& rule, KeywordList& known)
{
    const size_t close = closes_.Last(s, j, t, L')');
    if (close == npos)
        return;
    const size_t open = opens_.Next(s, j, t, L'(');
    if (open == npos || close < open + 2)
        return;
    params_.Collect(s, open + 1, close, rule, known);
}

void DeclNames::Vbs(const wchar_t* s, size_t j, size_t t, bool procedure, KeywordList& known)
{
    static constexpr PartRule rule{VbsDropped, L'('};
    if (procedure)
        Params(s, j, t, rule, known);
    else
        dims_.Collect(s, j, t, rule, known);
}

void DeclNames::Js(const wchar_t* s, size_t j, size_t t, bool function, KeywordList& known)
{
    static constexpr PartRule rule{JsParamDropped, 0};
    if (function)
        Params(s, j, t, rule, known);
    else
        vars_.Collect(s, j, t, known);
}

} // namespace color
