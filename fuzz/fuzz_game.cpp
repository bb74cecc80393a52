// Plays a whole game on arbitrary input bytes. The game must end when its
// input ends, keep every line within the console's width and never touch
// memory it does not own (the sanitizers watch that).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "console/streams.hpp"
#include "engine/game.hpp"

namespace {

class BytesInput final : public console::Input {
 public:
  BytesInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t read(char* buffer, std::size_t capacity) override {
    // Small, uneven pieces, to exercise lines split across reads.
    const std::size_t n = std::min({capacity, size_ - position_, std::size_t{1} + position_ % 97});
    if (n > 0) std::memcpy(buffer, data_ + position_, n);
    position_ += n;
    return n;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

// Checks each line's width as the game writes it. A prompt (">") may stand
// before the text of a line, since the player's answer ends that line.
class WidthCheckingOutput final : public console::Output {
 public:
  bool write(const char* data, std::size_t size) override {
    for (std::size_t i = 0; i < size; ++i) {
      if (data[i] == '\n') {
        column_ = 0;
        prompt_ = false;
        continue;
      }
      if (column_ == 0 && data[i] == '>' && !prompt_) {
        prompt_ = true;
        continue;
      }
      if (++column_ > 78) __builtin_trap();
    }
    return true;
  }

 private:
  std::size_t column_ = 0;
  bool prompt_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  BytesInput in(data, size);
  WidthCheckingOutput out;
  auto game = std::make_unique<engine::Game>(in, out);
  game->play();  // returning at all is the check that end of input ends it
  return 0;
}
