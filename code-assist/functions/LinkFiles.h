#pragma once
// The function popup's tables of the document shown, and the linking and
// unlinking of include files in the current editor.
#include "FuncLists.h"

#include <string>

// The one set of tables, for the document shown.
FuncLists& DocFuncLists();

// Adds the file's declarations and the file to the tables; with insertMarker
// also writes its marker line into the current document, in the debug
// colour, leaving the caret at the start.
void AddLinkFile(const std::wstring& path, bool insertMarker);
// Drops the file's declarations and the file, and deletes its marker line
// from the current document. Nothing happens when the file is not linked.
void RemoveLinkFile(const std::wstring& path);
