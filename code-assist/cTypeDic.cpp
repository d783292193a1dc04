#include "cTypeDic.h"

#include "EditorState.h"
#include "SettingsAccess.h"
#include "SettingsRecord.h"
#include "KvRTB/KvRTB.h"
#include "MainHost.h"

cTypeDic::cTypeDic() : ObjectTypes(std::make_shared<ClsDic>()), ObjectVars(std::make_shared<ClsDic>())
{
    const auto& keys = Settings().HotKeys;
    for (size_t i = 0; i < ShortcutKeys.size(); ++i)
        ShortcutKeys[i] = i < keys.size() ? keys[i] : 1;
}

long cTypeDic::MakeObjectTypeList(const std::wstring& sVarNames, std::wstring& sClassName,
                                  const std::vector<std::wstring>& ANames, const std::vector<std::wstring>& aInfo)
{
    std::wstring name;
    for (wchar_t c : sClassName)
        if (c != L' ')
            name += c;
    sClassName = name;
    if (ObjectTypes->Exists(name) || sVarNames.empty())
        return -2;

    auto members = std::make_shared<ClsDic>();
    for (size_t i = 0; i < ANames.size(); ++i) {
        const std::wstring& member = ANames[i];
        // Control keys of the object list file ("Load*Startup", "var*").
        if (member.find(L'*') != std::wstring::npos || members->Exists(member))
            continue;
        if (i >= aInfo.size())
            return -1;  // the type is not registered: nothing would list its members
        members->Add(member, aInfo[i]);
    }
    ObjectTypes->AddDicItem(name, members);

    // Pieces are bound as they stand, an empty one too; the first binding wins.
    size_t from = 0;
    for (;;) {
        size_t comma = sVarNames.find(L',', from);
        std::wstring var = sVarNames.substr(from, comma == std::wstring::npos ? std::wstring::npos : comma - from);
        if (!ObjectVars->Exists(var))
            ObjectVars->Add(var, name);
        if (comma == std::wstring::npos)
            break;
        from = comma + 1;
    }
    return 0;
}

bool cTypeDic::GetObjectTypeList(const std::wstring& sVarName, std::vector<std::wstring>& ANames,
                                 std::vector<std::wstring>& aInfo) const
{
    std::wstring type = ObjectVars->Item(sVarName);
    if (!ObjectTypes->ObExists(type))
        return false;
    return ObjectTypes->GetDicItem(type, ANames, aInfo);
}

bool cTypeDic::CheckVarList(const std::wstring& sVarName) const { return ObjectVars->Exists(sVarName); }

void cTypeDic::VarBindings(std::vector<std::wstring>& names, std::vector<std::wstring>& types) const
{
    names.clear();
    types.clear();
    if (ObjectVars->Count() == 0)
        return;
    names = ObjectVars->Keys();
    types = ObjectVars->Items();
}

int cTypeDic::ShortcutIndex(long LKCode) const
{
    if (LKCode <= 1)
        return -1;  // 1 and below mark an unassigned action
    for (size_t i = 0; i < ShortcutKeys.size(); ++i)
        if (ShortcutKeys[i] == LKCode)
            return static_cast<int>(i);
    return -1;
}

bool cTypeDic::CheckKShortcuts(long LKCode)
{
    int index = ShortcutIndex(LKCode);
    if (index < 0)
        return false;
    RunShortcut(index);
    return true;
}

std::wstring cTypeDic::ClipTip(const std::wstring& text) { return text.substr(0, 30); }

namespace {

long SelLength()
{
    MainHost* h = Host();
    return h ? h->JT1().SelLength() : 0;
}

} // namespace

void cTypeDic::CaptureClip(int slot)
{
    MainHost* h = Host();
    if (!h || SelLength() <= 0)
        return;
    std::wstring text = h->JT1().SelText();
    (slot == 1 ? State().Clip1 : State().Clip2) = text;
    h->ShowClipFilled(slot, ClipTip(text));
}

void cTypeDic::RunShortcut(int index)
{
    MainHost* h = Host();
    if (!h)
        return;
    const EditorType type = State().EdType;
    switch (index) {
    case 0:
        if (SelLength() > 0)
            h->DoCut();
        break;
    case 1:
        if (SelLength() > 0)
            h->mCopy_Click();
        break;
    case 2: h->DoPaste(0); break;
    case 3: h->mOpenFile_Click(); break;
    case 4: h->mSavePlain_Click(); break;
    case 5: h->mPrint_Click(); break;
    case 6: h->mFind_Click(); break;
    case 7: h->mMulti_Click(); break;
    case 8: h->mChangeCase_Click(0); break;
    case 9: h->mChangeCase_Click(1); break;
    case 10: h->mChangeCase_Click(2); break;
    case 11: h->mAutoSet_Click(); break;
    case 12: h->mOmBrowse_Click(); break;
    case 13: h->MOmLib_Click(); break;
    case 14:
        // Scripts and style sheets run; pages are previewed instead.
        if (type == EditorType::CSS || type == EditorType::VBScript || type == EditorType::JavaScript)
            h->mRunScript_Click();
        break;
    case 15: h->mSelAll_Click(); break;
    case 16:
        if (h->JT1().CanUndo())
            h->mUndo_Click();
        break;
    case 17: h->DoPaste(1); break;
    case 18: h->DoPaste(2); break;
    case 19: CaptureClip(1); break;
    case 20: CaptureClip(2); break;
    case 21:
    case 22:
        if (type == EditorType::HTML || type == EditorType::CSS)
            h->bPropCSS_Click(static_cast<short>(index - 21));
        break;
    default: break;
    }
}
