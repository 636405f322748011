// Counts the heap allocations of the whole process at the C library's
// malloc, calloc and realloc, which operator new reaches too, so that each
// allocation counts once whoever makes it.
#pragma once

#include <cstdint>

namespace bench {

// Starts counting; before this, nothing is counted. False when allocations
// cannot be counted here, and no budget of allocations can be checked.
bool countAllocations();
int64_t allocations();

}  // namespace bench
