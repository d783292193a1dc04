#pragma once
// The colour picker window.

void ShowColorPicker();
