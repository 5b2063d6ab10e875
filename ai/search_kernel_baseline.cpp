// The search for every x86 processor (and any other): no instruction beyond the baseline.
#include "search_recursion.h"

const SearchKernel BASELINE_SEARCH_KERNEL = {"baseline", &KernelScoreMoves, &KernelSearch};
