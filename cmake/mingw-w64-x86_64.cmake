# Cross-compiling for 64-bit Windows with MinGW-w64; the oldest 64-bit Windows is XP x64 / Server 2003.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(NIMBREL_MINGW_TRIPLE x86_64-w64-mingw32)
set(NIMBREL_WINNT 0x0502)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
