#include "base/allocation_win.h"

#include <cstdlib>
#include <windows.h>

namespace {

AllocationFailureHandler s_failureHandler;

}  // namespace

AllocationFailureHandler SetAllocationFailureHandler(AllocationFailureHandler handler)
{
    AllocationFailureHandler previous = s_failureHandler;
    s_failureHandler = handler;
    return previous;
}

void* AllocateOrShutDown(size_t size)
{
    void* block = malloc(size);
    if (block)
        return block;
    MessageBoxW(nullptr, L"There is not enough memory, aborting", L"Error", MB_ICONERROR);
    if (s_failureHandler)
        s_failureHandler();
    return nullptr;
}
