# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix: the POSIX
# thread model, which std::thread and std::mutex need). The programs link the C and C++ runtimes
# and zlib statically, so an .exe needs nothing beside it but Windows' own DLLs. Wine runs what the
# build runs: test discovery, the tests and the demo skin generator.
#
#   cmake -S . -B build-windows --toolchain cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MORVISH_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MORVISH_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MORVISH_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${MORVISH_MINGW}-windres)

# Libraries and headers only from the MinGW tree, programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${MORVISH_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime: libgcc, libstdc++ and winpthread are linked into every program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Wine also has a zlib1.dll of its own, which would hide a program that needs one; link zlib in.
set(ZLIB_USE_STATIC_LIBS ON)

set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine-prefix)
