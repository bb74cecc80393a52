#include "fuzz/play.hpp"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>

#include "console/console.hpp"
#include "console/streams.hpp"
#include "engine/game.hpp"
#include "story/console_lines.hpp"
#include "story/story.hpp"

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

class CourseKept final : public engine::Progress {
 public:
  void entered(story::PassageId passage) override {
    steps.push_back({Step::Kind::entered, story::index_of(passage)});
  }
  void ended(std::size_t ending_number) override {
    steps.push_back({Step::Kind::ended, ending_number});
  }
  void answered(const engine::Answer& answer) override {
    // The answers' kinds follow the passage's and the ending's, in order.
    const auto kind = static_cast<Step::Kind>(static_cast<int>(answer.kind) + 2);
    steps.push_back({kind, answer.option, answer.blank_lines, std::string(answer.word)});
  }
  Course steps;
};
static_assert(static_cast<int>(Step::Kind::input_ended) ==
              static_cast<int>(engine::Answer::Kind::input_ended) + 2);

// A word that matches no key of the menu and is not the quit word: the one
// the course typed when it is so here too (a word of another language may be
// a key or the quit word of this one) and its line is one answer here.
std::string unrecognised_here(const story::Menu& menu, const std::string& word) {
  const bool printable =
      word.size() < console::Console::max_line &&
      std::all_of(word.begin(), word.end(), [](char c) { return c > ' ' && c < 0x7F; });
  const bool key = console::matching_key(menu.keys(), word) < menu.keys().size();
  const bool safe = !word.empty() && printable && !key && word != story::lines::quit_word;
  return safe ? word : "??";
}

}  // namespace

std::string play(std::string_view input) {
  BytesInput in(input);
  StringOutput out;
  auto game = std::make_unique<engine::Game>(in, out);
  game->play();
  return std::move(out.text);
}

Course course(std::string_view input) {
  BytesInput in(input);
  StringOutput out;
  CourseKept kept;
  auto game = std::make_unique<engine::Game>(in, out, &kept);
  game->play();
  return std::move(kept.steps);
}

std::string answers_along(const Course& course) {
  std::string input;
  const story::Passage* at = nullptr;
  for (const Step& step : course) {
    for (std::size_t i = 0; i < step.blank_lines; ++i) input += " \n";
    switch (step.kind) {
      case Step::Kind::entered:
        at = &story::passage(static_cast<story::PassageId>(step.number));
        break;
      case Step::Kind::ended:
      case Step::Kind::input_ended:
        break;
      case Step::Kind::passed_pause:
        input += '\n';
        break;
      case Step::Kind::chose:
        input.append(at->closing.menu.keys()[step.number]).append("\n");
        break;
      case Step::Kind::quit:
        input.append(story::lines::quit_word).append("\n");
        break;
      case Step::Kind::unrecognised:
        input.append(unrecognised_here(at->closing.menu, step.word)).append("\n");
        break;
    }
  }
  return input;
}

}  // namespace fuzz::inline TRAMONTALIA_EDITION
