#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include "ControlsTestUtil.h"
#include "WindowTest.h"
#include "cBrowse/cBrowse.h"

using namespace std::string_literals;

TEST(cBrowseFilters, FilterStringsArePairsEndedByAnExtraNul)
{
    EXPECT_EQ(cBrowse::OpenFilter(L"Web Image Files(*.gif;*.jpg;*.png)", L"*.gif;*.jpg;*.png", false),
              L"Web Image Files(*.gif;*.jpg;*.png)\0*.gif;*.jpg;*.png\0\0"s);
    EXPECT_EQ(cBrowse::OpenFilter(L"Script Files(*.vbs;*.js)", L"*.vbs;*.js", true),
              L"Script Files(*.vbs;*.js)\0*.vbs;*.js\0All Files(*.*)\0*.*\0\0"s);
    EXPECT_EQ(cBrowse::SaveTextFilter(), L"Text files(*.txt)\0*.txt\0\0"s);
    EXPECT_EQ(cBrowse::MultiFilter(),
              L"(*.html;*.htm;*.hta;*.txt;*.vbs;*.js;*.php;*.shtml;*.xhtml;*.asp;*.aspx;*.css;*.wsf;*.wsc)\0"
              L"*.html;*.htm;*.hta;*.txt;*.vbs;*.js;*.php;*.shtml;*.xhtml;*.asp;*.aspx;*.css;*.wsf;*.wsc\0"
              L"All Files(*.*)\0*.*\0\0"s);

    std::wstring save = cBrowse::SaveFilter();
    EXPECT_EQ(save.substr(0, 70), L"HTML files(*.html;*.htm;*.shtml;*.xhtml)\0*.html;*.htm;*.shtml;*.xhtml\0"s);
    EXPECT_EQ(save.substr(save.size() - 20), L"All files(*.*)\0*.*\0\0"s);
    size_t nuls = 0;
    for (wchar_t c : save)
        nuls += c == L'\0';
    EXPECT_EQ(nuls, 25u) << "12 pairs and the end";
    EXPECT_EQ(cBrowse::SavePattern(11), L"*.hta");
    EXPECT_EQ(cBrowse::SavePattern(13), L"");
}

TEST(cBrowseFilters, SaveAddsTheFiltersExtensionOnlyWhenMissing)
{
    EXPECT_EQ(cBrowse::AddSaveExtension(L"C:\\web\\page", 1), L"C:\\web\\page.html");
    EXPECT_EQ(cBrowse::AddSaveExtension(L"C:\\web\\page.HTML", 1), L"C:\\web\\page.HTML");
    // Every type the HTML filter offers is kept as typed.
    EXPECT_EQ(cBrowse::AddSaveExtension(L"C:\\web\\page.htm", 1), L"C:\\web\\page.htm");
    EXPECT_EQ(cBrowse::AddSaveExtension(L"C:\\web\\page.Shtml", 1), L"C:\\web\\page.Shtml");
    EXPECT_EQ(cBrowse::AddSaveExtension(L"C:\\web\\page.xhtml", 1), L"C:\\web\\page.xhtml");
    // A typed extension stays, whatever the filter.
    EXPECT_EQ(cBrowse::AddSaveExtension(L"C:\\web\\page.txt", 1), L"C:\\web\\page.txt");
    EXPECT_EQ(cBrowse::AddSaveExtension(L"C:\\web\\broken.html", 5), L"C:\\web\\broken.html");

    EXPECT_EQ(cBrowse::AddSaveExtension(L"C:\\a.b\\notes", 2), L"C:\\a.b\\notes.txt");
    EXPECT_EQ(cBrowse::AddSaveExtension(L"run.VBS", 3), L"run.VBS");
    EXPECT_EQ(cBrowse::AddSaveExtension(L"run.js", 3), L"run.js");
    EXPECT_EQ(cBrowse::AddSaveExtension(L"app", 5), L"app.asp");
    EXPECT_EQ(cBrowse::AddSaveExtension(L"app.asp", 6), L"app.asp");
    EXPECT_EQ(cBrowse::AddSaveExtension(L"app.hta", 11), L"app.hta");
    EXPECT_EQ(cBrowse::AddSaveExtension(L"any.name", 12), L"any.name") << "all files: as typed";
    EXPECT_EQ(cBrowse::AddSaveExtension(L"plain", 12), L"plain");
}

