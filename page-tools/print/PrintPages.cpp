#include "PrintPages.h"

namespace PrintPages {

std::wstring HeaderLine(const std::wstring& title, bool titleOption, bool numberOption, long page)
{
    if (!titleOption && !numberOption)
        return L"";
    std::wstring line = L"\t\t";
    if (titleOption)
        line += title;
    if (numberOption)
        line += L"  Page " + std::to_wstring(page);
    return line;
}

bool IsLastPage(long returned, long pageStart, long length)
{
    return returned >= length || returned < 1 || returned <= pageStart;
}

} // namespace PrintPages
