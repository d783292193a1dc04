#include "PreviewFiles.h"

#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace PreviewFiles {


std::wstring PageName(const std::wstring& folder, int n)
{
    return platform::WithoutTrailingBackslash(folder) + L"\\tarneltemp" + std::to_wstring(n) + L".html";
}

std::wstring FreePage(const std::wstring& folder)
{
    for (int n = 1; n <= MaxPages; ++n) {
        const std::wstring name = PageName(folder, n);
        if (platform::FileAttributes(name) == INVALID_FILE_ATTRIBUTES)
            return name;
    }
    return L"";
}

std::wstring OtherBrowserCopy(const std::wstring& folder, const std::wstring& extension)
{
    return platform::WithoutTrailingBackslash(folder) + L"\\t4othbr." + extension;
}

} // namespace PreviewFiles
