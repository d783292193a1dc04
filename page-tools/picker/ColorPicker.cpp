#include "ColorPicker.h"

void ShowColorPicker() {}   // the colour picker window fills this
