#include "console/console.hpp"

#include <algorithm>
#include <cstring>

#include "story/console_lines.hpp"

namespace console::inline TRAMONTALIA_EDITION {

namespace {

// The C locale's white space, spelled out: bytes 128 to 255 are letters of
// ISO-8859-1 (or parts of UTF-8 characters), never separators.
constexpr bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The full-width form of a printable ASCII character, U+FF01 to U+FF5E, in
// UTF-8; empty for any other.
std::array<char, 3> full_width(char ascii) {
  if (ascii < '!' || ascii > '~') return {};
  const char32_t c = ascii + char32_t{0xFEE0};
  return {'\xEF', static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
          static_cast<char>(0x80 | (c & 0x3F))};
}

bool is_key(Text key, Text word) {
  if (word == key) return true;
  if (!text::translated_edition || key.size() != 1) return false;
  const std::array<char, 3> wide = full_width(key[0]);
  return wide[0] != 0 && word == Text(wide.data(), wide.size());
}

}  // namespace

std::size_t matching_key(std::span<const Text> keys, Text word) {
  std::size_t i = 0;
  while (i < keys.size() && !is_key(keys[i], word)) ++i;
  return i;
}

void Console::write(Text text) {
  if (text.size() > output_buffer_.size() - output_size_) {
    flush();
    if (text.size() > output_buffer_.size()) {
      if (!output_broken_) output_broken_ = !out_.write(text.data(), text.size());
      return;
    }
  }
  std::memcpy(output_buffer_.data() + output_size_, text.data(), text.size());
  output_size_ += text.size();
}

void Console::put(char c) {
  write(Text(&c, 1));
}

void Console::line(Text text) {
  write(text);
  put('\n');
}

void Console::composed_line(Text before, Text middle, Text after) {
  write(before);
  write(middle);
  line(after);
}

void Console::flush() {
  if (output_size_ > 0 && !output_broken_) {
    output_broken_ = !out_.write(output_buffer_.data(), output_size_);
  }
  output_size_ = 0;
}

bool Console::pause() {
  blank_line();
  line(story::lines::pause);
  return read_answer("");
}

bool Console::ending() {
  blank_line();
  line(story::lines::the_end);
  blank_line();
  line(story::lines::pause_to_leave);
  const bool answered = read_answer("");
  if (answered) blank_line();
  flush();
  return answered;
}

Choice Console::choose(std::span<const Text> keys) {
  if (!read_answer(">")) return {Choice::Kind::input_ended};
  const Text word = answer_word();
  const std::size_t key = matching_key(keys, word);
  if (key < keys.size()) return {Choice::Kind::key, key};
  if (word == story::lines::quit_word) return {Choice::Kind::quit};
  return {Choice::Kind::unrecognised};
}

bool Console::read_answer(Text prompt) {
  for (;;) {
    if (!prompt_and_read(prompt)) {
      blank_line();
      flush();
      return false;
    }
    if (extract_word()) return true;
    if (answer_line_[0] == '\n') return true;  // Enter alone: the last word stands
    ++blank_lines_;
    line(story::lines::redo);
  }
}

// Takes one line of at most max_line characters, its newline included when
// it fits; a longer line is left for the following reads.
bool Console::prompt_and_read(Text prompt) {
  write(prompt);
  line_size_ = 0;
  for (std::size_t characters = 0; characters < max_line;) {
    if (input_begin_ == input_end_ && !fill_input()) break;
    const text::Characters taken = take_characters(max_line - characters);
    characters += taken.count;
    if (taken.size > 0 && answer_line_[line_size_ - 1] == '\n') break;
  }
  answer_line_[line_size_] = '\0';
  return line_size_ > 0;
}

// Moves up to `count` characters of the input, up to a newline, into the
// answer line. A character is never cut in two: when the input read so far
// ends inside one, the rest of it is read; if the input is over, its first
// byte stands alone.
text::Characters Console::take_characters(std::size_t count) {
  const Text available(input_buffer_.data() + input_begin_,
                       std::min(input_end_ - input_begin_, count * text::max_character_size));
  text::Characters taken = text::first_characters(available, count);
  if (taken.count == 0 && !fill_input()) taken = {1, 1};
  std::memcpy(answer_line_.data() + line_size_, input_buffer_.data() + input_begin_, taken.size);
  line_size_ += taken.size;
  input_begin_ += taken.size;
  return taken;
}

// The answer is read as a C string: a NUL byte ends it.
bool Console::extract_word() {
  const char* answer = answer_line_.data();
  std::size_t start = 0;
  while (is_space(answer[start])) ++start;
  if (answer[start] == '\0') return false;
  std::size_t end = start;
  while (answer[end] != '\0' && !is_space(answer[end])) ++end;
  word_size_ = end - start;
  std::memcpy(answer_word_.data(), answer + start, word_size_);
  answer_word_[word_size_] = '\0';
  return true;
}

// Output is made visible only when the game is about to wait for input. The
// start of a character that the last read cut short stays, for the rest of
// it to follow.
bool Console::fill_input() {
  flush();
  if (output_broken_) return false;  // nobody is playing any more
  const std::size_t kept = input_end_ - input_begin_;
  std::memmove(input_buffer_.data(), input_buffer_.data() + input_begin_, kept);
  input_begin_ = 0;
  const std::size_t size = in_.read(input_buffer_.data() + kept, input_buffer_.size() - kept);
  input_end_ = kept + size;
  return size > 0;
}

}  // namespace console::inline TRAMONTALIA_EDITION
