// What the transcripts cannot show: input that arrives in pieces, output
// nobody reads, the streams of a real terminal, and memory over very long
// games. How answers are read and matched, and where input may end, is shown
// by transcripts.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
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
    return n;
  }
  std::string_view text;
  std::size_t chunk, position = 0;
};

struct StringOutput final : console::Output {
  bool write(const char* data, std::size_t size) override {
    text.append(data, size);
    return true;
  }
  std::string text;
};

// Plays a whole game on `input`, read `chunk` bytes at a time, into `out`;
// returns how much of the input it read.
std::size_t play(std::string_view input, std::size_t chunk, console::Output& out) {
  StringInput in(input, chunk);
  auto game = std::make_unique<engine::Game>(in, out);
  game->play();
  return in.position;
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
      StringOutput out;
      play(input, chunk, out);
      EXPECT_TRUE(out.text == expected)
          << entry.path().filename() << " differs read " << chunk << " bytes at a time";
    }
  }
}

TEST(Console, ATextLongerThanTheOutputBufferArrivesWholeAndInOrder) {
  StringInput in("", 1);
  StringOutput out;
  auto console = std::make_unique<console::Console>(in, out);
  const std::string huge(200000, 'h');
  console->composed_line("antes\n", huge, "\ndespues");
  console->flush();
  EXPECT_EQ(out.text, "antes\n" + huge + "\ndespues\n");
}

// The game on two pipes, with the ends it is given non-blocking (as another
// program sharing them may leave them) and its output pipe then full.
struct Edition {
  Edition() {
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) || pipe2(out, O_CLOEXEC)) std::abort();
    for (const int end : {in[0], out[1]}) fcntl(end, F_SETFL, O_NONBLOCK);
    for (ssize_t n = 0; n >= 0; n = ::write(out[1], "########", 8)) filler += n;
    if ((pid = fork()) == 0) {
      dup2(in[0], 0), dup2(out[1], 1), execl(GAME, GAME, nullptr);
      _exit(127);
    }
    close(in[0]), close(out[1]);
    input = in[1], output = out[0];
  }
  // A reader slower than the game: 512 bytes at a time, where it writes
  // 128 kB. It gives up after 10 s without a byte, as when bytes were lost.
  void read_until(std::size_t size) {
    char buffer[512];
    pollfd ready{output, POLLIN, 0};
    for (ssize_t n = 1; n > 0 && text.size() < size && poll(&ready, 1, 10000) == 1;) {
      n = ::read(output, buffer, std::min(sizeof buffer, size - text.size()));
      text.append(buffer, std::max(n, ssize_t{0}));
    }
  }
  // Whether the game is seen to sleep, which on non-blocking ends it can only
  // do in poll: not if it ends, or spins for seconds.
  [[nodiscard]] bool asleep() const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    char state = 'R';
    while (state != 'S' && state != 'Z' && std::chrono::steady_clock::now() < deadline) {
      const std::string stat = read_file("/proc/" + std::to_string(pid) + "/stat");
      state = stat[stat.rfind(')') + 2];
    }
    return state == 'S';
  }
  pid_t pid = 0;
  int input = -1, output = -1;
  std::size_t filler = 0;
  std::string text;
};

// Each wait made certain: the game's first write meets a full pipe; its first
// and last reads an empty one; a 128 kB block meets a 64 kB pipe, a short write.
TEST(FdStreams, LoseNothingOnNonBlockingPipes) {
  std::string answers = "\n\n\n";  // 3,000 answers, 750 kB out; under PIPE_BUF, so one piece
  for (int i = 0; i < 500; ++i) answers += "x\n\n\n\nn\n\n";
  StringOutput expected;  // what it writes on a blocking stream
  play(answers, answers.size(), expected);
  Edition game;
  EXPECT_TRUE(game.asleep()) << "the game does not wait to write";
  game.read_until(game.filler + expected.text.find("Pulsa enter\n") + 12);
  EXPECT_TRUE(game.asleep()) << "the game does not wait for the first answer";
  EXPECT_EQ(::write(game.input, answers.data(), answers.size()), ssize_t(answers.size()));
  game.read_until(game.filler + expected.text.size() - 1);
  EXPECT_TRUE(game.asleep()) << "the game does not wait for more answers";
  close(game.input);
  game.read_until(std::string::npos);
  EXPECT_TRUE(game.text.substr(game.filler) == expected.text) << "the game lost or changed bytes";
  int status = -1;
  EXPECT_TRUE(close(game.output) == 0 && waitpid(game.pid, &status, 0) == game.pid && status == 0);
}

// Input that cannot be read, or a console nobody reads any more: the streams
// say so, and the game stops instead of spinning.
TEST(FdStreams, ReportFailureAndTheGameStops) {
  char buffer[8];
  EXPECT_EQ(console::FdInput(-1).read(buffer, sizeof buffer), 0u);

  std::signal(SIGPIPE, SIG_IGN);  // as the game does
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  close(fds[0]);
  console::FdOutput out(fds[1]);
  EXPECT_LE(play(std::string(4096, '\n'), 64, out), 128u);
  close(fds[1]);
}

// A runner that recursed or allocated per answer would grow here, or a
// console that kept a whole line.
TEST(Stress, AMillionAnswersAndATenMegabyteLineRunInConstantMemory) {
  std::string answers = "\n\n\n";  // to the first menu; replays, then a page aside again and again
  for (int i = 0; i < 200000; ++i) answers += "x\n\n\n\n";
  for (int i = 0; i < 200000; ++i) answers += "n\n\n";
  std::string long_line(10 * 1024 * 1024, 'a');
  const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
  console::FdOutput out(nowhere);
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  for (const std::string* input : {&answers, &long_line}) {
    EXPECT_EQ(play(*input, 64 * 1024, out), input->size()) << "the game stopped early";
  }
  getrusage(RUSAGE_SELF, &after);
  EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 2048) << "kilobytes more at the peak";
  close(nowhere);
}

}  // namespace
