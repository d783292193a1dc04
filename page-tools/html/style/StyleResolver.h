#pragma once
// The cascade: the built-in sheet, the attributes browsers map to styles,
// the page's own sheets (<style>, local <link rel=stylesheet>, @import) and
// style attributes, by origin, importance, specificity and order; then
// inheritance, giving every element its ComputedStyle.
#include <functional>
#include <string>
#include <vector>

#include "ComputedStyle.h"
#include "CssParser.h"
#include "CssValues.h"
#include "html/parse/Node.h"

namespace html {

// Reads a local file the page names; false when it cannot be read. The
// engine reads nothing else.
using FileReader = std::function<bool(const std::wstring& path, std::string& bytes)>;
// The x-height of a family's face as a share of its size, for ex lengths.
using XHeightOf = std::function<float(const std::wstring& family, bool bold, bool italic)>;

// The box of an element's ::before or ::after, with the text of its content.
struct GeneratedContent {
    int element = -1;          // node index
    bool after = false;
    std::wstring text;
    ComputedStyle style;
};

struct StyledPage {
    std::vector<StyleSheet> sheets;       // the page's sheets in document order
    std::vector<StyleSheet> importedSheets;            // reached through @import
    std::vector<std::pair<bool, size_t>> cascadeOrder; // (imported?, index), imports before their importer
    MediaEnv media;                       // the view the styles were computed for
    bool dependsOnSize = false;           // a media condition or a viewport unit reads the view's size
    std::vector<GeneratedContent> generated; // in document order of their elements
    std::vector<ComputedStyle> styles;    // one per styled element
    std::vector<int> styleOf;             // node index -> styles index; -1 below display:none
    Color linkColor = Color::Rgb(0, 0, 238);
    XHeightOf xHeight;                    // kept for a restyle

    const ComputedStyle* StyleOf(const Node& n) const
    {
        int i = styleOf[n.index];
        return i < 0 ? nullptr : &styles[i];
    }
};

struct StyleOptions {
    std::wstring pagePath;   // for linked sheets' addresses
    FileReader readFile;     // null: linked sheets are not read
    size_t maxImportDepth = 8;
    MediaEnv media;
    XHeightOf xHeight;       // null: half the size, as in the usual faces
};

StyledPage ResolveStyles(const ParsedPage& page, const StyleOptions& options);
// The cascade again for another view, over the sheets already read.
void Restyle(StyledPage& styled, const ParsedPage& page, const MediaEnv& env);

// One declaration onto a style (parent: the inherited values; quirks: the
// page's mode). Unknown properties and bad values change nothing.
struct ApplyContext {
    const ComputedStyle* parent = nullptr;
    bool quirks = false;
    Color linkColor;
    float rootFontSize = 16;  // the root element's, for rem
    MediaEnv view;            // for the viewport units
    bool* viewUsed = nullptr; // set when a value read the view's size
    float exRatio = 0.5f;     // the x-height of the element's face, for ex

    LengthContext Lengths(float fontSize) const
    {
        return LengthContext{fontSize, quirks, rootFontSize, view.width, view.height, viewUsed, exRatio};
    }
};
void ApplyDeclaration(ComputedStyle& s, const Declaration& d, const ApplyContext& ctx);
// The pixels of a font-size keyword, 1..7 for xx-small..xx-large, in monospace text or other text.
float KeywordFontSize(int keyword, bool monospace);
// A size from a keyword follows the family once it is known: monospace alone is drawn smaller.
void SizeForFamily(ComputedStyle& s);
// The declarations browsers derive from an element's presentational attributes.
std::wstring PresentationalCss(const Node& e, bool quirks);
// The built-in sheet's text.
const std::wstring& DefaultStyleSheet(bool quirks);

} // namespace html
