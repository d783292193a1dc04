#pragma once
// The rules of a print job that need no printer: the header line each page
// carries and when the page loop stops. PrintRTF follows them page by page.
#include <string>

namespace PrintPages {

// The header line: two tabs, the title when titleOption is on, then "  Page "
// and the page number when numberOption is on. Empty when neither is on:
// such pages carry no header at all.
std::wstring HeaderLine(const std::wstring& title, bool titleOption, bool numberOption, long page);

// True when the page just rendered is the last: the control returned the
// first position not yet printed (`returned`) for a page that began at
// `pageStart`, of a text `length` characters long. The job also ends when a
// page does not move on (nothing more fitted, or the printer failed), so it
// can never print the same page again and again; and it runs to the length
// itself, so a final one-character line is printed too.
bool IsLastPage(long returned, long pageStart, long length);

} // namespace PrintPages
