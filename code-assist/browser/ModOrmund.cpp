#include "ModOrmund.h"

#include "CPEFormat.h"
#include "GetRegString.h"
#include "ModFileOps.h"
#include "platform/Files.h"
#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace ModOrmund {

const std::array<const wchar_t*, FieldCount> kFieldNames = {
    L"FILE", L"Version", L"Date Created", L"Size", L"Date Last Mod.", L"Company", L"ProgID", L"CLSID"};

namespace {

std::wstring ClassValue(const std::wstring& clsid, const std::wstring& subkey)
{
    return GetRegString(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid + subkey, L"");
}

// The default text value (REG_SZ or REG_EXPAND_SZ) of an open key's subkey,
// or of the key itself when subkey is empty; "" when it cannot be read. The
// class scan reads three of these for every class, and each registry call is
// a server round trip under Wine: the class key is opened once, and a value
// that fits the buffer is read in one query instead of a size query first.
std::wstring SubkeyText(HKEY key, const wchar_t* subkey)
{
    platform::RegKey opened;
    if (*subkey) {
        if (RegOpenKeyExW(key, subkey, 0, KEY_QUERY_VALUE, opened.Out()) != ERROR_SUCCESS)
            return L"";
        key = opened.Get();
    }
    wchar_t small[MAX_PATH];
    DWORD type = 0, bytes = sizeof(small);
    LONG rc = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(small), &bytes);
    std::wstring text;
    if (rc == ERROR_SUCCESS) {
        text.assign(small, bytes / sizeof(wchar_t));
    } else if (rc == ERROR_MORE_DATA) {
        text.assign(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &got) !=
            ERROR_SUCCESS)
            return L"";
        text.resize(got / sizeof(wchar_t));
    } else {
        return L"";
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return L"";
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

// The registered server value of an open class key: InprocServer32, else
// LocalServer32; "" and ServerKind::None when neither is registered.
std::wstring ServerValue(HKEY classKey, ServerKind& kind)
{
    std::wstring value = SubkeyText(classKey, L"InprocServer32");
    if (!value.empty()) {
        kind = ServerKind::InProcess;
        return value;
    }
    value = SubkeyText(classKey, L"LocalServer32");
    kind = value.empty() ? ServerKind::None : ServerKind::Local;
    return value;
}

std::wstring ExpandEnvironment(const std::wstring& text)
{
    if (text.find(L'%') == std::wstring::npos)
        return text;
    DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (needed < 2)
        return L"";
    std::wstring out(needed, L'\0');
    DWORD n = ExpandEnvironmentStringsW(text.c_str(), out.data(), needed);
    if (n < 2 || n > needed)
        return L"";
    out.resize(n - 1);
    return out;
}

std::wstring WithoutQuotes(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text)
        if (c != L'"')
            out += c;
    return out;
}

std::wstring CutAt(const std::wstring& text, const wchar_t* what)
{
    size_t at = text.find(what);
    return at == std::wstring::npos ? text : text.substr(0, at);
}

// An unquoted command line: the shortest leading part up to a blank that
// names a file, as the system starts such a program; when none does, the
// text before the first switch.
std::wstring ProgramOfCommand(const std::wstring& command)
{
    for (size_t blank = command.find(L' '); blank != std::wstring::npos; blank = command.find(L' ', blank + 1))
        if (platform::FileExists(command.substr(0, blank)))
            return command.substr(0, blank);
    if (platform::FileExists(command))
        return command;
    return CutAt(CutAt(command, L" /"), L" -");
}

std::wstring ValueOr(const std::wstring& value, const wchar_t* placeholder)
{
    return value.empty() ? placeholder : value;
}

void AddSplit(const std::wstring& list, std::vector<std::wstring>& to)
{
    if (list.empty())
        return;
    size_t start = 0;
    for (;;) {
        size_t caret = list.find(L'^', start);
        to.push_back(list.substr(start, caret - start));
        if (caret == std::wstring::npos)
            break;
        start = caret + 1;
    }
}

} // namespace

