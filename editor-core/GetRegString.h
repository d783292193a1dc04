#pragma once
// Reads one string value from the registry; "" when the key or value cannot be
// read. An empty name reads the key's default value. Never writes.
#include <windows.h>

#include <string>

std::wstring GetRegString(HKEY root, const std::wstring& subkey, const std::wstring& name);
