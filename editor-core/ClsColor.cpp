#include "ClsColor.h"

#include "color/ColorCSSText.h"
#include "color/ColorH.h"
#include "color/ColorJSText.h"
#include "color/ColorPHPText.h"
#include "color/ColorVBSText.h"
#include "color/RtfWriter.h"

#include "color/TextScan.h"

#include <cwchar>

namespace {

int ClassOf(const std::wstring& sDex)
{
    if (sDex.empty())
        return 0;
    switch (sDex[0]) {
    case L'K': case L'k': return 1;
    case L'S': case L's': return 2;
    case L'C': case L'c': return 3;
    case L'V': case L'v': return 4;
    case L'A': case L'a': return 5;
    case L'H': case L'h': return 6;
    default: return 0;
    }
}

} // namespace

std::wstring PrepareText(const std::wstring& sText)
{
    const wchar_t* s = sText.data();
    const wchar_t* nul = std::wmemchr(s, 0, sText.size());
    size_t n = nul ? static_cast<size_t>(nul - s) : sText.size();
    std::wstring out;
    out.reserve(n);
    size_t from = 0;
    while (from < n) {
        const wchar_t* lf = std::wmemchr(s + from, 10, n - from);
        size_t stop = lf ? static_cast<size_t>(lf - s) : n;
        out.append(s + from, stop - from);
        from = stop + 1;
    }
    return out;
}

ClsColor::ClsColor() = default;

void ClsColor::SetVKeywords(const std::wstring& sDiv, const std::wstring& sKeywords, long LDimPtK, long LFuncPtK)
{
    vbs_.Set(sDiv, sKeywords);
    DimExt = LDimPtK;
    FuncExt = LFuncPtK;
}

void ClsColor::SetJKeywords(const std::wstring& sDiv, const std::wstring& sKeywords)
{
    js_.Set(sDiv, sKeywords);
}

void ClsColor::SetCSSKeywords(const std::wstring& sDiv, const std::wstring& sKeywords)
{
    css_.Set(sDiv, sKeywords);
}

void ClsColor::SetPHPKeywords(const std::wstring& sDiv, const std::wstring& sKeywords)
{
    php_.Set(sDiv, sKeywords);
}

void ClsColor::FontSize(long LFSz)
{
    fontHalfPoints_ = 2 * LFSz;
}

void ClsColor::FontName(const std::wstring& sFName)
{
    fontName_ = sFName;
}

void ClsColor::Color(const std::wstring& sDex, long LColor)
{
    int cls = ClassOf(sDex);
    if (cls != 0)
        colorValues_[cls] = LColor;
}

long ClsColor::Color(const std::wstring& sDex) const
{
    return colorValues_[ClassOf(sDex)];
}

std::string ClsColor::RtfFrame() const
{
    // A modern, fixed-pitch face: where the named one is missing, the
    // RichEdit still shows code in a fixed-pitch font.
    std::string rtf = "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fmodern\\fprq1 ";
    color::AppendRtfText(rtf, fontName_.data(), fontName_.size());
    rtf += ";}}{\\colortbl\\red0\\green0\\blue0;";
    for (int cls = 1; cls <= 6; ++cls) {
        unsigned long v = static_cast<unsigned long>(colorValues_[cls]);
        rtf += "\\red" + std::to_string(v & 255) + "\\green" + std::to_string((v >> 8) & 255) + "\\blue" +
               std::to_string((v >> 16) & 255) + ";";
    }
    rtf += "}\\pard\\plain\\f0\\fs" + std::to_string(fontHalfPoints_) + " ";
    return rtf;
}

namespace {

// The colourers' input: the text itself, or its prepared copy when it holds
// an LF or a NUL (the editor's text normally has neither).
class Prepared {
public:
    explicit Prepared(const std::wstring& text) : text_(&text)
    {
        if (color::FindEither(text.data(), 0, text.size(), 10, 0) != color::npos) {
            copy_ = PrepareText(text);
            text_ = &copy_;
        }
    }
    const wchar_t* data() const { return text_->data(); }
    size_t size() const { return text_->size(); }

private:
    const std::wstring* text_;
    std::wstring copy_;
};

using Engine = void (*)(ClsColor&, const wchar_t*, size_t, size_t, color::RtfWriter&);

void HtmlEngine(ClsColor& owner, const wchar_t* s, size_t begin, size_t end, color::RtfWriter& out)
{
    color::ColorH(owner, s + begin, end - begin, out);
}

void PlainEngine(ClsColor&, const wchar_t* s, size_t begin, size_t end, color::RtfWriter& out)
{
    out.Text(s + begin, end - begin);
}

Engine EngineFor(EditorType edType)
{
    switch (edType) {
    case EditorType::ASP:
    case EditorType::HTML:
        return HtmlEngine;
    case EditorType::CSS:
        return color::ColorCSSText;
    case EditorType::VBScript:
        return color::ColorVBSText;
    case EditorType::JavaScript:
        return color::ColorJSText;
    default:
        return PlainEngine;
    }
}

// One pass into one buffer.
std::string Body(ClsColor& owner, Engine engine, const std::wstring& text)
{
    Prepared s(text);
    color::RtfWriter out(s.size());
    engine(owner, s.data(), 0, s.size(), out);
    return out.Take();
}

} // namespace

const std::string& ClsColor::RtfFragment(EditorType edType, const std::wstring& text)
{
    Prepared s(text);
    color::RtfWriter out(fragment_, s.size());
    out.Ctl(RtfFrame());
    EngineFor(edType)(*this, s.data(), 0, s.size(), out);
    // The outer group is closed: a RichEdit reports an open group at the end
    // of the stream as a read error, although it keeps the text.
    out.Ctl("}");
    out.Finish();
    return fragment_;
}

std::string ClsColor::RtfBody(EditorType edType, const std::wstring& text)
{
    return Body(*this, EngineFor(edType), text);
}

std::string ClsColor::ColorH(const std::wstring& sText)
{
    return Body(*this, HtmlEngine, sText);
}

std::string ClsColor::ColorVBSText(const std::wstring& sText)
{
    return Body(*this, color::ColorVBSText, sText);
}

std::string ClsColor::ColorJSText(const std::wstring& sText)
{
    return Body(*this, color::ColorJSText, sText);
}

std::string ClsColor::ColorCSSText(const std::wstring& sText)
{
    return Body(*this, color::ColorCSSText, sText);
}

std::string ClsColor::ColorPHPText(const std::wstring& sText)
{
    return Body(*this, color::ColorPHPText, sText);
}

std::string ClsColor::PlainText(const std::wstring& sText)
{
    return Body(*this, PlainEngine, sText);
}

void ClsColor::CheckVarsJS(const std::wstring& sVLine, long iVarPt)
{
    color::CheckVarsJS(*this, sVLine.data(), sVLine.size(), iVarPt);
}
