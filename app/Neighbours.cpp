#include "Neighbours.h"

PageToolsCalls& PageTools()
{
    static PageToolsCalls calls;
    return calls;
}

CodeAssistCalls& CodeAssist()
{
    static CodeAssistCalls calls;
    return calls;
}
