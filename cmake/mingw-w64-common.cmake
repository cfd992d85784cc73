# Shared part of the MinGW-w64 toolchain files (POSIX-thread variant: GCC 12's win32-thread runtime
# has no std::thread / std::mutex). The including file sets NIMBREL_MINGW_TRIPLE, the processor and
# NIMBREL_WINNT, the oldest Windows of its architecture. NIMBREL_WINDOWS_LIBS names the folder that
# scripts/windows-libs filled with libpng, libcurl and GoogleTest built for it.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${NIMBREL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NIMBREL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${NIMBREL_MINGW_TRIPLE}-windres)

# The headers then offer nothing that the oldest system lacks; the libraries of scripts/windows-libs
# (curl picks its random source and locks by it) and the program are compiled alike.
set(CMAKE_C_FLAGS_INIT "-D_WIN32_WINNT=${NIMBREL_WINNT} -DWINVER=${NIMBREL_WINNT}")
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=${NIMBREL_WINNT} -DWINVER=${NIMBREL_WINNT}")

set(NIMBREL_MINGW_ROOT /usr/${NIMBREL_MINGW_TRIPLE})
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
