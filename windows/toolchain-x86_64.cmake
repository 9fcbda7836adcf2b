# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (x86_64). Nothing
# ships from this build: it runs the Windows suites under wine64 on machines
# whose kernel cannot execute 32-bit programs, where 32-bit Wine cannot start.
set(TARVIK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
# The 64-bit loader itself: the `wine` wrapper picks the 32-bit one whenever
# wine32 is installed. Debian keeps it out of PATH.
find_program(TARVIK_WINE_LOADER wine64 PATHS /usr/lib/wine /usr/lib64/wine)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
