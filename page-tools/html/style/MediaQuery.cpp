#include "MediaQuery.h"

#include <cwctype>

namespace html {
namespace {

std::wstring Lower(const std::wstring& s)
{
    std::wstring out(s);
    for (wchar_t& c : out)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c + 32);
    return out;
}

std::wstring Trim(const std::wstring& s)
{
    size_t a = 0, b = s.size();
    while (a < b && std::iswspace(s[a]))
        ++a;
    while (b > a && std::iswspace(s[b - 1]))
        --b;
    return s.substr(a, b - a);
}

std::vector<std::wstring> SplitCommas(const std::wstring& text)
{
    std::vector<std::wstring> parts;
    int depth = 0;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'(')
            ++depth;
        else if (text[i] == L')' && depth > 0)
            --depth;
        else if (text[i] == L',' && depth == 0) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(text.substr(start));
    return parts;
}

// A feature's value: a length in pixels (em and rem at the initial 16 px), a
// ratio, a resolution in dots per pixel, or a plain number.
bool ReadValue(const std::wstring& text, float& out)
{
    std::wstring t = Trim(text);
    if (t.empty())
        return false;
    size_t slash = t.find(L'/');
    if (slash != std::wstring::npos) {
        float a, b;
        if (!ReadValue(t.substr(0, slash), a) || !ReadValue(t.substr(slash + 1), b) || b <= 0)
            return false;
        out = a / b;
        return true;
    }
    wchar_t* end = nullptr;
    double v = wcstod(t.c_str(), &end);
    if (end == t.c_str())
        return false;
    std::wstring unit = Trim(end);
    double f;
    if (unit.empty() || unit == L"px" || unit == L"dppx" || unit == L"x") f = 1;
    else if (unit == L"em" || unit == L"rem") f = 16;
    else if (unit == L"pt") f = 96.0 / 72;
    else if (unit == L"pc") f = 16;
    else if (unit == L"in") f = 96;
    else if (unit == L"cm") f = 96 / 2.54;
    else if (unit == L"mm") f = 96 / 25.4;
    else if (unit == L"dpi") f = 1.0 / 96;
    else if (unit == L"dpcm") f = 2.54 / 96;
    else return false;
    out = static_cast<float>(v * f);
    return true;
}

MediaFeature::Name FeatureName(std::wstring name)
{
    if (name.compare(0, 8, L"-webkit-") == 0)
        name = name.substr(8);
    if (name == L"width" || name == L"device-width") return MediaFeature::Width;
    if (name == L"height" || name == L"device-height") return MediaFeature::Height;
    if (name == L"aspect-ratio" || name == L"device-aspect-ratio") return MediaFeature::AspectRatio;
    if (name == L"orientation") return MediaFeature::Orientation;
    if (name == L"resolution" || name == L"device-pixel-ratio") return MediaFeature::Resolution;
    if (name == L"color") return MediaFeature::Color;
    if (name == L"monochrome") return MediaFeature::Monochrome;
    if (name == L"hover" || name == L"any-hover") return MediaFeature::Hover;
    if (name == L"pointer" || name == L"any-pointer") return MediaFeature::Pointer;
    if (name == L"prefers-color-scheme") return MediaFeature::ColorScheme;
    if (name == L"prefers-reduced-motion") return MediaFeature::ReducedMotion;
    if (name == L"grid") return MediaFeature::Grid;
    return MediaFeature::Unknown;
}

bool IsKeywordFeature(MediaFeature::Name n)
{
    return n == MediaFeature::Orientation || n == MediaFeature::Hover || n == MediaFeature::Pointer ||
           n == MediaFeature::ColorScheme || n == MediaFeature::ReducedMotion;
}

// "<", "<=", ">", ">=", "=" at text[i]; the test as seen from the feature on the left.
bool ReadComparison(const std::wstring& t, size_t& i, MediaFeature::Test& test)
{
    if (i >= t.size())
        return false;
    wchar_t c = t[i];
    bool eq = i + 1 < t.size() && t[i + 1] == L'=';
    if (c == L'<') test = eq ? MediaFeature::Max : MediaFeature::Less;
    else if (c == L'>') test = eq ? MediaFeature::Min : MediaFeature::Greater;
    else if (c == L'=') test = MediaFeature::Equal;
    else return false;
    i += (c != L'=' && eq) ? 2 : 1;
    return true;
}

