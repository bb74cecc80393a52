// Carrying a game over to another language: the course a game took, as
// every language takes it, and the answers that take this edition's game
// along it. The console's tools, the tests and the fuzzers carry a game with
// it, and so does the browser edition when a player switches language.
#pragma once

#include "console/streams.hpp"

namespace engine::inline TRAMONTALIA_EDITION {

// Reads a game's course from `course`, one answer a line:
//   PASSAGE KIND OPTION BLANKS WORD
// the passage the answer was read at (its index in PassageId order), what it
// did (an Answer::Kind, as a number), the option chosen (its place in the
// menu), the lines of blanks refused before it, and the word of an
// unrecognised answer, as typed (empty for the others). Writes to `answers`
// the answers that do here what those did, one a line: Enter at a pause, this
// edition's key of the option at that place, its quit word, and the word
// that matched no key, where it is one answer of printable ASCII that
// matches none here either, else "??"; a line of one blank before them for
// each blank line refused.
void carry(console::Input& course, console::Output& answers);

}  // namespace engine::inline TRAMONTALIA_EDITION
