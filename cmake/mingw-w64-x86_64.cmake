# Cross build for 64-bit Windows with Debian's MinGW-w64 (the posix thread model, so that
# std::thread and std::mutex work). Every program is linked statically: it needs only the
# DLLs that come with Windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOVAMO_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TOVAMO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOVAMO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOVAMO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOVAMO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Test programs run under Wine on the build machine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
# GCC 12 warns wrongly about std::string concatenation at -O3 (GCC bug 105329).
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
