// One whole game, played on any pair of streams.
#pragma once

#include "console/console.hpp"
#include "engine/game_state.hpp"
#include "engine/progress.hpp"
#include "story/model.hpp"

namespace engine::inline TRAMONTALIA_EDITION {

class Game {
 public:
  // `progress`, if any, is told of every passage entered and of the ending.
  Game(console::Input& in, console::Output& out, Progress* progress = nullptr)
      : console_(in, out), progress_(progress) {}

  // Plays from the banner to an ending, "salir" or the end of input.
  void play();

 private:
  // Each returns the passage that comes next, or nullptr when the run is over.
  const story::Passage* run(const story::Passage& passage);
  const story::Passage* run_menu(const story::Passage& passage);
  const story::Passage* enter(const story::Transition& transition);

  bool show_pages(const story::Passage& passage);
  void show(const story::Page& page);
  bool close(const story::Passage& passage, std::size_t page);
  void end(const story::Passage& passage, std::size_t which);
  void show_menu(const story::Menu& menu);
  bool pause();
  void report(Answer::Kind kind, std::size_t option = 0);

  console::Console console_;
  GameState state_;
  Progress* progress_;
};

}  // namespace engine::inline TRAMONTALIA_EDITION
