#pragma once
// The colour picker window.

// Shows the picker over the lower part of the main window with the focus in
// its code field; nothing happens while it is already shown.
void ShowColorPicker();
