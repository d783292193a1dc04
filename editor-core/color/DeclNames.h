#pragma once
// The names that the declarations of a script make known while it is
// coloured: VBScript's "Dim"-like keywords and procedure headers, JavaScript's
// "var" and "function".
//
// A declaration runs from its keyword to the next terminator, so on a line of
// many declarations each one's text holds all the others behind it. Collected
// one by one, a line of n characters would cost n * n time and memory. Two
// bounds keep every line linear without changing what normal code collects:
// - a name longer than MaxName is not a name (VBScript's own limit), so the
//   scan of a part stops once it has that many characters;
// - the parts behind a comma that an earlier declaration of the same
//   statement split at too are the same parts, so they are not collected
//   again ("var" splits only outside brackets: there the two must first agree
//   on the bracket depth).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "color/KeywordList.h"

namespace color {

constexpr size_t MaxName = 255;

// One colouring run's memory of the statement its declarations belong to.
// Every call of a run must come from a keyword further on in the same text.
class DeclNames {
public:
    // VBScript: the declaration s[j, t) after a keyword before DimExt;
    // procedure: the keyword lies after FuncExt, so only the parameter list
    // between the first "(" and the last ")" counts.
    void Vbs(const wchar_t* s, size_t j, size_t t, bool procedure, KeywordList& known);
    // JavaScript: the declaration s[j, t) after "var", or after "function"
    // (its parameter list).
    void Js(const wchar_t* s, size_t j, size_t t, bool function, KeywordList& known);

private:
    // How the characters of a comma-separated part make a name.
    struct PartRule {
        bool (*dropped)(wchar_t c);  // left out of the name
        wchar_t cut;                 // ends the name, the rest of the part is ignored; 0: none
    };
    // The stretch [from, to) of a text that holds no comma and no cut of a
    // rule, with the count of its characters the rule keeps: to is where a
    // name that starts at from is settled (a comma, the cut, the end, or the
    // character past MaxName). A part that starts further on in the same
    // text takes it over, so a line of many declarations that each run on to
    // its end costs its length, not MaxName characters for each of them.
    struct NameStretch {
        size_t end = std::wstring::npos;
        const PartRule* rule = nullptr;
        size_t from = 0, to = 0, kept = 0;
    };
    static size_t ReadName(const wchar_t* s, size_t p, size_t e, const PartRule& rule, std::wstring& name,
                           bool& tooLong, NameStretch& stretch);

    // The last search for one character in [from, end): its first (Next) or
    // last (Last) place, npos when none. A later search of the same
    // statement from further on is answered from it.
    struct Search {
        size_t end = std::wstring::npos, from = std::wstring::npos, at = std::wstring::npos;
        size_t Next(const wchar_t* s, size_t p, size_t e, wchar_t c);
        size_t Last(const wchar_t* s, size_t p, size_t e, wchar_t c);
    };

    // Parts split at every comma of s[a, e).
    class CommaList {
    public:
        void Collect(const wchar_t* s, size_t a, size_t e, const PartRule& rule, KeywordList& known);

    private:
        size_t end_ = std::wstring::npos;
        size_t doneFrom_ = std::wstring::npos;  // the parts behind this comma up to end_ are collected
        Search commas_;
        NameStretch stretch_;
    };

    // "var": parts split at the commas outside brackets; what lies inside
    // brackets is dropped.
    class VarList {
    public:
        void Collect(const wchar_t* s, size_t j, size_t t, KeywordList& known);

    private:
        size_t end_ = std::wstring::npos;
        size_t base_ = 0;
        std::vector<uint32_t> match_;  // from base_: where each opening bracket closes
        std::vector<size_t> open_;     // the brackets open while match_ is made
        size_t prevPos_ = 0;           // start of the statement's previous walk
        size_t prevDepth_ = 0;         // its bracket depth at prevPos_
        // As NameStretch, along the walk's way (bracketed text skipped): a
        // name settles at a comma, an "=", a bracket left open or the end.
        size_t wayFrom_ = 0, wayTo_ = 0, wayKept_ = 0;
        bool wayValid_ = false;
        bool NameTooLong(const wchar_t* s, size_t j, size_t t);
    };

    void Params(const wchar_t* s, size_t j, size_t t, const PartRule& rule, KeywordList& known);

    CommaList dims_, params_;
    VarList vars_;
    Search opens_, closes_;  // first "(" and last ")" of a procedure's declaration
};

} // namespace color
