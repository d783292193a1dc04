#pragma once
// Documents of the main window that need no window: which slot holds a file.
#include <string>

#include "DocumentsEngine.h"
#include "EditorType.h"

// The slot whose document is the file at path, or -1.
int OpenSlotOf(const std::wstring& path);
