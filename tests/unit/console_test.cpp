// What the transcripts cannot show: input that arrives in pieces, output
// nobody reads, the streams of a real terminal, and memory over very long
// games. How answers are read and matched, and where input may end, is shown
// by transcripts.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

#include "console/console.hpp"
#include "engine/game.hpp"

namespace {

// Hands out its text (which must outlive it) in chunks of at most `chunk`
// bytes, then reports the end.
struct StringInput final : console::Input {
  explicit StringInput(std::string_view text, std::size_t chunk) : text(text), chunk(chunk) {}
  std::size_t read(char* buffer, std::size_t capacity) override {
    const std::size_t n = std::min({capacity, chunk, text.size() - position});
    std::memcpy(buffer, text.data() + position, n);
    position += n;
    ++reads;
    return n;
  }
  std::string_view text;
  std::size_t chunk, position = 0, reads = 0;
};

struct StringOutput final : console::Output {
  bool write(const char* data, std::size_t size) override {
    text.append(data, size);
    return true;
  }
  std::string text;
};

// A whole game on `input`, read `chunk` bytes at a time, into an `Output`.
template <class Output>
Output play(std::string_view input, std::size_t chunk) {
  StringInput in(input, chunk);
  Output out;
  auto game = std::make_unique<engine::Game>(in, out);
  game->play();
  return out;
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A terminal hands a line over in pieces when it likes; a pipe, in blocks
// that split lines anywhere, a long line's 254-byte pieces too.
TEST(Transcripts, PlayTheSameWhateverTheSizeOfEachRead) {
  for (const auto& entry : std::filesystem::directory_iterator(TRANSCRIPT_DIR)) {
    if (entry.path().extension() != ".in") continue;
    const std::string input = read_file(entry.path());
    const std::string expected =
        read_file(std::filesystem::path(entry.path()).replace_extension(".out"));
    for (const std::size_t chunk : {1u, 2u, 3u, 7u, 253u, 254u, 255u}) {
      EXPECT_TRUE(play<StringOutput>(input, chunk).text == expected)
          << entry.path().filename() << " differs read " << chunk << " bytes at a time";
    }
  }
}

TEST(Console, ATextLongerThanTheOutputBufferArrivesWholeAndInOrder) {
  StringInput in("", 1);
  StringOutput out;
  auto console = std::make_unique<console::Console>(in, out);
  const std::string huge(200000, 'h');
  for (const std::string& text : {std::string("antes"), huge, std::string("despues")}) {
    console->line(text);
  }
  console->flush();
  EXPECT_EQ(out.text, "antes\n" + huge + "\ndespues\n");
}

// An edition's game on two pipes, with the ends it is given non-blocking (as
// another program sharing them may leave them) and its output pipe then full.
struct Edition {
  Edition(const char* path, bool nonblocking) {
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) || pipe2(out, O_CLOEXEC)) std::abort();
    for (const int end : {in[0], out[1]}) fcntl(end, F_SETFL, nonblocking ? O_NONBLOCK : 0);
    for (ssize_t n = 0; nonblocking && n >= 0; n = ::write(out[1], "########", 8)) filler += n;
    if ((pid = fork()) == 0) {
      dup2(in[0], 0), dup2(out[1], 1), execl(path, path, nullptr);
      _exit(127);
    }
    close(in[0]), close(out[1]);
    input = in[1], output = out[0];
  }
  // A reader slower than the game: 512 bytes at a time, where it writes 128 kB.
  void read_until(std::size_t size) {
    char buffer[512];
    for (ssize_t n = 1; n > 0 && text.size() < size; text.append(buffer, std::max(n, ssize_t{0}))) {
      n = ::read(output, buffer, std::min(sizeof buffer, size - text.size()));
    }
  }
  // Whether the game is seen to sleep, which on non-blocking ends it can only
  // do in poll: not if it ends, or spins for seconds.
  [[nodiscard]] bool asleep() const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (char state = 'R'; state != 'Z'; std::this_thread::yield()) {
      const std::string stat = read_file("/proc/" + std::to_string(pid) + "/stat");
      state = stat[stat.rfind(')') + 2];
      if (state == 'S' || std::chrono::steady_clock::now() > deadline) return state == 'S';
    }
    return false;
  }
  int exit_status() const {
    int status = -1;
    return close(output) == 0 && waitpid(pid, &status, 0) == pid ? status : -1;
  }
  pid_t pid = 0;
  int input = -1, output = -1;
  std::size_t filler = 0;
  std::string text;
};

// Each wait made certain: the game's first write meets a full pipe; its first
// and last reads an empty one; a 128 kB block meets a 64 kB pipe, a short write.
TEST(FdStreams, LoseNothingOnNonBlockingPipes) {
  const auto old_handler = std::signal(SIGPIPE, SIG_IGN);
  std::string answers = "\n\n\n";  // 3,000 answers, 750 kB out; under PIPE_BUF, so one piece
  for (int i = 0; i < 500; ++i) answers += "x\n\n\n\nn\n\n";
  for (const char* path : {GAME, GAME_UTF8}) {
    Edition blocking(path, false), game(path, true);
    EXPECT_EQ(::write(blocking.input, answers.data(), answers.size()), ssize_t(answers.size()));
    close(blocking.input);
    blocking.read_until(std::string::npos);
    EXPECT_TRUE(game.asleep()) << path << " does not wait to write";
    game.read_until(game.filler + blocking.text.find("Pulsa enter\n") + 12);
    EXPECT_TRUE(game.asleep()) << path << " does not wait for the first answer";
    EXPECT_EQ(::write(game.input, answers.data(), answers.size()), ssize_t(answers.size()));
    game.read_until(game.filler + blocking.text.size() - 1);
    EXPECT_TRUE(game.asleep()) << path << " does not wait for more answers";
    close(game.input);
    game.read_until(std::string::npos);
    EXPECT_TRUE(game.text.substr(game.filler) == blocking.text) << path << " lost or changed bytes";
    EXPECT_EQ(blocking.exit_status() | game.exit_status(), 0) << path;
  }
  std::signal(SIGPIPE, old_handler);
}

// Input that cannot be read, or a console nobody reads any more: the streams
// say so, and the game stops instead of spinning.
TEST(FdStreams, ReportFailureAndTheGameStops) {
  char buffer[8];
  EXPECT_EQ(console::FdInput(-1).read(buffer, sizeof buffer), 0u);

  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  close(fds[0]);
  const auto old_handler = std::signal(SIGPIPE, SIG_IGN);
  console::FdOutput out(fds[1]);
  std::string endless;
  for (int i = 0; i < 100000; ++i) endless += "x\n";
  StringInput in(endless, 64);
  auto game = std::make_unique<engine::Game>(in, out);
  game->play();
  EXPECT_LE(in.reads, 2u);
  close(fds[1]);
  std::signal(SIGPIPE, old_handler);
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
    return play<CountingOutput>(input, 64 * 1024).bytes;
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
