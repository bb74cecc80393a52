// One edition's whole game on given bytes, for the fuzzers: fuzz/play.cpp,
// built for an edition, defines it in that edition's namespace, so that one
// program can hold both editions' (fuzz::iso_8859_1::play, fuzz::utf8::play).
#pragma once

#include <string>
#include <string_view>

#include "story/text.hpp"

namespace fuzz::inline TRAMONTALIA_EDITION {

// What the game writes on `input`, which it reads in small, uneven pieces
// that split lines, and characters, anywhere.
std::string play(std::string_view input);

}  // namespace fuzz::inline TRAMONTALIA_EDITION
