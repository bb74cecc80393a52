# Plays INPUT through GAME and compares what it writes with the expectation
# beside the input (same name, .out). With -DUPDATE=ON it writes the
# expectation instead, for review with git diff. ARGS, if given, are passed to
# the game, which must ignore them.
string(REGEX REPLACE "\\.in$" ".out" expected "${INPUT}")
get_filename_component(name "${INPUT}" NAME_WE)
# Unique per arguments too: the same input may be replayed with and without.
string(MD5 run_id "${ARGS}")
set(actual "${CMAKE_CURRENT_BINARY_DIR}/${name}-${run_id}.actual")

execute_process(COMMAND "${GAME}" ${ARGS} INPUT_FILE "${INPUT}" OUTPUT_FILE "${actual}"
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
