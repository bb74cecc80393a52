// What a terminal shows when the answers on standard input are typed into
// the native UTF-8 edition one line at a time: the game's output, with each
// line echoed at the moment the game asks for it. When the answers run out
// the view stops where the game waits for the next one. The browser
// edition's page must show exactly this text.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>

#include "console/streams.hpp"
#include "engine/game.hpp"

namespace {

std::string view;  // what the terminal shows
bool waiting = false;

class Keyboard final : public console::Input {
 public:
  explicit Keyboard(std::string typed) : typed_(std::move(typed)) {}

  // One line a read, as a terminal hands them out, echoed as it is typed.
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

class Screen final : public console::Output {
 public:
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
  return 0;
}
