#pragma once
// ClsColor: the syntax colouring engine. Text goes in, an RTF fragment comes
// out: the header with font and colour tables, the paragraph prefix and a
// body in which every token of interest is wrapped in a colour control word.
// It works on plain strings and needs no window; ClsColorEditor writes its
// fragments over a range of a live editor.
//
// RTF is returned as bytes (std::string). It is always 7-bit: characters
// above 127 are written as "\uN?" escapes, so the RichEdit reads back the
// same characters whether it streams in the system code page or in UTF-8.
#include "EditorType.h"
#include "color/KeywordList.h"

#include <array>
#include <string>

class ClsColor {
public:
    ClsColor();

    // --- configuration (keyword loader and settings bridge) ---------------
    // Each list becomes "," + sKeywords with every sDiv replaced by "," + ",".
    void SetVKeywords(const std::wstring& sDiv, const std::wstring& sKeywords, long LDimPtK, long LFuncPtK);
    void SetJKeywords(const std::wstring& sDiv, const std::wstring& sKeywords);
    void SetCSSKeywords(const std::wstring& sDiv, const std::wstring& sKeywords);
    void SetPHPKeywords(const std::wstring& sDiv, const std::wstring& sKeywords);

    // Editor font size in points; the paragraph prefix gets twice it (half points).
    void FontSize(long LFSz);
    void FontName(const std::wstring& sFName);
    const std::wstring& FontName() const { return fontName_; }

    // Colour of a class by the first letter of its name (case-insensitive):
    // K keyword, S string, C comment, V variable, A attribute value, H tag.
    // Other letters: the write changes nothing, the read gives 0.
    void Color(const std::wstring& sDex, long LColor);
    long Color(const std::wstring& sDex) const;

    // Copied from the settings record's NoPHPColor by the settings bridge:
    // when set, "<?" in a page is an ordinary tag, not a PHP block.
    bool NoPHPColor = false;

    // Declaration thresholds of the VBScript list (character positions in
    // the joined list): keywords before DimExt declare names, and those of
    // them after FuncExt declare procedures, whose parameters are collected.
    long DimExt = 35;
    long FuncExt = 0;

    // The keyword lists (read-only for everyone but the Set*Keywords members).
    const color::KeywordList& VBSKeywords() const { return vbs_; }
    const color::KeywordList& JSKeywords() const { return js_; }
    const color::KeywordList& CSSKeywords() const { return css_; }
    const color::KeywordList& PHPKeywords() const { return php_; }

    // Names the last VBScript or JavaScript run collected; CheckVarsJS adds to them.
    color::KeywordList& KnownNames() { return known_; }

    // --- text to RTF -----------------------------------------------------
    // The RTF frame: header, font table, colour table and paragraph prefix.
    std::string RtfFrame() const;
    // Frame + body + "}" for the text coloured as the editor type asks:
    // ASP and HTML ColorH, CSS, VBScript, JavaScript; any other type plain.
    // This is what ClsColorEditor writes over the selection. The result
    // lives in a buffer of this object that the next RtfFragment call
    // overwrites: the buffer is reused, so colouring a large page does not
    // allocate and touch fresh memory every time. Bind it by const reference
    // to stream it, or copy it to keep it.
    const std::string& RtfFragment(EditorType edType, const std::wstring& text);
    // The body alone (no frame, no closing brace) for the same editor types.
    std::string RtfBody(EditorType edType, const std::wstring& text);
    // Complete bodies (input prepared, output finished) per colourer.
    std::string ColorH(const std::wstring& sText);
    std::string ColorVBSText(const std::wstring& sText);
    std::string ColorJSText(const std::wstring& sText);
    std::string ColorCSSText(const std::wstring& sText);
    std::string ColorPHPText(const std::wstring& sText);
    std::string PlainText(const std::wstring& sText);

    // Adds the names declared in sVLine (text after "var" when iVarPt < 4,
    // else after "function") to the known names.
    void CheckVarsJS(const std::wstring& sVLine, long iVarPt);

private:
    color::KeywordList vbs_{color::Fold::Upper};
    color::KeywordList js_{color::Fold::Lower};
    color::KeywordList css_{color::Fold::Lower};
    color::KeywordList php_{color::Fold::Lower};
    color::KeywordList known_{color::Fold::Upper};

    std::wstring fontName_ = L"Verdana";
    long fontHalfPoints_ = 20;
    // Element 0 (plain text) is black and carries no class.
    std::array<long, 7> colorValues_{};
    std::string fragment_;   // RtfFragment's result, reused from call to call
};

// The prepared form of a colourer's input: LF dropped, cut at the first NUL
// (the editor never holds one; a NUL ends every colourer's scan).
std::wstring PrepareText(const std::wstring& sText);
