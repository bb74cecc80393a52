// The browser edition's WebAssembly module: the very same game, whose bytes
// come and go through two functions of the host page (or Node command).
//
// A page cannot block on a read, so the host keeps the answers given so far
// and calls play() again on each new one; a whole game takes microseconds.
// read() hands out the answers, one line per call as a terminal would, and
// returns 0 when they run out: the game then ends as at the end of input,
// and the host knows it is waiting for one more answer. scene() and ending()
// tell the host each passage entered (its index in PassageId order) and the
// ending reached (its number in story::endings()), for the player's map;
// answered() what each answer did, in the terms every language shares, for
// a game carried over to another language's page, where carry() gives the
// answers that do the same there; option() and pause() where the menu's
// options stand in the output and which reads are pauses, so that the page
// makes controls of them without reading the story's words.
#include <optional>
#include <string_view>

#include "console/streams.hpp"
#include "engine/carry.hpp"
#include "engine/game.hpp"
#include "story/story.hpp"

extern "C" {
[[clang::import_module("tramontalia"), clang::import_name("read")]] std::size_t host_read(
    char* buffer, std::size_t capacity);
[[clang::import_module("tramontalia"), clang::import_name("write")]] void host_write(
    const char* data, std::size_t size);
[[clang::import_module("tramontalia"), clang::import_name("scene")]] void host_scene(
    std::size_t index);
[[clang::import_module("tramontalia"), clang::import_name("ending")]] void host_ending(
    std::size_t number);
[[clang::import_module("tramontalia"), clang::import_name("answered")]] void host_answered(
    engine::Answer::Kind kind, std::size_t option, std::size_t blank_lines, const char* word,
    std::size_t word_size);
[[clang::import_module("tramontalia"), clang::import_name("option")]] void host_option(
    std::size_t option, const char* key, std::size_t key_size, std::size_t lines);
[[clang::import_module("tramontalia"), clang::import_name("pause")]] void host_pause();
}

namespace {

class HostInput final : public console::Input {
 public:
  std::size_t read(char* buffer, std::size_t capacity) override {
    return host_read(buffer, capacity);
  }
};

// Nobody hangs up on a page: every write is taken.
class HostOutput final : public console::Output {
 public:
  bool write(const char* data, std::size_t size) override {
    host_write(data, size);
    return true;
  }
};

class HostProgress final : public engine::Progress {
 public:
  void entered(story::PassageId passage) override { host_scene(story::index_of(passage)); }
  void ended(std::size_t ending_number) override { host_ending(ending_number); }
  void answered(const engine::Answer& a) override {
    host_answered(a.kind, a.option, a.blank_lines, a.word.data(), a.word.size());
  }
  void option_shown(std::size_t option, text::Text key, std::size_t lines) override {
    host_option(option, key.data(), key.size(), lines);
  }
  void pausing() override { host_pause(); }
};

void write_line(std::string_view line) {
  host_write(line.data(), line.size());
  host_write("\n", 1);
}

HostInput input;
HostOutput output;
HostProgress progress;
// Static storage, made anew for every game: the module allocates nothing.
std::optional<engine::Game> game;

}  // namespace

// The C library's memcmp goes a word at a time, for long texts; the game
// compares short words, and this one, a byte at a time, takes less of the
// page. The linker takes it before the library's.
extern "C" int memcmp(const void* left, const void* right, std::size_t size) {
  const auto* a = static_cast<const unsigned char*>(left);
  const auto* b = static_cast<const unsigned char*>(right);
  for (; size > 0; ++a, ++b, --size) {
    if (*a != *b) return *a - *b;
  }
  return 0;
}

// Plays one whole game, from the banner to its end or to the end of input.
extern "C" [[clang::export_name("play")]] void play() {
  game.emplace(input, output, &progress);
  game->play();
}

// Writes the title of every scene, in the story's order, then of every
// ending, one a line, for the page's map: the story tables the module holds
// carry them, so the page need not carry them a second time.
extern "C" [[clang::export_name("titles")]] void titles() {
  for (const story::Passage* passage : story::passages()) write_line(passage->title);
  for (const story::Ending& ending : story::endings()) write_line(ending.title);
}

// Reads a game's course, played in another language's page, through
// read(), and writes through write() the answers that take this page's game
// along it, one a line (see engine/carry.hpp).
extern "C" [[clang::export_name("carry")]] void carry() {
  engine::carry(input, output);
}
