// What a game reports of its course to whoever keeps track of it, say the
// browser edition's map of the scenes and endings a player has seen.
#pragma once

#include <cstddef>

#include "story/passage_id.hpp"

namespace engine::inline TRAMONTALIA_EDITION {

class Progress {
 public:
  // The game is about to show the first page of `passage`: on entering it,
  // and on replaying it after an unrecognised answer.
  virtual void entered(story::PassageId passage) = 0;
  // The game is about to write the "Fin" of ending `ending_number`, as
  // numbered by story::endings().
  virtual void ended(std::size_t ending_number) = 0;

 protected:
  ~Progress() = default;
};

}  // namespace engine::inline TRAMONTALIA_EDITION
