// The executable's terminate handler, in place of the C++ library's default one.
//
// The default handler prints the name of the uncaught exception on the standard error stream,
// and brings a C++ name demangler (some 45 KB) along to write it. A GUI program has no such
// stream, so both end the same way: abort(). The link (app/CMakeLists.txt) sends every
// reference to the default handler here with --wrap, which leaves the demangler out.
#include <cstdlib>

extern "C" [[noreturn]] void __wrap__ZN9__gnu_cxx27__verbose_terminate_handlerEv() { std::abort(); }
