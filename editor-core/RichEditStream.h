#pragma once
// Byte-exact transfers to and from a RichEdit window, through ModKvRTB's
// stream callbacks: the editor control's stream members, the colouring and
// the parking code all use them and learn whether a transfer succeeded.
#include <windows.h>

#include <string>

namespace RichEditStream {

// EM_STREAMIN of the bytes with the given SF_* format (SFF_SELECTION replaces
// the selection). True when the RichEdit reported no error.
bool StreamIn(HWND richEdit, const std::string& bytes, DWORD format);
// EM_STREAMOUT with the given format into out. True on success.
bool StreamOut(HWND richEdit, DWORD format, std::string& out);

// The editor text from start to end (-1: the end), paragraph ends as CR.
std::wstring GetRange(HWND richEdit, long start, long end);
// Number of characters (paragraph ends count one).
long TextLength(HWND richEdit);

// The view's place in the text, in the text's own pixels, as EM_SETSCROLLPOS
// takes it. EM_GETSCROLLPOS gives the place of a long text's view (past
// 65,535 pixels) scaled to 16 bits: this measures it from where the first
// character shows instead.
POINT ViewPos(HWND richEdit);
// Puts the view there, unless it is there already (the RichEdit repaints a
// long text on every EM_SETSCROLLPOS).
void SetViewPos(HWND richEdit, POINT pos);

} // namespace RichEditStream
