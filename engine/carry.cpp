#include "engine/carry.hpp"

#include <array>
#include <cstddef>

#include "console/console.hpp"
#include "engine/progress.hpp"
#include "story/console_lines.hpp"
#include "story/story.hpp"

namespace engine::inline TRAMONTALIA_EDITION {

namespace {

using text::Text;

// A line of the course, as much of it as fits: a longer one's word is far
// over an answer's length, which no word as typed is carried with anyway.
using Line = std::array<char, 1024>;

// Reads the next line of the course into `line`, without its newline, a byte
// at a time (a course is a few bytes an answer); false when it is over.
bool read_line(console::Input& course, Line& buffer, Text& line) {
  std::size_t size = 0;
  std::size_t got = 0;
  char c = 0;
  while ((got = course.read(&c, 1)) == 1 && c != '\n') {
    if (size < buffer.size()) buffer[size++] = c;
  }
  line = {buffer.data(), size};
  return got == 1 || size > 0;
}

// Takes the number `line` starts with (0 if none), and the space after it.
// A number past any count of the course stops growing.
std::size_t take_number(Text& line) {
  std::size_t number = 0;
  for (; !line.empty() && line[0] >= '0' && line[0] <= '9'; line.remove_prefix(1)) {
    if (number < 1'000'000) number = number * 10 + static_cast<std::size_t>(line[0] - '0');
  }
  if (!line.empty()) line.remove_prefix(1);
  return number;
}

// The word the course typed is kept where it does here what it did there:
// one answer (shorter than a line the console reads), of printable ASCII
// (which reads the same in every edition's encoding), and neither a key of
// this menu nor the quit word here (a word of another language may be).
bool keeps_its_word(const story::Menu& menu, Text word) {
  bool printable = !word.empty() && word.size() < console::Console::max_line;
  for (const char c : word) printable = printable && c > ' ' && c < 0x7F;
  const story::Keys keys = menu.keys();
  return printable && console::matching_key(keys.all(), word) == keys.count &&
         word != story::lines::quit_word;
}

// The answer that does here what `kind` did at `menu`; no text at all (not
// even an empty one) where there is none to give: the input over.
Text answer_for(const story::Menu& menu, std::size_t kind, std::size_t option, Text word) {
  switch (kind) {
    case static_cast<std::size_t>(Answer::Kind::passed_pause):
      return "";
    case static_cast<std::size_t>(Answer::Kind::chose):
      return option < menu.options.size() ? menu.options[option].key() : "??";
    case static_cast<std::size_t>(Answer::Kind::quit):
      return story::lines::quit_word;
    case static_cast<std::size_t>(Answer::Kind::unrecognised):
      return keeps_its_word(menu, word) ? word : "??";
    default:
      return {};
  }
}

void write_line(console::Output& out, Text line) {
  out.write(line.data(), line.size());
  out.write("\n", 1);
}

}  // namespace

void carry(console::Input& course, console::Output& answers) {
  Line buffer;
  for (Text line; read_line(course, buffer, line);) {
    std::array<std::size_t, 4> numbers{};
    for (std::size_t& number : numbers) number = take_number(line);
    const auto [passage, kind, option, blank_lines] = numbers;
    for (std::size_t i = 0; i < blank_lines; ++i) write_line(answers, " ");
    // A passage the story does not have has no menu.
    const story::Menu menu = passage < story::passages().size()
                                 ? story::passages()[passage]->closing.menu
                                 : story::Menu{};
    const Text answer = answer_for(menu, kind, option, line);
    if (answer.data() != nullptr) write_line(answers, answer);
  }
}

}  // namespace engine::inline TRAMONTALIA_EDITION
