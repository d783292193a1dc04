#include "fbrowser.h"

#include "BrowserMenuIds.h"
#include "ClipboardSnapshot.h"
#include "EditorState.h"
#include "ClsFile.h"
#include "GetRegString.h"
#include "KvRTB/KvRTB.h"
#include "MainHost.h"
#include "ModFileOps.h"
#include "Preview.h"
#include "PageJournal.h"
#include "PreviewFiles.h"
#include "SettingsRecord.h"
#include "ToolButtons.h"
#include "cBrowse/cBrowse.h"
#include "forms/BusyScope.h"
#include "print/modprintRTF.h"
#include "forms/Runtime.h"
#include "platform/Paths.h"
#include "platform/Messages.h"
#include "platform/Module.h"
#include "platform/Text.h"

#include <winspool.h>

using namespace BrowserMenu;

namespace {

const int kStripHeight = 420;      // FrButs
const int kStripWidth = 5160;
const int kPageId = 101;

const wchar_t* const kWidths[] = {L"- cell -", L"128", L"176", L"240", L"320", L"- PC -",
                                  L"640",      L"730", L"800", L"954", L"1152", L"1260"};
const wchar_t* const kHeights[] = {L"- cell -", L"160", L"220", L"320", L"480", L"- PC -",
                                   L"440",      L"490", L"570", L"728", L"864", L"1080"};

struct OutsideBrowser {
    const wchar_t* program;
    const wchar_t* caption;
};
const OutsideBrowser kOutsideBrowsers[] = {{L"Firefox.exe", L"Firefox"}, {L"Opera.exe", L"Opera"},
                                           {L"Chrome.exe", L"Chrome"}};

bool Numeric(const std::wstring& text, int& value)
{
    if (text.empty() || text.size() > 5)
        return false;
    for (wchar_t c : text)
        if (c < L'0' || c > L'9')
            return false;
    value = std::stoi(text);
    return value <= 32767;
}

// Untitled, or no longer on the disk: the document has no file to save to.
bool HasFile(const std::wstring& path) { return path != L"Untitled" && platform::FileExists(path); }

} // namespace

fbrowser::fbrowser()
{
    SetCaption(L"TARNEL Browser");
    forms::FontSpec font;
    font.Name = L"Arial";
    font.Size = 8;
    SetFont(font);
    SetClientSize(11400, 8200);

    FrBig.Place(*this, 0, 7000, 11400, 1200);
    FrBig.SetBorderStyle(forms::Border::None);
    turl.Place(FrBig, 160, 120, 5800, 285);
    turl.SetText(L"Mouse over HTML elements shows info. Ctl + C to copy info.");
    turl.SetLocked(true);
    FrButs.Place(FrBig, 6240, 120, kStripWidth, kStripHeight);
    FrButs.SetBorderStyle(forms::Border::None);
    BoxW.Style = 2;
    BoxH.Style = 2;
    BoxW.Place(FrButs, 0, 60, 1000, 300);
    BoxH.Place(FrButs, 1060, 60, 1000, 300);
    for (int i = 0; i < 12; ++i) {
        BoxW.AddItem(kWidths[i]);
        BoxH.AddItem(kHeights[i]);
    }
    PlaceToolButton(bResize(0), FrButs, 2160, 60, 900, 300, L"Size");
    bResize(0).SetToolTipText(L"Display page in size shown.");
    PlaceToolButton(bResize(1), FrButs, 3120, 60, 900, 300, L"Normal");
    bResize(1).SetToolTipText(L"Return page view to normal size.");
    btext.Place(FrButs, 4140, 30, 960, 360);
    btext.SetToolTipText(L"Return to editor window.");

    BuildMenus();

    BoxW.Click = [this] { BoxW_Click(); };
    bResize.Click = [this](int Index) { bResize_Click(Index); };
    btext.Click = [this] { btext_Click(); };
    btext.MouseDown = [this](int, int, int, int) {
        btext.SetAppearance(1);
        btext.SetBorderStyle(forms::Border::FixedSingle);
    };
    btext.MouseUp = [this](int, int, int, int) {
        btext.SetAppearance(0);
        btext.SetBorderStyle(forms::Border::None);
    };
}

fbrowser::~fbrowser() { Teardown(); }

