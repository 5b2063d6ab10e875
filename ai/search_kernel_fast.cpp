// The search built with POPCNT, LZCNT and BMI1 (this file only is compiled with -mpopcnt
// -mlzcnt -mbmi); used only where the processor reports all three.
#include "search_recursion.h"

const SearchKernel FAST_SEARCH_KERNEL = {"popcnt+lzcnt+bmi1", &KernelCountMoves,
                                         &KernelScoreMoves, &KernelSearch};
