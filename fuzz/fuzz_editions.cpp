// Plays each input in both Spanish editions, the UTF-8 one on the input
// converted from ISO-8859-1 as a UTF-8 terminal sends what is typed, and
// stops at the first difference in what they write, the UTF-8 edition's
// bytes against the ISO-8859-1 edition's converted, but for the banner line
// naming the charset. Then plays it in every translation, answer by answer
// the words that do there what the Spanish answers did, and stops where a
// language's course parts from the Spanish one.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "fuzz/translations.hpp"

// This file is built as the ISO-8859-1 edition; the UTF-8 edition's play()
// is fuzz/play.cpp built for it.
namespace fuzz::utf8 {
std::string play(std::string_view input);
}

namespace {

std::string to_utf8(std::string_view iso_8859_1) {
  std::string utf8;
  for (const char c : iso_8859_1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

void same_course(const fuzz::Course& spanish, const char* language, const fuzz::Course& translated) {
  if (translated == spanish) return;
  std::size_t at = 0;
  while (at < spanish.size() && at < translated.size() && spanish[at] == translated[at]) ++at;
  std::fprintf(stderr, "Spanish and %s part ways at step %zu of the Spanish course\n", language, at);
  __builtin_trap();
}

void same_course_in_every_language(std::string_view input) {
  const fuzz::Course spanish = fuzz::course(input);
  for (const fuzz::Translation& language : fuzz::translations) {
    same_course(spanish, language.code, language.course(language.answers_along(spanish)));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  same_course_in_every_language(input);
  std::string expected = to_utf8(fuzz::iso_8859_1::play(input));
  const std::string_view charset = "ISO-8859-1";
  const std::size_t banner = expected.find(charset);
  if (banner != std::string::npos) expected.replace(banner, charset.size(), "UTF-8");
  const std::string actual = fuzz::utf8::play(to_utf8(input));
  if (actual == expected) return 0;
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  std::fprintf(stderr, "The editions part ways at byte %zu of the UTF-8 edition's output\n", at);
  __builtin_trap();
}
