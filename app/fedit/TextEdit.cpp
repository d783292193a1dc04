#include "TextEdit.h"

std::wstring TextEdit::Apply(const std::wstring& text) const
{
    if (!changed)
        return text;
    return text.substr(0, static_cast<size_t>(start)) + with + text.substr(static_cast<size_t>(end));
}

TextEdit TextEdit::Between(const std::wstring& oldText, const std::wstring& newText)
{
    TextEdit e;
    size_t shortest = oldText.size() < newText.size() ? oldText.size() : newText.size();
    size_t prefix = 0;
    while (prefix < shortest && oldText[prefix] == newText[prefix])
        ++prefix;
    if (prefix == oldText.size() && prefix == newText.size())
        return e;
    size_t suffix = 0;
    while (suffix < shortest - prefix && oldText[oldText.size() - 1 - suffix] == newText[newText.size() - 1 - suffix])
        ++suffix;
    e.changed = true;
    e.start = static_cast<long>(prefix);
    e.end = static_cast<long>(oldText.size() - suffix);
    e.with = newText.substr(prefix, newText.size() - suffix - prefix);
    return e;
}
