// Every translation's game at once, for the programs that hold them all (the
// tests, the fuzzer, the tools): fuzz/play.cpp, built for each language of
// po/LINGUAS in its namespace, defines these; languages.hpp names them.
#pragma once

#include <string>
#include <string_view>

#include "fuzz/play.hpp"
#include "languages.hpp"

#define TRAMONTALIA_DECLARE(language)              \
  namespace fuzz::language {                       \
  Course course(std::string_view input);           \
  std::string answers_along(const Course& course); \
  }
TRAMONTALIA_TRANSLATIONS(TRAMONTALIA_DECLARE)
#undef TRAMONTALIA_DECLARE

namespace fuzz {

struct Translation {
  const char* code;  // as po/LINGUAS names it
  Course (*course)(std::string_view input);
  std::string (*answers_along)(const Course& course);
};

#define TRAMONTALIA_TRANSLATION(language) {#language, language::course, language::answers_along},
inline constexpr Translation translations[] = {TRAMONTALIA_TRANSLATIONS(TRAMONTALIA_TRANSLATION)};
#undef TRAMONTALIA_TRANSLATION

}  // namespace fuzz