TEST(cBrowseFilters, DialogResultsAreCutAtTheirEnd)
{
    EXPECT_EQ(cBrowse::SingleResult(L"C:\\x\\a.txt\0\0junk"s), L"C:\\x\\a.txt");
    EXPECT_EQ(cBrowse::MultiResult(L"C:\\x\0a.txt\0b.txt\0c.txt\0\0junk\0"s), L"C:\\x\0a.txt\0b.txt\0c.txt"s);
    EXPECT_EQ(cBrowse::MultiResult(L"C:\\x\\one.htm\0\0"s), L"C:\\x\\one.htm");
    EXPECT_EQ(cBrowse::MultiResult(std::wstring(10, L'\0')), L"");
}

TEST(cBrowseFilters, PrintChoiceTakesOnlyTheFieldsTheDialogSet)
{
    DEVMODEW dm{};
    dm.dmFields = DM_ORIENTATION | DM_PAPERSIZE;
    dm.dmOrientation = DMORIENT_LANDSCAPE;
    dm.dmPaperSize = DMPAPER_A4;
    dm.dmPrintQuality = 600;
    dm.dmCopies = 3;
    PrinterSetup printer;
    printer.PrintQuality = 300;
    cBrowse::ApplyPrintChoice(dm, 1, printer);
    EXPECT_EQ(printer.Orientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(printer.PaperSize, DMPAPER_A4);
    EXPECT_EQ(printer.PrintQuality, 300) << "quality not in dmFields";
    EXPECT_EQ(printer.Copies, 3);

    PrinterSetup other;
    cBrowse::ApplyPrintChoice(dm, 2, other);
    EXPECT_EQ(other.Copies, 0) << "copies taken only when the dialog's own count is 1";

    DEVMODEW target{};
    printer.ApplyTo(target);
    EXPECT_EQ(target.dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(target.dmPrintQuality, 300);
    EXPECT_EQ(target.dmFields & (DM_ORIENTATION | DM_PAPERSIZE | DM_PRINTQUALITY | DM_COPIES),
              static_cast<DWORD>(DM_ORIENTATION | DM_PAPERSIZE | DM_PRINTQUALITY | DM_COPIES));
}

namespace {

// Types a name into a file dialog and presses OK.
void TypeAndAccept(HWND dialog, const std::wstring& name)
{
    HWND edit = GetDlgItem(dialog, edt1);
    if (!edit)
        edit = GetDlgItem(dialog, cmb13);
    SetWindowTextW(edit, name.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

} // namespace

TEST(cBrowseDialogs, CancelledOpenGivesEmptyText)
{
    ctl::HostWindow owner;
    cBrowse browse;
    ctl::DialogWatcher watcher(L"Open test cancel", [](HWND d) { PostMessageW(d, WM_COMMAND, IDCANCEL, 0); });
    std::wstring got = browse.DOpen(owner.hwnd, L"Open test cancel", L"Text(*.txt)", L"*.txt", true,
                                    L"C:\\no\\such\\folder");
    EXPECT_TRUE(watcher.Found());
    EXPECT_EQ(got, L"");
}

TEST(cBrowseDialogs, SaveAsAppendsOnlyMissingExtensionAndReportsTheFilter)
{
    ctl::HostWindow owner;
    cBrowse browse;
    const std::wstring folder = wt::ScratchFolder(L"controls");
    int index = 1;
    {
        ctl::DialogWatcher watcher(L"Save test one", [&](HWND d) { TypeAndAccept(d, folder + L"\\page"); });
        std::wstring got = browse.DSave(owner.hwnd, L"Save test one", L"Untitled", index);
        EXPECT_TRUE(watcher.Found());
        EXPECT_EQ(got, folder + L"\\page.html");
        EXPECT_EQ(index, 1);
    }
    {
        index = 4;
        ctl::DialogWatcher watcher(L"Save test three", [](HWND d) { PostMessageW(d, WM_COMMAND, IDCANCEL, 0); });
        EXPECT_EQ(browse.DSave(owner.hwnd, L"Save test three", L"x", index), L"");
        EXPECT_EQ(index, 4) << "a cancel keeps the index";
    }
}