void fbrowser::BuildMenus()
{
    struct Row {
        forms::MenuItem& parent;
        forms::MenuItem& item;
        const wchar_t* caption;
        unsigned id;
    };
    const Row rows[] = {
        {Menus, mfile, L"&File", IDM_mfile},
        {mfile, mbSave, L"&Save", IDM_mbSave},
        {mfile, mbsaveas, L"Save&As", IDM_mbsaveas},
        {mfile, mexit, L"&Exit", IDM_mexit},
        {Menus, mview, L"&View", IDM_mview},
        {mview, mtextview, L"View &Text", IDM_mtextview},
        {mview, mline1, L"-", IDM_mline1},
        {mview, m15, L"1&5\" View - 800x600", IDM_m15},
        {mview, m17, L"1&7\" View - 1024x768", IDM_m17},
        {mview, mreset, L"&Reset Window", IDM_mreset},
        {mview, mline2, L"-", IDM_mline2},
        {mview, mOther, L"View &Other Webpage", IDM_mOther},
        {mview, mOpenWith, L"&Open With...", IDM_mOpenWith},
    };
    for (const Row& r : rows) {
        r.parent.Add(r.item, r.caption);
        r.item.SetCommandId(r.id);
    }
    for (int i = 0; i < 4; ++i) {
        mOpenWith.Add(mOtherB(i), L"-");
        mOtherB(i).SetCommandId(IDM_mOtherB_0 + i);
        mOtherB(i).SetVisible(i == 0);
    }
    const Row tail[] = {
        {mview, mrefresh, L"&Refresh", IDM_mrefresh},
        {mview, mprint, L"&Print Webpage", IDM_mprint},
        {Menus, mhelp, L"&Help", IDM_mhelp},
        {mhelp, mcallhelp, L"&TARNEL Help", IDM_mcallhelp},
        {Menus, msp1, L"", IDM_msp1},
        {Menus, msp2, L"", IDM_msp2},
        {Menus, msp3, L"", IDM_msp3},
        {Menus, mtitle, L"Title: ", IDM_mtitle},
    };
    for (const Row& r : tail) {
        r.parent.Add(r.item, r.caption);
        r.item.SetCommandId(r.id);
    }
    mtitle.SetVisible(false);

    mbSave.Click = [this] { mbSave_Click(); };
    mbsaveas.Click = [this] { mbsaveas_Click(); };
    mexit.Click = [this] { mExit_Click(); };
    mtextview.Click = [this] { mtextview_Click(); };
    m15.Click = [this] { m15_Click(); };
    m17.Click = [this] { m17_Click(); };
    mreset.Click = [this] { mreset_Click(); };
    mOther.Click = [this] { mOther_Click(); };
    mOtherB.Click = [this](int Index) { mOtherB_Click(Index); };
    mrefresh.Click = [this] { mrefresh_Click(); };
    mprint.Click = [this] { mPrint_Click(); };
    mhelp.Click = [this] { mcallhelp.SetEnabled(Host() && Host()->HelpFileFound()); };
    mcallhelp.Click = [] {
        if (Host())
            Host()->OpenHelpFile();
    };
}

void fbrowser::Form_Load()
{
    HBITMAP picture = ButSilver2::CaptionPicture(L"Editor", forms::TwipsToPixelsX(960), forms::TwipsToPixelsY(360));
    if (picture)
        btext.SetPicture(picture, true);
    RECT rc{0, 0, 100, 100};
    wb1.Create(hwnd, rc, kPageId, this);
    wb1.SetOffline(true);
    InPageJump = false;
    // Where the program keeps it, a template page shows until the first preview.
    const std::wstring templatePage = platform::ProgramFolder() + L"\\template.html";
    if (platform::FileExists(templatePage))
        wb1.Navigate(templatePage);
    FindOtherBrowsers();
    mhelp.Click();
    // The preview takes the main window's place, so it takes its size too.
    RECT main{};
    if (Host() && GetWindowRect(Host()->Window(), &main) && main.right - main.left > 200)
        SetWindowPos(hwnd, nullptr, main.left, main.top, main.right - main.left, main.bottom - main.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    Form_Resize();
}

void fbrowser::Form_Resize()
{
    if (WindowState() == forms::FormWindowState::Minimized)
        return;
    const int w = ScaleWidth(), h = ScaleHeight();
    const int pageH = h - (kStripHeight + 240);
    if (pageH > 0 && wb1.hwnd)
        MoveWindow(wb1.hwnd, 0, 0, forms::TwipsToPixelsX(w), forms::TwipsToPixelsY(pageH), TRUE);
    const int stripTop = pageH > 0 ? pageH : 0;
    FrBig.Move(0, stripTop, w, h - stripTop);
    const int buttonsLeft = w - kStripWidth;
    if (buttonsLeft > 0) {
        FrButs.Move(buttonsLeft, 120);
        if (buttonsLeft - 260 > 0)
            turl.Move(160, 120, buttonsLeft - 260);
    }
}

void fbrowser::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    if (UnloadMode == forms::vbFormControlMenu && !State().ProgramClosing) {
        // The program's one shutdown unloads this window itself.
        Cancel = 1;
        if (Host() && Host()->QuerySaveAll())
            Host()->ShutDown();
        return;
    }
    ReleaseDocument();
}

