#pragma once
// Byte-exact transfers to and from a RichEdit window for the colouring and
// parking code, which must know whether a transfer succeeded (the editor
// control's own stream members report nothing).
#include <windows.h>

#include <string>

namespace RichEditStream {

// EM_STREAMIN of the bytes with the given SF_* format (SFF_SELECTION replaces
// the selection). True when the RichEdit reported no error.
bool StreamIn(HWND richEdit, const std::string& bytes, DWORD format);
// EM_STREAMOUT with the given format into out. True on success.
bool StreamOut(HWND richEdit, DWORD format, std::string& out);

// RTF text as 7-bit bytes: every character above 127 becomes "\uN?", so the
// RichEdit reads the same characters whatever the code page.
std::string RtfToAscii(const std::wstring& rtf);

// The editor text from start to end (-1: the end), paragraph ends as CR.
std::wstring GetRange(HWND richEdit, long start, long end);
// Number of characters (paragraph ends count one).
long TextLength(HWND richEdit);

} // namespace RichEditStream