MediaFeature::Test Flip(MediaFeature::Test t)
{
    switch (t) {
    case MediaFeature::Min: return MediaFeature::Max;
    case MediaFeature::Max: return MediaFeature::Min;
    case MediaFeature::Less: return MediaFeature::Greater;
    case MediaFeature::Greater: return MediaFeature::Less;
    default: return t;
    }
}

bool IsNameStart(wchar_t c)
{
    return std::iswalpha(c) || c == L'-';
}

// One parenthesised condition, which may be a range "400px <= width < 700px".
bool ReadFeature(const std::wstring& inner, std::vector<MediaFeature>& out)
{
    std::wstring t = Trim(inner);
    size_t colon = t.find(L':');
    if (colon != std::wstring::npos) {
        MediaFeature f;
        std::wstring name = Trim(t.substr(0, colon));
        std::wstring value = Trim(t.substr(colon + 1));
        if (name.compare(0, 4, L"min-") == 0 || name.compare(0, 12, L"-webkit-min-") == 0) {
            f.test = MediaFeature::Min;
            name = name[0] == L'-' ? name.substr(12) : name.substr(4);
        } else if (name.compare(0, 4, L"max-") == 0 || name.compare(0, 12, L"-webkit-max-") == 0) {
            f.test = MediaFeature::Max;
            name = name[0] == L'-' ? name.substr(12) : name.substr(4);
        } else {
            f.test = MediaFeature::Equal;
        }
        f.name = FeatureName(name);
        if (IsKeywordFeature(f.name)) {
            if (f.test != MediaFeature::Equal || value.empty())
                return false;
            f.keyword = value;
        } else if (!ReadValue(value, f.value)) {
            return false;
        }
        out.push_back(f);
        return true;
    }
    size_t op = t.find_first_of(L"<>=");
    if (op == std::wstring::npos) {
        if (t.empty() || !IsNameStart(t[0]))
            return false;
        MediaFeature f;
        f.name = FeatureName(t);
        f.test = MediaFeature::Present;
        out.push_back(f);
        return true;
    }
    // Range form: [value op] name [op value].
    std::wstring left = Trim(t.substr(0, op));
    size_t i = op;
    MediaFeature::Test first;
    if (!ReadComparison(t, i, first))
        return false;
    size_t op2 = t.find_first_of(L"<>=", i);
    std::wstring middle = Trim(t.substr(i, op2 == std::wstring::npos ? std::wstring::npos : op2 - i));
    if (!left.empty() && IsNameStart(left[0]) && op2 == std::wstring::npos) {
        MediaFeature f;
        f.name = FeatureName(left);
        f.test = first;
        if (IsKeywordFeature(f.name) || !ReadValue(middle, f.value))
            return false;
        out.push_back(f);
        return true;
    }
    MediaFeature low;
    low.name = FeatureName(middle);
    low.test = Flip(first);
    if (IsKeywordFeature(low.name) || !ReadValue(left, low.value))
        return false;
    out.push_back(low);
    if (op2 == std::wstring::npos)
        return true;
    size_t j = op2;
    MediaFeature high;
    high.name = low.name;
    if (!ReadComparison(t, j, high.test) || !ReadValue(t.substr(j), high.value))
        return false;
    out.push_back(high);
    return true;
}

