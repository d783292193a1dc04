#include "SendToAutoInsert.h"

#include "autoinsert/AutoInsert.h"

void SendToAutoInsert(const std::wstring& clsid, const std::wstring& progId) { ShowAutoInsertFor(clsid, progId); }
