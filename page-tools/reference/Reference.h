#pragma once
// The reference window: the character, key and SendKeys codes (mode 1) or
// the VBScript constants (any other mode), each text loaded once per load of
// the window.

void ShowReferenceWindow(short mode);
