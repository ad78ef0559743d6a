# Toolchain file for Windows on x86_64 (64-bit):
#   cmake -S . -B build-win64 --toolchain cmake/mingw-w64-x86_64.cmake
set(ORVANEL_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
