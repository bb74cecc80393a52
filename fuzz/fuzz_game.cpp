// Plays a whole game on arbitrary input bytes. The game must end when its
// input ends, keep every line within the console's width and never touch
// memory it does not own (the sanitizers watch that).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/play.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Returning at all is the check that end of input ends the game.
  const std::string output = fuzz::play({reinterpret_cast<const char*>(data), size});
  // A prompt (">") may stand before the text of a line, since the player's
  // answer ends that line.
  std::size_t column = 0;
  bool prompt = false;
  for (const char c : output) {
    if (c == '\n') {
      column = 0;
      prompt = false;
    } else if (column == 0 && c == '>' && !prompt) {
      prompt = true;
    } else if (++column > 78) {
      __builtin_trap();
    }
  }
  return 0;
}
