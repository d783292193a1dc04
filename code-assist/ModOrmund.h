#pragma once
// ModOrmund: the registry side of the object browser. It reads the class,
// type-library and category keys under HKEY_CLASSES_ROOT and never writes;
// a key or value that cannot be read counts as empty.
#include <windows.h>

#include <string>
#include <vector>

namespace ModOrmund {

enum class ServerKind { InProcess = 0, Local = 1, None = 2 };

// The server file of a class: its InprocServer32 default, else its
// LocalServer32 default, with environment references expanded, quotes
// removed and a command-line switch (" /...") cut off. The file's existence
// is not tested. "" and ServerKind::None when neither is registered.
std::wstring GetServerPath(const std::wstring& clsid, ServerKind& kind);
// Expands "%NAME%" references and removes every double quote; "" when the
// expansion is longer than 253 characters.
std::wstring ExpandPath(const std::wstring& text);
// The names of a key's subkeys in the registry's order; {"none"} when the key
// cannot be opened or has none.
std::vector<std::wstring> EnumSubKeys(HKEY root, const std::wstring& key);
// The type-library file registered for the class (locale 0, win32): the first
// version in the registry's order whose file exists; "" when there is none.
std::wstring GetTypeLibFile(const std::wstring& clsid);

} // namespace ModOrmund