void fbrowser::Form_Unload(int& Cancel)
{
    (void)Cancel;
    if (!State().ProgramClosing && Host())
        Host()->ShutDown();
}

void fbrowser::Navigate(const std::wstring& path) { wb1.Navigate(path); }

void fbrowser::FocusPage()
{
    if (wb1.hwnd)
        ::SetFocus(wb1.hwnd);
}

void fbrowser::ReleaseDocument()
{
    rules_ = StyleRuleLists();
    tip_.CloseTip();
}

void fbrowser::mbSave_Click()
{
    if (!Host())
        return;
    EditorState& s = State();
    if (!HasFile(s.CurrentFilePath)) {
        Host()->SaveDocumentAs();
        return;
    }
    // The editor's Save: the document's own encoding and line breaks, and
    // its questions (a file changed on disk, characters the code page lacks).
    Host()->mSavePlain_Click();
    if (s.DocChanged)
        return;
    // Both marks go, or leaving would ask about a document that is saved.
    if (HWND re = s.EditorRichEditHandle())
        SendMessageW(re, EM_SETMODIFY, 0, 0);
    if (s.Files && s.Files->CurrentFile() >= 0)
        s.Files->Changed(s.Files->CurrentFile(), false);
}

void fbrowser::mbsaveas_Click()
{
    if (Host())
        Host()->SaveDocumentAs();
}

void fbrowser::mExit_Click()
{
    if (Host() && Host()->QuerySaveAll())
        Host()->ShutDown();
}

void fbrowser::SaveScrollTop()
{
    EditorState& s = State();
    html::HtmlDocument* doc = wb1.Document();
    if (s.OtherPageShown || !doc)
        return;
    s.PreviewScrollTop = StandardsMode ? doc->documentElement().scrollTop() : doc->body().scrollTop();
}

void fbrowser::ReturnFromPage(bool deleteCopy)
{
    SaveScrollTop();
    const std::wstring copy = OtherBrowserCopyPath();
    if (deleteCopy && !copy.empty())
        WrittenPages().Remove(copy);
    State().ProgramNavigation = true;
    rules_ = StyleRuleLists();
    ReturnToEditor();
    mtitle.SetVisible(false);
    mtitle.SetCaption(L"Title: ");
    State().OtherPageShown = false;
}

void fbrowser::btext_Click() { ReturnFromPage(true); }
void fbrowser::mtextview_Click() { ReturnFromPage(false); }

void fbrowser::BoxW_Click()
{
    const int i = BoxW.ListIndex();
    if (i >= 0 && BoxH.ListIndex() != i)
        BoxH.SetListIndex(i);
}

void fbrowser::bResize_Click(int Index)
{
    if (Index == 1) {
        mreset_Click();
        return;
    }
    const std::wstring w = BoxW.Text(), h = BoxH.Text();
    if (w.empty() || h.empty())
        return;
    int width = 0, height = 0;
    if (!Numeric(w, width) || !Numeric(h, height)) {
        platform::ShowMessage(L"Numeric values must be selected.", platform::MessageStyle::Information, hwnd);
        return;
    }
    ResizePage(width, height);
}

void fbrowser::ResizePage(int width, int height)
{
    if (html::HtmlDocument* doc = wb1.Document())
        doc->parentWindow().resizeTo(width, height);
}

void fbrowser::m15_Click() { ResizePage(780, 490); }
void fbrowser::m17_Click() { ResizePage(1004, 658); }

