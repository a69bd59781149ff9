// The one allocation routine that ends the program when memory runs out.
// What "ends" means belongs to the top of the program, which installs it
// here (as std::set_new_handler does), so low code never calls up.
#pragma once
#include <cstddef>

using AllocationFailureHandler = void (*)();

// Installs the handler run after the out-of-memory box; gives the previous one.
AllocationFailureHandler SetAllocationFailureHandler(AllocationFailureHandler handler);

// malloc, or after "There is not enough memory, aborting" the installed
// handler (the shutdown sequence) and none.
void* AllocateOrShutDown(size_t size);
