// What a terminal shows when the answers on standard input are typed into
// the native UTF-8 edition one line at a time: the game's output, with each
// answer echoed (followed by its newline) at the moment the game asks for it.
// When the answers run out the view stops where the game waits for the next
// one. The browser edition's page must show exactly this text.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "console/streams.hpp"
#include "engine/game.hpp"

namespace {

class TypedLines final : public console::Input {
 public:
  TypedLines(std::vector<std::string> lines, std::string& view)
      : lines_(std::move(lines)), view_(view) {}

  std::size_t read(char* buffer, std::size_t capacity) override {
    if (offset_ == line_.size()) {
      if (next_ == lines_.size()) {
        waiting = true;
        return 0;
      }
      line_ = lines_[next_++] + '\n';
      offset_ = 0;
      view_ += line_;  // the terminal echoes the line as it is typed
    }
    const std::size_t size = std::min(capacity, line_.size() - offset_);
    std::memcpy(buffer, line_.data() + offset_, size);
    offset_ += size;
    return size;
  }
  bool waiting = false;

 private:
  std::vector<std::string> lines_;
  std::string& view_;
  std::string line_;
  std::size_t offset_ = 0;
  std::size_t next_ = 0;
};

class Screen final : public console::Output {
 public:
  Screen(std::string& view, const TypedLines& input) : view_(view), input_(input) {}
  bool write(const char* data, std::size_t size) override {
    if (!input_.waiting) view_.append(data, size);
    return true;
  }

 private:
  std::string& view_;
  const TypedLines& input_;
};

}  // namespace

int main() {
  const std::string typed(std::istreambuf_iterator<char>(std::cin), {});
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < typed.size();) {
    const std::size_t end = std::min(typed.find('\n', start), typed.size());
    lines.push_back(typed.substr(start, end - start));
    start = end + 1;
  }
  std::string view;
  TypedLines input(lines, view);
  Screen screen(view, input);
  auto game = std::make_unique<engine::Game>(input, screen);
  game->play();
  std::fwrite(view.data(), 1, view.size(), stdout);
  return 0;
}
