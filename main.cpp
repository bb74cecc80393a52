// Tramontalia: plays one game on standard input and output.
#include <csignal>

#include "console/streams.hpp"
#include "engine/game.hpp"

namespace {

console::FdInput input{0};
console::FdOutput output{1};
// Static, not on the stack: the game's buffers are its largest part.
engine::Game game{input, output};

}  // namespace

int main() {
  // A closed pipe is noticed by the failing write and ends the game quietly.
  (void)std::signal(SIGPIPE, SIG_IGN);
  game.play();
  return 0;
}
