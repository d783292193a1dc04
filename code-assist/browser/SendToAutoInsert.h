#pragma once
// Hands a class to the auto-insert setup window, which shows it ready for
// its lookup: the CLSID when one is given, else the ProgID.
#include <string>

void SendToAutoInsert(const std::wstring& clsid, const std::wstring& progId);
