#include "Printing.h"

#include "fprint.h"

void ShowPrintWindow(const std::wstring& title) { PrintWindow().ShowPrintPanel(title); }
