# Cross-building the Windows program on Linux: MinGW-w64's 64-bit compilers
# (the -posix variants, which have std::thread), windres for the resources,
# and Wine to run what was built (the tests, through ctest).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VR_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VR_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VR_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VR_MINGW}-windres)
set(CMAKE_OBJDUMP ${VR_MINGW}-objdump CACHE FILEPATH "objdump for Windows programs")

# Libraries and headers of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${VR_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every Windows program the build runs goes through one script that keeps a
# booted prefix and one wineserver for the whole build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
