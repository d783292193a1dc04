#pragma once
// Documents entering the main window: the one loader every way in ends in,
// and the empty "Untitled" document of start-up.
#include <string>

#include "DocumentsEngine.h"
#include "EditorType.h"

class fedit;

// The window takes the type of the document now shown, `from` being the type
// shown before: its menu and tool-bar set when the kind changes, the
// record's editor type and the type name. A document of no known type
// changes none of them.
void ShowDocumentType(fedit& f, EditorType from, EditorType to);

// Puts the path at the top of the recent-file items unless it is listed or untitled.
void UpdateRecentFiles(fedit& f, const std::wstring& path);
// The recent-file items show the list; unused entries are hidden, and so is
// the separator below the items while none shows.
void ShowRecentFiles(fedit& f, const RecentList& list);
// The slot whose document is the file at path, or -1.
int OpenSlotOf(const std::wstring& path);
