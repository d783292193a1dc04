#include "ElementInfo.h"

#include "platform/Text.h"

StyleRuleLists LoadStyleRules(const html::HtmlDocument& doc)
{
    StyleRuleLists lists;
    for (const html::HtmlStyleSheet& sheet : doc.styleSheets()) {
        for (const html::HtmlStyleRule& rule : sheet.rules) {
            if (rule.selectorText.empty())
                continue;
            std::wstring selector = platform::Upper(rule.selectorText);
            if (selector == L"UNKNOWN")
                continue;
            size_t dot = selector.rfind(L'.');
            size_t hash = selector.rfind(L'#');
            if (dot != std::wstring::npos) {
                std::wstring name = selector.substr(dot + 1);
                if (!name.empty()) {
                    lists.classNames.push_back(name);
                    lists.classStyles.push_back(rule.cssText);
                }
            } else if (hash != std::wstring::npos) {
                std::wstring name = selector.substr(hash + 1);
                if (!name.empty()) {
                    lists.idNames.push_back(name);
                    lists.idStyles.push_back(rule.cssText);
                }
            }
        }
    }
    return lists;
}

namespace {

std::wstring JoinedStyles(const std::vector<std::wstring>& names, const std::vector<std::wstring>& styles,
                          const std::wstring& name)
{
    std::wstring joined;
    std::wstring upper = platform::Upper(name);
    for (size_t i = 0; i < names.size(); ++i)
        if (platform::SameText(names[i], upper))
            joined += styles[i];
    return joined;
}

} // namespace

std::wstring ElementInformation(const StyleRuleLists& rules, const html::HtmlElement& element)
{
    const std::wstring crlf = L"\r\n";
    std::wstring tag = element.tagName();
    std::wstring info;
    if (platform::SameText(tag, L"A"))
        info = L"A" + crlf + element.href();
    else if (platform::SameText(tag, L"IMG"))
        info = L"IMG" + crlf + element.src() + crlf + L"W: " + std::to_wstring(element.width()) + L" H: " +
               std::to_wstring(element.height());
    else if (platform::SameText(tag, L"IFRAME"))
        info = L"IFRAME" + crlf + element.src();
    else
        info = tag;
    std::wstring id = element.id();
    if (!id.empty()) {
        info += crlf + L"ID: " + id;
        std::wstring styles = JoinedStyles(rules.idNames, rules.idStyles, id);
        if (!styles.empty())
            info += crlf + crlf + L"ID Style: " + styles;
    }
    std::wstring cls = element.className();
    if (!cls.empty()) {
        info += crlf + L"Class: " + cls;
        std::wstring styles = JoinedStyles(rules.classNames, rules.classStyles, cls);
        if (!styles.empty())
            info += crlf + crlf + L"Class Style: " + styles;
    }
    std::wstring inlineStyle = element.styleCssText();
    if (!inlineStyle.empty())
        info += crlf + crlf + L"Inline Style: " + inlineStyle;
    return info;
}
