#include "ModTLB.h"

#include "ClsDic.h"
#include "ClsTLB.h"
#include "EditorState.h"
#include "GetRegString.h"
#include "ModFileOps.h"
#include "browser/ModOrmund.h"
#include "Runtime.h"

#include <memory>
#include <new>

namespace ModTLB {

long LoadTypeLibInfo(const std::wstring& path, std::wstring& message, std::wstring* server)
{
    State().ClassTextDic.reset();
    ClsTLB reader;
    long code = reader.GetTLib(path, message, false);
    if (code != 0)
        return code;
    auto texts = std::make_shared<ClsDic>();
    State().ClassTextDic = texts;
    if (server)
        *server = reader.Server();
    for (long i = 1; i <= reader.ClassesCount(); ++i)
        if (reader.IsValid(i) && !texts->Exists(reader.ClassName(i)))
            texts->Add(reader.ClassName(i), reader.GetClassString(i));
    for (long i = 1; i <= reader.EnumsCount(); ++i)
        if (!texts->Exists(reader.EnumName(i)))
            texts->Add(reader.EnumName(i), reader.GetEnumString(i));
    return 0;
}

std::wstring AddClassToAutoList(std::wstring& clsid, std::wstring& progId, bool fromFile,
                                const std::optional<std::wstring>& filePath)
{
    auto& classes = State().AutoInsertClassDic;
    if (!classes)
        classes = std::make_shared<ClsDic>();
    classes->RemoveAll();
    const std::wstring& listFile = State().ObjectListPath;
    if (!ModFileOps::FileExists(listFile))
        ModFileOps::WriteTextFile(listFile, L"");
    if (!ModFileOps::FileExists(listFile))
        return L"Error. tarnelt.ini file missing from program folder.";
    try {
        std::wstring path;
        if (fromFile) {
            if (!filePath)
                return L"Error. No file path.";
            path = *filePath;
        } else {
            std::wstring resolvedClsid = clsid, resolvedProgId = progId;
            if (!ResolveClass(resolvedClsid, resolvedProgId, path))
                return path;
            clsid = resolvedClsid;
            progId = resolvedProgId;
        }
        ClsTLB reader;
        std::wstring message;
        long code = reader.GetTLib(path, message, true);
        forms::DoEvents();
        if (code != 0 && !fromFile) {
            std::wstring library = ModOrmund::GetTypeLibFile(clsid);
            if (!library.empty())
                code = reader.GetTLib(library, message, true);
        }
        if (code != 0)
            return message;
        for (long i = 1; i <= reader.ClassesCount(); ++i) {
            if (!reader.IsValid(i))
                continue;
            std::wstring key = reader.Server() + L"." + reader.ClassName(i);
            if (!classes->Exists(key))
                classes->Add(key, reader.GetClassStringAI(i) + L'\0');
        }
        return L"OK";
    } catch (const std::bad_alloc&) {
        return L"No type information found.";
    }
}

bool ResolveClass(std::wstring& clsid, std::wstring& progId, std::wstring& out)
{
    try {
        if (clsid.size() != 38) {
            std::wstring registered = GetRegString(HKEY_CLASSES_ROOT, progId + L"\\CLSID", L"");
            if (registered.size() != 38) {
                out = L"No CLSID found for ProgID";
                return false;
            }
            clsid = registered;
        }
        std::wstring registeredProgId = GetRegString(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid + L"\\ProgID", L"");
        if (!registeredProgId.empty()) {
            // Lib.Class.1 names the class Lib.Class.
            size_t first = registeredProgId.find(L'.');
            size_t second = first == std::wstring::npos ? first : registeredProgId.find(L'.', first + 1);
            progId = registeredProgId.substr(0, second);
        }
        ModOrmund::ServerKind kind;
        std::wstring server = ModOrmund::GetServerPath(clsid, kind);
        if (kind == ModOrmund::ServerKind::None) {
            out = L"No Registry listing for class.";
            return false;
        }
        if (!ModFileOps::FileExists(server)) {
            out = L"File for this class is missing.";
            return false;
        }
        out = server;
        return true;
    } catch (const std::bad_alloc&) {
        out = L"Error. Unable to find documentation for this CLSID or ProgID.";
        return false;
    }
}

} // namespace ModTLB
