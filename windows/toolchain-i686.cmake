# Cross-compiles for 32-bit Windows with Debian's mingw-w64 (i686). The host
# loads only 32-bit plug-ins, so this is the build that ships.
set(TARVIK_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
# The `wine` wrapper runs 32-bit programs with the 32-bit loader.
find_program(TARVIK_WINE_LOADER wine)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
