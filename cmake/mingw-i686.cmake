# Cross-compiling for 32-bit Windows with the posix-thread mingw-w64 compilers.
set(TOLVAN_TARGET_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
