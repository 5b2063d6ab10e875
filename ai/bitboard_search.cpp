#include "bitboard_search.h"

#include <cassert>

#if MILDA_HAS_FAST_SEARCH_KERNEL
#include <cpuid.h>
#endif

namespace {

#if MILDA_HAS_FAST_SEARCH_KERNEL
// POPCNT (CPUID 1, ECX bit 23), LZCNT (CPUID 0x80000001, ECX bit 5), BMI1 and AVX2 (CPUID 7,
// EBX bits 3 and 5), and an operating system that saves the AVX registers (OSXSAVE, CPUID 1 ECX
// bit 27, and XCR0 bits 1 and 2).
bool ProcessorRunsFastKernel() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d))
        return false;
    const bool popcnt = (c & (1u << 23)) != 0;
    const bool osxsave = (c & (1u << 27)) != 0;
    if (!popcnt || !osxsave)
        return false;
    unsigned xcr0 = 0, xcr0High = 0;
    __asm__("xgetbv" : "=a"(xcr0), "=d"(xcr0High) : "c"(0));
    if ((xcr0 & 6u) != 6u)
        return false;
    if (!__get_cpuid(0x80000001u, &a, &b, &c, &d) || (c & (1u << 5)) == 0)
        return false;
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d))
        return false;
    return (b & (1u << 3)) != 0 && (b & (1u << 5)) != 0;
}
#endif

struct KernelList {
    const SearchKernel* kernels[2];
    int count;
};

const KernelList& Runnable() {
    static const KernelList list = [] {
        KernelList l{{&BASELINE_SEARCH_KERNEL, nullptr}, 1};
#if MILDA_HAS_FAST_SEARCH_KERNEL
        if (ProcessorRunsFastKernel())
            l.kernels[l.count++] = &FAST_SEARCH_KERNEL;
#endif
        return l;
    }();
    return list;
}

} // namespace

const SearchKernel& ChosenSearchKernel() {
    const KernelList& list = Runnable();
    return *list.kernels[list.count - 1];
}

const SearchKernel* const* RunnableSearchKernels(int* count) {
    const KernelList& list = Runnable();
    *count = list.count;
    return list.kernels;
}

CBitboardSearch::CBitboardSearch(const SearchRoot& root, const SearchKernel& kernel)
    : m_kernel(kernel), m_root(root) {
    assert(IsSearchColour(m_root.side));
}

std::vector<Candidate> CBitboardSearch::ScoreMoves(int depth, int colour) {
    if (!IsSearchColour(colour))
        return {};
    Candidate scored[MAX_MOVES];
    const int n = m_kernel.scoreMoves(m_root, depth, colour, scored, &m_nodes);
    return std::vector<Candidate>(scored, scored + n);
}

int CBitboardSearch::Search(int depth, int rest, int colour, int alpha, int beta) {
    // A colour that is no side has no move, nor has its "opponent": the line is over.
    if (!IsSearchColour(colour))
        return __builtin_popcountll(m_root.disc[m_root.side]);
    return m_kernel.search(m_root, depth, rest, colour, alpha, beta, &m_nodes);
}
