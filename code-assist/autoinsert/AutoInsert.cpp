#include "AutoInsert.h"

void LoadObjectList() {}                                       // the auto-insert window fills this
void LoadVarList() {}                                          // the auto-insert window fills this
short ShowMemberPopup(const std::wstring&) { return 0; }      // the auto-insert window fills this
short ShowParamInfo(const std::wstring&) { return 0; }        // the auto-insert window fills this
std::wstring GetVarObject(const std::wstring&) { return L""; }  // the auto-insert window fills this
void ShowAutoInsertSetup() {}                                  // the auto-insert window fills this
