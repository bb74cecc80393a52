// Built as the UTF-8 edition: its console reads at most 254 characters of an
// answer, never cutting one, however the reads split them.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "console/console.hpp"

// Hands out its text in pieces of `size` bytes; takes any output.
struct Pieces final : console::Input, console::Output {
  Pieces(std::string_view text, std::size_t size) : text(text), size(size) {}
  std::size_t read(char* buffer, std::size_t capacity) override {
    const std::size_t n = text.copy(buffer, std::min(capacity, size));
    text.remove_prefix(n);
    return n;
  }
  bool write(const char* /*data*/, std::size_t /*size*/) override { return true; }
  std::string_view text;
  std::size_t size;
};

TEST(Utf8Console, ReadsAnswersOf254CharactersNeverCuttingOne) {
  std::string a(253, 'a'), n;
  while (n.size() < 508) n += "ñ";
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {n + "x\n", {n, "x"}},
      {a + "\xF0\x9F\x98\x80" + "b\n", {a + "\xF0\x9F\x98\x80", "b"}},
      {a + "\xFF" + "b\n", {a + "\xFF", "b"}},  // a byte that begins no sequence is one
      {a + "\xE0\x80\x80" + "b\n", {a + "\xE0", "\x80\x80" + std::string("b")}},  // overlong
      {a.substr(1) + "ñ\xE2\x82", {a.substr(1) + "ñ\xE2", "\x82"}},  // cut by the end of input
  };
  for (const auto& [input, words] : cases) {
    for (const std::size_t size : {1u, 2u, 3u, 255u, 65536u}) {
      Pieces player(input, size);
      auto console = std::make_unique<console::Console>(player, player);
      std::vector<std::string> read;
      while (console->read_answer("")) read.emplace_back(console->answer_word());
      EXPECT_EQ(read, words) << "read " << size << " bytes at a time";
    }
  }
}

// A line is measured as a terminal shows it, for the checks of the story's
// lines: a wide character takes two columns, a combining one none. Measured
// at compile time, as the story is.
TEST(Utf8Text, TakesTheColumnsATerminalGivesIt) {
  constexpr std::pair<text::Text, std::size_t> cases[] = {
      {"añade", 5},
      {"続ける", 6},
      {"ｑ、。〜", 8},              // full-width letter, ideographic punctuation
      {"e\u0301\u200B", 1},         // a combining accent, a zero width space
      {"か\u3099\u303F\u4DC0", 4},  // a combining kana mark; narrow neighbours of wide ranges
      {"한\U00020000", 4},          // Hangul; an ideograph beyond the basic plane
  };
  constexpr auto measured = [&] {
    std::array<std::size_t, std::size(cases)> columns{};
    for (std::size_t i = 0; i < columns.size(); ++i) columns[i] = text::width(cases[i].first);
    return columns;
  }();
  for (std::size_t i = 0; i < measured.size(); ++i) {
    EXPECT_EQ(measured[i], cases[i].second) << cases[i].first;
  }
}
