#include "AutoInsert.h"

#include "AutoInsertLists.h"
#include "EditorState.h"
#include "MainHost.h"
#include "PopupFace.h"
#include "PopupPlacement.h"
#include "cTypeDic.h"
#include "fAuto.h"
#include "platform/Paths.h"

namespace {

std::wstring SignatureListPath() { return platform::ProgramFolder() + L"\\Settings\\tarnelv.ini"; }

PopupFace* Popups() { return Host() ? Host()->Popups() : nullptr; }

} // namespace

void LoadObjectList() { AutoInsertLists::LoadObjectList(AutoInsertLists::TypeDic(), State().ObjectListPath, AutoSetupWindow()); }

void LoadVarList() { AutoInsertLists::LoadVarList(SignatureListPath()); }

long ResetAutoInsert() { return AutoInsertLists::ResetAutoInsert(State().ObjectListPath, AutoSetupWindow()); }

bool CheckVarList(const std::wstring& word) { return AutoInsertLists::TypeDic().CheckVarList(word); }

short ShowMemberPopup(const std::wstring& word)
{
    PopupFace* face = Popups();
    if (!face)
        return 0;
    face->ClearList();
    std::vector<std::wstring> names, texts;
    if (!AutoInsertLists::TypeDic().GetObjectTypeList(word, names, texts))
        return 0;
    for (size_t i = 0; i < names.size(); ++i)
        face->AddItem(names[i], AutoInsertLists::MemberKind(texts[i]), texts[i]);
    long x = 0, y = 0;
    const bool caret = face->CaretTwips(x, y);
    short flag = 0;
    const PopupPoint at = PopupPlacement::GetPopupPosition(face->EditorRect(), face->ListRect(), caret, x, y, flag);
    face->ShowList(at.X, at.Y, PopupMode::Member);
    Host()->ClearStatus();
    return flag;
}

short ShowParamInfo(const std::wstring& signature)
{
    const short count = AutoInsertLists::CountParams(signature);
    PopupFace* face = Popups();
    if (!face)
        return count;
    face->SetTipText(L" " + signature + L" ");
    long x = 0, y = 0;
    const bool caret = face->CaretTwips(x, y);
    const PopupPoint at = PopupPlacement::TipPosition(face->EditorRect(), caret, x, y, face->TipWidth());
    face->ShowTip(at.X, at.Y);
    return count;
}

std::wstring GetVarObject(const std::wstring& word) { return AutoInsertLists::GetVarObject(word); }

void ShowAutoInsertSetup()
{
    fAuto& f = AutoSetupWindow();
    f.Load();
    f.Show();
}

void ShowAutoInsertFor(const std::wstring& clsid, const std::wstring& progId) { AutoSetupWindow().ShowFor(clsid, progId); }
