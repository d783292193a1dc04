#pragma once
// Resource ids of TARNEL.exe.

#define IDI_TARNEL 1
