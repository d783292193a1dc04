#include "ColorPicker.h"

#include "fColorPicker.h"

void ShowColorPicker() { ColorPickerWindow().ShowPicker(); }
