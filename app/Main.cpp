#include "Main.h"

#include "CSubclass.h"
#include "ClsColor.h"
#include "ClsDic.h"
#include "ClsFile.h"
#include "EditorState.h"
#include "ModFileOps.h"
#include "platform/Files.h"
#include "platform/Handles.h"
#include "platform/HeapWarmup.h"
#include "platform/Messages.h"
#include "platform/Module.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "MainHost.h"
#include "SettingsAccess.h"
#include "SettingsBridge.h"
#include "cBrowse/cBrowse.h"
#include "cTypeDic.h"
#include "debug/ModVBSDebug.h"
#include "debug/fDebug.h"
#include "debug/modHTML.h"
#include "color/KeywordLists.h"
#include "autoinsert/AutoInsertLists.h"
#include "autoinsert/fAuto.h"
#include "snippets/fCM.h"
#include "fedit/Documents.h"
#include "fedit/MainWindowHost.h"
#include "fedit/MenuSetRows.h"
#include "fedit/fedit.h"
#include "find/fmulti.h"
#include "find/modfind.h"
#include "autoinsert/AutoInsert.h"
#include "browser/ObjectBrowser.h"
#include "functions/FuncPopup.h"
#include "images/fbitmap.h"
#include "picker/fColorPicker.h"
#include "preview/Preview.h"
#include "print/fprint.h"
#include "reference/fascii.h"
#include "forms/MessagePump.h"
#include "forms/Runtime.h"
#include "fpad3.h"

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>

#include <memory>
#include <vector>

namespace {

// Everything start-up creates, released by the closing sequence (windows)
// and after the message loop (objects), in the order the closing sequence
// names.
struct Program {
    std::unique_ptr<CSubclass> subclasser;
    std::unique_ptr<ClsFile> files;
    std::unique_ptr<ClsColor> colorer;
    std::unique_ptr<ClsDic> varDic, dic2, dic3;
    std::unique_ptr<cBrowse> browse;
    std::vector<std::wstring> blockKeywords;

    std::unique_ptr<fedit> main;
    std::unique_ptr<MainWindowHost> host;
    std::unique_ptr<fCM> cm;
    std::unique_ptr<fpad3> pad3;

    bool shutDownRan = false;
};

Program* g = nullptr;

// The program as its main window sees it.
class ProgramParts : public MainProgram {
public:
    CSubclass* Subclasser() override { return SharedSubclasser(); }
    cTypeDic* TypeDictionary() override { return ::TypeDictionary(); }
    fpad3* ClipPadForm() override { return ::ClipPadForm(); }
    fCM* CustomMenuForm() override { return ::CustomMenuForm(); }
    forms::Form* ToolForm(ToolWindow which) override { return ::ToolForm(which); }
    void ShutDown() override { ::ShutDown(); }
    void OpenHelpFile() override { ::OpenHelpFile(); }
    bool HelpFileFound() override { return ::HelpFileFound(); }
};
ProgramParts g_parts;

void UnloadForm(forms::Form* f)
{
    if (f && f->Loaded())
        f->Unload();
}

} // namespace

CSubclass* SharedSubclasser() { return g ? g->subclasser.get() : nullptr; }
cTypeDic* TypeDictionary() { return g ? &AutoInsertLists::TypeDic() : nullptr; }
fCM* CustomMenuForm() { return g ? g->cm.get() : nullptr; }
fpad3* ClipPadForm() { return g ? g->pad3.get() : nullptr; }

forms::Form* ToolForm(ToolWindow which)
{
    if (!g)
        return nullptr;
    switch (which) {
    case ToolWindow::ColorPicker: return &ColorPickerWindow();
    case ToolWindow::ImageViewer: return &ImageViewer();
    case ToolWindow::Print: return &PrintWindow();
    case ToolWindow::AutoSet: return &AutoSetupWindow();
    case ToolWindow::Reference: return &ReferenceWindow();
    }
    return nullptr;
}

std::wstring CommandLinePath(const std::wstring& commandLine)
{
    std::wstring path;
    for (wchar_t c : commandLine)
        if (c != L'"')
            path += c;
    return platform::TrimBlanksAndTabs(path);
}

namespace {

// The command line after the program's own name.
std::wstring CommandTail()
{
    const wchar_t* p = GetCommandLineW();
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"')
            ++p;
        if (*p)
            ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t')
            ++p;
    }
    return p;
}

} // namespace

