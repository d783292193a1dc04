#include "FaultGuard.h"

#include <windows.h>

#include <cstdint>

namespace platform {

namespace {

// The innermost guarded call of this thread: where to go back to.
thread_local intptr_t* t_resume = nullptr;

bool IsProcessorFault(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_BREAKPOINT:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
        return true;
    default:
        return false;
    }
}

[[noreturn]] void ResumeAfterFault()
{
    __builtin_longjmp(reinterpret_cast<void**>(t_resume), 1);
}

// Sends a fault inside a guarded call to ResumeAfterFault: the exception
// dispatch ends normally and the thread carries on from there, on the
// faulting stack, which lies below the guarded call's frame.
LONG CALLBACK OnException(EXCEPTION_POINTERS* info)
{
    if (!t_resume || !IsProcessorFault(info->ExceptionRecord->ExceptionCode))
        return EXCEPTION_CONTINUE_SEARCH;
    CONTEXT* c = info->ContextRecord;
#if defined(__x86_64__) || defined(_M_X64)
    // Below the faulting code's red zone, aligned as at a function's entry.
    c->Rsp = ((c->Rsp - 256) & ~DWORD64(15)) - 8;
    c->Rip = reinterpret_cast<DWORD64>(&ResumeAfterFault);
#else
    c->Esp = ((c->Esp - 256) & ~DWORD(15)) - 4;
    c->Eip = reinterpret_cast<DWORD>(&ResumeAfterFault);
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

// Registered once, for the whole run: the handler holds no resources.
void EnsureHandler()
{
    static const bool registered = AddVectoredExceptionHandler(1, &OnException) != nullptr;
    (void)registered;
}

} // namespace

bool RunGuarded(void (*call)(void* context), void* context)
{
    EnsureHandler();
    intptr_t resume[5];
    intptr_t* outer = t_resume;
    if (__builtin_setjmp(reinterpret_cast<void**>(resume)) != 0) {
        t_resume = outer;
        return false;
    }
    t_resume = resume;
    call(context);
    t_resume = outer;
    return true;
}

} // namespace platform
