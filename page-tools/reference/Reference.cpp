#include "Reference.h"

void LoadAscRef() {}   // the reference window fills this
void LoadMesRef() {}   // the reference window fills this
