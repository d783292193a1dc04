#include "SendToAutoInsert.h"

void SendToAutoInsert(const std::wstring& clsid, const std::wstring& progId)
{
    // Pending: the auto-insert setup window's ShowAutoInsertFor fills this.
    (void)clsid;
    (void)progId;
}
