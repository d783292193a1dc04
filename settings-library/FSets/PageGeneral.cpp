#include "PageGeneral.h"

#include <set>
#include <vector>

#include "FSets.h"
#include "ModReg.h"
#include "ModSets2.h"
#include "SetsLogic.h"
#include "SetsMessages.h"
#include "SettingsRecord.h"
#include "platform/Text.h"

namespace {

// Every face once, in the order the system reports them; vertical ("@")
// faces are not screen fonts of their own.
struct FontFaces {
    std::vector<std::wstring> order;
    std::set<std::wstring> seen;
};

int CALLBACK AddFontFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM data)
{
    auto& faces = *reinterpret_cast<FontFaces*>(data);
    const std::wstring face = lf->lfFaceName;
    if (!face.empty() && face[0] != L'@' && faces.seen.insert(face).second)
        faces.order.push_back(face);
    return 1;
}

} // namespace

PageGeneral::PageGeneral(FSets& form) : form_(form)
{
    FrGen.Place(form, 2460, 120, 7320, 6660);
    FrGen.SetCaption(L" General ");

    CkTab.Place(FrGen, 240, 330, 6000, 285);
    CkTab.SetCaption(L"Use \"Move Text\" spacer in place of Tab character.");

    LabDefExt.Place(FrGen, 240, 780, 2500, 255);
    LabDefExt.SetCaption(L"Default SaveAs File Extension:");
    BoxDefExt.Style = 2;
    BoxDefExt.Place(FrGen, 2760, 735, 1080, 315);
    BoxDefExt.SetToolTipText(L"Select default file extension when saving a new file.");
    for (const std::wstring& ext : SetsLogic::SaveExtensions())
        BoxDefExt.AddItem(ext);

    LabMoveO.Place(FrGen, 4140, 780, 1800, 255);
    LabMoveO.SetCaption(L"\"Move Text\" increment:");
    boxMoveO.Style = 2;
    boxMoveO.Place(FrGen, 5940, 735, 780, 315);
    boxMoveO.SetToolTipText(L"Select number of spaces to move text left or right.");
    for (int i = 1; i <= 10; ++i)
        boxMoveO.AddItem(std::to_wstring(i));

    CkJump.Place(FrGen, 240, 1200, 6000, 285);
    CkJump.SetCaption(L"Caret jump to column with new line in script.");
    CkJump.SetValue(forms::vbChecked);

    FrFont.Place(FrGen, 120, 1620, 7080, 780);
    FrFont.SetCaption(L" Font ");
    boxface.Place(FrFont, 120, 300, 3000, 315);
    boxface.SetToolTipText(L"Set default font.");
    PlaceButton(bface, FrFont, 3240, 293, L"Set", L"Set default font.");
    boxsize.Place(FrFont, 4500, 300, 780, 315);
    boxsize.SetToolTipText(L"Set default font size.");
    for (int s = 8; s <= 12; ++s)
        boxsize.AddItem(std::to_wstring(s));
    PlaceButton(bsize, FrFont, 5400, 293, L"Set", L"Set default font size.");

    FrTemp.Place(FrGen, 120, 2520, 7080, 780);
    FrTemp.SetCaption(L"Assign new webpage Temp folder");
    ttemp.Place(FrTemp, 120, 300, 4860, 315);
    PlaceButton(bFindFol, FrTemp, 5100, 293, L"Browse", L"Browse for new Webpage Temp folder.", 900);
    PlaceButton(btemp, FrTemp, 6120, 293, L"Set", L"Set folder to save new files to when viewing webpage.");

    FrExe.Place(FrGen, 120, 3420, 7080, 2160);
    FrExe.SetCaption(L"Assign program or Help file to EXE+ menus:");
    for (int i = 0; i < 3; ++i) {
        opexe(i).Place(FrExe, 120, 360 + i * 360, 1140, 285);
        opexe(i).SetCaption(L"Menu " + std::to_wstring(i + 1));
    }
    LabPath.Place(FrExe, 1380, 300, 3000, 255);
    LabPath.SetCaption(L"Enter path to file:");
    tap.Place(FrExe, 1380, 570, 3780, 315);
    PlaceButton(bbrowse, FrExe, 5280, 563, L"Browse", L"Find program or Help file for selected EXE+ menu.", 900);
    PlaceButton(bapset, FrExe, 6240, 563, L"Set", L"Set EXE+ program or Help file for selected menu.");
    LabMenu.Place(FrExe, 1380, 1020, 3000, 255);
    LabMenu.SetCaption(L"Enter menu text:");
    tmenu.Place(FrExe, 1380, 1290, 2700, 315);
    PlaceButton(bmenuset, FrExe, 4200, 1283, L"Set", L"Set menu text for selected EXE+ menu.");
    PlaceButton(bremove, FrExe, 1380, 1710, L"Remove",
                L"Remove EXE+ program setting and text for selected menu.", 900);

    LabTarnel.Place(FrGen, 240, 5850, 4200, 255);
    LabTarnel.SetCaption(L"Add \"Open With TARNEL\" to right-click menu");
    PlaceButton(baddtarnel, FrGen, 4500, 5805, L"Add", L"Add right-click menu item for files  - Open With TARNEL");
    PlaceButton(bremtarnel, FrGen, 5400, 5805, L"Remove", L"Remove right-click menu item - Open With TARNEL", 900);

    // Handlers last: the designed values above must not reach the record.
    CkTab.Click = [this] { CkTab_Click(); };
    BoxDefExt.Click = [this] { BoxDefExt_Click(); };
    boxMoveO.Click = [this] { boxMoveO_Click(); };
    bface.Click = [this] { bface_Click(); };
    bsize.Click = [this] { bsize_Click(); };
    CkJump.Click = [this] { CkJump_Click(); };
    bFindFol.Click = [this] { bFindFol_Click(); };
    btemp.Click = [this] { btemp_Click(); };
    opexe.Click = [this](int Index) { opexe_Click(Index); };
    bbrowse.Click = [this] { bbrowse_Click(); };
    bapset.Click = [this] { bapset_Click(); };
    bmenuset.Click = [this] { bmenuset_Click(); };
    bremove.Click = [this] { bremove_Click(); };
    baddtarnel.Click = [this] { baddtarnel_Click(); };
    bremtarnel.Click = [this] { bremtarnel_Click(); };
}

