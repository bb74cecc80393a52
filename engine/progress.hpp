// What a game reports of its course to whoever keeps track of it, say the
// browser edition's map of the scenes and endings a player has seen.
#pragma once

#include <cstddef>
#include <cstdint>

#include "story/passage_id.hpp"
#include "story/text.hpp"

namespace engine::inline TRAMONTALIA_EDITION {

// What an answer did: the same in every language, where the words typed
// differ. A game carried over to another language is given, answer by
// answer, the words that do there what these did.
struct Answer {
  enum class Kind : std::uint8_t { passed_pause, chose, quit, unrecognised, input_ended };
  Kind kind;
  std::size_t option = 0;       // for chose: its place in the menu, from 0
  std::size_t blank_lines = 0;  // refused before it with "Redo from start:"
  text::Text word = {};         // for unrecognised: the word that matched no key
};

class Progress {
 public:
  // The game is about to show the first page of `passage`: on entering it,
  // and on replaying it after an unrecognised answer.
  virtual void entered(story::PassageId passage) = 0;
  // The game is about to write the "Fin" of ending `ending_number`, as
  // numbered by story::endings().
  virtual void ended(std::size_t ending_number) = 0;
  // The game has read an answer, or found the input over.
  virtual void answered(const Answer& /*answer*/) {}
  // The game is about to write the option at place `option` of a menu (from
  // 0), `lines` lines long, which the answer `key` chooses. All it wrote
  // before has been handed to the output: the option starts where the
  // output stands, for a page to make it a control.
  virtual void option_shown(std::size_t /*option*/, text::Text /*key*/, std::size_t /*lines*/) {}
  // The game is about to pause for Enter (a page's end, or an ending's): the
  // last line it writes before reading is the pause's.
  virtual void pausing() {}

 protected:
  ~Progress() = default;
};

}  // namespace engine::inline TRAMONTALIA_EDITION
