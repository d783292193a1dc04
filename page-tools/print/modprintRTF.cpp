#include "modprintRTF.h"

#include "KvRTB/KvRTB.h"
#include "PrintLooks.h"
#include "PrintPages.h"
#include "RichEditStream.h"
#include "TextPages.h"
#include "platform/Handles.h"

#include <windows.h>
#include <richedit.h>
#include <winspool.h>

#include <memory>
#include <vector>

std::wstring DefaultPrinterName()
{
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0)
        return L"";
    std::wstring name(size, L'\0');
    if (!GetDefaultPrinterW(&name[0], &size))
        return L"";
    name.resize(size ? size - 1 : 0);
    return name;
}

namespace {

// A device context of the printer with the set-up's choices; null when
// there is no such printer.
HDC OpenPrinterDC(std::wstring name, const PrinterSetup& setup)
{
    if (name.empty())
        return nullptr;
    HANDLE printer = nullptr;
    std::vector<BYTE> mode;
    if (OpenPrinterW(&name[0], &printer, nullptr)) {
        LONG bytes = DocumentPropertiesW(nullptr, printer, &name[0], nullptr, nullptr, 0);
        if (bytes > 0) {
            mode.resize(bytes);
            auto* dm = reinterpret_cast<DEVMODEW*>(mode.data());
            if (DocumentPropertiesW(nullptr, printer, &name[0], dm, nullptr, DM_OUT_BUFFER) == IDOK) {
                setup.ApplyTo(*dm);
                DocumentPropertiesW(nullptr, printer, &name[0], dm, dm, DM_IN_BUFFER | DM_OUT_BUFFER);
            } else {
                mode.clear();
            }
        }
        ClosePrinter(printer);
    }
    return CreateDCW(L"WINSPOOL", name.c_str(), nullptr,
                     mode.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(mode.data()));
}

// The page geometry in twips of the printer, from the top left corner of
// its printable area.
struct PageGeometry {
    RECT text;
    RECT page;
};

PageGeometry Geometry(HDC printer)
{
    const int dpiX = GetDeviceCaps(printer, LOGPIXELSX), dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    auto twipsX = [dpiX](int px) { return MulDiv(px, 1440, dpiX); };
    auto twipsY = [dpiY](int px) { return MulDiv(px, 1440, dpiY); };
    const int offX = twipsX(GetDeviceCaps(printer, PHYSICALOFFSETX));
    const int offY = twipsY(GetDeviceCaps(printer, PHYSICALOFFSETY));
    const int paperW = twipsX(GetDeviceCaps(printer, PHYSICALWIDTH));
    const int paperH = twipsY(GetDeviceCaps(printer, PHYSICALHEIGHT));
    PageGeometry g;
    g.text = RECT{720 - offX, 1440 - offY, (paperW - 720) - offX, (paperH - 720) - offY};
    g.page = RECT{0, 0, twipsX(GetDeviceCaps(printer, HORZRES)), twipsY(GetDeviceCaps(printer, VERTRES))};
    return g;
}

// The header in the editor's font on the fifth text line of the printable
// area, its two tabs as two print zones of fourteen characters.
void PrintHeader(HDC printer, const std::wstring& line, const std::wstring& fontName, int fontSize)
{
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(fontSize > 0 ? fontSize : 10, GetDeviceCaps(printer, LOGPIXELSY), 72);
    lstrcpynW(lf.lfFaceName, fontName.c_str(), LF_FACESIZE);
    platform::GdiObject font(CreateFontIndirectW(&lf));
    HGDIOBJ old = SelectObject(printer, font.Get());
    TEXTMETRICW tm{};
    GetTextMetricsW(printer, &tm);
    INT zone = 14 * tm.tmAveCharWidth;
    SetBkMode(printer, TRANSPARENT);
    TabbedTextOutW(printer, 0, 4 * (tm.tmHeight + tm.tmExternalLeading), line.c_str(), static_cast<int>(line.size()),
                   1, &zone, 0);
    SelectObject(printer, old);
}

// The looks of the editor's characters as its rich text holds them; empty
// when they cannot be read or do not match the text.
std::vector<PrintLook> EditorLooks(HWND rtb, const std::wstring& plain)
{
    std::string rtf;
    std::wstring text;
    std::vector<PrintLook> looks;
    if (!RichEditStream::StreamOut(rtb, SF_RTF, rtf) || !ReadPrintLooks(rtf, text, looks))
        return {};
    // The RTF ends with a paragraph mark the control does not count.
    if (text.size() == plain.size() + 1 && text.back() == L'\r') {
        text.pop_back();
        looks.pop_back();
    }
    return text == plain ? looks : std::vector<PrintLook>();
}

// The text with paragraph ends as CR alone, as the control counts positions.
std::wstring PlainText(KvRTB& editor, long length)
{
    std::wstring text = editor.GetTextRange(0, length);
    std::wstring plain;
    plain.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == L'\n' && i > 0 && text[i - 1] == L'\r'))
            plain += text[i] == L'\n' ? L'\r' : text[i];
    return plain;
}

} // namespace

