#pragma once
// The auto-insert data: the object list file (tarnelt.ini: one section per
// object type, its members, its "var*" variable names and its start-up tick)
// read into the type dictionary, and the VBScript signature list
// (tarnelv.ini, section "vbs"). Also the small text rules the member popup
// and the parameter tip go by. Nothing here needs a window: the settings
// window's object list is reached through ObjectListBox.
#include <memory>
#include <string>

class ClsDic;
class cTypeDic;

namespace AutoInsertLists {

// The settings window's list of objects (boxAuto), as the loader fills it.
class ObjectListBox {
public:
    virtual ~ObjectListBox() = default;
    virtual void Clear() = 0;
    virtual void Add(const std::wstring& name, bool ticked) = 0;
};

// The program-wide type dictionary and VBScript signature list. The type
// dictionary is made on first use (after the settings record is read, for
// its copy of the shortcut keys) and replaced by ResetAutoInsert.
cTypeDic& TypeDic();
// Releases it (shutdown).
void ReleaseTypeDic();
ClsDic& VbsFunctionList();

// Fills dic with the ticked objects of the list file at path and lists
// every object in box. 0 loaded; -1 a failure stopped it; -2 the file was
// missing (now created empty); -3 it holds no section. box is left as it was
// unless there are sections to list.
long LoadObjectList(cTypeDic& dic, const std::wstring& path, ObjectListBox& box);
// Registers one section's members under its variables; an object without
// variables is not registered.
void LoadObjectMembers(cTypeDic& dic, const std::wstring& path, const std::wstring& section);
// Appends name to box, ticked when flag is 1.
void AddObjectListItem(ObjectListBox& box, const std::wstring& name, short flag);
// A fresh type dictionary (with a fresh copy of the shortcut keys), then
// LoadObjectList into it; the old dictionary is gone even when that fails.
long ResetAutoInsert(const std::wstring& path, ObjectListBox& box);

// Section "vbs" of the signature file into a new list (first of a name wins,
// empty names skipped); null when the file is missing or the section empty,
// so the caller keeps the list it has.
std::shared_ptr<ClsDic> ReadVarList(const std::wstring& path);
// ReadVarList into the program-wide list, when it found anything.
void LoadVarList(const std::wstring& path);
// The signature of a VBScript function or statement; "" when unknown.
std::wstring GetVarObject(const std::wstring& name);

// -2 when text has no "("; else 1 + the commas from its "(" on.
short CountParams(const std::wstring& text);
// The popup's marker for a member text ("Open(Path) - Method - ..."): -1
// property, -2 method, -3 event, 0 none. The kind word counts only when it
// starts less than five characters after the text's first "-".
long MemberKind(const std::wstring& memberText);
// The part of a member text that the tip shows: up to and including a ")"
// that comes before the first "-"; "" when there is none.
std::wstring MemberSignature(const std::wstring& memberText);

// True when the end of lineToCaret (a line's text up to the caret) lies in a
// string or a comment, where a typed period or "(" is text, not code: after
// an odd number of double quotes, or after an apostrophe or "Rem " outside
// them; for JavaScript also single quotes and "//".
bool InStringOrComment(const std::wstring& lineToCaret, bool javaScript);

} // namespace AutoInsertLists
