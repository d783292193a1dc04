// The rule of a text file's encoding and line breaks: files read and written
// back without an edit keep every byte; edits keep the rest of the file's way.
#include <gtest/gtest.h>

#include <string>

#include "platform/TextFile.h"

using namespace platform;

namespace {

// Breaks as an editor holds them: one CR each.
std::wstring EditorForm(const std::wstring& text)
{
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
            ++i;
        out += text[i] == L'\n' ? L'\r' : text[i];
    }
    return out;
}

std::string Written(const std::wstring& editorText, const TextFormat& f, bool utf8Option)
{
    return EncodeText(WithLineBreaks(editorText, f), f.EncodingNow(utf8Option));
}

template <size_t N>
std::string Bytes(const char (&s)[N])
{
    return std::string(s, N - 1);
}

std::string AllHighBytes()
{
    std::string b = "high:\r\n";
    for (int c = 0x80; c <= 0xFF; ++c)
        b += static_cast<char>(c);
    return b + "\r\n";
}

} // namespace

TEST(TextFile, EncodingByMarkThenUtf8ThenTheOptionForAscii)
{
    struct Case {
        const char* what;
        std::string bytes;
        TextEncoding off, on;
    } cases[] = {
        {"ASCII", "<p>plain</p>", TextEncoding::CodePage, TextEncoding::Utf8},
        {"empty", "", TextEncoding::CodePage, TextEncoding::Utf8},
        {"valid UTF-8", "caf\xC3\xA9", TextEncoding::Utf8, TextEncoding::Utf8},
        {"code page", "caf\xE9", TextEncoding::CodePage, TextEncoding::CodePage},
        {"UTF-8 and a stray byte", "caf\xC3\xA9 \xE9", TextEncoding::CodePage, TextEncoding::CodePage},
        {"UTF-8 mark", "\xEF\xBB\xBFx", TextEncoding::Utf8Bom, TextEncoding::Utf8Bom},
        {"UTF-8 mark, not UTF-8", "\xEF\xBB\xBFx\xE9", TextEncoding::CodePage, TextEncoding::CodePage},
        {"UTF-16 LE", Bytes("\xFF\xFEx\0"), TextEncoding::Utf16LE, TextEncoding::Utf16LE},
        {"UTF-16 BE", Bytes("\xFE\xFF\0x"), TextEncoding::Utf16BE, TextEncoding::Utf16BE},
        {"UTF-16 mark, odd length", Bytes("\xFF\xFEx"), TextEncoding::CodePage, TextEncoding::CodePage},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DetectEncoding(c.bytes, false), c.off) << c.what;
        EXPECT_EQ(DetectEncoding(c.bytes, true), c.on) << c.what;
    }
}

TEST(TextFile, EveryFileComesBackByteForByteUnderBothOptions)
{
    const std::string files[] = {
        "a {\n  color: red;\n}\n",                              // LF
        "var a;\rvar b;\r",                                      // CR
        "<p>1</p>\r\n<p>2</p>\n<p>3</p>\r<p>4</p>\n\n",          // mixed
        "x = 1\r\ny = 2\r\n",                                    // CR LF
        Bytes("<p>before</p>\0<p>after</p>\r\nsecond\r\n"),   // NUL
        "\xEF\xBB\xBF<p>caf\xC3\xA9</p>\r\n",                    // UTF-8 with its mark
        "<p>caf\xC3\xA9 \xE2\x82\xAC</p>\n",                     // UTF-8
        Bytes("\xFF\xFE<\0p\0>\0\xE9\0\r\0\n\0"),      // UTF-16
        AllHighBytes(),                                          // the code page, undefined bytes too
        "no break at the end",
        "",
    };
    for (bool utf8 : {false, true}) {
        for (const std::string& bytes : files) {
            std::wstring text;
            TextFormat f;
            ASSERT_TRUE(ReadText(bytes, utf8, text, f)) << bytes;
            EXPECT_EQ(Written(EditorForm(text), f, utf8), bytes) << "option " << utf8 << ": " << bytes;
        }
    }
}

TEST(TextFile, EditsKeepTheFilesBreaksAndTypedLinesTakeItsOwn)
{
    std::wstring text;
    TextFormat lf;
    ASSERT_TRUE(ReadText("a\nb\n", false, text, lf));
    EXPECT_EQ(Written(L"a\rnew\rb\r", lf, false), "a\nnew\nb\n");

    // Mixed: the lines around an edit keep their own; new lines take CR LF.
    TextFormat mixed;
    ASSERT_TRUE(ReadText("a\nb\r\nc\rd", false, text, mixed));
    EXPECT_EQ(Written(L"a\rB\rX\rc\rd", mixed, false), "a\nB\r\nX\r\nc\rd");
    EXPECT_EQ(Written(L"a\rb\rc\rd!", mixed, false), "a\nb\r\nc\rd!");
    EXPECT_EQ(Written(L"", mixed, false), "");

    // A new document: CR LF, and the option at the time of the write.
    const TextFormat fresh = NewTextFormat(false);
    EXPECT_EQ(Written(L"caf\u00e9\r", fresh, false), "caf\xE9\r\n");
    EXPECT_EQ(Written(L"caf\u00e9\r", fresh, true), "caf\xC3\xA9\r\n");

    // A UTF-8 file stays UTF-8 with the option off; a code-page file stays
    // in the code page with it on.
    TextFormat utf8, ansi;
    ASSERT_TRUE(ReadText("caf\xC3\xA9", false, text, utf8));
    EXPECT_EQ(Written(L"caf\u00e9 \u00e9", utf8, false), "caf\xC3\xA9 \xC3\xA9");
    ASSERT_TRUE(ReadText("caf\xE9", true, text, ansi));
    EXPECT_EQ(Written(L"caf\u00e9 \u00e9", ansi, true), "caf\xE9 \xE9");
    EXPECT_FALSE(FitsEncoding(L"\u4e2d", ansi.EncodingNow(true)));
    EXPECT_TRUE(FitsEncoding(L"\u4e2d", utf8.EncodingNow(false)));

    // Once written with more than ASCII, a file keeps its encoding.
    TextFormat ascii;
    ASSERT_TRUE(ReadText("plain", false, text, ascii));
    NoteFileText(L"caf\u00e9", ascii);
    EXPECT_EQ(ascii.EncodingNow(true), TextEncoding::CodePage);
}

TEST(TextFile, OffsetsMapEveryUnitToItsBytes)
{
    std::wstring text;
    std::vector<size_t> at;
    ASSERT_TRUE(DecodeText("a\xC3\xA9\xF0\x9F\x98\x80z", TextEncoding::Utf8, text, &at));
    EXPECT_EQ(at, (std::vector<size_t>{0, 1, 3, 3, 7, 8}));
    ASSERT_TRUE(DecodeText(Bytes("\xFF\xFEx\0y\0"), TextEncoding::Utf16LE, text, &at));
    EXPECT_EQ(at, (std::vector<size_t>{2, 4, 6}));
}
