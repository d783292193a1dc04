#pragma once
// Addresses a page names, resolved against the page's own file. Only local
// files can be read: anything with a network scheme resolves to nothing.
#include <string>

namespace html {

// The local path an address in a page names, relative to the folder of
// basePath (a Windows path); "" for network addresses, javascript: and
// other schemes, and for "#name" alone. "?query" and "#fragment" are cut.
std::wstring ResolveLocalPath(const std::wstring& basePath, const std::wstring& address);

// The address as a browser reports it in href and src: absolute, with a
// local path as "file:///C:/folder/name"; other schemes as written.
std::wstring AbsoluteUrl(const std::wstring& basePath, const std::wstring& address);

// The path of a file: URL, or the text itself when it is a path already.
std::wstring PathFromUrl(const std::wstring& url);

} // namespace html
