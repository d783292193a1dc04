#pragma once
// cTypeDic: the auto-insert type dictionary (object types with their members,
// script variables bound to a type) and the table of the 23 configurable
// Ctrl+letter shortcuts with the main-window action each one runs.
#include "ClsDic.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class cTypeDic {
public:
    enum { ShortcutCount = 23 };

    // Empty dictionaries; the shortcut table copied from the settings record
    // as it stands now (entries it lacks count as not assigned).
    cTypeDic();

    // Registers the type sClassName (blanks removed, also in the caller's
    // string) with the members ANames (texts in aInfo, same indexes) and binds
    // the variables of sVarNames ("," separated) to it. 0 registered; -2 the
    // type is known already or sVarNames is empty; -1 the lists did not match
    // (what was added before stays).
    long MakeObjectTypeList(const std::wstring& sVarNames, std::wstring& sClassName,
                            const std::vector<std::wstring>& ANames, const std::vector<std::wstring>& aInfo);
    // Members of the type bound to sVarName, in the order they were added;
    // False (arrays untouched) for an unbound variable.
    bool GetObjectTypeList(const std::wstring& sVarName, std::vector<std::wstring>& ANames,
                           std::vector<std::wstring>& aInfo) const;
    bool CheckVarList(const std::wstring& sVarName) const;
    // The bound variables and their types, in the order they were bound.
    void VarBindings(std::vector<std::wstring>& names, std::vector<std::wstring>& types) const;
    // Runs the action assigned to the letter code and returns True, whether
    // or not the action's own condition let it do anything; False for a key
    // with no action.
    bool CheckKShortcuts(long LKCode);

    // The index whose key is LKCode (the lowest when a letter is given twice), -1 none.
    int ShortcutIndex(long LKCode) const;
    // The tool tip of an extra clip's button: the text, cut to 30 characters.
    static std::wstring ClipTip(const std::wstring& text);

private:
    void RunShortcut(int index);
    void CaptureClip(int slot);

    std::shared_ptr<ClsDic> ObjectTypes;
    std::shared_ptr<ClsDic> ObjectVars;
    std::array<short, ShortcutCount> ShortcutKeys{};
};
