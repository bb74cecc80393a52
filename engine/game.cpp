#include "engine/game.hpp"

#include <cstddef>

#include "engine/banner.hpp"
#include "story/story.hpp"

namespace engine::inline TRAMONTALIA_EDITION {

using story::Closing;
using story::Passage;

void Game::play() {
  write_banner(console_);
  const Passage* passage = &story::passage(story::first_passage);
  while (passage != nullptr) passage = run(*passage);
  console_.flush();
}

const Passage* Game::run(const Passage& passage) {
  if (progress_ != nullptr) progress_->entered(passage.id);
  if (!show_pages(passage)) return nullptr;
  switch (passage.closing.kind) {
    case Closing::Kind::link:
      return pause() ? enter(passage.closing.link) : nullptr;
    case Closing::Kind::ending:
      end(passage, passage.endings() - 1);  // the closing is the passage's last ending
      return nullptr;
    case Closing::Kind::menu:
      break;
  }
  return run_menu(passage);
}

// Shows every page; all but the last are closed here, the last one by the
// passage's closing.
bool Game::show_pages(const Passage& passage) {
  const auto last = passage.pages.size() - 1;
  for (std::size_t i = 0; i < last; ++i) {
    show(passage.pages[i]);
    if (!close(passage, i)) return false;
  }
  show(passage.pages[last]);
  return true;
}

void Game::show(const story::Page& page) {
  console_.blank_line();
  if (page.slot == story::StateText::none) {
    console_.line(page.text);
  } else {
    console_.composed_line(page.text, state_.shown(page.slot), page.rest);
  }
}

bool Game::close(const Passage& passage, std::size_t page) {
  if (passage.pages[page].gate == story::Gate::accident_flag && !state_.take_accident_flag()) {
    end(passage, passage.ending_held_by(page));
    return false;
  }
  return pause();
}

// `which` counts the passage's endings as the story numbers them.
void Game::end(const Passage& passage, std::size_t which) {
  if (progress_ != nullptr) {
    progress_->ended(story::ending_number(passage.id, which));
    progress_->pausing();
  }
  report(console_.ending() ? Answer::Kind::passed_pause : Answer::Kind::input_ended);
}

const Passage* Game::run_menu(const Passage& passage) {
  const story::Menu& menu = passage.closing.menu;
  for (;;) {
    show_menu(menu);
    const console::Choice choice = console_.choose(menu.keys().all());
    switch (choice.kind) {
      case console::Choice::Kind::key:
        report(Answer::Kind::chose, choice.index);
        break;
      case console::Choice::Kind::unrecognised:
        report(Answer::Kind::unrecognised);
        return &passage;  // replayed from its first page
      case console::Choice::Kind::quit:
        report(Answer::Kind::quit);
        return nullptr;
      case console::Choice::Kind::input_ended:
        report(Answer::Kind::input_ended);
        return nullptr;
    }
    const story::Transition& go = menu.options[choice.index].go;
    if (go.aside == nullptr) return enter(go);
    show(*go.aside);
    if (!pause()) return nullptr;
  }
}

const Passage* Game::enter(const story::Transition& transition) {
  state_.apply(transition.effect);
  return &story::passage(transition.next);
}

void Game::show_menu(const story::Menu& menu) {
  console_.blank_line();
  if (!menu.layout.lead.empty()) {
    console_.line(menu.layout.lead);
    console_.blank_line();
  }
  console_.line(menu.layout.header);
  for (std::size_t i = 0; i < menu.options.size(); ++i) {
    const story::Option& option = menu.options[i];
    if (progress_ != nullptr) {
      // Where the option starts in the output, for whoever keeps track.
      console_.flush();
      progress_->option_shown(i, option.key(), option.continuation.empty() ? 1 : 2);
    }
    console_.line(option.line);
    if (!option.continuation.empty()) console_.line(option.continuation);
  }
  if (!menu.layout.footer.empty()) console_.line(menu.layout.footer);
  console_.blank_line();
}


bool Game::pause() {
  if (progress_ != nullptr) progress_->pausing();
  const bool went_on = console_.pause();
  report(went_on ? Answer::Kind::passed_pause : Answer::Kind::input_ended);
  return went_on;
}

void Game::report(Answer::Kind kind, std::size_t option) {
  const std::size_t blank_lines = console_.take_blank_lines();
  if (progress_ == nullptr) return;
  const text::Text word = kind == Answer::Kind::unrecognised ? console_.answer_word() : text::Text{};
  progress_->answered({kind, option, blank_lines, word});
}

}  // namespace engine::inline TRAMONTALIA_EDITION
