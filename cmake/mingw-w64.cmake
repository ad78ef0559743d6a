# Cross-building for Windows with Debian's MinGW-w64 compilers (posix thread
# model), linked statically so that the executables need no DLL beside them.
# Included by the toolchain files, which set ORVANEL_MINGW_TRIPLET.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 6.1) # Windows 7 and later

set(CMAKE_C_COMPILER ${ORVANEL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVANEL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVANEL_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORVANEL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
