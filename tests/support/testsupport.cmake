# The deck writer library, shared by the tests and tools/mkdeck (which is
# built even without the tests), defined once by whichever includes it first.
# Its archives are written by the package layer's ZIP writer.
if(NOT TARGET tarvik_testsupport)
  add_library(tarvik_testsupport STATIC
    ${CMAKE_SOURCE_DIR}/tests/support/deck_writer.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/minimal_deck.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/tiff_writer.cpp)
  target_include_directories(tarvik_testsupport PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(tarvik_testsupport PUBLIC tarvik_package ZLIB::ZLIB)
endif()
