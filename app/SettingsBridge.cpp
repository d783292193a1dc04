#include "SettingsBridge.h"

#include "EditorState.h"
#include "GetRegString.h"
#include "ModFileOps.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Module.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "ClsColor.h"
#include "snippets/fCM.h"
#include "fedit/Documents.h"
#include "fedit/fedit.h"
#include "fedit/SettingsEventSink.h"
#include "forms/Runtime.h"
#include "DirectCOM.h"
#include "PlimsorIds.h"

#include <ocidl.h>

#include <algorithm>

std::wstring SettingsBridge::SettingsFolder()
{
    return SettingsRecordFile::SettingsFolderOf(platform::ProgramFolder());
}


std::vector<int32_t> DefaultCustomColors()
{
    return SettingsRecordFile::DefaultCustomColors();
}

void SetSettingsDefaults()
{
    SettingsBridge::ApplyProgramDefaults(Settings(), State().TempFolder);
    // The first read gives the running document its type; a later one (after
    // the settings dialog) leaves the running document's type alone.
    if (State().EdType == EditorType::None)
        State().EdType = EditorTypeOf(Settings().LastEdType);
}

void ReadSettingsFile()
{
    SettingsRecord& rec = Settings();
    std::wstring folder = SettingsBridge::SettingsFolder();
    if (!platform::FolderExists(folder)) {
        platform::ShowMessage(L"Unable to access program settings in folder " + folder +
                              L". There may be a problem with file permissions.");
        // Without the defaults the window would open 0 x 0 with no undo.
        SetSettingsDefaults();
        return;
    }
    SettingsRecordFile::ReadRecordKeepingDamage(SettingsRecordFile::SettingsFilePath(folder), rec,
                                                platform::kProgramTitle);
    SetSettingsDefaults();
}

namespace {

// The record keeps its paths in the system code page. A path that does not
// fit keeps its short form, which does; without one the entry is left out
// rather than stored as a name no file has.
std::wstring RecordablePath(const std::wstring& path)
{
    if (platform::FitsCodePage(path))
        return path;
    wchar_t shortPath[MAX_PATH];
    const DWORD n = GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || !platform::FitsCodePage(std::wstring(shortPath, n)))
        return L"";
    return std::wstring(shortPath, n);
}

} // namespace

void WriteSettingsFile()
{
    SettingsRecord& rec = Settings();
    if (State().EdType != EditorType::None)
        rec.LastEdType = static_cast<int32_t>(EditorTypeNumber(State().EdType));
    const std::wstring folder = SettingsBridge::SettingsFolder();
    // Without the folder nothing is written and nothing said; a write that
    // fails would otherwise lose the session's changes without a word.
    if (platform::FolderExists(folder) && !SettingsRecordFile::WriteRecordIfFolderExists(folder, rec))
        platform::ShowMessage(SettingsRecordFile::WriteFailedText(SettingsRecordFile::SettingsFilePath(folder)));
}

void fedit::WriteSettings()
{
    SettingsRecord& rec = Settings();
    rec.RecentFiles.resize(SettingsRecordFile::RecentFileCount);
    for (int i = 0; i < 4; ++i)
        rec.RecentFiles[static_cast<size_t>(i)] = RecordablePath(mMRU(i).Caption());
    WriteSettingsFile();
}

void fedit::ApplySettings(bool AtStartUp)
{
    SettingsRecord& rec = Settings();
    if (ClsColor* color = State().Colorer) {
        color->Color(L"H", rec.ColorTag);
        color->Color(L"K", rec.ColorKeyword);
        color->Color(L"V", rec.ColorVariable);
        color->Color(L"C", rec.ColorComment);
        color->Color(L"S", rec.ColorString);
        color->Color(L"A", rec.ColorAttrValue);
        color->NoPHPColor = rec.NoPHPColor;
    }
    ApplyEditorFont();
    const std::wstring* names[3] = {&rec.ExeName1, &rec.ExeName2, &rec.ExeName3};
    for (int i = 0; i < 3; ++i) {
        bool shown = names[i]->size() >= 2;
        mex1(i).SetCaption(shown ? *names[i] : L"-");
        mex1(i).SetVisible(shown);
    }
    mColCode.SetChecked(!rec.NoColorCode);
    mUTF8.SetChecked(rec.UTF8Text);
    if (AtStartUp) {
        RecentList recent;
        for (size_t i = 0; i < recent.size() && i < rec.RecentFiles.size(); ++i)
            recent[i] = rec.RecentFiles[i];
        ShowRecentFiles(recent);
        const EditorType type = State().EdType;
        if (IsScriptType(type))
            SetScriptMenus(type);
        else
            SetHTMLMenus();
    }
    bars_.ApplyButtonTexts(rec);
    ApplyCustomMenuLabels();
}

