#include "Shortcut.h"

#include "Runtime.h"
#include "platform/Text.h"

#include <vector>

namespace forms {

namespace {

struct KeyName {
    const wchar_t* name; // the first name of a key is the one shown
    UINT key;
};

const KeyName kKeyNames[] = {
    {L"Del", VK_DELETE},   {L"Delete", VK_DELETE}, {L"Ins", VK_INSERT},  {L"Insert", VK_INSERT},
    {L"Home", VK_HOME},    {L"End", VK_END},       {L"PgUp", VK_PRIOR},  {L"PgDn", VK_NEXT},
    {L"Left", VK_LEFT},    {L"Right", VK_RIGHT},   {L"Up", VK_UP},       {L"Down", VK_DOWN},
    {L"Enter", VK_RETURN}, {L"Esc", VK_ESCAPE},    {L"Tab", VK_TAB},     {L"Space", VK_SPACE},
    {L"Bksp", VK_BACK},    {L"Backspace", VK_BACK},
};

UINT KeyOfName(const std::wstring& name)
{
    if (name.size() == 1) {
        wchar_t c = platform::Upper(name)[0];
        if ((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9'))
            return c;
        return 0;
    }
    if (name.size() <= 3 && (name[0] == L'f' || name[0] == L'F')) {
        int n = 0;
        for (size_t i = 1; i < name.size(); ++i) {
            if (name[i] < L'0' || name[i] > L'9')
                return 0;
            n = n * 10 + (name[i] - L'0');
        }
        return n >= 1 && n <= 24 ? static_cast<UINT>(VK_F1 + n - 1) : 0;
    }
    for (const KeyName& k : kKeyNames)
        if (platform::SameText(name, k.name))
            return k.key;
    return 0;
}

} // namespace

Shortcut ParseShortcut(const std::wstring& text, bool* ok)
{
    if (ok)
        *ok = true;
    if (text.empty())
        return Shortcut{};
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        // "Ctrl++" is not a key of ours, so every '+' separates.
        size_t plus = text.find(L'+', start);
        parts.push_back(text.substr(start, plus == std::wstring::npos ? plus : plus - start));
        if (plus == std::wstring::npos)
            break;
        start = plus + 1;
    }
    Shortcut s;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::wstring& m = parts[i];
        if (platform::SameText(m, L"Ctrl"))
            s.Shift |= vbCtrlMask;
        else if (platform::SameText(m, L"Shift"))
            s.Shift |= vbShiftMask;
        else if (platform::SameText(m, L"Alt"))
            s.Shift |= vbAltMask;
        else
            parts.back().clear(); // an unknown modifier spoils the whole text
    }
    s.Key = parts.back().empty() ? 0 : KeyOfName(parts.back());
    if (!s.Key) {
        if (ok)
            *ok = false;
        return Shortcut{};
    }
    return s;
}

std::wstring ShortcutText(Shortcut s)
{
    if (!s.Key)
        return L"";
    std::wstring t;
    if (s.Shift & vbCtrlMask)
        t += L"Ctrl+";
    if (s.Shift & vbShiftMask)
        t += L"Shift+";
    if (s.Shift & vbAltMask)
        t += L"Alt+";
    if ((s.Key >= L'A' && s.Key <= L'Z') || (s.Key >= L'0' && s.Key <= L'9'))
        return t + static_cast<wchar_t>(s.Key);
    if (s.Key >= VK_F1 && s.Key <= VK_F24)
        return t + L"F" + std::to_wstring(s.Key - VK_F1 + 1);
    for (const KeyName& k : kKeyNames)
        if (k.key == s.Key)
            return t + k.name;
    return t + L"#" + std::to_wstring(s.Key);
}

} // namespace forms
