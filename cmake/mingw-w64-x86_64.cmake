# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (the
# POSIX-threads variant, g++-mingw-w64-x86-64-posix), as scripts/test-windows
# uses it:
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DTAVRO_BUILD_VIEW=OFF -DTAVRO_GTEST_SOURCE_DIR=/usr/src/googletest
# The programs are linked statically, so that they run without the
# compiler's DLLs beside them (under Wine too).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVRO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAVRO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVRO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVRO_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVRO_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
