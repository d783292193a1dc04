#pragma once
// The PDF printer's output read back: each job on the PDF print queue
// becomes a PDF file in the user's home folder (~/PDF, named after the job),
// which the system's pdftotext turns into text, one form feed per page.
#include <string>
#include <vector>

namespace printed {

// A job title no earlier run has used, so its PDF is told from others.
std::wstring UniqueTitle(const std::wstring& stem);
// The pages of the job's PDF as pdftotext -layout reads them; empty when no
// PDF appeared within timeoutMs.
std::vector<std::wstring> Pages(const std::wstring& title, unsigned timeoutMs = 60000);
// True when a finished PDF for the title (one that ends with its end mark)
// appeared within timeoutMs.
bool Finished(const std::wstring& title, unsigned timeoutMs);

// The first page of the job's PDF as pixels (0x00RRGGBB, rows top down) at
// a low resolution; empty when it could not be rendered. The PDF stays.
std::vector<unsigned> FirstPagePixels(const std::wstring& title, unsigned timeoutMs = 60000);

// The text with each run of blanks made one: the PDF's text gives the
// blanks between words by their distance, one or more.
std::wstring OneBlank(const std::wstring& text);

} // namespace printed
