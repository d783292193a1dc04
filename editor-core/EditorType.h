#pragma once
// The kind of document an editor holds, which decides its colourer, menus and
// checks. The settings record and the extension table store the number.
enum class EditorType : short { None = 0, ASP = 1, HTML = 2, CSS = 3, VBScript = 4, JavaScript = 5 };

// The type a stored number stands for; None for any number outside 1..5.
inline EditorType EditorTypeOf(long number)
{
    return number >= 1 && number <= 5 ? static_cast<EditorType>(number) : EditorType::None;
}

// The number the settings record and the extension table store.
inline long EditorTypeNumber(EditorType type) { return static_cast<long>(type); }

// ASP and HTML pages: the HTML colourer, menus and checks.
inline bool IsPageType(EditorType type) { return type == EditorType::ASP || type == EditorType::HTML; }

// CSS, VBScript and JavaScript: the script menus.
inline bool IsScriptType(EditorType type)
{
    return type == EditorType::CSS || type == EditorType::VBScript || type == EditorType::JavaScript;
}
