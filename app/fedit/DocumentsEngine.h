#pragma once
// The rules of opening and saving documents that need no window: the
// recent-files update, when two paths name one document, and the Save As
// filters with the editor type each of them implies.
#include <array>
#include <string>

#include "EditorType.h"

// The four recent-file captions, most recent first ("" or "-" when unused).
using RecentList = std::array<std::wstring, 4>;

// Puts path at the top of the list, the oldest entry dropping off. Nothing
// changes for "Untitled" or for a path the list already holds (compared
// without regard to case): a listed path keeps its place. True when the
// list changed.
bool UpdateRecentList(RecentList& list, const std::wstring& path);

// True when both paths name the same document: compared without regard to
// case, each in its long form when the file exists (a short 8.3 name and its
// long name are one document). "Untitled" never matches anything.
bool SameDocumentPath(const std::wstring& a, const std::wstring& b);

// The Save As dialog's filters, 1-based: 1 HTML, 2 text, 3 VBScript, 4
// JavaScript, 5 ASP, 6 ASPX, 7 PHP, 8 CSS, 9 WSF, 10 WSC, 11 HTA, 12 all.
constexpr int kSaveFilterCount = 12;

// The filter the dialog starts with: by the document's extension when it has
// one, else by the default save type and the document's editor type. 0 when
// no filter fits.
int PreselectedSaveFilter(const std::wstring& extension, EditorType current, int defSaveExt);

// path with the extension of filter index (1..11) added when its file name
// has none (a dot in a folder name does not count); a typed extension is
// kept, and any other index leaves the path unchanged.
std::wstring ApplyFilterExtension(const std::wstring& path, int index);
// The filter a file saved under path with the picked filter was saved as:
// the picked one, unless the name kept an extension of another filter (or
// of none: the all-files filter, 12).
int SavedFilter(const std::wstring& path, int picked);

// What a Save As with the picked filter makes of the document.
struct SaveAsType {
    bool changesType = false;    // the document takes `type`
    EditorType type = EditorType::None;
    bool setsFlags = true;       // false: colouring and line checking stay as they were
    bool lineDebug = false;
    bool colour = false;
};
// knownType: the editor type the extension table gives the saved file's
// extension (read only for filter 12, "all files").
SaveAsType SaveAsTypeFor(int pickedIndex, EditorType knownType);
