# Runs `make install PREFIX=/usr` as a packager would, staged under a scratch
# DESTDIR, and checks that exactly the editions and their manual pages land
# there, runnable. MAKE, SOURCE_DIR, BUILD_DIR and EDITIONS come from CTest.
set(stage "${BUILD_DIR}/install-test")
file(REMOVE_RECURSE "${stage}")
# `-o build`: the build under test is already built; the caller's make flags
# and install variables are not this run's.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=MAKEFLAGS --unset=PREFIX --unset=DESTDIR
          "${MAKE}" -C "${SOURCE_DIR}" -o build install "BUILD_DIR=${BUILD_DIR}"
          "DESTDIR=${stage}" PREFIX=/usr
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make install failed:\n${output}")
endif()

set(expected)
foreach(edition IN LISTS EDITIONS)
  list(APPEND expected "${stage}/usr/bin/${edition}" "${stage}/usr/share/man/man6/${edition}.6")
  execute_process(COMMAND "${stage}/usr/bin/${edition}" INPUT_FILE /dev/null OUTPUT_VARIABLE banner)
  if(NOT banner MATCHES "Tramontalia v1.0")
    message(FATAL_ERROR "the installed ${edition} does not run")
  endif()
endforeach()
file(GLOB_RECURSE installed LIST_DIRECTORIES false "${stage}/*")
list(SORT expected)
list(SORT installed)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "make install laid out\n${installed}\ninstead of\n${expected}")
endif()
file(REMOVE_RECURSE "${stage}")
