#pragma once
// Text transfer of the rich-text editor control: the stream callbacks for
// EM_STREAMIN / EM_STREAMOUT, the code-page conversions for files, and safe
// file reading and writing. Needs no window.
//
// Strings exchanged with the control are always real UTF-16; a code page
// (the system's, or UTF-8 when UTF8Text is on) is applied only where files
// are read and written. RTF strings go in as 7-bit RTF: characters above 127
// become \uN escapes, so no character is lost to the code page.
#include <windows.h>

#include <string>

namespace ModKvRTB {

// Documents are read and written as UTF-8 instead of the system code page.
// The program sets it from the settings record's UTF8Text; it is read at
// every file transfer, so a change applies to the next load or save.
extern bool UTF8Text;

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

// UTF-16 text as the bytes of one code page and back (CP_ACP, CP_UTF8, ...).
std::string ToCodePage(const std::wstring& text, UINT codePage);
std::wstring FromCodePage(const std::string& bytes, UINT codePage);
// The code page of document files now: CP_UTF8 or CP_ACP.
UINT DocumentCodePage();

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

// The path as the W file functions take it at any length: relative paths
// made full, and paths of MAX_PATH or more given the "\\?\" prefix.
std::wstring LongPath(const std::wstring& path);

// Opens an existing file for reading; INVALID_HANDLE_VALUE on failure.
HANDLE OpenForRead(const std::wstring& path);
// The whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::wstring& path, std::string& bytes);

// Writes a file so that a failure leaves the old one whole: the content goes
// to a new file beside the target, which then replaces it (keeping the old
// file's hidden, system and archive attributes). A read-only target is not
// replaced.
class SafeFileWriter {
public:
    explicit SafeFileWriter(const std::wstring& path);
    ~SafeFileWriter();   // discards the new file unless Commit succeeded
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // The new file to write, or INVALID_HANDLE_VALUE when it could not be made.
    HANDLE Handle() const { return file_; }
    bool Write(const void* data, size_t size);
    // Closes the new file and puts it in the target's place.
    bool Commit();

private:
    void Discard();

    std::wstring target_;
    std::wstring temp_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    DWORD oldAttributes_ = INVALID_FILE_ATTRIBUTES;
};

// The whole of bytes written to path through SafeFileWriter.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);

} // namespace ModKvRTB
