#include "modfind.h"

bool FindVisible() { return false; }   // the find window fills this
void ShowFind() {}                     // the find window fills this
void CloseFind() {}                    // the find window fills this
void CloseFindButton() {}              // the find window fills this
void PositionFind() {}                 // the find window fills this
void GoToProcedure(const std::wstring&) {}   // the find window fills this
void ShowMultiReplace() {}             // the multi-file replace window fills this
