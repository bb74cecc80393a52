// What the transcripts cannot show: input that arrives in pieces, output
// nobody reads, the streams of a real terminal, and memory over very long
// games. How answers are read and matched, and where input may end, is shown
// by transcripts.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include <memory>
#include <string>

#include "console/console.hpp"
#include "tests/support.hpp"

namespace {

using testing_support::play;
using testing_support::read_file;
using testing_support::StringInput;
using testing_support::StringOutput;

// A terminal hands a line over in pieces when it likes; a pipe, in blocks
// that split lines anywhere, a long line's 254-byte pieces too.
TEST(Transcripts, PlayTheSameWhateverTheSizeOfEachRead) {
  for (const auto& entry : std::filesystem::directory_iterator(TRANSCRIPT_DIR)) {
    if (entry.path().extension() != ".in") continue;
    const std::string input = read_file(entry.path());
    const std::string expected =
        read_file(std::filesystem::path(entry.path()).replace_extension(".out"));
    for (const std::size_t chunk : {1u, 2u, 3u, 7u, 253u, 254u, 255u}) {
      EXPECT_TRUE(play(input, chunk) == expected)
          << entry.path().filename() << " differs read " << chunk << " bytes at a time";
    }
  }
}

TEST(Console, ATextLongerThanTheOutputBufferArrivesWholeAndInOrder) {
  StringInput in("");
  StringOutput out;
  auto console = std::make_unique<console::Console>(in, out);
  const std::string huge(200000, 'h');
  for (const std::string& text : {std::string("antes"), huge, std::string("despues")}) {
    console->line(text);
  }
  console->flush();
  EXPECT_EQ(out.text, "antes\n" + huge + "\ndespues\n");
}

TEST(FdStreams, ReportFailureInsteadOfRetryingForever) {
  console::FdInput bad_input(-1);
  char buffer[8];
  EXPECT_EQ(bad_input.read(buffer, sizeof buffer), 0u);

  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const auto old_handler = std::signal(SIGPIPE, SIG_IGN);
  console::FdOutput to_pipe(fds[1]);
  EXPECT_TRUE(to_pipe.write("hola\n", 5));
  console::FdInput from_pipe(fds[0]);
  EXPECT_EQ(from_pipe.read(buffer, sizeof buffer), 5u);
  close(fds[0]);
  EXPECT_FALSE(to_pipe.write("adios\n", 6));  // nobody reads any more
  close(fds[1]);
  std::signal(SIGPIPE, old_handler);
}

// A console that nobody reads any more: the game must stop, not spin.
TEST(GameEnds, WhenNobodyCanReadTheOutput) {
  struct ClosedOutput final : console::Output {
    bool write(const char*, std::size_t) override { return false; }
  } out;
  std::string endless;
  for (int i = 0; i < 100000; ++i) endless += "x\n";
  StringInput in(endless, 64);
  auto game = std::make_unique<engine::Game>(in, out);
  game->play();
  EXPECT_LE(in.reads, 2u);
}

long peak_kilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// A runner that recursed or allocated per answer would grow here.
TEST(Stress, AMillionReplaysAndATenMegabyteLineRunInConstantMemory) {
  struct CountingOutput final : console::Output {
    bool write(const char*, std::size_t size) override {
      bytes += size;
      return true;
    }
    std::size_t bytes = 0;
  };
  const auto bytes_written = [](const std::string& input) {
    StringInput in(input, 64 * 1024);
    CountingOutput out;
    auto game = std::make_unique<engine::Game>(in, out);
    game->play();
    return out.bytes;
  };
  std::string replays;  // three pauses and an unrecognised word, each time
  for (int i = 0; i < 250000; ++i) replays += "\n\n\nx\n";
  const std::string long_line(10 * 1024 * 1024, 'a');
  const long before = peak_kilobytes();
  EXPECT_GT(bytes_written(replays), 250000u * 800);
  EXPECT_GT(bytes_written(long_line), 10u * 1024 * 1024 / 254 * 10);
  EXPECT_LT(peak_kilobytes() - before, 2048);
}

}  // namespace
