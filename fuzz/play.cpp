#include "fuzz/play.hpp"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>

#include "console/streams.hpp"
#include "engine/game.hpp"

namespace fuzz::inline TRAMONTALIA_EDITION {

namespace {

class BytesInput final : public console::Input {
 public:
  explicit BytesInput(std::string_view bytes) : bytes_(bytes) {}
  std::size_t read(char* buffer, std::size_t capacity) override {
    const std::size_t n =
        std::min({capacity, bytes_.size() - position_, std::size_t{1} + position_ % 97});
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
  }

 private:
  std::string_view bytes_;
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

}  // namespace

std::string play(std::string_view input) {
  BytesInput in(input);
  StringOutput out;
  auto game = std::make_unique<engine::Game>(in, out);
  game->play();
  return std::move(out.text);
}

}  // namespace fuzz::inline TRAMONTALIA_EDITION
