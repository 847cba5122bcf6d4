# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix).
# The posix thread model is the one whose libstdc++ has std::thread and std::mutex.
#   cmake -S tests/wine -B build-wine --toolchain cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TEMPMON_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TEMPMON_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TEMPMON_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TEMPMON_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TEMPMON_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime: the programs run under Wine without the compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest starts the test programs through Wine (Debian puts wine64 outside the PATH).
find_program(TEMPMON_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT TEMPMON_WINE)
  find_program(TEMPMON_WINE NAMES wine64 wine)
endif()
if(TEMPMON_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TEMPMON_WINE})
endif()
