#pragma once
// PrintRTF: prints an editor's rich text on the default printer, page by
// page, with half-inch margins (one inch at the top) and an optional header
// line of title and page number. The rich-text control lays out each page
// itself (EM_FORMATRANGE); no message is shown: with no printer, or one that
// fails, the job simply ends.
#include <string>

#include "cBrowse/cBrowse.h"

class KvRTB;

// The default printer's name; "" when the machine has no printer.
std::wstring DefaultPrinterName();

// Returns the number of pages sent to the printer (0 when there is no
// printer or the job could not start).
int PrintRTF(KvRTB& editor, const std::wstring& title, bool titleOption, bool numberOption,
             const PrinterSetup& setup);
// The same on the named printer ("" or an unknown name: nothing printed).
int PrintRTFOn(const std::wstring& printerName, KvRTB& editor, const std::wstring& title, bool titleOption,
               bool numberOption, const PrinterSetup& setup);