MediaQuery ReadQuery(const std::wstring& text)
{
    MediaQuery q;
    std::wstring t = Trim(text);
    size_t i = 0;
    auto word = [&]() {
        while (i < t.size() && std::iswspace(t[i]))
            ++i;
        size_t s = i;
        while (i < t.size() && (std::iswalnum(t[i]) || t[i] == L'-'))
            ++i;
        return t.substr(s, i - s);
    };
    bool typeSeen = false, needAnd = false;
    while (true) {
        while (i < t.size() && std::iswspace(t[i]))
            ++i;
        if (i >= t.size())
            break;
        if (t[i] == L'(') {
            if (needAnd) {
                q.valid = false;
                break;
            }
            int depth = 0;
            size_t s = i;
            for (; i < t.size(); ++i) {
                if (t[i] == L'(') ++depth;
                else if (t[i] == L')' && --depth == 0) break;
            }
            if (i >= t.size() || !ReadFeature(t.substr(s + 1, i - s - 1), q.features)) {
                q.valid = false;
                break;
            }
            ++i;
            needAnd = true;
            typeSeen = true;
            continue;
        }
        std::wstring w = word();
        if (w.empty()) {
            q.valid = false;
            break;
        }
        if (needAnd) {
            if (w != L"and") {
                q.valid = false; // "or" and anything else this engine does not read
                break;
            }
            needAnd = false;
        } else if (!typeSeen && (w == L"not" || w == L"only") && q.features.empty()) {
            q.negated = q.negated || w == L"not";
        } else if (!typeSeen) {
            q.type = w == L"all" ? MediaQuery::All : w == L"screen" ? MediaQuery::Screen
                   : w == L"print" ? MediaQuery::Print : MediaQuery::Other;
            typeSeen = true;
            needAnd = true;
        } else {
            q.valid = false;
            break;
        }
    }
    if (!typeSeen || !needAnd)
        q.valid = false;
    return q;
}

bool Compare(float have, const MediaFeature& f)
{
    const float eps = 0.001f;
    switch (f.test) {
    case MediaFeature::Min: return have >= f.value - eps;
    case MediaFeature::Max: return have <= f.value + eps;
    case MediaFeature::Equal: return have >= f.value - eps && have <= f.value + eps;
    case MediaFeature::Less: return have < f.value - eps;
    case MediaFeature::Greater: return have > f.value + eps;
    default: return have != 0;
    }
}

bool FeatureHolds(const MediaFeature& f, const MediaEnv& env)
{
    switch (f.name) {
    case MediaFeature::Width: return Compare(static_cast<float>(env.width), f);
    case MediaFeature::Height: return Compare(static_cast<float>(env.height), f);
    case MediaFeature::AspectRatio: return Compare(env.height > 0 ? float(env.width) / env.height : 0, f);
    case MediaFeature::Resolution: return Compare(1, f);
    case MediaFeature::Color: return Compare(8, f);
    case MediaFeature::Monochrome: return Compare(0, f);
    case MediaFeature::Grid: return Compare(0, f);
    case MediaFeature::Orientation:
        return f.test == MediaFeature::Present ||
               f.keyword == (env.height >= env.width ? L"portrait" : L"landscape");
    case MediaFeature::Hover:
        return f.test == MediaFeature::Present ? !env.print : f.keyword == (env.print ? L"none" : L"hover");
    case MediaFeature::Pointer:
        return f.test == MediaFeature::Present ? !env.print : f.keyword == (env.print ? L"none" : L"fine");
    case MediaFeature::ColorScheme: return f.test == MediaFeature::Present || f.keyword == L"light";
    case MediaFeature::ReducedMotion: return f.keyword == L"no-preference";
    default: return false;
    }
}

} // namespace

MediaQueryList::MediaQueryList(const std::wstring& text)
{
    std::wstring t = Trim(Lower(text));
    if (t.empty())
        return;
    for (const std::wstring& part : SplitCommas(t))
        queries.push_back(ReadQuery(part));
}

bool MediaQueryList::Matches(const MediaEnv& env) const
{
    if (queries.empty())
        return true;
    for (const MediaQuery& q : queries) {
        if (!q.valid)
            continue;
        bool holds = q.type == MediaQuery::All || (q.type == MediaQuery::Screen && !env.print) ||
                     (q.type == MediaQuery::Print && env.print);
        for (size_t i = 0; holds && i < q.features.size(); ++i)
            holds = FeatureHolds(q.features[i], env);
        if (holds != q.negated)
            return true;
    }
    return false;
}

bool MediaQueryList::DependsOnSize() const
{
    for (const MediaQuery& q : queries)
        for (const MediaFeature& f : q.features)
            if (f.name == MediaFeature::Width || f.name == MediaFeature::Height ||
                f.name == MediaFeature::AspectRatio || f.name == MediaFeature::Orientation)
                return true;
    return false;
}

} // namespace html
