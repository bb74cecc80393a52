// What a terminal shows when the answers on standard input are typed into
// the native UTF-8 edition one line at a time: the game's output, with each
// line echoed when the game asks for it, up to where the game waits for the
// answer after the last. The browser edition's page must show exactly this.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>

#include "console/streams.hpp"
#include "engine/game.hpp"

namespace {

std::string view;
bool waiting = false;  // for an answer nobody typed: the view is complete

class Keyboard final : public console::Input {
 public:
  explicit Keyboard(std::string typed) : typed_(std::move(typed)) {}

  std::size_t read(char* buffer, std::size_t capacity) override {
    if (line_.empty()) {
      waiting = typed_.empty();
      const std::size_t end = std::min(typed_.find('\n'), typed_.size());
      line_ = typed_.substr(0, end) + '\n';
      typed_.erase(0, end + 1);
      if (!waiting) view += line_;
    }
    const std::size_t size = waiting ? 0 : std::min(capacity, line_.size());
    std::memcpy(buffer, line_.data(), size);
    line_.erase(0, size);
    return size;
  }

 private:
  std::string typed_;
  std::string line_;
};

struct Screen final : console::Output {
  bool write(const char* data, std::size_t size) override {
    if (!waiting) view.append(data, size);
    return true;
  }
};

}  // namespace

int main() {
  Keyboard keyboard(std::string(std::istreambuf_iterator<char>(std::cin), {}));
  Screen screen;
  auto game = std::make_unique<engine::Game>(keyboard, screen);
  game->play();
  std::fwrite(view.data(), 1, view.size(), stdout);
}
