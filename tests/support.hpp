// In-memory streams for driving the console and whole games in tests.
#pragma once

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

#include "console/streams.hpp"
#include "engine/game.hpp"

namespace testing_support {

// Hands out its text (which must outlive it) in chunks of at most `chunk`
// bytes, then reports the end.
class StringInput final : public console::Input {
 public:
  explicit StringInput(std::string_view text, std::size_t chunk = 1 << 20)
      : text_(text), chunk_(chunk) {}
  std::size_t read(char* buffer, std::size_t capacity) override {
    const std::size_t n = std::min({capacity, chunk_, text_.size() - position_});
    std::memcpy(buffer, text_.data() + position_, n);
    position_ += n;
    ++reads;
    return n;
  }
  std::size_t reads = 0;

 private:
  std::string_view text_;
  std::size_t chunk_;
  std::size_t position_ = 0;
};

class StringOutput final : public console::Output {
 public:
  bool write(const char* data, std::size_t size) override {
    text.append(data, size);
    return true;
  }
  std::string text;
};

// Plays a whole game on `input` and returns everything it wrote.
inline std::string play(std::string_view input, std::size_t chunk = 1 << 20) {
  StringInput in(input, chunk);
  StringOutput out;
  auto game = std::make_unique<engine::Game>(in, out);
  game->play();
  return out.text;
}

inline std::string read_file(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace testing_support
