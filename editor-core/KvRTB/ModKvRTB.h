#pragma once
// Text transfer of the rich-text editor control: the stream callbacks for
// EM_STREAMIN / EM_STREAMOUT, the code page of documents, RTF as bytes and
// word breaks. Needs no window; files are read and written through the
// platform layer (platform/Files.h, platform/Text.h).
//
// Strings exchanged with the control are always real UTF-16; an encoding is
// applied only where files are read and written (platform/TextFile.h). RTF strings go in as 7-bit RTF: characters above 127
// become \uN escapes, so no character is lost to the code page.
#include <windows.h>

#include <string>

namespace ModKvRTB {

// One transfer's bytes; EDITSTREAM.dwCookie points at it. Each transfer has
// its own, so an event raised while the RichEdit streams (EN_CHANGE) may
// start another transfer safely.
struct StreamBuffer {
    std::string bytes;
    size_t readPos = 0;
};

// EDITSTREAM callbacks. The string ones take a StreamBuffer*, the file one a
// file HANDLE, which it writes in the RichEdit's own chunks. They return 0 to
// go on; a failed write returns non-zero, which stops the stream and comes
// back in EDITSTREAM.dwError. (Files are read whole before they are streamed
// in, so that a failed read leaves the editor as it was.)
DWORD CALLBACK StreamInString(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* done);
DWORD CALLBACK StreamOutString(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* done);
DWORD CALLBACK StreamOutFile(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* done);

// The RichEdit cannot keep a NUL: its RTF ends at one, and it reads one back
// as a blank. A file's NUL stands in the editor as U+FFFF, a noncharacter no
// text holds, and turns back into a NUL when the file is written.
constexpr wchar_t kNulStandIn = 0xFFFF;
// A file's text as the editor holds it: NULs as the stand-in, every line
// break one CR. False when the text holds the stand-in itself, which would
// come back as a NUL.
bool ToEditorText(std::wstring& text);
// The editor's text with its stand-ins turned back into NULs.
void NulsFromEditorText(std::wstring& text);

// RTF as the RichEdit reads it: 7-bit, every UTF-16 unit above 127 as "\uN?".
std::string RtfToBytes(const std::wstring& rtf);
// RTF the RichEdit wrote (7-bit; any other byte read in the system code page).
std::wstring RtfFromBytes(const std::string& bytes);

// Word breaks by RichEdit's default rules, for a RichEdit that does not answer
// EM_FINDWORDBREAK itself (Wine's returns 0 for every question). pos is an
// index into text; code is WB_MOVEWORDLEFT, WB_MOVEWORDRIGHT, WB_LEFTBREAK
// or WB_RIGHTBREAK. Blanks and line breaks separate words; a run of letters,
// digits and "_" is a word, and so is a run of other characters.
long FindWordBreak(const std::wstring& text, long pos, int code);

} // namespace ModKvRTB
