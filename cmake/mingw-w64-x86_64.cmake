# Cross-compiling for 64-bit Windows with MinGW-w64 (the POSIX-thread variant: GCC 12's win32-thread
# runtime has no std::thread / std::mutex). NIMBREL_WINDOWS_LIBS names the folder that
# scripts/windows-libs filled with libpng, libcurl and GoogleTest built for Windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(NIMBREL_MINGW_ROOT /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH ${NIMBREL_MINGW_ROOT})
if(DEFINED ENV{NIMBREL_WINDOWS_LIBS} AND NOT NIMBREL_WINDOWS_LIBS)
  set(NIMBREL_WINDOWS_LIBS $ENV{NIMBREL_WINDOWS_LIBS})
endif()
if(NIMBREL_WINDOWS_LIBS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${NIMBREL_WINDOWS_LIBS})
endif()
# Try-compiles and the library builds of scripts/windows-libs see the same variables.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES NIMBREL_WINDOWS_LIBS)

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# zlib ships a DLL import stub beside the static library, and CMake prefers the stub.
set(ZLIB_LIBRARY ${NIMBREL_MINGW_ROOT}/lib/libz.a CACHE FILEPATH "Static zlib for Windows")
set(ZLIB_INCLUDE_DIR ${NIMBREL_MINGW_ROOT}/include CACHE PATH "zlib headers for Windows")
