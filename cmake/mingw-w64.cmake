# Cross-builds the Windows program with mingw-w64 on Debian:
#   cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The posix-thread compiler is used for everything because GoogleTest needs std::mutex,
# which the win32-thread one lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program links the C++ runtime in, so it runs with the system DLLs alone.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# ctest runs the cross-built test programs through Wine.
find_program(CHESS_WINE wine)
if(CHESS_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CHESS_WINE})
endif()