void fedit::ApplyCustomMenuLabels()
{
    fCM* cm = program_.CustomMenuForm();
    SettingsRecord& rec = Settings();
    long w1 = 0, w2 = 0;
    if (cm) {
        for (int i = 0; i < 10; ++i) {
            w1 = std::max(w1, cm->SetSnippet(true, i, rec.Menu1Items[static_cast<size_t>(i)]));
            w2 = std::max(w2, cm->SetSnippet(false, i, rec.Menu2Items[static_cast<size_t>(i)]));
        }
    }
    State().CustomMenuWidth1 = std::max<long>(w1, 1200);
    State().CustomMenuWidth2 = std::max<long>(w2, 1200);
    mMenu1Op.SetCaption(rec.Menu1Name);
    Menu1pop.SetCaption(rec.Menu1Name);
    mMenu2Op.SetCaption(rec.Menu2Name);
    Menu2pop.SetCaption(rec.Menu2Name);
}

void fedit::FindScriptHosts()
{
    EditorState& s = State();
    const std::vector<std::wstring> folders = {s.WindowsFolder, s.SystemFolder,
                                               s.WindowsFolder.empty() ? L"" : s.WindowsFolder + L"\\Command"};
    s.CScriptPath = SettingsBridge::FirstExisting(L"cscript.exe", folders);
    if (s.CScriptPath.empty())
        mRunEXE(1).SetEnabled(false);

    s.WScriptPath.clear();
    std::wstring cls = GetRegString(HKEY_CLASSES_ROOT, L".vbs", L"");
    if (!cls.empty())
        s.WScriptPath = SettingsBridge::WScriptFromOpenCommand(
            GetRegString(HKEY_CLASSES_ROOT, cls + L"\\Shell\\Open\\Command", L""));
    if (s.WScriptPath.empty())
        s.WScriptPath = SettingsBridge::FirstExisting(L"wscript.exe", folders);
}

// ---- The settings road: plimsor's dialog, opened through DirectCOM ----

void SettingsEventSink::Raise()
{
    owner_.CS_SettingsChanged();
}

void fedit::ShowSettings()
{
    // The dialog starts from the file: what this program changed in memory
    // (recent files, the UTF-8 item, line debugging, auto-insert buttons,
    // the save type) goes there first, or the dialog's close would undo it.
    WriteSettings();
    ReleaseSettingsComponent();
    if (!directCom_)
        directCom_.Reset(LoadLibraryW((platform::ProgramFolder() + L"\\DirectCOM.dll").c_str()));
    if (!directCom_)
        return;
    auto getInstance = reinterpret_cast<GetInstanceProc>(GetProcAddress(directCom_.Get(), "GETINSTANCE"));
    if (!getInstance)
        return;
    platform::ComRef<IUnknown> object = platform::ComRef<IUnknown>::Attach(
        getInstance((platform::ProgramFolder() + L"\\plimsor.dll").c_str(), plimsor::kClassName));
    if (!object || FAILED(object->QueryInterface(plimsor::IID__CSets, reinterpret_cast<void**>(CS.Out()))))
        return;
    ++csGeneration_;
    if (!sink_)
        sink_ = std::make_unique<SettingsEventSink>(*this);
    platform::ComRef<IConnectionPointContainer> cpc;
    if (SUCCEEDED(CS->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(cpc.Out()))) &&
        SUCCEEDED(cpc->FindConnectionPoint(plimsor::DIID___CSets, csPoint_.Out()))) {
        if (FAILED(csPoint_->Advise(sink_.get(), &csCookie_))) {
            csPoint_.Reset();
            csCookie_ = 0;
        }
    }
    VARIANT_BOOL shown = VARIANT_FALSE;
    CS->ShowWindow(&shown);
}

void fedit::CS_SettingsChanged()
{
    // The component is inside this very event: it goes once the event returned.
    PostMessageW(hwnd, kReleaseSettings, csGeneration_, 0);
    ReadSettingsFile();
    ApplySettings(false);
}

void fedit::ReleaseSettingsComponent()
{
    if (csPoint_) {
        csPoint_->Unadvise(csCookie_);
        csPoint_.Reset();
        csCookie_ = 0;
    }
    CS.Reset();
}
