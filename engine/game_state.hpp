// What one passage leaves for a later one.
#pragma once

#include "story/model.hpp"

namespace engine::inline TRAMONTALIA_EDITION {

struct GameState {
  // Set by a racing accident, cleared when the player wakes at home.
  bool accident_flag = false;
  // Chosen by the attendant menus, shown by the juice page.
  story::Text juice_colour = {};

  void apply(const story::Effect& effect);
  // Tests the flag and clears it.
  bool take_accident_flag();
  [[nodiscard]] story::Text shown(story::StateText slot) const;
};

}  // namespace engine::inline TRAMONTALIA_EDITION
