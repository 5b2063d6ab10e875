// GetThreadId for the C++ runtime, where 32-bit Windows XP has none.
//
// From GCC 13, the win32 thread model's runtime compares threads with GetThreadId (libgcc's
// gthr-win32.o, which the C++ library's exception pool brings in whole). That function came
// with Windows Server 2003 and Vista, and 32-bit XP's loader refuses a program that imports
// what it lacks. So the import's slot is defined here: the linker takes it instead of
// kernel32's, and the program imports nothing for it. It reads the thread's id from ntdll, as
// the system's own does, on every Windows from XP on. The game starts no thread, so nothing
// calls it today; an older runtime does not refer to it at all, and the linker then leaves it
// out.
#include <windows.h>

namespace {

// What ntdll's NtQueryInformationThread gives for class 0, ThreadBasicInformation.
struct ThreadBasicInformation {
    LONG exitStatus;
    PVOID tebBaseAddress;
    HANDLE uniqueProcess;
    HANDLE uniqueThread;
    ULONG_PTR affinityMask;
    LONG priority;
    LONG basePriority;
};

using GetThreadIdFunction = DWORD(WINAPI*)(HANDLE);
using QueryThreadFunction = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);

DWORD WINAPI ThreadIdOf(HANDLE thread) {
    const FARPROC found =
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread");
    const auto query = reinterpret_cast<QueryThreadFunction>(reinterpret_cast<void (*)()>(found));
    ThreadBasicInformation information{};
    if (query == nullptr || query(thread, 0, &information, sizeof information, nullptr) < 0)
        return 0;
    return static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(information.uniqueThread));
}

} // namespace

// The slot's name: 32-bit names carry the call's argument bytes.
#ifdef _WIN64
#define MILDA_GET_THREAD_ID_SLOT "__imp_GetThreadId"
#else
#define MILDA_GET_THREAD_ID_SLOT "__imp__GetThreadId@4"
#endif
extern "C" {
GetThreadIdFunction milda_get_thread_id_slot __asm__(MILDA_GET_THREAD_ID_SLOT) = ThreadIdOf;
}