std::vector<std::wstring> EnumKeyNames(HKEY key, DWORD initialLength)
{
    std::vector<std::wstring> names;
    std::vector<wchar_t> name(initialLength < 2 ? 2 : initialLength);
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(name.size());
        LONG rc = RegEnumKeyExW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA && name.size() < 65536) {
            // The same key again with room for its name.
            name.resize(name.size() * 2);
            continue;
        }
        if (rc != ERROR_SUCCESS)
            break;
        names.emplace_back(name.data(), length);
        ++index;
    }
    return names;
}

std::vector<std::wstring> EnumClsids()
{
    platform::RegKey classes;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_READ, classes.Out()) != ERROR_SUCCESS)
        return {};
    return EnumKeyNames(classes.Get());
}

std::vector<ClassRow> ListClasses()
{
    std::vector<ClassRow> rows;
    platform::RegKey classes;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_READ, classes.Out()) != ERROR_SUCCESS)
        return rows;
    for (const std::wstring& clsid : EnumKeyNames(classes.Get())) {
        platform::RegKey key;
        if (RegOpenKeyExW(classes.Get(), clsid.c_str(), 0, KEY_READ, key.Out()) != ERROR_SUCCESS)
            continue;
        ServerKind kind;
        std::wstring value = ServerValue(key.Get(), kind);
        std::wstring path = value.empty() ? L"" : ServerFromValue(value, kind);
        if (path.empty() || !platform::FileExists(path))
            continue;
        rows.push_back({ValueOr(SubkeyText(key.Get(), L"ProgID"), L"No ProgID"), clsid, platform::GetFileName(path),
                        ValueOr(SubkeyText(key.Get(), L""), L"No Class Name")});
    }
    return rows;
}

std::wstring GetServerPath(const std::wstring& clsid, ServerKind& kind)
{
    kind = ServerKind::None;
    platform::RegKey key;
    if (clsid.empty() ||
        RegOpenKeyExW(HKEY_CLASSES_ROOT, (L"CLSID\\" + clsid).c_str(), 0, KEY_READ, key.Out()) != ERROR_SUCCESS)
        return L"";
    std::wstring value = ServerValue(key.Get(), kind);
    return value.empty() ? L"" : ServerFromValue(value, kind);
}

std::wstring ServerFromValue(const std::wstring& value, ServerKind kind)
{
    std::wstring text = platform::TrimBlanks(ExpandEnvironment(value));
    if (!text.empty() && text[0] == L'"') {
        size_t close = text.find(L'"', 1);
        return text.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1);
    }
    // An in-process server names a file, which may hold blanks.
    if (kind == ServerKind::InProcess)
        return WithoutQuotes(CutAt(text, L" /"));
    return WithoutQuotes(ProgramOfCommand(text));
}

std::wstring GetServerFile(const std::wstring& clsid)
{
    ServerKind kind;
    std::wstring path = GetServerPath(clsid, kind);
    return !path.empty() && platform::FileExists(path) ? platform::GetFileName(path) : L"";
}

std::wstring ExpandPath(const std::wstring& text)
{
    return WithoutQuotes(ExpandEnvironment(text));
}

std::vector<std::wstring> EnumSubKeys(HKEY root, const std::wstring& key)
{
    std::vector<std::wstring> names;
    platform::RegKey opened;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, opened.Out()) == ERROR_SUCCESS)
        names = EnumKeyNames(opened.Get());
    if (names.empty())
        names.push_back(L"none");
    return names;
}

std::wstring GetTypeLibFile(const std::wstring& clsid)
{
    std::wstring libid = ClassValue(clsid, L"\\TypeLib");
    if (libid.size() < 30)
        return L"";
    std::vector<std::wstring> versions = EnumSubKeys(HKEY_CLASSES_ROOT, L"TypeLib\\" + libid);
    if (platform::SameText(versions[0], L"none"))
        return L"";
    // A 64-bit program's libraries are registered under win64; a fresh
    // system registers its own there and none under win32.
    for (const std::wstring& version : versions)
        for (const wchar_t* platformKey : {L"\\0\\win64", L"\\0\\win32"}) {
            std::wstring path = GetRegString(HKEY_CLASSES_ROOT, L"TypeLib\\" + libid + L"\\" + version + platformKey, L"");
            if (platform::FileExists(path))
                return path;
        }
    return L"";
}

std::wstring RegisteredProgId(const std::wstring& clsid)
{
    return clsid.empty() ? L"" : ClassValue(clsid, L"\\ProgID");
}

