#include "CharRefs.h"

#include <algorithm>
#include <cwctype>
#include <unordered_map>

namespace html {
namespace {

struct NamedRef {
    const wchar_t* name;
    unsigned code;
};

// Latin-1 160..255 in order: old pages write these without the ';'.
const wchar_t* const Latin1Names[96] = {
    L"nbsp", L"iexcl", L"cent", L"pound", L"curren", L"yen", L"brvbar", L"sect", L"uml", L"copy", L"ordf",
    L"laquo", L"not", L"shy", L"reg", L"macr", L"deg", L"plusmn", L"sup2", L"sup3", L"acute", L"micro",
    L"para", L"middot", L"cedil", L"sup1", L"ordm", L"raquo", L"frac14", L"frac12", L"frac34", L"iquest",
    L"Agrave", L"Aacute", L"Acirc", L"Atilde", L"Auml", L"Aring", L"AElig", L"Ccedil", L"Egrave", L"Eacute",
    L"Ecirc", L"Euml", L"Igrave", L"Iacute", L"Icirc", L"Iuml", L"ETH", L"Ntilde", L"Ograve", L"Oacute",
    L"Ocirc", L"Otilde", L"Ouml", L"times", L"Oslash", L"Ugrave", L"Uacute", L"Ucirc", L"Uuml", L"Yacute",
    L"THORN", L"szlig", L"agrave", L"aacute", L"acirc", L"atilde", L"auml", L"aring", L"aelig", L"ccedil",
    L"egrave", L"eacute", L"ecirc", L"euml", L"igrave", L"iacute", L"icirc", L"iuml", L"eth", L"ntilde",
    L"ograve", L"oacute", L"ocirc", L"otilde", L"ouml", L"divide", L"oslash", L"ugrave", L"uacute", L"ucirc",
    L"uuml", L"yacute", L"thorn", L"yuml"};

const NamedRef OtherNames[] = {
    {L"quot", 34}, {L"amp", 38}, {L"lt", 60}, {L"gt", 62}, {L"apos", 39}, {L"OElig", 338}, {L"oelig", 339},
    {L"Scaron", 352}, {L"scaron", 353}, {L"Yuml", 376}, {L"fnof", 402}, {L"circ", 710}, {L"tilde", 732},
    {L"ensp", 8194}, {L"emsp", 8195}, {L"thinsp", 8201}, {L"zwnj", 8204}, {L"zwj", 8205}, {L"lrm", 8206},
    {L"rlm", 8207}, {L"ndash", 8211}, {L"mdash", 8212}, {L"lsquo", 8216}, {L"rsquo", 8217}, {L"sbquo", 8218},
    {L"ldquo", 8220}, {L"rdquo", 8221}, {L"bdquo", 8222}, {L"dagger", 8224}, {L"Dagger", 8225},
    {L"bull", 8226}, {L"hellip", 8230}, {L"permil", 8240}, {L"prime", 8242}, {L"Prime", 8243},
    {L"lsaquo", 8249}, {L"rsaquo", 8250}, {L"oline", 8254}, {L"frasl", 8260}, {L"euro", 8364},
    {L"image", 8465}, {L"weierp", 8472}, {L"real", 8476}, {L"trade", 8482}, {L"alefsym", 8501},
    {L"larr", 8592}, {L"uarr", 8593}, {L"rarr", 8594}, {L"darr", 8595}, {L"harr", 8596}, {L"crarr", 8629},
    {L"lArr", 8656}, {L"uArr", 8657}, {L"rArr", 8658}, {L"dArr", 8659}, {L"hArr", 8660}, {L"forall", 8704},
    {L"part", 8706}, {L"exist", 8707}, {L"empty", 8709}, {L"nabla", 8711}, {L"isin", 8712}, {L"notin", 8713},
    {L"ni", 8715}, {L"prod", 8719}, {L"sum", 8721}, {L"minus", 8722}, {L"lowast", 8727}, {L"radic", 8730},
    {L"prop", 8733}, {L"infin", 8734}, {L"ang", 8736}, {L"and", 8743}, {L"or", 8744}, {L"cap", 8745},
    {L"cup", 8746}, {L"int", 8747}, {L"there4", 8756}, {L"sim", 8764}, {L"cong", 8773}, {L"asymp", 8776},
    {L"ne", 8800}, {L"equiv", 8801}, {L"le", 8804}, {L"ge", 8805}, {L"sub", 8834}, {L"sup", 8835},
    {L"nsub", 8836}, {L"sube", 8838}, {L"supe", 8839}, {L"oplus", 8853}, {L"otimes", 8855}, {L"perp", 8869},
    {L"sdot", 8901}, {L"lceil", 8968}, {L"rceil", 8969}, {L"lfloor", 8970}, {L"rfloor", 8971},
    {L"lang", 9001}, {L"rang", 9002}, {L"loz", 9674}, {L"spades", 9824}, {L"clubs", 9827}, {L"hearts", 9829},
    {L"diams", 9830}, {L"thetasym", 977}, {L"upsih", 978}, {L"piv", 982}, {L"sigmaf", 962},
};

const wchar_t* const GreekUpper[] = {L"Alpha", L"Beta", L"Gamma", L"Delta", L"Epsilon", L"Zeta", L"Eta",
                                     L"Theta", L"Iota", L"Kappa", L"Lambda", L"Mu", L"Nu", L"Xi", L"Omicron",
                                     L"Pi", L"Rho", nullptr, L"Sigma", L"Tau", L"Upsilon", L"Phi", L"Chi",
                                     L"Psi", L"Omega"};

struct Table {
    std::unordered_map<std::wstring, unsigned> names;
    std::unordered_map<std::wstring, unsigned> legacy; // recognised without ';'
    Table()
    {
        for (int i = 0; i < 96; ++i) {
            names[Latin1Names[i]] = 160 + i;
            legacy[Latin1Names[i]] = 160 + i;
        }
        for (const NamedRef& r : OtherNames)
            names[r.name] = r.code;
        for (const wchar_t* n : {L"quot", L"amp", L"lt", L"gt"})
            legacy[n] = names[n];
        for (int i = 0; i < 25; ++i) {
            if (!GreekUpper[i])
                continue;
            names[GreekUpper[i]] = 913 + i;
            std::wstring lower = GreekUpper[i];
            lower[0] = static_cast<wchar_t>(std::towlower(lower[0]));
            names[lower] = 945 + i;
        }
    }
};

const Table& Refs()
{
    static const Table table;
    return table;
}

// Code points 0x80-0x9F as the windows-1252 characters pages mean by them.
const unsigned short Cp1252High[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                       0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

void AppendCode(unsigned code, std::wstring& out)
{
    if (code >= 0x80 && code <= 0x9F)
        code = Cp1252High[code - 0x80];
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = 0xFFFD;
    if (code > 0xFFFF) {
        code -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (code >> 10));
        out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
    } else {
        out += static_cast<wchar_t>(code);
    }
}

bool DecodeNumeric(const std::wstring& text, size_t& pos, std::wstring& out)
{
    size_t i = pos + 2;
    bool hex = i < text.size() && (text[i] == L'x' || text[i] == L'X');
    if (hex)
        ++i;
    size_t start = i;
    unsigned long long value = 0;
    while (i < text.size()) {
        wchar_t c = text[i];
        int digit = -1;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (hex && c >= L'a' && c <= L'f')
            digit = c - L'a' + 10;
        else if (hex && c >= L'A' && c <= L'F')
            digit = c - L'A' + 10;
        if (digit < 0)
            break;
        if (value <= 0x10FFFF)
            value = value * (hex ? 16 : 10) + digit;
        ++i;
    }
    if (i == start)
        return false;
    if (i < text.size() && text[i] == L';')
        ++i;
    AppendCode(value > 0x10FFFF ? 0xFFFD : static_cast<unsigned>(value), out);
    pos = i;
    return true;
}

} // namespace

bool DecodeCharRef(const std::wstring& text, size_t& pos, std::wstring& out, bool inAttribute)
{
    if (pos + 1 >= text.size())
        return false;
    if (text[pos + 1] == L'#')
        return DecodeNumeric(text, pos, out);
    size_t end = pos + 1;
    while (end < text.size() && end - pos <= 10 && std::iswalnum(text[end]))
        ++end;
    if (end == pos + 1)
        return false;
    const Table& t = Refs();
    std::wstring name = text.substr(pos + 1, end - pos - 1);
    if (end < text.size() && text[end] == L';') {
        auto it = t.names.find(name);
        if (it != t.names.end()) {
            AppendCode(it->second, out);
            pos = end + 1;
            return true;
        }
    }
    // Without ';' only the legacy names count, longest first (&notit -> ¬it).
    for (size_t len = name.size(); len >= 2; --len) {
        auto it = t.legacy.find(name.substr(0, len));
        if (it == t.legacy.end())
            continue;
        size_t after = pos + 1 + len;
        if (inAttribute && after < text.size() && (text[after] == L'=' || std::iswalnum(text[after])))
            return false;
        AppendCode(it->second, out);
        pos = after;
        return true;
    }
    return false;
}

std::wstring DecodeCharRefs(const std::wstring& text, bool inAttribute)
{
    if (text.find(L'&') == std::wstring::npos)
        return text;
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text[i] == L'&' && DecodeCharRef(text, i, out, inAttribute))
            continue;
        out += text[i++];
    }
    return out;
}

} // namespace html
