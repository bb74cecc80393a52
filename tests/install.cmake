# Runs `make install` as a packager would, staged under a scratch DESTDIR,
# and checks that exactly the editions and their manual pages land where
# they belong: under /usr/local by default, under PREFIX when it is given.
# MAKE, SOURCE_DIR, BUILD_DIR and EDITIONS come from CTest.
set(scratch "${BUILD_DIR}/install-test")

function(install_and_check prefix)
  set(stage "${scratch}/stage")
  file(REMOVE_RECURSE "${stage}")
  set(prefix_argument)
  if(prefix)
    set(prefix_argument "PREFIX=${prefix}")
  else()
    set(prefix /usr/local)
  endif()
  # `-o build`: this build is the one under test, already built; its make
  # flags and any PREFIX of the caller's environment are not this run's.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=MAKEFLAGS --unset=PREFIX --unset=DESTDIR
            "${MAKE}" -C "${SOURCE_DIR}" -o build install "BUILD_DIR=${BUILD_DIR}"
            "DESTDIR=${stage}" ${prefix_argument}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "make install ${prefix_argument} failed:\n${output}")
  endif()

  set(expected)
  foreach(edition IN LISTS EDITIONS)
    list(APPEND expected "${stage}${prefix}/bin/${edition}"
                         "${stage}${prefix}/share/man/man6/${edition}.6")
  endforeach()
  file(GLOB_RECURSE installed LIST_DIRECTORIES false "${stage}/*")
  list(SORT expected)
  list(SORT installed)
  if(NOT installed STREQUAL expected)
    string(REPLACE ";" "\n  " expected "${expected}")
    string(REPLACE ";" "\n  " installed "${installed}")
    message(FATAL_ERROR "make install ${prefix_argument} laid out\n  ${installed}\n"
                        "instead of\n  ${expected}")
  endif()

  # Installed as built, and runnable from where it landed.
  foreach(edition IN LISTS EDITIONS)
    set(program "${stage}${prefix}/bin/${edition}")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${program}" "${BUILD_DIR}/${edition}"
                    RESULT_VARIABLE differs)
    execute_process(COMMAND "${program}" INPUT_FILE /dev/null RESULT_VARIABLE status
                    OUTPUT_VARIABLE output)
    if(differs OR NOT status EQUAL 0 OR NOT output MATCHES "Tramontalia v")
      message(FATAL_ERROR "${program} is not the built game, or does not run (${status})")
    endif()
  endforeach()
endfunction()

install_and_check("")
install_and_check(/usr)
file(REMOVE_RECURSE "${scratch}")