std::wstring ClsidOf(const std::wstring& clsidOrProgId)
{
    if (clsidOrProgId.size() == 38)
        return clsidOrProgId;
    if (clsidOrProgId.empty())
        return L"";
    std::wstring clsid = GetRegString(HKEY_CLASSES_ROOT, clsidOrProgId + L"\\CLSID", L"");
    return clsid.size() == 38 ? clsid : L"";
}

std::vector<std::wstring> CategoryLines(const std::wstring& clsid)
{
    static const wchar_t kSafeForScripting[] = L"{7DD95801-9882-11CF-9FA9-00AA006C42C4}";
    static const wchar_t kSafeForInitialization[] = L"{7DD95802-9882-11CF-9FA9-00AA006C42C4}";
    std::vector<std::wstring> lines;
    std::vector<std::wstring> ids = EnumSubKeys(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid + L"\\Implemented Categories");
    if (platform::SameText(ids[0], L"none"))
        return lines;
    for (const std::wstring& id : ids) {
        lines.push_back(id);
        if (platform::SameText(id, kSafeForScripting)) {
            lines.push_back(L"Safe for Scripting");
        } else if (platform::SameText(id, kSafeForInitialization)) {
            lines.push_back(L"Safe for Initialization");
        } else {
            for (const wchar_t* locale : {L"409", L"400"}) {
                std::wstring text = GetRegString(HKEY_CLASSES_ROOT, L"Component Categories\\" + id, locale);
                if (!text.empty())
                    lines.push_back(text);
            }
        }
        lines.push_back(L" ");
    }
    return lines;
}

void FillFileFields(const std::wstring& path, ClassProps& props)
{
    props.Fields[FilePath] = path;
    ModFileOps::FileInfo info;
    ModFileOps::GetFileInfo(path, info);
    props.Fields[Version] = info.FileVersion;
    props.Fields[Created] = info.Created;
    props.Fields[Modified] = info.Modified;
    props.Fields[Size] = info.Size;
    props.Fields[Company] = info.CompanyName;
}

ClassProps ShowClassProps(const std::wstring& clsid, const std::wstring& progIdShown, const std::wstring& systemFolder)
{
    ClassProps props;
    ServerKind kind;
    std::wstring path = GetServerPath(clsid, kind);
    if (platform::FileExists(path))
        props.ServerFile = path;
    else if (!path.empty() && platform::FileExists(platform::JoinPath(systemFolder, path)))
        props.ServerFile = platform::JoinPath(systemFolder, path);
    if (props.ServerFile.empty())
        props.Fields[FilePath] = L"File not found";
    else
        FillFileFields(props.ServerFile, props);
    props.Fields[Clsid] = clsid;
    props.Fields[ProgId] = progIdShown;
    props.Categories = CategoryLines(clsid);
    return props;
}

FileLists ReadFileLists(const std::wstring& path, bool imageHelpPresent)
{
    FileLists lists;
    if (!imageHelpPresent) {
        lists.Exports.push_back(L"Required file, IMAGEHLP.DLL, is missing.");
        lists.Imports.push_back(L"Required file, IMAGEHLP.DLL, is missing.");
        return lists;
    }
    CPEFormat pe;
    std::wstring list, message;
    if (pe.GetPEExports(path, list, message))
        AddSplit(list, lists.Exports);
    else
        lists.Exports.push_back(message);
    list.clear();
    if (pe.GetDepDLLs(path, list, message))
        AddSplit(list, lists.Imports);
    else
        lists.Imports.push_back(message);
    return lists;
}

std::wstring CopyRow(const ClassRow& row)
{
    // The second field is the class name, behind the label "ProgID: ".
    return row.ProgId + L" - " + L"ProgID: " + row.Name + L" - " + row.Clsid + L" - " + row.File;
}

int FindInList(const std::vector<std::wstring>& items, const std::wstring& text, int start)
{
    if (text.empty())
        return -1;
    std::wstring wanted = platform::Lower(text);
    for (int i = start < 0 ? 0 : start; i < static_cast<int>(items.size()); ++i)
        if (platform::Lower(items[i]).find(wanted) != std::wstring::npos)
            return i;
    return -1;
}

} // namespace ModOrmund
