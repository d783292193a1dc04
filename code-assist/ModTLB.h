#pragma once
// ModTLB: hands the texts of the type-library reader ClsTLB to the object
// browser (the class text dictionary, State().ClassTextDic) and to the
// auto-insert setup (State().AutoInsertClassDic, each value one INI section
// ready to be written in one call).
#include <optional>
#include <string>

namespace ModTLB {

// Reads the library of path into a new ClassTextDic: the classes that are
// offered, in library order, then the enumerations, each name once (ignoring
// case). 0 on success; otherwise the reader's code with its message, and no
// dictionary. server, when given, receives the library's name.
long LoadTypeLibInfo(const std::wstring& path, std::wstring& message, std::wstring* server = nullptr);

// Fills AutoInsertClassDic with the classes of a library: from the file
// path when fromFile is set, else from the server of the class that clsid
// (38 characters) or progId names, and then from the class's registered
// type-library file when the server has none. A class found through the
// registry replaces clsid and progId with the registered ones. Returns "OK"
// (also when no class was added) or the message to show.
std::wstring AddClassToAutoList(std::wstring& clsid, std::wstring& progId, bool fromFile,
                                const std::optional<std::wstring>& filePath = std::nullopt);

// The server file of a class named by CLSID or, when clsid is not 38
// characters long, by ProgID: True with the path in out, or False with a
// message in out. clsid and progId receive the registered ones.
bool ResolveClass(std::wstring& clsid, std::wstring& progId, std::wstring& out);

} // namespace ModTLB
