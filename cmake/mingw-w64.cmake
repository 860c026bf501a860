# Cross-building the engine, its tests and orvalt99-cli for 64-bit Windows
# with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix), tests run under Wine
# (cmake/wine.cmake). The windows need Qt, which Debian has no MinGW build
# of: the preset "windows" leaves them out.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORVALT_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVALT_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVALT_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVALT_MINGW_TRIPLET}-windres)

# Libraries and headers from the MinGW tree only; programs (Wine) from the
# build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${ORVALT_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One .exe that needs no MinGW DLL beside it (libstdc++, libgcc, winpthread).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# localtime_r and the other reentrant POSIX time functions, which MinGW
# declares only on request.
set(CMAKE_CXX_FLAGS_INIT "-D_POSIX_THREAD_SAFE_FUNCTIONS=200112L")
