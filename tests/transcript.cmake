# Plays INPUT through GAME and compares what it writes with the expectation
# beside the input (same name, .out). With -DUPDATE=ON it writes the
# expectation instead, for review with git diff.
string(REGEX REPLACE "\\.in$" ".out" expected "${INPUT}")
get_filename_component(name "${INPUT}" NAME_WE)
set(actual "${CMAKE_CURRENT_BINARY_DIR}/${name}.actual")

execute_process(COMMAND "${GAME}" INPUT_FILE "${INPUT}" OUTPUT_FILE "${actual}"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${name}: the game ended with status ${status}")
endif()

if(UPDATE)
  file(COPY_FILE "${actual}" "${expected}")
  file(REMOVE "${actual}")
  return()
endif()

execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${actual}" "${expected}"
                RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${name}: output differs from ${expected}\n"
                      "see: diff ${actual} ${expected}")
endif()
file(REMOVE "${actual}")
