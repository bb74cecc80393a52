// Writes, for the input of a game in Spanish, the input that takes the
// edition in LANGUAGE along the same course: answer by answer, the words
// that do there what the Spanish ones did (option i is that language's key
// of option i, "salir" its quit word). `make transcripts` makes the
// translated transcripts' inputs with it.
//
// Usage: translate_answers LANGUAGE < SPANISH_INPUT > TRANSLATED_INPUT
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

#include "fuzz/translations.hpp"

// This file is built as the ISO-8859-1 edition, which reads the transcripts.
int main(int argc, char** argv) {
  const std::string_view language = argc == 2 ? argv[1] : "";
  const std::string spanish{std::istreambuf_iterator<char>(std::cin), {}};
  const fuzz::Course course = fuzz::course(spanish);
  for (const fuzz::Translation& translation : fuzz::translations) {
    if (language != translation.code) continue;
    const std::string answers = translation.answers_along(course);
    std::fwrite(answers.data(), 1, answers.size(), stdout);
    return std::ferror(stdout) == 0 ? 0 : 1;
  }
  std::fprintf(stderr, "usage: translate_answers LANGUAGE (one of po/LINGUAS) < INPUT\n");
  return 2;
}
