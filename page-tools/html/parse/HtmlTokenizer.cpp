#include "HtmlTokenizer.h"

#include <cwctype>

#include "CharRefs.h"

namespace html {
namespace {

bool IsSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f';
}

bool IsAsciiAlpha(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

wchar_t LowerAscii(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
}

// Finds "</name" (any case) followed by a space, '/' or '>' from pos.
size_t FindEndTag(const std::wstring& s, size_t pos, const std::wstring& name)
{
    for (;;) {
        pos = s.find(L"</", pos);
        if (pos == std::wstring::npos)
            return pos;
        size_t i = pos + 2, k = 0;
        while (k < name.size() && i < s.size() && LowerAscii(s[i]) == name[k]) {
            ++i;
            ++k;
        }
        if (k == name.size() && (i >= s.size() || IsSpace(s[i]) || s[i] == L'/' || s[i] == L'>'))
            return pos;
        pos += 2;
    }
}

} // namespace

void HtmlTokenizer::SetRawText(const std::wstring& tagName, bool decodeRefs)
{
    rawTag = tagName;
    rawDecode = decodeRefs;
}

Token HtmlTokenizer::Next()
{
    if (!rawTag.empty())
        return ReadRaw();
    Token t;
    if (pos >= src.size())
        return t;
    if (src[pos] == L'<' && pos + 1 < src.size()) {
        wchar_t c = src[pos + 1];
        if (IsAsciiAlpha(c) || (c == L'/' && pos + 2 < src.size() && IsAsciiAlpha(src[pos + 2])))
            return ReadTag();
        if (c == L'!' || c == L'?')
            return ReadMarkupDeclaration();
        if (c == L'/' && pos + 2 < src.size() && src[pos + 2] == L'>') {
            pos += 3; // "</>" is dropped
            return Next();
        }
    }
    // Text runs to the next '<' that may start something.
    size_t end = pos + 1;
    while (end < src.size()) {
        end = src.find(L'<', end);
        if (end == std::wstring::npos) {
            end = src.size();
            break;
        }
        if (end + 1 < src.size()) {
            wchar_t c = src[end + 1];
            if (IsAsciiAlpha(c) || c == L'/' || c == L'!' || c == L'?')
                break;
        }
        ++end;
    }
    t.type = Token::Text;
    t.text = DecodeCharRefs(src.substr(pos, end - pos), false);
    pos = end;
    return t;
}

Token HtmlTokenizer::ReadRaw()
{
    Token t;
    t.type = Token::Text;
    size_t end = FindEndTag(src, pos, rawTag);
    if (end == std::wstring::npos)
        end = src.size();
    t.text = src.substr(pos, end - pos);
    if (rawDecode)
        t.text = DecodeCharRefs(t.text, false);
    pos = end;
    rawTag.clear();
    if (t.text.empty())
        return Next();
    return t;
}

Token HtmlTokenizer::ReadTag()
{
    Token t;
    ++pos; // '<'
    t.type = Token::StartTag;
    if (src[pos] == L'/') {
        t.type = Token::EndTag;
        ++pos;
    }
    size_t start = pos;
    while (pos < src.size() && !IsSpace(src[pos]) && src[pos] != L'/' && src[pos] != L'>')
        ++pos;
    t.name.reserve(pos - start);
    for (size_t i = start; i < pos; ++i)
        t.name += LowerAscii(src[i]);
    ReadAttributes(t);
    if (t.type == Token::EndTag)
        t.attrs.clear();
    return t;
}

void HtmlTokenizer::ReadAttributes(Token& t)
{
    for (;;) {
        while (pos < src.size() && (IsSpace(src[pos]) || src[pos] == L'/')) {
            if (src[pos] == L'/' && pos + 1 < src.size() && src[pos + 1] == L'>')
                t.selfClosing = true;
            ++pos;
        }
        if (pos >= src.size())
            return;
        if (src[pos] == L'>') {
            ++pos;
            return;
        }
        size_t start = pos;
        ++pos; // a name may start with '=' or a quote
        while (pos < src.size() && !IsSpace(src[pos]) && src[pos] != L'/' && src[pos] != L'>' && src[pos] != L'=')
            ++pos;
        Attr a;
        for (size_t i = start; i < pos; ++i)
            a.name += LowerAscii(src[i]);
        size_t p = pos;
        while (p < src.size() && IsSpace(src[p]))
            ++p;
        if (p < src.size() && src[p] == L'=') {
            pos = p + 1;
            while (pos < src.size() && IsSpace(src[pos]))
                ++pos;
            std::wstring raw;
            if (pos < src.size() && (src[pos] == L'"' || src[pos] == L'\'')) {
                wchar_t q = src[pos++];
                size_t end = src.find(q, pos);
                if (end == std::wstring::npos)
                    end = src.size();
                raw = src.substr(pos, end - pos);
                pos = end < src.size() ? end + 1 : end;
            } else {
                size_t vs = pos;
                while (pos < src.size() && !IsSpace(src[pos]) && src[pos] != L'>')
                    ++pos;
                raw = src.substr(vs, pos - vs);
            }
            a.value = DecodeCharRefs(raw, true);
        }
        bool seen = false;
        for (const Attr& o : t.attrs)
            seen = seen || o.name == a.name;
        if (!seen && t.attrs.size() < MaxAttributes)
            t.attrs.push_back(std::move(a));
    }
}

Token HtmlTokenizer::ReadMarkupDeclaration()
{
    Token t;
    if (src.compare(pos, 4, L"<!--") == 0) {
        t.type = Token::Comment;
        size_t end = src.find(L"-->", pos + 4);
        if (end == std::wstring::npos) {
            t.text = src.substr(pos + 4);
            pos = src.size();
        } else {
            t.text = src.substr(pos + 4, end - pos - 4);
            pos = end + 3;
        }
        return t;
    }
    size_t end = src.find(L'>', pos);
    if (end == std::wstring::npos)
        end = src.size();
    std::wstring body = src.substr(pos + 2, end - pos - 2);
    pos = end < src.size() ? end + 1 : end;
    std::wstring head;
    for (size_t i = 0; i < body.size() && i < 7; ++i)
        head += LowerAscii(body[i]);
    if (head == L"doctype") {
        t.type = Token::Doctype;
        t.name = body.substr(7);
    } else {
        t.type = Token::Comment;
        t.text = body;
    }
    return t;
}

} // namespace html
