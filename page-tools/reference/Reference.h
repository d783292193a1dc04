#pragma once
// The reference window's two texts: character codes, and VBScript constants.
// Each is filled on its first use.

void LoadAscRef();
void LoadMesRef();
