#include "Reference.h"

#include "fascii.h"

void ShowReferenceWindow(short mode)
{
    ReferenceWindow().ShowText(mode == 1 ? reference::RefText::Codes : reference::RefText::Constants);
}
