#include "SettingsAccess.h"

#include "ClsFile.h"
#include "SettingsRecord.h"

namespace SettingsAccess {

bool NoColorCode() { return Settings().NoColorCode; }
void NoColorCode(bool value) { Settings().NoColorCode = value; }
bool NoLineDebug() { return Settings().NoLineDebug; }
bool NoCaretJump() { return Settings().NoCaretJump; }

std::vector<ExtEntry> ExtAliases()
{
    const auto& aliases = Settings().ExtAliases;
    std::vector<ExtEntry> out;
    // Element 0 of the array (by its own bounds) holds no alias.
    for (size_t i = 0; i < aliases.size(); ++i)
        if (static_cast<long>(i) + aliases.Lower >= 1 && !aliases[i].Ext.empty())
            out.push_back({aliases[i].Ext, EditorTypeOf(aliases[i].EdType)});
    return out;
}

} // namespace SettingsAccess
