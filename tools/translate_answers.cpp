// Writes, for the input of a game in Spanish, the input that takes the
// English edition along the same course: answer by answer, the words that
// do there what the Spanish ones did (option i is the English key of option
// i, "salir" is "quit"). `make transcripts` makes the English transcripts'
// inputs with it.
//
// Usage: translate_answers < SPANISH_INPUT > ENGLISH_INPUT
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

#include "fuzz/play.hpp"

// This file is built as the ISO-8859-1 edition, which reads the transcripts.
namespace fuzz::en {
std::string answers_along(const Course& course);
}

int main() {
  const std::string spanish{std::istreambuf_iterator<char>(std::cin), {}};
  const std::string english = fuzz::en::answers_along(fuzz::course(spanish));
  std::fwrite(english.data(), 1, english.size(), stdout);
  return std::ferror(stdout) == 0 ? 0 : 1;
}
