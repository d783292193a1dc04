#pragma once
// ModOrmund: the registry side of the object browser. It reads the class,
// type-library and category keys under HKEY_CLASSES_ROOT and never writes;
// a key or value that cannot be read counts as empty. Everything here is
// plain data in and out: the browser window shows what these return.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace ModOrmund {

enum class ServerKind { InProcess = 0, Local = 1, None = 2 };

// One row of the class list: the four columns, placeholders filled in.
struct ClassRow {
    std::wstring ProgId;  // "No ProgID" when the class has none
    std::wstring Clsid;
    std::wstring File;    // file name of the server, which exists
    std::wstring Name;    // "No Class Name" when the class has none
};

// The names of every subkey of an open key, in the registry's order. The
// name buffer starts at initialLength characters and grows whenever a name
// does not fit, so no key is skipped and the walk does not stop early.
std::vector<std::wstring> EnumKeyNames(HKEY key, DWORD initialLength = 256);
// The subkey names of "CLSID": every registered class.
std::vector<std::wstring> EnumClsids();
// The rows of the class list: every registered class whose server file
// exists, in the registry's order.
std::vector<ClassRow> ListClasses();

// The server file of a class: its InprocServer32 default, else its
// LocalServer32 default, with environment references expanded. A local
// server's value is a command line: a quoted program path, or a path
// followed by arguments such as -Embedding or /Automation, which are left
// off. The file's existence is not required. "" and ServerKind::None when
// neither value is registered.
std::wstring GetServerPath(const std::wstring& clsid, ServerKind& kind);
// The program path of one registered server value (already read).
std::wstring ServerFromValue(const std::wstring& value, ServerKind kind);
// The file name of the class's server when that file exists, else "".
std::wstring GetServerFile(const std::wstring& clsid);
// Expands "%NAME%" references and removes every double quote.
std::wstring ExpandPath(const std::wstring& text);
// The names of a key's subkeys in the registry's order; {"none"} when the key
// cannot be opened or has none.
std::vector<std::wstring> EnumSubKeys(HKEY root, const std::wstring& key);
// The type-library file registered for the class (locale 0, win64 before
// win32): the first version in the registry's order whose file exists; ""
// when there is none.
std::wstring GetTypeLibFile(const std::wstring& clsid);

// The class's registered ProgID, or "" (a ProgID "Lib.Class.1" stays whole).
std::wstring RegisteredProgId(const std::wstring& clsid);
// The CLSID a text names: itself when it is 38 characters long, else the
// CLSID registered for it as a ProgID ("" when none).
std::wstring ClsidOf(const std::wstring& clsidOrProgId);

// The lines of the category list: for each implemented category its
// identifier, its description lines and a spacer line " ".
std::vector<std::wstring> CategoryLines(const std::wstring& clsid);

// The property panel's eight fields, in the order of its labels.
enum Field { FilePath, Version, Created, Size, Modified, Company, ProgId, Clsid, FieldCount };
extern const std::array<const wchar_t*, FieldCount> kFieldNames;

struct ClassProps {
    std::array<std::wstring, FieldCount> Fields;
    std::vector<std::wstring> Categories;
    // The server file found (registered path, or the same name in the
    // System folder); "" when there is none.
    std::wstring ServerFile;
};
// The panel's fields for a class. progIdShown is the ProgID column's text of
// the class's row. A server found only in systemFolder fills the file fields
// from that file.
ClassProps ShowClassProps(const std::wstring& clsid, const std::wstring& progIdShown,
                          const std::wstring& systemFolder);
// The file fields (path, version, dates, size, company) of any file.
void FillFileFields(const std::wstring& path, ClassProps& props);

// The export and import lists of a server file as the panel shows them: the
// names, or the reader's message in place of a list.
struct FileLists {
    std::vector<std::wstring> Exports;
    std::vector<std::wstring> Imports;
};
FileLists ReadFileLists(const std::wstring& path, bool imageHelpPresent);

// The copy command's text of one row: ProgID, then "ProgID: " and the class
// name, then CLSID and file name, joined by " - ".
std::wstring CopyRow(const ClassRow& row);
// The first item from start on that contains text, ignoring case; -1 when none.
int FindInList(const std::vector<std::wstring>& items, const std::wstring& text, int start);

} // namespace ModOrmund
