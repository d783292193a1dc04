#include "CSSPopup.h"

void LoadCSSList() {}                                                // the CSS pop-up fills this
short ShowCSSPopup(const std::wstring&, bool) { return 0; }         // the CSS pop-up fills this
std::wstring GetCSSContext(long) { return L""; }                    // the CSS pop-up fills this
std::wstring GetCSSRule(long, long&, long&) { return L""; }         // the CSS pop-up fills this
