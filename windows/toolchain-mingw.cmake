# What both Windows cross builds share (Debian's mingw-w64). The
# per-architecture files set TARVIK_MINGW_TRIPLE and the processor, then
# include this one.
#
# TARVIK_WIN32_DEPS names the prefix where windows/deps.sh installed the static
# pugixml and libzip; it joins the mingw sysroot as a find root.
set(CMAKE_SYSTEM_NAME Windows)

# The -posix thread model: the default -win32 one lacks std::thread and std::mutex.
set(CMAKE_C_COMPILER ${TARVIK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVIK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TARVIK_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${TARVIK_MINGW_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${TARVIK_MINGW_TRIPLE}-ranlib CACHE FILEPATH "")

# try_compile projects read this file again; hand them the deps prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TARVIK_WIN32_DEPS)
if(NOT TARVIK_WIN32_DEPS AND DEFINED ENV{TARVIK_WIN32_DEPS})
  set(TARVIK_WIN32_DEPS "$ENV{TARVIK_WIN32_DEPS}")
endif()

set(CMAKE_FIND_ROOT_PATH /usr/${TARVIK_MINGW_TRIPLE})
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
if(TARVIK_WINE_LOADER)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${TARVIK_WINE_LOADER}")
endif()
