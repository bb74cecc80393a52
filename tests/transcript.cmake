# Plays INPUT through GAME and compares what it writes with the expectation
# beside the input (same name, .out). With -DUPDATE=ON it writes the
# expectation instead, for review with git diff. The game's exit status on
# every input is same_bytes.sh's to check.
string(REGEX REPLACE "\\.in$" ".out" expected "${INPUT}")
get_filename_component(name "${INPUT}" NAME_WE)
# Named after its folder too: a language's transcripts have the same names.
get_filename_component(folder "${INPUT}" DIRECTORY)
get_filename_component(folder "${folder}" NAME)
set(actual "${CMAKE_CURRENT_BINARY_DIR}/${folder}.${name}.actual")
execute_process(COMMAND "${GAME}" INPUT_FILE "${INPUT}" OUTPUT_FILE "${actual}")
if(UPDATE)
  file(RENAME "${actual}" "${expected}")
  return()
endif()

execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${actual}" "${expected}"
                RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${name}: output differs from ${expected}\n"
                      "see: diff ${actual} ${expected}")
endif()
file(REMOVE "${actual}")
