#pragma once
// The settings record fields that the document slots and the typing glue use,
// read and written in one place.
#include <string>
#include <vector>

#include "EditorType.h"

struct ExtEntry;

namespace SettingsAccess {

bool NoColorCode();
void NoColorCode(bool value);
bool NoLineDebug();
bool NoCaretJump();
// The user's extension aliases, without the unused element 0.
std::vector<ExtEntry> ExtAliases();

} // namespace SettingsAccess
