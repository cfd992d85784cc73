# Cross-compiling for 32-bit Windows with MinGW-w64; the oldest system kept is Windows XP.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(NIMBREL_MINGW_TRIPLE i686-w64-mingw32)
set(NIMBREL_WINNT 0x0501)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
