#include "Printing.h"

void ShowPrintWindow(const std::wstring&) {}   // the print window fills this
