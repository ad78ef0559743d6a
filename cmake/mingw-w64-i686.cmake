# Toolchain file for Windows on i686 (32-bit):
#   cmake -S . -B build-win32 --toolchain cmake/mingw-w64-i686.cmake
set(ORVANEL_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
