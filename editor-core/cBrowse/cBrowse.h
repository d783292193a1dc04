#pragma once
// cBrowse: the common Open, Save As and Print Setup dialogs, modal to the
// owner window passed in. Each returns the chosen path, or "" when the user
// cancels. It keeps no state; one instance serves the whole program.
#include <windows.h>

#include <string>

// The printer choices the Print Setup dialog hands to printing. 0 in a field
// means the printer's own default.
struct PrinterSetup {
    short Orientation = 0;
    short PaperSize = 0;
    short PrintQuality = 0;
    short Copies = 0;

    // Puts the fields that are set into a device mode (and its dmFields).
    void ApplyTo(DEVMODEW& dm) const;
};

class cBrowse {
public:
    // Open one file. The filter is description/pattern, plus "All Files(*.*)"
    // when bAddAll; sFolPath is the start folder when it exists.
    std::wstring DOpen(HWND hForm, const std::wstring& BoxTitle, const std::wstring& description,
                       const std::wstring& pattern, bool bAddAll, const std::wstring& sFolPath = L"") const;
    // Open several files: one full path, or the folder, NUL, and the names
    // separated by NUL.
    std::wstring DOpenMulti(HWND hForm, const std::wstring& BoxTitle, const std::wstring& sFolPath = L"") const;
    // Save as a text file (".txt" added by the dialog).
    std::wstring DSaveText(HWND hForm, const std::wstring& BoxTitle) const;
    // Save As with the document filters; iIndex (1-based) picks the starting
    // filter and receives the one the user ended with. The filter's extension
    // is added unless the name already has one of that filter's extensions.
    std::wstring DSave(HWND hForm, const std::wstring& BoxTitle, const std::wstring& sDefName, int& iIndex) const;
    // Print Setup; on OK the chosen orientation, quality, paper and copies go
    // into printer and the result is true.
    bool DPrint(HWND owner, PrinterSetup& printer) const;

    // Filter strings: description NUL pattern NUL ... NUL.
    static std::wstring OpenFilter(const std::wstring& description, const std::wstring& pattern, bool addAll);
    static std::wstring MultiFilter();
    static std::wstring SaveTextFilter();
    static std::wstring SaveFilter();
    // The Save As filter's pattern for a 1-based index ("" out of range).
    static std::wstring SavePattern(int index);
    // Adds the first extension of Save As filter index to a path whose file
    // name has none; a typed extension is kept, whatever the filter.
    static std::wstring AddSaveExtension(const std::wstring& path, int index);
    // The dialog's result buffer: a single path ends at the first NUL; a
    // multi-selection ends before the first double NUL.
    static std::wstring SingleResult(const std::wstring& buffer);
    static std::wstring MultiResult(const std::wstring& buffer);
    // Copies into printer what the dialog's device mode sets.
    static void ApplyPrintChoice(const DEVMODEW& chosen, WORD dialogCopies, PrinterSetup& printer);
};
