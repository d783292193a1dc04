#pragma once
// Page bytes as text: UTF-8 when the page is marked or declared so (a byte
// order mark, or a meta charset of utf-8 near the top), UTF-16 with its byte
// order mark, otherwise the system code page the editor saves in.
#include <string>

namespace html {

std::wstring DecodePageBytes(const std::string& bytes);

} // namespace html
