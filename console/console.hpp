// The dialogue with the player: lines, pauses, endings, reading answers and
// matching them against a menu's keys.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "console/streams.hpp"
#include "story/text.hpp"

namespace console::inline TRAMONTALIA_EDITION {

using Text = std::string_view;

struct Choice {
  enum class Kind : std::uint8_t { key, quit, unrecognised, input_ended };
  Kind kind;
  std::size_t index = 0;  // of the matched key, for Kind::key
};

// Which of `keys` the answer `word` is, the first that matches, or
// keys.size() when it is none: the whole word, case and all. In a translated
// edition, a key typed in full width (as an input method gives a digit or a
// letter) is that key too.
std::size_t matching_key(std::span<const Text> keys, Text word);

class Console {
 public:
  // The longest answer line one read takes, in characters of the edition's
  // encoding; the rest of a longer line is the next answer.
  static constexpr std::size_t max_line = 254;

  Console(Input& in, Output& out) : in_(in), out_(out) {}
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  void write(Text text);
  void line(Text text);
  void blank_line() { put('\n'); }
  // One line from three pieces, e.g. a fixed text around a value of state.
  void composed_line(Text before, Text middle, Text after);

  // Blank line, "Pulsa enter", an answer. False when input has ended.
  bool pause();
  // Blank line, "Fin", "Pulsa enter para salir", an answer and a last blank
  // line. False when input has ended.
  bool ending();
  // Reads the answer to a menu whose keys are `keys`, one character each, in
  // the order they are tested.
  Choice choose(std::span<const Text> keys);

  // Reads until an answer is accepted; false when input has ended, after a
  // newline so that the terminal is left at the start of a line.
  bool read_answer(Text prompt);
  // How many lines of blanks were refused since the last call.
  std::size_t take_blank_lines() {
    const std::size_t count = blank_lines_;
    blank_lines_ = 0;
    return count;
  }
  // The first word of the last answer that had one; empty at start-up.
  [[nodiscard]] Text answer_word() const { return {answer_word_.data(), word_size_}; }

  // Makes everything written so far visible.
  void flush();

 private:
  bool prompt_and_read(Text prompt);
  bool extract_word();
  text::Characters take_characters(std::size_t count);
  bool fill_input();
  void put(char c);

  Input& in_;
  Output& out_;
  bool output_broken_ = false;

  // The buffers are left uninitialised: each is written before it is read,
  // and zero-filling them would cost the start-up time and memory of a game
  // that is over in a few lines.
  std::array<char, 1 << 16> input_buffer_;
  std::size_t input_begin_ = 0;
  std::size_t input_end_ = 0;

  // Twice a pipe's capacity, so that a full buffer fills a pipe in one go.
  std::array<char, 1 << 17> output_buffer_;
  std::size_t output_size_ = 0;

  std::array<char, max_line * text::max_character_size + 1> answer_line_;
  std::size_t line_size_ = 0;
  std::array<char, 1024> answer_word_;
  std::size_t word_size_ = 0;
  std::size_t blank_lines_ = 0;
  static_assert(sizeof answer_word_ >= sizeof answer_line_,
                "a word is as long as its line at most");
};

}  // namespace console::inline TRAMONTALIA_EDITION
