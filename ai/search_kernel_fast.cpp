// The search built with POPCNT, LZCNT, BMI1 and AVX2 (this file only is compiled with -mpopcnt
// -mlzcnt -mbmi -mavx2); used only where the processor and the operating system support all four.
#include "search_recursion.h"

const SearchKernel FAST_SEARCH_KERNEL = {"popcnt+lzcnt+bmi1+avx2", &KernelScoreMoves,
                                         &KernelSearch};
