// Whole games played in memory: how a run ends, whatever the input does.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstring>

#include <memory>
#include <string>

#include "tests/support.hpp"

namespace {

using testing_support::play;

// A console that nobody reads any more: the game must stop, not spin.
TEST(GameEnds, WhenNobodyCanReadTheOutput) {
  struct ClosedOutput final : console::Output {
    bool write(const char*, std::size_t) override { return false; }
  } out;
  std::string endless;
  for (int i = 0; i < 100000; ++i) endless += "x\n";
  testing_support::StringInput in(endless, 64);
  auto game = std::make_unique<engine::Game>(in, out);
  game->play();
  EXPECT_LE(in.reads, 2u);
}

TEST(GameEnds, WhenInputEndsAnywhere) {
  const std::string full = play("\n\n\nd\n\n\n\n\nc\ni\n\n\n");
  ASSERT_TRUE(full.ends_with("Pulsa enter para salir\n\n"));
  // Cutting the same answers short at every point still ends the game with a
  // newline after what was shown.
  const std::string answers = "\n\n\nd\n\n\n\n\nc\ni\n\n";
  for (std::size_t cut = 0; cut < answers.size(); ++cut) {
    const std::string output = play(answers.substr(0, cut));
    EXPECT_TRUE(output.ends_with("\n")) << "cut at " << cut;
    EXPECT_EQ(full.compare(0, output.size() - 1, output, 0, output.size() - 1), 0);
  }
}

// Repeats a pattern of answers, without holding them all in memory.
class RepeatingInput final : public console::Input {
 public:
  RepeatingInput(std::string pattern, std::size_t bytes)
      : pattern_(std::move(pattern)), left_(bytes) {}
  std::size_t read(char* buffer, std::size_t capacity) override {
    const std::size_t n = std::min(capacity, left_);
    for (std::size_t i = 0; i < n; ++i) buffer[i] = pattern_[(offset_ + i) % pattern_.size()];
    offset_ += n;
    left_ -= n;
    return n;
  }

 private:
  std::string pattern_;
  std::size_t left_;
  std::size_t offset_ = 0;
};

struct CountingOutput final : console::Output {
  bool write(const char*, std::size_t size) override {
    bytes += size;
    return true;
  }
  std::size_t bytes = 0;
};

long peak_kilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// A runner that recursed or allocated per answer would grow here.
TEST(Stress, AMillionReplaysAndATenMegabyteLineRunInConstantMemory) {
  auto play_through = [](RepeatingInput& in) {
    CountingOutput out;
    auto game = std::make_unique<engine::Game>(in, out);
    game->play();
    return out.bytes;
  };
  const long before = peak_kilobytes();
  // Three pauses and an unrecognised word: the opening replays each time.
  RepeatingInput replays("\n\n\nx\n", 5 * 250000);
  const std::size_t replay_output = play_through(replays);
  RepeatingInput long_line("a", 10 * 1024 * 1024);
  const std::size_t long_line_output = play_through(long_line);
  EXPECT_GT(replay_output, 250000u * 800);
  EXPECT_GT(long_line_output, 10u * 1024 * 1024 / 254 * 10);
  EXPECT_LT(peak_kilobytes() - before, 2048);
}

}  // namespace
