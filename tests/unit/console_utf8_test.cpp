// Built as the UTF-8 edition (whose code lives in a namespace of its own):
// its console reads at most 254 characters of an answer, never cutting one,
// however the reads split them.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "console/console.hpp"

namespace {

struct ChunkedInput final : console::Input, console::Output {
  ChunkedInput(std::string text, std::size_t chunk) : text(std::move(text)), chunk(chunk) {}
  std::size_t read(char* buffer, std::size_t capacity) override {
    const std::size_t n = std::min({capacity, chunk, text.size() - position});
    std::memcpy(buffer, text.data() + position, n);
    position += n;
    return n;
  }
  bool write(const char* /*data*/, std::size_t /*size*/) override { return true; }
  std::string text;
  std::size_t chunk, position = 0;
};

std::string times(std::size_t n, const std::string& s) {
  std::string all;
  while (n-- > 0) all += s;
  return all;
}

TEST(Utf8Console, ReadsAnswersOf254CharactersNeverCuttingOne) {
  const std::string a252(252, 'a'), a253(253, 'a');
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {times(254, "ñ") + "x\n", {times(254, "ñ"), "x"}},
      {a253 + "\xF0\x9F\x98\x80" + "b\n", {a253 + "\xF0\x9F\x98\x80", "b"}},
      {a253 + "\xFF" + "b\n", {a253 + "\xFF", "b"}},  // a byte that begins no sequence
      {a253 + "\xE0\x80\x80" + "b\n",
       {a253 + "\xE0", std::string("\x80\x80") + "b"}},  // nor an overlong form
      {a252 + "ñ\xE2\x82", {a252 + "ñ\xE2", "\x82"}},    // cut short by the end of input
  };
  for (const auto& [input, words] : cases) {
    for (const std::size_t chunk : {1u, 2u, 3u, 255u, 65536u}) {
      ChunkedInput player(input, chunk);
      auto console = std::make_unique<console::Console>(player, player);
      std::vector<std::string> read;
      while (console->read_answer("")) read.emplace_back(console->answer_word());
      EXPECT_EQ(read, words) << "read " << chunk << " bytes at a time";
    }
  }
}

}  // namespace
