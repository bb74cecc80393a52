#include "engine/game_state.hpp"

namespace engine::inline TRAMONTALIA_EDITION {

void GameState::apply(const story::Effect& effect) {
  switch (effect.kind) {
    case story::Effect::Kind::none:
      return;
    case story::Effect::Kind::raise_accident_flag:
      accident_flag = true;
      return;
    case story::Effect::Kind::set_juice_colour:
      juice_colour = effect.value;
      return;
  }
}

bool GameState::take_accident_flag() {
  const bool was_set = accident_flag;
  accident_flag = false;
  return was_set;
}

story::Text GameState::shown(story::StateText slot) const {
  return slot == story::StateText::juice_colour ? juice_colour : story::Text{};
}

}  // namespace engine::inline TRAMONTALIA_EDITION