void PageGeneral::FillFonts()
{
    FontFaces faces;
    HDC dc = GetDC(nullptr);
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &lf, AddFontFace, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(nullptr, dc);
    boxface.Clear();
    for (const std::wstring& face : faces.order)
        boxface.AddItem(face);
}

int PageGeneral::SelectedExe()
{
    if (opexe(0).Value())
        return 0;
    if (opexe(1).Value())
        return 1;
    return 2;
}

void PageGeneral::CkTab_Click() { Settings().TabAsSpacer = CkTab.Value() == forms::vbChecked; }

void PageGeneral::BoxDefExt_Click()
{
    if (BoxDefExt.ListIndex() >= 0)
        Settings().DefSaveExt = static_cast<int16_t>(BoxDefExt.ListIndex() + 1);
}

void PageGeneral::boxMoveO_Click() { SetsLogic::ApplyMoveSpacer(boxMoveO.Text(), Settings()); }

void PageGeneral::bface_Click()
{
    std::wstring face = platform::TrimBlanks(boxface.Text());
    Settings().EdFontName = face;
}

void PageGeneral::bsize_Click()
{
    forms::BusyScope busy(form_.busy);
    if (!busy.Entered())
        return;
    SetsLogic::ApplyFontSize(boxsize.Text(), Settings());
    form_.SetFocus();
}

void PageGeneral::CkJump_Click() { Settings().NoCaretJump = CkJump.Value() != forms::vbChecked; }

void PageGeneral::bFindFol_Click()
{
    forms::BusyScope busy(form_.busy);
    if (!busy.Entered())
        return;
    std::wstring folder =
        ModSets2::BrowseForFolder(L"Locate folder for use as default webpage Temp folder.", form_.hwnd);
    if (!folder.empty() && ModSets2::FolderExists(folder))
        ttemp.SetText(folder);
}

void PageGeneral::btemp_Click()
{
    std::wstring folder = ttemp.Text();
    if (folder.empty())
        return;
    folder = SetsLogic::TempFolderText(folder);
    if (!ModSets2::FolderExists(folder)) {
        SetsMessages::Show(form_.hwnd, L"The path is wrong. There's no such folder.", MB_OK | MB_ICONERROR);
        return;
    }
    Settings().WebTempFolder = folder;
}

void PageGeneral::opexe_Click(int Index)
{
    int entry = Index == 0 || Index == 1 ? Index : 2;
    tap.SetText(SetsLogic::ExePath(Settings(), entry));
    tmenu.SetText(SetsLogic::ExeName(Settings(), entry));
}

void PageGeneral::bbrowse_Click()
{
    forms::BusyScope busy(form_.busy);
    if (!busy.Entered())
        return;
    std::wstring file = ModSets2::OpenFileDialog(form_.hwnd, L"Find Program Executable", L"(*.exe;*.hlp;*.chm)",
                                                 L"*.exe;*.hlp;*.chm", false);
    if (file.empty())
        return;
    if (!SetsLogic::IsProgramOrHelpFile(file)) {
        SetsMessages::Show(form_.hwnd, L"The file is not an executable program or Help file.");
        return;
    }
    tap.SetText(file);
}

void PageGeneral::bapset_Click()
{
    std::wstring path = tap.Text();
    if (path.empty())
        return;
    if (!ModSets2::FileExists(path)) {
        SetsMessages::Show(form_.hwnd, L"The file does not exist or the path is wrong.");
        return;
    }
    if (!SetsLogic::IsProgramOrHelpFile(path)) {
        SetsMessages::Show(form_.hwnd, L"That file is not an executable program or Help file.");
        return;
    }
    SetsLogic::ExePath(Settings(), SelectedExe()) = path;
}

void PageGeneral::bmenuset_Click()
{
    std::wstring text = tmenu.Text();
    if (text.empty()) {
        SetsMessages::Show(form_.hwnd, L"No text entered for menu name.");
        return;
    }
    SetsLogic::ExeName(Settings(), SelectedExe()) = text;
}

void PageGeneral::bremove_Click()
{
    int answer = SetsMessages::Show(form_.hwnd,
                                    L"This will remove the program setting for EXE+ menu, making the EXE+ menu "
                                    L"inactive. Continue?",
                                    MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES)
        return;
    int entry = SelectedExe();
    SetsLogic::ExePath(Settings(), entry).clear();
    SetsLogic::ExeName(Settings(), entry).clear();
}

void PageGeneral::baddtarnel_Click()
{
    forms::BusyScope busy(form_.busy);
    if (busy.Entered())
        ModReg::AddOpenWithVerb(form_.hwnd);
}

void PageGeneral::bremtarnel_Click()
{
    forms::BusyScope busy(form_.busy);
    if (busy.Entered())
        ModReg::RemoveOpenWithVerb(form_.hwnd);
}
