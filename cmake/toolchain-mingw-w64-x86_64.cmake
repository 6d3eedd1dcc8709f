# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64).
# The POSIX thread model is named on purpose: the plain compilers are the win32 model,
# whose standard library has no std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZARVEL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZARVEL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZARVEL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZARVEL_MINGW_TRIPLET}-windres)

# Everything, the C++ runtime and winpthread included, goes into the executable, so it
# runs without any MinGW DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Headers, libraries and packages come from the MinGW tree only, never from the host;
# programs (the tools that run during the build) come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ZARVEL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Lets ctest and test discovery start the Windows executables here, through Wine.
find_program(ZARVEL_WINE NAMES wine wine64)
if(ZARVEL_WINE AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZARVEL_WINE})
endif()