void IsWinNT()
{
    State().IsNT = false;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (GetVersionExW(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT)
        State().IsNT = true;
#pragma GCC diagnostic pop
}

void OpenCommandLineFile(std::wstring& path)
{
    if (path.empty() || !platform::FileExists(path))
        return;
    std::wstring longPath = platform::GetLongPath(path);
    if (!longPath.empty() && platform::FileExists(longPath))
        path = longPath;
    if (g && g->main)
        g->main->LoadDocument(path, platform::GetExtension(path));
}

namespace {
std::wstring HelpFilePath() { return platform::ProgramFolder() + L"\\tarnel58.chm"; }
} // namespace

bool HelpFileFound() { return platform::FileExists(HelpFilePath()); }

void OpenHelpFile()
{
    std::wstring path = HelpFilePath();
    if (!platform::FileExists(path)) {
        platform::ShowMessage(L"Error. The help file [tarnel58.chm] is missing.");
        return;
    }
    HINSTANCE r = ShellExecuteW(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(r) < 32)
        platform::ShowMessage(L"Error opening help file.");
}

void InitProgram()
{
    EditorState& s = State();
    // Start-up lets messages run (and shows message boxes) between its steps;
    // a close of the main window in one of those pauses ran the closing
    // sequence, and nothing more may be built on the unloaded forms.
    auto closed = [] { return g->shutDownRan; };
    // 1. The whole command line is one path.
    s.CommandLine = CommandLinePath(CommandTail());
    // The heap a long file will take in the editor is brought in meanwhile,
    // on a thread of its own (see HeapWarmup).
    platform::HeapWarmup heapWarmup(platform::HeapForLongText(
        static_cast<unsigned long long>(ModFileOps::GetFileSize(s.CommandLine))));
    // 2. Special folders.
    s.SystemFolder = ModFileOps::GetSpecialFolder(ModFileOps::SpecialFolder::System);
    s.TempFolder = ModFileOps::GetSpecialFolder(ModFileOps::SpecialFolder::Temp);
    s.WindowsFolder = ModFileOps::GetSpecialFolder(ModFileOps::SpecialFolder::Windows);
    // 3. The program's own temp folder, for the parked documents.
    if (!platform::FolderExists(platform::ProgramFolder() + L"\\temp"))
        CreateDirectoryW((platform::ProgramFolder() + L"\\temp").c_str(), nullptr);
    s.ProgramTempFolder = platform::ProgramFolder() + L"\\temp\\";
    // 4. Settings.
    ReadSettingsFile();   // before the main window exists
    // Preview pages a run that crashed left behind.
    RemoveLeftoverPages();
    // 5. Document slots.
    g->files = std::make_unique<ClsFile>(SettingsAccess::ExtAliases());
    s.Files = g->files.get();
    // Taken before the first document takes a slot and its parked file.
    const std::vector<ClsFile::LeftDocument> left = g->files->TakeLeftBehind();
    // 6. The main window.
    g->main = std::make_unique<fedit>(g_parts);
    fedit& f = *g->main;
    g->host = std::make_unique<MainWindowHost>(f);
    SetHost(g->host.get());
    f.Load();
    s.MainWindow = f.hwnd;
    s.CurrentEditor = &f.Editor();
    forms::DoEvents();
    if (closed())
        return;
    // 7. The custom menus' window. Its window is made when a custom menu
    // first opens: every window made before the main one shows delays the
    // start (the labels take their captions and widths without one).
    g->cm = std::make_unique<fCM>();
    forms::DoEvents();
    if (closed())
        return;
    // 8. Colouring, then the settings on the window.
    g->colorer = std::make_unique<ClsColor>();
    s.Colorer = g->colorer.get();
    // The type dictionary copies the hotkeys of the record read above.
    AutoInsertLists::TypeDic();
    f.ApplySettings(true);
    // 9. Dictionaries and the common dialogs.
    g->varDic = std::make_unique<ClsDic>();
    g->browse = std::make_unique<cBrowse>();
    g->dic2 = std::make_unique<ClsDic>();
    g->dic3 = std::make_unique<ClsDic>();
    // 10.
    f.Show(forms::vbModeless);
    // 11. Tool windows, hidden. Each gets its window when first used (their
    // users load them), so that a start pays for none of them.
    ColorPickerWindow();
    ImageViewer();
    FindWindow();
    PrintWindow();
    g->pad3 = std::make_unique<fpad3>();
    AutoSetupWindow();
    forms::DoEvents();
    if (closed())
        return;
    ReportWindow();
    // 12.
    f.Editor().SetFocus();
    // 13.
    s.ObjectListPath = platform::ProgramFolder() + L"\\Settings\\tarnelt.ini";
    // 14. Keyword lists, tag descriptions, script hosts.
    LoadKeywordLists(*g->colorer, SettingsBridge::SettingsFolder(), g->blockKeywords);
    LoadHTMLTags();
    f.FindScriptHosts();
    if (closed())
        return;
    // 15.
    s.ColorCodeOn = true;
    s.InVBSBlockNow = 0;
    s.InVBSBlockPrev = 0;
    s.CSSListLoaded = false;
    s.PreviewScrollTop = 0;
    s.ProgramNavigation = true;
    ResetFuncLists();
    // 16. The first document.
    if (!s.CommandLine.empty() && platform::FileExists(s.CommandLine)) {
        std::wstring path = s.CommandLine;
        heapWarmup.Release();
        OpenCommandLineFile(path);
    } else {
        f.OpenUntitledAtStartUp();
    }
    if (closed())
        return;
    // 17. The type name follows the type the first document left (fedit::TypeName).
    // 18.
    f.SetCaptions();
    LoadObjectList();
    LoadVarList();
    // 19. Idle from here on.
    s.ProgramClosing = false;
    if (HWND re = f.Editor().RTBhWnd()) {
        SendMessageW(re, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
        SendMessageW(re, EM_SETMODIFY, 0, 0);
    }
    s.DocChanged = false;
    forms::DoEvents();
    if (!closed())
        f.OfferLeftDocuments(left);
}

void ShutDown()
{
    if (!g || g->shutDownRan)
        return;
    g->shutDownRan = true;
    EditorState& s = State();
    fedit& f = *g->main;
    // 1.
    s.ProgramClosing = true;
    f.ReleaseDocumentSlots();
    // 2. The window state: the last normal size always, and maximised only
    // when the window is maximised or would come back maximised.
    SettingsRecord& rec = Settings();
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    if (f.hwnd && GetWindowPlacement(f.hwnd, &wp)) {
        bool maximised = wp.showCmd == SW_SHOWMAXIMIZED ||
                         (IsIconic(f.hwnd) && (wp.flags & WPF_RESTORETOMAXIMIZED));
        rec.WinState = maximised ? 2 : 0;
        if (f.NormalWidth() > 0 && f.NormalHeight() > 0) {
            rec.WinWidth = f.NormalWidth();
            rec.WinHeight = f.NormalHeight();
        }
    }
    // 3. - 4.
    f.PrepareClose();
    // 5. - 6. The preview.
    SetBrowserOffline(false);
    RemovePreviewFiles();
    // 7.
    f.WriteSettings();
    // 8. The tool windows, in this order.
    CloseObjectBrowser();
    UnloadFindWindow();
    ReleaseBrowser();
    UnloadBrowserWindow();
    UnloadMultiReplaceWindow();
    UnloadImageViewer();
    UnloadForm(g->cm.get());
    UnloadPrintWindow();
    UnloadReferenceWindow();
    UnloadAutoSetupWindow();
    UnloadColorPickerWindow();
    UnloadReportWindow();
    UnloadForm(g->pad3.get());
    // 9.
    f.Editor().ClearUndoBuffer();
    s.CurrentEditor = nullptr;
    // 10. Its QueryUnload sees the closing flag and asks nothing.
    if (!f.InUnload())
        f.Unload();
    s.MainWindow = nullptr;
    // 11. - 12. The objects go when the message loop has ended (Main).
    PostQuitMessage(0);
}

int Main()
{
    // 1. One instance: a second one ends before it shows anything.
    platform::KernelHandle instance(CreateMutexW(nullptr, FALSE, L"TARNEL Editor single instance"));
    if (!instance || GetLastError() == ERROR_ALREADY_EXISTS)
        return 0;
    HRESULT com = OleInitialize(nullptr);
    // 2. - 3.
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    IsWinNT();
    forms::SetAppTitle(L"TARNEL Editor");
    // 4.
    Program program;
    g = &program;
    program.subclasser = std::make_unique<CSubclass>();
    // 5.
    forms::DoEvents();
    InitProgram();
    int rc = program.shutDownRan ? 0 : forms::RunMessageLoop();
    // The closing sequence's last steps: the forms and shared objects, the
    // subclasser last of all.
    ShutDown();
    SetHost(nullptr);
    State().Files = nullptr;
    State().Colorer = nullptr;
    program.pad3.reset();
    program.cm.reset();
    program.main.reset();
    program.files.reset();
    program.colorer.reset();
    AutoInsertLists::ReleaseTypeDic();
    program.browse.reset();
    program.varDic.reset();
    program.dic2.reset();
    program.dic3.reset();
    program.subclasser.reset();
    g = nullptr;
    if (SUCCEEDED(com))
        OleUninitialize();
    return rc;
}
