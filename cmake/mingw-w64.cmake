# Cross-compiles for Windows with Debian's mingw-w64 (posix thread model), for the processor of
# the target triple that the including toolchain file sets in MILDA_MINGW_TRIPLE.
string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR "${MILDA_MINGW_TRIPLE}")
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${MILDA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MILDA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MILDA_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MILDA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
