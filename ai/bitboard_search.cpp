#include "bitboard_search.h"

#include <cassert>

#if MILDA_HAS_FAST_SEARCH_KERNEL
#include <cpuid.h>
#endif

namespace {

// The fast kernel's needs, by where the processor (CPUID) and the operating system (XCR0) say so.
constexpr std::uint32_t LEAF1_ECX_POPCNT = 1u << 23;
constexpr std::uint32_t LEAF1_ECX_OSXSAVE = 1u << 27; // the system has enabled XGETBV
constexpr std::uint32_t EXT1_ECX_LZCNT = 1u << 5;
constexpr std::uint32_t LEAF7_EBX_BMI1 = 1u << 3;
constexpr std::uint32_t LEAF7_EBX_AVX2 = 1u << 5;
constexpr std::uint64_t XCR0_SSE_AND_AVX_STATE = 0x6; // the XMM and the upper YMM halves

#if MILDA_HAS_FAST_SEARCH_KERNEL
ProcessorAnswers ReadProcessorAnswers() {
    ProcessorAnswers p{};
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (__get_cpuid(1, &a, &b, &c, &d))
        p.leaf1Ecx = c;
    if (__get_cpuid(0x80000001u, &a, &b, &c, &d))
        p.ext1Ecx = c;
    if (__get_cpuid_count(7, 0, &a, &b, &c, &d))
        p.leaf7Ebx = b;
    // XGETBV is an illegal instruction until the system enables it.
    if (p.leaf1Ecx & LEAF1_ECX_OSXSAVE) {
        unsigned low = 0, high = 0;
        __asm__("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
        p.xcr0 = (std::uint64_t{high} << 32) | low;
    }
    return p;
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
        if (FastSearchKernelRuns(ReadProcessorAnswers()))
            l.kernels[l.count++] = &FAST_SEARCH_KERNEL;
#endif
        return l;
    }();
    return list;
}

} // namespace

bool FastSearchKernelRuns(const ProcessorAnswers& p) {
    const auto has = [](std::uint64_t word, std::uint64_t bits) { return (word & bits) == bits; };
    return has(p.leaf1Ecx, LEAF1_ECX_POPCNT | LEAF1_ECX_OSXSAVE) &&
           has(p.ext1Ecx, EXT1_ECX_LZCNT) && has(p.leaf7Ebx, LEAF7_EBX_BMI1 | LEAF7_EBX_AVX2) &&
           has(p.xcr0, XCR0_SSE_AND_AVX_STATE);
}

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
