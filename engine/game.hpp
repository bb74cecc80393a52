// One whole game, played on any pair of streams.
#pragma once

#include "console/console.hpp"
#include "engine/game_state.hpp"
#include "story/model.hpp"

namespace engine {

class Game {
 public:
  Game(console::Input& in, console::Output& out) : console_(in, out) {}

  // Plays from the banner to an ending, "salir" or the end of input.
  void play();

 private:
  // Each returns the passage that comes next, or nullptr when the run is over.
  const story::Passage* run(const story::Passage& passage);
  const story::Passage* run_menu(const story::Passage& passage);
  const story::Passage* enter(const story::Transition& transition);

  bool show_pages(const story::Passage& passage);
  void show(const story::Page& page);
  bool close(const story::Page& page);
  void show_menu(const story::Menu& menu);

  console::Console console_;
  GameState state_;
};

}  // namespace engine