int PrintRTF(KvRTB& editor, const std::wstring& title, bool titleOption, bool numberOption,
             const PrinterSetup& setup)
{
    return PrintRTFOn(DefaultPrinterName(), editor, title, titleOption, numberOption, setup);
}

int PrintRTFOn(const std::wstring& printerName, KvRTB& editor, const std::wstring& title, bool titleOption,
               bool numberOption, const PrinterSetup& setup)
{
    HWND rtb = editor.RTBhWnd();
    HDC printer = OpenPrinterDC(printerName, setup);
    if (!printer || !rtb) {
        if (printer)
            DeleteDC(printer);
        return 0;
    }
    DOCINFOW doc{};
    doc.cbSize = sizeof(doc);
    doc.lpszDocName = title.empty() ? L"Untitled" : title.c_str();
    if (StartDocW(printer, &doc) <= 0) {
        DeleteDC(printer);
        return 0;
    }
    const PageGeometry geometry = Geometry(printer);
    FORMATRANGE request{};
    request.hdc = request.hdcTarget = printer;
    request.rc = geometry.text;
    request.rcPage = geometry.page;
    request.chrg.cpMin = 0;
    request.chrg.cpMax = -1;
    SendMessageW(rtb, EM_FORMATRANGE, 0, 0);
    const long length = editor.LenText();
    const std::wstring fontName = editor.FontName();
    const int fontSize = editor.FontSize();
    int pages = 0;
    std::unique_ptr<TextPages> ownLayout;
    for (long page = 1;; ++page) {
        StartPage(printer);
        ++pages;
        const long pageStart = request.chrg.cpMin;
        long returned = ownLayout ? ownLayout->RenderPage(pageStart, request.rc)
                                  : static_cast<long>(SendMessageW(rtb, EM_FORMATRANGE, 1,
                                                                   reinterpret_cast<LPARAM>(&request)));
        // A control that answers a first page of text with nothing cannot lay
        // out pages for a printer: the text is laid out here instead.
        if (!ownLayout && page == 1 && returned == 0 && length > 0) {
            std::wstring plain = PlainText(editor, length);
            std::vector<PrintLook> looks = EditorLooks(rtb, plain);
            ownLayout = std::make_unique<TextPages>(printer, std::move(plain), fontName, fontSize, std::move(looks));
            returned = ownLayout->RenderPage(pageStart, request.rc);
        }
        std::wstring header = PrintPages::HeaderLine(title, titleOption, numberOption, page);
        if (!header.empty())
            PrintHeader(printer, header, fontName, fontSize);
        EndPage(printer);
        if (PrintPages::IsLastPage(returned, pageStart, length))
            break;
        request.chrg.cpMin = returned;
    }
    EndDoc(printer);
    SendMessageW(rtb, EM_FORMATRANGE, 0, 0);
    DeleteDC(printer);
    return pages;
}
