#pragma once
// Reads two lists out of a Windows executable (DLL, EXE, OCX): the names of
// the functions it exports and the names of the DLLs it imports from. Lists
// come back as the names in directory order joined by "^"; messages are the
// texts the object browser shows in place of a list. The class keeps no
// state: every call maps and unmaps the file itself.
//
// Every offset, count and string taken from the file is checked against the
// file's size before it is read, so a damaged or crafted file gives a failure
// message and never a read outside the file.
#include <string>

class CPEFormat {
public:
    // True with the export names and "OK". On failure False with one of
    // "Not available. No PE signature in file.", "Error mapping file.",
    // "No export table." or "Error attempting to get export list."; the list
    // is left as it was. A DLL that exports by ordinal only counts as the
    // last of these.
    bool GetPEExports(const std::wstring& path, std::wstring& list, std::wstring& message) const;

    // True with the imported DLL names and "OK.". On failure False with
    // "Not available. No PE signature in file." (list left as it was), or
    // "Error mapping file.", "No DLL dependencies found." or "Error in
    // attempt to find imported DLLs." (list emptied).
    bool GetDepDLLs(const std::wstring& path, std::wstring& list, std::wstring& message) const;

private:
    // The file holds "PE\0\0" at the offset its DOS header names.
    static bool IsPE(const std::wstring& path);
};
