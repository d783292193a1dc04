#include "PageText.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

#include "platform/Text.h"

namespace html {
namespace {

bool DeclaresUtf8(const std::string& bytes)
{
    std::string head = bytes.substr(0, 2048);
    std::transform(head.begin(), head.end(), head.begin(), [](unsigned char c) { return std::tolower(c); });
    size_t p = 0;
    while ((p = head.find("charset", p)) != std::string::npos) {
        p += 7;
        size_t q = p;
        while (q < head.size() && (head[q] == ' ' || head[q] == '=' || head[q] == '"' || head[q] == '\''))
            ++q;
        if (head.compare(q, 5, "utf-8") == 0 || head.compare(q, 4, "utf8") == 0)
            return true;
    }
    return false;
}

} // namespace

std::wstring DecodePageBytes(const std::string& bytes)
{
    if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
        static_cast<unsigned char>(bytes[1]) == 0xBB && static_cast<unsigned char>(bytes[2]) == 0xBF)
        return platform::FromCodePage(bytes.data() + 3, bytes.size() - 3, CP_UTF8);
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::wstring out((bytes.size() - 2) / 2, L'\0');
        for (size_t i = 0; i < out.size(); ++i)
            out[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                          (static_cast<unsigned char>(bytes[3 + 2 * i]) << 8));
        return out;
    }
    if (DeclaresUtf8(bytes)) {
        std::wstring w = platform::FromCodePage(bytes, CP_UTF8);
        if (!w.empty() || bytes.empty())
            return w;
    }
    return platform::FromCodePage(bytes, CP_ACP);
}

} // namespace html
