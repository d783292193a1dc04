#include "ObjectBrowser.h"

void ShowObjectBrowser() {}            // the object browser fills this
void ShowLibrary() {}                  // the object browser's library window fills this
void GetFileProps(const std::wstring&) {}   // the object browser fills this
