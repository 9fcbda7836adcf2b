# Cross-compiles for 32-bit Windows with Debian's mingw-w64 (i686). The host
# loads only 32-bit plug-ins, so this is the build that ships.
#
# TARVIK_WIN32_DEPS names the prefix where windows/deps.sh installed the static
# pugixml and libzip; it joins the mingw sysroot as a find root.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

# The -posix thread model: the default -win32 one lacks std::thread and std::mutex.
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_AR i686-w64-mingw32-ar CACHE FILEPATH "")
set(CMAKE_RANLIB i686-w64-mingw32-ranlib CACHE FILEPATH "")

# try_compile projects read this file again; hand them the deps prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TARVIK_WIN32_DEPS)
if(NOT TARVIK_WIN32_DEPS AND DEFINED ENV{TARVIK_WIN32_DEPS})
  set(TARVIK_WIN32_DEPS "$ENV{TARVIK_WIN32_DEPS}")
endif()

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
if(TARVIK_WIN32_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH "${TARVIK_WIN32_DEPS}")
endif()
# Programs run on the build machine; libraries, headers and packages must be Windows ones.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libz.a, not the import library of zlib1.dll, which no Windows machine has.
set(ZLIB_USE_STATIC_LIBS ON)

# ctest (and GoogleTest's test discovery) run the .exe files through Wine.
find_program(TARVIK_WINE wine)
if(TARVIK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${TARVIK_WINE}")
endif()
