#pragma once
// How a text file's bytes stand for its text, so that a file read and written
// back without an edit keeps every byte: the one rule for the editor's open
// and save and for the replacement in files on disk.
//
// The encoding of a file:
// - a UTF-8 or UTF-16 byte-order mark: that encoding, mark kept;
// - valid UTF-8 holding at least one multi-byte sequence: UTF-8;
// - any other byte above 127: the system code page;
// - only ASCII (or nothing): as the UTF-8 option says, which also decides
//   for a new document.
// A file whose bytes would not come back the same from its encoding (a mark
// followed by bytes that are not of it) is read in the system code page.
//
// Line breaks: a file keeps the breaks it had. Lines typed into it take its
// one kind of break (CR LF, LF or CR); a file with more than one kind, or
// with none, and a new document, take CR LF.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace platform {

enum class TextEncoding { CodePage, Utf8, Utf8Bom, Utf16LE, Utf16BE };
enum class LineBreak { CrLf, Lf, Cr };

// The encoding of the bytes by the rule above.
TextEncoding DetectEncoding(const std::string& bytes, bool utf8Option);
// The encoding of a document that has no file yet.
inline TextEncoding NewTextEncoding(bool utf8Option)
{
    return utf8Option ? TextEncoding::Utf8 : TextEncoding::CodePage;
}

// The text of bytes in the encoding, without its byte-order mark. offsets,
// when given, receive for each UTF-16 unit the offset of its first byte, and
// then the end. False when the bytes do not decode exactly (an odd UTF-16
// length, bytes that are not UTF-8, or a multi-byte code page that would
// not give the same bytes back).
bool DecodeText(const std::string& bytes, TextEncoding encoding, std::wstring& text,
                std::vector<size_t>* offsets = nullptr);
// The bytes of the text in the encoding; with withMark, a marked encoding
// starts with its byte-order mark.
std::string EncodeText(const std::wstring& text, TextEncoding encoding, bool withMark = true);
// True when every character of the text has its own bytes in the encoding.
bool FitsEncoding(const std::wstring& text, TextEncoding encoding);

// How a document was read, kept to write it back the same way.
struct TextFormat {
    TextEncoding encoding = TextEncoding::CodePage;
    // Only ASCII so far (or new): the UTF-8 option decides at each write.
    bool followsOption = true;
    LineBreak typedBreak = LineBreak::CrLf;   // the break of lines it did not have
    // The text as read, breaks as they were, when they were of more than one
    // kind: the stretches still the same keep their own breaks.
    std::shared_ptr<const std::wstring> mixedOriginal;

    TextEncoding EncodingNow(bool utf8Option) const
    {
        return followsOption ? NewTextEncoding(utf8Option) : encoding;
    }
};

// The bytes decoded by the rule, with their format. False when they cannot
// be read exactly (see DecodeText).
bool ReadText(const std::string& bytes, bool utf8Option, std::wstring& text, TextFormat& format);
// The format of a new document.
TextFormat NewTextFormat(bool utf8Option);
// Notes text, breaks as they are, as what the file now holds in the
// format's encoding: its breaks, and whether it is only ASCII.
void NoteFileText(const std::wstring& text, TextFormat& format);

// text, whose breaks are CR alone (an editor's paragraphs), with the breaks
// of the format: where text and the mixed original are the same from the
// start or from the end, the original's breaks; elsewhere the typed break.
std::wstring WithLineBreaks(const std::wstring& text, const TextFormat& format);

} // namespace platform