void fbrowser::ResizeTo(int width, int height)
{
    if (WindowState() != forms::FormWindowState::Normal)
        SetWindowState(forms::FormWindowState::Normal);
    SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void fbrowser::mreset_Click()
{
    SetWindowState(forms::FormWindowState::Normal);
    SetWindowState(forms::FormWindowState::Maximized);
}

void fbrowser::mOther_Click()
{
    const std::wstring path = cBrowse().DOpen(
        hwnd, L"Select webpage to view", L"Webpages(*.html;*.htm;*.hta;*.php;*.asp;*.aspx;*.shtml;*.xhtml)",
        L"*.html;*.htm;*.hta;*.php;*.asp;*.aspx;*.shtml;*.xhtml", false);
    if (path.empty())
        return;
    if (platform::FileExists(path)) {
        State().ProgramNavigation = true;
        Navigate(path);
    }
    State().OtherPageShown = true;
}

void fbrowser::mOtherB_Click(int Index)
{
    if (!Host() || !mOtherB.Exists(Index))
        return;
    const std::wstring program = mOtherB(Index).Tag;
    if (program.empty() || !platform::FileExists(program))
        return;
    EditorState& s = State();
    std::wstring folder, extension = L"html";
    if (!HasFile(s.CurrentFilePath)) {
        folder = Settings().WebTempFolder;
        if (!platform::FolderExists(platform::WithoutTrailingBackslash(folder)))
            folder = ModFileOps::GetSpecialFolder(ModFileOps::SpecialFolder::Temp);
    } else {
        folder = platform::GetParentFolder(s.CurrentFilePath);
        if (!platform::NameExtension(s.CurrentFilePath).empty())
            extension = platform::NameExtension(s.CurrentFilePath);
    }
    const std::wstring copy = PreviewFiles::OtherBrowserCopy(folder, extension);
    SetOtherBrowserCopyPath(copy);
    if (platform::FileExists(copy))
        ModFileOps::RemoveFile(copy);
    WrittenPages().Remember(copy);
    platform::TextFormat format = s.Files ? s.Files->CurrentFormat() : platform::NewTextFormat(Settings().UTF8Text);
    if (!Host()->JT1().SaveFile(copy, false, &format))
        return;
    SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_HIDDEN);
    std::wstring command = L"\"" + program + L"\" \"" + copy + L"\"";
    STARTUPINFOW si{sizeof si};
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWMAXIMIZED;
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

void fbrowser::FindOtherBrowsers()
{
    const std::wstring prefix = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
    int next = 0;
    for (const OutsideBrowser& b : kOutsideBrowsers) {
        // A browser installed for this user alone registers under the user's key.
        std::wstring path = GetRegString(HKEY_CURRENT_USER, prefix + b.program, L"");
        if (path.empty() || !platform::FileExists(path))
            path = GetRegString(HKEY_LOCAL_MACHINE, prefix + b.program, L"");
        if (path.empty() || !platform::FileExists(path))
            continue;
        mOtherB(next).SetCaption(b.caption);
        mOtherB(next).Tag = path;
        mOtherB(next).SetVisible(true);
        ++next;
    }
}

void fbrowser::mrefresh_Click() { ShowPreview(); }

void fbrowser::mPrint_Click()
{
    // The default printer, as the browser's own print command uses it.
    const std::wstring name = DefaultPrinterName();
    if (name.empty())
        return;
    HDC dc = CreateDCW(L"WINSPOOL", name.c_str(), nullptr, nullptr);
    if (!dc)
        return;
    wb1.PrintTo(dc);
    DeleteDC(dc);
}

void fbrowser::BeforeNavigate2(const std::wstring& url, bool& cancel)
{
    (void)cancel;
    if (!State().ProgramNavigation && url.find(L'#') != std::wstring::npos)
        InPageJump = true;
}

void fbrowser::NavigateComplete2(const std::wstring& url)
{
    (void)url;
    State().ProgramNavigation = false;
    html::HtmlDocument* doc = wb1.Document();
    if (!doc)
        return;
    mtitle.SetCaption(L"Title: " + doc->title());
    mtitle.SetVisible(true);
}

void fbrowser::DocumentComplete(const std::wstring& url)
{
    (void)url;
    rules_ = StyleRuleLists();
    html::HtmlDocument* doc = wb1.Document();
    if (!doc)
        return;
    tip_.InitTip(wb1.hwnd, 0xE1F7FF, 0x6A1E00);
    StandardsMode = platform::SameText(doc->compatMode(), L"CSS1Compat");
    const EditorState& s = State();
    if (s.PreviewScrollTop != 0 && !s.OtherPageShown && !InPageJump) {
        html::HtmlElement scroller = StandardsMode ? doc->documentElement() : doc->body();
        scroller.scrollTop(s.PreviewScrollTop);
        wb1.ShowScroll();
    }
    InPageJump = false;
    rules_ = LoadStyleRules(*doc);
}

void fbrowser::OnMouseOver()
{
    html::HtmlDocument* doc = wb1.Document();
    if (!doc)
        return;
    ElementInfo.clear();
    const html::HtmlElement element = doc->parentWindow().event().srcElement;
    if (!element)
        return;
    ElementInfo = ElementInformation(rules_, element);
    tip_.TipText(ElementInfo);
}

void fbrowser::OnKeyDown()
{
    html::HtmlDocument* doc = wb1.Document();
    if (!doc)
        return;
    const html::PageEvent& ev = doc->parentWindow().event();
    if (ev.ctrlKey && ev.keyCode == 'C')
        ClipboardSnapshot::PutText(hwnd, ElementInfo);
}
