#include "platform/Module.h"

#include <vector>

namespace platform {

HMODULE ThisModule()
{
    return ModuleOfAddress(reinterpret_cast<const void*>(&ThisModule));
}

HMODULE ModuleOfAddress(const void* address)
{
    HMODULE m = nullptr;
    // A null address would name the program itself.
    if (!address)
        return nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(address), &m))
        return nullptr;
    return m;
}

std::wstring ModulePath(HMODULE module)
{
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(module, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0)
            return L"";
        if (n < buf.size())
            return std::wstring(buf.data(), n);
        if (buf.size() >= 32768)
            return L"";
        buf.resize(buf.size() * 2);
    }
}

std::wstring ModuleFolder(HMODULE module)
{
    std::wstring path = ModulePath(module);
    size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return L"";
    std::wstring folder = path.substr(0, slash);
    if (folder.size() == 2 && folder[1] == L':')
        folder += L'\\';
    return folder;
}

std::wstring ProgramFolder()
{
    return ModuleFolder(ThisModule());
}

} // namespace platform
