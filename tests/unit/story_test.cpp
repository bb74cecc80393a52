// Plays the whole story by every key of every menu, plus "salir" and an
// unrecognised word, reading the game through what it writes and what it
// reports of the scenes and endings reached.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/game.hpp"
#include "story/story.hpp"

namespace {

constexpr std::string_view ending_block = "\n\nFin\n\nPulsa enter para salir\n\n";

// Answers each menu from its plan and every pause with Enter; at a menu
// beyond its plan, it ends the input. Keeps what the game writes and tells
// of its way.
class Player final : public console::Input, public console::Output, public engine::Progress {
 public:
  explicit Player(std::vector<std::string> plan) : plan_(std::move(plan)) {}

  std::size_t read(char* buffer, std::size_t capacity) override {
    if (++reads > 1000 || at_menu_beyond_plan) return 0;
    std::string answer = "\n";
    if (text.ends_with('>')) {
      if (next_ == plan_.size()) return at_menu_beyond_plan = true, 0;
      answer = plan_[next_++] + "\n";
    }
    std::memcpy(buffer, answer.data(), std::min(capacity, answer.size()));
    return answer.size();
  }
  bool write(const char* data, std::size_t size) override {
    text.append(data, size);
    return true;
  }
  void entered(story::PassageId passage) override { scenes.push_back(passage); }
  void ended(std::size_t ending_number) override { endings.push_back(ending_number); }

  std::string text;
  int reads = 0;
  bool at_menu_beyond_plan = false;
  std::vector<story::PassageId> scenes;
  std::vector<std::size_t> endings;

 private:
  std::vector<std::string> plan_;
  std::size_t next_ = 0;
};

// The passages whose first page the output shows, in the order shown.
std::vector<story::PassageId> scenes_shown(const std::string& output) {
  std::map<std::size_t, story::PassageId> shown;  // by where they stand
  for (const story::Passage* passage : story::passages()) {
    const std::string_view first_page = passage->pages[0].text;
    for (std::size_t at = 0; (at = output.find(first_page, at)) != std::string::npos; ++at) {
      shown[at] = passage->id;
    }
  }
  std::vector<story::PassageId> scenes;
  for (const auto& [at, id] : shown) scenes.push_back(id);
  return scenes;
}

// The page shown before the "Fin" of ending `number`: a passage's gated pages
// hold its first endings, its last page the one of its closing.
std::string_view ending_page(std::size_t number) {
  const story::Passage& passage = story::passage(story::endings()[number].passage);
  std::size_t which = number - story::ending_number(passage.id, 0);
  for (const story::Page& page : passage.pages) {
    if (page.gate != story::Gate::none && which-- == 0) return page.text;
  }
  return passage.pages.back().text;
}

struct Exploration {
  std::set<story::PassageId> scenes;
  std::set<std::size_t> endings;
};

// Checks one game of the exploration; returns the menu where its plan ran
// out, if it did.
std::string check_run(const std::vector<std::string>& plan, Exploration& found) {
  Player player(plan);
  auto game = std::make_unique<engine::Game>(player, player, &player);
  game->play();
  const std::string& output = player.text;
  const std::string route = plan.empty() ? "(start)" : plan.back();
  const auto fail = [&](const std::string& what) { ADD_FAILURE() << what << " after " << route; };
  found.scenes.insert(player.scenes.begin(), player.scenes.end());
  found.endings.insert(player.endings.begin(), player.endings.end());
  if (player.reads > 1000) fail("never ends");
  if (player.scenes != scenes_shown(output)) fail("scenes reported are not those shown");
  const bool ends = output.ends_with(ending_block);
  if (player.endings.size() != (ends ? 1 : 0) ||
      (ends &&
       !output.ends_with(std::string(ending_page(player.endings[0])).append(ending_block)))) {
    fail("wrong ending reported");
  }
  if (!plan.empty() && plan.back() == "salir") {
    if (!output.ends_with('>') || player.at_menu_beyond_plan)
      fail("salir did not end the game at once");
    return "";
  }
  if (!player.at_menu_beyond_plan && !ends) fail("a game stopped outside an ending");
  return player.at_menu_beyond_plan ? output.substr(output.rfind("\n Opciones:")) : "";
}

Exploration explore() {
  Exploration found;
  struct Path {
    std::vector<std::string> plan;
    std::set<std::string> chosen;  // menu and key, so that no loop is followed twice
    bool tried_unrecognised = false;
  };
  std::vector<Path> pending{{}};
  while (!pending.empty()) {
    const Path path = std::move(pending.back());
    pending.pop_back();
    const std::string menu = check_run(path.plan, found);
    if (menu.empty()) continue;
    std::istringstream lines(menu);
    for (std::string line; std::getline(lines, line);) {
      if (line.size() < 4 || line.compare(1, 2, "->") != 0) continue;  // not a key's option
      const std::string choice = menu + line[0];
      if (path.chosen.contains(choice)) continue;
      Path next = path;
      next.plan.emplace_back(1, line[0]);
      next.chosen.insert(choice);
      pending.push_back(std::move(next));
    }
    pending.push_back(path);
    pending.back().plan.emplace_back("salir");
    if (!path.tried_unrecognised) {
      pending.push_back(path);
      pending.back().plan.emplace_back("Salir");
      pending.back().tried_unrecognised = true;
    }
  }
  return found;
}

TEST(WholeStory, EveryPassageIsShownAndEveryEndingReached) {
  const Exploration found = explore();
  EXPECT_EQ(found.scenes.size(), 47u);
  EXPECT_EQ(found.endings.size(), 19u);
  EXPECT_EQ(*found.endings.rbegin(), 18u);
}

}  // namespace
