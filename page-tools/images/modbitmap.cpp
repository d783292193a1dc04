#include "modbitmap.h"

void ShowImage(const std::wstring&) {}          // the image viewer fills this
void InsertImageCode(int) {}                    // the image viewer fills this
std::wstring ImageFileName() { return L""; }    // the image viewer fills this
std::wstring ImageWidth() { return L""; }       // the image viewer fills this
std::wstring ImageHeight() { return L""; }      // the image viewer fills this
