// Built as the UTF-8 Spanish edition and as the English one: a key is one
// character of any script, and the answer must be that character whole; a
// key typed in full width, as an input method gives it, chooses as the key
// does in a translated edition, never in Spanish.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "console/console.hpp"

namespace {

// Hands out its text; takes any output.
struct Answers final : console::Input, console::Output {
  explicit Answers(std::string_view text) : text(text) {}
  std::size_t read(char* buffer, std::size_t capacity) override {
    const std::size_t n = text.copy(buffer, capacity);
    text.remove_prefix(n);
    return n;
  }
  bool write(const char* /*data*/, std::size_t /*size*/) override { return true; }
  std::string_view text;
};

#define TRAMONTALIA_SUITE(edition) TRAMONTALIA_SUITE_OF(edition)
#define TRAMONTALIA_SUITE_OF(edition) Keys_##edition
TEST(TRAMONTALIA_SUITE(TRAMONTALIA_EDITION), AreOneCharacterOfAnyScriptTypedWhole) {
  using Kind = console::Choice::Kind;
  constexpr bool translated = text::translated_edition;
  constexpr std::array<console::Text, 3> keys = {"a", "б", "1"};
  struct Case {
    const char* typed;
    Kind kind;
    std::size_t key = 0;
  };
  const Case cases[] = {
      {"б", Kind::key, 1},
      {"бa", Kind::unrecognised},
      {"\xD0", Kind::unrecognised},                            // the key's first byte alone
      {"１", translated ? Kind::key : Kind::unrecognised, 2},  // U+FF11
      {"ａ", translated ? Kind::key : Kind::unrecognised, 0},  // U+FF41
      {"Ａ", Kind::unrecognised},                              // a capital, wide or not
  };
  std::string input;
  for (const Case& c : cases) input.append(c.typed).append("\n");
  Answers player(input);
  auto console = std::make_unique<console::Console>(player, player);
  for (const Case& c : cases) {
    const console::Choice choice = console->choose(keys);
    EXPECT_EQ(choice.kind, c.kind) << c.typed;
    if (c.kind == Kind::key) {
      EXPECT_EQ(choice.index, c.key) << c.typed;
    }
  }
}

}  // namespace
