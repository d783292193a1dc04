#include "NeighbourHooks.h"

NeighbourHooks& Hooks()
{
    static NeighbourHooks hooks;
    return hooks;
}

void ResetHooks()
{
    Hooks() = NeighbourHooks();
}
