// One edition's whole game on given bytes, for the fuzzers and the tests:
// fuzz/play.cpp, built for an edition, defines these in that edition's
// namespace, so that one program can hold several editions
// (fuzz::iso_8859_1::play, fuzz::utf8::play, fuzz::en::play).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "story/text.hpp"

namespace fuzz {

// One step of a game's course, as every language takes it: a passage
// entered, an ending reached, or an answer and what it did (a pause passed,
// the option at a place of its menu chosen, the game quit, an unrecognised
// word, the input over), with the lines of blanks refused before it.
struct Step {
  enum class Kind : std::uint8_t { entered, ended, passed_pause, chose, quit, unrecognised, input_ended };
  Kind kind;
  std::size_t number = 0;  // the passage's index, the ending's number or the option's place
  std::size_t blank_lines = 0;
  std::string word = {};  // for unrecognised: the edition's own word, left out of comparisons

  bool operator==(const Step& other) const {
    return kind == other.kind && number == other.number && blank_lines == other.blank_lines;
  }
};

using Course = std::vector<Step>;

// A step as a line of text, for a message that shows where two courses part.
inline std::string describe(const Step& step) {
  static constexpr const char* kinds[] = {"entered passage", "reached ending", "passed a pause",
                                          "chose option",    "quit",           "unrecognised",
                                          "input over"};
  return std::string(kinds[static_cast<int>(step.kind)]) + ' ' + std::to_string(step.number) +
         " after " + std::to_string(step.blank_lines) + " blank lines";
}

}  // namespace fuzz

namespace fuzz::inline TRAMONTALIA_EDITION {

// What the game writes on `input`, which it reads in small, uneven pieces
// that split lines, and characters, anywhere.
std::string play(std::string_view input);

// The course the game takes on `input`.
Course course(std::string_view input);

// Input that takes this edition's game along `course`, taken by any
// edition: each answer is the one that does here what the course's did
// (option i is this edition's key of option i, quitting its quit word), and
// the blank lines refused stay blank lines.
std::string answers_along(const Course& course);

}  // namespace fuzz::inline TRAMONTALIA_EDITION
