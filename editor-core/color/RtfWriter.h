#pragma once
// The output buffer of one colouring run. Control words go in as they are;
// document text goes through Text(), which escapes it on the way in, so the
// document's own backslashes and braces can never be read as RTF.
// The result is 7-bit: characters above 127 are written "\uN?" and read back
// the same by the RichEdit whatever code page the stream is read with.
#include <cstring>
#include <string>

namespace color {

// Escapes text for RTF: "\" -> "\\", "{" -> "\{", "}" -> "\}", TAB -> "\tab ",
// CR -> CR LF "\par ", LF dropped, other control characters and characters
// above 126 -> "\uN?".
void AppendRtfText(std::string& out, const wchar_t* text, size_t len);

// True for the characters that go into RTF as they are.
inline bool PlainRtfChar(wchar_t c)
{
    return c >= 32 && c < 127 && c != L'\\' && c != L'{' && c != L'}';
}

class RtfWriter {
public:
    // Writes into a buffer of its own.
    explicit RtfWriter(size_t expectedInput = 0);
    // Writes into target from its start, reusing its memory: a buffer kept
    // from call to call is not allocated and touched afresh for every page.
    RtfWriter(std::string& target, size_t expectedInput);
    RtfWriter(const RtfWriter&) = delete;
    RtfWriter& operator=(const RtfWriter&) = delete;

    void Ctl(const char* controlWords, size_t len)
    {
        std::memcpy(Room(len), controlWords, len);
        cur_ += len;
    }
    void Ctl(const char* controlWords) { Ctl(controlWords, std::strlen(controlWords)); }
    void Ctl(const std::string& controlWords) { Ctl(controlWords.data(), controlWords.size()); }
    // Most pieces are short words of plain characters: they are copied here,
    // and only the rest go the long way.
    void Text(const wchar_t* text, size_t len)
    {
        if (len <= kShortText && static_cast<size_t>(lim_ - cur_) >= kShortText) {
            char* d = cur_;
            size_t i = 0;
            for (; i < len && PlainRtfChar(text[i]); ++i)
                d[i] = static_cast<char>(text[i]);
            if (i == len) {
                cur_ = d + len;
                return;
            }
        }
        LongText(text, len);
    }
    void Text(const std::wstring& text) { Text(text.data(), text.size()); }
    // Text in the colour that colourControl selects, then plain (\cf0) again.
    // The control word is a literal, so its length is known when compiling.
    template <size_t N>
    void Coloured(const char (&colourControl)[N], const wchar_t* text, size_t len)
    {
        Ctl(colourControl, N - 1);
        Text(text, len);
        Ctl("\\cf0 ", 5);
    }
    template <size_t N>
    void Coloured(const char (&colourControl)[N], const std::wstring& text)
    {
        Coloured(colourControl, text.data(), text.size());
    }
    void Char(wchar_t c)
    {
        if (PlainRtfChar(c) && cur_ != lim_)
            *cur_++ = static_cast<char>(c);
        else
            Text(&c, 1);
    }

    // Cuts the buffer to what was written; the target then holds the RTF.
    void Finish();
    // The RTF written so far (Finish included); the writer is empty afterwards.
    std::string Take();

private:
    static constexpr size_t kShortText = 32;

    // Where the next `need` bytes go; the buffer grows geometrically.
    char* Room(size_t need)
    {
        if (static_cast<size_t>(lim_ - cur_) < need)
            Grow(need);
        return cur_;
    }
    void Grow(size_t need);
    void LongText(const wchar_t* text, size_t len);

    std::string own_;
    std::string& buf_;
    // The written bytes are [base_, cur_) of buf_, whose size ends at lim_.
    // Pointers rather than an index, so a write through them does not make
    // the compiler read the string's fields again.
    char* base_ = nullptr;
    char* cur_ = nullptr;
    char* lim_ = nullptr;
};

} // namespace color
