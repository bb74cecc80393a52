#include "fuzz/play.hpp"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>

#include "console/streams.hpp"
#include "engine/carry.hpp"
#include "engine/game.hpp"
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

// The course's answers as engine::carry reads them: one a line, with the
// passage each was read at.
std::string course_lines(const Course& course) {
  std::string lines;
  std::size_t passage = 0;
  for (const Step& step : course) {
    if (step.kind == Step::Kind::entered) passage = step.number;
    if (step.kind == Step::Kind::entered || step.kind == Step::Kind::ended) continue;
    const int kind = static_cast<int>(step.kind) - 2;
    lines += std::to_string(passage) + ' ' + std::to_string(kind) + ' ' +
             std::to_string(step.number) + ' ' + std::to_string(step.blank_lines) + ' ' +
             step.word + '\n';
  }
  return lines;
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
  const std::string lines = course_lines(course);
  BytesInput in(lines);
  StringOutput out;
  engine::carry(in, out);
  return std::move(out.text);
}

}  // namespace fuzz::inline TRAMONTALIA_EDITION
