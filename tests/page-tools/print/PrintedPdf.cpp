#include "PrintedPdf.h"

#include "WindowTest.h"
#include "platform/Files.h"
#include "platform/Text.h"

#include <windows.h>

namespace printed {

namespace {

// The home folder as Wine maps it ("\??\Z:\root" -> "Z:\root").
std::wstring PdfFolder()
{
    wchar_t home[MAX_PATH] = L"";
    GetEnvironmentVariableW(L"WINEHOMEDIR", home, MAX_PATH);
    std::wstring folder = home;
    if (folder.rfind(L"\\??\\", 0) == 0)
        folder = folder.substr(4);
    return folder + L"\\PDF";
}

std::wstring FindPdf(const std::wstring& title)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((PdfFolder() + L"\\" + title + L"*.pdf").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return L"";
    FindClose(find);
    return PdfFolder() + L"\\" + data.cFileName;
}

// pdftotext is a program of the system underneath, which knows the drive
// Z: as its root.
std::wstring UnixPath(const std::wstring& path)
{
    std::wstring unix = path.size() > 2 && (path[0] == L'Z' || path[0] == L'z') && path[1] == L':' ? path.substr(2) : path;
    for (wchar_t& c : unix)
        if (c == L'\\')
            c = L'/';
    return unix;
}

} // namespace

std::wstring UniqueTitle(const std::wstring& stem)
{
    return stem + L"_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(GetTickCount());
}

bool Finished(const std::wstring& title, unsigned timeoutMs)
{
    return wt::WaitFor([&] {
        std::wstring pdf = FindPdf(title);
        std::string bytes;
        return !pdf.empty() && platform::ReadWholeFile(pdf, bytes) &&
               bytes.find("%%EOF", bytes.size() > 64 ? bytes.size() - 64 : 0) != std::string::npos;
    }, timeoutMs);
}

std::vector<std::wstring> Pages(const std::wstring& title, unsigned timeoutMs)
{
    std::vector<std::wstring> pages;
    std::wstring pdf;
    // The file appears before the printer has finished writing it.
    if (!Finished(title, timeoutMs))
        return pages;
    pdf = FindPdf(title);
    std::wstring text = wt::ScratchFolder(L"printed") + L"\\" + title + L".txt";
    std::string bytes;
    // The program runs on its own: its end is seen as its text file, which
    // pdftotext ends with a form feed, filled.
    for (int attempt = 0; attempt < 3 && pages.empty(); ++attempt) {
        Sleep(500);
        DeleteFileW(text.c_str());
        wt::Process tool;
        if (!tool.Start(L"Z:\\usr\\bin\\pdftotext", L"-layout \"" + UnixPath(pdf) + L"\" \"" + UnixPath(text) + L"\""))
            continue;
        if (!wt::WaitFor([&] { return platform::ReadWholeFile(text, bytes) && !bytes.empty() && bytes.back() == '\f'; },
                         20000))
            continue;
        std::wstring all = platform::FromCodePage(bytes, CP_UTF8);
        size_t start = 0;
        for (size_t ff; (ff = all.find(L'\f', start)) != std::wstring::npos; start = ff + 1)
            pages.push_back(all.substr(start, ff - start));
    }
    // Read once: the PDF and its text go, so the queue's folder does not grow.
    if (!pages.empty()) {
        DeleteFileW(pdf.c_str());
        DeleteFileW(text.c_str());
    }
    return pages;
}

std::vector<unsigned> FirstPagePixels(const std::wstring& title, unsigned timeoutMs)
{
    std::vector<unsigned> pixels;
    if (!Finished(title, timeoutMs))
        return pixels;
    const std::wstring pdf = FindPdf(title);
    const std::wstring stem = wt::ScratchFolder(L"printed") + L"\\" + title;
    const std::wstring ppm = stem + L"-1.ppm";
    DeleteFileW(ppm.c_str());
    wt::Process tool;
    if (!tool.Start(L"Z:\\usr\\bin\\pdftoppm",
                    L"-r 150 -f 1 -l 1 \"" + UnixPath(pdf) + L"\" \"" + UnixPath(stem) + L"\""))
        return pixels;
    std::string bytes;
    // A binary PPM: "P6", width, height, 255, then RGB triples.
    size_t at = 0;
    long w = 0, h = 0;
    wt::WaitFor([&] {
        if (!platform::ReadWholeFile(ppm, bytes) || bytes.compare(0, 2, "P6") != 0)
            return false;
        long fields[3] = {};
        at = 2;
        for (long& f : fields) {
            while (at < bytes.size() && isspace(static_cast<unsigned char>(bytes[at])))
                ++at;
            f = std::strtol(bytes.c_str() + at, nullptr, 10);
            while (at < bytes.size() && isdigit(static_cast<unsigned char>(bytes[at])))
                ++at;
        }
        ++at;
        w = fields[0];
        h = fields[1];
        return w > 0 && h > 0 && bytes.size() >= at + size_t(w) * size_t(h) * 3;
    }, 20000);
    if (w <= 0 || h <= 0 || bytes.size() < at + size_t(w) * size_t(h) * 3)
        return pixels;
    for (size_t i = 0; i < size_t(w) * size_t(h); ++i) {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at + 3 * i);
        pixels.push_back((unsigned(p[0]) << 16) | (unsigned(p[1]) << 8) | p[2]);
    }
    DeleteFileW(ppm.c_str());
    return pixels;
}

std::wstring OneBlank(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text)
        if (!(c == L' ' && !out.empty() && out.back() == L' '))
            out += c;
    return out;
}

} // namespace printed
