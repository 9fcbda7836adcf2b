# Turns the exporters' fixed text files (stylesheets, scripts) into C++ at
# build time, so they stay readable files in the tree and still ship inside
# the library. Each asset becomes one generated .cpp holding its exact bytes
# as an array and a function returning them as a std::string_view:
#
#   tarvik_embed_assets(<target> <file> <function> [<file> <function>...])
#
# declares nothing; the matching declarations live in a hand-written header
# (namespace tarvik::assets). A byte array has no length limit, unlike a
# string literal, and needs no escaping, so the bytes come out unchanged.
#
# Run as a script (cmake -DINPUT=... -DOUTPUT=... -DFUNCTION=... -P this file)
# it writes one such .cpp.

if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${INPUT}" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR byteCount "${hexLength} / 2")
  # 0xNN, per byte; a line break after every 16 bytes keeps the file diffable.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REPEAT "0x..," 16 sixteen)
  string(REGEX REPLACE "(${sixteen})" "\\1\n" bytes "${bytes}")
  get_filename_component(name "${INPUT}" NAME)
  file(WRITE "${OUTPUT}"
    "// Generated at build time from ${name} (${byteCount} bytes); edit that file instead.\n"
    "#include <string_view>\n\n"
    "namespace tarvik::assets {\n\n"
    "namespace {\n"
    "// The bytes of the file and a terminating zero that is not part of the text.\n"
    "const unsigned char kBytes[] = {\n${bytes}0};\n"
    "}  // namespace\n\n"
    "std::string_view ${FUNCTION}() {\n"
    "  return std::string_view(reinterpret_cast<const char*>(kBytes), sizeof(kBytes) - 1);\n"
    "}\n\n"
    "}  // namespace tarvik::assets\n")
  return()
endif()

set(TARVIK_EMBED_ASSETS_SCRIPT "${CMAKE_CURRENT_LIST_FILE}")

function(tarvik_embed_assets target)
  set(args ${ARGN})
  list(LENGTH args count)
  math(EXPR odd "${count} % 2")
  if(count EQUAL 0 OR odd)
    message(FATAL_ERROR "tarvik_embed_assets: expected pairs of <file> <function>")
  endif()
  set(outDir "${CMAKE_CURRENT_BINARY_DIR}/embedded")
  while(args)
    list(POP_FRONT args file function)
    get_filename_component(input "${file}" ABSOLUTE)
    set(output "${outDir}/${function}.cpp")
    add_custom_command(
      OUTPUT "${output}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${outDir}"
      COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DFUNCTION=${function}
              -P "${TARVIK_EMBED_ASSETS_SCRIPT}"
      DEPENDS "${input}" "${TARVIK_EMBED_ASSETS_SCRIPT}"
      COMMENT "Embedding ${file}"
      VERBATIM)
    target_sources(${target} PRIVATE "${output}")
  endwhile()
endfunction()
