# The translations: every language po/LINGUAS lists (as gettext's tools read
# it), each a PO file po/LANGUAGE.po and nothing more. For each, this sets
#   TRAMONTALIA_TAG_<language>   its BCP 47 tag, as pages, books and records
#                                name it (pt_BR is pt-BR, zh_CN zh-CN);
#   TRAMONTALIA_IFID_<language>  its IFID: catalogues count a translation a
#                                work of its own. A PO file's header may fix
#                                one for its language ("X-IFID-en: ..."), as a
#                                translation published before this rule does
#                                (a copy under another code is another work);
#                                any other is derived from the game's and the
#                                language's code, the same on every build.
# and writes languages.hpp, whose TRAMONTALIA_TRANSLATIONS(X) names each
# language to the programs that hold them all (the tests, the fuzzer).
file(STRINGS ${PROJECT_SOURCE_DIR}/po/LINGUAS TRAMONTALIA_LANGUAGES REGEX "^[a-z]")
# The sanitizers', coverage's and Clang's trees judge the engine, which every
# translation runs alike: the first translation stands for all there, and
# each tree builds the story once more rather than once for every language.
option(TRAMONTALIA_EVERY_LANGUAGE "Build every translation of po/LINGUAS, not only the first" ON)
if(NOT TRAMONTALIA_EVERY_LANGUAGE)
  list(GET TRAMONTALIA_LANGUAGES 0 TRAMONTALIA_LANGUAGES)
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/po/LINGUAS)

# The story's own language, as the same variables name it.
set(TRAMONTALIA_TAG_es es)
set(TRAMONTALIA_IFID_es ${TRAMONTALIA_IFID})

set(translations_macro "")
set(ifids_seen ${TRAMONTALIA_IFID})
foreach(language ${TRAMONTALIA_LANGUAGES})
  if(NOT language MATCHES "^[a-z][a-z][a-z]?(_[A-Z][A-Z])?$")
    message(FATAL_ERROR "po/LINGUAS: '${language}' is not a gettext language code such as fr or pt_BR")
  endif()
  set(po ${PROJECT_SOURCE_DIR}/po/${language}.po)
  if(NOT EXISTS ${po})
    message(FATAL_ERROR "po/LINGUAS lists ${language}, but po/${language}.po is missing")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${po})
  string(REPLACE _ - TRAMONTALIA_TAG_${language} ${language})

  file(STRINGS ${po} header REGEX "^\"X-IFID-${language}: [0-9A-F-]+" LIMIT_COUNT 1)
  if(header MATCHES "X-IFID-${language}: ([0-9A-F-]+)")
    set(ifid ${CMAKE_MATCH_1})
  else()
    string(UUID ifid NAMESPACE ${TRAMONTALIA_IFID} NAME ${language} TYPE SHA1 UPPER)
  endif()
  if(ifid IN_LIST ifids_seen)
    message(FATAL_ERROR "po/${language}.po: its IFID ${ifid} is another edition's already")
  endif()
  list(APPEND ifids_seen ${ifid})
  set(TRAMONTALIA_IFID_${language} ${ifid})
  string(APPEND translations_macro " X(${language})")
endforeach()

file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/languages.hpp CONTENT
  "// Written by cmake/languages.cmake from po/LINGUAS.\n#pragma once\n#define TRAMONTALIA_TRANSLATIONS(X)${translations_macro}\n")
