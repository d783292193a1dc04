#include "cTypeDic.h"

#include "EditorState.h"
#include "SettingsAccess.h"
#include "SettingsRecord.h"
#include "ShortcutActions.h"

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

template <class F, class... A>
void Run(const F& f, A... args)
{
    if (f)
        f(args...);
}

long SelLength()
{
    const auto& q = MainWindowActions().SelLength;
    return q ? q() : 0;
}

} // namespace

void cTypeDic::CaptureClip(int slot)
{
    ShortcutActions& a = MainWindowActions();
    if (SelLength() <= 0 || !a.SelText)
        return;
    std::wstring text = a.SelText();
    (slot == 1 ? State().Clip1 : State().Clip2) = text;
    Run(a.ShowClipFilled, slot, ClipTip(text));
}

void cTypeDic::RunShortcut(int index)
{
    ShortcutActions& a = MainWindowActions();
    const EditorType type = SettingsAccess::LastEdType();
    switch (index) {
    case 0:
        if (SelLength() > 0)
            Run(a.DoCut);
        break;
    case 1:
        if (SelLength() > 0)
            Run(a.mCopy_Click);
        break;
    case 2: Run(a.DoPaste, short(0)); break;
    case 3: Run(a.mOpenFile_Click); break;
    case 4: Run(a.mSavePlain_Click); break;
    case 5: Run(a.mPrint_Click); break;
    case 6: Run(a.mFind_Click); break;
    case 7: Run(a.mMulti_Click); break;
    case 8: Run(a.mChangeCase_Click, short(0)); break;
    case 9: Run(a.mChangeCase_Click, short(1)); break;
    case 10: Run(a.mChangeCase_Click, short(2)); break;
    case 11: Run(a.ShowAutoInsertSetup); break;
    case 12: Run(a.mOmBrowse_Click); break;
    case 13: Run(a.MOmLib_Click); break;
    case 14:
        // Scripts and style sheets run; pages are previewed instead.
        if (type == EditorType::CSS || type == EditorType::VBScript || type == EditorType::JavaScript)
            Run(a.mRunScript_Click);
        break;
    case 15: Run(a.mSelAll_Click); break;
    case 16:
        if (a.CanUndo && a.CanUndo())
            Run(a.mUndo_Click);
        break;
    case 17: Run(a.DoPaste, short(1)); break;
    case 18: Run(a.DoPaste, short(2)); break;
    case 19: CaptureClip(1); break;
    case 20: CaptureClip(2); break;
    case 21:
    case 22:
        if (type == EditorType::HTML || type == EditorType::CSS)
            Run(a.bPropCSS_Click, short(index - 21));
        break;
    default: break;
    }
}
