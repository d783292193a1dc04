#pragma once
// The pages the preview wrote and has not yet removed (the preview page and
// the copy for an outside browser), listed in a journal file, one full path
// a line. A run that was killed while a page was on show leaves its page
// listed, and the next run removes it; a file the program did not write is
// never removed, whatever its name.
#include <string>
#include <vector>

class PageJournal {
public:
    explicit PageJournal(std::wstring file) : file_(std::move(file)) {}

    // Lists path; called before the page is written.
    void Remember(const std::wstring& path) const;
    // Removes path when it is a listed page still as the program wrote it
    // (hidden), and forgets it; true when the file went.
    bool Remove(const std::wstring& path) const;
    // Removes every listed page in folder ("": in every folder) and forgets
    // them; returns how many files went. A listed file that is no longer
    // hidden was replaced by the user's own and stays.
    int RemoveAll(const std::wstring& folder = L"") const;
    std::vector<std::wstring> Listed() const;

private:
    void Save(const std::vector<std::wstring>& paths) const;

    std::wstring file_;
};

// The program's journal, "tarnelpages.lst" in the Windows Temp folder.
const PageJournal& WrittenPages();
